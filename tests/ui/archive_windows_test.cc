// The backtest window over the cache's rounds or the shipped made-up ones,
// the files it leaves out, and the round it opens in the main window.
#include "ui/archive_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
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

  DocumentRecord opened;
  backtest.on_open_round = [&](const DocumentRecord& doc) { opened = doc; };
  EXPECT_FALSE(backtest.OpenRound(2));
  EXPECT_EQ(opened.Kaisaikai, 0);
  EXPECT_EQ(fake_.messages().back().text,
            "第9003回A組は同梱の架空の回で、キャッシュにないため開けません。");

  // The chart's axes: none before a run, few steps, amounts in 万円 from
  // ten thousand yen on (four rounds of 243 singles: 97,200 yen staked).
  EXPECT_EQ(frmBacktest().YenScale(5).top, 0);
  const AxisScale rounds = backtest.RoundScale(6);
  EXPECT_EQ(rounds.top, 4);
  EXPECT_EQ(rounds.step, 1);
  const AxisScale yen = backtest.YenScale(5);
  EXPECT_EQ(yen.unit_name, "万円");
  EXPECT_GE(yen.top * yen.unit, backtest.CumulativeStake().back());
  EXPECT_LE(yen.top / yen.step, 5);
  const AxisScale a = NiceScale(9.72, 5);
  EXPECT_EQ(a.step, 2);
  EXPECT_EQ(a.top, 10);
  const AxisScale b = NiceScale(15000, 4);
  EXPECT_EQ(b.step, 5000);
  EXPECT_EQ(b.top, 15000);
  const AxisScale c = NiceScale(750, 5, 100);
  EXPECT_EQ(c.step, 200);
  EXPECT_EQ(c.top, 800);

  backtest.From().SetIntValue(1487);
  ASSERT_TRUE(backtest.Run());
  EXPECT_TRUE(backtest.OpenRound(0));
  EXPECT_EQ(opened.Kaisaikai, 1487);
  EXPECT_EQ(opened.Kumi, "A");
  EXPECT_EQ(opened.SingleCount, 243);

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

// With the model, every replayed round has own probabilities of its own,
// and the round opened carries them; without it, none.
TEST_F(ArchiveWindowsTest, TheModelGivesEachRoundItsOwnProbabilities) {
  std::filesystem::copy(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/History",
                        dir_.path() + "/History", std::filesystem::copy_options::recursive);
  dir_.WriteBytes("History/2099_allmatch_result-J1.csv", std::string("\x82\xa0\0\1", 4));
  frmBacktest backtest;
  backtest.DataOption().Choose(1);
  backtest.From().SetIntValue(9001);
  backtest.To().SetIntValue(9002);
  backtest.GroupOption().Choose(1);
  ASSERT_TRUE(backtest.Run());
  EXPECT_FALSE(backtest.Report().rounds.front().own_probabilities);
  backtest.ProbabilityOption().Choose(1);
  ASSERT_TRUE(backtest.Run());
  ASSERT_EQ(backtest.Report().rounds.size(), 2u);
  for (const BacktestRound& r : backtest.Report().rounds) EXPECT_TRUE(r.own_probabilities);
  EXPECT_FALSE(backtest.Report().own_probabilities_missing);
  EXPECT_NE(std::find_if(backtest.Totals().begin(), backtest.Totals().end(),
                         [](const std::string& line) {
                           return line.starts_with("自分の確率：モデルから") &&
                                  line.find("2 / 2 回") != std::string::npos;
                         }),
            backtest.Totals().end());
  ASSERT_FALSE(backtest.Notes().empty());
  EXPECT_TRUE(backtest.Notes().back().starts_with("読めない試合結果ファイル（推定に不使用）："));
  EXPECT_TRUE(backtest.Notes().back().ends_with("2099_allmatch_result-J1.csv: line 1: not a text file"))
      << backtest.Notes().back();
  DocumentRecord opened;
  backtest.on_open_round = [&](const DocumentRecord& doc) { opened = doc; };
  dir_.WriteBytes("SysData/minitoto_Schedule/minitoto_schedule_9002_A.xml",
                  dir_.ReadBytes("SampleArchive/minitoto_Schedule/minitoto_schedule_9002_A.xml"));
  backtest.OpenRound(1);
  ASSERT_TRUE(opened.OwnProbs.set);
  for (const auto& match : opened.OwnProbs.p) {
    EXPECT_NEAR(match[0] + match[1] + match[2], 1.0, 1e-9);
  }
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

// The summary names why the first page failed: a server error, a refused
// page, or no network at all.
TEST_F(ArchiveWindowsTest, ArchiveDownloadNamesTheCauseOfTheFirstFailure) {
  auto run = [&](int round) {
    frmArchive archive;
    archive.From().SetIntValue(round);
    archive.To().SetIntValue(round);
    archive.GroupOption().Choose(1);
    fake_.QueueAnswer(MsgAnswer::kYes);
    archive.Start();
    std::string all = archive.Status();
    for (const std::string& line : archive.Lines()) all += "\n" + line;
    return all;
  };
  {
    testing::HttpTestServer server;
    testing::PointSettingsAt(server);
    testing::HttpRoute busy, refused;
    busy.body = "busy";
    busy.status = 503;
    refused.body = "no";
    refused.status = 403;
    server.SetRoute("/schedule?holdCntId=1500", busy);
    server.SetRoute("/schedule?holdCntId=1501", refused);
    std::string status = run(1500);
    // The votes and the result of the round fail as well (404 here).
    EXPECT_NE(
        status.find("失敗 3 件\n最初の失敗の原因：サーバーエラー（HTTP 503 Service Unavailable）"),
        std::string::npos)
        << status;
    EXPECT_NE(status.find("失敗：第1500回 A組 日程（サーバーエラー（HTTP 503"), std::string::npos);
    EXPECT_NE(
        status.find("失敗：第1500回 A組 くじ結果（ページを拒否されました（HTTP 404 Not Found））"),
        std::string::npos);
    status = run(1501);
    EXPECT_NE(status.find("最初の失敗の原因：ページを拒否されました（HTTP 403"), std::string::npos)
        << status;
  }
  // The server has gone: nothing answers on its port.
  std::string status = run(1502);
  EXPECT_NE(status.find("最初の失敗の原因：接続できません（"), std::string::npos) << status;
}

}  // namespace
}  // namespace zelvo
