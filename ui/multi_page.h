// MultiPage, the multi page of the main window and what binds it to the
// document: the marks (clsTMulti) and the match table, the reduction
// conditions (money, misses, the three count panels, the value condition)
// and the engine settings, gathered into a document and applied from one;
// and the own probabilities, which decide which value conditions and orders
// may be chosen.
// Owns: those panels' models, the own probabilities, the condition tab shown
// and the engine option frame shown.
// Must not touch: the round (it is shown the round's schedule and vote), the
// singles, the run and the file.  The composition analyses its count panels
// ask for, and closing them when the rows they show go, are the window's,
// through `on_analysis` and `on_analyses_stale`.
#ifndef ZELVOMINI_UI_MULTI_PAGE_H_
#define ZELVOMINI_UI_MULTI_PAGE_H_

#include <array>
#include <functional>

#include "core/multi_editor.h"
#include "core/toto_data.h"
#include "engines/engine_panel.h"
#include "files/document_record.h"
#include "reduction/condition_panels.h"
#include "support/check_box.h"
#include "support/grid.h"
#include "support/number_entry.h"
#include "ui/main_room.h"
#include "ui/match_table.h"
#include "ui/option_group.h"

namespace zelvo {

// The models of one count-condition panel (本命, 人気, 勝敗).
struct CountConditionModels {
  Grid tab, match, outcome, count;
  CheckBox group_check;
  clsXJoken1 panel;
};

class MultiPage {
 public:
  static constexpr int kConditionTabs = 5;  // 金額 本命 人気 勝敗 補正

  explicit MultiPage(MainShell& shell);
  MultiPage(const MultiPage&) = delete;
  MultiPage& operator=(const MultiPage&) = delete;

  // The panels' objects and events.
  void Bind();

  // Back to the empty document: no marks, no conditions, the first engine.
  void ClearMarks() { multi_.Clear(); }
  void ResetConditions();
  void ResetEngineOptions();

  // The page shown over the round's schedule and vote status.
  void ShowRound(const ScheduleRecord& schedule, const VoteStatusRecord& vote);
  // The money conditions of the grades this round pays.
  void SetGradeControls(int max_grade);
  // Shows a tab of the conditions (0 金額 ... 4 補正) and colours the marks
  // it counts.
  void SelectConditionTab(int tab);
  // The count panel shown redrawn from its conditions, the marks coloured.
  void RefreshConditionTab();

  // The document's marks, conditions, engine settings and own probabilities.
  void Gather(DocumentRecord& doc) const;
  // A document's marks and conditions put into the panels.
  void ApplyMarksAndConditions(const DocumentRecord& doc);
  EngineSettings GatherEngineSettings() const;
  void ApplyEngineSettings(const EngineSettings& settings);
  ReductionConditions GatherConditions() const;
  void ApplyConditions(const ReductionConditions& conditions);
  void SetOwnProbs(const OwnProbabilities& own);

  int ConditionTab() const { return condition_tab_; }
  int EngineFrame() const { return engine_frame_; }
  const OwnProbabilities& OwnProbs() const { return own_probs_; }

  clsTGame& MatchTable() { return game_; }
  clsTMulti& Multi() { return multi_; }
  const clsTMulti& Multi() const { return multi_; }
  Grid& MultiGrid() { return multi_grid_; }
  clsXJoken& Joken() { return joken_; }
  CheckBox& MoneyCheck(int grade) { return money_check_.at(grade - 1); }
  NumberEntry& MoneyMin(int grade) { return money_min_.at(grade - 1); }
  NumberEntry& MoneyMax(int grade) { return money_max_.at(grade - 1); }
  Grid& MachigaiGrid() { return machigai_grid_; }
  OptionGroup& MachigaiType() { return machigai_type_; }
  // Kind 1 本命, 2 人気, 3 勝敗.
  CountConditionModels& CountCondition(int kind) { return count_conditions_.at(kind - 1); }
  const CountConditionModels& CountCondition(int kind) const {
    return count_conditions_.at(kind - 1);
  }
  OptionGroup& EngineOption() { return engine_option_; }
  clsTXSakugen& Sakugen() { return sakugen_; }
  CheckBox& ExGrade2() { return ex_grade2_; }
  CheckBox& ExGrade3() { return ex_grade3_; }
  CheckBox& Chushutsu() { return chushutsu_; }
  OptionGroup& ChushutsuType() { return chushutsu_type_; }
  CheckBox& ValueCheck() { return value_check_; }
  OptionGroup& ValueKind() { return value_kind_; }
  NumberEntry& ValueMin() { return value_min_; }
  NumberEntry& ValueMax() { return value_max_; }
  const clsTotoData& TotoData() const { return toto_data_; }

  // A count panel's row asks for its composition analysis (kind 1 本命,
  // 2 人気, 3 勝敗; the row and the condition group).
  std::function<void(int kind, int row, int group)> on_analysis;
  // The condition rows shown changed: analyses of the old ones no longer fit.
  std::function<void()> on_analyses_stale;

 private:
  void BindCountPanels();
  void ApplyValueConditions(const ValueConditions& value);
  void ShowEngineFrame();
  void TargetColouring(int kind);
  void AnalysesStale() {
    if (on_analyses_stale) on_analyses_stale();
  }

  MainShell& shell_;
  clsTotoData toto_data_;
  clsTGame game_;
  Grid multi_grid_;
  clsTMulti multi_;
  std::array<CheckBox, 3> money_check_;
  std::array<NumberEntry, 3> money_min_{NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney)};
  std::array<NumberEntry, 3> money_max_{NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney),
                                        NumberEntry(NumberEntry::Kind::kMoney)};
  clsXJoken joken_;
  Grid machigai_grid_;
  OptionGroup machigai_type_;
  std::array<CountConditionModels, 3> count_conditions_;
  OptionGroup engine_option_;
  clsTXSakugen sakugen_;
  CheckBox ex_grade2_, ex_grade3_, chushutsu_;
  // The extraction kinds, then the value orders ("期待値順で抽出",
  // "確率順で抽出"), which can be chosen only with own probabilities.
  OptionGroup chushutsu_type_;
  // The value condition of the 金額 tab: 期待値（100円あたり） or 確率比.
  CheckBox value_check_;
  OptionGroup value_kind_;
  NumberEntry value_min_{NumberEntry::Kind::kDecimal};
  NumberEntry value_max_{NumberEntry::Kind::kDecimal};
  OwnProbabilities own_probs_;
  int condition_tab_ = 0;
  int engine_frame_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MULTI_PAGE_H_
