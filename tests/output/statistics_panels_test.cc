// The detail, count and composition panels as the user sees their grids.
#include "output/statistics_panels.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

TEST(MeisaiPanelTest, ShapeOfTheMultiAndCompression) {
  Grid g;
  clsTMeisai p;
  p.Initialize(&g, 90, 90, 21);
  ASSERT_EQ(g.Rows(), 8);
  ASSERT_EQ(g.Cols(), 2);
  EXPECT_EQ(g.Text(2, 1), "シングル");
  EXPECT_EQ(g.Text(3, 1), "ダ ブ ル");
  EXPECT_EQ(g.Text(4, 1), "トリプル");
  EXPECT_EQ(g.Text(5, 1), "");
  EXPECT_EQ(g.Text(6, 1), "マルチ数");
  EXPECT_EQ(g.Text(7, 1), "圧縮口数");
  EXPECT_EQ(g.Text(8, 1), "圧 縮 率");
  EXPECT_EQ(g.Cell(1, 2).back, kColorButtonFace);
  for (int r : {3, 5, 7}) EXPECT_EQ(g.Cell(r, 2).back, kColorLightYellow) << r;
  for (int r : {2, 4, 6, 8}) EXPECT_EQ(g.Cell(r, 1).back, kColorWhite) << r;
  EXPECT_EQ(g.Cell(7, 2).fore, kColorBlue);
  EXPECT_EQ(g.Cell(6, 2).fore, kColorBlack);

  // Two triples, one double, two singles; nothing bought yet.
  MultiTable multi{};
  for (int m : {0, 1}) multi[0][m] = multi[1][m] = multi[2][m] = 1;
  multi[1][2] = multi[2][2] = 3;
  multi[0][3] = 2;
  multi[2][4] = 6;
  p.SetValue(multi);
  EXPECT_EQ(g.Text(2, 2), "2 ");
  EXPECT_EQ(g.Text(3, 2), "1 ");
  EXPECT_EQ(g.Text(4, 2), "2 ");
  EXPECT_EQ(g.Text(6, 2), "0 ");
  EXPECT_EQ(g.Text(7, 2), "0 ");
  EXPECT_EQ(g.Text(8, 2), " 0");

  p.SetSingleCount(6);
  EXPECT_EQ(p.MultiSize(), 18);
  EXPECT_EQ(g.Text(6, 2), "18 ");
  EXPECT_EQ(g.Text(7, 2), "6 ");
  EXPECT_EQ(g.Text(8, 2), " 1／3.00");
  p.SetSingleCount(7);
  EXPECT_EQ(g.Text(8, 2), " 1／2.57");

  // The full multi: 243 singles, only triples.
  MultiTable full;
  for (auto& row : full) row.fill(1);
  p.SetValue(full);
  p.SetSingleCount(1);
  EXPECT_EQ(g.Text(2, 2), "");
  EXPECT_EQ(g.Text(3, 2), "");
  EXPECT_EQ(g.Text(4, 2), "5 ");
  EXPECT_EQ(g.Text(8, 2), " 1／243.00");

  p.Clear();
  EXPECT_EQ(g.Text(4, 2), "");
  EXPECT_EQ(g.Text(6, 2), "0 ");
  EXPECT_EQ(g.Text(8, 2), " 0");
}

class CountPanelTest : public ::testing::Test {
 protected:
  CountPanelTest() { panel_.Initialize(&grid_, 60, 21); }
  Grid grid_;
  clsTCount panel_;
};

