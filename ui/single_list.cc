#include "ui/single_list.h"

#include <algorithm>

#include "core/multi_counts.h"
#include "core/single_frame.h"
#include "core/single_number.h"
#include "reduction/payout_text.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/platform.h"
#include "support/sort.h"

namespace zelvo {
namespace {

constexpr const char* kSingleClass = "clsTSingle";
constexpr const char* kSort = "clsTSingleSort";

// Outcome codes in the order the columns of a slot show them.
constexpr int kDisplayOrder[3] = {1, 0, 2};
constexpr int kPow3[5] = {1, 3, 9, 27, 81};

Color MatchRowBack(int match) { return match == 1 || match == 3 ? kColorLightYellow : kColorWhite; }

std::array<int, 5> Digits(int single) {
  std::array<int, 5> d{};
  for (int m = 0; m < 5; ++m) d[m] = OutcomeOf(single, m);
  return d;
}

std::array<std::array<int, 3>, 5> RanksOf(const VoteStatusRecord& vote) {
  std::array<std::array<int, 3>, 5> ranks{};
  for (int m = 0; m < 5; ++m) ranks[m] = PopularityRanks(vote.matches[m]);
  return ranks;
}

}  // namespace

// ---------------------------------------------------------------- clsTSingleDraw

void clsTSingleDraw::Initialize() {
  grid_.Resize(6, 3 * kSlotsPerPage);
  grid_.SetDefaultSize(kCellWidth, kCellHeight);
  for (int slot = 0; slot < kSlotsPerPage; ++slot) {
    for (int d = 0; d < 3; ++d) {
      int col = slot * 3 + d + 1;
      grid_.SetText(1, col, std::to_string(kDisplayOrder[d]));
      grid_.SetBack(1, col, kColorButtonFace);
    }
  }
  shown_.fill(-1);
  for (int slot = 0; slot < kSlotsPerPage; ++slot) {
    for (int m = 0; m < 5; ++m) {
      for (int d = 0; d < 3; ++d) DrawCell(slot, m, d, false);
    }
  }
  grid_.Refresh();
}

void clsTSingleDraw::DrawCell(int slot, int match, int column, bool picked) {
  GridCell& cell = grid_.Cell(match + 2, slot * 3 + column + 1);
  cell.back = picked ? kPickedBack : MatchRowBack(match);
  cell.fore = picked ? kPickedFore : kOpenFore;
  cell.text = shown_[slot] < 0 ? "" : std::to_string(kDisplayOrder[column]);
}

void clsTSingleDraw::SetSlot(int slot, int single) {
  if (slot < 0 || slot >= kSlotsPerPage) return;
  if (single < 0 || single >= kSingles) single = -1;
  const int old = shown_[slot];
  if (old == single) return;
  shown_[slot] = single;
  const bool all = old < 0 || single < 0;
  for (int m = 0; m < 5; ++m) {
    const int was = old < 0 ? -1 : OutcomeOf(old, m);
    const int now = single < 0 ? -1 : OutcomeOf(single, m);
    if (!all && was == now) continue;
    for (int d = 0; d < 3; ++d) DrawCell(slot, m, d, kDisplayOrder[d] == now);
  }
  grid_.Refresh();
}

bool clsTSingleDraw::CellAt(int row, int col, int& slot, int& match, int& outcome) {
  if (row < 2 || row > 6 || col < 1 || col > 3 * kSlotsPerPage) return false;
  slot = (col - 1) / 3;
  match = row - 2;
  outcome = kDisplayOrder[(col - 1) % 3];
  return true;
}

// ---------------------------------------------------------------- clsTSingleList

void clsTSingleList::Initialize() {
  grid_.Resize(kRows, kSlotsPerPage + 1);
  grid_.SetDefaultSize(clsTSingleDraw::kCellWidth * 3, clsTSingleDraw::kCellHeight);
  grid_.SetColWidth(1, kHeaderWidth);
  SetRows(kRows);
  grid_.Refresh();
}

void clsTSingleList::SetRows(int rows) {
  grid_.Resize(rows, kSlotsPerPage + 1);
  static const char* const kHeaders[] = {"１等推定金額", "1-0-2マーク",  "1-2-3番人気",
                                         "自分の確率",   "期待値(100円)", "確率比"};
  for (int r = 1; r <= rows; ++r) {
    grid_.SetRowHeight(r, clsTSingleDraw::kCellHeight);
    grid_.SetText(r, 1, kHeaders[r - 1]);
    grid_.SetRowBack(r, r == 2 || r == 5 ? kColorLightYellow : kColorWhite);
    grid_.SetBack(r, 1, kColorButtonFace);
    if (r != 2 && r != 3) {
      for (int c = 2; c <= kSlotsPerPage + 1; ++c) grid_.SetAlign(r, c, Align::kRight);
    }
  }
}

void clsTSingleList::SetOwn(const OwnProbabilities& own) {
  value_.SetOwn(own);
  const int rows = own.set ? kValueRows : kRows;
  if (grid_.Rows() != rows) {
    SetRows(rows);
    grid_.Refresh();
  }
}

void clsTSingleList::SetVote(const VoteStatusRecord& vote) {
  value_.SetVote(vote);
  money_.SetVote(vote);
  has_vote_ = vote.Kaisaikai > 0;
  ranks_ = has_vote_ ? RanksOf(vote) : std::array<std::array<int, 3>, 5>{};
}

std::string clsTSingleList::MarkText(int single) {
  std::array<int, 3> n{};
  for (int d : Digits(single)) ++n[d];
  return std::to_string(n[1]) + "-" + std::to_string(n[0]) + "-" + std::to_string(n[2]);
}

std::string clsTSingleList::NinkiText(int single) const {
  if (!has_vote_) return "";
  std::array<int, 3> n{};
  std::array<int, 5> d = Digits(single);
  for (int m = 0; m < 5; ++m) ++n[ranks_[m][d[m]]];
  return std::to_string(n[0]) + "-" + std::to_string(n[1]) + "-" + std::to_string(n[2]);
}

void clsTSingleList::SetSlot(int slot, int single) {
  if (slot < 0 || slot >= kSlotsPerPage) return;
  const int col = slot + 2;
  if (single < 0 || single >= kSingles) {
    for (int r = 1; r <= grid_.Rows(); ++r) grid_.SetText(r, col, "");
  } else {
    std::array<int, 5> d = Digits(single);
    grid_.SetText(1, col, PayoutText(money_.GetMoney1(d)));
    grid_.SetText(2, col, MarkText(single));
    grid_.SetText(3, col, NinkiText(single));
    if (grid_.Rows() >= kValueRows) {
      const SingleValue& v = value_.Of(single);
      grid_.SetText(4, col, FormatNumber(v.probability * 100, "0.00") + "%");
      // Without a payout estimate there is no expected return to show.
      grid_.SetText(5, col, v.payout > 0 ? FormatNumber(v.expected_per_100, "#,##0") : "");
      grid_.SetText(6, col, v.public_share > 0 ? FormatNumber(v.ratio, "0.00") : "");
      // Worth more than it costs: the single pays back over 100 yen.
      grid_.SetFore(5, col, v.expected_per_100 > 100 ? kColorRed : kColorBlack);
    }
  }
  grid_.Refresh();
}

// ---------------------------------------------------------------- clsTSingleGame

void clsTSingleGame::Initialize() {
  grid_.Resize(6, 4);
  grid_.SetDefaultSize(24, clsTSingleDraw::kCellHeight);
  // As wide as the figures' header column, so the slots line up.
  grid_.SetColWidth(1, 44);
  grid_.SetColWidth(2, 20);
  grid_.SetColWidth(3, (clsTSingleList::kHeaderWidth - 64) / 2);
  grid_.SetColWidth(4, clsTSingleList::kHeaderWidth - 64 - grid_.ColWidth(3));
  static const char* const kHeaders[] = {"開催日", "No", "ホーム", "アウェイ"};
  for (int c = 1; c <= 4; ++c) {
    grid_.SetText(1, c, kHeaders[c - 1]);
    grid_.SetBack(1, c, kColorButtonFace);
  }
  for (int m = 0; m < 5; ++m) grid_.SetRowBack(m + 2, MatchRowBack(m));
  grid_.SetColAlign(3, Align::kLeft);
  grid_.SetColAlign(4, Align::kLeft);
  grid_.SetAlign(1, 3, Align::kCenter);
  grid_.SetAlign(1, 4, Align::kCenter);
  SetSchedule(ScheduleRecord());
}

void clsTSingleGame::SetSchedule(const ScheduleRecord& schedule) {
  for (int m = 0; m < 5; ++m) {
    const ScheduleMatch& match = schedule.matches[m];
    grid_.SetText(m + 2, 1, match.match_date.IsZero() ? "" : match.match_date.Format("mm/dd"));
    grid_.SetText(m + 2, 2, std::to_string(m + 1));
    grid_.SetText(m + 2, 3, match.home);
    grid_.SetText(m + 2, 4, match.away);
  }
  grid_.Refresh();
}

// ---------------------------------------------------------------- clsTSingleFrame

FrameTable clsTSingleFrame::GetSingleFrame(int count, std::span<const int> singles) {
  size_t n = std::min(singles.size(), static_cast<size_t>(std::max(count, 0)));
  return CountSingleFrame(singles.first(n));
}

// ---------------------------------------------------------------- clsTSingleSort

void clsTSingleSort::SetVote(const VoteStatusRecord& vote) {
  value_.SetVote(vote);
  money_.SetVote(vote);
  // Without a round the ranks stay as they were, as everywhere ranks are used.
  if (vote.Kaisaikai > 0) ranks_ = RanksOf(vote);
}

void clsTSingleSort::MoneySort(std::vector<int>& singles, int type, bool ascending) const {
  try {
    if (type < 0 || type > 2) throw RuntimeError(kErrSubscript);
    // One estimate per single number: a list of a million singles has at
    // most 243 different ones.
    std::array<Money, kSingles> by_number{};
    for (int s = 0; s < kSingles; ++s) by_number[s] = money_.GetMoney(type, Digits(s));
    std::vector<Money> keys(singles.size());
    for (size_t i = 0; i < singles.size(); ++i) {
      int s = singles[i];
      keys[i] = s >= 0 && s < kSingles ? by_number[s] : Money();
    }
    if (!singles.empty()) {
      QuickSortIndex(keys.data(), singles.data(), 0, static_cast<long>(singles.size()) - 1,
                     ascending);
    }
  } catch (const std::exception& e) {
    ReportException(kSort, "MoneySort", e);
  }
}

namespace {

template <class KeyOf>
void CountSort(std::vector<int>& singles, bool ascending, KeyOf key_of) {
  std::array<int, kSingles> by_number{};
  for (int s = 0; s < kSingles; ++s) by_number[s] = key_of(Digits(s));
  std::vector<int> keys(singles.size());
  for (size_t i = 0; i < singles.size(); ++i) {
    int s = singles[i];
    keys[i] = s >= 0 && s < kSingles ? by_number[s] : 0;
  }
  if (!singles.empty()) {
    QuickSortIndexTwoWay(keys.data(), singles.data(), 0, static_cast<long>(singles.size()) - 1,
                         ascending);
  }
}

}  // namespace

void clsTSingleSort::MarkSort(std::vector<int>& singles, int type, bool ascending) const {
  try {
    if (type < 0 || type > 2) throw RuntimeError(kErrSubscript);
    const int outcome = kDisplayOrder[type];
    CountSort(singles, ascending, [outcome](const std::array<int, 5>& d) {
      return static_cast<int>(std::count(d.begin(), d.end(), outcome));
    });
  } catch (const std::exception& e) {
    ReportException(kSort, "MarkSort", e);
  }
}

void clsTSingleSort::NinkiSort(std::vector<int>& singles, int type, bool ascending) const {
  try {
    if (type < 0 || type > 2) throw RuntimeError(kErrSubscript);
    CountSort(singles, ascending, [this, type](const std::array<int, 5>& d) {
      int n = 0;
      for (int m = 0; m < 5; ++m) n += ranks_[m][d[m]] == type;
      return n;
    });
  } catch (const std::exception& e) {
    ReportException(kSort, "NinkiSort", e);
  }
}

void clsTSingleSort::ValueSort(std::vector<int>& singles, ValueKey key, bool ascending) const {
  if (!value_.HasOwn()) return;
  auto figure = [this, key](int s) {
    if (s < 0 || s >= kSingles) return 0.0;
    const SingleValue& v = value_.Of(s);
    return key == kByExpected ? v.expected_per_100 : v.probability;
  };
  std::stable_sort(singles.begin(), singles.end(), [&](int a, int b) {
    return ascending ? figure(a) < figure(b) : figure(a) > figure(b);
  });
}

// ---------------------------------------------------------------- clsTSingle

void clsTSingle::Initialize() {
  try {
    draw_.Initialize();
    list_.Initialize();
    game_.Initialize();
    numbers_.Resize(1, kSlotsPerPage);
    numbers_.SetDefaultSize(clsTSingleDraw::kCellWidth * 3, clsTSingleDraw::kCellHeight);
    numbers_.on_click = [this](const GridClick& c) { OnNumberClick(c); };
    draw_.grid().on_click = [this](const GridClick& c) { OnMarkClick(c); };
    count_.Initialize(&count_grid_, 60, clsTSingleDraw::kCellHeight);
    ready_ = true;
    SetSingle(0, {});
    MovePage(0);
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "Initialize", e);
  }
}

