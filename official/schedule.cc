#include "official/schedule.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsSchedule";

}  // namespace

bool ScheduleKind::Usable(const ScheduleRecord& r) { return IsScheduleComplete(r); }

bool ScheduleKind::NotHeld(const ScheduleRecord& r) { return r.holding_state == kHoldingNotHeld; }

bool ScheduleKind::Parse(clsXmlSchedule& xml, const std::string& text) {
  return xml.SetXmlString(text);
}

bool ScheduleKind::Scrape(clsHtmlSchedule& html, int round, const std::string& group) {
  return html.GetSchedule(round, group);
}

void clsSchedule::Initialize() { initialized_ = true; }

bool clsSchedule::GetSchedule(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetSchedule");
    return false;
  }
  try {
    return source_.Get(round, group, mode, ask);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetSchedule", e);
    return false;
  }
}

ScheduleRecord clsSchedule::Record() const {
  if (!initialized_) {
    ReportNotInitialized(kClass, "Record");
    return {};
  }
  return source_.record();
}

bool clsSchedule::Cancel() const {
  if (!initialized_) ReportNotInitialized(kClass, "Cancel");
  return initialized_ && source_.cancel();
}

bool clsSchedule::NoGame() const {
  if (!initialized_) ReportNotInitialized(kClass, "NoGame");
  return initialized_ && source_.no_game();
}

bool clsSchedule::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && source_.unpublished();
}

bool clsSchedule::CheckScheduleFile(int round, const std::string& group) const {
  return FileExists(clsXmlSchedule::GetFileName(round, group));
}

void clsSchedule::FalseDialog(int round) const {
  ShowFalseDialog(source_.cancel(), source_.unpublished(), round, ScheduleKind::kTitle);
}

bool clsSchedule::XmlSave_NoGame(int round, const std::string& group) {
  try {
    if (CheckScheduleFile(round, group)) return false;
    if (platform().MessageBox("第 " + std::to_string(round) + " 回を未開催に設定しますか？", "",
                              MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    SysDataLock lock;
    if (!lock.Locked() || CheckScheduleFile(round, group)) return false;
    return xml_.XmlSave_NoGame(round, group);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlSave_NoGame", e);
    return false;
  }
}

bool clsSchedule::XmlDelete_NoGame(int round, const std::string& group) {
  try {
    if (!CheckScheduleFile(round, group)) return false;
    if (platform().MessageBox("第 " + std::to_string(round) + " 回の未開催を解除しますか？", "",
                              MsgIcon::kQuestion, MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    SysDataLock lock;
    if (!lock.Locked()) return false;
    return xml_.XmlDelete_NoGame(round, group);
  } catch (const std::exception& e) {
    ReportException(kClass, "XmlDelete_NoGame", e);
    return false;
  }
}

}  // namespace zelvo
