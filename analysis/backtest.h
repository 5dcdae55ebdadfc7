// The backtest of a strategy: its conditions and engine replayed over past
// rounds whose schedule, final vote status and result are in the cache, with
// what it would have cost and returned, and how often each of its conditions
// let the winning single through.
#ifndef ZELVOMINI_ANALYSIS_BACKTEST_H_
#define ZELVOMINI_ANALYSIS_BACKTEST_H_

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "files/document_record.h"
#include "official/round_archive.h"
#include "reduction/single_value.h"
#include "support/money.h"

namespace zelvo {

// Where each round's multi comes from.
enum class BacktestMulti {
  kVoteOrder,  // the marks "全て投票率順でマーク" gives from the round's final vote rates
  kAll,        // every cell ◎: all 243 singles
  kDocument,   // the strategy's own multi
};

// The own probabilities a replayed round works with: only those that could
// have been known for that round's own five matches before it was played.
// A document's own probabilities belong to its own round and are never
// carried to another.  Answers with `set` false when it has none for the
// round; this is where a model's probabilities per round plug in.
using RoundProbabilitySource = std::function<OwnProbabilities(const ArchivedRound&)>;

struct BacktestOptions {
  BacktestMulti multi = BacktestMulti::kVoteOrder;
  // The engines' random numbers start from this seed in every round (mixed
  // with the round and group), so a run can be repeated exactly.
  uint64_t seed = 1;
  // Empty: no round has own probabilities.
  RoundProbabilitySource own_probabilities = {};
  // Seconds a round's engine may search (0: no limit).  The count
  // optimisation and the trial engines search until a target they may never
  // reach unless their own time limit is set, so a replay of many rounds
  // needs one of its own; the engine then buys its best selection so far.
  double round_seconds = 0;
  // Polled while a round runs: true stops the backtest within that round,
  // which is then left out of the report.
  std::function<bool()> stop_requested = {};
};

struct BacktestRound {
  int round = 0;
  std::string group;
  int kept = 0;           // singles the strategy bought
  int64_t stake = 0;      // yen, 100 per single
  int winning_kept = 0;   // bought singles that won (several when a match was cancelled)
  Money prize;            // won in this round
  bool prize_estimated = false;  // nobody won officially: the payout estimate stands in
  int winner = -1;        // the winning single (cancelled matches read as 1)
  std::string result_digits;     // "10*21": the results, "*" for a cancelled match
  Money winner_estimate;  // the winning single's estimated payout from the final votes
  // ◎ picks of the winning single in the round's multi, and its picks of
  // popularity rank 1, 2 and 3: over the matches played (a cancelled match
  // has no pick that won).
  int favourites = 0;
  std::array<int, 3> popularity{};
  bool own_probabilities = false;  // the round ran with own probabilities
  bool time_limited = false;       // the engine was stopped at round_seconds
  // The round as it was replayed: its multi, votes and conditions, and the
  // singles bought.
  DocumentRecord replayed;
};

// How many rounds' winning single passed one condition of the strategy.
struct BacktestShare {
  std::string label;  // as the run log names the pass
  int passed = 0;
  int rounds = 0;
};

struct BacktestReport {
  std::vector<BacktestRound> rounds;  // in round and group order
  std::vector<BacktestShare> shares;  // the multi, each pass, the whole reduction
  int hits = 0;
  int64_t stake = 0;
  Money returned;
  int longest_without_win = 0;  // rounds in a row
  uint64_t seed = 0;
  int skipped = 0;  // cancelled rounds: every ticket is refunded, nothing to learn
  // The strategy has a condition that needs own probabilities (the value
  // range, the extraction by expected value or own probability), and some
  // rounds ran without them: that condition kept every single there, or the
  // extraction drew at random.
  bool own_probabilities_missing = false;
  int time_limited = 0;      // rounds whose engine was stopped at the limit
  bool interrupted = false;  // stopped on request; `rounds` holds those done
  // Time spent, for the bench.
  double compute_seconds = 0;

  // Yen returned per 100 yen staked (0 with no stake).
  double ReturnPer100() const;
};

// Replays `strategy` (a document, or a conditions file read into a record)
// over the rounds.  `progress` (may be empty) hears rounds done of total
// before each round and at the end, and may answer false to stop early.
BacktestReport RunBacktest(const DocumentRecord& strategy, std::span<const ArchivedRound> rounds,
                           const BacktestOptions& options, const clsTotoData& toto_data,
                           const std::function<bool(int done, int total)>& progress = {});

// Whether `single` wins against `result`: every match right, a cancelled
// match counting as right whatever was picked.
bool WinsAgainst(int single, const ResultRecord& result);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_BACKTEST_H_
