#include "ui/singles_page.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/single_frame.h"
#include "core/single_number.h"
#include "output/clipboard.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/platform.h"

namespace zelvo {
namespace {

// The commands that reorder the singles: the sort menu's entries and the
// check page's order by hits.
bool SortsSingles(Cmd cmd) {
  switch (cmd) {
    case Cmd::kSortMoney1:
    case Cmd::kSortMoney2:
    case Cmd::kSortMoney3:
    case Cmd::kSortMark0:
    case Cmd::kSortMark1:
    case Cmd::kSortMark2:
    case Cmd::kSortNinki0:
    case Cmd::kSortNinki1:
    case Cmd::kSortNinki2:
    case Cmd::kSortHits:
    case Cmd::kSortByHits:
    case Cmd::kSortExpected:
    case Cmd::kSortProbability:
      return true;
    default:
      return false;
  }
}

// The clipboard form a copy command writes, -1 for any other command.
int ClipboardFormOf(Cmd cmd) {
  switch (cmd) {
    case Cmd::kCopyReport:
      return clsTClipboard::kFormReport;
    case Cmd::kCopyReportConditions:
      return clsTClipboard::kFormReportWithConditions;
    case Cmd::kCopySinglesRows:
      return clsTClipboard::kFormSinglesPerLine;
    case Cmd::kCopySinglesColumns:
      return clsTClipboard::kFormSinglesPerColumn;
    default:
      return -1;
  }
}

}  // namespace

SinglesPage::SinglesPage(MainShell& shell, const RoundPanel& round, const MultiPage& multi,
                         CheckPage& check)
    : shell_(shell), round_(round), multi_(multi), check_(check) {
  edit_lock_.caption = "編集ロック";
}

void SinglesPage::Bind() {
  single_.Initialize();
  single_.ChangeValue = [this](int index, int single) {
    if (index >= 0 && index < single_count_) singles_[index] = single;
    ++revision_;
  };
  single_.ChangeFrame = [this](const FrameTable& frame) {
    frame_ = frame;
    single_.SetSingleFrame(frame_, targets_);
  };
  single_.ChangeCount = [this](int count, const std::vector<int>& singles) {
    singles_.assign(singles.begin(), singles.begin() + std::min<size_t>(count, singles.size()));
    single_count_ = static_cast<int>(singles_.size());
    ++revision_;
    single_.SetSingle(single_count_, singles_);
  };
  single_.ChangeLock = [this](bool value) { edit_lock_.SetChecked(value); };
  edit_lock_.on_change = [this] { single_.EditLock(edit_lock_.Checked()); };
  single_.on_view_changed = [this] { shell_.Changed(); };
}

bool SinglesPage::State(Cmd cmd, ActionState& s) const {
  const bool idle = shell_.IsIdle();
  switch (cmd) {
    case Cmd::kSelectAll:
    case Cmd::kSelectNone:
    case Cmd::kAddSingle:
    case Cmd::kDeleteSingles:
      s.enabled = shell_.CurrentPage() == 2;
      return true;
    case Cmd::kSortMoney2:
      s.visible = round_.GradeVisible(2);
      return true;
    case Cmd::kSortMoney3:
      s.visible = round_.GradeVisible(3);
      return true;
    case Cmd::kSortMark3:
    case Cmd::kSortNinki3:
      s.visible = false;
      return true;
    case Cmd::kSortHits:
      s.enabled = idle && shell_.CurrentPage() == 3;
      return true;
    case Cmd::kSortExpected:
    case Cmd::kSortProbability:
      s.enabled = idle && multi_.OwnProbs().set;
      return true;
    case Cmd::kSortAscending:
      s.checked = sort_ascending_;
      return true;
    case Cmd::kRemoveDuplicates:
    case Cmd::kCopyMenu:
    case Cmd::kCopyReport:
    case Cmd::kCopyReportConditions:
    case Cmd::kCopySinglesRows:
    case Cmd::kCopySinglesColumns:
    case Cmd::kImportMenu:
    case Cmd::kImportSinglesRows:
      s.enabled = idle;
      return true;
    case Cmd::kPreviousPage:
      s.enabled = single_.MovePreviousEnabled();
      return true;
    case Cmd::kNextPage:
      s.enabled = single_.MoveNextEnabled();
      return true;
    default:
      return false;
  }
}

bool SinglesPage::Execute(Cmd cmd) {
  if (SortsSingles(cmd)) {
    Sort(cmd);
    return true;
  }
  if (const int form = ClipboardFormOf(cmd); form >= 0) {
    CopyToClipboard(form);
    return true;
  }
  switch (cmd) {
    case Cmd::kSelectAll:
      single_.SetAllSelect(true);
      return true;
    case Cmd::kSelectNone:
      single_.SetAllSelect(false);
      return true;
    case Cmd::kAddSingle:
    case Cmd::kAddSingleButton:
      single_.Add();
      return true;
    case Cmd::kDeleteSingles:
    case Cmd::kDeleteSinglesButton:
      single_.SelectDelete();
      return true;
    case Cmd::kPreviousPage:
      single_.MovePrevious();
      return true;
    case Cmd::kNextPage:
      single_.MoveNext();
      return true;
    case Cmd::kSortAscending:
      sort_ascending_ = !sort_ascending_;
      return true;
    case Cmd::kRemoveDuplicates:
      RemoveDuplicates();
      return true;
    case Cmd::kImportSinglesRows:
      ImportFromClipboard();
      return true;
    default:
      return false;
  }
}

void SinglesPage::SetSingles(int count, std::vector<int> singles) {
  count = std::clamp(count, 0, static_cast<int>(singles.size()));
  singles.resize(static_cast<size_t>(count));
  singles_ = std::move(singles);
  ++revision_;
  single_count_ = count;
  frame_ = CountSingleFrame(singles_);
}

void SinglesPage::Refresh() {
  single_.SetVote(round_.Vote());
  single_.SetOwn(multi_.OwnProbs());
  single_.SetSchedule(round_.Schedule());
  single_.SetSingle(single_count_, singles_);
  single_.SetSingleFrame(frame_, targets_);
  single_.MovePage(0);
}

void SinglesPage::Sort(Cmd cmd) {
  if (shell_.CheckBusy()) return;
  clsTSingleSort sort;
  sort.SetVote(round_.Vote());
  sort.SetOwn(multi_.OwnProbs());
  ++revision_;
  {
    OperationScope operation(shell_);
    const bool ascending = sort_ascending_;
    switch (cmd) {
      case Cmd::kSortExpected:
        sort.ValueSort(singles_, clsTSingleSort::kByExpected, ascending);
        break;
      case Cmd::kSortProbability:
        sort.ValueSort(singles_, clsTSingleSort::kByProbability, ascending);
        break;
      case Cmd::kSortMoney1:
        sort.MoneySort(singles_, 0, ascending);
        break;
      case Cmd::kSortMoney2:
        sort.MoneySort(singles_, 1, ascending);
        break;
      case Cmd::kSortMoney3:
        sort.MoneySort(singles_, 2, ascending);
        break;
      case Cmd::kSortMark0:
        sort.MarkSort(singles_, 0, ascending);
        break;
      case Cmd::kSortMark1:
        sort.MarkSort(singles_, 1, ascending);
        break;
      case Cmd::kSortMark2:
        sort.MarkSort(singles_, 2, ascending);
        break;
      case Cmd::kSortNinki0:
        sort.NinkiSort(singles_, 0, ascending);
        break;
      case Cmd::kSortNinki1:
        sort.NinkiSort(singles_, 1, ascending);
        break;
      case Cmd::kSortNinki2:
        sort.NinkiSort(singles_, 2, ascending);
        break;
      default:
        check_.GradeSort(single_count_, singles_, ascending);
        break;
    }
  }
  // A sort only reorders: the outcome frame stays as it is.
  if (shell_.CurrentPage() == 2) {
    single_.SetSingle(single_count_, singles_);
    single_.MovePage(0);
  } else if (shell_.CurrentPage() == 3) {
    check_.ShowSingles(single_count_, singles_);
  }
}

void SinglesPage::RemoveDuplicates() {
  if (shell_.CheckBusy()) return;
  std::vector<int> kept;
  kept.reserve(singles_.size());
  std::array<bool, kSingles> seen{};
  for (int s : singles_) {
    if (s >= 0 && s < kSingles) {
      if (seen[s]) continue;
      seen[s] = true;
    }
    kept.push_back(s);
  }
  if (kept.size() == singles_.size()) {
    platform().MessageBox("重複したシングルは存在しません", kAppTitle, MsgIcon::kInformation);
  } else {
    const int before = single_count_;
    const int after = static_cast<int>(kept.size());
    {
      OperationScope operation(shell_);
      SetSingles(after, std::move(kept));
    }
    platform().MessageBox("重複したシングルを消去しました\r\nシングル総数：" +
                              FormatNumber(static_cast<int64_t>(before), "#,##0") + " → " +
                              FormatNumber(static_cast<int64_t>(single_count_), "#,##0"),
                          kAppTitle, MsgIcon::kInformation);
  }
  shell_.ShowPage(2);
}

void SinglesPage::CopyToClipboard(int form) {
  clsTClipboard clipboard;
  clipboard.Copy(form, shell_.BuildDocument(), round_.Schedule(), round_.UserVoteRates());
}

void SinglesPage::ImportFromClipboard() {
  std::vector<int> singles = clsTClipImport().Import();
  if (singles.empty()) return;
  const int count = static_cast<int>(singles.size());
  {
    OperationScope operation(shell_);
    SetSingles(count, std::move(singles));
  }
  shell_.ShowPage(3);
  platform().MessageBox(std::to_string(count) + "口取り込みしました", kAppTitle,
                        MsgIcon::kInformation);
}

}  // namespace zelvo
