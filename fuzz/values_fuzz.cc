// The date-time and money text parsers: what parses prints and parses back
// to the same value, and the page parsers stay within their types.
#include "fuzz/fuzz_support.h"
#include "official/html_toto.h"
#include "support/date_time.h"
#include "support/money.h"
#include "support/text.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Setup();
  const std::string text = SanitizeUtf8(fuzz::AsText(data, size));
  Money money;
  if (Money::Parse(text, money)) {
    Money again;
    fuzz::Require(Money::Parse(money.ToString(), again) && again == money,
                  "an amount changed when printed and parsed again");
  }
  DateTime date;
  if (DateTime::Parse(text, 2024, date)) {
    DateTime again;
    fuzz::Require(DateTime::Parse(date.ToString(), 2024, again) && again == date,
                  "a date changed when printed and parsed again");
  }
  Money first, second;
  try {
    clsHtmlToto::GetValue2(text, first, second);
  } catch (const std::exception&) {
    // A vote figure that does not fit refuses its page: the scraper reports it.
  }
  clsHtmlToto::StringToCurrency(text);
  clsHtmlToto::StringToDate(text);
  std::string copy = text;
  clsHtmlToto::StringToDateEx(copy);
  clsHtmlToto::StringToDateEx2(text);
  DateTime start, end;
  clsHtmlToto::DateString2(text, start, end);
  clsHtmlToto::GetStringToDate2(text, start, end);
  bool final = false;
  clsHtmlToto::GetStringToDateNow(text, date, final);
  clsHtmlToto::LatestTime(text);
  int round = 0;
  try {
    clsHtmlToto::Kaisaikai(text, round);
  } catch (const std::exception&) {
    // A round text without its number is reported by the scraper that reads it.
  }
  return 0;
}
