#include <algorithm>
#include <iterator>

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

// Outcome codes of the three vote cells of a row, in page order.
constexpr int kCellOutcomes[3] = {1, 0, 2};

}  // namespace

std::string clsHtmlVote::PageUrl(int round, const std::string& group) {
  const TotoSettings& s = totoSettings();
  std::string url = s.totoOfficialVoteUrl + PadRound(round, 4);
  if (group == "A") url += s.totoOfficialMiniTotoAUrl;
  if (group == "B") url += s.totoOfficialMiniTotoBUrl;
  return url;
}

bool clsHtmlVote::Read(const std::vector<std::string>& texts, const std::string& group, int) {
  VoteStatusRecord r;
  r.Kumi = group;
  final_ = false;
  int year = platform().Now().Year();
  const size_t heading =
      FindRoundHeading(texts, "ご指定の投票状況は表示できません。", "", r.Kaisaikai);
  // The page names its group beside the round; another group's page at this
  // group's address would be cached under the wrong group for good.
  if (heading < texts.size() && !group.empty()) {
    const std::string& t = texts[heading];
    if ((Contains(t, "A組") || Contains(t, "B組")) && !Contains(t, group + "組")) return false;
  }
  bool as_of_found = false;
  bool final = false;
  bool error = false;
  DateTime match_date;
  DateTime kickoff;
  size_t i = heading + 1;
  while (i < texts.size()) {
    const std::string& t = texts[i];
    if (!as_of_found) {
      DateTime as_of;
      if (clsHtmlToto::GetStringToDateNow(t, as_of, final)) {
        r.as_of = as_of;
        year = as_of.Year();
        as_of_found = true;
        // A round's heading with the time of its figures: the page is a
        // vote page, so its round is the page's round.
        page_round_ = r.Kaisaikai;
      }
      ++i;
      continue;
    }
    auto figures = [&](std::array<Money, 3>& out) {
      for (size_t k = 0; k < 3; ++k) {
        out[k] = clsHtmlToto::StringToFigure(TextAt(texts, i + 1 + k));
      }
      i += 4;
    };
    auto date_after = [&]() {
      std::string value = TextAt(texts, i + 1);
      i += 2;
      return clsHtmlToto::StringToDateEx(value);
    };
    const auto total = std::find_if(std::begin(kVoteTotals), std::end(kVoteTotals),
                                    [&t](const VoteTotal& v) { return t == v.name; });
    if (total != std::end(kVoteTotals)) {
      figures(r.*total->figures);
    } else if (t == "販売期間") {
      clsHtmlToto::DateString2(TextAt(texts, i + 1), r.sale_start, r.sale_end);
      i += 2;
    } else if (t == "結果発表日") {
      r.result_announcement = date_after();
    } else if (t == "払戻開始日") {
      r.payout_start = date_after();
    } else if (t == "払戻期限") {
      r.payout_deadline = date_after();
    } else {
      // A row begins with its date and kick-off time when it is the first
      // of its day; later rows of the day share them.
      DateTime date;
      if (IsDateText(std::to_string(year) + "/" + t, year, &date)) {
        match_date = date.DatePart();
        kickoff = ConvertDate(TextAt(texts, i + 1), year).TimePart();
        i += 2;
      }
      if (i >= texts.size()) break;
      std::string cell = texts[i];
      if (Contains(cell, "中止")) cell = SubChars(cell, 2);
      if (int n = MatchNumberText(cell, 13); n > 0) {
        if (n > 5) {
          error = true;
          break;
        }
        VoteMatch& m = r.matches[n - 1];
        m.home = TextAt(texts, i + 1);
        for (size_t c = 0; c < 3; ++c) {
          VoteOutcome& o = m.outcomes[kCellOutcomes[c]];
          if (!clsHtmlToto::GetValue2(TextAt(texts, i + 2 + c), o.count, o.rate)) {
            throw PageRowError{};
          }
        }
        m.away = TextAt(texts, i + 5);
        m.match_date = match_date;
        m.kickoff = kickoff;
        i += 6;
      } else {
        ++i;
      }
    }
  }
  if (error) return false;
  if (!as_of_found) {
    unpublished_ = true;
    return false;
  }
  if (final) r.as_of = r.sale_end;
  final_ = final;
  record_ = r;
  return true;
}

}  // namespace zelvo
