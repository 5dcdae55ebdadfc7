#include "ui/odds_window.h"

#include <algorithm>

namespace zelvo {
namespace {

constexpr int kMaxFieldValue = 99999;

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// value / divisor, halves away from zero, as the program's number formats
// round.
int RoundedQuotient(int value, int divisor) { return (value + divisor / 2) / divisor; }

}  // namespace

frmOdds::frmOdds() : mode_({"10,000", "100"}) {
  mode_.on_change = [this] {
    SwitchMode();
    Changed();
  };
  fields_.fill("0");
  Validate();
}

void frmOdds::Setup(const Rates& rates, const Teams& teams) {
  teams_ = teams;
  mode_.SetIndex(kPerTenThousand);
  shown_mode_ = kPerTenThousand;
  for (int f = 0; f < kFields; ++f) {
    // A damaged record must not put a text in a field that typing could not.
    int v = std::clamp(rates[OutcomeOf(f)][MatchOf(f)], 0, kMaxFieldValue);
    fields_[f] = std::to_string(v);
  }
  result_ = false;
  result_rates_ = {};
  Validate();
  Changed();
}

bool frmOdds::SetFieldText(int field, const std::string& text) {
  if (field < 0 || field >= kFields) return false;
  if (!AllDigits(text) || static_cast<int>(text.size()) > MaxLength()) {
    Changed();  // the view shows the kept text again
    return false;
  }
  fields_[field] = text;
  Validate();
  Changed();
  return true;
}

frmOdds::KeyAction frmOdds::KeyPress(int field, Key key, bool whole_text_selected) const {
  if (field < 0 || field >= kFields) return KeyAction::kIgnore;
  const std::string& text = fields_[field];
  switch (key) {
    case Key::kDigit:
      return static_cast<int>(text.size()) < MaxLength() || whole_text_selected
                 ? KeyAction::kEdit
                 : KeyAction::kIgnore;
    case Key::kBackspace:
      return text.empty() ? KeyAction::kIgnore : KeyAction::kEdit;
    case Key::kEnter:
      return KeyAction::kNextField;
    case Key::kOther:
      break;
  }
  return KeyAction::kIgnore;
}

int frmOdds::FieldValue(int field) const {
  const std::string& text = fields_.at(field);
  if (text.empty() || !AllDigits(text) || text.size() > 9) return 0;
  return std::stoi(text);
}

void frmOdds::SwitchMode() {
  const int mode = mode_.Index();
  if (mode == shown_mode_) return;
  for (int f = 0; f < kFields; ++f) {
    int v = FieldValue(f);
    v = mode == kPercent ? RoundedQuotient(v, 100) : std::min(v * 100, kMaxFieldValue);
    fields_[f] = std::to_string(v);
  }
  shown_mode_ = mode;
  Validate();
}

void frmOdds::Validate() {
  const int total = CurrentMode() == kPercent ? 100 : 10000;
  for (int m = 0; m < kMatches; ++m) {
    int sum = 0;
    for (int c = 0; c < 3; ++c) sum += FieldValue(FieldOf(m, c));
    valid_[m] = sum == total;
  }
}

bool frmOdds::OkEnabled() const {
  return std::all_of(valid_.begin(), valid_.end(), [](bool v) { return v; });
}

bool frmOdds::Ok() {
  if (!OkEnabled()) return false;
  const int scale = CurrentMode() == kPercent ? 100 : 1;
  for (int f = 0; f < kFields; ++f) result_rates_[OutcomeOf(f)][MatchOf(f)] = FieldValue(f) * scale;
  result_ = true;
  return true;
}

void frmOdds::Cancel() { result_ = false; }

}  // namespace zelvo
