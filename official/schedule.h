// The schedule service the round document uses: the cache file first, then,
// when allowed, the official page; complete downloads are cached once and
// overwritten only by an explicit refresh.
#ifndef ZELVOMINI_OFFICIAL_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_SCHEDULE_H_

#include <functional>
#include <string>
#include <vector>

#include "official/html_schedule.h"
#include "official/official_service.h"
#include "official/schedule_record.h"
#include "official/xml_schedule.h"

namespace zelvo {

// The schedule's part in the shared cache-or-download path.
struct ScheduleKind {
  using Record = ScheduleRecord;
  using Xml = clsXmlSchedule;
  using Html = clsHtmlSchedule;
  static constexpr const char* kXmlClass = "clsXmlSchedule";
  static constexpr const char* kTitle = "開催情報";
  static bool Usable(const ScheduleRecord& r);
  static bool NotHeld(const ScheduleRecord& r);
  static bool Parse(clsXmlSchedule& xml, const std::string& text);
  static bool Scrape(clsHtmlSchedule& html, int round, const std::string& group);
  static bool Final(const clsHtmlSchedule&) { return true; }
};

class clsSchedule {
 public:
  // Must come first; the other operations report "Initialize Err" before.
  void Initialize();

  // Mode: kSourceFile, kSourceDownload, kSourceRefresh.  With `ask` the user
  // confirms a download first.  True when the record in hand is complete.
  bool GetSchedule(int round, const std::string& group, int mode, bool ask);

  // The record, the flags and the cache check of the last GetSchedule.
  ScheduleRecord Record() const;
  bool Cancel() const;
  bool NoGame() const;
  bool Unpublished() const;
  bool CheckScheduleFile(int round, const std::string& group) const;
  // The record came from the cache file; the download was written to it.
  bool FromFile() const { return source_.from_file(); }
  bool Saved() const { return source_.saved(); }
  // Tells the user why GetSchedule gave false (nothing after a refusal).
  void FalseDialog(int round) const;

  // Marks the round and group as not held (asking first), only while no
  // schedule file exists; and removes the mark, or any schedule file.
  bool XmlSave_NoGame(int round, const std::string& group);
  bool XmlDelete_NoGame(int round, const std::string& group);

  // Offered the unknown clubs of a downloaded page (clsHtmlSchedule::UnknownTeams).
  void SetUnknownTeams(std::function<bool(const std::vector<std::string>&)> ask) {
    source_.html().UnknownTeams = std::move(ask);
  }

  bool ProgressOpen() const { return source_.html().ProgressOpen(); }
  void SetProgressOpen(bool v) { source_.html().SetProgressOpen(v); }
  bool ProgressClose() const { return source_.html().ProgressClose(); }
  void SetProgressClose(bool v) { source_.html().SetProgressClose(v); }

 private:
  bool initialized_ = false;
  clsXmlSchedule xml_;
  OfficialSource<ScheduleKind> source_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_SCHEDULE_H_
