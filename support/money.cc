#include "support/money.h"

#include <cmath>
#include <limits>

#include "support/text.h"

namespace zelvo {

Money Money::FromDouble(double value) {
  double scaled = value * static_cast<double>(kScale);
  if (!std::isfinite(scaled)) return Money();
  // nearbyint uses the current rounding mode, which is round-half-even.
  double r = std::nearbyint(scaled);
  if (r >= 9.2e18) return FromRaw(std::numeric_limits<int64_t>::max());
  if (r <= -9.2e18) return FromRaw(std::numeric_limits<int64_t>::min());
  return FromRaw(static_cast<int64_t>(r));
}

bool Money::Parse(std::string_view text, Money& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  size_t i = 0;
  bool negative = false;
  if (t[0] == '+' || t[0] == '-') {
    negative = t[0] == '-';
    i = 1;
  }
  __int128 whole = 0;
  int64_t frac = 0;
  int frac_digits = 0;
  bool digits = false, point = false;
  int round_digit = -1;
  bool sticky = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      if (!point) {
        whole = whole * 10 + (c - '0');
        if (whole > static_cast<__int128>(std::numeric_limits<int64_t>::max() / kScale) + 1)
          return false;
      } else if (frac_digits < 4) {
        frac = frac * 10 + (c - '0');
        ++frac_digits;
      } else if (round_digit < 0) {
        round_digit = c - '0';
      } else if (c != '0') {
        sticky = true;
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!digits) return false;
  while (frac_digits < 4) {
    frac *= 10;
    ++frac_digits;
  }
  __int128 raw = whole * kScale + frac;
  // Half to even beyond the fourth decimal, like the currency conversion.
  if (round_digit > 5 || (round_digit == 5 && (sticky || (raw & 1)))) ++raw;
  if (negative) raw = -raw;
  if (raw > std::numeric_limits<int64_t>::max() || raw < std::numeric_limits<int64_t>::min())
    return false;
  out = FromRaw(static_cast<int64_t>(raw));
  return true;
}

int64_t Money::Floor() const {
  int64_t q = raw_ / kScale;
  if (raw_ % kScale != 0 && raw_ < 0) --q;
  return q;
}

int64_t Money::RoundToInt() const {
  int64_t q = raw_ / kScale;
  int64_t r = raw_ % kScale;
  if (r < 0) {
    r += kScale;
    --q;
  }
  if (r > kScale / 2 || (r == kScale / 2 && (q & 1))) ++q;
  return q;
}

std::string Money::ToString() const {
  bool negative = raw_ < 0;
  unsigned long long a = negative ? 0ULL - static_cast<unsigned long long>(raw_)
                                  : static_cast<unsigned long long>(raw_);
  std::string out = negative ? "-" : "";
  out += std::to_string(a / kScale);
  unsigned long long f = a % kScale;
  if (f) {
    std::string digits = std::to_string(f);
    digits.insert(0, 4 - digits.size(), '0');
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    out += "." + digits;
  }
  return out;
}

Money Money::operator*(Money o) const {
  __int128 p = static_cast<__int128>(raw_) * o.raw_;
  __int128 q = p / kScale;
  __int128 r = p % kScale;
  if (r < 0) {
    r += kScale;
    --q;
  }
  if (r > kScale / 2 || (r == kScale / 2 && (q & 1))) ++q;
  return FromRaw(static_cast<int64_t>(q));
}

}  // namespace zelvo