TEST_F(CountPanelTest, CountsPercentagesAndColours) {
  EXPECT_EQ(grid_.Text(1, 1), "1");
  EXPECT_EQ(grid_.Text(1, 2), "0");
  EXPECT_EQ(grid_.Text(1, 3), "2");
  EXPECT_EQ(grid_.Cell(1, 1).back, kColorButtonFace);
  for (int r = 2; r <= 6; ++r) {
    EXPECT_EQ(grid_.Cell(r, 2).back, r % 2 == 0 ? kColorWhite : kColorLightYellow) << r;
  }

  FrameTable counts{};
  counts[1][0] = 12;  // match 1: every single a home win
  counts[0][1] = 3;   // match 2: 3 draws, 9 away wins
  counts[2][1] = 9;
  MultiFlags shown{};
  shown[0][0] = true;
  MultiFlags colored{};
  colored[2][1] = true;
  panel_.SetVisible(shown);
  panel_.SetColor(colored);
  panel_.SetValue(counts);
  EXPECT_EQ(grid_.Text(2, 1), "     12");
  EXPECT_EQ(grid_.Text(2, 2), "      0");  // shown although 0
  EXPECT_EQ(grid_.Text(2, 3), "");
  EXPECT_EQ(grid_.Text(3, 3), "      9");
  EXPECT_EQ(grid_.Cell(3, 3).fore, kColorBlue);
  EXPECT_EQ(grid_.Cell(3, 2).fore, kColorBlack);
  EXPECT_EQ(grid_.Cell(2, 1).align, Align::kRight);

  panel_.SetPercent(true);
  EXPECT_EQ(grid_.Text(2, 1), "   100%");
  EXPECT_EQ(grid_.Text(2, 2), "     0%");
  EXPECT_EQ(grid_.Text(2, 3), "");
  EXPECT_EQ(grid_.Text(3, 2), "    25%");
  EXPECT_EQ(grid_.Text(3, 3), "    75%");
  // A match without singles but a shown cell reads 0%.
  shown[1][4] = true;
  panel_.SetVisible(shown);
  panel_.Refresh();
  EXPECT_EQ(grid_.Text(6, 1), "     0%");

  panel_.Clear();
  EXPECT_EQ(grid_.Text(2, 1), "");
  EXPECT_EQ(grid_.Text(3, 3), "");
}

TEST_F(CountPanelTest, ClickOnAMatchRowTogglesPercent) {
  int clicks = 0;
  bool percent_seen = false;
  panel_.Click = [&](const GridClick& c) {
    ++clicks;
    percent_seen = panel_.Percent();
    EXPECT_EQ(c.button, MouseButton::kRight);
  };
  FrameTable counts{};
  counts[1][2] = 1;
  counts[0][2] = 3;
  panel_.SetValue(counts);
  grid_.Click({MouseButton::kRight, false, false, 4, 2});
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(percent_seen);
  EXPECT_EQ(grid_.Text(4, 1), "    25%");
  grid_.Click({MouseButton::kRight, false, false, 1, 2});  // the header does nothing
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(panel_.Percent());
  grid_.Click({MouseButton::kRight, true, false, 6, 3});
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(panel_.Percent());
  EXPECT_EQ(grid_.Text(4, 1), "      1");

  panel_.SetVisibleProperty(false);
  EXPECT_FALSE(panel_.Visible());
  EXPECT_FALSE(grid_.Visible());
}

TEST(KouseiBunsekiTest, CountsSharesAndRedRows) {
  frmKouseiBunseki form;
  Grid& g = form.grid();
  ASSERT_EQ(g.Rows(), 7);
  ASSERT_EQ(g.Cols(), 3);
  EXPECT_EQ(g.Text(1, 2), "口数");
  EXPECT_EQ(g.Text(1, 3), "比率");
  for (int v = 0; v <= 5; ++v) {
    EXPECT_EQ(g.Text(v + 2, 1), std::to_string(v));
    EXPECT_EQ(g.Text(v + 2, 2), "0");
    EXPECT_EQ(g.Text(v + 2, 3), "0%");
    EXPECT_EQ(g.Cell(v + 2, 3).align, Align::kRight);
  }

  form.SetValue({2, 1, 0, 0, 0, 0});
  EXPECT_EQ(g.Text(2, 2), "2");
  EXPECT_EQ(g.Text(2, 3), "67%");
  EXPECT_EQ(g.Text(3, 3), "33%");
  EXPECT_EQ(g.Text(4, 3), "0%");
  form.SetValue({32, 80, 80, 40, 10, 1});
  EXPECT_EQ(g.Text(7, 2), "1");
  EXPECT_EQ(g.Text(7, 3), "0%");
  EXPECT_EQ(g.Text(3, 3), "33%");
  EXPECT_EQ(g.Text(6, 3), "4%");

  // Values 3 and above in red.
  form.SetMarkMax(3);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(g.Cell(r, 2).fore, kColorBlack) << r;
  for (int r = 5; r <= 7; ++r) EXPECT_EQ(g.Cell(r, 1).fore, kColorRed) << r;
  form.SetMarkMax(5);
  EXPECT_EQ(g.Cell(6, 3).fore, kColorBlack);
  EXPECT_EQ(g.Cell(7, 3).fore, kColorRed);

  form.SetTitle("本命/全て/◎");
  EXPECT_EQ(form.Title(), "本命/全て/◎");
  EXPECT_EQ(form.Width(), g.TotalWidth() + 6);
  EXPECT_EQ(form.Height(), g.TotalHeight() + 24);
  EXPECT_STREQ(frmKouseiBunseki::kTag, "構成分析");
}

}  // namespace
}  // namespace zelvo
