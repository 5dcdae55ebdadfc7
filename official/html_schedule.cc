#include "official/html_schedule.h"

#include <algorithm>

#include "files/toto_settings.h"
#include "official/html_scrape.h"
#include "official/html_toto.h"
#include "official/official_xml.h"
#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsHtmlSchedule";

}  // namespace

std::string clsHtmlSchedule::PageUrl(int round) {
  return totoSettings().totoOfficialScheduleUrl + PadRound(round, 4);
}

bool clsHtmlSchedule::GetSchedule(int round, const std::string& group) {
  record_ = ScheduleRecord();
  unpublished_ = false;
  try {
    html_.SetProgressDialogMessage("第" + std::to_string(round) +
                                   "回 開催情報取得中 (オフィシャル)");
    if (html_.GetHttp(PageUrl(round), "", 8) == 0) return false;
    std::vector<std::string> texts;
    html_.GetTextData(texts);
    return Read(texts, group, round);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetSchedule", e);
    return false;
  }
}

bool clsHtmlSchedule::ReadTexts(const std::vector<std::string>& texts, const std::string& group) {
  return Read(texts, group, 0);
}

bool clsHtmlSchedule::Read(const std::vector<std::string>& texts, const std::string& group,
                           int round) {
  record_ = ScheduleRecord();
  unpublished_ = false;
  try {
    if (Walk(texts, group)) return true;
    if (unresolved_.empty()) return false;
    // The site answers a round it does not know with another round's page,
    // whose clubs are not the user's to add now.
    const bool offer = UnknownTeams && (round == 0 || page_round_ == round);
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
  } catch (const std::exception& e) {
    ReportException(kClass, "GetSchedule", e);
    return false;
  }
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
  bool found = false;
  size_t heading = 0;
  bool last_match_read = false;
  bool error = false;
  try {
    size_t i = 0;
    while (i < texts.size()) {
      const std::string& t = texts[i];
      if (!found) {
        if (t == "ご指定のくじ情報は表示できません。") break;
        if (Contains(t, marker) && t.starts_with("第") && Contains(t, "回")) {
          int round = 0;
          if (clsHtmlToto::GetKaisaikai(t, round, marker)) {
            r.Kaisaikai = round;
            found = true;
            heading = i;
          }
        }
        if (!found) {
          ++i;
          continue;
        }
      }
      auto date_after = [&](bool latest_time) {
        std::string value = TextAt(texts, i + 1);
        return latest_time ? clsHtmlToto::StringToDateEx2(value)
                           : clsHtmlToto::StringToDateEx(value);
      };
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
      } else if (t == "販売開始日") {
        r.sale_start = date_after(false);
        year = r.sale_start.Year();
        i += 2;
        continue;
      } else if (t == "販売終了日") {
        r.sale_end = date_after(true);
        i += 2;
        continue;
      } else if (t == "結果発表日") {
        r.result_announcement = date_after(false);
        i += 2;
        continue;
      } else if (t == "払戻開始日") {
        r.payout_start = date_after(false);
        i += 2;
        continue;
      } else if (t == "払戻期限") {
        r.payout_deadline = date_after(false);
        break;
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
  page_round_ = r.Kaisaikai;
  if (!found) {
    unpublished_ = true;
    return false;
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
