// The goal model against computations of its own: the score matrix cell by
// cell from the formula, the gradient by finite differences, the fit on
// seasons simulated from known strengths, and the rules for clubs without
// history and for matches after the fit day.
#include "model/goal_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zelvo {
namespace {

double PoissonByFormula(int k, double rate) {
  double p = std::exp(-rate);
  for (int i = 1; i <= k; ++i) p *= rate / i;
  return p;
}

TEST(ScoreMatrixTest, CellsFollowTheFormulaAndTheOutcomesAreTheirSums) {
  for (const auto& [h, a, rho] :
       {std::tuple{1.4, 1.1, -0.12}, std::tuple{0.6, 2.3, 0.08}, std::tuple{3.1, 0.4, -0.2}}) {
    ScoreMatrix matrix(h, a, rho);
    // The correction moves probability among the four low scores only, so the
    // uncut matrix holds all of it: what is missing is the cut tail.
    EXPECT_NEAR(matrix.RawMass(), 1.0, 1e-12);
    double sum = 0;
    std::array<double, 3> outcomes{};
    for (int x = 0; x < matrix.Size(); ++x) {
      for (int y = 0; y < matrix.Size(); ++y) {
        double tau = 1;
        if (x == 0 && y == 0) tau = 1 - h * a * rho;
        if (x == 0 && y == 1) tau = 1 + h * rho;
        if (x == 1 && y == 0) tau = 1 + a * rho;
        if (x == 1 && y == 1) tau = 1 - rho;
        ASSERT_NEAR(matrix.At(x, y), tau * PoissonByFormula(x, h) * PoissonByFormula(y, a), 1e-12)
            << x << "-" << y;
        sum += matrix.At(x, y);
        outcomes[x > y ? 1 : x < y ? 2 : 0] += matrix.At(x, y);
      }
    }
    EXPECT_NEAR(sum, 1.0, 1e-12);
    for (int o = 0; o < 3; ++o) EXPECT_NEAR(matrix.Outcomes()[o], outcomes[o], 1e-12);
  }
}

TEST(GoalModelObjectiveTest, ValueFollowsTheFormulaAndTheGradientFiniteDifferences) {
  // Every low score and a few others, in two league slots, unequal weights.
  std::vector<GoalModelObjective::Match> matches = {
      {0, 1, 1, 0, 0, 1.0}, {1, 2, 1, 1, 0, 0.8}, {2, 3, 2, 0, 1, 0.6}, {3, 0, 2, 1, 1, 0.9},
      {0, 2, 1, 3, 1, 0.5}, {1, 3, 2, 2, 2, 0.7}, {2, 0, 1, 0, 4, 0.4}, {3, 1, 2, 1, 0, 1.0}};
  GoalModelObjective objective(matches, 4, 0.7);
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-0.4, 0.4);
  std::vector<double> x(objective.Size());
  for (double& v : x) v = u(rng);
  x.back() = -0.09;  // rho, inside its bounds
  std::vector<double> grad(x.size());
  const double value = objective.Value(x.data(), grad.data());

  // The value from the formula, match by match: minus the weighted mean
  // log-likelihood plus the penalty over the total weight.
  std::vector<double> attack, defence;
  objective.Strengths(x.data(), attack, defence);
  const double* intercept = x.data() + 2 * (objective.Clubs() - 1);
  double loglik = 0, weight = 0, penalty = 0;
  for (const auto& m : matches) {
    const double rh = std::exp(intercept[m.slot] + intercept[kLeagues + m.slot] + attack[m.home] -
                               defence[m.away]);
    const double ra = std::exp(intercept[m.slot] + attack[m.away] - defence[m.home]);
    loglik += m.weight *
              std::log(LowScoreFactor(m.home_goals, m.away_goals, rh, ra, x.back()) *
                       PoissonByFormula(m.home_goals, rh) * PoissonByFormula(m.away_goals, ra));
    weight += m.weight;
  }
  for (int i = 0; i < objective.Clubs(); ++i)
    penalty += attack[i] * attack[i] + defence[i] * defence[i];
  EXPECT_NEAR(value, (-loglik + 0.7 * penalty) / weight, 1e-12);

  for (size_t i = 0; i < x.size(); ++i) {
    const double step = 1e-6;
    std::vector<double> up = x, down = x;
    up[i] += step;
    down[i] -= step;
    const double numeric =
        (objective.Value(up.data(), nullptr) - objective.Value(down.data(), nullptr)) / (2 * step);
    EXPECT_NEAR(grad[i], numeric, 1e-7) << "parameter " << i;
  }
}

// Seasons of a double round robin drawn from the model's own distribution.
MatchHistory Simulate(const std::vector<double>& attack, const std::vector<double>& defence,
                      double intercept, double home, double rho, int seasons, int league,
                      int first_day, const std::string& prefix, std::mt19937& rng) {
  MatchHistory history;
  const int n = static_cast<int>(attack.size());
  int day = first_day;
  for (int s = 0; s < seasons; ++s) {
    for (int h = 0; h < n; ++h) {
      for (int a = 0; a < n; ++a) {
        if (h == a) continue;
        const double rh = std::exp(intercept + home + attack[h] - defence[a]);
        const double ra = std::exp(intercept + attack[a] - defence[h]);
        ScoreMatrix matrix(rh, ra, rho);
        double draw = std::uniform_real_distribution<double>(0, 1)(rng), acc = 0;
        int x = 0, y = 0;
        for (int i = 0; i < matrix.Size() * matrix.Size() && acc < draw; ++i) {
          x = i / matrix.Size();
          y = i % matrix.Size();
          acc += matrix.At(x, y);
        }
        history.Add(
            {day++ / 8, prefix + std::to_string(h), prefix + std::to_string(a), x, y, league});
      }
    }
  }
  return history;
}

