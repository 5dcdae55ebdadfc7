// The --json form of the commands' reports: one JSON document on standard
// output, numbers as numbers, built with nlohmann::json rather than by hand.
#ifndef ZELVOMINI_APP_CLI_JSON_H_
#define ZELVOMINI_APP_CLI_JSON_H_

#include <iosfwd>
#include <nlohmann/json.hpp>

#include "support/date_time.h"
#include "support/money.h"

namespace zelvo {

// Members keep the order they are written in, the order of the text form.
using Json = nlohmann::ordered_json;

// Indented, ending with a line break.  A text that is not UTF-8 (a file
// name) is written with U+FFFD in place of the bytes that are not.
void PrintJson(std::ostream& out, const Json& json);

// Whole yen as an integer; a fraction only where there is one.
Json MoneyJson(Money value);
// "2024-01-02T12:34:00", "2024-01-02" without a time; null for no date.
Json DateJson(DateTime value);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_JSON_H_
