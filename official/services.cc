#include "official/services.h"

#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/platform.h"

namespace zelvo {

bool clsSchedule::ChangeMark(const char* proc, bool exists, const std::string& question,
                             const std::function<bool()>& change) {
  try {
    if (!exists) return false;
    if (platform().MessageBox(question, "", MsgIcon::kQuestion, MsgButtons::kYesNo) !=
        MsgAnswer::kYes) {
      return false;
    }
    SysDataLock lock;
    return lock.Locked() && change();
  } catch (const std::exception& e) {
    ReportException(ScheduleKind::kNames.service, proc, e);
    return false;
  }
}

bool clsSchedule::XmlSave_NoGame(int round, const std::string& group) {
  return ChangeMark("XmlSave_NoGame", !CheckScheduleFile(round, group),
                    "第 " + std::to_string(round) + " 回を未開催に設定しますか？", [&] {
                      // Another process may have cached a schedule meanwhile.
                      return !CheckScheduleFile(round, group) && xml_.XmlSave_NoGame(round, group);
                    });
}

bool clsSchedule::XmlDelete_NoGame(int round, const std::string& group) {
  return ChangeMark("XmlDelete_NoGame", CheckScheduleFile(round, group),
                    "第 " + std::to_string(round) + " 回の未開催を解除しますか？",
                    [&] { return xml_.XmlDelete_NoGame(round, group); });
}

bool clsVote::GetOldVoteFile(int round, DateTime date) {
  if (!Ready("GetOldVoteFile")) return false;
  try {
    VoteStatusRecord archived;
    // An archived file names no group; only its round must be the one the
    // document names.
    if (!source_.LoadFile(clsXmlVote::GetOldFileName(round, date), round, "", archived, true)) {
      return false;
    }
    record_ = archived;
    return true;
  } catch (const std::exception& e) {
    ReportException(VoteKind::kNames.service, "GetOldVoteFile", e);
    return false;
  }
}

}  // namespace zelvo
