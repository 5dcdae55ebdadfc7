// The three scrapers on the fixture pages, served by the local server to the
// real HTTP client: what each page layout gives, and that every odd page
// ends as "not published" or as a failure, never as a half-read record.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/toto_settings.h"
#include "official/html_pages.h"
#include "official/win_inet.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::ReadPage;
using testing::ShippedBytes;

class OfficialPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedTeamNames(dir_);
    testing::PointSettingsAt(server_);
  }
  std::string Saved(const std::string& path) const {
    return dir_.ReadBytes(path.substr(dir_.path().size() + 1));
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
};

TEST_F(OfficialPagesTest, NormalPagesGiveTheSampleFiles) {
  server_.SetPage("/schedule", ReadPage("schedule_1487.html"));
  server_.SetPage("/result", ReadPage("result_1487.html"));
  for (const char* group : {"A", "B"}) {
    SCOPED_TRACE(group);
    std::string g = group;
    server_.SetPage("/vote", ReadPage("vote_1487_" + g + ".html"));

    clsHtmlSchedule schedule;
    ASSERT_TRUE(schedule.GetSchedule(testing::kSampleRound, g));
    clsXmlSchedule schedule_xml;
    schedule_xml.SetRecord(schedule.Record());
    ASSERT_TRUE(schedule_xml.XmlSave());
    EXPECT_EQ(Saved(clsXmlSchedule::GetFileName(1487, g)),
              ShippedBytes("SysData/minitoto_Schedule/minitoto_schedule_1487_" + g + ".xml"));

    clsHtmlVote vote;
    ASSERT_TRUE(vote.GetVote(testing::kSampleRound, g));
    EXPECT_TRUE(vote.Final());
    clsXmlVote vote_xml;
    vote_xml.SetRecord(vote.Record());
    ASSERT_TRUE(vote_xml.XmlSave());
    EXPECT_EQ(Saved(clsXmlVote::GetFileName(1487, g)),
              ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_" + g + ".xml"));

    clsHtmlResult result;
    ASSERT_TRUE(result.GetResult(testing::kSampleRound, g));
    clsXmlResult result_xml;
    result_xml.SetRecord(result.Record());
    ASSERT_TRUE(result_xml.XmlSave());
    EXPECT_EQ(Saved(clsXmlResult::GetFileName(1487, g)),
              ShippedBytes("SysData/minitoto_Result/minitoto_result_1487_" + g + ".xml"));
  }
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialPagesTest, AddressesCarryTheRoundInFourDigitsAndTheGroupSuffix) {
  clsHtmlSchedule schedule;
  clsHtmlVote vote;
  clsHtmlResult result;
  schedule.GetSchedule(85, "A");
  vote.GetVote(85, "A");
  vote.GetVote(1234, "B");
  result.GetResult(85, "B");
  std::vector<std::string> seen;
  for (const auto& r : server_.Requests()) seen.push_back(r.path + "?" + r.query);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "/schedule?holdCntId=0085", "/vote?holdCntId=0085&commodityId=06",
                      "/vote?holdCntId=1234&commodityId=07", "/result?holdCntId=0085"}));
}

TEST_F(OfficialPagesTest, ProgressWindowStartsWithTheKindLine) {
  WinInetProgressLog log;
  WinInetProgressSink* previous = SetDefaultWinInetProgressSink(&log);
  server_.SetPage("/vote", ReadPage("vote_1487_A.html"));
  clsHtmlVote vote;
  vote.GetVote(1487, "A");
  clsHtmlResult result;
  result.GetResult(1487, "A");
  SetDefaultWinInetProgressSink(previous);
  ASSERT_FALSE(log.lines.empty());
  EXPECT_EQ(log.lines[0], " 第1487回 投票状況情報取得中 (オフィシャル)");
  EXPECT_NE(
      std::find(log.lines.begin(), log.lines.end(), " 第1487回 結果情報取得中 (オフィシャル)"),
      log.lines.end());
}

