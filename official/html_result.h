// The result page of the official site, scraped into a ResultRecord.
#ifndef ZELVOMINI_OFFICIAL_HTML_RESULT_H_
#define ZELVOMINI_OFFICIAL_HTML_RESULT_H_

#include <string>
#include <vector>

#include "official/html_get.h"
#include "official/result_record.h"

namespace zelvo {

class clsHtmlResult {
 public:
  // Downloads the result page of the round and reads the group's part.
  // False on a failed download, a page without the round (Unpublished) or a
  // malformed match row; unexpected errors are reported under "GetResult".
  bool GetResult(int round, const std::string& group);
  // The walk over a page's body texts (texts[0] is the first).
  bool ReadTexts(const std::vector<std::string>& texts, const std::string& group);

  // totoOfficialResultUrl and the round with at least four digits: one page
  // holds both groups.
  static std::string PageUrl(int round);

  const ResultRecord& Record() const { return record_; }
  bool Unpublished() const { return unpublished_; }
  // The user cancelled the download in the progress window.
  bool Cancelled() const { return html_.Cancelled(); }

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  bool Walk(const std::vector<std::string>& texts, const std::string& group);

  clsHtmlGet html_;
  ResultRecord record_;
  bool unpublished_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_RESULT_H_
