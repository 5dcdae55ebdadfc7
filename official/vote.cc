#include "official/vote.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsVote";
constexpr const char* kKind = "投票状況";

}  // namespace

void clsVote::Initialize() { initialized_ = true; }

bool clsVote::GetVote(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetVote");
    return false;
  }
  try {
    cancel_ = unpublished_ = false;
    record_ = VoteStatusRecord();
    if (round <= 0) return false;
    bool read = false;
    if ((mode & kSourceFile) && xml_.XmlLoad(round, group)) {
      record_ = xml_.Record();
      read = true;
    }
    if (!read && (mode & kSourceDownload)) {
      if (ask && !AskDownload(kKind)) {
        cancel_ = true;
        return false;
      }
      bool ok = html_.GetVote(round, group);
      unpublished_ = html_.Unpublished();
      // A download the user cancelled is told no more than a declined one.
      if (!ok && html_.Cancelled()) cancel_ = true;
      if (ok && html_.Record().Kaisaikai != round) {
        unpublished_ = true;
      } else if (ok) {
        record_ = html_.Record();
        // Interim figures change until the sale ends; caching them would
        // freeze a passing state as if it were the final one.
        if (html_.Final() && IsVoteValid(record_) &&
            !FileExists(clsXmlVote::GetFileName(record_.Kaisaikai, record_.Kumi))) {
          xml_.SetRecord(record_);
          xml_.XmlSave();
        }
      }
    }
    return IsVoteValid(record_);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetVote", e);
    return false;
  }
}

bool clsVote::GetOldVoteFile(int round, DateTime date) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetOldVoteFile");
    return false;
  }
  try {
    std::string path = clsXmlVote::GetOldFileName(round, date);
    if (!FileExists(path)) return false;
    if (!xml_.XmlLoadFile(path)) return false;
    record_ = xml_.Record();
    return true;
  } catch (const std::exception& e) {
    ReportException(kClass, "GetOldVoteFile", e);
    return false;
  }
}

VoteStatusRecord clsVote::Record() const {
  if (!initialized_) {
    ReportNotInitialized(kClass, "Record");
    return {};
  }
  return record_;
}

bool clsVote::Cancel() const {
  if (!initialized_) ReportNotInitialized(kClass, "Cancel");
  return initialized_ && cancel_;
}

bool clsVote::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && unpublished_;
}

bool clsVote::CheckVoteFile(int round, const std::string& group) const {
  return FileExists(clsXmlVote::GetFileName(round, group));
}

void clsVote::FalseDialog(int round) const { ShowFalseDialog(cancel_, unpublished_, round, kKind); }

}  // namespace zelvo
