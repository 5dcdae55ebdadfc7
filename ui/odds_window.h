// frmOdds, the window of the user's own vote rates: a field per match and
// outcome, two entry units (per ten thousand or whole percent), the rows that
// do not add up drawn red, and OK only while every match adds up.  The Qt
// view lays the fields out and asks this controller what each key does.
#ifndef ZELVOMINI_UI_ODDS_WINDOW_H_
#define ZELVOMINI_UI_ODDS_WINDOW_H_

#include <array>
#include <functional>
#include <string>

#include "ui/option_group.h"

namespace zelvo {

class frmOdds {
 public:
  static constexpr const char* kTitle = "投票率（ユーザー定義）";
  // The header row over columns 2 to 6.
  static constexpr const char* kHeaders[5] = {"ホーム", "1", "0", "2", "アウェイ"};
  static constexpr int kMatches = 5;
  static constexpr int kFields = 15;
  // The outcomes of a row's three fields, left to right.
  static constexpr int kFieldOutcomes[3] = {1, 0, 2};

  enum Mode { kPerTenThousand = 0, kPercent = 1 };
  // [outcome code 0..2][match 0..4].
  using Rates = std::array<std::array<int, 5>, 3>;
  // [match][0 home, 1 away].
  using Teams = std::array<std::array<std::string, 2>, 5>;

  enum class Key { kDigit, kBackspace, kEnter, kOther };
  // What a field does with a key: the view lets the edit insert the digit or
  // delete, moves the focus on, or drops the key.
  enum class KeyAction { kIgnore, kEdit, kNextField };

  frmOdds();
  frmOdds(const frmOdds&) = delete;
  frmOdds& operator=(const frmOdds&) = delete;

  // Opening: the rates per ten thousand and the team names; the first mode.
  void Setup(const Rates& rates, const Teams& teams);

  const std::string& Team(int match, int side) const { return teams_.at(match).at(side); }
  // The mode buttons "10,000" and "100"; a switch rewrites every field.
  OptionGroup& ModeOption() { return mode_; }
  Mode CurrentMode() const { return static_cast<Mode>(mode_.Index()); }
  // Digits a field takes by typing: 5 per ten thousand, 3 in percent.
  int MaxLength() const { return CurrentMode() == kPercent ? 3 : 5; }

  // Fields are numbered in their tab order: match by match, outcomes 1, 0, 2.
  static int FieldOf(int match, int column) { return match * 3 + column; }
  static int MatchOf(int field) { return field / 3; }
  static int OutcomeOf(int field) { return kFieldOutcomes[field % 3]; }
  const std::string& FieldText(int field) const { return fields_.at(field); }
  // Any change of a field's text (typed, pasted, dropped).  Text that is not
  // all digits, or longer than the mode's length, is refused and the field
  // keeps its text: a pasted "33.4" or "3,334" would otherwise turn into
  // another number without the user seeing why.  False when refused.
  bool SetFieldText(int field, const std::string& text);
  KeyAction KeyPress(int field, Key key, bool whole_text_selected) const;

  // A field's value: empty or non-numeric text counts as 0.
  int FieldValue(int field) const;
  // The three fields of the match add up to 100 or 10,000.
  bool MatchValid(int match) const { return valid_.at(match); }
  bool FieldRed(int field) const { return !MatchValid(MatchOf(field)); }
  bool OkEnabled() const;

  // OK closes with the result flag only while it is enabled.
  bool Ok();
  void Cancel();
  bool Result() const { return result_; }
  // The rates per ten thousand, whichever mode they were entered in (after OK).
  const Rates& ResultRates() const { return result_rates_; }

  // Raised after every change the window must show.
  std::function<void()> on_changed;

 private:
  void SwitchMode();
  void Validate();
  void Changed() {
    if (on_changed) on_changed();
  }

  OptionGroup mode_;
  int shown_mode_ = kPerTenThousand;
  std::array<std::string, kFields> fields_;
  std::array<bool, kMatches> valid_{};
  Teams teams_;
  Rates result_rates_{};
  bool result_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_ODDS_WINDOW_H_
