#include "official/result.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsResult";

}  // namespace

bool ResultKind::Usable(const ResultRecord& r) { return IsResultValid(r); }

bool ResultKind::Parse(clsXmlResult& xml, const std::string& text) {
  return xml.SetXmlString(text);
}

bool ResultKind::Scrape(clsHtmlResult& html, int round, const std::string& group) {
  return html.GetResult(round, group);
}

void clsResult::Initialize() { initialized_ = true; }

bool clsResult::GetResult(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetResult");
    return false;
  }
  try {
    return source_.Get(round, group, mode, ask);
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
  return source_.record();
}

bool clsResult::Cancel() const {
  if (!initialized_) ReportNotInitialized(kClass, "Cancel");
  return initialized_ && source_.cancel();
}

bool clsResult::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && source_.unpublished();
}

bool clsResult::CheckResultFile(int round, const std::string& group) const {
  return FileExists(clsXmlResult::GetFileName(round, group));
}

void clsResult::FalseDialog(int round) const {
  ShowFalseDialog(source_.cancel(), source_.unpublished(), round, ResultKind::kTitle);
}

}  // namespace zelvo
