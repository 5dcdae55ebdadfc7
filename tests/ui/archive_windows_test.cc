// The backtest window over the shipped made-up rounds, and the round it
// opens in the main window.
#include <gtest/gtest.h>

#include "ui/archive_windows.h"
#include "ui/main_window.h"
#include "tests/common/fake_platform.h"
#include "tests/ui/ui_fixtures.h"

namespace zelvo {
namespace {

class ArchiveWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::InstallShippedProgramFolder(dir_); }
  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
};

TEST_F(ArchiveWindowsTest, BacktestOfTheShippedRoundsFillsTableChartAndShares) {
  frmBacktest backtest;
  backtest.From().SetIntValue(9001);
  backtest.To().SetIntValue(9004);
  backtest.GroupOption().Choose(1);  // A only
  ASSERT_TRUE(backtest.Run());
  ASSERT_EQ(backtest.Rows().size(), 4u);
  EXPECT_EQ(backtest.Rows()[0][0], "9001");
  EXPECT_EQ(backtest.Rows()[0][1], "A");
  // A new document's multi is empty, so the vote-order marks stand in: all
  // 243 singles, every round a hit.
  EXPECT_EQ(backtest.Rows()[0][2], "243");
  EXPECT_EQ(backtest.Rows()[0][4], "○");
  EXPECT_EQ(backtest.Report().hits, 4);
  ASSERT_EQ(backtest.CumulativeStake().size(), 4u);
  EXPECT_DOUBLE_EQ(backtest.CumulativeStake().back(), 4 * 24300.0);
  EXPECT_DOUBLE_EQ(backtest.CumulativeReturn().back(), backtest.Report().returned.ToDouble());
  EXPECT_TRUE(backtest.ShowsMadeUpRounds());
  EXPECT_EQ(backtest.Shares().front(), "マルチ：4 / 4（100.0%）");

  int opened = 0;
  std::string group;
  backtest.on_open_round = [&](int round, const std::string& g) {
    opened = round;
    group = g;
  };
  backtest.OpenRound(2);
  EXPECT_EQ(opened, 9003);
  EXPECT_EQ(group, "A");

  backtest.From().SetIntValue(5000);
  backtest.To().SetIntValue(5001);
  EXPECT_FALSE(backtest.Run());
  EXPECT_EQ(fake_.messages().back().text,
            "指定の範囲に、日程・最終投票状況・くじ結果の揃った回がキャッシュにありません。");
}

TEST_F(ArchiveWindowsTest, AConditionsFileMustBeChosenBeforeItIsUsed) {
  frmBacktest backtest;
  backtest.StrategyOption().Choose(1);
  EXPECT_FALSE(backtest.Run());
  EXPECT_EQ(fake_.messages().back().text, "条件ファイルを選択して下さい。");
  fake_.QueueFileName("");  // the dialog cancelled: nothing changes
  backtest.ChooseConditionsFile();
  EXPECT_TRUE(backtest.ConditionsFile().empty());
}

TEST_F(ArchiveWindowsTest, ArchiveDownloadRefusesAReversedRangeAndAsksFirst) {
  frmArchive archive;
  archive.From().SetIntValue(1490);
  archive.To().SetIntValue(1480);
  archive.Start();
  EXPECT_EQ(fake_.messages().back().text, "終了回は開始回以降にして下さい。");
  archive.To().SetIntValue(1491);
  fake_.QueueAnswer(MsgAnswer::kNo);
  archive.Start();
  EXPECT_EQ(fake_.messages().back().text,
            "第1490回から第1491回までのデータ（4組）をインターネットよりダウンロードします。"
            "よろしいですか？");
  EXPECT_TRUE(archive.Lines().empty());
  EXPECT_FALSE(archive.Running());
}

}  // namespace
}  // namespace zelvo
