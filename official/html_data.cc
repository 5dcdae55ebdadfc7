#include "official/html_data.h"

#include "support/text.h"

namespace zelvo {
namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool EndsWith(std::string_view s, std::string_view p) {
  return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

// The text between a tag's brackets.  A tag cut from the page always ends
// with ">", but a text whose entities decoded to a leading "<" may not.
std::string_view TagInner(std::string_view text) {
  std::string_view inner = text.substr(1);
  if (EndsWith(inner, ">")) inner.remove_suffix(1);
  return inner;
}

bool IsAsciiBody(std::string_view name) {
  return name.size() == 4 && (name[0] | 0x20) == 'b' && (name[1] | 0x20) == 'o' &&
         (name[2] | 0x20) == 'd' && (name[3] | 0x20) == 'y';
}

// Folds the items of one page as the tokens are cut, so that the tokens
// never have to be held all at once.
class ItemBuilder {
 public:
  explicit ItemBuilder(std::vector<HtmlItem>& items) : items_(items) {}

  void Add(std::string_view raw) {
    std::string cleaned = clsHtmlData::CleanToken(raw);
    if (cleaned.empty()) return;
    HtmlItem item;
    if (comment_open_) {
      // The rest of an unclosed comment: no tag, no name, never body text.
      if (Contains(cleaned, "-->")) comment_open_ = false;
      item.text = std::move(cleaned);
      item.is_comment = true;
      items_.push_back(std::move(item));
      return;
    }
    if (cleaned[0] == '<') {
      item.is_tag = true;
      if (StartsWith(cleaned, "<!--")) {
        item.is_comment = true;
        if (EndsWith(cleaned, "-->")) {
          // "<!-->" and "<!--->" close at once and hold nothing.
          if (cleaned.size() >= 7) item.name = Trim(cleaned.substr(4, cleaned.size() - 7));
        } else {
          comment_open_ = true;
        }
      } else {
        std::string_view inner = TagInner(cleaned);
        size_t blank = inner.find(' ');
        item.name = std::string(inner.substr(0, blank));
        for (char c : inner) item.attribute_count += c == ' ';
        if (StartsWith(item.name, "/")) {
          item.is_end_tag = true;
          item.name.erase(0, 1);
        }
      }
    } else {
      item.name = cleaned;
    }
    item.text = std::move(cleaned);
    bool body_tag = item.is_tag && !item.is_comment && IsAsciiBody(item.name);
    if (body_tag && item.is_end_tag) in_body_ = false;
    item.in_body = in_body_;
    if (body_tag && !item.is_end_tag) in_body_ = true;
    items_.push_back(std::move(item));
  }

  bool Full() const { return items_.size() >= clsHtmlData::kMaxItems; }

 private:
  std::vector<HtmlItem>& items_;
  bool comment_open_ = false;
  bool in_body_ = false;
};

}  // namespace

std::vector<std::string> HtmlItem::Attributes() const {
  if (!is_tag || is_comment || text.empty()) return {};
  return Split(TagInner(text), " ");
}

std::string clsHtmlData::CleanToken(std::string_view token) {
  std::string out;
  out.reserve(token.size());
  for (char c : token) {
    // Control characters (line ends, tabs) are blanks; the bytes of a
    // multi-byte character are all above 0x7f and stay.
    if (static_cast<unsigned char>(c) < 32) c = ' ';
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out.push_back(c);
  }
  if (out.find('&') != std::string::npos) {
    out = ReplaceAll(out, "&lt;", "<");
    out = ReplaceAll(out, "&gt;", ">");
    out = ReplaceAll(out, "&quot;", "\"");
    out = ReplaceAll(out, "&amp;", "&");
    out = ReplaceAll(out, "&#169;", "(c)");
    out = ReplaceAll(out, "&#174;", "(r)");
  }
  return Trim(out);
}

int clsHtmlData::GetHtmlData(std::string_view html) {
  items_.clear();
  ItemBuilder builder(items_);
  enum class State { kOutside, kText, kTag };
  State state = State::kOutside;
  size_t start = 0;
  for (size_t i = 0; i < html.size() && !builder.Full(); ++i) {
    char c = html[i];
    if (state == State::kTag) {
      if (c == '>') {
        builder.Add(html.substr(start, i - start + 1));
        state = State::kOutside;
      }
    } else if (c == '<') {
      if (state == State::kText) builder.Add(html.substr(start, i - start));
      start = i;
      state = State::kTag;
    } else if (state == State::kOutside) {
      start = i;
      state = State::kText;
    }
  }
  // A text running to the end of the page, or a tag never closed, is dropped.
  return Count();
}

}  // namespace zelvo
