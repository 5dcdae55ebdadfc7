// The grid controls of the condition panels: clsXGridB, a one-row check grid
// (target matches, target outcomes, condition-error counts), and clsXGridM,
// the count grid of one condition group with its click and menu rules.
#ifndef ZELVOMINI_REDUCTION_CONDITION_GRIDS_H_
#define ZELVOMINI_REDUCTION_CONDITION_GRIDS_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "reduction/condition_menu.h"
#include "support/grid.h"

namespace zelvo {

// Background of a ticked cell of a check grid.
inline constexpr Color kColorTicked = 0x00FF00;

class clsXGridB {
 public:
  // Builds the grid (not owned; it must outlive this object): one row, the
  // title in column 1, then one cell per caption, all unticked.
  void Initialize(Grid* grid, const std::string& title, const std::vector<std::string>& captions);

  int Count() const { return static_cast<int>(flags_.size()); }
  const std::vector<bool>& GetValue() const { return flags_; }
  // Shows stored values (missing ones unticked); raises no Change.
  void SetValue(const std::vector<bool>& flags);
  bool Value(int index) const { return index >= 0 && index < Count() && flags_[index]; }

  // The user changed the ticks (already redrawn).
  std::function<void()> Change;

 private:
  void OnClick(const GridClick& click);
  void Draw();

  Grid* grid_ = nullptr;
  std::vector<bool> flags_;
  frmMenu menu_;
};

// Cells of one count grid row: the state for the counts 0 to 5.
using CountCells = std::array<uint8_t, 6>;

class clsXGridM {
 public:
  static constexpr int kCounts = 6;

  // Builds the header row (title column "合計", count columns "0" to "5");
  // the grid is not owned.
  void Initialize(Grid* grid);

  // Shows the rows of a condition group: one caption and six cells each.
  void SetRows(const std::vector<std::string>& captions, const std::vector<CountCells>& cells);
  int RowCount() const { return static_cast<int>(cells_.size()); }
  const std::vector<CountCells>& Cells() const { return cells_; }
  const std::vector<std::string>& Captions() const { return captions_; }
  // Counts above `targets` (the number of targeted matches) can never occur
  // and are drawn in red.
  void SetTargetCount(int targets);

  // The user changed cells (already redrawn).
  std::function<void()> Change;
  // A choice of the row-title menu: the row from 0 and frmMenu's Index
  // (kKouseiBunseki or kFukugouJouken).
  std::function<void(int row, int index)> ListMenu;

 private:
  void OnClick(const GridClick& click);
  void Fill(int row, int from, int to, uint8_t state);
  void Draw();

  Grid* grid_ = nullptr;
  std::vector<std::string> captions_;
  std::vector<CountCells> cells_;
  int targets_ = 5;
  frmMenu menu_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_CONDITION_GRIDS_H_
