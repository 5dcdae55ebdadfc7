// The pop-up menus of the condition panels and of the payout boxes.  Each
// menu answers an Index (0 when cancelled or dismissed); the money menu also
// answers the chosen amount.  The mark menus of the multi editor live with
// the editor.
#ifndef ZELVOMINI_REDUCTION_CONDITION_MENU_H_
#define ZELVOMINI_REDUCTION_CONDITION_MENU_H_

#include <string>
#include <vector>

#include "support/money.h"
#include "support/platform.h"

namespace zelvo {

class frmMenu {
 public:
  enum class ConditionMenu {
    kTarget,         // whole-grid target menu of the one-row check grids
    kCellMark,       // one cell of a count grid
    kGridMark,       // the title row of a count grid
    kConditionList,  // a row title of a count grid
  };

  // Index values of the condition menus.
  static constexpr int kCancel = 0;
  static constexpr int kTargetAll = 1;
  static constexpr int kTargetNone = 2;
  static constexpr int kMarkClear = 1;
  static constexpr int kMarkExcluded = 2;
  static constexpr int kMarkTolerated = 3;
  static constexpr int kRowClear = 4;
  static constexpr int kLeftExcluded = 5;
  static constexpr int kRightExcluded = 6;
  static constexpr int kLeftTolerated = 7;
  static constexpr int kRightTolerated = 8;
  static constexpr int kGridClear = 1;
  static constexpr int kGridExcluded = 2;
  static constexpr int kGridTolerated = 3;
  static constexpr int kKouseiBunseki = 1;
  static constexpr int kFukugouJouken = 2;
  // Index values of the money menu.
  static constexpr int kMoneyMin = 1;
  static constexpr int kMoneyMax = 2;
  static constexpr int kMoneyAmount = 3;

  // Pops the menu up and returns its Index.
  int ShowConditionMenu(ConditionMenu menu);

  // Prepares the money menu for the payout box tagged lngIndex (grade*10+1
  // for a minimum, grade*10+2 for a maximum): the grade-1 boxes offer no
  // ranges from one million yen up, a minimum box has no "最大値" and a
  // maximum box no "最小値".
  void SetMoneyMenu(int lngIndex);
  // Pops the money menu up, then the chosen range's ten amounts, and returns
  // the Index; Money() holds the amount for kMoneyAmount.
  int ShowMoneyMenu();

  int Index() const { return index_; }
  zelvo::Money Money() const { return money_; }

  // The ranges of the money menu: captions and the ten amounts each offers.
  static const std::vector<std::string>& MoneyRangeCaptions();
  static std::vector<int64_t> MoneyRangeAmounts(int range);
  // "100円", "5万円", "3億円".
  static std::string MoneyAmountCaption(int64_t yen);

 private:
  // Shows the entries and maps the chosen line to its Index through
  // `indexes` (one per entry, separators included).
  int Show(const std::vector<MenuEntry>& entries, const std::vector<int>& indexes);

  int index_ = 0;
  zelvo::Money money_;
  bool money_show_ranges_high_ = true;
  bool money_show_min_ = true;
  bool money_show_max_ = true;
};

}  // namespace zelvo

#endif  // ZELVOMINI_REDUCTION_CONDITION_MENU_H_
