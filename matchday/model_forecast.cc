#include "matchday/model_forecast.h"

#include <cstdint>

#include "matchday/purchase.h"
#include "model/match_history.h"
#include "model/round_model.h"
#include "official/schedule_record.h"
#include "support/format.h"

namespace zelvo {

MatchModelForecast GoalModelForecast(int round, const std::string& group,
                                     const VoteStatusRecord& vote, const clsTotoData& toto) {
  MatchModelForecast forecast;
  ScheduleRecord schedule;
  if (!CachedRoundSchedule(round, group, schedule) && vote.matches[0].home.empty()) {
    return forecast;
  }
  const RoundPrediction p = PredictRound(schedule, vote, toto);
  if (!p.ok || p.PredictedCount() == 0) return forecast;
  int y = 0, mo = 0, d = 0;
  CivilFromDay(p.fit_day, y, mo, d);
  forecast.name = "(" + FormatNumber(static_cast<int64_t>(y), "0000") + "/" +
                  FormatNumber(static_cast<int64_t>(mo), "00") + "/" +
                  FormatNumber(static_cast<int64_t>(d), "00") + ", " +
                  FormatNumber(static_cast<int64_t>(p.history_matches), "#,##0") + ")";
  for (int m = 0; m < kMatches; ++m) {
    if (!p.predicted[m]) continue;
    forecast.chances[m] = p.matches[m].p;
    forecast.rates[m] = GoalRates{p.matches[m].home_goals, p.matches[m].away_goals};
  }
  return forecast;
}

}  // namespace zelvo
