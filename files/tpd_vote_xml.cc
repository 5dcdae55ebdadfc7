// The embedded vote status of documents: the vote status XML without its
// file head.
#include "files/tpd_file.h"
#include "official/xml_vote.h"

namespace zelvo {

VoteXmlWriter DefaultVoteXmlWriter() {
  return [](const VoteStatusRecord& vote) {
    clsXmlVote xml;
    xml.SetRecord(vote);
    return xml.GetXmlString(false);
  };
}

VoteXmlReader DefaultVoteXmlReader() {
  return [](const std::string& text, VoteStatusRecord& vote) {
    clsXmlVote xml;
    if (!xml.SetXmlString(text, false)) return false;
    vote = xml.Record();
    return true;
  };
}

}  // namespace zelvo
