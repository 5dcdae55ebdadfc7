// The schedule page of the official site, scraped into a ScheduleRecord.
#ifndef ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_

#include <string>
#include <vector>

#include "core/toto_data.h"
#include "official/html_get.h"
#include "official/schedule_record.h"

namespace zelvo {

class clsHtmlSchedule {
 public:
  // Downloads the page of the round and reads it for the group.  False on a
  // failed download, a page without the round (Unpublished) or malformed
  // match rows; unexpected errors are reported under "GetSchedule".
  bool GetSchedule(int round, const std::string& group);
  // The walk over a page's body texts (texts[0] is the first), reported the
  // same way.
  bool ReadTexts(const std::vector<std::string>& texts, const std::string& group);

  // totoOfficialScheduleUrl and the round with at least four digits.
  static std::string PageUrl(int round);

  const ScheduleRecord& Record() const { return record_; }
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
  // Loaded once with the object: a new scraper sees changed team-name files.
  clsTotoData toto_data_;
  ScheduleRecord record_;
  bool unpublished_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_
