// The number entry box as a model: a text bound to an integer or money value
// kept within a minimum and a maximum.  The window layer shows Text() and
// passes typed text to SetText().
#ifndef ZELVOMINI_SUPPORT_NUMBER_ENTRY_H_
#define ZELVOMINI_SUPPORT_NUMBER_ENTRY_H_

#include <functional>
#include <string>

#include "support/money.h"

namespace zelvo {

class NumberEntry {
 public:
  // kDecimal: a figure kept to every digit typed (ExactValue), for the
  // value thresholds.
  enum class Kind { kInteger, kMoney, kDecimal };

  explicit NumberEntry(Kind kind = Kind::kInteger) : kind_(kind) {}

  void SetRange(Money min, Money max);
  Money Min() const { return min_; }
  Money Max() const { return max_; }
  Kind kind() const { return kind_; }
  void SetKind(Kind kind) { kind_ = kind; }

  // The value the text stands for, held within the range: a text that is not
  // a number reads as the minimum, one outside the range as the nearer bound.
  Money Value() const;
  int IntValue() const { return static_cast<int>(Value().RoundToInt()); }
  // Writes the value's text (clamped to the range).
  void SetValue(Money value);
  void SetIntValue(long long value) { SetValue(Money::FromInt(value)); }

  // The same for a figure that must keep every digit it was given (a
  // threshold of 0.00002 is not 0): the text's exact value, held within the
  // range, or the minimum when it is no plain decimal.
  double ExactValue() const;
  void SetExactValue(double value);

  const std::string& Text() const { return text_; }
  // The text as typed; raises on_change when it differs from the old one.
  void SetText(const std::string& text);

  // Tag a panel gives the field (the payout fields carry grade*10+1/2).
  int tag = 0;
  std::function<void()> on_change;

 private:
  std::string Render(Money value) const;

  Kind kind_;
  Money min_ = Money::FromInt(0);
  Money max_ = Money::FromInt(2147483647);
  std::string text_ = "0";
};

// The up-down control beside a number entry: one step up or down within the
// entry's range.
void StepNumberEntry(NumberEntry& entry, int delta);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_NUMBER_ENTRY_H_
