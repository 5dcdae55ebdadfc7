#include "analysis/backtest.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/multi_counts.h"
#include "core/single_number.h"
#include "engines/search_sequence.h"
#include "reduction/league_targets.h"
#include "reduction/payout_estimate.h"
#include "reduction/reduction_run.h"
#include "support/platform.h"
#include "support/random.h"

namespace zelvo {
namespace {

constexpr int64_t kStakePerSingle = 100;

MultiTable RoundMulti(const DocumentRecord& strategy, const VoteStatusRecord& vote,
                      BacktestMulti source) {
  MultiTable multi{};
  switch (source) {
    case BacktestMulti::kDocument:
      return strategy.Multi;
    case BacktestMulti::kAll:
      for (auto& row : multi) row.fill(1);
      return multi;
    case BacktestMulti::kVoteOrder:
      for (int m = 0; m < kMatches; ++m) {
        std::array<int, 3> ranks = PopularityRanks(vote.matches[m]);
        for (int o = 0; o < 3; ++o) multi[o][m] = ranks[o] + 1;
      }
      return multi;
  }
  return multi;
}

// Every single that wins against the result: one, or three for each
// cancelled match.
std::vector<int> WinningSingles(const ResultRecord& result) {
  std::vector<int> winners;
  for (int s = 0; s < kSingles; ++s) {
    if (WinsAgainst(s, result)) winners.push_back(s);
  }
  return winners;
}

std::string ResultDigits(const ResultRecord& result) {
  std::string digits;
  for (const ResultMatch& m : result.matches) {
    digits += m.result == kResultCancelled ? '*' : static_cast<char>('0' + m.result);
  }
  return digits;
}

// Watches the yields of a running round: a stop request ends the search at
// once (the round is then dropped), the round's time limit ends the engine's
// search, which keeps its best selection so far.
class RoundWatch : public ForwardingPlatform {
 public:
  RoundWatch(SearchSequence& search, const BacktestOptions& options)
      : search_(search), options_(options) {}

  void StartRound() {
    time_up_ = false;
    deadline_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(options_.round_seconds));
  }
  bool StopRequested() {
    stopped_ = stopped_ || (options_.stop_requested && options_.stop_requested());
    return stopped_;
  }
  // The round's search ran to the limit: stopped here, or ended by the
  // engine's own time limit set from it.
  bool TimeUp() const {
    return options_.round_seconds > 0 &&
           (time_up_ || std::chrono::steady_clock::now() >= deadline_);
  }

  void Yield() override {
    ForwardingPlatform::Yield();
    if (StopRequested()) {
      search_.Stop();
    } else if (!time_up_ && options_.round_seconds > 0 &&
               std::chrono::steady_clock::now() >= deadline_) {
      time_up_ = true;
      search_.Engine().EngineStop();
    }
  }

 private:
  SearchSequence& search_;
  const BacktestOptions& options_;
  std::chrono::steady_clock::time_point deadline_;
  bool time_up_ = false;
  bool stopped_ = false;
};

bool NeedsOwnProbabilities(const DocumentRecord& strategy) {
  const EngineSettings& e = strategy.Engine;
  return strategy.Conditions.Value.Enabled ||
         (e.ChushutsuFlag && (e.ChushutsuOrder == 1 || e.ChushutsuOrder == 2));
}

// The round's engine seed: the same whatever range the round is replayed in.
uint64_t RoundSeed(uint64_t seed, int round, const std::string& group) {
  return seed * 1000003u + static_cast<uint64_t>(round) * 2u + (group == "B" ? 1u : 0u);
}

}  // namespace

bool WinsAgainst(int single, const ResultRecord& result) {
  for (int m = 0; m < kMatches; ++m) {
    int r = result.matches[m].result;
    if (r != kResultCancelled && OutcomeOf(single, m) != r) return false;
  }
  return true;
}

double BacktestReport::ReturnPer100() const {
  return stake > 0 ? returned.ToDouble() * 100.0 / static_cast<double>(stake) : 0.0;
}

