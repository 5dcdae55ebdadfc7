#include "results/prize_table.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

std::vector<std::string> Row(const Grid& g, int row) {
  std::vector<std::string> out;
  for (int c = 1; c <= g.Cols(); ++c) out.push_back(g.Text(row, c));
  return out;
}

TEST(PrizeTableTest, LayoutOfTheEmptyTable) {
  clsTResultKakutei table;
  table.Initialize();
  const Grid& g = table.grid();
  ASSERT_EQ(g.Rows(), 3);
  ASSERT_EQ(g.Cols(), 6);
  EXPECT_EQ(Row(g, 1), (std::vector<std::string>{"", "当せん金", "当せん口数", "繰越金",
                                                 "当せん口数", "当せん金額"}));
  // Cleared: labels only, no zeros.
  EXPECT_EQ(Row(g, 2), (std::vector<std::string>{"1等", "", "", "", "", ""}));
  EXPECT_EQ(Row(g, 3), (std::vector<std::string>{"合計", "", "", "", "", ""}));
  EXPECT_EQ(g.ColWidth(1), g.DefaultColWidth());
  EXPECT_EQ(g.ColWidth(2), 110);
  for (int c = 3; c <= 6; ++c) EXPECT_EQ(g.ColWidth(c), 100);
  EXPECT_EQ(g.RowHeight(2), 20);
  EXPECT_DOUBLE_EQ(g.FontSize(), 10);
  EXPECT_EQ(g.Cell(1, 3).back, kColorButtonFace);
  EXPECT_EQ(g.Cell(2, 4).align, Align::kRight);
  EXPECT_EQ(g.Cell(2, 5).fore, kColorBlue);
  EXPECT_EQ(g.Cell(2, 6).fore, kColorBlue);
  EXPECT_EQ(g.Cell(3, 5).fore, kColorBlack);
}

TEST(PrizeTableTest, RoundWithWinnersAmongTheUsersSingles) {
  clsTResultKakutei table;
  table.Initialize();
  ResultRecord r;
  r.Kaisaikai = 1200;
  r.prize[0] = Money::FromInt(1234560);
  r.winners[0] = Money::FromInt(3);
  table.SetResult(r);
  table.SetValue({2, 5, 0, 0, 0, 1});
  const Grid& g = table.grid();
  EXPECT_EQ(Row(g, 2),
            (std::vector<std::string>{"1等", "1,234,560 ", "3 ", "0 ", "2 ", "2,469,120 "}));
  EXPECT_EQ(Row(g, 3),
            (std::vector<std::string>{"合計", "3,703,680 ", "3 ", "0 ", "2 ", "2,469,120 "}));
}

TEST(PrizeTableTest, RoundWithoutWinnersShowsTheCarryOver) {
  clsTResultKakutei table;
  table.Initialize();
  ResultRecord r;
  r.Kaisaikai = 1200;
  r.carryover[0] = Money::FromInt(45678901);
  table.SetResult(r);
  table.SetValue({});
  const Grid& g = table.grid();
  EXPECT_EQ(Row(g, 2), (std::vector<std::string>{"1等", "0 ", "0 ", "45,678,901 ", "0 ", "0 "}));
  EXPECT_EQ(Row(g, 3), (std::vector<std::string>{"合計", "0 ", "0 ", "45,678,901 ", "0 ", "0 "}));
  table.Clear();
  EXPECT_EQ(Row(g, 2), (std::vector<std::string>{"1等", "", "", "", "", ""}));
}

TEST(PrizeTableTest, RecordWithoutGradeListsReadsAsZero) {
  clsTResultKakutei table;
  table.Initialize();
  ResultRecord r;
  r.prize.clear();
  r.winners.clear();
  r.carryover.clear();
  table.SetResult(r);
  table.SetValue({4, 0, 0, 0, 0, 0});
  EXPECT_EQ(table.grid().Text(2, 5), "4 ");
  EXPECT_EQ(table.grid().Text(2, 6), "0 ");
}

}  // namespace
}  // namespace zelvo
