// The reduction run (削減): expands the multi and applies every active
// condition as one pass over the surviving singles, optionally tolerating
// condition errors, and writes one log line per pass.
#ifndef ZELVOMINI_REDUCTION_REDUCTION_RUN_H_
#define ZELVOMINI_REDUCTION_REDUCTION_RUN_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/multi_counts.h"
#include "core/multi_table.h"
#include "official/vote_record.h"
#include "output/statistics_panels.h"
#include "reduction/conditions.h"
#include "reduction/payout_estimate.h"
#include "reduction/run_log.h"
#include "reduction/single_value.h"
#include "support/grid.h"
#include "support/money.h"

namespace zelvo {

// Per-single condition-error counters.  A run applies at most 380
// conditions, more than a byte holds, so they are 16 bits wide; they
// saturate instead of wrapping all the same.
using MachigaiCounts = std::vector<uint16_t>;

// One pass of a run, named as its log line names it: a payout pass
// (`money_grade` 0 to 2), the value pass, or one row of a count table's
// condition group.
struct ReductionPass {
  std::string label;
  int money_grade = -1;
  bool value = false;  // the value condition
  ConditionTable table = ConditionTable::kHonmei;
  int group = 0;
  int row = 0;
};

// The passes the conditions switch on, in the order a run applies them.
std::vector<ReductionPass> ActivePasses(const ReductionConditions& conditions);

// The passes.  Every pass works on the caller's arrays in place: outside
// error-counting mode it compacts `singles` to the kept ones (in order) and
// sets `count`; in error-counting mode it only adds to the counters, which
// run parallel to `singles`.
class clsTX1 {
 public:
  void SetValue(const MultiTable& multi);
  // False when the payout estimate cannot use the vote status (reported).
  bool SetVote(const VoteStatusRecord& vote);
  // The document's own probabilities for the value pass.
  void SetOwn(const OwnProbabilities& own) { value_.SetOwn(own); }
  const clsTValue& Value() const { return value_; }
  // The stored multi's singles in ascending order; an empty multi gives
  // count 0 and an empty array.
  void GetMulti(int& count, std::vector<int>& singles) const;

  // Payout pass of grade index 0 to 2: keeps min <= estimate <= max, a max of
  // 9,999,999,999 meaning no upper limit.  Nothing happens with a negative
  // min or no singles.
  void MoneySakugen(int& count, std::vector<int>& singles, int grade, Money min, Money max,
                    bool machigai, MachigaiCounts& errors);
  // Value pass: keeps Min <= figure <= Max (Max 0: no upper limit).
  // Without own probabilities it keeps every single.
  void ValueSakugen(int& count, std::vector<int>& singles, const ValueConditions& value,
                    bool machigai, MachigaiCounts& errors);
  // Count pass of one row of a condition entry: keeps the singles whose row
  // count falls on an allowed cell; an excluded cell is an error, a
  // tolerated one an error that also counts as a △ error.
  void JoukenSakugen(ConditionTable kind, int& count, std::vector<int>& singles, int row,
                     const ConditionEntry& entry, bool machigai, MachigaiCounts& errors,
                     MachigaiCounts& tolerated);
  // The payout or count pass that `pass` names, with the conditions it
  // was taken from.
  void ApplyPass(const ReductionPass& pass, const ReductionConditions& conditions, int& count,
                 std::vector<int>& singles, bool machigai, MachigaiCounts& errors,
                 MachigaiCounts& tolerated);
  // How many singles of the stored multi have each row count 0 to 5.
  void KouseiBunseki(ConditionTable kind, std::array<int, 6>& histogram,
                     const ConditionEntry& entry, int row) const;

  void Cancel(bool flag) { cancel_ = flag; }
  bool Cancelled() const { return cancel_; }
  const clsTMoney& Estimator() const { return money_; }

  // Progress of one pass: begin, values 1, 2, ... about 100 times at most,
  // end.  A cancel set meanwhile stops the pass at the next step.
  std::function<void()> ProgressBegin;
  std::function<void(int)> Progress;
  std::function<void()> ProgressEnd;

 private:
  // verdict(single) -> 0 passes, 1 fails, 2 fails on a tolerated cell.
  template <class Verdict>
  void RunPass(int& count_ref, std::vector<int>& singles, bool machigai, MachigaiCounts& errors,
               MachigaiCounts* tolerated, Verdict verdict);
  // The counts under one row of an entry: the stored marks and ranks
  // restricted to the entry's targets, the row's items ticked.
  clsTDeme RowDeme(const ConditionEntry& entry, int row) const;

  MultiTable multi_{};
  VoteStatusRecord vote_;
  clsTDeme base_;  // marks and ranks of the stored multi and vote status
  clsTMoney money_;
  clsTValue value_;
  bool cancel_ = false;
};

// The run driver: owns the passes, the log writer and the two panels.
class clsTX {
 public:
  clsTX();
  clsTX(const clsTX&) = delete;
  clsTX& operator=(const clsTX&) = delete;

  // Binds the log (list and progress bar) and the count and detail panels
  // (any may be null), and clears the panels.
  void Initialize(RunLogList* log, Grid* count_grid, Grid* meisai_grid);
  // False when the payout estimate cannot use the vote status (reported).
  bool SetVote(const VoteStatusRecord& vote);
  void SetOwn(const OwnProbabilities& own) { x1_.SetOwn(own); }
  // The whole run the main window calls "実行": count and singles receive
  // the result (count 0 and an empty array when cancelled).
  void Execute(const ReductionConditions& conditions, const MultiTable& multi, int& count,
               std::vector<int>& singles);
  bool Run() const { return running_; }
  void Cancel();
  // The closing lines after the engines.
  void EndMsg(int count);
  void CountMeisaiClear();
  void SetSingleFrame(const FrameTable& value, const MultiFlags& visible);
  void SinglePercent(bool percent);
  // The statistics update: the detail panel takes the multi, the count and
  // the coverage counts when the count is above 0.
  void SetMeisai(const MultiTable& multi, int count, const std::array<int, 6>& tousen);
  // Composition analysis of one row over the given multi.
  void KouseiBunseki(ConditionTable kind, const MultiTable& multi, const ConditionEntry& entry,
                     int row, std::array<int, 6>& histogram);

  clsTMsg& Log() { return msg_; }
  clsTCount& CountPanel() { return count_; }
  clsTMeisai& MeisaiPanel() { return meisai_; }
  clsTX1& Passes() { return x1_; }

 private:
  void PostPass(const ReductionConditions& conditions, int& count, std::vector<int>& singles,
                const MachigaiCounts& errors, const MachigaiCounts& tolerated);

  bool running_ = false;
  bool cancel_ = false;
  clsTMsg msg_;
  clsTCount count_;
  clsTMeisai meisai_;
  clsTX1 x1_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_REDUCTION_RUN_H_
