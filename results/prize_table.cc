#include "results/prize_table.h"

#include <algorithm>

#include "core/toto_rules.h"
#include "support/error_report.h"
#include "support/format.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsTResultKakutei";
constexpr int kRows = 3;
constexpr int kCols = 6;
constexpr int kWidths[] = {110, 100, 100, 100, 100};

// A list of the record shorter than the number of grades reads as zero.
Money At(const std::vector<Money>& list, int index) {
  return index < static_cast<int>(list.size()) ? list[index] : Money();
}

}  // namespace

void clsTResultKakutei::Initialize(int /*width*/, int /*height*/) {
  grid_.Resize(kRows, kCols);
  for (int c = 2; c <= kCols; ++c) {
    grid_.SetColWidth(c, kWidths[c - 2]);
    grid_.SetColAlign(c, Align::kRight);
  }
  for (int r = 1; r <= kRows; ++r) grid_.SetRowHeight(r, 20);
  grid_.SetFontSize(10);
  grid_.SetRowBack(1, kColorButtonFace);
  const char* headers[] = {"", "当せん金", "当せん口数", "繰越金", "当せん口数", "当せん金額"};
  for (int c = 1; c <= kCols; ++c) {
    grid_.SetText(1, c, headers[c - 1]);
    grid_.SetAlign(1, c, Align::kCenter);
  }
  Clear();
}

std::string clsTResultKakutei::CellText(Money value) {
  if (value <= Money()) return "0 ";
  return FormatNumber(value, "#,##0") + " ";
}

void clsTResultKakutei::SetResult(const ResultRecord& record) {
  record_ = record;
  Redraw();
}

void clsTResultKakutei::SetValue(const std::array<int, 6>& counts) {
  counts_ = counts;
  Redraw();
}

void clsTResultKakutei::Clear() {
  record_ = ResultRecord();
  counts_.fill(0);
  Redraw();
}

void clsTResultKakutei::Redraw() {
  try {
    if (grid_.Rows() != kRows) return;
    int grades = std::clamp(totoRules().GetMaxGrade(record_.Kaisaikai), 1, kRows - 2);
    Money total_paid, total_winners, total_carry, total_count, total_won;
    for (int g = 0; g < grades; ++g) {
      int row = 2 + g;
      Money prize = At(record_.prize, g);
      Money winners = At(record_.winners, g);
      Money carry = At(record_.carryover, g);
      Money count = Money::FromInt(counts_[g]);
      Money won = prize * count;
      grid_.SetText(row, 1, std::to_string(g + 1) + "等");
      grid_.SetText(row, 2, CellText(prize));
      grid_.SetText(row, 3, CellText(winners));
      grid_.SetText(row, 4, CellText(carry));
      grid_.SetText(row, 5, CellText(count));
      grid_.SetText(row, 6, CellText(won));
      grid_.SetFore(row, 5, kColorBlue);
      grid_.SetFore(row, 6, kColorBlue);
      total_paid += prize * winners;
      total_winners += winners;
      total_carry += carry;
      total_count += count;
      total_won += won;
    }
    int sum_row = 2 + grades;
    grid_.SetText(sum_row, 1, "合計");
    grid_.SetText(sum_row, 2, CellText(total_paid));
    grid_.SetText(sum_row, 3, CellText(total_winners));
    grid_.SetText(sum_row, 4, CellText(total_carry));
    grid_.SetText(sum_row, 5, CellText(total_count));
    grid_.SetText(sum_row, 6, CellText(total_won));

    // An empty table shows no zeros.
    bool all_zero = true;
    for (int r = 2; r <= sum_row; ++r) {
      for (int c = 2; c <= kCols; ++c) all_zero = all_zero && grid_.Text(r, c) == "0 ";
    }
    if (all_zero) {
      for (int r = 2; r <= sum_row; ++r) {
        for (int c = 2; c <= kCols; ++c) grid_.SetText(r, c, "");
      }
    }
    grid_.Refresh();
  } catch (const std::exception& e) {
    ReportException(kClassName, "Redraw", e);
  }
}

}  // namespace zelvo