void clsTSingle::SetSingle(int count, const std::vector<int>& singles) {
  try {
    count = std::clamp(count, 0, static_cast<int>(singles.size()));
    if (&singles != &singles_) singles_.assign(singles.begin(), singles.begin() + count);
    singles_.resize(static_cast<size_t>(count));
    count_singles_ = count;
    selected_.assign(static_cast<size_t>(count), 0);
    last_page_ = count > 0 ? (count - 1) / kSlotsPerPage : 0;
    if (page_ > last_page_) page_ = last_page_;
    count_label_ = FormatNumber(static_cast<int64_t>(count), "#,##0");
    ViewChanged();
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "SetSingle", e);
  }
}

void clsTSingle::SetSingleFrame(const FrameTable& frame, const MultiFlags& targets) {
  frame_ = frame;
  count_.SetVisible(targets);
  count_.SetValue(frame);
}

void clsTSingle::SetVote(const VoteStatusRecord& vote) { list_.SetVote(vote); }

void clsTSingle::SetSchedule(const ScheduleRecord& schedule) { game_.SetSchedule(schedule); }

bool clsTSingle::Selected(int index) const {
  return index >= 0 && index < count_singles_ && selected_[index] != 0;
}

int clsTSingle::SelectedCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

void clsTSingle::DrawNumber(int slot) {
  const int i = page_ * kSlotsPerPage + slot;
  GridCell& cell = numbers_.Cell(1, slot + 1);
  if (i < count_singles_) {
    cell.text = std::to_string(i + 1);
    cell.back = selected_[i] ? kSelectedBack : kColorButtonFace;
    cell.fore = selected_[i] ? kColorWhite : kColorBlack;
  } else {
    cell.text.clear();
    cell.back = kColorButtonFace;
    cell.fore = kColorBlack;
  }
}