TEST(GoalModelFitTest, RecoversKnownStrengthsFromSimulatedSeasons) {
  const std::vector<double> attack = {0.35, 0.2, 0.1, 0.05, 0, -0.05, -0.1, -0.15, -0.2, -0.2};
  const std::vector<double> defence = {0.3, -0.1, 0.15, 0, 0.05, -0.2, 0.1, -0.05, -0.15, -0.1};
  std::mt19937 rng(2024);
  const MatchHistory history =
      Simulate(attack, defence, 0.15, 0.25, -0.1, 24, 1, DayNumber(2000, 1, 1) * 8, "C", rng);
  GoalModelOptions options;
  options.half_life_days = 1e9;  // every match weighs the same
  options.season_carry = 1;
  options.ridge = 0;
  options.per_league = false;
  const GoalModel model = FitGoalModel(history, DayNumber(2100, 1, 1), options);
  ASSERT_EQ(model.Clubs().size(), attack.size());
  // 24 seasons give each club 432 matches: one standard error of a strength
  // is about 0.04, of the home advantage 0.015, of rho 0.03.  The bounds are
  // three of them.
  for (size_t i = 0; i < attack.size(); ++i) {
    const ClubStrength* c = model.Club("C" + std::to_string(i));
    ASSERT_NE(c, nullptr);
    EXPECT_NEAR(c->attack, attack[i], 0.12) << c->name;
    EXPECT_NEAR(c->defence, defence[i], 0.12) << c->name;
  }
  EXPECT_NEAR(model.HomeAdvantage(1), 0.25, 0.05);
  EXPECT_NEAR(model.Intercept(1), 0.15, 0.05);
  EXPECT_NEAR(model.Rho(), -0.1, 0.09);
  EXPECT_EQ(model.HistoryMatches(), static_cast<int>(history.size()));
}

class LeaguesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 rng(7);
    // A first league of strong clubs, a second of weaker ones; in the second
    // season club L0 comes up from the second league and club U5 goes down.
    const int start = DayNumber(2021, 3, 1) * 8;
    history_ = Simulate({0.3, 0.2, 0.1, 0, -0.1, -0.2}, {0.2, 0.1, 0, 0, -0.1, -0.2}, 0.1, 0.2,
                        -0.05, 2, 1, start, "U", rng);
    const MatchHistory lower =
        Simulate({0.1, 0, -0.1, -0.2, -0.3, -0.4}, {0, -0.1, -0.2, -0.2, -0.3, -0.4}, 0.1, 0.2,
                 -0.05, 2, 2, start, "L", rng);
    for (const HistoryMatch& m : lower.Matches()) history_.Add(m);
    // Club L0's 2022 matches in the first league.
    history_.Add({DayNumber(2022, 9, 1), "L0", "U0", 0, 2, 1});
    history_.Add({DayNumber(2022, 9, 8), "U1", "L0", 1, 1, 1});
  }
  MatchHistory history_;
};

TEST_F(LeaguesTest, AClubWithoutHistoryTakesItsLeaguesPromotedStart) {
  const GoalModel model = FitGoalModel(history_, DayNumber(2023, 1, 1), GoalModelOptions{});
  for (int league : {1, 2}) {
    double attack, defence;
    ASSERT_TRUE(model.Strength("新クラブ", league, attack, defence));
    EXPECT_DOUBLE_EQ(attack, model.PromotedStart(league)[0]);
    EXPECT_DOUBLE_EQ(defence, model.PromotedStart(league)[1]);
  }
  // The first league's start is the club that came up into it.
  const ClubStrength* promoted = model.Club("L0");
  ASSERT_NE(promoted, nullptr);
  EXPECT_DOUBLE_EQ(model.PromotedStart(1)[0], promoted->attack);
  // Without a league nothing can be said of it.
  double a, d;
  EXPECT_FALSE(model.Strength("新クラブ", kLeagueUnknown, a, d));
  MatchPrediction p;
  EXPECT_FALSE(model.Predict("新クラブ", "海外クラブ", kLeagueUnknown, p));
  ASSERT_TRUE(model.Predict("新クラブ", "U0", 1, p));
  EXPECT_NEAR(p.p[0] + p.p[1] + p.p[2], 1.0, 1e-12);
}

TEST_F(LeaguesTest, NoMatchOnOrAfterTheFitDayEntersTheFit) {
  const int fit_day = DayNumber(2022, 9, 8);  // the day of L0's second match
  const GoalModel clean = FitGoalModel(history_, fit_day, GoalModelOptions{});
  MatchHistory planted = history_;
  planted.Add({fit_day + 30, "L0", "U0", 9, 0, 1});
  planted.Add({fit_day, "U2", "L0", 0, 9, 1});
  const GoalModel fitted = FitGoalModel(planted, fit_day, GoalModelOptions{});
  EXPECT_EQ(fitted.HistoryMatches(), clean.HistoryMatches());
  EXPECT_EQ(fitted.HistoryMatches(), planted.CountBefore(fit_day));
  for (const ClubStrength& c : clean.Clubs()) {
    const ClubStrength* f = fitted.Club(c.name);
    ASSERT_NE(f, nullptr);
    EXPECT_DOUBLE_EQ(f->attack, c.attack) << c.name;
    EXPECT_DOUBLE_EQ(f->defence, c.defence) << c.name;
  }
}

}  // namespace
}  // namespace zelvo
