#include "support/format.h"

#include <cmath>
#include <cstdio>

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

}  // namespace

double RoundDecimal(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  // Reading the double through 15 significant digits recovers the decimal
  // value a user typed or a division meant (1.005 instead of 1.00499...).
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  long double v = std::strtold(buf, nullptr);
  long double scale = std::pow(10.0L, decimals);
  long double r = std::round(v * scale) / scale;
  return static_cast<double>(r);
}

std::string FormatNumber(double value, std::string_view pattern) {
  Pattern pat = ParsePattern(pattern);
  if (!std::isfinite(value)) return "";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  long double v = std::strtold(buf, nullptr);
  bool negative = v < 0;
  long double scaled = std::round(std::fabs(v) * std::pow(10.0L, pat.decimals));
  char digits[128];
  std::snprintf(digits, sizeof digits, "%.0Lf", scaled);
  return Render(negative, digits, pat.decimals, pat);
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
