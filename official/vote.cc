#include "official/vote.h"

#include "official/record_checks.h"
#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsVote";

}  // namespace

bool VoteKind::Usable(const VoteStatusRecord& r) { return IsVoteValid(r); }

bool VoteKind::Parse(clsXmlVote& xml, const std::string& text) {
  return xml.SetXmlString(text, true);
}

bool VoteKind::Scrape(clsHtmlVote& html, int round, const std::string& group) {
  return html.GetVote(round, group);
}

void clsVote::Initialize() { initialized_ = true; }

bool clsVote::GetVote(int round, const std::string& group, int mode, bool ask) {
  if (!initialized_) {
    ReportNotInitialized(kClass, "GetVote");
    return false;
  }
  try {
    bool ok = source_.Get(round, group, mode, ask);
    record_ = source_.record();
    return ok;
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
    VoteStatusRecord archived;
    if (!source_.LoadFile(clsXmlVote::GetOldFileName(round, date), archived)) return false;
    record_ = archived;
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
  return initialized_ && source_.cancel();
}

bool clsVote::Unpublished() const {
  if (!initialized_) ReportNotInitialized(kClass, "Unpublished");
  return initialized_ && source_.unpublished();
}

bool clsVote::CheckVoteFile(int round, const std::string& group) const {
  return FileExists(clsXmlVote::GetFileName(round, group));
}

void clsVote::FalseDialog(int round) const {
  ShowFalseDialog(source_.cancel(), source_.unpublished(), round, VoteKind::kTitle);
}

}  // namespace zelvo
