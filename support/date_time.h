// Date-time value as the program uses it: whole seconds counted from the zero
// date (1899-12-30 0:00:00), which stands for "not set" and is shown as the
// time 0:00:00.  A value with a zero date part is a time of day alone.
#ifndef ZELVOMINI_SUPPORT_DATE_TIME_H_
#define ZELVOMINI_SUPPORT_DATE_TIME_H_

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvo {

class DateTime {
 public:
  constexpr DateTime() = default;
  // False when a field is out of range (month 13, 30 February, 24:00, ...).
  static bool FromParts(int year, int month, int day, int hour, int minute, int second,
                        DateTime& out);
  static DateTime Date(int year, int month, int day);  // zero date when invalid
  static DateTime Time(int hour, int minute, int second);
  static constexpr DateTime FromSeconds(int64_t s) {
    DateTime d;
    d.seconds_ = s;
    return d;
  }

  // The Japanese-locale reading of a date and/or time text: "2024/1/2 12:34",
  // "2024-01-02", "2024年1月2日 12:34", "1/2" and "1月2日" (in `current_year`),
  // "12:34", "12:34:56", "12時34分".  Full-width digits are accepted.
  static bool Parse(std::string_view text, int current_year, DateTime& out);
  // Parse with the current year of the platform clock.
  static bool Parse(std::string_view text, DateTime& out);

  constexpr bool IsZero() const { return seconds_ == 0; }
  constexpr int64_t seconds() const { return seconds_; }
  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;
  int Second() const;
  // 1 = Sunday ... 7 = Saturday.
  int Weekday() const;
  // Japanese weekday character: "日", "月", ... "土".
  std::string WeekdayJa() const;
  DateTime DatePart() const;
  DateTime TimePart() const;
  bool HasDate() const;
  bool HasTime() const;

  // The standard text form: "2024/01/02 12:34:00", "2024/01/02" without a
  // time, "12:34:00" without a date, "0:00:00" for the zero value.
  std::string ToString() const;
  // Pattern tokens: yyyy, yy, mm, m, dd, d (date), hh, h, nn, n, ss, s (time),
  // aaa (weekday character); any other character is copied.
  std::string Format(std::string_view pattern) const;

  constexpr auto operator<=>(const DateTime&) const = default;

 private:
  int64_t seconds_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_DATE_TIME_H_