TEST_F(OfficialPagesTest, CancelledRoundsAndMatches) {
  server_.SetPage("/schedule", ReadPage("schedule_1490_cancel.html"));
  server_.SetPage("/result", ReadPage("result_1490_cancel.html"));
  struct Case {
    const char* group;
    const char* schedule_golden;
    const char* result_golden;
  };
  for (const Case& c : {Case{"A", "minitoto_schedule_1490_A.xml", "minitoto_result_1490_A.xml"},
                        Case{"B", "minitoto_schedule_1490_B.xml", "minitoto_result_1490_B.xml"}}) {
    SCOPED_TRACE(c.group);
    clsHtmlSchedule schedule;
    ASSERT_TRUE(schedule.GetSchedule(1490, c.group));
    clsXmlSchedule sx;
    sx.SetRecord(schedule.Record());
    ASSERT_TRUE(sx.XmlSave());
    auto golden = [](const char* name) {
      return ToCp932(
          ReplaceAll(testing::ReadRepoFile(std::string("tests/official/testdata/golden/") + name),
                     "\n", "\r\n"));
    };
    EXPECT_EQ(Saved(clsXmlSchedule::GetFileName(1490, c.group)), golden(c.schedule_golden));

    clsHtmlResult result;
    ASSERT_TRUE(result.GetResult(1490, c.group));
    clsXmlResult rx;
    rx.SetRecord(result.Record());
    ASSERT_TRUE(rx.XmlSave());
    EXPECT_EQ(Saved(clsXmlResult::GetFileName(1490, c.group)), golden(c.result_golden));
  }
}

TEST_F(OfficialPagesTest, InterimVoteStatusKeepsThePagesTime) {
  server_.SetPage("/vote", ReadPage("vote_1487_A_interim.html"));
  clsHtmlVote vote;
  ASSERT_TRUE(vote.GetVote(1487, "A"));
  EXPECT_FALSE(vote.Final());
  EXPECT_EQ(vote.Record().as_of.ToString(), "2024/06/20 10:00:00");
  EXPECT_EQ(vote.Record().sale_end.ToString(), "2024/06/22 13:50:00");
}

