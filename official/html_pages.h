// The scrapers of the official site's three pages: the schedule, the vote
// rates and the result of a round, each read into its record.  Each holds
// only its address and its walk over the page's texts (html_schedule.cc,
// html_vote.cc, html_result.cc); the download, the page checks and the
// report are the page reader's.
#ifndef ZELVOMINI_OFFICIAL_HTML_PAGES_H_
#define ZELVOMINI_OFFICIAL_HTML_PAGES_H_

#include <functional>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "official/page_reader.h"
#include "official/result_record.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"

namespace zelvo {

// The schedule page, read into a ScheduleRecord.
class clsHtmlSchedule : public OfficialPage<clsHtmlSchedule, ScheduleRecord> {
 public:
  clsHtmlSchedule() : OfficialPage("clsHtmlSchedule", "GetSchedule", "開催情報") {}

  // False on a failed download, a page without the round (Unpublished) or
  // of another round (OtherRound), or malformed match rows; unexpected
  // errors are reported under "GetSchedule".
  bool GetSchedule(int round, const std::string& group) { return Download(round, group); }

  // totoOfficialScheduleUrl and the round with at least four digits.
  static std::string PageUrl(int round, const std::string& group = {});

  // The long names of the last read that no table knows, in page order.
  const std::vector<std::string>& UnresolvedTeams() const { return unresolved_; }

  // Offered every unknown club of a page that is otherwise readable; true
  // when they were added to the tables, and the page is then read again with
  // the tables reloaded.  Unset, the first unknown name is reported.
  std::function<bool(const std::vector<std::string>& long_names)> UnknownTeams;

 private:
  friend OfficialPage;
  bool Read(const std::vector<std::string>& texts, const std::string& group, int round);
  bool Walk(const std::vector<std::string>& texts, const std::string& group);

  // Loaded once with the object: a new scraper sees changed team-name files.
  clsTotoData toto_data_;
  std::vector<std::string> unresolved_;
};

// The vote-rate page, read into a VoteStatusRecord.
class clsHtmlVote : public OfficialPage<clsHtmlVote, VoteStatusRecord> {
 public:
  clsHtmlVote() : OfficialPage("clsHtmlVote", "GetVote", "投票状況情報") {}

  // False on a failed download, a page without an as-of time (Unpublished)
  // or of another round (OtherRound), or an unreadable vote cell;
  // unexpected errors are reported under "GetVote".
  bool GetVote(int round, const std::string& group) { return Download(round, group); }

  // totoOfficialVoteUrl, the round with at least four digits and the mini
  // toto A or B suffix.
  static std::string PageUrl(int round, const std::string& group);

  // The page gave the figures at the end of the sale ("販売終了時点"); only
  // such a status is worth caching.
  bool Final() const { return final_; }

 private:
  friend OfficialPage;
  bool Read(const std::vector<std::string>& texts, const std::string& group, int round);

  bool final_ = false;
};

// The result page, read into a ResultRecord.
class clsHtmlResult : public OfficialPage<clsHtmlResult, ResultRecord> {
 public:
  clsHtmlResult() : OfficialPage("clsHtmlResult", "GetResult", "結果情報") {}

  // False on a failed download, a page without the round (Unpublished) or
  // of another round (OtherRound), or a malformed match row; unexpected
  // errors are reported under "GetResult".
  bool GetResult(int round, const std::string& group) { return Download(round, group); }

  // totoOfficialResultUrl and the round with at least four digits: one page
  // holds both groups.
  static std::string PageUrl(int round, const std::string& group = {});

 private:
  friend OfficialPage;
  bool Read(const std::vector<std::string>& texts, const std::string& group, int round);
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_PAGES_H_
