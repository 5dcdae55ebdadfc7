// Number formats of the screens, logs and reports: "#,##0", "0.00",
// "##0.00", "000", "00", "0000", "#0", "#,##0.00", "0", "##0".
#ifndef ZELVOMINI_SUPPORT_FORMAT_H_
#define ZELVOMINI_SUPPORT_FORMAT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "support/money.h"

namespace zelvo {

// A pattern of "#", "0", "," and one ".": "0" before the point sets the least
// number of integer digits, "," groups thousands, the digits after the point
// the number of decimals.  Halves round away from zero.
std::string FormatNumber(double value, std::string_view pattern);
std::string FormatNumber(int64_t value, std::string_view pattern);
std::string FormatNumber(Money value, std::string_view pattern);

// Rounds to `decimals` places, halves away from zero, on the decimal value
// the double stands for (so 1.005 rounds to 1.01, as a user expects).
double RoundDecimal(double value, int decimals);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_FORMAT_H_
