// The scores worked out by hand, and the rolling evaluation's promise: a
// test match is predicted by a fit that never saw it or anything after it.
#include "model/evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zelvo {
namespace {

TEST(ScoresTest, HandWorkedForecast) {
  // Draw 0.3, home 0.5, away 0.2; the away side wins.
  const Outcome3 p = {0.3, 0.5, 0.2};
  EXPECT_NEAR(LogLoss(p, 2), -std::log(0.2), 1e-12);
  // Cumulative forecast 0.5, 0.8 against 0, 0: (0.25 + 0.64) / 2.
  EXPECT_NEAR(RankedProbabilityScore(p, 2), 0.445, 1e-12);
  // Against a home win: (0.25 + 0.04) / 2; a draw: (0.25 + 0.04) / 2 as well.
  EXPECT_NEAR(RankedProbabilityScore(p, 1), 0.145, 1e-12);
  EXPECT_NEAR(RankedProbabilityScore(p, 0), 0.145, 1e-12);
  EXPECT_NEAR(BrierScore(p, 2), 0.09 + 0.25 + 0.64, 1e-12);
  EXPECT_NEAR(LogLoss({1.0 / 3, 1.0 / 3, 1.0 / 3}, 0), std::log(3.0), 1e-12);

  Calibration c{};
  AddToCalibration(c, p, 2);
  AddToCalibration(c, {0.25, 0.25, 0.5}, 2);
  EXPECT_EQ(c[2].count, 3);  // 0.2 (happened), 0.25, 0.25
  EXPECT_EQ(c[2].happened, 1);
  EXPECT_NEAR(c[2].MeanPredicted(), 0.7 / 3, 1e-12);
  EXPECT_EQ(c[5].count, 2);  // 0.5 twice, once right
  EXPECT_DOUBLE_EQ(c[5].Observed(), 0.5);
}

MatchHistory TwoSeasons() {
  MatchHistory h;
  const char* clubs[] = {"A", "B", "C", "D"};
  int day = DayNumber(2022, 3, 1);
  for (int round = 0; round < 30; ++round) {
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        if (i == j) continue;
        // A strong, D weak, with some noise in the goals.
        const int hg = (3 - i + round % 3) / 2, ag = (3 - j + (round + i) % 2) / 2;
        h.Add({day + round * 7 + i, clubs[i], clubs[j], hg, ag, 1});
      }
    }
  }
  return h;
}

TEST(RollingEvaluationTest, NoTestMatchIsPredictedWithItselfOrLaterResults) {
  const MatchHistory history = TwoSeasons();
  std::vector<HistoryMatch> test = {{DayNumber(2023, 2, 10), "A", "D", 2, 0, 1},
                                    {DayNumber(2023, 2, 20), "D", "A", 0, 1, 1},
                                    {DayNumber(2023, 3, 5), "B", "C", 1, 1, 1},
                                    {DayNumber(2023, 3, 6), "C", "B", -1, -1, 1}};
  const EvaluationReport r = EvaluateRolling(history, test, GoalModelOptions{});
  ASSERT_EQ(r.matches.size(), 3u);
  EXPECT_EQ(r.refits, 2);
  EXPECT_EQ(r.skipped.at("not played (no score)"), 1);

  // Planted results inside the same month and after it change nothing that
  // came before: February's predictions, and March's made on February.
  std::vector<HistoryMatch> planted = test;
  planted[1].home_goals = 9;  // same month as the first
  planted[2].away_goals = 9;  // the next month
  const EvaluationReport p = EvaluateRolling(history, planted, GoalModelOptions{});
  for (int k = 0; k < 2; ++k) {
    for (int o = 0; o < 3; ++o) EXPECT_DOUBLE_EQ(p.matches[k].model[o], r.matches[k].model[o]);
  }
  // March's fit does see February's planted score.
  EXPECT_NE(p.matches[2].model[1], r.matches[2].model[1]);
  // The base rates are the training history's shares.
  EXPECT_NEAR(r.matches[0].base[0] + r.matches[0].base[1] + r.matches[0].base[2], 1, 1e-12);
  EXPECT_EQ(EvaluationCsv(r).substr(0, EvaluationCsv(r).find('\n')),
            "date,home,away,home_goals,away_goals,p_home,p_draw,p_away");
}

}  // namespace
}  // namespace zelvo
