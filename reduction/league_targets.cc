#include "reduction/league_targets.h"

namespace zelvo {

void FillLeagueTargets(std::array<ConditionEntry, kConditionGroups>& entries,
                       const ScheduleRecord& schedule, const clsTotoData& toto_data) {
  for (int m = 0; m < 5; ++m) {
    const ScheduleMatch& match = schedule.matches[m];
    std::string league;
    // A match without a date belongs to no season.
    if (!match.match_date.IsZero()) {
      league = toto_data.GetShortToJ1J2String(match.home, match.match_date.Year());
    }
    entries[kGroupJ1].target_matches[m] = league == "J1";
    entries[kGroupJ2].target_matches[m] = league == "J2";
  }
}

void FillLeagueTargets(ReductionConditions& conditions, const ScheduleRecord& schedule,
                       const clsTotoData& toto_data) {
  for (ConditionTable t :
       {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
    FillLeagueTargets(conditions.Table(t), schedule, toto_data);
  }
}

}  // namespace zelvo
