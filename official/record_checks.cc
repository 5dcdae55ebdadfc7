#include "official/record_checks.h"

namespace zelvo {

bool IsScheduleComplete(const ScheduleRecord& r) {
  if (r.Kaisaikai < 1) return false;
  for (const ScheduleMatch& m : r.matches) {
    if (m.home.empty() || m.away.empty() || m.match_date.IsZero() || m.stadium.empty()) {
      return false;
    }
  }
  if (r.holding_state == kHoldingNormal &&
      (r.sale_start.IsZero() || r.sale_end.IsZero() || r.result_announcement.IsZero())) {
    return false;
  }
  return true;
}

bool IsVoteValid(const VoteStatusRecord& r) {
  if (r.Kaisaikai <= 0 || r.as_of.IsZero()) return false;
  const Money zero;
  const Money hundred = Money::FromInt(100);
  for (const VoteMatch& m : r.matches) {
    if (m.home.empty() || m.away.empty() || m.match_date.IsZero()) return false;
    Money sum;
    for (const VoteOutcome& o : m.outcomes) {
      if (o.count <= zero || o.rate <= zero) return false;
      sum += o.rate;
    }
    if (sum != hundred) return false;
  }
  for (const auto* figures : {&r.sales, &r.tickets, &r.cards}) {
    for (Money v : *figures) {
      if (v < zero) return false;
    }
    if ((*figures)[kMulti] + (*figures)[kSingle] != (*figures)[kTotal]) return false;
  }
  for (DateTime d :
       {r.sale_start, r.sale_end, r.result_announcement, r.payout_start, r.payout_deadline}) {
    if (d.IsZero()) return false;
  }
  for (int k : {kTotal, kMulti, kSingle}) {
    if (r.sales[k] != r.tickets[k] * hundred) return false;
  }
  return true;
}

bool IsResultValid(const ResultRecord& r) {
  if (r.Kaisaikai <= 0) return false;
  for (const ResultMatch& m : r.matches) {
    if (m.stadium.empty() || m.home.empty() || m.away.empty()) return false;
    if (m.home_score > 30 || m.away_score > 30 || m.result > kResultCancelled) return false;
  }
  if (r.cancelled) return true;
  const Money zero;
  for (const auto* grades : {&r.prize, &r.winners, &r.carryover}) {
    for (Money v : *grades) {
      if (v < zero) return false;
    }
  }
  for (DateTime d :
       {r.sale_start, r.sale_end, r.result_announcement, r.payout_start, r.payout_deadline}) {
    if (d.IsZero()) return false;
  }
  return true;
}

}  // namespace zelvo