void clsTSingle::MovePage(int page) {
  try {
    if (!ready_) return;
    page_ = std::clamp(page, 0, last_page_);
    for (int r = 0; r < kSlotsPerPage; ++r) {
      const int i = page_ * kSlotsPerPage + r;
      const int single = i < count_singles_ ? singles_[i] : -1;
      draw_.SetSlot(r, single);
      list_.SetSlot(r, single);
      DrawNumber(r);
    }
    numbers_.Refresh();
    page_label_ = std::to_string(page_ + 1) + "／" + std::to_string(last_page_ + 1);
    ViewChanged();
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "MovePage", e);
  }
}

void clsTSingle::MovePrevious() {
  if (page_ > 0) MovePage(page_ - 1);
}

void clsTSingle::MoveNext() {
  if (page_ < last_page_) MovePage(page_ + 1);
}

void clsTSingle::SetAllSelect(bool value) {
  std::fill(selected_.begin(), selected_.end(), value ? 1 : 0);
  for (int r = 0; r < kSlotsPerPage; ++r) DrawNumber(r);
  numbers_.Refresh();
}

void clsTSingle::SetBackMode() {
  // A full redraw of the page: every slot drawn from empty.
  for (int r = 0; r < kSlotsPerPage; ++r) draw_.SetSlot(r, -1);
  MovePage(page_);
}

