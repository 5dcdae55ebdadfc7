#include <algorithm>

#include "files/toto_settings.h"
#include "official/html_pages.h"
#include "official/html_scrape.h"
#include "official/html_toto.h"
#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

// The round's dates by their labels on the page; the sale end is the day's
// latest time.
struct RoundDate {
  const char* label;
  DateTime ScheduleRecord::*field;
  bool latest_time;
};
constexpr RoundDate kRoundDates[] = {{"販売開始日", &ScheduleRecord::sale_start, false},
                                     {"販売終了日", &ScheduleRecord::sale_end, true},
                                     {"結果発表日", &ScheduleRecord::result_announcement, false},
                                     {"払戻開始日", &ScheduleRecord::payout_start, false},
                                     {"払戻期限", &ScheduleRecord::payout_deadline, false}};

const RoundDate* RoundDateOf(const std::string& text) {
  for (const RoundDate& d : kRoundDates) {
    if (text == d.label) return &d;
  }
  return nullptr;
}

}  // namespace

std::string clsHtmlSchedule::PageUrl(int round, const std::string&) {
  return totoSettings().totoOfficialScheduleUrl + PadRound(round, 4);
}

bool clsHtmlSchedule::Read(const std::vector<std::string>& texts, const std::string& group,
                           int round) {
  if (Walk(texts, group)) return true;
  // The site answers a round it does not know with another round's page,
  // whose clubs are not the user's to add now.
  if (unresolved_.empty() || (round != 0 && page_round_ != round)) return false;
  const bool offer = static_cast<bool>(UnknownTeams);
  const bool added = offer && UnknownTeams(unresolved_);
  if (added) {
    toto_data_ = clsTotoData();
    if (Walk(texts, group)) return true;
    if (unresolved_.empty()) return false;
  }
  // Declined in the dialog: the user has seen every name already.
  if (offer && !added) {
    LastUnresolvedTeamName() = unresolved_.front();
  } else {
    ReportUnresolvedTeamName(unresolved_.front());
  }
  return false;
}

bool clsHtmlSchedule::Walk(const std::vector<std::string>& texts, const std::string& group) {
  ScheduleRecord r;
  r.Kumi = group;
  unresolved_.clear();
  // Every club the tables lack is collected before the page fails, so that
  // the user can add them all at once.
  auto short_name = [&](const std::string& long_name) {
    std::string name = toto_data_.FindShortTeamName(long_name, r.Kaisaikai);
    if (name.empty() &&
        std::find(unresolved_.begin(), unresolved_.end(), long_name) == unresolved_.end()) {
      unresolved_.push_back(long_name);
    }
    return name;
  };
  int year = platform().Now().Year();
  const std::string marker =
      group.empty() ? "minitotoくじ情報" : "minitoto-" + group + "組くじ情報";
  const size_t heading =
      FindRoundHeading(texts, "ご指定のくじ情報は表示できません。", marker, r.Kaisaikai);
  page_round_ = r.Kaisaikai;
  if (heading == texts.size()) {
    unpublished_ = true;
    return false;
  }
  bool last_match_read = false;
  bool error = false;
  try {
    for (size_t i = heading; i < texts.size();) {
      const std::string& t = texts[i];
      // The page lists every product of the round in turn.  A cancelled
      // part has no payout deadline to end on, so the next part's heading
      // ends it instead of its rows being read as more matches of this one.
      if (i != heading && t.starts_with("第") && Contains(t, "回") && Contains(t, "くじ情報")) {
        // Before the fifth match, the part was cut short: the next part's
        // rows belong to another group.
        if (!last_match_read) error = true;
        break;
      }
      if (t == "くじは中止となりました。") {
        r.holding_state = kHoldingCancelled;
      } else if (const RoundDate* d = RoundDateOf(t)) {
        std::string value = TextAt(texts, i + 1);
        r.*d->field = d->latest_time ? clsHtmlToto::StringToDateEx2(value)
                                     : clsHtmlToto::StringToDateEx(value);
        // The sale fixes the season of the match dates; the payout deadline
        // ends the part.
        if (d->field == &ScheduleRecord::sale_start) year = r.sale_start.Year();
        if (d->field == &ScheduleRecord::payout_deadline) break;
        i += 2;
        continue;
      } else if (int n = MatchNumberText(t, 14); n > 0) {
        if (last_match_read || n > 5) {
          error = true;
          break;
        }
        ScheduleMatch m;
        m.match_date =
            ConvertDate(std::to_string(year) + "/" + TextAt(texts, i + 1), year).DatePart();
        m.kickoff = ConvertDate(TextAt(texts, i + 2), year).TimePart();
        m.stadium = TextAt(texts, i + 3);
        const std::string& home = TextAt(texts, i + 4);
        m.state = TextAt(texts, i + 5);
        const std::string& away = TextAt(texts, i + 6);
        // A row whose middle cell is neither is not a match row of this
        // layout; looking its cells up as teams would only warn about names
        // that are no teams.
        if (m.state != "VS" && m.state != "中止") {
          error = true;
          break;
        }
        if (r.Kaisaikai == 0) {
          toto_data_.GetShortTeamName(home, 0);  // its message: the round is unknown
          error = true;
          break;
        }
        m.home = short_name(home);
        m.away = short_name(away);
        r.matches[n - 1] = m;
        if (n == 5) last_match_read = true;
        i += 7;
        continue;
      }
      ++i;
    }
  } catch (const PageRowError&) {
    error = true;
  }
  if (error) {
    unresolved_.clear();
    return false;
  }
  if (!unresolved_.empty()) return false;
  record_ = r;
  return true;
}

}  // namespace zelvo
