// Official pages: the tokenizer and the schedule, vote status and result
// scrapers over one page as the site would send it (UTF-8 bytes, invalid
// ones replaced).  A scraped record is one the XML cache can hold: it is
// written and read back equal, as far as the cache keeps it.
#include "fuzz/fuzz_support.h"
#include "official/html_data.h"
#include "official/html_get.h"
#include "official/html_pages.h"
#include "official/record_checks.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/text.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  const std::string page = SanitizeUtf8(fuzz::AsText(data, size));
  clsHtmlData tokens;
  int count = tokens.GetHtmlData(page);
  fuzz::Require(count >= 0 && static_cast<size_t>(count) <= clsHtmlData::kMaxItems, "item count");
  for (const HtmlItem& item : tokens.Items()) {
    fuzz::Require(item.text == Trim(item.text) || item.is_tag, "an untrimmed text item");
    fuzz::Require(SanitizeUtf8(item.name) == item.name, "an item name that is no UTF-8");
  }
  clsHtmlGet get;
  get.ReadText(page);
  std::vector<std::string> texts;
  get.GetTextData(texts);
  for (const std::string& group : {std::string("A"), std::string("B")}) {
    clsHtmlSchedule schedule;
    if (schedule.ReadTexts(texts, group) && IsScheduleComplete(schedule.Record())) {
      fuzz::RequireCacheRoundTrip<clsXmlSchedule>(schedule.Record());
    }
    clsHtmlVote vote;
    if (vote.ReadTexts(texts, group) && IsVoteValid(vote.Record())) {
      clsXmlVote xml;
      xml.SetRecord(vote.Record());
      clsXmlVote again;
      fuzz::Require(again.SetXmlString(xml.GetXmlString(true), true),
                    "a scraped vote status the cache refuses");
      fuzz::Require(again.Record() == vote.Record(), "a scraped vote status changed in the cache");
    }
    clsHtmlResult result;
    if (result.ReadTexts(texts, group) && IsResultValid(result.Record())) {
      fuzz::RequireCacheRoundTrip<clsXmlResult>(result.Record());
    }
  }
  return 0;
}