BacktestReport RunBacktest(const DocumentRecord& strategy, std::span<const ArchivedRound> rounds,
                           const BacktestOptions& options, const clsTotoData& toto_data,
                           const std::function<bool(int done, int total)>& progress) {
  auto start = std::chrono::steady_clock::now();
  BacktestReport report;
  report.seed = options.seed;

  std::vector<const ArchivedRound*> order;
  for (const ArchivedRound& r : rounds) order.push_back(&r);
  std::stable_sort(order.begin(), order.end(), [](const ArchivedRound* a, const ArchivedRound* b) {
    return a->result.Kaisaikai != b->result.Kaisaikai ? a->result.Kaisaikai < b->result.Kaisaikai
                                                      : a->result.Kumi < b->result.Kumi;
  });

  const std::vector<ReductionPass> passes = ActivePasses(strategy.Conditions);
  report.shares.push_back({"マルチ", 0, 0});
  for (const ReductionPass& pass : passes) report.shares.push_back({pass.label, 0, 0});
  report.shares.push_back({"削減後", 0, 0});
  report.shares.push_back({"購入", 0, 0});

  SearchSequence search;
  clsTX reduction;
  reduction.Initialize(nullptr, nullptr, nullptr);
  RoundWatch watch(search, options);
  const bool needs_own = NeedsOwnProbabilities(strategy);
  int dry = 0;
  int done = 0;
  for (const ArchivedRound* archived : order) {
    if ((progress && !progress(done, static_cast<int>(order.size()))) || watch.StopRequested()) {
      report.interrupted = watch.StopRequested();
      break;
    }
    const ResultRecord& result = archived->result;
    if (result.cancelled || archived->schedule.holding_state == kHoldingCancelled) {
      ++done;
      ++report.skipped;
      continue;
    }
    DocumentRecord doc = strategy;
    doc.Kaisaikai = result.Kaisaikai;
    doc.Kumi = result.Kumi;
    doc.Vote = archived->vote;
    // The strategy's own probabilities are its own round's: this round has
    // only what its source knows of it.
    doc.OwnProbs =
        options.own_probabilities ? options.own_probabilities(*archived) : OwnProbabilities{};
    if (options.round_seconds > 0 && doc.Engine.MsEngine == 5) {
      // Without a limit of its own the count optimisation searches until a
      // stop; with it, it ends with its best selection and says so.
      const int limit = std::max(1, static_cast<int>(std::ceil(options.round_seconds)));
      if (doc.Engine.SeEndTime <= 0 || doc.Engine.SeEndTime > limit) doc.Engine.SeEndTime = limit;
    }
    doc.Multi = RoundMulti(strategy, archived->vote, options.multi);
    FillLeagueTargets(doc.Conditions, archived->schedule, toto_data);

    BacktestRound row;
    row.round = result.Kaisaikai;
    row.group = result.Kumi;
    row.result_digits = ResultDigits(result);
    const std::vector<int> winners = WinningSingles(result);
    row.winner = winners.empty() ? -1 : winners.front();
    row.own_probabilities = doc.OwnProbs.set;
    report.own_probabilities_missing =
        report.own_probabilities_missing || (needs_own && !doc.OwnProbs.set);

    // How far the winning single got: the multi, each pass on its own, the
    // whole reduction (tolerance included) and the engine's purchase.
    std::vector<bool> passed(report.shares.size(), false);
    clsTX1 probe;
    probe.SetValue(doc.Multi);
    bool priced = probe.SetVote(doc.Vote);
    // The value pass judges by the round's own probabilities, as the
    // search below does.
    probe.SetOwn(doc.OwnProbs);
    for (int w : winners) {
      const auto& digits = SingleDigits()[w];
      bool in_multi = true;
      for (int m = 0; m < kMatches; ++m) in_multi = in_multi && doc.Multi[digits[m]][m] > 0;
      passed[0] = passed[0] || in_multi;
      for (size_t p = 0; p < passes.size(); ++p) {
        if (!priced && passes[p].money_grade >= 0) continue;
        std::vector<int> one{w};
        int n = 1;
        MachigaiCounts errors, tolerated;
        probe.ApplyPass(passes[p], doc.Conditions, n, one, false, errors, tolerated);
        if (n == 1) passed[p + 1] = true;
      }
    }
    if (row.winner >= 0) {
      const auto& digits = SingleDigits()[row.winner];
      std::array<int, 5> kousei{};
      for (int m = 0; m < kMatches; ++m) {
        kousei[m] = digits[m];
        // A cancelled match reads as a home win in the winning single, but
        // no pick of it won: it is neither a favourite's nor a popular hit.
        if (result.matches[m].result == kResultCancelled) continue;
        if (doc.Multi[digits[m]][m] == 1) ++row.favourites;
        ++row.popularity[PopularityRanks(doc.Vote.matches[m])[digits[m]]];
      }
      row.winner_estimate = probe.Estimator().GetMoney1(kousei);
    }

    int reduced_count = 0;
    std::vector<int> reduced;
    reduction.SetOwn(doc.OwnProbs);
    if (priced && reduction.SetVote(doc.Vote)) {
      reduction.Execute(doc.Conditions, doc.Multi, reduced_count, reduced);
    }
    for (int w : winners) {
      if (std::binary_search(reduced.begin(), reduced.end(), w)) passed[passes.size() + 1] = true;
    }

    SeedRandom(RoundSeed(options.seed, row.round, row.group));
    watch.StartRound();
    const bool searched = reduced_count > 0 && search.Run(doc);
    // A round stopped half-way is not done: it is left out whole.
    if (watch.StopRequested()) {
      report.interrupted = true;
      break;
    }
    ++done;
    row.time_limited = watch.TimeUp();
    if (row.time_limited) ++report.time_limited;
    if (searched) {
      row.kept = doc.SingleCount;
      for (int i = 0; i < doc.SingleCount; ++i) {
        if (WinsAgainst(doc.SingleData[i], result)) ++row.winning_kept;
      }
    }
    if (reduced_count <= 0) {
      doc.SingleCount = 0;
      doc.SingleData.clear();
    }
    row.replayed = doc;
    passed.back() = row.winning_kept > 0;
    row.stake = static_cast<int64_t>(row.kept) * kStakePerSingle;

    if (row.winning_kept > 0) {
      Money per_ticket = result.prize.empty() ? Money() : result.prize[0];
      bool nobody_won = result.winners.empty() || result.winners[0] <= Money();
      if (nobody_won || per_ticket <= Money()) {
        // The pool was carried over: had this purchase held the winner, it
        // would have been the only winning ticket, which is what the
        // estimate from the final votes prices.
        per_ticket = row.winner_estimate;
        row.prize_estimated = true;
      }
      row.prize = per_ticket * Money::FromInt(row.winning_kept);
      ++report.hits;
      dry = 0;
    } else {
      report.longest_without_win = std::max(report.longest_without_win, ++dry);
    }
    report.stake += row.stake;
    report.returned += row.prize;
    for (size_t i = 0; i < passed.size(); ++i) {
      ++report.shares[i].rounds;
      if (passed[i]) ++report.shares[i].passed;
    }
    report.rounds.push_back(std::move(row));
  }
  if (progress) progress(done, static_cast<int>(order.size()));
  report.compute_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return report;
}

}  // namespace zelvo
