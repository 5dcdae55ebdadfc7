// The embedded vote status of documents.
#include "files/tpd_file.h"
#include "support/error_report.h"

namespace zelvo {

// Until the vote status XML is available here, documents cannot carry a vote
// status: saving a document fails rather than writing a file without one.
VoteXmlWriter DefaultVoteXmlWriter() {
  return [](const VoteStatusRecord&) -> std::string { throw RuntimeError(kErrInvalidCall); };
}

VoteXmlReader DefaultVoteXmlReader() {
  return [](const std::string&, VoteStatusRecord&) { return false; };
}

}  // namespace zelvo
