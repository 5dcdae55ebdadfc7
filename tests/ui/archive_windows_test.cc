// The backtest window over the cache's rounds or the shipped made-up ones,
// the files it leaves out, and the round it opens in the main window.
#include "ui/archive_windows.h"

#include <gtest/gtest.h>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/main_window.h"

namespace zelvo {
namespace {

class ArchiveWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::InstallShippedProgramFolder(dir_); }
  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
};

// The cache ships only the made-up sample round 1487: the window replays
// the made-up rounds and says so; a made-up round the cache lacks is not
// opened in the main window.
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
  EXPECT_EQ(
      backtest.Notes(),
      std::vector<std::string>{"キャッシュに実際の回がないため、同梱の架空の回で検証しました。"});
  EXPECT_EQ(backtest.Shares().front(), "マルチ：4 / 4（100.0%）");

  int opened = 0;
  std::string group;
  backtest.on_open_round = [&](int round, const std::string& g) {
    opened = round;
    group = g;
  };
  EXPECT_FALSE(backtest.OpenRound(2));
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(fake_.messages().back().text,
            "第9003回A組は同梱の架空の回で、キャッシュにないため開けません。");
  backtest.From().SetIntValue(1487);
  ASSERT_TRUE(backtest.Run());
  EXPECT_TRUE(backtest.OpenRound(0));
  EXPECT_EQ(opened, 1487);
  EXPECT_EQ(group, "A");

  backtest.From().SetIntValue(5000);
  backtest.To().SetIntValue(5001);
  EXPECT_FALSE(backtest.Run());
  EXPECT_EQ(fake_.messages().back().text, "指定の範囲に、同梱の架空の回はありません。");
}

// A real round in the cache: the made-up copy of 1487 B and a file of another
// group copied over a round's are left out and named; the made-up rounds
// come only when asked for.
TEST_F(ArchiveWindowsTest, TheCachesRealRoundsAloneAndTheFilesLeftOutNamed) {
  for (const char* kind :
       {"Schedule/minitoto_schedule", "Vote/minitoto_vote", "Result/minitoto_result"}) {
    const std::string a = std::string("SysData/minitoto_") + kind + "_1487_A.xml";
    // The same records in another layout: real data, no shipped copy.
    dir_.WriteBytes(a, ReplaceAll(dir_.ReadBytes(a), "\r\n<", "\r\n <"));
  }
  const std::string b_vote = dir_.ReadBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml");
  dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1488_A.xml", b_vote);
  frmBacktest backtest;
  ASSERT_TRUE(backtest.Run());
  ASSERT_EQ(backtest.Rows().size(), 1u);
  EXPECT_EQ(backtest.Rows()[0][0], "1487");
  EXPECT_FALSE(backtest.ShowsMadeUpRounds());
  EXPECT_EQ(backtest.Notes(),
            std::vector<std::string>(
                {"除外したファイル：minitoto_vote_1488_A.xml（第1487回B組のデータです）",
                 "キャッシュにある同梱の架空の回 1 組は、実際の回と混ぜずに除外しました。"}));

  backtest.DataOption().Choose(1);
  ASSERT_TRUE(backtest.Run());
  EXPECT_EQ(backtest.Rows().size(), 26u);
  EXPECT_TRUE(backtest.ShowsMadeUpRounds());
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
