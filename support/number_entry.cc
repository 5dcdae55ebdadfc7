#include "support/number_entry.h"

#include <algorithm>
#include <cstdio>

#include "support/format.h"
#include "support/text.h"

namespace zelvo {

void NumberEntry::SetRange(Money min, Money max) {
  min_ = min;
  max_ = max;
}

Money NumberEntry::Value() const {
  Money v;
  std::string digits = ReplaceAll(Trim(text_), ",", "");
  if (!Money::Parse(digits, v)) return min_;
  if (kind_ == Kind::kInteger) v = Money::FromInt(v.Floor());
  if (v < min_) return min_;
  if (v > max_) return max_;
  return v;
}

double NumberEntry::ExactValue() const {
  double v = 0;
  if (!ParseExactDecimal(ReplaceAll(Trim(text_), ",", ""), v)) return min_.ToDouble();
  return std::clamp(v, min_.ToDouble(), max_.ToDouble());
}

void NumberEntry::SetExactValue(double value) {
  SetText(ExactDecimalText(std::clamp(value, min_.ToDouble(), max_.ToDouble())));
}

std::string NumberEntry::Render(Money value) const {
  if (kind_ == Kind::kInteger) return std::to_string(value.Floor());
  if (kind_ == Kind::kDecimal) return ExactDecimalText(value.ToDouble());
  return FormatNumber(value, "#,##0");
}

void NumberEntry::SetValue(Money value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  SetText(Render(value));
}

void NumberEntry::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  if (on_change) on_change();
}

void StepNumberEntry(NumberEntry& entry, int delta) {
  entry.SetValue(entry.Value() + Money::FromInt(delta));
}

}  // namespace zelvo
