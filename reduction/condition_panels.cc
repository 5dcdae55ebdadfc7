#include "reduction/condition_panels.h"

#include <algorithm>

#include "reduction/league_targets.h"
#include "support/error_report.h"

namespace zelvo {
namespace {

constexpr const char* kJoken = "clsXJoken";
constexpr const char* kJoken1 = "clsXJoken1";

const Money kMoneyZero = Money::FromInt(0);
const Money kMoneyNoLimit = Money::FromInt(kHaitouNoLimit);

bool ValidGradeIndex(int index) { return index >= 0 && index < 3; }

}  // namespace

// ---------------------------------------------------------------- clsXJoken

clsXJoken::clsXJoken() {
  for (int g = 1; g <= 3; ++g) PrepareFields(g);
  std::vector<std::string> captions;
  for (int i = 0; i <= 10; ++i) captions.push_back(std::to_string(i));
  captions.push_back("→");
  machigai_.Initialize(nullptr, "条件間違い数", captions);
  SetMachigaiFlg(ReductionConditions().MachigaiList);
  money_menu = [this](int tag) {
    menu_.SetMoneyMenu(tag);
    MoneyMenuChoice choice;
    choice.index = menu_.ShowMoneyMenu();
    choice.amount = menu_.Money();
    return choice;
  };
}

void clsXJoken::PrepareFields(int grade) {
  Grade& g = grades_[grade - 1];
  for (NumberEntry* field : {g.min, g.max}) {
    field->SetKind(NumberEntry::Kind::kMoney);
    field->SetRange(kMoneyZero, kMoneyNoLimit);
  }
  g.check->caption = kHaitouCheckCaptions[grade - 1];
  g.min->tag = grade * 10 + 1;
  g.max->tag = grade * 10 + 2;
  g.min->SetValue(kMoneyZero);
  g.max->SetValue(kMoneyNoLimit);
}

void clsXJoken::SetMoneyObject(int grade, CheckBox* check, NumberEntry* min_field,
                               NumberEntry* max_field) {
  try {
    if (grade < 1 || grade > 3) throw RuntimeError(kErrSubscript);
    Grade& g = grades_[grade - 1];
    g.check = check ? check : &g.own_check;
    g.min = min_field ? min_field : &g.own_min;
    g.max = max_field ? max_field : &g.own_max;
    PrepareFields(grade);
  } catch (const std::exception& e) {
    ReportException(kJoken, "SetMoneyObject", e);
  }
}

Money clsXJoken::MinMoney(int index) const {
  if (!ValidGradeIndex(index)) {
    ReportException(kJoken, "MinMoney", RuntimeError(kErrSubscript));
    return kMoneyZero;
  }
  return grades_[index].min->Value();
}

Money clsXJoken::MaxMoney(int index) const {
  if (!ValidGradeIndex(index)) {
    ReportException(kJoken, "MaxMoney", RuntimeError(kErrSubscript));
    return kMoneyNoLimit;
  }
  return grades_[index].max->Value();
}

void clsXJoken::SetMinMoney(int index, Money value) {
  if (!ValidGradeIndex(index)) {
    ReportException(kJoken, "MinMoney", RuntimeError(kErrSubscript));
    return;
  }
  grades_[index].min->SetValue(value);
}

void clsXJoken::SetMaxMoney(int index, Money value) {
  if (!ValidGradeIndex(index)) {
    ReportException(kJoken, "MaxMoney", RuntimeError(kErrSubscript));
    return;
  }
  grades_[index].max->SetValue(value);
}

void clsXJoken::SetMachigaiObject(Grid* picture) {
  try {
    std::array<bool, kMachigaiBuckets> flags = GetMachigaiFlg();
    std::vector<std::string> captions;
    for (int i = 0; i <= 10; ++i) captions.push_back(std::to_string(i));
    captions.push_back("→");
    machigai_.Initialize(picture, "条件間違い数", captions);
    SetMachigaiFlg(flags);
  } catch (const std::exception& e) {
    ReportException(kJoken, "SetMachigaiObject", e);
  }
}

std::array<bool, kMachigaiBuckets> clsXJoken::GetMachigaiFlg() const {
  std::array<bool, kMachigaiBuckets> flags{};
  for (int i = 0; i < kMachigaiBuckets; ++i) flags[i] = machigai_.Value(i);
  return flags;
}

void clsXJoken::SetMachigaiFlg(const std::array<bool, kMachigaiBuckets>& flags) {
  machigai_.SetValue(std::vector<bool>(flags.begin(), flags.end()));
}

void clsXJoken::Clear() {
  try {
    for (int i = 0; i < 3; ++i) {
      grades_[i].check->SetChecked(false);
      grades_[i].min->SetValue(kMoneyZero);
      grades_[i].max->SetValue(kMoneyNoLimit);
    }
    SetMachigaiFlg(ReductionConditions().MachigaiList);
  } catch (const std::exception& e) {
    ReportException(kJoken, "Clear", e);
  }
}

HaitouConditions clsXJoken::GetHaitou() const {
  HaitouConditions h;
  for (int i = 0; i < 3; ++i) {
    h.Enabled[i] = grades_[i].check->enabled;
    h.Flag[i] = grades_[i].check->Checked();
    h.Min[i] = grades_[i].min->Value();
    h.Max[i] = grades_[i].max->Value();
  }
  return h;
}

void clsXJoken::SetHaitou(const HaitouConditions& haitou) {
  try {
    for (int i = 0; i < 3; ++i) {
      grades_[i].check->enabled = haitou.Enabled[i];
      grades_[i].check->SetChecked(haitou.Flag[i]);
      grades_[i].min->SetValue(haitou.Min[i]);
      grades_[i].max->SetValue(haitou.Max[i]);
    }
  } catch (const std::exception& e) {
    ReportException(kJoken, "SetHaitou", e);
  }
}

NumberEntry* clsXJoken::FieldOfTag(int tag) {
  int grade = tag / 10;
  if (grade < 1 || grade > 3) return nullptr;
  if (tag % 10 == 1) return grades_[grade - 1].min;
  if (tag % 10 == 2) return grades_[grade - 1].max;
  return nullptr;
}

void clsXJoken::MoneyRightClick(int tag) {
  try {
    NumberEntry* field = FieldOfTag(tag);
    if (!field || !money_menu) return;
    MoneyMenuChoice choice = money_menu(tag);
    switch (choice.index) {
      case frmMenu::kMoneyMin:
        field->SetValue(kMoneyZero);
        break;
      case frmMenu::kMoneyMax:
        field->SetValue(kMoneyNoLimit);
        break;
      case frmMenu::kMoneyAmount:
        field->SetValue(choice.amount);
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    ReportException(kJoken, "txtMoney_MouseUp", e);
  }
}

// --------------------------------------------------------------- clsXJoken1

void clsXJoken1::Initialize(int item_count, Grid* tab, Grid* match_grid, Grid* outcome_grid,
                            Grid* count_grid, CheckBox* group_check,
                            const std::vector<std::string>& short_titles,
                            const std::vector<std::string>& long_titles) {
  try {
    if (item_count < 1 || static_cast<int>(short_titles.size()) < item_count ||
        static_cast<int>(long_titles.size()) < item_count) {
      throw RuntimeError(kErrSubscript);
    }
    item_count_ = item_count;
    short_titles_.assign(short_titles.begin(), short_titles.begin() + item_count);
    long_titles_.assign(long_titles.begin(), long_titles.begin() + item_count);
    tab_ = tab;
    group_check_ = group_check;

    if (tab_) {
      const auto& labels = ConditionGroupLabels();
      tab_->Resize(1, kConditionGroups);
      for (int g = 0; g < kConditionGroups; ++g) tab_->SetText(1, g + 1, labels[g]);
      tab_->on_click = [this](const GridClick& click) { OnTabClick(click); };
    }
    match_grid_.Initialize(match_grid, "対象試合", {"1", "2", "3", "4", "5"});
    match_grid_.Change = [this] { OnMatchChange(); };
    outcome_grid_.Initialize(outcome_grid, "対象結果", {"1", "0", "2"});
    outcome_grid_.Change = [this] { OnOutcomeChange(); };
    count_grid_.Initialize(count_grid);
    count_grid_.Change = [this] { OnCountChange(); };
    count_grid_.ListMenu = [this](int row, int index) { OnListMenu(row, index); };
    if (group_check_) group_check_->on_change = [this] { OnGroupCheck(); };

    initialized_ = true;
    Clear();
  } catch (const std::exception& e) {
    ReportException(kJoken1, "Initialize", e);
  }
}

void clsXJoken1::Initialize(ConditionTable table, Grid* tab, Grid* match_grid, Grid* outcome_grid,
                            Grid* count_grid, CheckBox* group_check) {
  std::vector<std::string> short_titles, long_titles;
  for (const ConditionItem& item : ConditionItems(table)) {
    short_titles.push_back(item.short_title);
    long_titles.push_back(item.long_title);
  }
  Initialize(static_cast<int>(short_titles.size()), tab, match_grid, outcome_grid, count_grid,
             group_check, short_titles, long_titles);
}

bool clsXJoken1::CheckInitialized(const char* proc) const {
  if (initialized_) return true;
  ReportNotInitialized(kJoken1, proc);
  return false;
}

std::string clsXJoken1::Caption(const std::vector<bool>& items) const {
  std::string caption;
  for (size_t i = 0; i < items.size() && i < short_titles_.size(); ++i) {
    if (!items[i]) continue;
    if (!caption.empty()) caption += "+";
    caption += short_titles_[i];
  }
  return caption;
}

ConditionEntry clsXJoken1::DefaultEntry(int group) const {
  ConditionEntry e;
  e.N = item_count_;
  e.M = item_count_;
  e.target_matches.fill(group != kGroupJ1 && group != kGroupJ2);
  e.target_outcomes.fill(true);
  e.row_items.assign(item_count_, std::vector<bool>(item_count_, false));
  e.cells.assign(item_count_, std::array<uint8_t, 6>{});
  e.captions.resize(item_count_);
  for (int r = 0; r < item_count_; ++r) {
    e.row_items[r][r] = true;
    e.captions[r] = short_titles_[r];
  }
  return e;
}

void clsXJoken1::Clear() {
  if (!CheckInitialized("Clear")) return;
  try {
    for (int g = 0; g < kConditionGroups; ++g) entries_[g] = DefaultEntry(g);
    current_ = kGroupAll;
    ShowGroup();
  } catch (const std::exception& e) {
    ReportException(kJoken1, "Clear", e);
  }
}

void clsXJoken1::SetAllEnabled(bool flag) {
  if (!CheckInitialized("SetAllEnabled")) return;
  for (ConditionEntry& e : entries_) e.A = flag;
  Refresh();
}

void clsXJoken1::Refresh() {
  if (!CheckInitialized("Refresh")) return;
  try {
    ShowGroup();
  } catch (const std::exception& e) {
    ReportException(kJoken1, "Refresh", e);
  }
}

void clsXJoken1::GetTaisho(MultiFlags& taisho) const {
  if (!CheckInitialized("GetTaisho")) return;
  const ConditionEntry& e = entries_[current_];
  for (int o = 0; o < 3; ++o) {
    for (int m = 0; m < 5; ++m) taisho[o][m] = e.target_outcomes[o] && e.target_matches[m];
  }
}

void clsXJoken1::SetEntries(const std::array<ConditionEntry, kConditionGroups>& entries) {
  if (!CheckInitialized("SetEntries")) return;
  try {
    entries_ = entries;
    ShowGroup();
  } catch (const std::exception& e) {
    ReportException(kJoken1, "SetEntries", e);
  }
}

void clsXJoken1::SelectGroup(int group) {
  if (!CheckInitialized("SelectGroup")) return;
  if (group < 0 || group >= kConditionGroups) return;
  current_ = group;
  Refresh();
}

void clsXJoken1::SetSchedule(const ScheduleRecord& schedule, const clsTotoData& toto_data) {
  if (!CheckInitialized("SetSchedule")) return;
  try {
    FillLeagueTargets(entries_, schedule, toto_data);
    ShowGroup();
  } catch (const std::exception& e) {
    ReportException(kJoken1, "SetSchedule", e);
  }
}

int clsXJoken1::TargetMatchCount() const {
  const auto& t = entries_[current_].target_matches;
  return static_cast<int>(std::count(t.begin(), t.end(), true));
}

void clsXJoken1::DrawTabs() {
  if (!tab_) return;
  for (int g = 0; g < kConditionGroups && g < tab_->Cols(); ++g) {
    tab_->SetBack(1, g + 1, g == current_ ? kColorWhite : kColorButtonFace);
  }
  tab_->Refresh();
}

void clsXJoken1::ShowGroup() {
  const ConditionEntry& e = entries_[current_];
  showing_ = true;
  DrawTabs();
  match_grid_.SetValue(std::vector<bool>(e.target_matches.begin(), e.target_matches.end()));
  // The grid shows the home win first: display order 1, 0, 2.
  outcome_grid_.SetValue({e.target_outcomes[1], e.target_outcomes[0], e.target_outcomes[2]});
  // A damaged entry may hold fewer captions or cells than rows: show what
  // both have.
  size_t rows =
      std::min({static_cast<size_t>(std::max(e.N, 0)), e.captions.size(), e.cells.size()});
  count_grid_.SetRows(std::vector<std::string>(e.captions.begin(), e.captions.begin() + rows),
                      std::vector<CountCells>(e.cells.begin(), e.cells.begin() + rows));
  count_grid_.SetTargetCount(TargetMatchCount());
  if (group_check_) group_check_->SetChecked(e.B);
  showing_ = false;
}

void clsXJoken1::OnTabClick(const GridClick& click) {
  try {
    if (click.button != MouseButton::kLeft || click.row != 1) return;
    int group = click.col - 1;
    if (group < 0 || group >= kConditionGroups) return;
    current_ = group;
    ShowGroup();
    if (TabClick) TabClick(group);
  } catch (const std::exception& e) {
    ReportException(kJoken1, "picTab_Click", e);
  }
}

void clsXJoken1::OnMatchChange() {
  if (showing_) return;
  ConditionEntry& e = entries_[current_];
  for (int m = 0; m < 5; ++m) e.target_matches[m] = match_grid_.Value(m);
  count_grid_.SetTargetCount(TargetMatchCount());
  if (TaishoChange) TaishoChange();
}

void clsXJoken1::OnOutcomeChange() {
  if (showing_) return;
  ConditionEntry& e = entries_[current_];
  e.target_outcomes[1] = outcome_grid_.Value(0);
  e.target_outcomes[0] = outcome_grid_.Value(1);
  e.target_outcomes[2] = outcome_grid_.Value(2);
  if (TaishoChange) TaishoChange();
}

void clsXJoken1::OnCountChange() {
  if (showing_) return;
  ConditionEntry& e = entries_[current_];
  const auto& cells = count_grid_.Cells();
  for (size_t r = 0; r < cells.size() && r < e.cells.size(); ++r) e.cells[r] = cells[r];
}

void clsXJoken1::OnListMenu(int row, int index) {
  if (index == frmMenu::kKouseiBunseki) {
    if (KoseiBunseki) KoseiBunseki(row, current_);
    return;
  }
  if (index != frmMenu::kFukugouJouken || !item_dialog) return;
  ConditionEntry& e = entries_[current_];
  if (row < 0 || row >= static_cast<int>(e.row_items.size()) ||
      row >= static_cast<int>(e.captions.size())) {
    return;
  }
  frmJouken dialog;
  dialog.Setup(long_titles_, e.row_items[row]);
  if (!item_dialog(dialog) || !dialog.Result() || !dialog.OkEnabled()) return;
  std::vector<bool> ticks = dialog.Ticks();
  // A row holds M items; the dialog has one box per item of the table.
  ticks.resize(std::max<size_t>(e.row_items[row].size(), ticks.size()), false);
  e.row_items[row] = ticks;
  e.captions[row] = Caption(ticks);
  ShowGroup();
}

void clsXJoken1::OnGroupCheck() {
  if (showing_ || !group_check_) return;
  entries_[current_].B = group_check_->Checked();
}

}  // namespace zelvo
