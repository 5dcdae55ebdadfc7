// The grid and number-entry models and the error report texts.
#include <gtest/gtest.h>

#include "support/error_report.h"
#include "support/grid.h"
#include "support/number_entry.h"
#include "support/version.h"
#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

TEST(GridTest, CellsAreNumberedFromOneAndResizeKeepsContent) {
  Grid g(3, 2);
  g.SetText(1, 1, "a");
  g.SetText(3, 2, "z");
  g.Resize(4, 2);
  EXPECT_EQ(g.Text(1, 1), "a");
  EXPECT_EQ(g.Text(3, 2), "z");
  EXPECT_EQ(g.Text(4, 2), "");
  EXPECT_THROW(g.Cell(0, 1), std::out_of_range);
  EXPECT_THROW(g.Cell(5, 1), std::out_of_range);
  g.SetColWidth(2, 110);
  EXPECT_EQ(g.TotalWidth(), 30 + 110);
}

TEST(GridTest, ClicksAndRedrawsReachTheOwner) {
  Grid g(2, 2);
  int redraws = 0;
  GridClick got;
  g.on_changed = [&] { ++redraws; };
  g.on_click = [&](const GridClick& c) { got = c; };
  g.Refresh();
  g.Click({MouseButton::kRight, true, false, 2, 1, false});
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(got.button, MouseButton::kRight);
  EXPECT_TRUE(got.shift);
  EXPECT_EQ(got.row, 2);
}

TEST(NumberEntryTest, ValueStaysInRange) {
  NumberEntry e;
  e.SetRange(Money::FromInt(0), Money::FromInt(9999));
  int changes = 0;
  e.on_change = [&] { ++changes; };
  e.SetText("123");
  EXPECT_EQ(e.IntValue(), 123);
  e.SetText("12345");
  EXPECT_EQ(e.IntValue(), 9999);
  e.SetText("abc");
  EXPECT_EQ(e.IntValue(), 0);
  e.SetIntValue(-5);
  EXPECT_EQ(e.Text(), "0");
  StepNumberEntry(e, 1);
  EXPECT_EQ(e.Text(), "1");
  EXPECT_EQ(changes, 5);
  NumberEntry money(NumberEntry::Kind::kMoney);
  money.SetRange(Money::FromInt(0), Money::FromInt(9999999999));
  money.SetValue(Money::FromInt(9999999999));
  EXPECT_EQ(money.Text(), "9,999,999,999");
  EXPECT_EQ(money.Value(), Money::FromInt(9999999999));
}

TEST(ErrorReportTest, TitlesAndTextsOfBothForms) {
  testing::FakePlatform fake;
  ReportError("clsIniFile", "GetItem", "Initialize Err");
  ReportException("clsTNumber", "NoToArray", std::out_of_range("x"));
  ReportEngineError("MsEngine Err", RuntimeError(kErrOverflow));
  ASSERT_EQ(fake.messages().size(), 3u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsIniFile / GetItem");
  EXPECT_EQ(fake.messages()[0].text, "Initialize Err");
  EXPECT_EQ(fake.messages()[0].icon, MsgIcon::kWarning);
  EXPECT_EQ(fake.messages()[1].title, "Zelvomini / clsTNumber / NoToArray");
  EXPECT_EQ(fake.messages()[1].text, "インデックスが有効範囲にありません。 ( 9 )");
  EXPECT_EQ(fake.messages()[1].icon, MsgIcon::kCritical);
  EXPECT_EQ(fake.messages()[2].title, "MsEngine Err");
  EXPECT_EQ(fake.messages()[2].text, "オーバーフローしました。 ( 6 )");
}

TEST(VersionTest, MinorHasTwoDigitsRevisionOnlyAboveZero) {
  EXPECT_EQ(ProgramVersionText(1, 0, 0), "1.00");
  EXPECT_EQ(ProgramVersionText(2, 5, 3), "2.05.3");
  EXPECT_EQ(ProgramVersionText(1, 12, 0), "1.12");
}

}  // namespace
}  // namespace zelvo
