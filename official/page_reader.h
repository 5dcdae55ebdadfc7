// What the three page scrapers (schedule, vote status, result) share: the
// download of a round's page with its progress line, the walk over its texts
// under the error report, the round the page showed, and why a read gave
// nothing.  Each scraper holds only its address and its walk.
#ifndef ZELVOMINI_OFFICIAL_PAGE_READER_H_
#define ZELVOMINI_OFFICIAL_PAGE_READER_H_

#include <functional>
#include <string>
#include <vector>

#include "official/html_get.h"

namespace zelvo {

class PageReader {
 public:
  virtual ~PageReader() = default;

  // The page does not show the round yet (or says it cannot be shown).
  bool Unpublished() const { return unpublished_; }
  // The round of the page when it is another round than the one asked for
  // (the site answers a round it does not know with another round's page);
  // 0 otherwise.
  int OtherRound() const { return other_round_; }
  // The user cancelled the download in the progress window.
  bool Cancelled() const { return html_.Cancelled(); }
  // Whether the page's figures may be cached: always, but for the interim
  // figures of a vote page.
  bool Final() const { return true; }

  bool ProgressOpen() const { return html_.ProgressOpen(); }
  void SetProgressOpen(bool v) { html_.SetProgressOpen(v); }
  bool ProgressClose() const { return html_.ProgressClose(); }
  void SetProgressClose(bool v) { html_.SetProgressClose(v); }

 protected:
  using Walk = std::function<bool(const std::vector<std::string>& texts)>;

  // `class_name` and `proc` name an unexpected error in its report;
  // `what` heads the progress line ("第85回 <what>取得中 (オフィシャル)").
  PageReader(const char* class_name, const char* proc, const char* what)
      : class_name_(class_name), proc_(proc), what_(what) {}

  // Downloads the page of `round` at `url` (UTF-8) and walks its body texts.
  // False on a failed download, a failed walk, or a page of another round.
  bool Fetch(int round, const std::string& url, const Walk& walk);
  // Runs `read` from an empty record and clear flags; an unexpected error
  // is reported and gives false.
  bool Guarded(const std::function<bool()>& read);
  // Empties the scraper's record.
  virtual void Reset() = 0;

  // Set by a walk: the round the page names (0 before it is found), and
  // that the page never named the round.
  int page_round_ = 0;
  bool unpublished_ = false;

 private:
  clsHtmlGet html_;
  const char* class_name_;
  const char* proc_;
  const char* what_;
  int other_round_ = 0;
};

// A scraper of the pages that give one kind of record.  `Scraper` supplies
// its address, PageUrl(round, group), and its walk, Read(texts, group,
// round) with round 0 for any round.
template <typename Scraper, typename RecordType>
class OfficialPage : public PageReader {
 public:
  // Downloads the page of the round and reads the group's part of it.
  bool Download(int round, const std::string& group) {
    return Fetch(round, Scraper::PageUrl(round, group), [&](const std::vector<std::string>& texts) {
      return Self().Read(texts, group, round);
    });
  }
  // The walk over a page's body texts (texts[0] is the first), any round.
  bool ReadTexts(const std::vector<std::string>& texts, const std::string& group) {
    return Guarded([&] { return Self().Read(texts, group, 0); });
  }

  const RecordType& Record() const { return record_; }

 protected:
  using PageReader::PageReader;
  void Reset() override { record_ = RecordType(); }

  RecordType record_;

 private:
  Scraper& Self() { return static_cast<Scraper&>(*this); }
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_PAGE_READER_H_
