#include <algorithm>
#include <iterator>

#include "core/toto_rules.h"
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

uint8_t ByteOf(const std::string& text) {
  int v = 0;
  if (!ParseInt32(Trim(text), v)) throw RuntimeError(kErrTypeMismatch);
  if (v < 0 || v > 255) throw RuntimeError(kErrOverflow);
  return static_cast<uint8_t>(v);
}

}  // namespace

std::string clsHtmlResult::PageUrl(int round, const std::string&) {
  return totoSettings().totoOfficialResultUrl + PadRound(round, 4);
}

bool clsHtmlResult::Read(const std::vector<std::string>& texts, const std::string& group, int) {
  ResultRecord r;
  r.Kumi = group;
  const std::string marker =
      group.empty() ? "minitotoくじ結果" : "minitoto-" + group + "組くじ結果";
  const size_t heading =
      FindRoundHeading(texts, "ご指定のくじ結果は表示できません。", marker, r.Kaisaikai);
  if (heading == texts.size()) {
    unpublished_ = true;
    return false;
  }
  page_round_ = r.Kaisaikai;
  const size_t grades = static_cast<size_t>(totoRules().GetMaxGrade(r.Kaisaikai));
  r.prize.assign(grades, Money());
  r.winners.assign(grades, Money());
  r.carryover.assign(grades, Money());
  bool error = false;
  bool last_match_read = false;
  bool row_place_known = false;
  DateTime row_date;
  std::string row_stadium;
  // Whether the next texts are exactly these headers.
  auto headed_by = [&texts](size_t at, std::initializer_list<const char*> heads) {
    for (const char* head : heads) {
      if (at >= texts.size() || texts[at] != head) return false;
      ++at;
    }
    return true;
  };
  size_t i = heading + 1;
  while (i < texts.size()) {
    const std::string& t = texts[i];
    auto per_grade = [&](std::vector<Money>& out) {
      for (Money& v : out) {
        ++i;
        v = clsHtmlToto::StringToFigure(TextAt(texts, i));
      }
      ++i;
    };
    auto date_at = [&](size_t at) {
      std::string value = TextAt(texts, at);
      return clsHtmlToto::StringToDateEx(value);
    };
    // The next group's heading ends a part whose payout dates are missing;
    // met before the part's fifth match, it ends a part cut short, whose
    // rows must not be filled from the other group's.
    if (t.starts_with("第") && Contains(t, "回") && Contains(t, "くじ結果")) {
      if (!last_match_read) error = true;
      break;
    }
    const auto figures = std::find_if(std::begin(kPerGradeFigures), std::end(kPerGradeFigures),
                                      [&t](const PerGradeFigures& g) { return t == g.name; });
    if (figures != std::end(kPerGradeFigures)) {
      per_grade(r.*figures->values);
    } else if (t == "販売期間") {
      if (headed_by(i + 1, {"販売開始日", "販売終了日", "結果発表日"})) {
        r.sale_start = date_at(i + 4);
        r.sale_end = date_at(i + 5);
        r.result_announcement = date_at(i + 6);
        i += 7;
      } else {
        ++i;
      }
    } else if (t == "払戻日" && headed_by(i + 1, {"払戻開始日", "払戻期限"})) {
      r.payout_start = date_at(i + 3);
      r.payout_deadline = date_at(i + 4);
      break;
    } else if (t == "返還日" && headed_by(i + 1, {"返還確定日", "返還開始日", "返還期限"})) {
      r.result_announcement = date_at(i + 4);
      r.payout_start = date_at(i + 5);
      r.payout_deadline = date_at(i + 6);
      break;
    } else if (DateTime date; IsDateText(t, platform().Now().Year(), &date) && date.HasDate()) {
      // The first row of a day carries the date and the stadium; the
      // day's later rows share them.
      row_date = date;
      row_stadium = TextAt(texts, i + 1);
      row_place_known = true;
      i += 2;
    } else if (!row_place_known) {
      ++i;
    } else if (int n = MatchNumberText(t, 13); n > 0) {
      if (last_match_read || n > 5) {
        error = true;
        break;
      }
      ResultMatch m;
      m.match_date = row_date;
      m.stadium = row_stadium;
      m.home = TextAt(texts, i + 1);
      const std::string& score = TextAt(texts, i + 2);
      m.away = TextAt(texts, i + 3);
      const std::string& result = TextAt(texts, i + 4);
      if (score == "中止") {
        m.result = kResultCancelled;
      } else {
        std::vector<std::string> goals = Split(score, "-");
        if (goals.size() != 2) throw RuntimeError(kErrTypeMismatch);
        m.home_score = ByteOf(goals[0]);
        m.away_score = ByteOf(goals[1]);
        // The result cell holds an outcome code or "中止"; a figure above
        // 2 (a "3" among them) is no outcome of a played match, and a
        // cancelled one says so in words.
        if (result == "中止") {
          m.result = kResultCancelled;
        } else {
          m.result = ByteOf(result);
          if (m.result > 2) throw PageRowError{};
        }
      }
      r.matches[n - 1] = m;
      if (n == 5) last_match_read = true;
      i += 5;
    } else {
      ++i;
    }
  }
  if (error) return false;
  bool all_cancelled = true;
  for (const ResultMatch& m : r.matches) {
    if (m.result != kResultCancelled) all_cancelled = false;
  }
  r.cancelled = all_cancelled;
  // Old pages print match days without a year, which the date cells then
  // take from today; the sale (or the refund) fixes the season.  A reference
  // date the page did not give fixes nothing.
  DateTime reference = r.cancelled ? r.result_announcement : r.sale_start;
  if (!reference.IsZero() && r.matches[0].match_date.Year() != reference.Year()) {
    for (ResultMatch& m : r.matches) {
      if (m.match_date.IsZero()) continue;
      m.match_date = DateTime::Date(reference.Year(), m.match_date.Month(), m.match_date.Day());
    }
  }
  record_ = r;
  return true;
}

}  // namespace zelvo
