#include "official/page_reader.h"

#include <exception>

#include "official/html_scrape.h"
#include "support/error_report.h"

namespace zelvo {

bool PageReader::Guarded(const std::function<bool()>& read) {
  Reset();
  unpublished_ = false;
  page_round_ = 0;
  other_round_ = 0;
  try {
    return read();
  } catch (const PageRowError&) {
    return false;
  } catch (const std::exception& e) {
    ReportException(class_name_, proc_, e);
    return false;
  }
}

bool PageReader::Fetch(int round, const std::string& url, const Walk& walk) {
  const bool ok = Guarded([&] {
    html_.SetProgressDialogMessage("第" + std::to_string(round) + "回 " + what_ +
                                   "取得中 (オフィシャル)");
    if (html_.GetHttp(url, "", 8) == 0) return false;
    std::vector<std::string> texts;
    html_.GetTextData(texts);
    return walk(texts);
  });
  if (page_round_ == 0 || page_round_ == round) return ok;
  // Neither this round's record nor a sign that the round is unpublished:
  // the page is what it is, another round's.
  Reset();
  unpublished_ = false;
  other_round_ = page_round_;
  return false;
}

}  // namespace zelvo
