// CheckPage, the check page of the main window: the singles graded against
// the round's result, revealed match by match or all at once, its paging,
// its count panel and the order by hits.
// Owns: the result panel (clsTResult), its count panel, and the
// 常に全ての結果を表示する box.
// Must not touch: the singles themselves, the round or the file: it shows
// what it is handed and sorts only the list it is given.
#ifndef ZELVOMINI_UI_CHECK_PAGE_H_
#define ZELVOMINI_UI_CHECK_PAGE_H_

#include <string>
#include <vector>

#include "output/statistics_panels.h"
#include "results/result_check.h"
#include "support/check_box.h"
#include "support/grid.h"
#include "ui/main_room.h"

namespace zelvo {

// The count panel of the check page, over a statistics count panel.
class ResultCountPanel : public clsTResult::CountPanel {
 public:
  void Initialize();
  void SetValue(const FrameTable& counts) override { panel_.SetValue(counts); }
  void SetColor(const ResultFlags& coloured) override;
  void SetVisible(bool visible) override { panel_.SetVisibleProperty(visible); }
  void Refresh() override { panel_.Refresh(); }
  Grid& grid() { return grid_; }
  clsTCount& panel() { return panel_; }

 private:
  Grid grid_;
  clsTCount panel_;
};

class CheckPage : public MainRoom {
 public:
  explicit CheckPage(MainShell& shell);

  void Bind();
  // Revealing the result and paging.
  bool State(Cmd cmd, ActionState& state) const override;
  bool Execute(Cmd cmd) override;

  // The page over a round's result and the singles as they are now.
  void Show(int kaisaikai, const std::string& kumi, const ResultRecord& result, int count,
            const std::vector<int>& singles, const FrameTable& frame, bool percent);
  // The singles in a new order, the result as it was.
  void ShowSingles(int count, const std::vector<int>& singles);
  // `singles` in the order of their hits against the result.
  void GradeSort(int count, std::vector<int>& singles, bool ascending);
  void SetPercent(bool percent) { result_count_.panel().SetPercent(percent); }
  void Clear() { result_.Clear(); }

  clsTResult& ResultCheck() { return result_; }
  ResultCountPanel& ResultCount() { return result_count_; }
  CheckBox& ResultAll() { return result_all_; }

 private:
  MainShell& shell_;
  clsTResult result_;
  ResultCountPanel result_count_;
  CheckBox result_all_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_CHECK_PAGE_H_
