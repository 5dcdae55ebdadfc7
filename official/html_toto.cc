#include "official/html_toto.h"

#include <exception>

#include "core/game_type.h"
#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsHtmlToto";

// The pages write ranges with the full-width tilde; a page written in
// Unicode may use the wave dash, which looks the same.
size_t FindTilde(const std::u32string& u) {
  size_t p = u.find(U'\uFF5E');
  size_t q = u.find(U'\u301C');
  return p < q ? p : q;
}

std::string CharsFrom(const std::u32string& u, size_t start) {
  return start >= u.size() ? std::string() : FromU32(u.substr(start));
}

bool IsTimeText(const std::string& text) {
  DateTime t;
  return DateTime::Parse(text, 2000, t) && !t.HasDate();
}

int DigitsValue(const std::string& text) {
  int value = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9' && value < 100000000) value = value * 10 + (c - '0');
  }
  return value;
}

// The digits and points of `text`: false when they make no number; one too
// large for Money throws RuntimeError.  `minus`: a "-" came before them.
bool ParseDigits(const std::string& text, Money& value, bool& minus) {
  std::string kept;
  minus = false;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '.') {
      kept.push_back(c);
    } else if (c == '-' && kept.empty()) {
      minus = true;
    }
  }
  if (!IsNumeric(kept)) return false;
  if (!Money::Parse(kept, value)) throw RuntimeError(kErrOverflow);
  return true;
}

}  // namespace

bool clsHtmlToto::Kaisaikai(const std::string& text, int& round) {
  std::u32string u = ToU32(text);
  if (u.empty() || u[0] != U'第') return false;
  size_t p = u.find(U'回');
  if (p == std::u32string::npos) return false;
  std::string number = ToHalfWidth(FromU32(u.substr(1, p - 1)));
  int value = 0;
  if (!ConvertToLong(number, value)) {
    throw RuntimeError(IsNumeric(number) ? kErrOverflow : kErrTypeMismatch);
  }
  round = value;
  return true;
}

bool clsHtmlToto::GetKaisaikai(const std::string& text, int& round, const std::string& marker) {
  if (!Contains(text, marker)) return false;
  return Kaisaikai(text, round);
}

std::string clsHtmlToto::GetGameType(const std::vector<std::string>& texts, int& position) {
  if (position < 0 || position >= static_cast<int>(texts.size())) return "";
  clsTGameType types;
  int no = types.GetNo(texts[position]);
  if (no <= 0) return "";
  ++position;
  return types.Text(no);
}

bool clsHtmlToto::GetValue2(const std::string& text, Money& first, Money& second) {
  std::string s = ReplaceAll(ToHalfWidth(Trim(text)), ",", "");
  size_t open = s.find('(');
  if (open == std::string::npos || s.find(')') == std::string::npos) return false;
  std::string rest = s.substr(open);
  for (const char* mark : {"(", ")", "%"}) rest = ReplaceAll(rest, mark, "");
  first = StringToFigure(s.substr(0, open));
  second = StringToCurrency(rest);
  return true;
}

Money clsHtmlToto::StringToCurrency(const std::string& text) {
  try {
    Money value;
    bool minus = false;
    return ParseDigits(text, value, minus) ? value : Money();
  } catch (const std::exception& e) {
    ReportException(kClassName, "StringToCurrency", e);
    return Money();
  }
}

Money clsHtmlToto::StringToFigure(const std::string& text) {
  Money value;
  bool minus = false;
  if (!ParseDigits(text, value, minus)) return Money();
  if (minus) throw RuntimeError(kErrInvalidCall);
  return value;
}

DateTime clsHtmlToto::StringToDate(const std::string& text) {
  try {
    DateTime date;
    if (DateTime::Parse(text, platform().Now().Year(), date)) return date;
    return DateTime();
  } catch (const std::exception& e) {
    ReportException(kClassName, "StringToDate", e);
    return DateTime();
  }
}

