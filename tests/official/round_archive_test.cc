// The archive download against made-up round pages on the local server: what
// is fetched, what is recorded as having no data and never asked again, the
// retry of a failed page, and a stopped run that a second run completes.
#include <gtest/gtest.h>

#include "official/round_archive.h"
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

// A page of the sample round 1487 renumbered as another round.
std::string Renumbered(const std::string& page, int round) {
  return ReplaceAll(ReadPage(page), "1487", std::to_string(round));
}

class RoundArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedTeamNames(dir_);
    testing::PointSettingsAt(server_);
    // 1487 and 1488 are complete; 1489 is no mini toto round; 1490 has no
    // result yet.
    for (int round : {1487, 1488, 1490}) {
      std::string r = std::to_string(round);
      server_.SetPage("/schedule?holdCntId=" + r, Renumbered("schedule_1487.html", round));
      server_.SetPage("/vote?holdCntId=" + r + "&commodityId=06",
                      Renumbered("vote_1487_A.html", round));
    }
    for (int round : {1487, 1488}) {
      server_.SetPage("/result?holdCntId=" + std::to_string(round),
                      Renumbered("result_1487.html", round));
    }
    server_.SetPage("/schedule?holdCntId=1489", ReadPage("schedule_unpublished.html"));
    server_.SetPage("/result?holdCntId=1490", ReadPage("result_unpublished.html"));
    options_.from = 1487;
    options_.to = 1490;
    options_.groups = {"A"};
    options_.pause_ms = 0;
  }
  int Asked(const std::string& target) const {
    int n = 0;
    for (const auto& r : server_.Requests()) n += (r.path + "?" + r.query) == target;
    return n;
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  ArchiveDownloadOptions options_;
};

TEST_F(RoundArchiveTest, FetchesWhatIsPublishedAndRecordsTheRest) {
  ArchiveDownload download;
  ArchiveDownloadReport report = download.Run(options_);
  EXPECT_EQ(report.total, 4);
  EXPECT_EQ(report.done, 4);
  EXPECT_EQ(report.fetched, 8);
  EXPECT_TRUE(report.failures.empty());
  ASSERT_EQ(report.no_data.size(), 2u);
  EXPECT_EQ(report.no_data[0].round, 1489);
  EXPECT_EQ(report.no_data[0].kind, ArchiveKind::kSchedule);
  EXPECT_EQ(report.no_data[1].round, 1490);
  EXPECT_EQ(report.no_data[1].kind, ArchiveKind::kResult);
  // A round without a schedule is not asked for its votes or result.
  EXPECT_EQ(Asked("/vote?holdCntId=1489&commodityId=06"), 0);
  EXPECT_EQ(Asked("/result?holdCntId=1489"), 0);

  std::vector<ArchivedRound> rounds = LoadArchive(0, 0, {"A", "B"});
  ASSERT_EQ(rounds.size(), 2u);
  EXPECT_EQ(rounds[1].result.Kaisaikai, 1488);
  std::vector<CachedRound> listed = ListCachedRounds(true);
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_TRUE(listed[0].Complete());
  EXPECT_FALSE(listed[2].Complete());
  EXPECT_TRUE(listed[2].vote_usable);
  EXPECT_FALSE(listed[2].result);
}

TEST_F(RoundArchiveTest, AFailedPageIsTriedAgainAtTheEnd) {
  testing::HttpRoute broken;
  broken.status = 500;
  broken.body = "busy";
  server_.SetRoute("/result?holdCntId=1487", broken);
  ArchiveDownload download;
  download.on_event = [this](const ArchiveEvent& e) {
    if (e.what == ArchiveEvent::What::kFailed) {
      server_.SetPage("/result?holdCntId=1487", Renumbered("result_1487.html", 1487));
    }
  };
  ArchiveDownloadReport report = download.Run(options_);
  EXPECT_EQ(report.fetched, 8);
  EXPECT_TRUE(report.failures.empty());
  EXPECT_EQ(Asked("/result?holdCntId=1487"), 2);
  EXPECT_TRUE(FileExists(clsXmlResult::GetFileName(1487, "A")));
}

TEST_F(RoundArchiveTest, AStoppedRunKeepsWhatItFetchedAndASecondRunGoesOn) {
  int requests = 0;
  ArchiveDownload first;
  first.on_event = [&requests](const ArchiveEvent&) { ++requests; };
  first.stop_requested = [&requests] { return requests >= 4; };
  ArchiveDownloadReport stopped = first.Run(options_);
  EXPECT_TRUE(stopped.interrupted);
  EXPECT_EQ(stopped.fetched, 4);
  EXPECT_TRUE(FileExists(clsXmlSchedule::GetFileName(1488, "A")));
  EXPECT_FALSE(FileExists(clsXmlVote::GetFileName(1488, "A")));

  server_.ClearRequests();
  ArchiveDownload second;
  ArchiveDownloadReport rest = second.Run(options_);
  EXPECT_FALSE(rest.interrupted);
  EXPECT_EQ(rest.cached, 4);
  EXPECT_EQ(rest.fetched, 4);
  EXPECT_EQ(Asked("/schedule?holdCntId=1487"), 0);
  EXPECT_EQ(LoadArchive(0, 0, {"A"}).size(), 2u);
}

}  // namespace
}  // namespace zelvo
