// The tests a record must pass before the program trusts it: only a complete
// schedule, a valid vote status and a valid result are cached or used.
#ifndef ZELVOMINI_OFFICIAL_RECORD_CHECKS_H_
#define ZELVOMINI_OFFICIAL_RECORD_CHECKS_H_

#include "official/result_record.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"

namespace zelvo {

// Every check also holds the round's dates to a plausible span: none before
// 2001 or more than a year past today (the payout deadline two years), and
// sale start, sale end, result announcement, payout start and deadline in
// that order.

// Round set, five matches with teams, date and stadium, and for a normal
// round the sale start, sale end and result announcement.
bool IsScheduleComplete(const ScheduleRecord& r);

// Round and as-of time set; every match with teams and date; every outcome
// with votes and a rate above 0, the three rates of a match adding up to
// exactly 100; sales, tickets and cards not negative with multi + single =
// total; the five dates set; sales exactly 100 yen per ticket.
bool IsVoteValid(const VoteStatusRecord& r);

// Round set; every match with stadium and teams, scores of at most 30 and a
// result code of at most 3 that agrees with the score unless the match was
// called off (code 3); unless cancelled, no negative prize, winner count
// or carryover and the five dates set.
bool IsResultValid(const ResultRecord& r);

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_RECORD_CHECKS_H_
