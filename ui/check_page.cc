#include "ui/check_page.h"

namespace zelvo {

void ResultCountPanel::Initialize() { panel_.Initialize(&grid_, 60, 21); }

void ResultCountPanel::SetColor(const ResultFlags& coloured) {
  MultiFlags flags{};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) flags[o][m] = coloured[m][o];
  }
  panel_.SetColor(flags);
}

CheckPage::CheckPage(MainShell& shell) : shell_(shell) {
  result_all_.caption = "常に全ての結果を表示する";
}

void CheckPage::Bind() {
  result_.Initialize();
  result_count_.Initialize();
  result_.SetCountPanel(&result_count_);
  result_.on_view_changed = [this] { shell_.Changed(); };
}

bool CheckPage::State(Cmd cmd, ActionState& s) const {
  switch (cmd) {
    case Cmd::kResultPreviousPage:
      s.enabled = result_.MovePreviousEnabled();
      return true;
    case Cmd::kResultNextPage:
      s.enabled = result_.MoveNextEnabled();
      return true;
    case Cmd::kShowAllResults:
    case Cmd::kShowNextResult:
      s.enabled = result_.Official() && !result_.FullResult();
      return true;
    default:
      return false;
  }
}

bool CheckPage::Execute(Cmd cmd) {
  switch (cmd) {
    case Cmd::kResultPreviousPage:
      result_.MovePrevious();
      return true;
    case Cmd::kResultNextPage:
      result_.MoveNext();
      return true;
    case Cmd::kShowAllResults:
      result_.SetAlltData();
      return true;
    case Cmd::kShowNextResult:
      result_.SetNextData();
      return true;
    default:
      return false;
  }
}

void CheckPage::Show(int kaisaikai, const std::string& kumi, const ResultRecord& result, int count,
                     const std::vector<int>& singles, const FrameTable& frame, bool percent) {
  result_.SetResultData(kaisaikai, kumi, result, result_all_.Checked());
  result_.SetSingle(count, singles);
  result_.SetSingleFrame(frame, percent);
}

void CheckPage::ShowSingles(int count, const std::vector<int>& singles) {
  result_.SetSingle(count, singles);
}

void CheckPage::GradeSort(int count, std::vector<int>& singles, bool ascending) {
  // The result screen grades the singles it was given.
  result_.SetSingle(count, singles);
  result_.GradeSort(singles, ascending);
}

}  // namespace zelvo
