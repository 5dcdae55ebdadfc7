// The confirmed prize table of the result screen: what the round paid and
// what the user's singles won, once every match is decided.
#ifndef ZELVOMINI_RESULTS_PRIZE_TABLE_H_
#define ZELVOMINI_RESULTS_PRIZE_TABLE_H_

#include <array>
#include <string>

#include "official/result_record.h"
#include "support/grid.h"
#include "support/money.h"

namespace zelvo {

class clsTResultKakutei {
 public:
  // Builds the 6 x 3 grid and draws the empty table.  The size is the
  // picture box's; the grid keeps its own column widths.
  void Initialize(int width = 0, int height = 0);
  Grid& grid() { return grid_; }
  const Grid& grid() const { return grid_; }

  void SetResult(const ResultRecord& record);
  void SetValue(const std::array<int, 6>& counts);
  void Clear();

  // "0 " for zero or less, else "#,##0" and one space.
  static std::string CellText(Money value);

 private:
  void Redraw();

  Grid grid_;
  ResultRecord record_;
  std::array<int, 6> counts_{};
};

}  // namespace zelvo

#endif  // ZELVOMINI_RESULTS_PRIZE_TABLE_H_
