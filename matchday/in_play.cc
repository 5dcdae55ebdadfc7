#include "matchday/in_play.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelvo {
namespace {

// Goals still to come are summed up to this many a side: even at ten goals
// a match the tail left out is below 1e-12.
constexpr int kMaxGoals = 40;

double UsableRate(double rate) {
  return std::isfinite(rate) && rate > 0 ? std::min(rate, 10.0) : 0;
}

std::vector<double> PoissonTable(double mean) {
  std::vector<double> p(kMaxGoals + 1);
  p[0] = std::exp(-mean);
  for (int k = 1; k <= kMaxGoals; ++k) p[k] = p[k - 1] * mean / k;
  return p;
}

}  // namespace

double ShareLeft(int minute) {
  const int total = kRegularMinutes + kAddedMinutes;
  return static_cast<double>(total - std::clamp(minute, 0, total)) / total;
}

std::array<double, 3> InPlayChances(int home_goals, int away_goals, int minute, GoalRates rates) {
  const double left = ShareLeft(minute);
  const std::vector<double> home = PoissonTable(UsableRate(rates.home) * left);
  const std::vector<double> away = PoissonTable(UsableRate(rates.away) * left);
  const int lead = home_goals - away_goals;
  std::array<double, 3> chances{};
  for (int h = 0; h <= kMaxGoals; ++h) {
    for (int a = 0; a <= kMaxGoals; ++a) {
      const int diff = lead + h - a;
      chances[diff > 0 ? 1 : diff < 0 ? 2 : 0] += home[h] * away[a];
    }
  }
  const double sum = chances[0] + chances[1] + chances[2];
  for (double& c : chances) c /= sum;
  return chances;
}

}  // namespace zelvo
