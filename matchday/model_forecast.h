// The goal model's word on a round's matches for the match-day view: each
// known match's chances before kick-off and its expected goals, which the
// view scales to the time left of a match in play.
#ifndef ZELVOMINI_MATCHDAY_MODEL_FORECAST_H_
#define ZELVOMINI_MATCHDAY_MODEL_FORECAST_H_

#include <string>

#include "core/toto_data.h"
#include "matchday/match_day.h"
#include "official/vote_record.h"

namespace zelvo {

// The model fitted on the history before the round's first match day (the
// clubs and dates of the round's cached schedule, else of `vote`); empty
// where the history knows no club of a match, and wholly empty when there is
// no fit.
MatchModelForecast GoalModelForecast(int round, const std::string& group,
                                     const VoteStatusRecord& vote, const clsTotoData& toto);

}  // namespace zelvo

#endif  // ZELVOMINI_MATCHDAY_MODEL_FORECAST_H_