DateTime clsHtmlToto::StringToDateEx(std::string& text) {
  try {
    text = ToHalfWidth(text);
    std::u32string u = ToU32(text);
    size_t open = u.find(U'(');
    size_t close = open == std::u32string::npos ? open : u.find(U')', open + 1);
    if (close != std::u32string::npos) {
      // "1月2日(土) 12:00": the weekday goes, and anything after the minutes.
      u = u.substr(0, open) + u.substr(close + 1);
      size_t colon = u.find(U':');
      if (colon != std::u32string::npos) u = u.substr(0, colon + 3);
      text = FromU32(u);
    }
    return StringToDate(text);
  } catch (const std::exception& e) {
    ReportException(kClassName, "StringToDateEx", e);
    return DateTime();
  }
}

std::string clsHtmlToto::LatestTime(const std::string& text) {
  std::u32string u = ToU32(ToHalfWidth(text));
  std::string best;
  int best_value = 0;
  for (size_t i = 0; i < u.size(); ++i) {
    if (u[i] != U':') continue;
    std::string found;
    if (i >= 2) {
      std::string hh = FromU32(u.substr(i - 2, 5));
      if (IsTimeText(hh)) found = hh;
    }
    if (found.empty() && i >= 1) {
      std::string h = FromU32(u.substr(i - 1, 4));
      if (IsTimeText(h)) found = h;
    }
    int value = DigitsValue(found);
    if (value > best_value) {
      best_value = value;
      best = found;
    }
  }
  return best;
}

DateTime clsHtmlToto::StringToDateEx2(const std::string& text) {
  try {
    std::u32string u = ToU32(text);
    size_t day = u.find(U'日');
    if (day == std::u32string::npos) return DateTime();
    return StringToDate(FromU32(u.substr(0, day + 1)) + " " + LatestTime(text));
  } catch (const std::exception& e) {
    ReportException(kClassName, "StringToDateEx2", e);
    return DateTime();
  }
}

void clsHtmlToto::DateString2(const std::string& text, DateTime& start, DateTime& end) {
  try {
    std::u32string u = ToU32(ReplaceAll(text, "まで", ""));
    size_t tilde = FindTilde(u);
    if (tilde == std::u32string::npos) return;
    // The character right after the tilde (a blank on the pages) is skipped.
    std::string first = FromU32(u.substr(0, tilde));
    std::string second = CharsFrom(u, tilde + 2);
    start = StringToDateEx(first);
    end = StringToDateEx(second);
  } catch (const std::exception& e) {
    ReportException(kClassName, "DateString2", e);
  }
}

void clsHtmlToto::GetStringToDate2(const std::string& text, DateTime& start, DateTime& end) {
  try {
    std::string s = ReplaceAll(ReplaceAll(text, "月", "/"), "日", " ");
    std::u32string u = ToU32(s);
    size_t tilde = FindTilde(u);
    if (tilde == std::u32string::npos) return;
    std::string year = std::to_string(platform().Now().Year());
    start = StringToDate(year + "/" + Trim(FromU32(u.substr(0, tilde))));
    end = StringToDate(year + "/" + Trim(CharsFrom(u, tilde + 2)));
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetStringToDate2", e);
  }
}

bool clsHtmlToto::GetStringToDateNow(const std::string& text, DateTime& date, bool& final) {
  try {
    std::u32string u = ToU32(text);
    if (u.empty() || u[0] != U'(') return false;
    size_t at = u.find(U"販売終了時点)");
    final = at != std::u32string::npos;
    if (!final) at = u.find(U"時点)");
    if (at == std::u32string::npos) return false;
    std::string inner = at > 1 ? FromU32(u.substr(1, at - 1)) : std::string();
    date = StringToDateEx(inner);
    return true;
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetStringToDateNow", e);
    return false;
  }
}

}  // namespace zelvo