TEST_F(OfficialPagesTest, PagesWithoutTheRoundAreNotPublished) {
  // The schedule page names the round only after its "cannot show" line.
  server_.SetPage("/schedule", ReadPage("schedule_unpublished.html"));
  server_.SetPage("/vote", ReadPage("vote_unpublished.html"));
  server_.SetPage("/result", ReadPage("result_unpublished.html"));
  {
    clsHtmlSchedule schedule;
    EXPECT_FALSE(schedule.GetSchedule(1486, "A"));
    EXPECT_TRUE(schedule.Unpublished());
    clsHtmlVote vote;
    EXPECT_FALSE(vote.GetVote(1486, "A"));
    EXPECT_TRUE(vote.Unpublished());
    clsHtmlResult result;
    EXPECT_FALSE(result.GetResult(1486, "A"));
    EXPECT_TRUE(result.Unpublished());
  }
  // A server's error page without the markers is served as a page.
  for (const char* path : {"/schedule", "/vote", "/result"}) {
    server_.SetPage(path, ReadPage("error_404.html"));
  }
  clsHtmlSchedule schedule;
  EXPECT_FALSE(schedule.GetSchedule(1487, "A"));
  EXPECT_TRUE(schedule.Unpublished());
  clsHtmlVote vote;
  EXPECT_FALSE(vote.GetVote(1487, "A"));
  EXPECT_TRUE(vote.Unpublished());
  clsHtmlResult result;
  EXPECT_FALSE(result.GetResult(1487, "B"));
  EXPECT_TRUE(result.Unpublished());
  // The toto part of a schedule page is not the mini toto part.
  server_.SetPage("/schedule", ReadPage("schedule_1487.html"));
  EXPECT_FALSE(schedule.GetSchedule(1487, "C"));
  EXPECT_TRUE(schedule.Unpublished());
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialPagesTest, EmptyBodiesAndDeadServersAreFailures) {
  for (const char* path : {"/schedule", "/vote", "/result"}) server_.SetPage(path, "");
  clsHtmlSchedule schedule;
  EXPECT_FALSE(schedule.GetSchedule(1487, "A"));
  EXPECT_FALSE(schedule.Unpublished());
  clsHtmlVote vote;
  EXPECT_FALSE(vote.GetVote(1487, "A"));
  EXPECT_FALSE(vote.Unpublished());
  clsHtmlResult result;
  EXPECT_FALSE(result.GetResult(1487, "A"));
  EXPECT_FALSE(result.Unpublished());
  // Nothing listens on port 1 of the loopback address.
  totoSettings().totoOfficialScheduleUrl = "http://127.0.0.1:1/schedule?holdCntId=";
  EXPECT_FALSE(schedule.GetSchedule(1487, "A"));
  EXPECT_FALSE(schedule.Unpublished());
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialPagesTest, MalformedRowsFailTheWalk) {
  clsHtmlSchedule schedule;
  server_.SetPage("/schedule", ReadPage("schedule_1491_match6.html"));
  EXPECT_FALSE(schedule.GetSchedule(1491, "A"));
  EXPECT_FALSE(schedule.Unpublished());
  EXPECT_EQ(schedule.Record().Kaisaikai, 0);

  server_.SetPage("/schedule", ReadPage("schedule_1492_unknown_team.html"));
  EXPECT_FALSE(schedule.GetSchedule(1492, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            "チーム名：ＦＣバルセロナ が見つかりません。\r\n"
            "最新のチーム名データをダウンロードするかチーム名を追加して下さい。");

  fake_.ClearRecords();
  clsHtmlVote vote;
  server_.SetPage("/vote", ReadPage("vote_1494_A_bad_cell.html"));
  EXPECT_FALSE(vote.GetVote(1494, "A"));
  EXPECT_FALSE(vote.Unpublished());
  EXPECT_EQ(vote.Record().Kaisaikai, 0);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialPagesTest, ClubsAbroadAreFoundOrOfferedAllAtOnce) {
  server_.SetPage("/schedule", ReadPage("schedule_1500_overseas.html"));
  {
    // The shipped table knows the ten German clubs, a dotted spelling too.
    clsHtmlSchedule schedule;
    ASSERT_TRUE(schedule.GetSchedule(1500, "A"));
    EXPECT_EQ(schedule.Record().matches[0].away, "ﾄﾞﾙﾄ");
    EXPECT_TRUE(fake_.messages().empty());
  }
  // The edition before it knew no club abroad.
  dir_.WriteCp932("SysData/TeamName2.dat",
                  testing::CrLf({"Version = 1", "Revision = 0", ";[End]"}));
  clsHtmlSchedule schedule;
  std::vector<std::string> offered;
  schedule.UnknownTeams = [&offered](const std::vector<std::string>& names) {
    offered = names;
    return false;
  };
  EXPECT_FALSE(schedule.GetSchedule(1500, "A"));
  EXPECT_EQ(offered.size(), 10u);
  EXPECT_EQ(offered, schedule.UnresolvedTeams());
  EXPECT_TRUE(fake_.messages().empty());
  // The site answers a round it lacks with another round's page: its clubs
  // are neither offered nor named, the page is another round's.
  offered.clear();
  EXPECT_FALSE(schedule.GetSchedule(1501, "A"));
  EXPECT_TRUE(offered.empty());
  EXPECT_EQ(schedule.OtherRound(), 1500);
  EXPECT_FALSE(schedule.Unpublished());
  EXPECT_TRUE(fake_.messages().empty());
}

// Walks over hand-built text lists, for layouts no fixture page needs.
class PageWalkTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::InstallShippedTeamNames(dir_); }
  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

using Texts = std::vector<std::string>;

