// The download and show commands, driven through RunCli against the local
// server with the settings file pointing at it.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
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

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliOfficialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedTeamNames(dir_);
    testing::WriteSettingsFor(dir_, server_);
    server_.SetPage("/schedule", testing::ReadPage("schedule_1487.html"));
    server_.SetPage("/vote", testing::ReadPage("vote_1487_A.html"));
    server_.SetPage("/result", testing::ReadPage("result_1487.html"));
  }
  int Run(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    out_.str("");
    err_.str("");
    return RunCli(args, in, out_, err_);
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  std::ostringstream out_, err_;
};

TEST_F(CliOfficialTest, DownloadsIntoTheCacheAndShowsIt) {
  ASSERT_EQ(Run({"download", "schedule", "1487", "A", "--yes"}), 0) << err_.str();
  EXPECT_TRUE(Has(out_.str(), "第1487回 開催情報取得中 (オフィシャル)\n"));
  EXPECT_TRUE(Has(out_.str(), "[コネクション開始]\n"));
  EXPECT_TRUE(Has(out_.str(),
                  "Schedule 1487 A: downloaded and cached in "
                  "SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml\n"));
  EXPECT_TRUE(FileExists(clsXmlSchedule::GetFileName(1487, "A")));
  ASSERT_EQ(Run({"download", "vote", "1487", "A"}, "y\n"), 0) << err_.str();
  EXPECT_TRUE(
      Has(err_.str(), "インターネットより 投票状況 をダウンロードします。よろしいですか？"));
  ASSERT_EQ(Run({"download", "result", "1487", "A", "--yes"}), 0) << err_.str();

  // A second download finds the file and asks nothing.
  server_.ClearRequests();
  ASSERT_EQ(Run({"download", "schedule", "1487", "A"}), 0);
  EXPECT_TRUE(Has(out_.str(), "Schedule 1487 A: already cached in"));
  EXPECT_EQ(server_.Requests().size(), 0u);

  ASSERT_EQ(Run({"show", "1487", "A"}), 0);
  const std::string& shown = out_.str();
  EXPECT_TRUE(Has(shown, "Round 1487 group A\nSchedule\n"));
  EXPECT_TRUE(Has(shown, "カシマ"));
  EXPECT_TRUE(Has(shown, "Vote status as of 2024/06/22 13:50:00\n"));
  EXPECT_TRUE(Has(shown, "95,428 (44.94%)"));
  EXPECT_TRUE(Has(shown, "Sales    21,234,500 yen (multi 12,345,600, single 8,888,900)\n"));
  EXPECT_TRUE(Has(shown, "Prize 5,237 yen, winners 2,027, carryover 0 yen\n"));
  ASSERT_EQ(Run({"show", "1487", "B"}), 0);
  EXPECT_TRUE(
      Has(out_.str(), "Schedule: not cached\nVote status: not cached\nResult: not cached\n"));
}

TEST_F(CliOfficialTest, RefusalsInterimFiguresAndUnpublishedRounds) {
  ASSERT_EQ(Run({"download", "vote", "1487", "A"}, "n\n"), 1);
  EXPECT_TRUE(Has(out_.str(), "Vote status 1487 A: download cancelled\n"));
  EXPECT_EQ(server_.Requests().size(), 0u);

  server_.SetPage("/vote", testing::ReadPage("vote_1487_A_interim.html"));
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes"}), 0);
  EXPECT_TRUE(Has(out_.str(), "Vote status 1487 A: downloaded (not cached)\n"));
  EXPECT_TRUE(Has(out_.str(), "interim figures as of 2024/06/20 10:00:00"));
  EXPECT_FALSE(FileExists(clsXmlVote::GetFileName(1487, "A")));

  server_.SetPage("/result", testing::ReadPage("result_unpublished.html"));
  ASSERT_EQ(Run({"download", "result", "1488", "B", "--yes"}), 1);
  EXPECT_TRUE(Has(err_.str(), "第1488回 くじ結果は発表されていません。"));
  server_.SetPage("/schedule", "");
  ASSERT_EQ(Run({"download", "schedule", "1488", "B", "--yes"}), 1);
  EXPECT_TRUE(Has(err_.str(), "インターネットよりダウンロードに失敗しました。"));
}

