#include "official/official_xml.h"

#include <vector>

#include "support/error_report.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

// A value is one line between its tags: "<", ">" and "&" in a team or
// stadium name (a page may decode "&gt;" into one) would end the element
// early, and the record would read back different from the one written.
std::string EscapeValue(std::string_view value) {
  if (value.find_first_of("<>&") == std::string_view::npos) return std::string(value);
  std::string out;
  for (char c : value) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UnescapeValue(const std::string& value) {
  if (value.find('&') == std::string::npos) return value;
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value.compare(i, 4, "&lt;") == 0) {
      out += '<';
      i += 3;
    } else if (value.compare(i, 4, "&gt;") == 0) {
      out += '>';
      i += 3;
    } else if (value.compare(i, 5, "&amp;") == 0) {
      out += '&';
      i += 4;
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

void XmlLines::Line(std::string_view line) {
  text_.append(line);
  text_.append("\r\n");
}

void XmlLines::Element(std::string_view name, std::string_view value) {
  std::string line = "<";
  line.append(name);
  line.append(">");
  line.append(EscapeValue(value));
  line.append("</");
  line.append(name);
  line.append(">");
  Line(line);
}

void XmlLines::Element(std::string_view name, int value) { Element(name, std::to_string(value)); }

void XmlLines::Element(std::string_view name, DateTime value) { Element(name, value.ToString()); }

void XmlLines::Element(std::string_view name, Money value) { Element(name, value.ToString()); }

bool ParseOfficialXml(std::string_view text, std::string_view kind,
                      const std::function<void(const std::string&, const std::string&)>& assign) {
  std::string spread = ReplaceAll(text, "<", "\n<");
  spread = ReplaceAll(spread, ">", ">\n");
  spread = ReplaceAll(spread, "\r", "\n");
  const std::string root = "<minitoto>";
  const std::string kind_tag = "<" + std::string(kind) + ">";
  std::vector<std::string> open;
  // The writer closes every element it opens, the root last; a text that
  // stops before that was cut short, and its last value may be cut too.
  bool root_closed = false;
  for (const std::string& raw : Split(spread, "\n")) {
    std::string line = Trim(raw);
    if (line.empty()) continue;
    if (line.starts_with("</")) {
      if (open.empty() || "<" + line.substr(2) != open.back()) return false;
      if (open.size() > 1) {
        open.pop_back();
      } else {
        root_closed = true;
      }
      continue;
    }
    if (line.starts_with("<")) {
      if (!line.starts_with("<?")) {
        open.push_back(line);
        root_closed = false;
      }
      continue;
    }
    if (open.size() < 3 || open[0] != root || open[1] != kind_tag) continue;
    std::string path;
    for (size_t i = 2; i < open.size(); ++i) path += open[i];
    assign(path, UnescapeValue(line));
  }
  return root_closed;
}

XmlReadResult ReadOfficialText(
    std::string_view text, std::string_view kind,
    const std::function<void(const std::string&, const std::string&)>& assign) {
  XmlReadResult result;
  try {
    if (!ParseOfficialXml(text, kind, assign)) result.what = XmlReadResult::What::kMalformed;
  } catch (const std::exception&) {
    result.what = XmlReadResult::What::kBadValue;
    result.error = std::current_exception();
  }
  return result;
}

void ReportXmlRead(const XmlReadResult& result, std::string_view class_name) {
  if (result.what == XmlReadResult::What::kMalformed) {
    ReportError(class_name, "XmlLoad", kXmlMalformed);
  } else if (result.what == XmlReadResult::What::kBadValue) {
    try {
      std::rethrow_exception(result.error);
    } catch (const std::exception& e) {
      ReportException(class_name, "XmlLoad", e);
    }
  }
}

std::string MisfiledText(const CacheFileCheck& check, int round, const std::string& group) {
  auto name = [](int r, const std::string& g) {
    return "第" + std::to_string(r) + "回" + (g.empty() ? "" : g + "組");
  };
  return "このファイルは" + name(check.held_round, check.held_group) + "のデータです（" +
         name(round, group) + "のファイルとしては使えません）。";
}

int XmlToInt(const std::string& value) {
  int v = 0;
  if (!ConvertToLong(value, v)) throw RuntimeError(kErrTypeMismatch);
  return v;
}

uint8_t XmlToByte(const std::string& value) {
  int v = XmlToInt(value);
  if (v < 0 || v > 255) throw RuntimeError(kErrOverflow);
  return static_cast<uint8_t>(v);
}

Money XmlToMoney(const std::string& value) {
  Money m;
  if (!Money::Parse(Trim(value), m)) throw RuntimeError(kErrTypeMismatch);
  return m;
}

DateTime XmlToDate(const std::string& value) {
  DateTime d;
  if (!DateTime::Parse(value, d)) throw RuntimeError(kErrTypeMismatch);
  return d;
}

std::string PadRound(int round, int digits) {
  std::string s = std::to_string(round < 0 ? -round : round);
  while (static_cast<int>(s.size()) < digits) s.insert(0, 1, '0');
  return round < 0 ? "-" + s : s;
}

bool SaveOfficialXml(const std::string& path, const std::string& text, std::string_view class_name,
                     std::string_view proc) {
  if (WriteTextFile(path, text, false)) return true;
  ReportError(class_name, proc, path + "\r\n" + kXmlSaveFailed);
  return false;
}

bool ReadOfficialXml(const std::string& path, std::string& text) {
  if (!FileExists(path)) return false;
  return ReadTextFile(path, text);
}

std::string OfficialFilePath(std::string_view root, std::string_view folder,
                             std::string_view prefix, int round, const std::string& group) {
  std::string name = std::string(prefix) + PadRound(round, 3);
  if (!group.empty()) name += "_" + group;
  return JoinPath(JoinPath(root, folder), name + ".xml");
}

}  // namespace zelvo
