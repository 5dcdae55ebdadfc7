// Money: a decimal fixed-point value with four decimal places, held as a
// 64-bit integer scaled by 10,000.  Vote counts, rates and amounts all use it.
#ifndef ZELVOMINI_SUPPORT_MONEY_H_
#define ZELVOMINI_SUPPORT_MONEY_H_

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvo {

class Money {
 public:
  static constexpr int64_t kScale = 10000;

  constexpr Money() = default;
  static constexpr Money FromRaw(int64_t raw) {
    Money m;
    m.raw_ = raw;
    return m;
  }
  static constexpr Money FromInt(int64_t units) { return FromRaw(units * kScale); }
  // Rounds half to even at the fourth decimal, as the currency conversion does.
  static Money FromDouble(double value);
  // Parses the decimal text the files hold ("1234", "-12.5", "0.0001");
  // false on anything else or a value out of range.
  static bool Parse(std::string_view text, Money& out);

  constexpr int64_t raw() const { return raw_; }
  double ToDouble() const { return static_cast<double>(raw_) / kScale; }
  // Whole part, cut towards minus infinity.
  int64_t Floor() const;
  // Whole number, rounded half to even (the integer conversion of money).
  int64_t RoundToInt() const;
  // Shortest decimal text: "1234.5", "0", "-3".
  std::string ToString() const;

  constexpr Money operator+(Money o) const { return FromRaw(raw_ + o.raw_); }
  constexpr Money operator-(Money o) const { return FromRaw(raw_ - o.raw_); }
  constexpr Money operator-() const { return FromRaw(-raw_); }
  Money& operator+=(Money o) {
    raw_ += o.raw_;
    return *this;
  }
  Money& operator-=(Money o) {
    raw_ -= o.raw_;
    return *this;
  }
  // Product of two fixed-point values, rounded half to even at four decimals.
  Money operator*(Money o) const;
  constexpr auto operator<=>(const Money&) const = default;

 private:
  int64_t raw_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_MONEY_H_
