// The text helpers the scrapers read round numbers, amounts and dates with.
#include "official/html_toto.h"

#include <gtest/gtest.h>

#include "support/error_report.h"
#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

class HtmlTotoTest : public ::testing::Test {
 protected:
  // The platform clock sets the current year of dates without one.
  HtmlTotoTest() { fake_.SetNow(DateTime::Date(2026, 12, 8)); }
  static DateTime At(int y, int m, int d, int h = 0, int n = 0) {
    DateTime t;
    DateTime::FromParts(y, m, d, h, n, 0, t);
    return t;
  }
  testing::FakePlatform fake_;
};

TEST_F(HtmlTotoTest, RoundNumbers) {
  int round = -1;
  EXPECT_TRUE(clsHtmlToto::Kaisaikai("第1234回", round));
  EXPECT_EQ(round, 1234);
  EXPECT_TRUE(clsHtmlToto::Kaisaikai("第１２回 mini toto", round));
  EXPECT_EQ(round, 12);
  round = -1;
  EXPECT_FALSE(clsHtmlToto::Kaisaikai("1234回", round));
  EXPECT_FALSE(clsHtmlToto::Kaisaikai("第1234", round));
  EXPECT_FALSE(clsHtmlToto::Kaisaikai("", round));
  EXPECT_EQ(round, -1);

  // No number between the markers is the caller's error to report.
  for (const char* bad : {"第x回", "第回"}) {
    try {
      clsHtmlToto::Kaisaikai(bad, round);
      ADD_FAILURE() << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kErrTypeMismatch);
    }
  }
  EXPECT_THROW(clsHtmlToto::GetKaisaikai("第?回 mini", round, "mini"), RuntimeError);
  EXPECT_TRUE(fake_.messages().empty());

  EXPECT_TRUE(clsHtmlToto::GetKaisaikai("第1500回 mini toto-A組", round, "mini toto"));
  EXPECT_EQ(round, 1500);
  EXPECT_FALSE(clsHtmlToto::GetKaisaikai("第1501回 toto", round, "mini toto"));
  EXPECT_EQ(round, 1500);
}

TEST_F(HtmlTotoTest, MatchTypeAdvancesOnlyPastAKnownType) {
  std::vector<std::string> texts{"1", "J1", "天皇杯"};
  int pos = 1;
  EXPECT_EQ(clsHtmlToto::GetGameType(texts, pos), "J1");
  EXPECT_EQ(pos, 2);
  EXPECT_EQ(clsHtmlToto::GetGameType(texts, pos), "天皇杯");
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(clsHtmlToto::GetGameType(texts, pos), "");  // past the end
  EXPECT_EQ(pos, 3);
  pos = 0;
  EXPECT_EQ(clsHtmlToto::GetGameType(texts, pos), "");
  EXPECT_EQ(pos, 0);
}

TEST_F(HtmlTotoTest, AmountsAndPercentages) {
  Money first, second;
  ASSERT_TRUE(clsHtmlToto::GetValue2("１,２３４円(５.６％)", first, second));
  EXPECT_EQ(first, Money::FromInt(1234));
  EXPECT_EQ(second, Money::FromRaw(56000));
  ASSERT_TRUE(clsHtmlToto::GetValue2(" 1,234,567(12.3%) ", first, second));
  EXPECT_EQ(first, Money::FromInt(1234567));
  EXPECT_EQ(second, Money::FromRaw(123000));
  first = second = Money::FromInt(9);
  EXPECT_FALSE(clsHtmlToto::GetValue2("1234", first, second));
  EXPECT_FALSE(clsHtmlToto::GetValue2("(1234", first, second));
  EXPECT_EQ(first, Money::FromInt(9));

  EXPECT_EQ(clsHtmlToto::StringToCurrency("1,234円"), Money::FromInt(1234));
  EXPECT_EQ(clsHtmlToto::StringToCurrency("12.5%"), Money::FromRaw(125000));
  EXPECT_EQ(clsHtmlToto::StringToCurrency("-"), Money());
  EXPECT_EQ(clsHtmlToto::StringToCurrency("1.2.3"), Money());
  EXPECT_EQ(clsHtmlToto::StringToCurrency(""), Money());
  EXPECT_TRUE(fake_.messages().empty());

  // Beyond the range of money: the error is reported under its name.
  EXPECT_EQ(clsHtmlToto::StringToCurrency("99999999999999999999円"), Money());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsHtmlToto / StringToCurrency");
  EXPECT_EQ(fake_.messages()[0].text, "オーバーフローしました。 ( 6 )");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kCritical);
}

