// The round panel through the main window: the home page's downloads and
// sale status, the status bar's vote line, and rounds whose cache is
// damaged or cut short.
#include "ui/round_panel.h"

#include <gtest/gtest.h>

#include "files/tpd_file.h"
#include "support/date_time.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/ui/main_window_fixture.h"

namespace zelvo {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, HomePageFollowsTheCache) {
  main_->Round().SetKaisaikai(1487);
  // The shipped cache holds all three kinds for round 1487 A; each can be
  // fetched again.
  EXPECT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadVote).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadResult).enabled);
  EXPECT_TRUE(main_->SaleStatus().visible);
  EXPECT_EQ(main_->SaleStatus().sale_end, "2024年06月22日(土) 13:50:00");
  EXPECT_EQ(main_->SaleStatus().status, "販売終了");

  DateTime end;
  DateTime::FromParts(2024, 6, 22, 13, 50, 0, end);
  fake_.SetNow(DateTime::FromSeconds(end.seconds() - 3900));
  main_->ShowPage(0);
  EXPECT_EQ(main_->SaleStatus().status, "販売締切まで あと 1時間5分");
  fake_.SetNow(DateTime::FromSeconds(end.seconds() - (2 * 86400 + 3 * 3600)));
  main_->ShowPage(0);
  EXPECT_EQ(main_->SaleStatus().status, "販売締切まで あと 2日 3時間0分");

  main_->Round().SetKaisaikai(1600);  // nothing cached, no schedule
  EXPECT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadResult).enabled);
  EXPECT_FALSE(main_->SaleStatus().visible);
  EXPECT_EQ(main_->StatusText(), " 第 1600 回  [ A組 ] ");

  main_->Round().SetKaisaikai(0);
  fake_.ClearRecords();
  for (Cmd c : {Cmd::kDownloadSchedule, Cmd::kDownloadVote, Cmd::kDownloadResult}) {
    main_->Execute(c);
  }
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>(3, "開催回を設定して下さい"));
}

TEST_F(MainWindowTest, DamagedCacheAndEmptyVotesLeaveTheWindowUsable) {
  // A damaged vote file: the service says so, the round shows without votes.
  dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml", "<投票状況>\r\n<開催回>x");
  dir_.WriteBytes("SysData/minitoto_Schedule/minitoto_schedule_1487_B.xml",
                  std::string(5000, '\0'));
  main_->Round().SetKaisaikai(1487);
  main_->Round().SetKumi("B");
  EXPECT_EQ(main_->Vote().Kaisaikai, 0);
  EXPECT_EQ(main_->StatusText(), " 第 1487 回  [ B組 ] ");
  main_->ShowPage(1);
  EXPECT_EQ(main_->MatchTable().VoteGrid().Text(1, 1), "0.00");

  // A vote status without a single vote: no ranks, no estimates, no failure.
  fake_.ClearRecords();
  main_->Round().SetKumi("A");
  ASSERT_TRUE(OpenSample());
  DocumentRecord doc = main_->BuildDocument();
  for (auto& m : doc.Vote.matches) {
    for (auto& o : m.outcomes) o = VoteOutcome();
  }
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(Path("novotes.tpd"), true, doc, false));
  ASSERT_TRUE(main_->FileLoadTPD(Path("novotes.tpd"), true, true));
  main_->Execute(Cmd::kRun);
  main_->ShowPage(2);
  EXPECT_EQ(main_->SingleList().List().grid().Text(1, 2), "");
  EXPECT_EQ(main_->MatchTable().Graph().Share(1, 0), 0);
  main_->ShowPage(3);
  EXPECT_EQ(main_->CurrentPage(), 3);
}

// A result cache cut short is no result for the check page, and the user
// can fetch the round again over it: the download asks first.
TEST_F(MainWindowTest, CutResultCacheIsNoResultUntilFetchedAgain) {
  const std::string file = "SysData/minitoto_Result/minitoto_result_1487_A.xml";
  const std::string whole = dir_.ReadBytes(file);
  dir_.WriteBytes(file, whole.substr(0, whole.rfind("</", whole.rfind("</minitoto>") - 1)));
  main_->Round().SetKaisaikai(1487);
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"XMLデータが異常です。"});
  EXPECT_EQ(main_->Result().Kaisaikai, 0);
  main_->ShowPage(3);
  EXPECT_FALSE(main_->ResultCheck().Official());
  EXPECT_FALSE(main_->State(Cmd::kShowAllResults).enabled);

  testing::HttpTestServer server;
  testing::PointSettingsAt(server);
  server.SetPage("/result", testing::ReadPage("result_1487.html"));
  // The schedule is cached and usable: No leaves it and asks the site nothing.
  ASSERT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  main_->ShowPage(0);
  main_->Execute(Cmd::kDownloadSchedule);
  EXPECT_EQ(fake_.messages().at(0).text, "キャッシュ済みの開催情報を再ダウンロードしますか？");
  EXPECT_TRUE(server.Requests().empty());

  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kYes);
  main_->Execute(Cmd::kDownloadResult);
  EXPECT_EQ(fake_.messages().at(0).text, "キャッシュ済みのくじ結果を再ダウンロードしますか？");
  EXPECT_EQ(fake_.messages().at(0).buttons, MsgButtons::kYesNo);
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(main_->Result().Kaisaikai, 1487);
  main_->ShowPage(3);
  EXPECT_TRUE(main_->ResultCheck().Official());
  EXPECT_EQ(dir_.ReadBytes(file), whole);
}

}  // namespace
}  // namespace zelvo
