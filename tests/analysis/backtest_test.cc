// The backtest on four made-up rounds whose outcome is worked out by hand:
// the strategy buys the single 11111 (home wins everywhere) and nothing else.
#include "analysis/backtest.h"

#include <gtest/gtest.h>

#include "core/single_number.h"
#include "tests/common/temp_dir.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

constexpr int kAllHome = 1 + 3 + 9 + 27 + 81;  // 11111

ArchivedRound Round(int number, std::array<uint8_t, 5> results, int64_t prize, int64_t winners) {
  ArchivedRound r;
  // Home wins draw 55% of the votes, draws 25%, away wins 20%.
  r.vote = testing::MakeUniformVoteRecord(25000, 55000, 20000, number);
  r.vote.Kumi = "A";
  r.schedule.Kaisaikai = r.result.Kaisaikai = number;
  r.schedule.Kumi = r.result.Kumi = "A";
  for (int m = 0; m < 5; ++m) r.result.matches[m].result = results[m];
  r.result.prize = {Money::FromInt(prize)};
  r.result.winners = {Money::FromInt(winners)};
  r.result.carryover = {Money::FromInt(winners > 0 ? 0 : 5000000)};
  return r;
}

DocumentRecord OnlyHomeWins() {
  DocumentRecord doc;
  for (int m = 0; m < 5; ++m) doc.Multi[1][m] = 1;  // ◎ on the home win
  return doc;
}

class BacktestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rounds_ = {Round(2001, {1, 1, 1, 1, 1}, 4000, 25),                 // kept: the winner
               Round(2002, {1, 0, 1, 1, 1}, 90000, 3),                 // a draw: not kept
               Round(2003, {1, 1, kResultCancelled, 1, 1}, 1500, 80),  // cancelled match
               Round(2004, {1, 1, 1, 1, 1}, 0, 0)};                    // nobody won: carried over
  }
  testing::TempProgramDir dir_;
  clsTotoData toto_data_;
  std::vector<ArchivedRound> rounds_;
  BacktestOptions doc_multi_{BacktestMulti::kDocument, 7};
};

TEST_F(BacktestTest, TotalsOfAStrategyThatKeepsTheFavourites) {
  BacktestReport report = RunBacktest(OnlyHomeWins(), rounds_, doc_multi_, toto_data_);
  ASSERT_EQ(report.rounds.size(), 4u);
  for (const BacktestRound& r : report.rounds) EXPECT_EQ(r.kept, 1);
  EXPECT_EQ(report.stake, 400);
  EXPECT_EQ(report.hits, 3);
  EXPECT_EQ(report.longest_without_win, 1);
  EXPECT_EQ(report.seed, 7u);

  EXPECT_EQ(report.rounds[0].prize, Money::FromInt(4000));
  EXPECT_EQ(report.rounds[0].result_digits, "11111");
  EXPECT_EQ(report.rounds[0].favourites, 5);
  EXPECT_EQ(report.rounds[0].popularity, (std::array<int, 3>{5, 0, 0}));
  EXPECT_EQ(report.rounds[1].winning_kept, 0);
  EXPECT_EQ(report.rounds[1].winner, kAllHome - 3);  // 10111
  EXPECT_EQ(report.rounds[1].popularity, (std::array<int, 3>{4, 1, 0}));
  // Any pick of the cancelled match is right, so 11111 wins there; but no
  // pick of it won, so it counts for neither ◎ nor a popularity rank.
  EXPECT_EQ(report.rounds[2].result_digits, "11*11");
  EXPECT_EQ(report.rounds[2].favourites, 4);
  EXPECT_EQ(report.rounds[2].popularity, (std::array<int, 3>{4, 0, 0}));
  EXPECT_EQ(report.rounds[2].prize, Money::FromInt(1500));
  EXPECT_FALSE(report.rounds[2].prize_estimated);
  // Nobody won 2004: the estimate from the final votes is what the single
  // would have paid.
  EXPECT_TRUE(report.rounds[3].prize_estimated);
  EXPECT_GT(report.rounds[3].prize, Money());
  EXPECT_EQ(report.rounds[3].prize, report.rounds[3].winner_estimate);
  EXPECT_EQ(report.returned, Money::FromInt(5500) + report.rounds[3].prize);
  EXPECT_NEAR(report.ReturnPer100(), report.returned.ToDouble() / 4, 1e-9);

  // The multi let the winner through in three rounds of four, and so did
  // the reduction (no condition is set) and the purchase.
  ASSERT_EQ(report.shares.size(), 3u);
  for (const BacktestShare& s : report.shares) {
    EXPECT_EQ(s.passed, 3) << s.label;
    EXPECT_EQ(s.rounds, 4) << s.label;
  }
}

