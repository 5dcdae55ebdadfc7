#include "model/goal_model.h"

#include <algorithm>
#include <cmath>
#include <nlopt.hpp>
#include <numeric>
#include <set>

namespace zelvo {
namespace {

// Below this the corrected probability of a low score is treated as this:
// the bounds on rho keep real fits far from it, but the optimiser may probe
// outside the region where the correction stays positive.
constexpr double kTauFloor = 1e-10;
// Goals beyond these no longer change a probability at the 12th decimal.
constexpr int kMaxGoals = 30;
constexpr double kTailMass = 1e-14;

double Poisson(int k, double rate) {
  return std::exp(k * std::log(rate) - rate - std::lgamma(k + 1.0));
}

double ObjectiveThunk(unsigned n, const double* x, double* grad, void* data) {
  (void)n;
  return static_cast<const GoalModelObjective*>(data)->Value(x, grad);
}

}  // namespace

GoalModelOptions DefaultGoalModelOptions() { return GoalModelOptions{}; }

double LowScoreFactor(int x, int y, double home_rate, double away_rate, double rho) {
  if (x == 0 && y == 0) return 1 - home_rate * away_rate * rho;
  if (x == 0 && y == 1) return 1 + home_rate * rho;
  if (x == 1 && y == 0) return 1 + away_rate * rho;
  if (x == 1 && y == 1) return 1 - rho;
  return 1;
}

ScoreMatrix::ScoreMatrix(double home_rate, double away_rate, double rho) {
  // Enough goals that the Poisson tails beyond are below kTailMass.
  auto goals_needed = [](double rate) {
    double cdf = 0;
    for (int k = 0; k < kMaxGoals; ++k) {
      cdf += Poisson(k, rate);
      if (1 - cdf < kTailMass) return k + 1;
    }
    return kMaxGoals;
  };
  size_ = std::max({goals_needed(home_rate), goals_needed(away_rate), 2});
  cells_.assign(static_cast<size_t>(size_) * size_, 0);
  std::vector<double> ph(size_), pa(size_);
  for (int k = 0; k < size_; ++k) {
    ph[k] = Poisson(k, home_rate);
    pa[k] = Poisson(k, away_rate);
  }
  raw_mass_ = 0;
  for (int x = 0; x < size_; ++x) {
    for (int y = 0; y < size_; ++y) {
      const double tau = std::max(0.0, LowScoreFactor(x, y, home_rate, away_rate, rho));
      cells_[x * size_ + y] = tau * ph[x] * pa[y];
      raw_mass_ += cells_[x * size_ + y];
    }
  }
  for (double& c : cells_) c /= raw_mass_;
}

std::array<double, 3> ScoreMatrix::Outcomes() const {
  std::array<double, 3> p{};
  for (int x = 0; x < size_; ++x) {
    for (int y = 0; y < size_; ++y) p[x > y ? 1 : x < y ? 2 : 0] += At(x, y);
  }
  return p;
}

GoalModelObjective::GoalModelObjective(std::vector<Match> matches, int clubs, double ridge)
    : matches_(std::move(matches)), clubs_(clubs), ridge_(ridge) {
  for (const Match& m : matches_) {
    total_weight_ += m.weight;
    log_factorials_ +=
        m.weight * (std::lgamma(m.home_goals + 1.0) + std::lgamma(m.away_goals + 1.0));
  }
  if (total_weight_ <= 0) total_weight_ = 1;
  attack_.resize(clubs_);
  defence_.resize(clubs_);
  grad_attack_.resize(clubs_);
  grad_defence_.resize(clubs_);
}

void GoalModelObjective::Strengths(const double* x, std::vector<double>& attack,
                                   std::vector<double>& defence) const {
  attack.assign(clubs_, 0);
  defence.assign(clubs_, 0);
  if (clubs_ == 0) return;
  const int free = clubs_ - 1;
  double sum_a = 0, sum_d = 0;
  for (int i = 0; i < free; ++i) {
    attack[i] = x[i];
    defence[i] = x[free + i];
    sum_a += x[i];
    sum_d += x[free + i];
  }
  attack[free] = -sum_a;
  defence[free] = -sum_d;
}

double GoalModelObjective::Value(const double* x, double* gradient) const {
  Strengths(x, attack_, defence_);
  const int free = clubs_ - 1;
  const double* intercept = x + 2 * free;
  const double* home = intercept + kLeagues;
  const double rho = home[kLeagues];
  std::fill(grad_attack_.begin(), grad_attack_.end(), 0.0);
  std::fill(grad_defence_.begin(), grad_defence_.end(), 0.0);
  std::array<double, kLeagues> grad_intercept{}, grad_home{};
  double grad_rho = 0;
  double loglik = 0;
  for (const Match& m : matches_) {
    const double eta_h = intercept[m.slot] + home[m.slot] + attack_[m.home] - defence_[m.away];
    const double eta_a = intercept[m.slot] + attack_[m.away] - defence_[m.home];
    const double rate_h = std::exp(eta_h);
    const double rate_a = std::exp(eta_a);
    double ll = m.home_goals * eta_h - rate_h + m.away_goals * eta_a - rate_a;
    // d log-likelihood / d eta of each side, and / d rho.
    double gh = m.home_goals - rate_h;
    double ga = m.away_goals - rate_a;
    double gr = 0;
    if (m.home_goals <= 1 && m.away_goals <= 1) {
      const double tau = LowScoreFactor(m.home_goals, m.away_goals, rate_h, rate_a, rho);
      if (tau > kTauFloor) {
        ll += std::log(tau);
        double dh = 0, da = 0, dr = 0;  // d tau / d eta_h, d eta_a, d rho
        if (m.home_goals == 0 && m.away_goals == 0) {
          dh = da = -rate_h * rate_a * rho;
          dr = -rate_h * rate_a;
        } else if (m.home_goals == 0) {
          dh = rate_h * rho;
          dr = rate_h;
        } else if (m.away_goals == 0) {
          da = rate_a * rho;
          dr = rate_a;
        } else {
          dr = -1;
        }
        gh += dh / tau;
        ga += da / tau;
        gr = dr / tau;
      } else {
        ll += std::log(kTauFloor);
      }
    }
    loglik += m.weight * ll;
    if (gradient) {
      gh *= m.weight;
      ga *= m.weight;
      grad_attack_[m.home] += gh;
      grad_defence_[m.away] -= gh;
      grad_attack_[m.away] += ga;
      grad_defence_[m.home] -= ga;
      grad_intercept[m.slot] += gh + ga;
      grad_home[m.slot] += gh;
      grad_rho += m.weight * gr;
    }
  }
  double penalty = 0;
  for (int i = 0; i < clubs_; ++i) {
    penalty += attack_[i] * attack_[i] + defence_[i] * defence_[i];
  }
  const double value = (-loglik + log_factorials_ + ridge_ * penalty) / total_weight_;
  if (gradient) {
    // Minus the log-likelihood's, plus the penalty's, in the free parameters.
    for (int i = 0; i < clubs_; ++i) {
      grad_attack_[i] = -grad_attack_[i] + 2 * ridge_ * attack_[i];
      grad_defence_[i] = -grad_defence_[i] + 2 * ridge_ * defence_[i];
    }
    for (int i = 0; i < free; ++i) {
      gradient[i] = (grad_attack_[i] - grad_attack_[free]) / total_weight_;
      gradient[free + i] = (grad_defence_[i] - grad_defence_[free]) / total_weight_;
    }
    for (int s = 0; s < kLeagues; ++s) {
      gradient[2 * free + s] = -grad_intercept[s] / total_weight_;
      gradient[2 * free + kLeagues + s] = -grad_home[s] / total_weight_;
    }
    gradient[2 * free + 2 * kLeagues] = -grad_rho / total_weight_;
  }
  return value;
}

const ClubStrength* GoalModel::Club(const std::string& name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : &clubs_[it->second];
}

int GoalModel::LeagueOf(const std::string& club) const {
  const ClubStrength* c = Club(club);
  return c ? c->league : kLeagueUnknown;
}

bool GoalModel::Strength(const std::string& club, int league, double& attack,
                         double& defence) const {
  const ClubStrength* c = Club(club);
  if (league == kLeagueUnknown) league = LeagueOf(club);
  const double few = options_.few_matches;
  if (c && c->weight >= few) {
    attack = c->attack;
    defence = c->defence;
    return true;
  }
  if (league == kLeagueUnknown) return false;
  const std::array<double, 2>& start = start_[LeagueSlot(league)];
  const double share = c && few > 0 ? c->weight / few : 0;
  attack = (c ? share * c->attack : 0) + (1 - share) * start[0];
  defence = (c ? share * c->defence : 0) + (1 - share) * start[1];
  return true;
}

bool GoalModel::ExpectedGoals(const std::string& home, const std::string& away, int league,
                              double& home_goals, double& away_goals) const {
  if (league == kLeagueUnknown) league = LeagueOf(home);
  if (league == kLeagueUnknown) league = LeagueOf(away);
  double ah, dh, aa, da;
  if (!Strength(home, league, ah, dh) || !Strength(away, league, aa, da)) return false;
  const int slot = LeagueSlot(league);
  home_goals = std::exp(intercept_[slot] + home_[slot] + ah - da);
  away_goals = std::exp(intercept_[slot] + aa - dh);
  return true;
}

bool GoalModel::Predict(const std::string& home, const std::string& away, int league,
                        MatchPrediction& out) const {
  double h, a;
  if (!ExpectedGoals(home, away, league, h, a)) return false;
  out.home_goals = h;
  out.away_goals = a;
  out.p = ScoreMatrix(h, a, rho_).Outcomes();
  return true;
}

GoalModel FitGoalModel(const MatchHistory& history, int fit_day, const GoalModelOptions& options,
                       const GoalModel* warm) {
  GoalModel model;
  model.options_ = options;
  model.fit_day_ = fit_day;
  const std::vector<HistoryMatch>& all = history.Matches();
  const size_t used = static_cast<size_t>(history.CountBefore(fit_day));
  model.history_matches_ = static_cast<int>(used);

  std::set<std::string> names;
  for (size_t k = 0; k < used; ++k) {
    names.insert(all[k].home);
    names.insert(all[k].away);
  }
  for (const std::string& n : names) {
    model.index_[n] = static_cast<int>(model.clubs_.size());
    model.clubs_.push_back(ClubStrength{n});
  }
  const int clubs = static_cast<int>(model.clubs_.size());
  // The club's league by season, from the labelled matches: the promoted
  // starts are found from it.
  std::vector<std::map<int, int>> season_league(clubs);
  std::vector<GoalModelObjective::Match> matches;
  matches.reserve(used);
  const double decay = std::log(2.0) / std::max(1.0, options.half_life_days);
  const int fit_year = YearOfDay(fit_day - 1);
  std::array<double, kLeagues> slot_weight{}, slot_goals{};
  for (size_t k = 0; k < used; ++k) {
    const HistoryMatch& m = all[k];
    const int h = model.index_[m.home], a = model.index_[m.away];
    const int slot = options.per_league ? GoalModel::LeagueSlot(m.league) : 0;
    const double w = std::exp(-decay * (fit_day - m.day)) *
                     std::pow(options.season_carry, fit_year - YearOfDay(m.day));
    matches.push_back({h, a, slot, m.home_goals, m.away_goals, w});
    for (int c : {h, a}) {
      ClubStrength& club = model.clubs_[c];
      club.weight += w;
      ++club.matches;
      if (m.league != kLeagueUnknown) {
        club.league = m.league;
        season_league[c][YearOfDay(m.day)] = m.league;
      }
    }
    slot_weight[slot] += w;
    slot_goals[slot] += w * (m.home_goals + m.away_goals) / 2.0;
  }
  if (clubs < 2) return model;

  GoalModelObjective objective(std::move(matches), clubs, options.ridge);
  const int free = clubs - 1;
  std::vector<double> x(objective.Size(), 0.0);
  double total_w = 0, total_g = 0;
  for (int s = 0; s < kLeagues; ++s) {
    total_w += slot_weight[s];
    total_g += slot_goals[s];
  }
  for (int s = 0; s < kLeagues; ++s) {
    const double mean = slot_weight[s] > 0 ? slot_goals[s] / slot_weight[s] : total_g / total_w;
    x[2 * free + s] = std::log(std::max(mean, 0.1));
    x[2 * free + kLeagues + s] = 0.1;
  }
  if (warm) {
    // Clubs the earlier fit knew start from its figures; the sum of the
    // free ones stays near zero, so the last club's starts near its own too.
    for (int i = 0; i < free; ++i) {
      if (const ClubStrength* c = warm->Club(model.clubs_[i].name)) {
        x[i] = c->attack;
        x[free + i] = c->defence;
      }
    }
    for (int s = 0; s < kLeagues; ++s) {
      if (slot_weight[s] > 0 && warm->intercept_[s] != 0) {
        x[2 * free + s] = warm->intercept_[s];
        x[2 * free + kLeagues + s] = warm->home_[s];
      }
    }
    x.back() = std::clamp(warm->rho_, options.rho_min, options.rho_max);
  }

  nlopt::opt opt(nlopt::LD_LBFGS, static_cast<unsigned>(x.size()));
  std::vector<double> lower(x.size(), -10.0), upper(x.size(), 10.0);
  lower.back() = options.rho_min;
  upper.back() = options.rho_max;
  opt.set_lower_bounds(lower);
  opt.set_upper_bounds(upper);
  opt.set_min_objective(ObjectiveThunk, &objective);
  opt.set_ftol_rel(1e-11);
  opt.set_xtol_rel(1e-8);
  opt.set_maxeval(5000);
  double value = 0;
  try {
    opt.optimize(x, value);
  } catch (const nlopt::roundoff_limited&) {
    // Converged as far as the arithmetic allows: x holds the best point.
  } catch (const std::exception&) {
    // Out of memory or an invalid argument: x is still the best point
    // found, at worst the start.
  }
  model.evaluations_ = opt.get_numevals();

  std::vector<double> attack, defence;
  objective.Strengths(x.data(), attack, defence);
  for (int i = 0; i < clubs; ++i) {
    model.clubs_[i].attack = attack[i];
    model.clubs_[i].defence = defence[i];
  }
  model.rho_ = x.back();
  // A league without matches takes the weighted mean of those with them.
  double mean_intercept = 0, mean_home = 0;
  for (int s = 0; s < kLeagues; ++s) {
    mean_intercept += slot_weight[s] * x[2 * free + s] / total_w;
    mean_home += slot_weight[s] * x[2 * free + kLeagues + s] / total_w;
  }
  for (int s = 0; s < kLeagues; ++s) {
    const bool has = slot_weight[s] > 0;
    model.intercept_[s] = has ? x[2 * free + s] : mean_intercept;
    model.home_[s] = has ? x[2 * free + kLeagues + s] : mean_home;
  }

  // The promoted-club start of a league: the mean strengths of the clubs
  // that came into it from a lower league (or, for the lowest, from outside
  // the history) in the last seasons; without any, of its current clubs.
  int first_year = all.empty() ? 0 : YearOfDay(all.front().day);
  for (int league = 1; league <= 3; ++league) {
    double sa = 0, sd = 0, n = 0;
    for (int i = 0; i < clubs; ++i) {
      for (const auto& [year, lg] : season_league[i]) {
        if (lg != league || year <= first_year || year < fit_year - options.start_seasons) continue;
        auto before = season_league[i].find(year - 1);
        const bool came_up = before == season_league[i].end() ? league == 3 : before->second > lg;
        if (came_up) {
          sa += attack[i];
          sd += defence[i];
          ++n;
        }
      }
    }
    if (n == 0) {
      for (int i = 0; i < clubs; ++i) {
        if (model.clubs_[i].league == league) {
          sa += attack[i];
          sd += defence[i];
          ++n;
        }
      }
    }
    model.start_[league] =
        n > 0 ? std::array<double, 2>{sa / n, sd / n} : std::array<double, 2>{0.0, 0.0};
  }
  return model;
}

}  // namespace zelvo
