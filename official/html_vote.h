// The vote-rate page of the official site, scraped into a VoteStatusRecord.
#ifndef ZELVOMINI_OFFICIAL_HTML_VOTE_H_
#define ZELVOMINI_OFFICIAL_HTML_VOTE_H_

#include <string>
#include <vector>

#include "official/html_get.h"
#include "official/vote_record.h"

namespace zelvo {

class clsHtmlVote {
 public:
  // Downloads the page of the round and group.  False on a failed download,
  // a page without an as-of time (Unpublished) or an unreadable vote cell;
  // unexpected errors are reported under "GetVote".
  bool GetVote(int round, const std::string& group);
  // The walk over a page's body texts (texts[0] is the first).
  bool ReadTexts(const std::vector<std::string>& texts, const std::string& group);

  // totoOfficialVoteUrl, the round with at least four digits and the mini
  // toto A or B suffix.
  static std::string PageUrl(int round, const std::string& group);

  const VoteStatusRecord& Record() const { return record_; }
  bool Unpublished() const { return unpublished_; }
  // The user cancelled the download in the progress window.
  bool Cancelled() const { return html_.Cancelled(); }
  // The page gave the figures at the end of the sale ("販売終了時点"); only
  // such a status is worth caching.
  bool Final() const { return final_; }

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  bool Walk(const std::vector<std::string>& texts, const std::string& group);

  clsHtmlGet html_;
  VoteStatusRecord record_;
  bool unpublished_ = false;
  bool final_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_VOTE_H_
