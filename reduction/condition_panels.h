// The condition panels of the main window: clsXJoken (payout ranges and the
// condition-error list) and clsXJoken1 (one count table over its 29
// condition groups).  Both are controllers over models the window owns:
// grids, check boxes and number entries.
#ifndef ZELVOMINI_REDUCTION_CONDITION_PANELS_H_
#define ZELVOMINI_REDUCTION_CONDITION_PANELS_H_

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "core/toto_data.h"
#include "official/schedule_record.h"
#include "reduction/condition_grids.h"
#include "reduction/condition_menu.h"
#include "reduction/conditions.h"
#include "reduction/item_dialog.h"
#include "support/check_box.h"
#include "support/grid.h"
#include "support/money.h"
#include "support/number_entry.h"

namespace zelvo {

// Texts of the "金額" and "補正" tabs around the panels.
inline constexpr const char* kHaitouCheckCaptions[] = {"１等推定金額は", "２等推定金額は",
                                                       "３等推定金額は"};
inline constexpr const char* kHaitouNotes[] = {
    "推定金額はキャリーを控除した金額を入力して下さい",
    "9,999,999,999円以下と指定した場合は、上限の制限を行いません",
    "テキストボックスの上で右クリックすると金額を選択できます"};
// The condition-error options, MachigaiType 0 to 2, and their notes.
inline constexpr const char* kMachigaiTypeCaptions[] = {
    "条件間違い補正を行わない", "下の条件間違い数の買い目を取得する",
    "下の条件間違い数の場合は、許容△の買い目を拡張する"};
inline constexpr const char* kMachigaiNotes[] = {"（条件間違い補正を行わない場合は影響しません）",
                                                 "条件に完全一致した買い目を取得するには、",
                                                 "上記の条件間違い数(0)をチェックして下さい"};

// What the money menu of a payout box answered: frmMenu's Index and, for
// kMoneyAmount, the amount.
struct MoneyMenuChoice {
  int index = frmMenu::kCancel;
  Money amount;
};

class clsXJoken {
 public:
  clsXJoken();
  clsXJoken(const clsXJoken&) = delete;
  clsXJoken& operator=(const clsXJoken&) = delete;

  // Binds one grade's controls (not owned): the fields take the range 0 to
  // 9,999,999,999, the minimum 0 and the maximum 9,999,999,999, and the tags
  // grade*10+1 and grade*10+2; the box gets its caption.  Until a grade is bound its values live in
  // the panel's own models.
  void SetMoneyObject(int grade, CheckBox* check, NumberEntry* min_field, NumberEntry* max_field);

  // A grade's bounds, index 0 to 2 for grades 1 to 3.
  Money MinMoney(int index) const;
  Money MaxMoney(int index) const;
  void SetMinMoney(int index, Money value);
  void SetMaxMoney(int index, Money value);

  // The condition-error grid: title "条件間違い数", counts "0" to "10" and
  // "→" (11 or more).  The grid is not owned.
  void SetMachigaiObject(Grid* picture);
  std::array<bool, kMachigaiBuckets> GetMachigaiFlg() const;
  void SetMachigaiFlg(const std::array<bool, kMachigaiBuckets>& flags);

  // A new document: no grade ticked, 0 to 9,999,999,999, only 0 errors kept.
  void Clear();

  // The payout part of the conditions.  Enabled follows the grade's check
  // box being enabled, which the main window decides.
  HaitouConditions GetHaitou() const;
  void SetHaitou(const HaitouConditions& haitou);

  // A right click on the payout field tagged `tag`: the money menu sets the
  // field to 0, to 9,999,999,999 or to the amount chosen.
  void MoneyRightClick(int tag);

  // The menu behind MoneyRightClick; by default frmMenu's money menu
  // prepared for the field's tag.  The window may put its own here.
  std::function<MoneyMenuChoice(int tag)> money_menu;

 private:
  struct Grade {
    CheckBox own_check;
    NumberEntry own_min{NumberEntry::Kind::kMoney};
    NumberEntry own_max{NumberEntry::Kind::kMoney};
    CheckBox* check = &own_check;
    NumberEntry* min = &own_min;
    NumberEntry* max = &own_max;
  };
  void PrepareFields(int grade);
  NumberEntry* FieldOfTag(int tag);

  std::array<Grade, 3> grades_;
  clsXGridB machigai_;
  frmMenu menu_;
};

class clsXJoken1 {
 public:
  clsXJoken1() = default;
  clsXJoken1(const clsXJoken1&) = delete;
  clsXJoken1& operator=(const clsXJoken1&) = delete;

  // Builds the panel over the window's models (not owned): 29 group tabs,
  // the target grids "対象試合" (1 to 5) and "対象結果" (1, 0, 2), the count
  // grid, the group check box; one row per item.  Then Clear.
  void Initialize(int item_count, Grid* tab, Grid* match_grid, Grid* outcome_grid, Grid* count_grid,
                  CheckBox* group_check, const std::vector<std::string>& short_titles,
                  const std::vector<std::string>& long_titles);
  // The same with the items of one of the three tables.
  void Initialize(ConditionTable table, Grid* tab, Grid* match_grid, Grid* outcome_grid,
                  Grid* count_grid, CheckBox* group_check);

  // All 29 entries back to their defaults, group 0 shown.
  void Clear();
  // Field A of every group.
  void SetAllEnabled(bool flag);
  // Redraws the current group.
  void Refresh();
  // [outcome][match]: true where both the outcome and the match are targets
  // of the current group.
  void GetTaisho(MultiFlags& taisho) const;

  // The 29 entries, read and written whole (the document and the run).
  const std::array<ConditionEntry, kConditionGroups>& Entries() const { return entries_; }
  void SetEntries(const std::array<ConditionEntry, kConditionGroups>& entries);

  int CurrentGroup() const { return current_; }
  // Shows a group as a tab click does, without raising TabClick.
  void SelectGroup(int group);
  // Refills J1 and J2 from a newly loaded schedule.
  void SetSchedule(const ScheduleRecord& schedule, const clsTotoData& toto_data);

  // Events: a group tab was clicked (the group); the targets of the current
  // group changed; the composition analysis of a row (from 0) of a group was
  // asked for.
  std::function<void(int group)> TabClick;
  std::function<void()> TaishoChange;
  std::function<void(int row, int group)> KoseiBunseki;
  // Shows frmJouken modally (the window sets it); true when closed with OK.
  // Unset, editing a row's items does nothing.
  ItemDialogRunner item_dialog;

 private:
  bool CheckInitialized(const char* proc) const;
  ConditionEntry DefaultEntry(int group) const;
  std::string Caption(const std::vector<bool>& items) const;
  void ShowGroup();
  void DrawTabs();
  int TargetMatchCount() const;
  void OnTabClick(const GridClick& click);
  void OnMatchChange();
  void OnOutcomeChange();
  void OnCountChange();
  void OnListMenu(int row, int index);
  void OnGroupCheck();

  bool initialized_ = false;
  int item_count_ = 0;
  std::vector<std::string> short_titles_;
  std::vector<std::string> long_titles_;
  Grid* tab_ = nullptr;
  CheckBox* group_check_ = nullptr;
  clsXGridB match_grid_;
  clsXGridB outcome_grid_;
  clsXGridM count_grid_;
  std::array<ConditionEntry, kConditionGroups> entries_;
  int current_ = 0;
  // Set while the panel writes its own controls, so that their change
  // callbacks do not write the same values back.
  bool showing_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_CONDITION_PANELS_H_
