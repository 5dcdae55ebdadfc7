// Text helpers the scrapers read their values with: round numbers, amounts
// with percentages, and the Japanese date and time forms of the pages.  A zero
// date and zero money stand for "not found".
#ifndef ZELVOMINI_OFFICIAL_HTML_TOTO_H_
#define ZELVOMINI_OFFICIAL_HTML_TOTO_H_

#include <string>
#include <vector>

#include "support/date_time.h"
#include "support/money.h"

namespace zelvo {

class clsHtmlToto {
 public:
  // "第1234回..." gives 1234.  A text that begins with "第" and holds "回"
  // but no number between them throws RuntimeError(kErrTypeMismatch): the
  // calling scraper reports it under its own name.
  static bool Kaisaikai(const std::string& text, int& round);
  // Kaisaikai only when the text contains the marker.
  static bool GetKaisaikai(const std::string& text, int& round, const std::string& marker);
  // The match-type label of texts[position] ("J1", ...), advancing the
  // position past it; "" and the position unchanged when it is no type.
  static std::string GetGameType(const std::vector<std::string>& texts, int& position);
  // "1,234,567(12.3%)" (also full-width) gives 1234567 and 12.3.
  static bool GetValue2(const std::string& text, Money& first, Money& second);
  // The digits and points of the text as a number, else 0.
  static Money StringToCurrency(const std::string& text);
  // The same for a figure the page must give right (votes, prizes, winners):
  // one that does not fit, or has a minus sign before its digits, throws
  // RuntimeError, so that the page is refused rather than read as 0.
  static Money StringToFigure(const std::string& text);
  static DateTime StringToDate(const std::string& text);
  // A date with an optional parenthesised part (a weekday) and a time; the
  // text is left half-width with the part removed.
  static DateTime StringToDateEx(std::string& text);
  // The day part up to "日" with the latest time found in the text.
  static DateTime StringToDateEx2(const std::string& text);
  // A range "start ～ end" (with "まで"); the outputs stay when there is no "～".
  static void DateString2(const std::string& text, DateTime& start, DateTime& end);
  // A month/day range "1月2日 ～ 1月9日" in the current year.
  static void GetStringToDate2(const std::string& text, DateTime& start, DateTime& end);
  // "(1月2日(土) 12:00販売終了時点)" or "(... 時点)": the date, and whether it
  // is the final state of the sale.
  static bool GetStringToDateNow(const std::string& text, DateTime& date, bool& final);

  // The latest "hh:mm" or "h:mm" of a text ("" when none).
  static std::string LatestTime(const std::string& text);
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_HTML_TOTO_H_
