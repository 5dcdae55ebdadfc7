#include "support/number_entry.h"

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

std::string NumberEntry::Render(Money value) const {
  if (kind_ == Kind::kInteger) return std::to_string(value.Floor());
  if (kind_ == Kind::kDecimal) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.2f", value.ToDouble());
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
  }
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