TEST_F(PageWalkTest, ResultRowsOfOneDayShareTheDateAndStadiumCells) {
  Texts texts = {"第1500回minitoto-A組くじ結果",
                 "2024/07/06",
                 "国立",
                 "1",
                 "柏",
                 "2-1",
                 "湘南",
                 "1",
                 "2",
                 "Ｃ大阪",
                 "0-0",
                 "Ｇ大阪",
                 "0",
                 "2024/07/07",
                 "日産ス",
                 "3",
                 "横浜FM",
                 "1-3",
                 "川崎Ｆ",
                 "2",
                 "4",
                 "京都",
                 "中止",
                 "神戸",
                 "中止",
                 "5",
                 "鹿島",
                 "1-1",
                 "浦和",
                 "0",
                 "販売期間",
                 "販売開始日",
                 "販売終了日",
                 "結果発表日",
                 "2024年06月29日(土)",
                 "2024年07月06日(土)",
                 "2024年07月08日(月)",
                 "払戻日",
                 "払戻開始日",
                 "払戻期限",
                 "2024年07月09日(火)",
                 "2025年07月08日(火)"};
  clsHtmlResult result;
  ASSERT_TRUE(result.ReadTexts(texts, "A"));
  const ResultRecord& r = result.Record();
  EXPECT_EQ(r.matches[1].stadium, "国立");
  EXPECT_EQ(r.matches[1].match_date, DateTime::Date(2024, 7, 6));
  EXPECT_EQ(r.matches[1].result, 0);
  EXPECT_EQ(r.matches[2].home_score, 1);
  EXPECT_EQ(r.matches[2].away_score, 3);
  EXPECT_EQ(r.matches[3].result, kResultCancelled);
  EXPECT_EQ(r.matches[3].home_score, 0);
  EXPECT_EQ(r.matches[4].stadium, "日産ス");
  EXPECT_FALSE(r.cancelled);
  EXPECT_EQ(r.payout_deadline, DateTime::Date(2025, 7, 8));
}

TEST_F(PageWalkTest, OldResultPagesTakeTheSeasonOfTheSale) {
  // The fake clock stands in 2026; the match cells carry no year.
  Texts texts = {"第600回minitoto-A組くじ結果",
                 "10/02",
                 "国立",
                 "1",
                 "柏",
                 "2-1",
                 "湘南",
                 "1",
                 "販売期間",
                 "販売開始日",
                 "販売終了日",
                 "結果発表日",
                 "2010年09月25日(土)",
                 "2010年10月02日(土)",
                 "2010年10月04日(月)"};
  clsHtmlResult result;
  ASSERT_TRUE(result.ReadTexts(texts, "A"));
  EXPECT_EQ(result.Record().matches[0].match_date, DateTime::Date(2010, 10, 2));
}

TEST_F(PageWalkTest, CutShortAndUnreadablePagesFailQuietly) {
  clsHtmlSchedule schedule;
  EXPECT_FALSE(
      schedule.ReadTexts({"第1500回minitoto-A組くじ情報", "1", "07/06", "19:00", "国立"}, "A"));
  EXPECT_FALSE(schedule.Unpublished());
  clsHtmlResult result;
  EXPECT_FALSE(
      result.ReadTexts({"第1500回minitoto-A組くじ結果", "07/06", "国立", "1", "柏", "2-1"}, "A"));
  // A sixth match, or a match row after the fifth, ends the walk.
  EXPECT_FALSE(result.ReadTexts(
      {"第1500回minitoto-A組くじ結果", "07/06", "国立", "6", "柏", "2-1", "湘南", "1"}, "A"));
  clsHtmlVote vote;
  EXPECT_FALSE(vote.ReadTexts({"第1500回", "(07月06日(土)13:50時点)", "1", "柏", "1(2%)"}, "A"));
  EXPECT_FALSE(vote.Unpublished());
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(PageWalkTest, UnconvertibleCellsAreReportedUnderTheScrapersName) {
  clsHtmlSchedule schedule;
  EXPECT_FALSE(schedule.ReadTexts({"第X回minitoto-A組くじ情報"}, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsHtmlSchedule / GetSchedule");
  fake_.ClearRecords();
  clsHtmlResult result;
  EXPECT_FALSE(result.ReadTexts(
      {"第1500回minitoto-A組くじ結果", "07/06", "国立", "1", "柏", "2-1", "湘南", "勝"}, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsHtmlResult / GetResult");
  EXPECT_EQ(result.Record().Kaisaikai, 0);
}

}  // namespace
}  // namespace zelvo
