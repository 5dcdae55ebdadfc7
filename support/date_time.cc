#include "support/date_time.h"

#include <vector>

#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

const int64_t kZeroDays = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[month - 1];
}

int64_t FloorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// A small scanner over the half-width text.
struct Scanner {
  std::u32string s;
  size_t i = 0;
  void SkipBlanks() {
    while (i < s.size() && (s[i] == ' ' || s[i] == 0x3000)) ++i;
  }
  bool AtEnd() const { return i >= s.size(); }
  bool Number(int& value, int& digits) {
    size_t start = i;
    long long v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 9) {
      v = v * 10 + (s[i] - '0');
      ++i;
    }
    digits = static_cast<int>(i - start);
    value = static_cast<int>(v);
    return digits > 0;
  }
  bool Take(char32_t c) {
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
};

int ExpandYear(int year, int digits) {
  if (digits <= 2) return year < 30 ? 2000 + year : 1900 + year;
  return year;
}

// Date part at the scanner; on failure the scanner is left where it was.
bool ScanDate(Scanner& sc, int current_year, int& y, int& m, int& d) {
  size_t start = sc.i;
  int a = 0, b = 0, c = 0, da = 0, db = 0, dc = 0;
  if (!sc.Number(a, da)) return false;
  if (sc.Take(U'年')) {
    if (sc.Number(b, db) && sc.Take(U'月') && sc.Number(c, dc) && sc.Take(U'日')) {
      y = ExpandYear(a, da), m = b, d = c;
      return true;
    }
    sc.i = start;
    return false;
  }
  if (sc.Take(U'月')) {
    if (sc.Number(b, db) && sc.Take(U'日')) {
      y = current_year, m = a, d = b;
      return true;
    }
    sc.i = start;
    return false;
  }
  for (char32_t sep : {U'/', U'-'}) {
    size_t at = sc.i;
    if (!sc.Take(sep)) continue;
    if (!sc.Number(b, db)) {
      sc.i = start;
      return false;
    }
    size_t after_b = sc.i;
    if (sc.Take(sep) && sc.Number(c, dc)) {
      y = ExpandYear(a, da), m = b, d = c;
      return true;
    }
    sc.i = after_b;
    y = current_year, m = a, d = b;
    (void)at;
    return true;
  }
  sc.i = start;
  return false;
}

bool ScanTime(Scanner& sc, int& h, int& n, int& s) {
  size_t start = sc.i;
  bool pm = false, am = false;
  if (sc.Take(U'午')) {
    if (sc.Take(U'前')) {
      am = true;
    } else if (sc.Take(U'後')) {
      pm = true;
    } else {
      sc.i = start;
      return false;
    }
    sc.SkipBlanks();
  }
  int dh = 0, dn = 0, ds = 0;
  if (!sc.Number(h, dh)) {
    sc.i = start;
    return false;
  }
  n = 0, s = 0;
  if (sc.Take(U':')) {
    if (!sc.Number(n, dn)) {
      sc.i = start;
      return false;
    }
    if (sc.Take(U':') && !sc.Number(s, ds)) {
      sc.i = start;
      return false;
    }
  } else if (sc.Take(U'時')) {
    if (sc.Number(n, dn)) {
      if (!sc.Take(U'分')) {
        sc.i = start;
        return false;
      }
      if (sc.Number(s, ds) && !sc.Take(U'秒')) {
        sc.i = start;
        return false;
      }
    }
  } else {
    sc.i = start;
    return false;
  }
  sc.SkipBlanks();
  if (sc.s.compare(sc.i, 2, U"AM") == 0 || sc.s.compare(sc.i, 2, U"am") == 0) {
    am = true;
    sc.i += 2;
  } else if (sc.s.compare(sc.i, 2, U"PM") == 0 || sc.s.compare(sc.i, 2, U"pm") == 0) {
    pm = true;
    sc.i += 2;
  }
  if (am || pm) {
    if (h > 12) return false;
    if (pm && h < 12) h += 12;
    if (am && h == 12) h = 0;
  }
  return true;
}

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  if (s.size() < 2) s.insert(0, 1, '0');
  return s;
}

}  // namespace

bool DateTime::FromParts(int year, int month, int day, int hour, int minute, int second,
                         DateTime& out) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
    return false;
  int64_t days = DaysFromCivil(year, month, day) - kZeroDays;
  out.seconds_ = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
  return true;
}

