#include "support/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zelvo {
namespace {

struct Pattern {
  int min_int_digits = 0;
  bool group = false;
  int decimals = 0;
};

Pattern ParsePattern(std::string_view p) {
  Pattern out;
  size_t point = p.find('.');
  std::string_view int_part = p.substr(0, point);
  for (char c : int_part) {
    if (c == '0') ++out.min_int_digits;
    if (c == ',') out.group = true;
  }
  if (point != std::string_view::npos) {
    for (char c : p.substr(point + 1)) {
      if (c == '0' || c == '#') ++out.decimals;
    }
  }
  return out;
}

std::string Render(bool negative, std::string digits, int decimals, const Pattern& pat) {
  // digits: the absolute value scaled by 10^decimals, in decimal.
  while (static_cast<int>(digits.size()) < decimals + 1) digits.insert(0, 1, '0');
  std::string int_part = digits.substr(0, digits.size() - decimals);
  std::string frac_part = digits.substr(digits.size() - decimals);
  // Strip leading zeros, then pad to the pattern's minimum.
  size_t nz = int_part.find_first_not_of('0');
  int_part = nz == std::string::npos ? "" : int_part.substr(nz);
  while (static_cast<int>(int_part.size()) < pat.min_int_digits) int_part.insert(0, 1, '0');
  if (pat.group && int_part.size() > 3) {
    std::string grouped;
    int n = static_cast<int>(int_part.size());
    for (int i = 0; i < n; ++i) {
      grouped += int_part[i];
      int rest = n - 1 - i;
      if (rest > 0 && rest % 3 == 0) grouped += ',';
    }
    int_part = grouped;
  }
  std::string out = int_part;
  if (decimals > 0) out += "." + frac_part;
  bool all_zero = digits.find_first_not_of('0') == std::string::npos;
  if (negative && !all_zero) out.insert(0, 1, '-');
  return out;
}

// The digits of value x 10^decimals rounded half away from zero, for a
// value >= 0.  The double is read through 15 significant digits, which
// recovers the decimal value a user typed or a division meant (1.005, not
// 1.00499...), and the rounding is done on those decimal digits: scaling in
// binary first would turn 35.545 into 3554.4999... and round it down.
std::string RoundedDigits(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  std::string mantissa;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') mantissa += *p;
  }
  int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
  // Integer digits of the scaled value among the 15.
  long keep = static_cast<long>(exponent) + 1 + decimals;
  std::string out;
  if (keep >= static_cast<long>(mantissa.size())) {
    out = mantissa + std::string(keep - mantissa.size(), '0');
  } else if (keep < 0) {
    out = "0";
  } else {
    out = mantissa.substr(0, keep);
    if (mantissa[keep] >= '5') {
      int i = static_cast<int>(out.size()) - 1;
      for (; i >= 0 && out[i] == '9'; --i) out[i] = '0';
      if (i >= 0) {
        ++out[i];
      } else {
        out.insert(0, 1, '1');
      }
    }
    if (out.empty()) out = "0";
  }
  size_t nz = out.find_first_not_of('0');
  return nz == std::string::npos ? "0" : out.substr(nz);
}

}  // namespace

double RoundDecimal(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  std::string digits = RoundedDigits(std::fabs(value), decimals);
  std::string text = (value < 0 ? "-" : "") + digits + "e" + std::to_string(-decimals);
  return std::strtod(text.c_str(), nullptr);
}

std::string FormatNumber(double value, std::string_view pattern) {
  Pattern pat = ParsePattern(pattern);
  if (!std::isfinite(value)) return "";
  return Render(value < 0, RoundedDigits(std::fabs(value), pat.decimals), pat.decimals, pat);
}

std::string FormatNumber(int64_t value, std::string_view pattern) {
  Pattern pat = ParsePattern(pattern);
  bool negative = value < 0;
  unsigned long long a = negative ? 0ULL - static_cast<unsigned long long>(value)
                                  : static_cast<unsigned long long>(value);
  std::string digits = std::to_string(a) + std::string(pat.decimals, '0');
  return Render(negative, digits, pat.decimals, pat);
}

std::string FormatNumber(Money value, std::string_view pattern) {
  Pattern pat = ParsePattern(pattern);
  int64_t raw = value.raw();
  bool negative = raw < 0;
  unsigned long long a =
      negative ? 0ULL - static_cast<unsigned long long>(raw) : static_cast<unsigned long long>(raw);
  // Money holds four decimals exactly: round away from zero at `decimals`.
  int drop = 4 - pat.decimals;
  unsigned long long scaled = a;
  if (drop > 0) {
    unsigned long long div = 1;
    for (int i = 0; i < drop; ++i) div *= 10;
    scaled = a / div + ((a % div) * 2 >= div ? 1 : 0);
  } else {
    for (int i = 0; i < -drop; ++i) scaled *= 10;
  }
  return Render(negative, std::to_string(scaled), pat.decimals, pat);
}

}  // namespace zelvo
