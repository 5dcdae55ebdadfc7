// One downloaded (or read) page cut into items, and the list of its body texts
// that the schedule, vote and result scrapers search for their markers.
#ifndef ZELVOMINI_OFFICIAL_HTML_GET_H_
#define ZELVOMINI_OFFICIAL_HTML_GET_H_

#include <functional>
#include <string>
#include <vector>

#include "official/html_data.h"
#include "official/win_inet.h"

namespace zelvo {

class clsHtmlGet {
 public:
  bool ProgressOpen() const { return inet_.ProgressOpen(); }
  void SetProgressOpen(bool v) { inet_.SetProgressOpen(v); }
  bool ProgressClose() const { return inet_.ProgressClose(); }
  void SetProgressClose(bool v) { inet_.SetProgressClose(v); }
  const std::string& ProgressDialogMessage() const { return inet_.ProgressDialogMessage(); }
  void SetProgressDialogMessage(const std::string& v) { inet_.SetProgressDialogMessage(v); }

  // Downloads and tokenizes the page (code 0 CP932, 8 UTF-8); returns Count.
  // A failed download leaves an empty page with Count 0.
  int GetHttp(const std::string& url, const std::string& proxy, int code);
  // The same on a local text file (CP932); 0 when it cannot be read.
  int GetFile(const std::string& path);
  // The same on a page text already decoded (tools and the fuzz targets).
  int ReadText(const std::string& text);
  // The page text of the last download as a text file.
  bool SaveToFile(const std::string& path);
  // The body texts in page order: texts separated only by line breaks form
  // one entry, every other tag separates entries.  texts[0] is text 1.
  int GetTextData(std::vector<std::string>& texts);
  std::string GetHtmlTitle() const;
  // The address's bytes saved unchanged; false when nothing was received.
  bool SaveToImage(const std::string& path, const std::string& url, const std::string& proxy);
  static std::string GetPlusAddrees(const std::string& base, const std::string& relative);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Url() const { return url_; }
  const std::string& PageText() const { return page_text_; }
  const std::vector<HtmlItem>& Items() const { return items_; }
  clsWinInet& WinInet() { return inet_; }
  // The last download was cancelled by the user.
  bool Cancelled() const { return inet_.Cancelled(); }

 private:
  void Clear();
  // Runs `take` on an empty page; an unexpected error is reported under
  // `proc` and keeps what was taken before it.
  int Load(const char* proc, const std::function<int()>& take);
  int TakeItems(const std::string& text);

  clsWinInet inet_;
  std::string url_;
  std::string page_text_;
  std::vector<HtmlItem> items_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_GET_H_
