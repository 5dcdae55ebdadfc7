// Money, date-time and number formats.
#include <gtest/gtest.h>

#include "support/date_time.h"
#include "support/format.h"
#include "support/money.h"

namespace zelvo {
namespace {

TEST(MoneyTest, ShortestDecimalText) {
  EXPECT_EQ(Money::FromInt(1234).ToString(), "1234");
  EXPECT_EQ(Money::FromRaw(12345000).ToString(), "1234.5");
  EXPECT_EQ(Money().ToString(), "0");
  EXPECT_EQ(Money::FromRaw(-30000).ToString(), "-3");
  EXPECT_EQ(Money::FromRaw(1).ToString(), "0.0001");
}

TEST(MoneyTest, ParseAndRoundHalfToEven) {
  Money m;
  ASSERT_TRUE(Money::Parse("1234.5", m));
  EXPECT_EQ(m.raw(), 12345000);
  ASSERT_TRUE(Money::Parse("-0.00005", m));
  EXPECT_EQ(m.raw(), 0);  // half to even
  ASSERT_TRUE(Money::Parse("0.00015", m));
  EXPECT_EQ(m.raw(), 2);
  EXPECT_FALSE(Money::Parse("12a", m));
  EXPECT_FALSE(Money::Parse("", m));
  EXPECT_FALSE(Money::Parse("99999999999999999999", m));
  // 1/32 and 3/32 are exact doubles ending in a half at the fifth decimal.
  EXPECT_EQ(Money::FromDouble(0.03125).raw(), 312);
  EXPECT_EQ(Money::FromDouble(0.09375).raw(), 938);
  EXPECT_EQ(Money::FromDouble(12150.625).raw(), 121506250);
}

TEST(MoneyTest, FloorAndProduct) {
  EXPECT_EQ(Money::FromRaw(121506250).Floor(), 12150);
  EXPECT_EQ(Money::FromRaw(-5).Floor(), -1);
  EXPECT_EQ(Money::FromRaw(25000).RoundToInt(), 2);
  EXPECT_EQ(Money::FromRaw(35000).RoundToInt(), 4);
  // 100 x 0.5 x 1.0, the grade-1 pool before its scale.
  Money pool = Money::FromInt(100) * Money::FromRaw(5000) * Money::FromInt(1);
  EXPECT_EQ(pool.ToString(), "50");
}

TEST(DateTimeTest, ZeroIsShownAsMidnightTime) {
  EXPECT_TRUE(DateTime().IsZero());
  EXPECT_EQ(DateTime().ToString(), "0:00:00");
  EXPECT_EQ(DateTime::Date(2024, 1, 2).ToString(), "2024/01/02");
  EXPECT_EQ(DateTime::Time(9, 5, 0).ToString(), "9:05:00");
  DateTime d;
  ASSERT_TRUE(DateTime::FromParts(2024, 1, 2, 12, 34, 0, d));
  EXPECT_EQ(d.ToString(), "2024/01/02 12:34:00");
  EXPECT_FALSE(DateTime::FromParts(2023, 2, 29, 0, 0, 0, d));
}

TEST(DateTimeTest, JapaneseLocaleForms) {
  DateTime d;
  ASSERT_TRUE(DateTime::Parse("2024/1/2 12:34", 2026, d));
  EXPECT_EQ(d.Format("yyyy/mm/dd hh:nn"), "2024/01/02 12:34");
  ASSERT_TRUE(DateTime::Parse("2024年1月2日 12:34", 2026, d));
  EXPECT_EQ(d.Format("yyyy/mm/dd hh:nn"), "2024/01/02 12:34");
  ASSERT_TRUE(DateTime::Parse("1/2", 2026, d));
  EXPECT_EQ(d.ToString(), "2026/01/02");
  ASSERT_TRUE(DateTime::Parse("1月2日", 2026, d));
  EXPECT_EQ(d.ToString(), "2026/01/02");
  ASSERT_TRUE(DateTime::Parse("12:00", 2026, d));
  EXPECT_EQ(d.ToString(), "12:00:00");
  EXPECT_FALSE(d.HasDate());
  ASSERT_TRUE(DateTime::Parse("２０２４/０１/０２", 2026, d));
  EXPECT_EQ(d.ToString(), "2024/01/02");
  ASSERT_TRUE(DateTime::Parse("2024-01-02 9:05:07", 2026, d));
  EXPECT_EQ(d.ToString(), "2024/01/02 9:05:07");
  ASSERT_TRUE(DateTime::Parse("19時30分", 2026, d));
  EXPECT_EQ(d.ToString(), "19:30:00");
  for (const char* bad :
       {"", "-", "2024/13/01", "2023/2/29", "25:00", "abc", "12:34x", "1月2日(土)"}) {
    EXPECT_FALSE(DateTime::Parse(bad, 2026, d)) << bad;
  }
}

TEST(DateTimeTest, FormatsAndWeekday) {
  DateTime d = DateTime::Date(2026, 12, 8);
  EXPECT_EQ(d.Format("mm/dd"), "12/08");
  EXPECT_EQ(d.Format("yyyy年mm月dd日"), "2026年12月08日");
  EXPECT_EQ(d.WeekdayJa(), "火");
  EXPECT_EQ(DateTime::Date(2024, 1, 6).WeekdayJa(), "土");
  EXPECT_LT(DateTime::Date(2024, 1, 6), DateTime::Date(2024, 1, 7));
}

TEST(FormatTest, PatternsOfTheScreensAndLogs) {
  EXPECT_EQ(FormatNumber(int64_t{1234567}, "#,##0"), "1,234,567");
  EXPECT_EQ(FormatNumber(int64_t{0}, "#,##0"), "0");
  EXPECT_EQ(FormatNumber(int64_t{-1234}, "#,##0"), "-1,234");
  EXPECT_EQ(FormatNumber(33.3333, "##0.00"), "33.33");
  EXPECT_EQ(FormatNumber(100.0, "##0.00"), "100.00");
  EXPECT_EQ(FormatNumber(9.9999, "0.00"), "10.00");
  EXPECT_EQ(FormatNumber(1.2345, "0.00"), "1.23");
  EXPECT_EQ(FormatNumber(1.005, "0.00"), "1.01");
  EXPECT_EQ(FormatNumber(int64_t{5}, "000"), "005");
  EXPECT_EQ(FormatNumber(int64_t{1234}, "000"), "1234");
  EXPECT_EQ(FormatNumber(int64_t{7}, "00"), "07");
  EXPECT_EQ(FormatNumber(int64_t{85}, "0000"), "0085");
  EXPECT_EQ(FormatNumber(int64_t{0}, "#0"), "0");
  EXPECT_EQ(FormatNumber(3.0, "#,##0.00"), "3.00");
  EXPECT_EQ(FormatNumber(12345.678, "#,##0.00"), "12,345.68");
  EXPECT_EQ(FormatNumber(49.5, "0"), "50");
  EXPECT_EQ(FormatNumber(0.4, "##0"), "0");
  EXPECT_EQ(FormatNumber(Money::FromRaw(99999), "0.00"), "10.00");
  EXPECT_EQ(FormatNumber(Money::FromInt(9999999999), "#,##0"), "9,999,999,999");
}

TEST(FormatTest, HalvesRoundOnTheDecimalValue) {
  // Scaling these doubles in binary lands just below the half.
  EXPECT_EQ(FormatNumber(35.545, "##0.00"), "35.55");
  EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");
  EXPECT_EQ(FormatNumber(-2.675, "0.00"), "-2.68");
  EXPECT_EQ(FormatNumber(0.5, "0"), "1");
  EXPECT_EQ(FormatNumber(0.004, "0.00"), "0.00");
  EXPECT_EQ(FormatNumber(-0.004, "0.00"), "0.00");
  EXPECT_EQ(FormatNumber(999.995, "#,##0.00"), "1,000.00");
  EXPECT_EQ(FormatNumber(1e20, "#,##0"), "100,000,000,000,000,000,000");
  EXPECT_EQ(FormatNumber(0.0, "##0.00"), "0.00");
  EXPECT_DOUBLE_EQ(RoundDecimal(75.0 / 211 * 100, 4), 35.545);
  EXPECT_DOUBLE_EQ(RoundDecimal(0.78125, 4), 0.7813);
  EXPECT_DOUBLE_EQ(RoundDecimal(-1.005, 2), -1.01);
  EXPECT_DOUBLE_EQ(RoundDecimal(0.00004, 4), 0);
}

}  // namespace
}  // namespace zelvo
