#include "official/html_get.h"

#include <algorithm>
#include <exception>
#include <functional>

#include "support/error_report.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsHtmlGet";

// Names are compared without any blanks: the pages pad their cells with
// ordinary and ideographic spaces at will.
void RemoveBlanks(std::string& name) {
  if (name.find_first_of(" \t\xE3") == std::string::npos) return;
  std::string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == ' ' || name[i] == '\t') continue;
    if (name.compare(i, 3, "\xE3\x80\x80") == 0) {  // U+3000
      i += 2;
      continue;
    }
    out.push_back(name[i]);
  }
  name = std::move(out);
}

bool IsAsciiNoCase(std::string_view s, std::string_view lower) {
  if (s.size() != lower.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != lower[i]) return false;
  }
  return true;
}

}  // namespace

void clsHtmlGet::Clear() {
  page_text_.clear();
  items_.clear();
}

int clsHtmlGet::TakeItems(const std::string& text) {
  clsHtmlData data;
  data.GetHtmlData(text);
  items_ = data.TakeItems();
  for (HtmlItem& item : items_) RemoveBlanks(item.name);
  return Count();
}

int clsHtmlGet::Load(const char* proc, const std::function<int()>& take) {
  try {
    Clear();
    return take();
  } catch (const std::exception& e) {
    ReportException(kClassName, proc, e);
    return Count();
  }
}

int clsHtmlGet::GetHttp(const std::string& url, const std::string& proxy, int code) {
  return Load("GetHttp", [&] {
    if (!inet_.Connection()) return 0;
    url_ = url;
    page_text_ = inet_.GetHttpDataString(url, proxy, code);
    return TakeItems(page_text_);
  });
}

int clsHtmlGet::GetFile(const std::string& path) {
  return Load("GetFile", [&] {
    std::string text;
    if (!ReadTextFile(ResolveProgramPath(path), text, false)) return 0;
    return TakeItems(text);
  });
}

int clsHtmlGet::ReadText(const std::string& text) {
  return Load("ReadText", [&] {
    page_text_ = text;
    return TakeItems(page_text_);
  });
}

bool clsHtmlGet::SaveToFile(const std::string& path) {
  try {
    return WriteTextFile(ResolveProgramPath(path), page_text_);
  } catch (const std::exception& e) {
    ReportException(kClassName, "SaveToFile", e);
    return false;
  }
}

int clsHtmlGet::GetTextData(std::vector<std::string>& texts) {
  texts.clear();
  try {
    bool line_break_run = false;
    for (const HtmlItem& item : items_) {
      if (!item.in_body) continue;
      if (item.is_tag) {
        line_break_run = IsAsciiNoCase(item.name, "br");
      } else if (line_break_run && !texts.empty()) {
        texts.back() += item.name;
      } else {
        texts.push_back(item.name);
      }
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetTextData", e);
  }
  return static_cast<int>(texts.size());
}

std::string clsHtmlGet::GetHtmlTitle() const {
  std::string title;
  bool in_title = false;
  for (const HtmlItem& item : items_) {
    if (item.in_body) continue;
    if (item.is_tag && !item.is_comment && IsAsciiNoCase(item.name, "title")) {
      in_title = !item.is_end_tag;
      continue;
    }
    if (in_title) title += item.text;
  }
  return title;
}

bool clsHtmlGet::SaveToImage(const std::string& path, const std::string& url,
                             const std::string& proxy) {
  try {
    std::string bytes;
    if (inet_.GetHttpData(url, bytes, proxy) == 0) return false;
    return WriteFileBytes(ResolveProgramPath(path), bytes);
  } catch (const std::exception& e) {
    ReportException(kClassName, "SaveToImage", e);
    return false;
  }
}

std::string clsHtmlGet::GetPlusAddrees(const std::string& base, const std::string& relative) {
  // An absolute link needs no joining.
  for (const char* scheme : {"http://", "https://"}) {
    if (StartsWithNoCase(relative, scheme)) return relative;
  }
  // The page's own scheme is kept, so that links of an https page stay https.
  std::string scheme = "http://";
  std::string rest = base;
  for (const char* s : {"http://", "https://"}) {
    if (StartsWithNoCase(base, s)) {
      scheme = s;
      rest = base.substr(scheme.size());
      break;
    }
  }
  std::vector<std::string> base_parts = Split(rest, "/");
  std::vector<std::string> rel_parts = Split(relative, "/");
  if (!relative.empty() && relative[0] == '/') return scheme + base_parts[0] + relative;

  int depth = static_cast<int>(base_parts.size()) - 1;  // drops the file name
  std::string out;
  for (const std::string& part : rel_parts) {
    if (part == "..") {
      --depth;
      continue;
    }
    if (out.empty()) {
      int upto = std::min<int>(std::max(depth, 1), static_cast<int>(base_parts.size()));
      for (int i = 0; i < upto; ++i) out += base_parts[i] + "/";
    }
    out += part + "/";
  }
  if (!out.empty() && out.back() == '/') out.pop_back();
  return scheme + out;
}

}  // namespace zelvo
