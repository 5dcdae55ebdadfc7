// The schedule service the round document uses: the cache file first, then,
// when allowed, the official page; complete downloads are cached once and
// never overwritten.
#ifndef ZELVOMINI_OFFICIAL_SCHEDULE_H_
#define ZELVOMINI_OFFICIAL_SCHEDULE_H_

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "official/html_schedule.h"
#include "official/official_service.h"
#include "official/schedule_record.h"
#include "official/xml_schedule.h"

namespace zelvo {

class clsSchedule {
 public:
  // Must come first; the other operations report "Initialize Err" before.
  void Initialize();

  // Mode: kSourceFile and/or kSourceDownload.  With `ask` the user confirms
  // a download first.  True when the record in hand is complete.
  bool GetSchedule(int round, const std::string& group, int mode, bool ask);

  // The record, the flags and the cache check of the last GetSchedule.
  ScheduleRecord Record() const;
  bool Cancel() const;
  bool NoGame() const;
  bool Unpublished() const;
  bool CheckScheduleFile(int round, const std::string& group) const;
  // Tells the user why GetSchedule gave false (nothing after a refusal).
  void FalseDialog(int round) const;

  // Marks the round and group as not held (asking first), only while no
  // schedule file exists; and removes the mark, or any schedule file.
  bool XmlSave_NoGame(int round, const std::string& group);
  bool XmlDelete_NoGame(int round, const std::string& group);

  // Offered the unknown clubs of a downloaded page (clsHtmlSchedule::UnknownTeams).
  void SetUnknownTeams(std::function<bool(const std::vector<std::string>&)> ask) {
    html_.UnknownTeams = std::move(ask);
  }

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 private:
  bool initialized_ = false;
  clsXmlSchedule xml_;
  clsHtmlSchedule html_;
  ScheduleRecord record_;
  bool cancel_ = false;
  bool no_game_ = false;
  bool unpublished_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_SCHEDULE_H_
