#include "ui/multi_page.h"

#include <string>
#include <vector>

namespace zelvo {
namespace {

constexpr const char* kValueCheckCaption = "期待値・確率比で絞り込む";
constexpr const char* kValueKindCaptions[2] = {"期待値（100円あたり）", "確率比"};

std::vector<std::string> EngineCaptions() {
  std::vector<std::string> captions;
  for (const EngineChoice& c : kEngineChoices) captions.push_back(c.caption);
  return captions;
}

std::vector<std::string> ExtractionCaptions() {
  std::vector<std::string> captions;
  for (const ExtractionKind& k : kExtractionKinds) captions.push_back(k.caption);
  for (int o = 1; o < kExtractionOrderCount; ++o) captions.push_back(kExtractionOrders[o]);
  return captions;
}

}  // namespace

MultiPage::MultiPage(MainShell& shell)
    : shell_(shell),
      machigai_type_(
          {kMachigaiTypeCaptions[0], kMachigaiTypeCaptions[1], kMachigaiTypeCaptions[2]}),
      engine_option_(EngineCaptions()),
      chushutsu_type_(ExtractionCaptions()),
      value_kind_({kValueKindCaptions[0], kValueKindCaptions[1]}) {
  for (int i = 0; i < kExtractionKindCount; ++i) {
    chushutsu_type_.SetEnabled(i, kExtractionKinds[i].enabled);
  }
  for (int i = kExtractionKindCount; i < chushutsu_type_.Count(); ++i) {
    chushutsu_type_.SetEnabled(i, false);
  }
  value_check_.caption = kValueCheckCaption;
  value_check_.enabled = false;
  value_min_.SetRange(Money::FromInt(0), Money::FromInt(99999999));
  value_max_.SetRange(Money::FromInt(0), Money::FromInt(99999999));
  ex_grade2_.caption = kLabelExSecondGrade;
  ex_grade3_.caption = kLabelExThirdGrade;
  chushutsu_.caption = kLabelExtraction;
}

void MultiPage::Bind() {
  for (int g = 1; g <= 3; ++g) {
    joken_.SetMoneyObject(g, &money_check_[g - 1], &money_min_[g - 1], &money_max_[g - 1]);
  }
  joken_.SetMachigaiObject(&machigai_grid_);
  for (int i = 0; i < kXSakugenFieldCount; ++i) {
    sakugen_.SetObject(i, Money::FromInt(kXSakugenLimits[i].min),
                       Money::FromInt(kXSakugenLimits[i].max));
  }
  game_.Initialize(true, &toto_data_);
  game_.Click = [this] {
    game_.ShowCounts(!game_.CountsShown());
    shell_.Changed();
  };
  multi_.Initialize(&multi_grid_, 30, 21);
  BindCountPanels();
  engine_option_.on_change = [this] {
    ShowEngineFrame();
    shell_.Changed();
  };
}

void MultiPage::BindCountPanels() {
  static const ConditionTable kKinds[3] = {ConditionTable::kHonmei, ConditionTable::kNinki,
                                           ConditionTable::kMark};
  for (int k = 0; k < 3; ++k) {
    CountConditionModels& m = count_conditions_[k];
    // Narrow tabs, so that the 29 groups fit the panel's width.
    m.tab.SetDefaultSize(19, 21);
    m.panel.Initialize(kKinds[k], &m.tab, &m.match, &m.outcome, &m.count, &m.group_check);
    m.tab.SetColWidth(1, 32);  // room for the two characters of the first tab
    const int kind = k + 1;
    m.panel.TabClick = [this, kind](int) {
      TargetColouring(kind);
      AnalysesStale();
      shell_.Changed();
    };
    m.panel.TaishoChange = [this, kind] { TargetColouring(kind); };
    m.panel.KoseiBunseki = [this, kind](int row, int group) {
      if (on_analysis) on_analysis(kind, row, group);
    };
    m.panel.item_dialog = [this](frmJouken& dialog) {
      return shell_.Host() ? shell_.Host()->RunItemDialog(dialog) : false;
    };
  }
}

void MultiPage::ResetConditions() {
  joken_.Clear();
  for (CountConditionModels& m : count_conditions_) m.panel.Clear();
  machigai_type_.SetIndex(0);
  ApplyValueConditions(ValueConditions{});
}

void MultiPage::ResetEngineOptions() {
  engine_option_.SetIndex(0);
  sakugen_.Clear();
  ex_grade2_.SetChecked(false);
  ex_grade3_.SetChecked(false);
  chushutsu_.SetChecked(false);
  chushutsu_type_.SetIndex(0);
  ShowEngineFrame();
}

void MultiPage::ShowEngineFrame() {
  EnginePanelView view = EnginePanelFor(engine_option_.Index());
  engine_frame_ = view.frame;
  ex_grade3_.enabled = view.third_grade_enabled;
}

void MultiPage::ShowRound(const ScheduleRecord& schedule, const VoteStatusRecord& vote) {
  game_.SetSchedule(schedule);
  for (CountConditionModels& m : count_conditions_) m.panel.SetSchedule(schedule, toto_data_);
  game_.SetOwn(own_probs_);
  game_.SetVote(vote);
  multi_.SetVoteRecord(vote);
}

void MultiPage::SetGradeControls(int max_grade) {
  for (int grade = 2; grade <= 3; ++grade) {
    bool shown = max_grade >= grade;
    money_check_[grade - 1].visible = shown;
    money_check_[grade - 1].enabled = shown;
  }
}

void MultiPage::SelectConditionTab(int tab) {
  if (tab < 0 || tab >= kConditionTabs) return;
  condition_tab_ = tab;
  if (tab >= 1 && tab <= 3) count_conditions_[tab - 1].panel.Refresh();
  TargetColouring(tab);
  AnalysesStale();
  shell_.Changed();
}

void MultiPage::RefreshConditionTab() {
  if (condition_tab_ >= 1 && condition_tab_ <= 3) {
    count_conditions_[condition_tab_ - 1].panel.Refresh();
  }
  TargetColouring(condition_tab_);
  // An analysis of a condition row that may no longer be there.
  AnalysesStale();
}

void MultiPage::TargetColouring(int kind) {
  MultiFlags targets;
  if (kind >= 1 && kind <= 3) {
    count_conditions_[kind - 1].panel.GetTaisho(targets);
  } else {
    for (auto& row : targets) row.fill(true);
  }
  multi_.SetTaishou(targets);
}

void MultiPage::Gather(DocumentRecord& doc) const {
  multi_.GetValue(doc.Multi);
  doc.Conditions = GatherConditions();
  doc.Engine = GatherEngineSettings();
  doc.OwnProbs = own_probs_;
}

void MultiPage::ApplyMarksAndConditions(const DocumentRecord& doc) {
  multi_.SetValue(doc.Multi);
  ApplyConditions(doc.Conditions);
}

EngineSettings MultiPage::GatherEngineSettings() const {
  EngineSettings e;
  e.MsEngine = engine_option_.Index();
  e.BeginCount = static_cast<int>(sakugen_.BeginCount().RoundToInt());
  e.EndCount = static_cast<int>(sakugen_.EndCount().RoundToInt());
  e.EndTime = static_cast<int>(sakugen_.EndTime().RoundToInt());
  e.ExGrade2 = ex_grade2_.Checked();
  e.ExGrade3 = ex_grade3_.Checked();
  e.SeBeginCount = static_cast<int>(sakugen_.SeBeginCount().RoundToInt());
  e.SeEndTime = static_cast<int>(sakugen_.SeEndTime().RoundToInt());
  e.ChushutsuFlag = chushutsu_.Checked();
  e.ChushutsuCount = static_cast<int>(sakugen_.Extraction().RoundToInt());
  const int kind = chushutsu_type_.Index();
  e.ChushutsuType = kind < kExtractionKindCount ? kind : 0;
  e.ChushutsuOrder = kind < kExtractionKindCount ? 0 : kind - kExtractionKindCount + 1;
  return e;
}

void MultiPage::ApplyEngineSettings(const EngineSettings& e) {
  engine_option_.SetIndex(e.MsEngine);
  sakugen_.SetBeginCount(Money::FromInt(e.BeginCount));
  sakugen_.SetEndCount(Money::FromInt(e.EndCount));
  sakugen_.SetEndTime(Money::FromInt(e.EndTime));
  sakugen_.SetSeBeginCount(Money::FromInt(e.SeBeginCount));
  sakugen_.SetSeEndTime(Money::FromInt(e.SeEndTime));
  sakugen_.SetExtraction(Money::FromInt(e.ChushutsuCount));
  ex_grade2_.SetChecked(e.ExGrade2);
  ex_grade3_.SetChecked(e.ExGrade3);
  chushutsu_.SetChecked(e.ChushutsuFlag);
  const bool order = e.ChushutsuOrder >= 1 && e.ChushutsuOrder < kExtractionOrderCount;
  chushutsu_type_.SetIndex(order ? kExtractionKindCount + e.ChushutsuOrder - 1 : e.ChushutsuType);
  ShowEngineFrame();
}

ReductionConditions MultiPage::GatherConditions() const {
  ReductionConditions c;
  c.Haitou = joken_.GetHaitou();
  c.Honmei = count_conditions_[0].panel.Entries();
  c.Ninki = count_conditions_[1].panel.Entries();
  c.Mark = count_conditions_[2].panel.Entries();
  c.MachigaiType = machigai_type_.Index();
  c.MachigaiList = joken_.GetMachigaiFlg();
  c.Value.Enabled = value_check_.Checked();
  c.Value.Kind = value_kind_.Index();
  c.Value.Min = value_min_.ExactValue();
  c.Value.Max = value_max_.ExactValue();
  return c;
}

void MultiPage::ApplyValueConditions(const ValueConditions& v) {
  value_check_.SetChecked(v.Enabled);
  value_check_.enabled = own_probs_.set || v.Enabled;
  value_kind_.SetIndex(v.Kind);
  value_min_.SetExactValue(v.Min);
  value_max_.SetExactValue(v.Max);
}

void MultiPage::ApplyConditions(const ReductionConditions& c) {
  joken_.SetHaitou(c.Haitou);
  count_conditions_[0].panel.SetEntries(c.Honmei);
  count_conditions_[1].panel.SetEntries(c.Ninki);
  count_conditions_[2].panel.SetEntries(c.Mark);
  machigai_type_.SetIndex(c.MachigaiType);
  joken_.SetMachigaiFlg(c.MachigaiList);
  ApplyValueConditions(c.Value);
}

void MultiPage::SetOwnProbs(const OwnProbabilities& own) {
  own_probs_ = own;
  // The value orders rank by the own probabilities: without them they
  // cannot be chosen (a stored choice stays, and extracts at random).
  for (int i = kExtractionKindCount; i < chushutsu_type_.Count(); ++i) {
    chushutsu_type_.SetEnabled(i, own.set);
  }
  value_check_.enabled = own.set || value_check_.Checked();
}

}  // namespace zelvo