TEST_F(BacktestTest, AConditionThatDropsTheWinnerShowsInItsShare) {
  // Refuse five ◎ picks: the only single of the multi is gone every round.
  DocumentRecord strategy = OnlyHomeWins();
  ConditionEntry& all = strategy.Conditions.Honmei[kGroupAll];
  all.cells[0][5] = kCellExcluded;
  BacktestReport report = RunBacktest(strategy, rounds_, doc_multi_, toto_data_);
  EXPECT_EQ(report.hits, 0);
  EXPECT_EQ(report.stake, 0);
  EXPECT_EQ(report.longest_without_win, 4);
  ASSERT_EQ(report.shares.size(), 4u);
  EXPECT_EQ(report.shares[1].label, "本命/全て/◎");
  EXPECT_EQ(report.shares[0].passed, 3);  // the multi
  // 2002's winner 10111 has four ◎, and so has 11011, one of 2003's winners.
  EXPECT_EQ(report.shares[1].passed, 2);
  EXPECT_EQ(report.shares[2].passed, 0);  // after the reduction
}

TEST_F(BacktestTest, TheVoteOrderMultiMarksTheFavouritesAndCancelledRoundsAreLeftOut) {
  rounds_[1].result.cancelled = true;
  BacktestOptions vote_order{BacktestMulti::kVoteOrder, 1};
  BacktestReport report = RunBacktest(DocumentRecord(), rounds_, vote_order, toto_data_);
  EXPECT_EQ(report.skipped, 1);
  ASSERT_EQ(report.rounds.size(), 3u);
  // Every cell marked: all 243 singles bought, the home win ◎ in each match.
  EXPECT_EQ(report.rounds[0].kept, kSingles);
  EXPECT_EQ(report.rounds[0].favourites, 5);
  // With the cancelled match all three of its picks win.
  EXPECT_EQ(report.rounds[1].winning_kept, 3);
  EXPECT_EQ(report.rounds[1].prize, Money::FromInt(4500));
}

// Own probabilities for away wins make 11111 worth nothing: where a round
// replays with them the value condition drops it, elsewhere it stays.
TEST_F(BacktestTest, OwnProbabilitiesStayWithTheRoundTheyAreFor) {
  DocumentRecord strategy = OnlyHomeWins();
  OwnProbabilities away;
  away.set = true;
  for (auto& match : away.p) match = {0.495, 0.01, 0.495};
  strategy.OwnProbs = away;
  strategy.Conditions.Value = {true, kValueExpected, 50, 0};

  BacktestReport report = RunBacktest(strategy, rounds_, doc_multi_, toto_data_);
  EXPECT_TRUE(report.own_probabilities_missing);
  for (const BacktestRound& r : report.rounds) {
    EXPECT_EQ(r.kept, 1) << r.round;
    EXPECT_FALSE(r.own_probabilities);
  }

  BacktestOptions options = doc_multi_;
  std::vector<int> asked;
  options.own_probabilities = [&](const ArchivedRound& r) {
    asked.push_back(r.result.Kaisaikai);
    return r.result.Kaisaikai == 2001 ? away : OwnProbabilities{};
  };
  report = RunBacktest(strategy, rounds_, options, toto_data_);
  EXPECT_EQ(asked, (std::vector<int>{2001, 2002, 2003, 2004}));
  EXPECT_EQ(report.rounds[0].kept, 0);
  EXPECT_TRUE(report.rounds[0].own_probabilities);
  EXPECT_EQ(report.rounds[1].kept, 1);
  EXPECT_TRUE(report.own_probabilities_missing);
  EXPECT_FALSE(
      RunBacktest(OnlyHomeWins(), rounds_, doc_multi_, toto_data_).own_probabilities_missing);
}

