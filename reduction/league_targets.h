// The J1 and J2 condition groups look at the matches whose home team plays
// in that league in the season of the match; they are refilled from every
// schedule the document loads.
#ifndef ZELVOMINI_REDUCTION_LEAGUE_TARGETS_H_
#define ZELVOMINI_REDUCTION_LEAGUE_TARGETS_H_

#include <array>

#include "core/toto_data.h"
#include "official/schedule_record.h"
#include "reduction/conditions.h"

namespace zelvo {

// Target matches of groups J1 and J2 of one table; the other groups keep
// what the user ticked.  A schedule without a match leaves both empty.
void FillLeagueTargets(std::array<ConditionEntry, kConditionGroups>& entries,
                       const ScheduleRecord& schedule, const clsTotoData& toto_data);
// The same for the three tables.
void FillLeagueTargets(ReductionConditions& conditions, const ScheduleRecord& schedule,
                       const clsTotoData& toto_data);

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_LEAGUE_TARGETS_H_