TEST_F(CliOfficialTest, UnknownClubsAreListedThenAddedTogether) {
  dir_.WriteCp932("SysData/TeamName2.dat",
                  testing::CrLf({"Version = 1", "Revision = 0", ";[End]"}));
  server_.SetPage("/schedule", testing::ReadPage("schedule_1500_overseas.html"));
  const std::string schedule = clsXmlSchedule::GetFileName(1500, "A");
  const std::string user_table = dir_.SysData("TeamName3.dat");

  ASSERT_EQ(Run({"download", "schedule", "1500", "A", "--yes"}, "n\n"), 1);
  EXPECT_TRUE(Has(err_.str(), "  1  ﾊﾞｲｴﾙﾝ = バイエルンミュンヘン\n"));
  EXPECT_TRUE(Has(err_.str(), "  10  ﾏｲﾝﾂ = マインツ\n"));
  EXPECT_FALSE(FileExists(user_table));
  EXPECT_FALSE(FileExists(schedule));

  // A row number edits that row's short name; the list comes again.
  ASSERT_EQ(Run({"download", "schedule", "1500", "A", "--yes"}, "2\nﾄﾞﾙﾄ\ny\n"), 0) << err_.str();
  EXPECT_TRUE(Has(err_.str(), "  2  ﾄﾞﾙﾄ = ボルシア・ドルトムント\n"));
  EXPECT_TRUE(Has(out_.str(), "Schedule 1500 A: downloaded and cached in"));
  EXPECT_TRUE(Has(FromCp932(dir_.ReadBytes("SysData/TeamName3.dat")),
                  "\r\nﾄﾞﾙﾄ   = ボルシア・ドルトムント\r\n"));

  // For scripts: the suggestions as they are, nothing read from the input.
  ASSERT_TRUE(RemoveFile(schedule));
  ASSERT_TRUE(RemoveFile(user_table));
  ASSERT_EQ(Run({"download", "schedule", "1500", "A", "--yes", "--add-teams"}), 0) << err_.str();
  EXPECT_TRUE(FileExists(schedule));
  EXPECT_TRUE(Has(FromCp932(dir_.ReadBytes("SysData/TeamName3.dat")),
                  "\r\nﾎﾞﾙｼｱ･ = ボルシア・ドルトムント\r\n"));
  EXPECT_EQ(Run({"download", "vote", "1500", "A", "--add-teams"}), 64);
}

// Another group's page is refused; another group's file cached under the
// round's name is named and is no data: a usable page replaces it, with or
// without --refresh, and only a usable page does.
TEST_F(CliOfficialTest, RefreshFetchesAgainOverTheCache) {
  const std::string path = clsXmlVote::GetFileName(1487, "A");
  server_.SetPage("/vote", testing::ReadPage("vote_1487_B.html"));
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes"}), 1);
  EXPECT_TRUE(Has(out_.str(), "Vote status 1487 A: nothing usable\n"));
  EXPECT_FALSE(FileExists(path));

  const std::string wrong = testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml");
  dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml", wrong);
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes", "--refresh"}), 1);
  EXPECT_TRUE(Has(out_.str(), "the cached file is kept\n"));
  EXPECT_EQ(dir_.ReadBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"), wrong);

  EXPECT_TRUE(
      Has(err_.str(),
          "このファイルは第1487回B組のデータです（第1487回A組のファイルとしては使えません）。"));

  server_.SetPage("/vote", testing::ReadPage("vote_1487_A.html"));
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes"}), 0) << err_.str();
  EXPECT_TRUE(Has(out_.str(), ", replacing the file it held\n"));
  EXPECT_EQ(dir_.ReadBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"),
            testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"));
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes"}), 0);
  EXPECT_TRUE(Has(out_.str(), "already cached in"));
  ASSERT_EQ(Run({"download", "vote", "1487", "A", "--yes", "--refresh"}), 0) << err_.str();
  EXPECT_TRUE(Has(out_.str(), ", replacing the file it held\n"));
}

TEST_F(CliOfficialTest, BadArgumentsShowTheUsage) {
  EXPECT_EQ(Run({"download", "odds", "1487", "A"}), 64);
  EXPECT_EQ(Run({"download", "vote", "0", "A"}), 64);
  EXPECT_EQ(Run({"download", "vote", "1487", "C"}), 64);
  EXPECT_EQ(Run({"show", "1487"}), 64);
  EXPECT_TRUE(Has(err_.str(), "usage: zelvomini-cli show ROUND GROUP"));
}

}  // namespace
}  // namespace zelvo
