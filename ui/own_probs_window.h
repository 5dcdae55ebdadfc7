// frmOwnProbs, the window of the user's own outcome probabilities: a field
// per match and outcome (1, 0, 2 left to right), entered as percentages or
// as decimal odds, three columns pasted from a spreadsheet, the matches that
// do not read drawn red.  OK takes every match valid, or every field empty
// (the document then has no own probabilities any more).
#ifndef ZELVOMINI_UI_OWN_PROBS_WINDOW_H_
#define ZELVOMINI_UI_OWN_PROBS_WINDOW_H_

#include <array>
#include <functional>
#include <string>

#include "model/round_model.h"
#include "reduction/single_value.h"
#include "ui/option_group.h"

namespace zelvo {

class frmOwnProbs {
 public:
  static constexpr const char* kTitle = "自分の確率";
  static constexpr const char* kHeaders[5] = {"ホーム", "1", "0", "2", "アウェイ"};
  static constexpr int kMatches = 5;
  static constexpr int kFields = 15;
  static constexpr int kFieldOutcomes[3] = {1, 0, 2};

  enum Form { kPercent = 0, kOdds = 1 };
  // [match][0 home, 1 away].
  using Teams = std::array<std::array<std::string, 2>, 5>;

  frmOwnProbs();
  frmOwnProbs(const frmOwnProbs&) = delete;
  frmOwnProbs& operator=(const frmOwnProbs&) = delete;

  // Opening: the document's probabilities (shown in percent, empty fields
  // when unset) and the team names.
  void Setup(const OwnProbabilities& own, const Teams& teams);

  const std::string& Team(int match, int side) const { return teams_.at(match).at(side); }
  // "％" and "オッズ"; a switch turns every valid match into the other form.
  OptionGroup& FormOption() { return form_; }
  Form CurrentForm() const { return static_cast<Form>(form_.Index()); }

  static int FieldOf(int match, int column) { return match * 3 + column; }
  static int MatchOf(int field) { return field / 3; }
  const std::string& FieldText(int field) const { return fields_.at(field); }
  void SetFieldText(int field, const std::string& text);
  // Rows of three values (tab, comma or blank separated), as a spreadsheet
  // copies them, written from the field's match on.  Nothing changes and the
  // reason is returned when a line does not have three values or there are
  // more lines than matches left; empty on success.
  std::string Paste(int field, const std::string& text);
  // Empties every field.
  void Clear();
  // ファイル...: a probability file as `chances --probs` reads it (five lines
  // home,draw,away, "#" lines skipped), in the form chosen, filled into the
  // fields.  A file that cannot be read or has not five such lines changes
  // nothing and says why.  True when the fields were filled.
  bool LoadFile();

  // モデルから: the goal model's probabilities of the round, from
  // `model_prediction` (the owner sets it; without it the button is off).
  // The matches the model gives fill their fields; the others keep theirs and
  // are named in ModelText() for the user to fill.  False, with the reason
  // in ModelText(), when it gives none.  OK keeps the model's mark as long
  // as its figures are not changed.
  std::function<RoundPrediction()> model_prediction;
  bool ModelAvailable() const { return static_cast<bool>(model_prediction); }
  bool FromModel();
  // Where the figures come from when the model gave them, and what is left
  // to the user.
  const std::string& ModelText() const { return model_text_; }

  bool MatchValid(int match) const { return valid_.at(match); }
  // Why the match does not read (empty when it does, or is empty).
  const std::string& MatchError(int match) const { return errors_.at(match); }
  bool FieldRed(int field) const { return !MatchValid(MatchOf(field)) && !AllEmpty(); }
  bool AllEmpty() const;
  bool OkEnabled() const;

  bool Ok();
  void Cancel() { result_ = false; }
  bool Result() const { return result_; }
  // After OK: unset when the fields were all empty.
  const OwnProbabilities& ResultProbabilities() const { return result_probs_; }

  std::function<void()> on_changed;

 private:
  void SwitchForm();
  void Validate();
  std::string ErrorText(int match) const;
  std::string SourceText(const OwnProbabilitySource& source) const;
  bool ShowsModel(int match) const;
  void Changed() {
    if (on_changed) on_changed();
  }

  OptionGroup form_;
  int shown_form_ = kPercent;
  std::array<std::string, kFields> fields_;
  std::array<bool, kMatches> valid_{};
  std::array<std::string, kMatches> errors_;
  OutcomeProbabilities parsed_{};
  Teams teams_;
  OwnProbabilities original_;
  // The fields as Open showed them: a match left as shown keeps its figures
  // to the last digit, not the rounded ones on the screen.
  std::array<std::string, kFields> opened_fields_;
  bool edited_ = false;
  OwnProbabilities result_probs_;
  bool result_ = false;
  // The model's figures and mark the fields were filled from (not set when
  // they were not).
  OwnProbabilities model_ref_;
  std::array<std::string, kFields> model_fields_;  // the fields as the model filled them
  std::string model_text_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_OWN_PROBS_WINDOW_H_