void clsTSingle::OnNumberClick(const GridClick& click) {
  if (click.button != MouseButton::kLeft || click.row != 1) return;
  const int i = page_ * kSlotsPerPage + click.col - 1;
  if (click.col < 1 || click.col > kSlotsPerPage || i >= count_singles_) return;
  selected_[i] = selected_[i] ? 0 : 1;
  DrawNumber(click.col - 1);
  numbers_.Refresh();
}

void clsTSingle::OnMarkClick(const GridClick& click) {
  try {
    if (click.button != MouseButton::kLeft) return;
    int slot = 0, match = 0, outcome = 0;
    if (!clsTSingleDraw::CellAt(click.row, click.col, slot, match, outcome)) return;
    const int i = page_ * kSlotsPerPage + slot;
    if (i >= count_singles_) {
      Add();
      return;
    }
    if (edit_lock_) {
      MsgAnswer a = platform().MessageBox("編集がロックされています。編集のロックを解除しますか？",
                                          kAppTitle, MsgIcon::kQuestion, MsgButtons::kYesNo, 1);
      if (a == MsgAnswer::kYes && ChangeLock) ChangeLock(false);
      if (edit_lock_) return;
    }
    const int old = singles_[i];
    const int was = OutcomeOf(old, match);
    if (was == outcome) return;
    const int single = old + (outcome - was) * kPow3[match];
    singles_[i] = single;
    if (ChangeValue) ChangeValue(i, single);
    draw_.SetSlot(slot, single);
    list_.SetSlot(slot, single);
    --frame_[was][match];
    ++frame_[outcome][match];
    if (ChangeFrame) ChangeFrame(frame_);
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "MarkClick", e);
  }
}

