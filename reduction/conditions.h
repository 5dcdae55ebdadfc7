// The reduction conditions: payout ranges, the three count tables over the 29
// condition groups, and the condition-error setting.
#ifndef ZELVOMINI_REDUCTION_CONDITIONS_H_
#define ZELVOMINI_REDUCTION_CONDITIONS_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/money.h"

namespace zelvo {

inline constexpr int kConditionGroups = 29;  // 全て, J1, J2, A to Z
inline constexpr int kGroupAll = 0;
inline constexpr int kGroupJ1 = 1;
inline constexpr int kGroupJ2 = 2;
inline constexpr int kMachigaiBuckets = 12;  // 0 to 10 and 11-or-more

// Cell states of a count grid.
inline constexpr uint8_t kCellAllowed = 0;    // shown "　"
inline constexpr uint8_t kCellExcluded = 1;   // shown "×"
inline constexpr uint8_t kCellTolerated = 2;  // shown "△"

// The three count tables.
enum class ConditionTable { kHonmei = 1, kNinki = 2, kMark = 3 };

struct ConditionItem {
  const char* short_title;
  const char* long_title;
};

// The items of each table (6, 4 and 3) and the tab labels of the groups.
const std::vector<ConditionItem>& ConditionItems(ConditionTable table);
const std::array<std::string, kConditionGroups>& ConditionGroupLabels();

// One condition group of one table.
struct ConditionEntry {
  bool A = true;                              // the whole table is in use
  bool B = true;                              // the group's own check box
  int N = 0;                                  // rows
  int M = 0;                                  // items per row
  std::array<bool, 5> target_matches{};       // 対象試合, match 1 to 5
  std::array<bool, 3> target_outcomes{};      // 対象結果, by outcome code 0, 1, 2
  std::vector<std::vector<bool>> row_items;   // N rows x M items
  std::vector<std::array<uint8_t, 6>> cells;  // N rows x counts 0 to 5
  std::vector<std::string> captions;          // N row captions ("◎+○")

  bool operator==(const ConditionEntry&) const = default;
};

// The default entry of a table: one row per item counting that item alone,
// every cell allowed, all outcomes targeted, and every match targeted except
// in the J1 and J2 groups (filled from the schedule).
ConditionEntry DefaultConditionEntry(ConditionTable table, int group);
// The caption of a row: the short titles of its ticked items joined by "+".
std::string RowCaption(ConditionTable table, const std::vector<bool>& items);
// Text of a cell state: "　", "×", "△", or "？" for any other value.
std::string CellStateText(uint8_t state);

struct HaitouConditions {
  std::array<bool, 3> Enabled{true, false, false};  // grade 1 to 3
  std::array<bool, 3> Flag{};
  std::array<Money, 3> Min{};
  std::array<Money, 3> Max{Money::FromInt(9999999999), Money::FromInt(9999999999),
                           Money::FromInt(9999999999)};
  bool operator==(const HaitouConditions&) const = default;
};

// The value condition: keeps the singles whose expected return per 100 yen
// (own probability x estimated payout) or whose value ratio (own
// probability / the public's share) lies in [Min, Max].  It needs the
// document's own probabilities.
struct ValueConditions {
  bool Enabled = false;
  int Kind = 0;  // 0 expected return per 100 yen, 1 value ratio
  double Min = 0;
  double Max = 0;  // 0: no upper limit
  bool operator==(const ValueConditions&) const = default;
};
inline constexpr int kValueExpected = 0;
inline constexpr int kValueRatio = 1;
// Why a switched-on value range cannot be searched with, in the user's
// words ("" when it can): a minimum above the maximum (0: no upper limit)
// keeps no single.  The command line, the loader and the window refuse it
// alike.
std::string ValueRangeProblem(const ValueConditions& v);

// "No upper limit" as the user enters it, and what a run uses instead.
inline constexpr int64_t kHaitouNoLimit = 9999999999;
inline constexpr int64_t kHaitouNoLimitRun = 100000000000;

struct ReductionConditions {
  HaitouConditions Haitou;
  std::array<ConditionEntry, kConditionGroups> Honmei;
  std::array<ConditionEntry, kConditionGroups> Ninki;
  std::array<ConditionEntry, kConditionGroups> Mark;
  ValueConditions Value;
  int MachigaiType = 0;  // 0 none, 1 keep ticked counts, 2 add tolerated
  std::array<bool, kMachigaiBuckets> MachigaiList{true};

  std::array<ConditionEntry, kConditionGroups>& Table(ConditionTable t);
  const std::array<ConditionEntry, kConditionGroups>& Table(ConditionTable t) const;
  bool operator==(const ReductionConditions&) const = default;
};

// A new document's conditions.
ReductionConditions DefaultReductionConditions();

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_CONDITIONS_H_
