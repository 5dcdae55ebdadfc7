// The goal model at work on a round: the fit on the history before the
// round's first match, kept for the next asker, and each match's
// probabilities, or why a match is left to the user.
#ifndef ZELVOMINI_MODEL_ROUND_MODEL_H_
#define ZELVOMINI_MODEL_ROUND_MODEL_H_

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "model/evaluation.h"
#include "model/goal_model.h"
#include "model/history_sources.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"
#include "reduction/single_value.h"

namespace zelvo {

// The fit of `history` before `fit_day` with the given options, from a
// process-wide cache keyed by the history's fingerprint, the day and the
// options: a window or a document asking again gets the same fit at once.
std::shared_ptr<const GoalModel> CachedFit(const MatchHistory& history, int fit_day,
                                           const GoalModelOptions& options);

// The clubs and date of each of a round's five matches.
struct RoundMatch {
  std::string home, away;
  int day = 0;  // 0 when the date is not known
};
using RoundMatches = std::array<RoundMatch, 5>;
RoundMatches MatchesOf(const ScheduleRecord& schedule);
RoundMatches MatchesOf(const VoteStatusRecord& vote);

struct RoundPrediction {
  bool ok = false;    // a fit was made (the round has dates and there is history)
  std::string error;  // why not
  int fit_day = 0;
  int history_matches = 0;
  std::array<bool, 5> predicted{};
  std::array<MatchPrediction, 5> matches{};
  // Per match left to the user: the clubs the history does not know.
  std::array<std::string, 5> unknown;

  int PredictedCount() const;
};

// Fits on the history before the first match day of the round (from the
// cache when it was fitted before) and predicts each match.
RoundPrediction PredictRound(const RoundMatches& round, const LoadedHistory& history,
                             const clsTotoData& toto,
                             const GoalModelOptions& options = DefaultGoalModelOptions());

// The same for the round a window shows: its clubs and dates from the
// schedule, or from the vote status when the schedule is not in hand.
RoundPrediction PredictRound(const ScheduleRecord& schedule, const VoteStatusRecord& vote,
                             const clsTotoData& toto);

// A match's expected goals, home and away, over the whole match (90 minutes
// and the added time, as full-time scores count them) from the model fitted
// on the history before `day`: the scoring rates of in-play chances.  False
// when a club is not known well enough (see GoalModel::Strength).
bool ExpectedGoalsPer90(const std::string& home, const std::string& away, int day,
                        const clsTotoData& toto, double& home_goals, double& away_goals);

// Own probabilities from a prediction: the model's figures where it has
// them, the matches it has not taken from `keep` (when set) or else from the
// public's vote rates (`vote`), and the source marked with the fit's date and
// history size and the matches it gave.
OwnProbabilities OwnProbabilitiesFromModel(const RoundPrediction& prediction,
                                           const OwnProbabilities& keep,
                                           const VoteStatusRecord& vote);

// The public's final vote rates of the archived rounds, for the evaluation.
std::vector<PublicForecast> ArchivedVoteRates(const clsTotoData& toto);

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_ROUND_MODEL_H_