TEST_F(HtmlTotoTest, PlainAndParenthesisedDates) {
  EXPECT_EQ(clsHtmlToto::StringToDate("2024/1/2 12:34"), At(2024, 1, 2, 12, 34));
  EXPECT_EQ(clsHtmlToto::StringToDate("2024年1月2日 12:34"), At(2024, 1, 2, 12, 34));
  EXPECT_EQ(clsHtmlToto::StringToDate("1/2"), At(2026, 1, 2));
  EXPECT_TRUE(clsHtmlToto::StringToDate("未定").IsZero());
  EXPECT_TRUE(clsHtmlToto::StringToDate("2024/2/30").IsZero());

  std::string text = "１月２日（土）　１２:００開始";
  EXPECT_EQ(clsHtmlToto::StringToDateEx(text), At(2026, 1, 2, 12, 0));
  EXPECT_EQ(text, "1月2日 12:00");
  text = "2024年3月4日 9:30";
  EXPECT_EQ(clsHtmlToto::StringToDateEx(text), At(2024, 3, 4, 9, 30));
  // Without parentheses nothing is cut, so trailing words spoil the date.
  text = "3月4日 9:30開始";
  EXPECT_TRUE(clsHtmlToto::StringToDateEx(text).IsZero());
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(HtmlTotoTest, DayWithTheLatestTimeOfTheText) {
  EXPECT_EQ(clsHtmlToto::LatestTime("9:05 ～ 12:34 / 12:34"), "12:34");
  EXPECT_EQ(clsHtmlToto::LatestTime("開始 9:05"), " 9:05");
  EXPECT_EQ(clsHtmlToto::LatestTime("１３：５０"), "13:50");
  EXPECT_EQ(clsHtmlToto::LatestTime("0:00"), "");
  EXPECT_EQ(clsHtmlToto::LatestTime("25:99 ,:"), "");
  EXPECT_EQ(clsHtmlToto::StringToDateEx2("1月2日(土) 10:00～13:50"), At(2026, 1, 2, 13, 50));
  EXPECT_EQ(clsHtmlToto::StringToDateEx2("2024年5月6日"), At(2024, 5, 6));
  EXPECT_TRUE(clsHtmlToto::StringToDateEx2("12:00").IsZero());
}

TEST_F(HtmlTotoTest, Ranges) {
  DateTime start, end;
  clsHtmlToto::DateString2("2024年1月2日(火) 10:00 ～ 2024年1月9日(火) 13:50まで", start, end);
  EXPECT_EQ(start, At(2024, 1, 2, 10, 0));
  EXPECT_EQ(end, At(2024, 1, 9, 13, 50));
  DateTime keep = At(2000, 1, 1);
  start = end = keep;
  clsHtmlToto::DateString2("2024年1月2日まで", start, end);
  EXPECT_EQ(start, keep);
  EXPECT_EQ(end, keep);

  clsHtmlToto::GetStringToDate2("1月2日 ～ 1月9日", start, end);
  EXPECT_EQ(start, At(2026, 1, 2));
  EXPECT_EQ(end, At(2026, 1, 9));
  // The wave dash a Unicode page may write instead of the full-width tilde.
  clsHtmlToto::GetStringToDate2("2月3日 〜 2月4日", start, end);
  EXPECT_EQ(start, At(2026, 2, 3));
  EXPECT_EQ(end, At(2026, 2, 4));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(HtmlTotoTest, DateOfTheVoteState) {
  DateTime date;
  bool final = false;
  ASSERT_TRUE(clsHtmlToto::GetStringToDateNow("(1月2日(土) 12:00販売終了時点)", date, final));
  EXPECT_EQ(date, At(2026, 1, 2, 12, 0));
  EXPECT_TRUE(final);
  ASSERT_TRUE(clsHtmlToto::GetStringToDateNow("(1月2日 12:00時点)", date, final));
  EXPECT_EQ(date, At(2026, 1, 2, 12, 0));
  EXPECT_FALSE(final);

  final = true;
  EXPECT_FALSE(clsHtmlToto::GetStringToDateNow("(販売中)", date, final));
  EXPECT_FALSE(final);
  final = true;
  EXPECT_FALSE(clsHtmlToto::GetStringToDateNow("1月2日 12:00時点)", date, final));
  EXPECT_TRUE(final);
  EXPECT_TRUE(clsHtmlToto::GetStringToDateNow("(時点)", date, final));
  EXPECT_TRUE(date.IsZero());
}

}  // namespace
}  // namespace zelvo