DateTime DateTime::Date(int year, int month, int day) {
  DateTime d;
  FromParts(year, month, day, 0, 0, 0, d);
  return d;
}

DateTime DateTime::Time(int hour, int minute, int second) {
  DateTime d;
  if (hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60)
    d.seconds_ = hour * 3600 + minute * 60 + second;
  return d;
}

bool DateTime::Parse(std::string_view text, int current_year, DateTime& out) {
  Scanner sc;
  sc.s = ToU32(ToHalfWidth(text));
  sc.SkipBlanks();
  if (sc.AtEnd()) return false;
  int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0;
  bool has_date = ScanDate(sc, current_year, y, m, d);
  bool has_time = false;
  sc.SkipBlanks();
  if (!sc.AtEnd()) {
    has_time = ScanTime(sc, h, n, s);
    if (!has_time) return false;
  }
  sc.SkipBlanks();
  if (!sc.AtEnd() || (!has_date && !has_time)) return false;
  if (has_date) return FromParts(y, m, d, h, n, s, out);
  if (h > 23 || n > 59 || s > 59) return false;
  out = Time(h, n, s);
  return true;
}

bool DateTime::Parse(std::string_view text, DateTime& out) {
  return Parse(text, platform().Now().Year(), out);
}

int DateTime::Year() const {
  int y, m, d;
  CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kZeroDays, y, m, d);
  return y;
}
int DateTime::Month() const {
  int y, m, d;
  CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kZeroDays, y, m, d);
  return m;
}
int DateTime::Day() const {
  int y, m, d;
  CivilFromDays(FloorDiv(seconds_, kSecondsPerDay) + kZeroDays, y, m, d);
  return d;
}
int DateTime::Hour() const {
  return static_cast<int>((seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay) / 3600);
}
int DateTime::Minute() const {
  return static_cast<int>(((seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay) / 60) %
                          60);
}
int DateTime::Second() const {
  return static_cast<int>((seconds_ - FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay) % 60);
}
int DateTime::Weekday() const {
  // 1899-12-30 was a Saturday.
  int64_t days = FloorDiv(seconds_, kSecondsPerDay);
  int64_t w = (days + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}
std::string DateTime::WeekdayJa() const {
  static const char* kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
  return kNames[Weekday() - 1];
}
DateTime DateTime::DatePart() const {
  return FromSeconds(FloorDiv(seconds_, kSecondsPerDay) * kSecondsPerDay);
}
DateTime DateTime::TimePart() const { return FromSeconds(seconds_ - DatePart().seconds_); }
bool DateTime::HasDate() const { return FloorDiv(seconds_, kSecondsPerDay) != 0; }
bool DateTime::HasTime() const { return TimePart().seconds_ != 0; }

std::string DateTime::ToString() const {
  std::string date = Format("yyyy/mm/dd");
  std::string time = Format("h:nn:ss");
  if (!HasDate()) return time;
  if (!HasTime()) return date;
  return date + " " + time;
}

std::string DateTime::Format(std::string_view pattern) const {
  std::string out;
  size_t i = 0;
  auto starts = [&](std::string_view token) { return pattern.substr(i, token.size()) == token; };
  while (i < pattern.size()) {
    if (starts("yyyy")) {
      std::string y = std::to_string(Year());
      while (y.size() < 4) y.insert(0, 1, '0');
      out += y, i += 4;
    } else if (starts("yy")) {
      out += TwoDigits(Year() % 100), i += 2;
    } else if (starts("mm")) {
      out += TwoDigits(Month()), i += 2;
    } else if (starts("m")) {
      out += std::to_string(Month()), i += 1;
    } else if (starts("dd")) {
      out += TwoDigits(Day()), i += 2;
    } else if (starts("d")) {
      out += std::to_string(Day()), i += 1;
    } else if (starts("hh")) {
      out += TwoDigits(Hour()), i += 2;
    } else if (starts("h")) {
      out += std::to_string(Hour()), i += 1;
    } else if (starts("nn")) {
      out += TwoDigits(Minute()), i += 2;
    } else if (starts("n")) {
      out += std::to_string(Minute()), i += 1;
    } else if (starts("ss")) {
      out += TwoDigits(Second()), i += 2;
    } else if (starts("s")) {
      out += std::to_string(Second()), i += 1;
    } else if (starts("aaa")) {
      out += WeekdayJa(), i += 3;
    } else {
      out += pattern[i], i += 1;
    }
  }
  return out;
}

}  // namespace zelvo
