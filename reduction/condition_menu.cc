#include "reduction/condition_menu.h"

#include <iterator>
#include <utility>

namespace zelvo {
namespace {

struct Line {
  const char* text;  // nullptr for a separator
  int index;
};

std::pair<std::vector<MenuEntry>, std::vector<int>> Build(std::initializer_list<Line> lines) {
  std::vector<MenuEntry> entries;
  std::vector<int> indexes;
  for (const Line& l : lines) {
    MenuEntry e;
    if (l.text == nullptr) {
      e.separator = true;
    } else {
      e.text = l.text;
    }
    entries.push_back(e);
    indexes.push_back(l.index);
  }
  return {entries, indexes};
}

// The range captions' first amounts: each range offers ten steps of it.
constexpr int64_t kRangeBase[] = {100,     1000,     10000,     100000,
                                  1000000, 10000000, 100000000, 1000000000};
// Ranges from this one up are not offered to the grade-1 boxes.
constexpr int kFirstHighRange = 4;

}  // namespace

int frmMenu::Show(const std::vector<MenuEntry>& entries, const std::vector<int>& indexes) {
  int chosen = platform().PopupMenu("", entries);
  if (chosen < 0 || chosen >= static_cast<int>(indexes.size()) || indexes[chosen] < 0) {
    return kCancel;
  }
  return indexes[chosen];
}

int frmMenu::ShowConditionMenu(ConditionMenu menu) {
  std::pair<std::vector<MenuEntry>, std::vector<int>> m;
  switch (menu) {
    case ConditionMenu::kTarget:
      m = Build({{"キャンセル", kCancel},
                 {nullptr, -1},
                 {"全て対象", kTargetAll},
                 {"全て対象外", kTargetNone}});
      break;
    case ConditionMenu::kCellMark:
      m = Build({{"キャンセル", kCancel},
                 {nullptr, -1},
                 {"マークを消去", kMarkClear},
                 {"削除（×）でマーク", kMarkExcluded},
                 {"許容（△）でマーク", kMarkTolerated},
                 {nullptr, -1},
                 {"行のマークを消去", kRowClear},
                 {nullptr, -1},
                 {"←× 左を削除 [Shift+左]", kLeftExcluded},
                 {"×→ 右を削除 [Shift+右]", kRightExcluded},
                 {nullptr, -1},
                 {"←△ 左を許容 [Ctrl+左]", kLeftTolerated},
                 {"△→ 右を許容 [Ctrl+右]", kRightTolerated}});
      break;
    case ConditionMenu::kGridMark:
      m = Build({{"キャンセル", kCancel},
                 {nullptr, -1},
                 {"全てマークを消去", kGridClear},
                 {"全て削除（×）でマーク", kGridExcluded},
                 {"全て許容（△）でマーク", kGridTolerated}});
      break;
    case ConditionMenu::kConditionList:
      m = Build({{"キャンセル", kCancel},
                 {nullptr, -1},
                 {"構成分析", kKouseiBunseki},
                 {"複合条件設定", kFukugouJouken}});
      break;
  }
  index_ = Show(m.first, m.second);
  return index_;
}

const std::vector<std::string>& frmMenu::MoneyRangeCaptions() {
  static const std::vector<std::string> kCaptions = {
      "100 ～ 1000円",   "1000 ～ 1万円",   "1 ～ 10万円", "10 ～ 100万円",
      "100 ～ 1000万円", "1000万 ～ 1億円", "1 ～ 10億円", "10 ～ 100億円"};
  return kCaptions;
}

std::vector<int64_t> frmMenu::MoneyRangeAmounts(int range) {
  std::vector<int64_t> amounts;
  if (range < 0 || range >= static_cast<int>(std::size(kRangeBase))) return amounts;
  for (int i = 1; i <= 10; ++i) amounts.push_back(kRangeBase[range] * i);
  return amounts;
}

std::string frmMenu::MoneyAmountCaption(int64_t yen) {
  if (yen < 10000) return std::to_string(yen) + "円";
  if (yen < 100000000) return std::to_string(yen / 10000) + "万円";
  return std::to_string(yen / 100000000) + "億円";
}

void frmMenu::SetMoneyMenu(int lngIndex) {
  money_show_ranges_high_ = true;
  money_show_min_ = true;
  money_show_max_ = true;
  if (lngIndex == 11 || lngIndex == 12) money_show_ranges_high_ = false;
  if (lngIndex % 10 == 1) money_show_max_ = false;
  if (lngIndex % 10 == 2) money_show_min_ = false;
}

int frmMenu::ShowMoneyMenu() {
  // Hidden entries are left out of the list, so the line numbers shift; the
  // codes keep the meaning: 0 cancel, 100 + r a range, 1 / 2 the bounds.
  // Each range cascades into its ten amounts.
  std::vector<MenuEntry> entries;
  std::vector<int> codes;
  auto add = [&](const std::string& text, int code) {
    MenuEntry e;
    e.text = text;
    if (code >= 100) {
      for (int64_t a : MoneyRangeAmounts(code - 100)) {
        MenuEntry amount;
        amount.text = MoneyAmountCaption(a);
        e.submenu.push_back(amount);
      }
    }
    entries.push_back(e);
    codes.push_back(code);
  };
  add("キャンセル", kCancel);
  const auto& captions = MoneyRangeCaptions();
  for (int r = 0; r < static_cast<int>(captions.size()); ++r) {
    if (r >= kFirstHighRange && !money_show_ranges_high_) continue;
    add(captions[r], 100 + r);
  }
  if (money_show_min_) add("最小値", kMoneyMin);
  if (money_show_max_) add("最大値", kMoneyMax);

  index_ = kCancel;
  MenuChoice choice = platform().PopupMenuTree("", entries);
  if (choice.index < 0 || choice.index >= static_cast<int>(codes.size())) return index_;
  int code = codes[choice.index];
  if (code < 100) {
    index_ = code;
    return index_;
  }
  std::vector<int64_t> amounts = MoneyRangeAmounts(code - 100);
  if (choice.sub_index < 0 || choice.sub_index >= static_cast<int>(amounts.size())) return index_;
  money_ = zelvo::Money::FromInt(amounts[choice.sub_index]);
  index_ = kMoneyAmount;
  return index_;
}

}  // namespace zelvo
