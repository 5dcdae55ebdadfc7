// The singles page: the current singles ten at a time, side by side like the
// columns of a mark sheet, with their figures under them, a header naming the
// matches, the per-match outcome counts, paging, selection, editing by click,
// adding and deleting, and the sorts of the single list.
#ifndef ZELVOMINI_UI_SINGLE_LIST_H_
#define ZELVOMINI_UI_SINGLE_LIST_H_

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"
#include "output/statistics_panels.h"
#include "reduction/payout_estimate.h"
#include "reduction/single_value.h"
#include "support/grid.h"

namespace zelvo {

inline constexpr int kSlotsPerPage = 10;

// The marks of the ten slots: a header row "1" "0" "2" over each slot, then
// one row per match with the picked outcome's cell filled.
class clsTSingleDraw {
 public:
  static constexpr int kCellWidth = 22;
  static constexpr int kCellHeight = 21;
  static constexpr Color kPickedBack = 0x303030;
  static constexpr Color kPickedFore = kColorWhite;
  static constexpr Color kOpenFore = 0xB0B0B0;

  void Initialize();
  // Slot 0 to 9 shows `single` (0 to 242), or nothing for -1.  Only cells
  // whose state changes are rewritten.
  void SetSlot(int slot, int single);
  int Slot(int slot) const { return shown_.at(slot); }
  // The slot and outcome code under a grid cell; false outside the matches.
  static bool CellAt(int row, int col, int& slot, int& match, int& outcome);
  Grid& grid() { return grid_; }

 private:
  void DrawCell(int slot, int match, int column, bool picked);
  Grid grid_;
  std::array<int, kSlotsPerPage> shown_{};
};

// The figures under each slot: grade-1 payout estimate, outcome counts and
// popularity counts; with own probabilities also the single's own
// probability, its expected return per 100 yen and its value ratio.
class clsTSingleList {
 public:
  static constexpr int kHeaderWidth = 200;
  static constexpr int kRows = 3;
  static constexpr int kValueRows = 6;

  void Initialize();
  void SetVote(const VoteStatusRecord& vote);
  // Rows 4 to 6 are there only while the probabilities are set.
  void SetOwn(const OwnProbabilities& own);
  void SetSlot(int slot, int single);
  Grid& grid() { return grid_; }

  // "2-1-2": how many of the single's outcomes are 1, 0 and 2.
  static std::string MarkText(int single);
  // "3-1-1": how many of its picks have popularity rank 0, 1 and 2.
  std::string NinkiText(int single) const;

 private:
  void SetRows(int rows);

  Grid grid_;
  clsTMoney money_;
  clsTValue value_;
  std::array<std::array<int, 3>, 5> ranks_{};
  bool has_vote_ = false;
};

// The match header to the left of the marks.
class clsTSingleGame {
 public:
  void Initialize();
  void SetSchedule(const ScheduleRecord& schedule);
  Grid& grid() { return grid_; }
  int Width() const { return grid_.TotalWidth(); }

 private:
  Grid grid_;
};

class clsTSingleFrame {
 public:
  // How many singles pick each outcome of each match, [outcome][match].
  static FrameTable GetSingleFrame(int count, std::span<const int> singles);
};

class clsTSingleSort {
 public:
  // The payout estimates and popularity ranks the sorts use.
  void SetVote(const VoteStatusRecord& vote);
  // Estimated payout of grade type + 1.
  void MoneySort(std::vector<int>& singles, int type, bool ascending) const;
  // Matches with outcome 1 (type 0), 0 (type 1) or 2 (type 2).
  void MarkSort(std::vector<int>& singles, int type, bool ascending) const;
  // Matches whose pick has popularity rank `type`.
  void NinkiSort(std::vector<int>& singles, int type, bool ascending) const;
  // By expected return per 100 yen (kByExpected) or own probability; equal
  // figures keep their order.  Nothing moves without own probabilities.
  enum ValueKey { kByExpected, kByProbability };
  void SetOwn(const OwnProbabilities& own) { value_.SetOwn(own); }
  void ValueSort(std::vector<int>& singles, ValueKey key, bool ascending) const;

 private:
  clsTValue value_;
  clsTMoney money_;
  std::array<std::array<int, 3>, 5> ranks_{};
};

class clsTSingle {
 public:
  void Initialize();
  bool Ready() const { return ready_; }

  void SetSingle(int count, const std::vector<int>& singles);
  void SetSingleFrame(const FrameTable& frame, const MultiFlags& targets);
  void SetVote(const VoteStatusRecord& vote);
  void SetOwn(const OwnProbabilities& own) { list_.SetOwn(own); }
  void SetSchedule(const ScheduleRecord& schedule);

  void MovePage(int page);
  void MovePageLast() { MovePage(last_page_); }
  // The paging arrows; a double click is one more click.
  void MovePrevious();
  void MoveNext();
  void SetAllSelect(bool value);
  // Asks, then appends the single 0 (all draws).
  void Add();
  // Appends `value` without asking.
  void AddEx(int value);
  void SelectDelete();
  void EditLock(bool value) { edit_lock_ = value; }
  bool Locked() const { return edit_lock_; }
  void SinglePercent(bool percent) { count_.SetPercent(percent); }
  void SetBackMode();

  int Count() const { return count_singles_; }
  const std::vector<int>& Singles() const { return singles_; }
  bool Selected(int index) const;
  int SelectedCount() const;
  int CurrentPage() const { return page_; }
  int LastPage() const { return last_page_; }
  const FrameTable& Frame() const { return frame_; }
  const std::string& SingleCountLabel() const { return count_label_; }
  const std::string& PageLabel() const { return page_label_; }
  bool MovePreviousEnabled() const { return page_ > 0; }
  bool MoveNextEnabled() const { return page_ < last_page_; }

  // The slots' numbers ("1", "2", ...), selected ones highlighted.
  Grid& NumberGrid() { return numbers_; }
  clsTSingleDraw& Draw() { return draw_; }
  clsTSingleList& List() { return list_; }
  clsTSingleGame& Game() { return game_; }
  clsTCount& CountPanel() { return count_; }
  Grid& CountGrid() { return count_grid_; }

  static constexpr Color kSelectedBack = 0x3070E0;

  // Events to the main window, which keeps its own list and frame.
  std::function<void(int index, int single)> ChangeValue;
  std::function<void(const FrameTable& frame)> ChangeFrame;
  std::function<void(int count, const std::vector<int>& singles)> ChangeCount;
  std::function<void(bool value)> ChangeLock;
  // Labels, arrows or the page changed.
  std::function<void()> on_view_changed;

 private:
  void OnNumberClick(const GridClick& click);
  void OnMarkClick(const GridClick& click);
  void DrawNumber(int slot);
  void ViewChanged() {
    if (on_view_changed) on_view_changed();
  }

  bool ready_ = false;
  int count_singles_ = 0;
  std::vector<int> singles_;
  std::vector<uint8_t> selected_;
  int page_ = 0;
  int last_page_ = 0;
  FrameTable frame_{};
  bool edit_lock_ = false;
  std::string count_label_ = "0";
  std::string page_label_ = "1／1";

  Grid numbers_;
  clsTSingleDraw draw_;
  clsTSingleList list_;
  clsTSingleGame game_;
  Grid count_grid_;
  clsTCount count_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_SINGLE_LIST_H_
