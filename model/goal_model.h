// The goal model of Dixon and Coles (1997): each side's goals are Poisson
// with a rate made of the league's scoring level, the home advantage and the
// clubs' attack and defence strengths; the four low scores 0-0, 1-0, 0-1 and
// 1-1 are corrected by one factor rho; older matches count less, their weight
// halving every half-life.  Fitted by maximum likelihood with NLopt's L-BFGS.
#ifndef ZELVOMINI_MODEL_GOAL_MODEL_H_
#define ZELVOMINI_MODEL_GOAL_MODEL_H_

#include <array>
#include <map>
#include <string>
#include <vector>

#include "model/match_history.h"

namespace zelvo {

struct GoalModelOptions {
  // The weight of a match halves every this many days before the fit date.
  double half_life_days = 365;
  // A season's matches count this much less once a new season has begun
  // (squads change between seasons), on top of the half-life.
  double season_carry = 0.85;
  // A penalty on the squares of each club's strengths, in matches' worth of
  // evidence: small, so that it changes no established club, but a club with
  // a handful of one-sided results cannot run off to a wild figure.
  double ridge = 0.25;
  // A club with less weight of matches than this takes a share of its
  // league's promoted-club start, all of it with none.
  double few_matches = 8;
  // Seasons back over which the promoted-club start is averaged.
  int start_seasons = 4;
  // Scoring level and home advantage per league rather than one for all.
  bool per_league = false;
  // Bounds of rho: inside them the four corrected probabilities stay
  // positive for every scoring rate the leagues see.
  double rho_min = -0.2;
  double rho_max = 0.2;

  bool operator==(const GoalModelOptions&) const = default;
};

// The options the program uses, as chosen by the rolling evaluation.
GoalModelOptions DefaultGoalModelOptions();

// P(home goals = x, away goals = y) for x, y from 0 to Size()-1, with the
// low-score correction; the goals beyond are too unlikely to matter (the
// cells are normalised to add up to 1).
class ScoreMatrix {
 public:
  ScoreMatrix(double home_rate, double away_rate, double rho);
  int Size() const { return size_; }
  double At(int home_goals, int away_goals) const {
    return cells_[home_goals * size_ + away_goals];
  }
  // By outcome code: 0 draw, 1 home win, 2 away win.
  std::array<double, 3> Outcomes() const;
  // The mass of the cells before they were normalised: 1 but for the
  // truncated tail (and a negative correction clipped to 0).
  double RawMass() const { return raw_mass_; }

 private:
  int size_ = 0;
  std::vector<double> cells_;
  double raw_mass_ = 0;
};

// The low-score correction factor tau(x, y).
double LowScoreFactor(int home_goals, int away_goals, double home_rate, double away_rate,
                      double rho);

struct ClubStrength {
  std::string name;
  double attack = 0;            // fitted, sum over the clubs 0
  double defence = 0;           // fitted, sum over the clubs 0
  double weight = 0;            // weight of its matches in the fit
  int matches = 0;              // its matches in the fit
  int league = kLeagueUnknown;  // of its latest match
};

// A prediction: probabilities by outcome code (0 draw, 1 home, 2 away) and
// the expected goals of the 90 minutes.
struct MatchPrediction {
  std::array<double, 3> p{};
  double home_goals = 0;
  double away_goals = 0;
};

class GoalModel {
 public:
  int FitDay() const { return fit_day_; }
  // Matches the fit learned from (all played matches before the fit day).
  int HistoryMatches() const { return history_matches_; }
  double Rho() const { return rho_; }
  double HomeAdvantage(int league) const { return home_[LeagueSlot(league)]; }
  double Intercept(int league) const { return intercept_[LeagueSlot(league)]; }
  const std::vector<ClubStrength>& Clubs() const { return clubs_; }
  const ClubStrength* Club(const std::string& name) const;
  // The attack and defence a club new to `league` starts from.
  std::array<double, 2> PromotedStart(int league) const { return start_[LeagueSlot(league)]; }
  // The league a club played its latest match in, 0 when unknown.
  int LeagueOf(const std::string& club) const;
  int Iterations() const { return evaluations_; }

  // The attack and defence used for a club in `league`: the fitted ones,
  // drawn towards the league's promoted-club start when the club has few
  // matches, the start itself when it has none.  False when the club has
  // too few matches and no league is known for it.
  bool Strength(const std::string& club, int league, double& attack, double& defence) const;
  // Expected goals per 90 minutes of the home and away side.  `league` is
  // the league the match is played in (0: the home club's latest).  False
  // when a club is not known well enough (see Strength).
  bool ExpectedGoals(const std::string& home, const std::string& away, int league,
                     double& home_goals, double& away_goals) const;
  bool Predict(const std::string& home, const std::string& away, int league,
               MatchPrediction& out) const;

 private:
  friend GoalModel FitGoalModel(const MatchHistory&, int, const GoalModelOptions&,
                                const GoalModel*);
  static int LeagueSlot(int league) { return league >= 1 && league <= 3 ? league : 0; }

  GoalModelOptions options_;
  int fit_day_ = 0;
  int history_matches_ = 0;
  int evaluations_ = 0;
  double rho_ = 0;
  std::array<double, kLeagues> intercept_{};
  std::array<double, kLeagues> home_{};
  std::array<std::array<double, 2>, kLeagues> start_{};
  std::vector<ClubStrength> clubs_;
  std::map<std::string, int> index_;
};

// Fits on every played match before `fit_day`.  `warm` (may be null) is an
// earlier fit whose figures start the search.  An empty history gives a
// model that knows no club.
GoalModel FitGoalModel(const MatchHistory& history, int fit_day, const GoalModelOptions& options,
                       const GoalModel* warm = nullptr);

// The function the fit minimises, for checking its gradient: minus the
// weighted log-likelihood of the matches plus the strength penalty, over
// the mean weight.  Parameters: attack of clubs 0 to n-2, defence of clubs 0
// to n-2 (club n-1 takes minus the sum of the others), intercept and home
// advantage per league slot 0 to 3, rho.
class GoalModelObjective {
 public:
  struct Match {
    int home, away, slot, home_goals, away_goals;
    double weight;
  };
  GoalModelObjective(std::vector<Match> matches, int clubs, double ridge);
  size_t Size() const { return static_cast<size_t>(2 * (clubs_ - 1) + 2 * kLeagues + 1); }
  int Clubs() const { return clubs_; }
  // `gradient` may be null; otherwise it receives Size() values.
  double Value(const double* x, double* gradient) const;
  // Club strengths out of the parameters (the last club's from the others).
  void Strengths(const double* x, std::vector<double>& attack, std::vector<double>& defence) const;

 private:
  std::vector<Match> matches_;
  int clubs_;
  double ridge_;
  double total_weight_ = 0;
  double log_factorials_ = 0;  // the weighted sum of the constant terms
  mutable std::vector<double> attack_, defence_, grad_attack_, grad_defence_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_GOAL_MODEL_H_