void clsTSingle::Add() {
  MsgAnswer a = platform().MessageBox("シングルを１口追加します。よろしいですか？", "シングルを追加",
                                      MsgIcon::kQuestion, MsgButtons::kYesNo, 0);
  if (a == MsgAnswer::kYes) AddEx(0);
}

void clsTSingle::AddEx(int value) {
  try {
    if (value < 0 || value >= kSingles) throw RuntimeError(kErrSubscript);
    std::vector<int> singles = singles_;
    singles.push_back(value);
    for (int m = 0; m < 5; ++m) ++frame_[OutcomeOf(value, m)][m];
    SetSingle(static_cast<int>(singles.size()), singles);
    if (ChangeCount) ChangeCount(count_singles_, singles_);
    if (ChangeFrame) ChangeFrame(frame_);
    MovePageLast();
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "AddEx", e);
  }
}

void clsTSingle::SelectDelete() {
  try {
    const char* kTitle = "選択シングルを削除";
    if (SelectedCount() == 0) {
      platform().MessageBox("削除対象のシングルが選択されていません", kTitle,
                            MsgIcon::kInformation);
      return;
    }
    MsgAnswer a = platform().MessageBox("選択シングルを削除します。よろしいですか？", kTitle,
                                        MsgIcon::kQuestion, MsgButtons::kYesNo, 1);
    if (a != MsgAnswer::kYes) return;
    std::vector<int> kept;
    kept.reserve(singles_.size());
    for (int i = 0; i < count_singles_; ++i) {
      if (!selected_[i]) {
        kept.push_back(singles_[i]);
        continue;
      }
      for (int m = 0; m < 5; ++m) --frame_[OutcomeOf(singles_[i], m)][m];
    }
    const int page = page_;
    SetSingle(static_cast<int>(kept.size()), kept);
    if (ChangeCount) ChangeCount(count_singles_, singles_);
    if (ChangeFrame) ChangeFrame(frame_);
    MovePage(std::min(page, last_page_));
  } catch (const std::exception& e) {
    ReportException(kSingleClass, "SelectDelete", e);
  }
}

}  // namespace zelvo
