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
#include "support/money.h"

namespace zelvo {

// Where each round's multi comes from.
enum class BacktestMulti {
  kVoteOrder,  // the marks "全て投票率順でマーク" gives from the round's final vote rates
  kAll,        // every cell ◎: all 243 singles
  kDocument,   // the strategy's own multi
};

struct BacktestOptions {
  BacktestMulti multi = BacktestMulti::kVoteOrder;
  // The engines' random numbers start from this seed in every round (mixed
  // with the round and group), so a run can be repeated exactly.
  uint64_t seed = 1;
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
  int favourites = 0;     // ◎ picks of the winning single in the round's multi
  std::array<int, 3> popularity{};  // its picks of popularity rank 1, 2 and 3
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
  // Time spent, for the bench.
  double compute_seconds = 0;

  // Yen returned per 100 yen staked (0 with no stake).
  double ReturnPer100() const;
};

// Replays `strategy` (a document, or a conditions file read into a record)
// over the rounds.  `progress` (may be empty) hears rounds done of total and
// may answer false to stop early.
BacktestReport RunBacktest(const DocumentRecord& strategy, std::span<const ArchivedRound> rounds,
                           const BacktestOptions& options, const clsTotoData& toto_data,
                           const std::function<bool(int done, int total)>& progress = {});

// Whether `single` wins against `result`: every match right, a cancelled
// match counting as right whatever was picked.
bool WinsAgainst(int single, const ResultRecord& result);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_BACKTEST_H_
