// The run log: pieces, time stamps and the fixed-width condition lines.
#include "reduction/run_log.h"

#include <gtest/gtest.h>

#include "support/format.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

using testing::FakePlatform;

class RunLogTest : public ::testing::Test {
 protected:
  RunLogTest() {
    fake_.SetTick(50000);
    msg_.Initialize(&list_);
    msg_.Cls();
  }

  FakePlatform fake_;
  RunLogList list_;
  clsTMsg msg_;
};

TEST_F(RunLogTest, ConditionLineLayout) {
  fake_.AdvanceTick(3000);
  msg_.CompMsg("本命/全て/◎", 243, 0, false);
  fake_.AdvanceTick(5000);  // the end half carries no stamp
  msg_.CompMsg("本命/全て/◎", 243, 81, true);
  ASSERT_EQ(list_.Lines().size(), 2u);
  EXPECT_EQ(list_.Lines()[0],
            "0003 本命/全て/◎" + std::string(10, ' ') + ":    243 →      81 ( 33.33%)");
  EXPECT_EQ(list_.Lines()[1], "");

  // Nothing before: 100 per cent; counts are plain digits in 7 columns.
  msg_.CompMsg("条件間違い補正", 0, 0, false);
  msg_.CompMsg("条件間違い補正", 0, 0, true);
  EXPECT_EQ(list_.Lines()[1], "0008 条件間違い補正        :      0 →       0 (100.00%)");
  msg_.CompMsg("x", 1234567, 0, false);
  msg_.CompMsg("x", 1234567, 1234567, true);
  EXPECT_EQ(list_.Lines()[2], "0008 x" + std::string(21, ' ') + ":1234567 → 1234567 (100.00%)");
  // 2 of 3 kept: 66.6667 after the four-decimal rounding, shown 66.67.
  msg_.CompMsg("y", 3, 0, false);
  msg_.CompMsg("y", 3, 2, true);
  EXPECT_EQ(list_.Lines()[3].substr(list_.Lines()[3].size() - 9), "( 66.67%)");
}

TEST_F(RunLogTest, LabelsAreMeasuredInCodePageColumns) {
  auto label_field = [&](const std::string& label) {
    msg_.Cls();
    msg_.CompMsg(label, 1, 0, false);
    std::string line = list_.Lines()[0];
    std::string field = line.substr(5, line.find(':') - 5);
    return field;
  };
  // Eleven full-width characters fill the 22 columns exactly.
  std::string eleven = "勝敗勝敗勝敗勝敗勝敗勝";
  EXPECT_EQ(label_field(eleven), eleven);
  // A longer label is cut; half-width katakana take one column each.
  EXPECT_EQ(label_field(eleven + "敗"), eleven);
  std::string kana = "ｱｲｳｴｵ";
  EXPECT_EQ(label_field(kana), kana + std::string(17, ' '));
  // A full-width character across the last column gives way to a blank.
  EXPECT_EQ(label_field("勝敗/A/[0]+[1]+[2]+勝敗"), "勝敗/A/[0]+[1]+[2]+勝 ");
}

TEST_F(RunLogTest, StampsPiecesAndSeparators) {
  fake_.AdvanceTick(2499);
  msg_.Msg("a", false, true);
  msg_.Msg("b", false, false);
  fake_.AdvanceTick(1);  // 2.5 s rounds up
  msg_.Msg("c", true, true);
  msg_.Sp();
  msg_.Msg("d", true, false);
  ASSERT_EQ(list_.Lines().size(), 4u);
  EXPECT_EQ(list_.Lines()[0], "0002 ab0003 c");
  EXPECT_EQ(list_.Lines()[1], std::string(55, '-'));
  EXPECT_EQ(list_.Lines()[2], "d");
  EXPECT_EQ(list_.Lines()[3], "");
  EXPECT_EQ(list_.Text(), "0002 ab0003 c\r\n" + std::string(55, '-') + "\r\nd\r\n\r\n");

  // Every log shares one stopwatch, and it survives the timer wrapping.
  RunLogList other_list;
  clsTMsg other;
  other.Initialize(&other_list);
  fake_.SetTick(0xFFFFF000u);
  other.Cls();
  EXPECT_TRUE(other_list.Lines().empty());
  fake_.SetTick(0x00000FA0u + 4000);
  msg_.Msg("e", true, true);
  EXPECT_EQ(list_.Lines()[3], "0012 e");
  EXPECT_EQ(clsTMsg::TimeStamp(), "0012 ");
}

TEST(RunLogPercentTest, SameAsRoundingTheQuotientTwice) {
  for (int pre = 1; pre <= 243; ++pre) {
    for (int count = 0; count <= pre; ++count) {
      double percent = RoundDecimal(static_cast<double>(count) / pre * 100.0, 4);
      ASSERT_EQ(clsTMsg::PercentText(pre, count), FormatNumber(percent, "##0.00"))
          << count << "/" << pre;
    }
  }
  EXPECT_EQ(clsTMsg::PercentText(128, 1), "0.78");  // 0.78125 -> 0.7813 -> 0.78
  EXPECT_EQ(clsTMsg::PercentText(0, 5), "100.00");
  EXPECT_EQ(clsTMsg::PercentText(200000000, 1), "0.00");
}

TEST_F(RunLogTest, ProgressBarAndUnboundLog) {
  int updates = 0;
  list_.on_progress = [&](int, int) { ++updates; };
  msg_.Max(100);
  msg_.Value(42);
  EXPECT_EQ(list_.ProgressValue(), 42);
  EXPECT_EQ(list_.ProgressMax(), 100);
  EXPECT_EQ(updates, 2);
  clsTMsg unbound;
  unbound.Msg("nothing", true, true);
  unbound.Value(3);
  EXPECT_TRUE(fake_.messages().empty());
}

}  // namespace
}  // namespace zelvo
