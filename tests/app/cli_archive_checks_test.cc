// The archive commands over a cache holding a real round, a copy of a
// made-up one and a file copied over another round's name: archive list,
// backtest and show keep fiction apart from history and name what they
// leave out; archive download replaces a file the cache cannot use.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/text.h"
#include "tests/app/cli_fixture.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"

namespace zelvo {
namespace {

constexpr const char* kKinds[] = {"Schedule/minitoto_schedule_", "Vote/minitoto_vote_",
                                  "Result/minitoto_result_"};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliArchiveChecksTest : public testing::CliTest {
 protected:
  void SetUp() override {
    testing::CliTest::SetUp();
    testing::InstallShippedTeamNames(dir_);
    // The sample archive: the sample round 1487 and one made-up round.
    for (const char* kind : kKinds) {
      for (const char* name : {"1487_A", "1487_B"}) {
        Ship("SysData/minitoto_", "SampleArchive/minitoto_", kind, name);
      }
      Ship("SampleArchive/minitoto_", "SampleArchive/minitoto_", kind, "9001_A");
      // The cache: 1487 B as shipped, 1487 A as real data (the same records
      // in another layout, so no copy of the sample's bytes).
      Ship("SysData/minitoto_", "SysData/minitoto_", kind, "1487_B");
      const std::string a = std::string("SysData/minitoto_") + kind + "1487_A.xml";
      dir_.WriteBytes(a, ReplaceAll(testing::ShippedBytes(a), "\r\n<", "\r\n <"));
    }
    // Group B's vote status copied over round 1490 A's name.
    dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1490_A.xml",
                    testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml"));
  }
  void Ship(const std::string& from, const std::string& to, const char* kind,
            const std::string& name) {
    dir_.WriteBytes(to + kind + name + ".xml", testing::ShippedBytes(from + kind + name + ".xml"));
  }
  std::string Strategy() const {
    return std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/sample-guarantee.tpd";
  }
};

TEST_F(CliArchiveChecksTest, ListNamesMadeUpRoundsAndFilesTheCacheCannotUse) {
  ASSERT_EQ(Run({"archive", "list"}), 0) << err_.str();
  const std::string& out = out_.str();
  EXPECT_TRUE(
      Has(out, " 1487 A     schedule          vote              result            complete\n"));
  EXPECT_TRUE(
      Has(out, " 1487 B     schedule          vote              result            made up\n"));
  EXPECT_TRUE(Has(out, " 1490 A     -                 vote(unusable)    -                 \n"));
  EXPECT_TRUE(Has(out, "3 rounds and groups in the cache, 1 complete"));
  EXPECT_TRUE(Has(out, "1 of them are copies of the shipped made-up rounds"));
  EXPECT_TRUE(Has(out,
                  "Left out (1 files the cache cannot use):\n"
                  "  SysData/minitoto_Vote/minitoto_vote_1490_A.xml holds round 1487 group B, "
                  "not its own\n"));

  ASSERT_EQ(Run({"archive", "list", "--sample"}), 0);
  EXPECT_TRUE(Has(out_.str(),
                  "The made-up sample rounds (made up for trying the program, not "
                  "history)\n"));
  EXPECT_TRUE(Has(out_.str(),
                  " 9001 A     schedule          vote              result            "
                  "made up\n"));
  EXPECT_TRUE(Has(out_.str(), "3 made-up rounds and groups"));
  EXPECT_EQ(Run({"archive", "list", "--real"}), 64);
}

TEST_F(CliArchiveChecksTest, BacktestReplaysTheRealRoundsOrSaysTheyAreMadeUp) {
  ASSERT_EQ(Run({"backtest", Strategy(), "--rounds", "1487-1490"}), 0) << err_.str();
  EXPECT_TRUE(Has(err_.str(),
                  "\nleft out: SysData/minitoto_Vote/minitoto_vote_1490_A.xml holds round 1487 "
                  "group B, not its own\n"));
  EXPECT_TRUE(Has(out_.str(), "Rounds: the cache's; 1 copies of the made-up rounds left out"));
  EXPECT_TRUE(Has(out_.str(), "\n 1487 A "));
  EXPECT_FALSE(Has(out_.str(), "\n 1487 B "));
  EXPECT_TRUE(Has(out_.str(), "\nRounds: 1\n"));

  ASSERT_EQ(Run({"backtest", Strategy(), "--sample", "--rounds", "9001", "--csv", Path("t.csv")}),
            0)
      << err_.str();
  EXPECT_TRUE(Has(dir_.ReadBytes("t.csv"), ",popularity3,made_up\r\n9001,A,"));
  EXPECT_TRUE(dir_.ReadBytes("t.csv").ends_with(",1\r\n"));
  EXPECT_TRUE(Has(out_.str(),
                  "Rounds: the made-up sample rounds (made up for trying the program, "
                  "not history)\n"));
  EXPECT_TRUE(Has(out_.str(), "\n 9001 A "));
  EXPECT_TRUE(Has(out_.str(), "\nRounds: 1 made up\n"));

  // Without a real complete round the made-up rounds stand in, and say so.
  dir_.WriteBytes("SysData/minitoto_Result/minitoto_result_1487_A.xml", "");
  ASSERT_EQ(Run({"backtest", Strategy(), "--group", "A"}), 0) << err_.str();
  EXPECT_TRUE(Has(out_.str(), "; the cache holds no real complete round\n"));
  EXPECT_TRUE(Has(out_.str(), "\nRounds: 2 made up\n"));
}

TEST_F(CliArchiveChecksTest, TheModelsBacktestNamesTheHistoryItLeftOut) {
  std::filesystem::copy(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/History",
                        dir_.path() + "/History", std::filesystem::copy_options::recursive);
  dir_.WriteBytes("History/2099_allmatch_result-J1.csv",
                  ",match_date,section_no,match_index_in_section,start_time,stadium,home_team,"
                  "home_goal,away_goal,away_team,status,broadcast,attendance\n0,\"2099/02/25\n");
  ASSERT_EQ(Run({"backtest", Strategy(), "--sample", "--rounds", "9001", "--probs", "model"}), 0)
      << err_.str();
  EXPECT_TRUE(Has(out_.str(), "Own probabilities: the goal model's, fitted before each round on "
                              "the matches before its first match day (1 of 1 rounds;"));
  EXPECT_TRUE(Has(err_.str(), "history left out: "));
  EXPECT_TRUE(Has(err_.str(), "2099_allmatch_result-J1.csv: line 2: a quoted field is not closed"));
}

TEST_F(CliArchiveChecksTest, ShowNamesAMadeUpRoundWhereverItComesFrom) {
  const std::string made_up = "A shipped sample round: made up for trying the program, not history";
  ASSERT_EQ(Run({"show", "1487", "B"}), 0);
  EXPECT_TRUE(Has(out_.str(), "Round 1487 group B\n" + made_up + "\nSchedule\n"));
  ASSERT_EQ(Run({"show", "9001", "A"}), 0);
  EXPECT_TRUE(Has(out_.str(), made_up + " (from the sample archive; not in the cache)\n"));
  EXPECT_TRUE(Has(out_.str(), "Vote status as of "));
  ASSERT_EQ(Run({"show", "1487", "A"}), 0);
  EXPECT_FALSE(Has(out_.str(), made_up));
  // The misfiled file is named and is no data of its round.
  EXPECT_EQ(Run({"show", "1490", "A"}), 1);
  EXPECT_TRUE(Has(out_.str(), "Vote status: cached file unusable\n"));
  EXPECT_TRUE(Has(err_.str(), "このファイルは第1487回B組のデータです"));
}

// A usable page takes the place of a file the cache cannot use and the run
// says so; a page that cannot is a failure, exit 1, and the file stays.  A
// page of another round is told as that.
TEST_F(CliArchiveChecksTest, DownloadReplacesAnUnusableFileOrFails) {
  testing::HttpTestServer server;
  testing::WriteSettingsFor(dir_, server);
  const std::string page = ReplaceAll(testing::ReadPage("vote_1487_A.html"), "1487", "1490");
  server.SetPage("/schedule", ReplaceAll(testing::ReadPage("schedule_1487.html"), "1487", "1490"));
  server.SetPage("/vote", page);
  server.SetPage("/result", ReplaceAll(testing::ReadPage("result_1487.html"), "1487", "1490"));
  const std::vector<std::string> args = {"archive", "download", "1490", "1490", "--group",
                                         "A",       "--pause",  "0",    "--yes"};
  ASSERT_EQ(Run(args), 0) << err_.str();
  EXPECT_TRUE(Has(out_.str(), "1490 A vote: fetched (replaced an unusable cached file)\n"));
  EXPECT_TRUE(Has(out_.str(), "3 files fetched, 0 already cached"));

  const std::string failing = "<minitoto>\r\n";
  dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1490_A.xml", failing);
  server.SetPage("/vote", ReplaceAll(page, "2024年06月15日", "2099年06月15日"));
  EXPECT_EQ(Run(args), 1);
  EXPECT_TRUE(Has(out_.str(),
                  "Failed (1), run the same range again later:\n"
                  "  1490 A vote (download failed)\n"));
  EXPECT_EQ(dir_.ReadBytes("SysData/minitoto_Vote/minitoto_vote_1490_A.xml"), failing);

  // The site's page of another round is told as that, on every path.
  EXPECT_EQ(Run({"download", "result", "1491", "A", "--yes"}), 1);
  EXPECT_TRUE(Has(out_.str(), "Result 1491 A: the site answered with round 1490's page\n"));
  EXPECT_TRUE(Has(err_.str(), "公式サイトは第1491回ではなく第1490回のくじ結果を返しました。"));
  EXPECT_EQ(Run({"archive", "download", "1491", "1491", "--group", "A", "--pause", "0", "--yes"}),
            0);
  EXPECT_TRUE(
      Has(out_.str(), "1491 A schedule: no data (the site answered with round 1490's page)\n"));
}

}  // namespace
}  // namespace zelvo
