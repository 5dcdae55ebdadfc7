// The small tokenizer the official pages are cut with: a flat list of tags,
// comments and texts, each marked whether it lies inside the body.  The pages
// are not parsed as documents; the scrapers only need the body texts in order.
#ifndef ZELVOMINI_OFFICIAL_HTML_DATA_H_
#define ZELVOMINI_OFFICIAL_HTML_DATA_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvo {

struct HtmlItem {
  std::string text;  // the cleaned token; a tag with its "<" and ">"
  bool is_tag = false;
  bool is_end_tag = false;
  bool is_comment = false;
  bool in_body = false;
  // Tag: its name; complete comment: its inner text; text: the text itself.
  std::string name;
  // Tag: number of blank-separated parts after the name.
  int attribute_count = 0;

  // Tag: the blank-separated parts inside the brackets, the name first.
  // Worked out on demand so that a page of many small tags stays small.
  std::vector<std::string> Attributes() const;
};

class clsHtmlData {
 public:
  // Tokenizes the text; the items replace those of the previous call.
  int GetHtmlData(std::string_view html);

  int Count() const { return static_cast<int>(items_.size()); }
  // Items numbered from 0 here (item n of the page is items()[n - 1]).
  const std::vector<HtmlItem>& Items() const { return items_; }
  std::vector<HtmlItem> TakeItems() { return std::move(items_); }

  // No real page comes near this many items; past it the rest of a page is
  // not itemised, so that a hostile page cannot exhaust memory.
  static constexpr size_t kMaxItems = size_t{1} << 20;

  // The cleaning every cut token gets: control characters to blanks, runs of
  // blanks to one, the six entities decoded, blanks trimmed.
  static std::string CleanToken(std::string_view token);

 private:
  std::vector<HtmlItem> items_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_DATA_H_