// The count optimisation without a time limit of its own searches until it
// is stopped: a round ends at the backtest's limit with the engine's best
// selection, and a stop request ends the run inside the round in progress,
// which is left out.
TEST_F(BacktestTest, RoundsEndAtTheLimitAndAStopEndsTheRunWithinARound) {
  DocumentRecord strategy;
  for (auto& row : strategy.Multi) row.fill(1);
  strategy.Engine.MsEngine = 5;
  strategy.Engine.SeBeginCount = 3;
  strategy.Engine.SeEndTime = 0;
  BacktestOptions options = doc_multi_;
  options.round_seconds = 0.2;
  std::vector<ArchivedRound> two(rounds_.begin(), rounds_.begin() + 2);
  BacktestReport report = RunBacktest(strategy, two, options, toto_data_);
  ASSERT_EQ(report.rounds.size(), 2u);
  EXPECT_EQ(report.time_limited, 2);
  for (const BacktestRound& r : report.rounds) {
    EXPECT_TRUE(r.time_limited);
    EXPECT_EQ(r.kept, 3);
  }
  EXPECT_FALSE(report.interrupted);

  // The first round ends at its limit; the second is stopped a few polls in.
  options.round_seconds = 0.3;
  int polls = 0;
  int rounds_started = 0;
  options.stop_requested = [&] { return rounds_started >= 2 && ++polls > 3; };
  report = RunBacktest(strategy, rounds_, options, toto_data_, [&](int done, int) {
    rounds_started = done + 1;
    return true;
  });
  EXPECT_TRUE(report.interrupted);
  EXPECT_GT(polls, 3);
  ASSERT_EQ(report.rounds.size(), 1u);
  EXPECT_EQ(report.rounds[0].round, 2001);
}

TEST_F(BacktestTest, EachRoundsOwnProbabilitiesDriveItsValueConditionAndExtraction) {
  // All 243 singles, kept when worth 1.5 times the public's share, the most
  // probable one bought.
  DocumentRecord strategy;
  strategy.Conditions.Value = {true, kValueRatio, 1.5, 0};
  strategy.Engine.ChushutsuFlag = true;
  strategy.Engine.ChushutsuCount = 1;
  strategy.Engine.ChushutsuOrder = 2;
  std::vector<ArchivedRound> rounds = {rounds_[0], rounds_[1], rounds_[3]};
  BacktestOptions options{BacktestMulti::kAll, 1};
  // 60 % on what happened, but on 11111 in round 2002, whose result 10111
  // then falls below the ratio (0.6^4 x 0.2 against 0.55^4 x 0.25).
  options.own_probabilities = [](const ArchivedRound& r) {
    OwnProbabilities own;
    own.set = true;
    for (int m = 0; m < kMatches; ++m) {
      const int likely = r.result.Kaisaikai == 2002 ? 1 : r.result.matches[m].result;
      for (int o = 0; o < 3; ++o) own.p[m][o] = o == likely ? 0.6 : 0.2;
    }
    return own;
  };
  BacktestReport report = RunBacktest(strategy, rounds, options, toto_data_);
  ASSERT_EQ(report.rounds.size(), 3u);
  for (const BacktestRound& r : report.rounds) EXPECT_EQ(r.kept, 1);
  EXPECT_EQ(report.hits, 2);
  EXPECT_EQ(report.rounds[1].winning_kept, 0);
  ASSERT_EQ(report.shares.size(), 4u);
  EXPECT_EQ(report.shares[1].passed, 2) << report.shares[1].label;  // the value pass
  EXPECT_EQ(report.shares[2].passed, 2);                            // the whole reduction
}

}  // namespace
}  // namespace zelvo
