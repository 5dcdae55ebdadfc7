#include "official/result.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsResult";
constexpr const char* kKind = "くじ結果";

}  // namespace

void clsResult::Initialize() { initialized_ = true; }

bool clsResult::GetResult(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetResult");
    return false;
  }
  try {
    cancel_ = unpublished_ = false;
    record_ = ResultRecord();
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
      bool ok = html_.GetResult(round, group);
      unpublished_ = html_.Unpublished();
      // A download the user cancelled is told no more than a declined one.
      if (!ok && html_.Cancelled()) cancel_ = true;
      if (ok && html_.Record().Kaisaikai != round) {
        unpublished_ = true;
      } else if (ok) {
        record_ = html_.Record();
        if (IsResultValid(record_) &&
            !FileExists(clsXmlResult::GetFileName(record_.Kaisaikai, record_.Kumi))) {
          xml_.SetRecord(record_);
          xml_.XmlSave();
        }
      }
    }
    return IsResultValid(record_);
  } catch (const std::exception& e) {
    ReportException(kClass, "GetResult", e);
    return false;
  }
}

ResultRecord clsResult::Record() const {
  if (!initialized_) {
    ReportNotInitialized(kClass, "Record");
    return {};
  }
  return record_;
}

bool clsResult::Cancel() const {
  if (!initialized_) ReportNotInitialized(kClass, "Cancel");
  return initialized_ && cancel_;
}

bool clsResult::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && unpublished_;
}

bool clsResult::CheckResultFile(int round, const std::string& group) const {
  return FileExists(clsXmlResult::GetFileName(round, group));
}

void clsResult::FalseDialog(int round) const {
  ShowFalseDialog(cancel_, unpublished_, round, kKind);
}

}  // namespace zelvo
