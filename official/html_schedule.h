// The schedule page of the official site, scraped into a ScheduleRecord.
#ifndef ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_

#include <functional>
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
  // The long names of the last read that no table knows, in page order.
  const std::vector<std::string>& UnresolvedTeams() const { return unresolved_; }

  // Offered every unknown club of a page that is otherwise readable; true
  // when they were added to the tables, and the page is then read again with
  // the tables reloaded.  Unset, the first unknown name is reported.
  std::function<bool(const std::vector<std::string>& long_names)> UnknownTeams;
  // The user cancelled the download in the progress window.
  bool Cancelled() const { return html_.Cancelled(); }

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  // `round`: the round asked for, 0 for any.
  bool Read(const std::vector<std::string>& texts, const std::string& group, int round);
  bool Walk(const std::vector<std::string>& texts, const std::string& group);

  clsHtmlGet html_;
  // Loaded once with the object: a new scraper sees changed team-name files.
  clsTotoData toto_data_;
  ScheduleRecord record_;
  bool unpublished_ = false;
  std::vector<std::string> unresolved_;
  int page_round_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_SCHEDULE_H_
