// How good the model's probabilities are on matches it has not seen: a
// rolling evaluation that refits at the start of every month of the test
// period on everything before it, scored with the log loss, the ranked
// probability score and the Brier score against the training base rates,
// the uniform third and, where the archive has them, the public's final
// vote rates.
#ifndef ZELVOMINI_MODEL_EVALUATION_H_
#define ZELVOMINI_MODEL_EVALUATION_H_

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/goal_model.h"
#include "model/match_history.h"

namespace zelvo {

// Probabilities by outcome code: 0 draw, 1 home win, 2 away win.
using Outcome3 = std::array<double, 3>;

// The outcome code of a score.
int OutcomeOf(int home_goals, int away_goals);
// -ln p(outcome).
double LogLoss(const Outcome3& p, int outcome);
// The ranked probability score over the order home win, draw, away win:
// half the sum of the squared differences of the cumulative forecasts and
// outcomes after the first and second category (0 best, 1 worst).
double RankedProbabilityScore(const Outcome3& p, int outcome);
// The sum over the three outcomes of (p - observed)^2 (0 best, 2 worst).
double BrierScore(const Outcome3& p, int outcome);

struct ScoreTotals {
  int matches = 0;
  double log_loss = 0, rps = 0, brier = 0;  // sums

  void Add(const Outcome3& p, int outcome);
  double MeanLogLoss() const { return matches ? log_loss / matches : 0; }
  double MeanRps() const { return matches ? rps / matches : 0; }
  double MeanBrier() const { return matches ? brier / matches : 0; }
};

// Every outcome probability of every match, in tenths (0.0-0.1 ... 0.9-1.0),
// with how often that outcome happened.
struct CalibrationBin {
  int count = 0;
  double predicted = 0;  // sum of the probabilities
  int happened = 0;
  double MeanPredicted() const { return count ? predicted / count : 0; }
  double Observed() const { return count ? static_cast<double>(happened) / count : 0; }
};
using Calibration = std::array<CalibrationBin, 10>;
void AddToCalibration(Calibration& c, const Outcome3& p, int outcome);

// The public's final vote rates of a match, read as probabilities.
struct PublicForecast {
  int day = 0;
  std::string home, away;
  Outcome3 p{};
};

struct EvaluatedMatch {
  HistoryMatch match;
  Outcome3 model{};
  Outcome3 base{};
  bool has_public = false;
  Outcome3 vote{};
};

struct EvaluationReport {
  std::vector<EvaluatedMatch> matches;  // the predicted test matches, in date order
  ScoreTotals model, base, uniform;
  Calibration calibration{};       // the model's
  Calibration base_calibration{};  // the base rates'
  // Why test matches were left out, with how many.
  std::map<std::string, int> skipped;
  int refits = 0;
  int test_matches = 0;  // lines in the test files
  // Over the test matches the archive has final vote rates of.
  ScoreTotals public_model, public_base, public_uniform, public_votes;
  Calibration public_calibration{};
  double seconds = 0;  // time the refits and predictions took

  int SkippedCount() const;
};

// Refits at the first day of every month that has test matches, on the
// history and the test matches before that day, and predicts that month's
// test matches.  A test match that is also in the history is the same match
// (one per pair and day).  `progress` (may be empty) hears refits done of
// total and may answer false to stop early (the report then covers the months
// done).
EvaluationReport EvaluateRolling(const MatchHistory& history, const std::vector<HistoryMatch>& test,
                                 const GoalModelOptions& options,
                                 const std::vector<PublicForecast>& votes = {},
                                 const std::function<bool(int done, int total)>& progress = {});

// One row per predicted test match:
// "date,home,away,home_goals,away_goals,p_home,p_draw,p_away".
std::string EvaluationCsv(const EvaluationReport& report);

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_EVALUATION_H_
