// The multi editor of the main window: a 3 x 6 grid (header "1" "0" "2",
// one row per match) where the user puts rating marks on outcomes by mouse
// and pop-up menus, or marks every match from the vote rates.
#ifndef ZELVOMINI_CORE_MULTI_EDITOR_H_
#define ZELVOMINI_CORE_MULTI_EDITOR_H_

#include <array>
#include <string>

#include "core/multi_table.h"
#include "official/vote_record.h"
#include "support/grid.h"

namespace zelvo {

// The symbols of mark numbers 0 to 6 as cells show them.
const std::array<std::string, 7>& MarkSymbols();

class clsTMulti {
 public:
  static constexpr int kPenAutomatic = 99;

  // Binds the grid (not owned) and builds it with cells of the given size.
  void Initialize(Grid* grid, int width, int height);
  void Clear();
  void GetValue(MultiTable& value) const { value = cells_; }
  void SetValue(const MultiTable& value);
  // True for each cell holding a mark.
  void GetVisible(MultiFlags& visible) const;
  // Targets white on even match rows and light yellow on odd ones, the rest
  // in the button-face colour.
  void SetTaishou(const MultiFlags& targets);
  void Refresh();
  // The vote status in use, for marking by vote rates.
  void SetVoteRecord(const VoteStatusRecord& vote) { vote_ = vote; }

  int Pen() const { return pen_; }
  bool Automatic() const { return automatic_; }

 private:
  void OnClick(const GridClick& click);
  bool OnKey(int row, int col, char key);
  std::string CellName(int row, int col) const;
  void LeftHeader();
  void RightCell(int outcome, int match);
  void RightHeader();
  void MarkByVoteRates();
  void Draw();

  Grid* grid_ = nullptr;
  MultiTable cells_{};
  int pen_ = kPenAutomatic;
  bool automatic_ = true;
  int clicked_col_ = 0;
  int clicked_match_ = 0;
  VoteStatusRecord vote_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_MULTI_EDITOR_H_
