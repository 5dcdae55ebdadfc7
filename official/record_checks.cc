#include "official/record_checks.h"

#include <initializer_list>

#include "support/platform.h"

namespace zelvo {
namespace {

constexpr int64_t kDaySeconds = 24 * 60 * 60;

// The span a round's dates may fall in.  Nothing of the lottery predates its
// first sales in 2001; the site announces a round weeks, not years, ahead,
// so a date more than a year past today is a misread page or a damaged file
// (the payout deadline runs a year past the payout start, hence its own
// limit).
struct DateSpan {
  DateTime first = DateTime::Date(2001, 1, 1);
  DateTime last;
  DateTime last_deadline;
};

DateSpan PlausibleSpan() {
  DateSpan span;
  int64_t today = platform().Now().DatePart().seconds();
  span.last = DateTime::FromSeconds(today + 366 * kDaySeconds);
  span.last_deadline = DateTime::FromSeconds(today + 2 * 366 * kDaySeconds);
  return span;
}

bool InSpan(DateTime d, DateTime first, DateTime last) {
  return d.IsZero() || (d.DatePart() >= first && d.DatePart() <= last);
}

// Sale start, sale end, result announcement, payout start and deadline (or a
// cancelled round's refund dates) follow one another; unset ones are skipped.
bool RoundDatesPlausible(DateTime sale_start, DateTime sale_end, DateTime announcement,
                         DateTime payout_start, DateTime deadline,
                         std::initializer_list<DateTime> others) {
  const DateSpan span = PlausibleSpan();
  for (DateTime d : {sale_start, sale_end, announcement, payout_start}) {
    if (!InSpan(d, span.first, span.last)) return false;
  }
  if (!InSpan(deadline, span.first, span.last_deadline)) return false;
  for (DateTime d : others) {
    if (!InSpan(d, span.first, span.last)) return false;
  }
  DateTime previous;
  for (DateTime d : {sale_start, sale_end, announcement, payout_start, deadline}) {
    if (d.IsZero()) continue;
    if (!previous.IsZero() && d.DatePart() < previous.DatePart()) return false;
    previous = d;
  }
  return true;
}

}  // namespace

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
  return RoundDatesPlausible(
      r.sale_start, r.sale_end, r.result_announcement, r.payout_start, r.payout_deadline,
      {r.matches[0].match_date, r.matches[1].match_date, r.matches[2].match_date,
       r.matches[3].match_date, r.matches[4].match_date});
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
  return RoundDatesPlausible(
      r.sale_start, r.sale_end, r.result_announcement, r.payout_start, r.payout_deadline,
      {r.as_of, r.matches[0].match_date, r.matches[1].match_date, r.matches[2].match_date,
       r.matches[3].match_date, r.matches[4].match_date});
}

bool IsResultValid(const ResultRecord& r) {
  if (r.Kaisaikai <= 0) return false;
  for (const ResultMatch& m : r.matches) {
    if (m.stadium.empty() || m.home.empty() || m.away.empty()) return false;
    if (m.home_score > 30 || m.away_score > 30 || m.result > kResultCancelled) return false;
    // A played match's code follows from its score; only a match called off
    // may keep the score it had when it was stopped.
    if (m.result != kResultCancelled) {
      const uint8_t by_score = m.home_score > m.away_score   ? 1
                               : m.home_score < m.away_score ? 2
                                                             : 0;
      if (m.result != by_score) return false;
    }
  }
  if (!RoundDatesPlausible(
          r.sale_start, r.sale_end, r.result_announcement, r.payout_start, r.payout_deadline,
          {r.matches[0].match_date, r.matches[1].match_date, r.matches[2].match_date,
           r.matches[3].match_date, r.matches[4].match_date})) {
    return false;
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
