// The three XML cache readers (schedule, vote status, result): a text each
// reader accepts gives a record that the writer writes and the reader reads
// back equal, as far as the file keeps it; a refused text leaves the record
// as it was.
#include "fuzz/fuzz_support.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/text.h"

using namespace zelvo;

namespace {

template <typename Xml>
void RoundTrip(const std::string& text) {
  Xml xml;
  const auto before = xml.Record();
  if (!xml.SetXmlString(text)) {
    fuzz::Require(xml.Record() == before, "a refused XML text changed the record");
    return;
  }
  fuzz::RequireCacheRoundTrip<Xml>(xml.Record());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  // The cache files are CP932 text, read whole and cut at the first NUL.
  std::string bytes(fuzz::AsText(data, size));
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  const std::string text = FromCp932(bytes);
  RoundTrip<clsXmlSchedule>(text);
  RoundTrip<clsXmlResult>(text);
  // The vote status: the file form and the element documents embed.
  for (bool header : {true, false}) {
    clsXmlVote xml;
    if (!xml.SetXmlString(text, header)) {
      fuzz::Require(xml.Record() == VoteStatusRecord(), "a refused vote text changed the record");
      continue;
    }
    const VoteStatusRecord read = xml.Record();
    clsXmlVote again;
    fuzz::Require(again.SetXmlString(xml.GetXmlString(header), header), "the writer's vote XML was refused");
    fuzz::Require(again.Record() == read, "a vote status changed when written and read again");
  }
  return 0;
}
