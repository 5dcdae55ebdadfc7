#include "reduction/conditions.h"

#include "support/text.h"

namespace zelvo {

const std::vector<ConditionItem>& ConditionItems(ConditionTable table) {
  static const std::vector<ConditionItem> kHonmei = {{"◎", "本命◎"}, {"○", "対抗○"},
                                                     {"▲", "穴　▲"}, {"△", "大穴△"},
                                                     {"×", "注意×"}, {"☆", "特注☆"}};
  static const std::vector<ConditionItem> kNinki = {
      {"1番", "1番人気"}, {"2番", "2番人気"}, {"3番", "3番人気"}, {"4番", "4番人気"}};
  static const std::vector<ConditionItem> kMark = {
      {"[0]", "その他"}, {"[1]", "ホーム"}, {"[2]", "アウェイ"}};
  switch (table) {
    case ConditionTable::kHonmei:
      return kHonmei;
    case ConditionTable::kNinki:
      return kNinki;
    case ConditionTable::kMark:
      return kMark;
  }
  return kMark;
}

const std::array<std::string, kConditionGroups>& ConditionGroupLabels() {
  static const std::array<std::string, kConditionGroups> labels = [] {
    std::array<std::string, kConditionGroups> l;
    l[0] = "全て";
    l[1] = "J1";
    l[2] = "J2";
    for (int i = 0; i < 26; ++i) l[3 + i] = std::string(1, static_cast<char>('A' + i));
    return l;
  }();
  return labels;
}

std::string RowCaption(ConditionTable table, const std::vector<bool>& items) {
  const auto& list = ConditionItems(table);
  std::string caption;
  for (size_t i = 0; i < items.size() && i < list.size(); ++i) {
    if (!items[i]) continue;
    if (!caption.empty()) caption += "+";
    caption += list[i].short_title;
  }
  return caption;
}

std::string CellStateText(uint8_t state) {
  switch (state) {
    case kCellAllowed:
      return "　";
    case kCellExcluded:
      return "×";
    case kCellTolerated:
      return "△";
    default:
      return "？";
  }
}

ConditionEntry DefaultConditionEntry(ConditionTable table, int group) {
  const auto& items = ConditionItems(table);
  int n = static_cast<int>(items.size());
  ConditionEntry e;
  e.N = n;
  e.M = n;
  bool all = group != kGroupJ1 && group != kGroupJ2;
  e.target_matches.fill(all);
  e.target_outcomes.fill(true);
  e.row_items.assign(n, std::vector<bool>(n, false));
  e.cells.assign(n, std::array<uint8_t, 6>{});
  e.captions.resize(n);
  for (int r = 0; r < n; ++r) {
    e.row_items[r][r] = true;
    e.captions[r] = items[r].short_title;
  }
  return e;
}

std::array<ConditionEntry, kConditionGroups>& ReductionConditions::Table(ConditionTable t) {
  return t == ConditionTable::kHonmei ? Honmei : (t == ConditionTable::kNinki ? Ninki : Mark);
}

const std::array<ConditionEntry, kConditionGroups>& ReductionConditions::Table(
    ConditionTable t) const {
  return t == ConditionTable::kHonmei ? Honmei : (t == ConditionTable::kNinki ? Ninki : Mark);
}

ReductionConditions DefaultReductionConditions() {
  // Built once: every document the window gathers after an action starts
  // from these.
  static const ReductionConditions defaults = [] {
    ReductionConditions c;
    for (ConditionTable t :
         {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
      for (int g = 0; g < kConditionGroups; ++g) c.Table(t)[g] = DefaultConditionEntry(t, g);
    }
    return c;
  }();
  return defaults;
}

std::string ValueRangeProblem(const ValueConditions& v) {
  if (!v.Enabled || v.Max <= 0 || v.Min <= v.Max) return "";
  return std::string(v.Kind == kValueRatio ? "確率比" : "期待値") + "の範囲の下限(" +
         ExactDecimalText(v.Min) + ")が上限(" + ExactDecimalText(v.Max) +
         ")を超えています。上限を下限以上にするか、0（上限なし）にして下さい。";
}

}  // namespace zelvo
