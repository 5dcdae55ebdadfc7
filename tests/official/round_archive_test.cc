// The archive download against made-up round pages on the local server: what
// is fetched, what is recorded as having no data and never asked again, the
// retry of a failed page, and a stopped run that a second run completes.
#include "official/round_archive.h"

#include <gtest/gtest.h>

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
  std::string Relative(const std::string& path) const {
    return path.substr(dir_.path().size() + 1);
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

  std::vector<ArchivedRound> rounds = LoadArchive(0, 0, {"A", "B"}).rounds;
  ASSERT_EQ(rounds.size(), 2u);
  EXPECT_EQ(rounds[1].result.Kaisaikai, 1488);
  std::vector<CachedRound> listed = ListCachedRounds();
  ASSERT_EQ(listed.size(), 3u);
  EXPECT_TRUE(listed[0].Complete());
  EXPECT_FALSE(listed[2].Complete());
  EXPECT_TRUE(listed[2].File(ArchiveKind::kVote).Usable());
  EXPECT_FALSE(listed[2].File(ArchiveKind::kResult).Present());
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
  EXPECT_EQ(LoadArchive(0, 0, {"A"}).rounds.size(), 2u);
}

// A file the cache cannot use is no data: a usable page takes its place and
// the run says it fetched it; a page that cannot replace it is a failure,
// and the file stays.  Every kind, every way a file can be unusable.
TEST_F(RoundArchiveTest, AFileTheCacheCannotUseIsReplacedOrTheRunFails) {
  ArchiveDownload{}.Run(options_);
  const std::string vote_1488 = dir_.ReadBytes(Relative(clsXmlVote::GetFileName(1488, "A")));
  const std::string result_1488 = dir_.ReadBytes(Relative(clsXmlResult::GetFileName(1488, "A")));
  auto as_1487 = [](const std::string& bytes) { return ReplaceAll(bytes, "1488", "1487"); };
  const std::vector<std::pair<std::string, std::string>> unusable = {
      {clsXmlSchedule::GetFileName(1487, "A"), "<minitoto>\r\n<開催>\r\n<開催回>14"},  // cut
      {clsXmlVote::GetFileName(1487, "A"), vote_1488},  // another round's
      {clsXmlResult::GetFileName(1487, "A"),            // the other group's
       ReplaceAll(as_1487(result_1488), ToCp932("<組>A</組>"), ToCp932("<組>B</組>"))}};
  for (const auto& [path, bytes] : unusable) dir_.WriteBytes(Relative(path), bytes);

  options_.to = 1487;
  std::vector<ArchiveEvent> events;
  ArchiveDownload again;
  again.on_event = [&events](const ArchiveEvent& e) { events.push_back(e); };
  ArchiveDownloadReport report = again.Run(options_);
  EXPECT_EQ(report.fetched, 3);
  EXPECT_EQ(report.cached, 0);
  ASSERT_EQ(events.size(), 3u);
  for (const ArchiveEvent& e : events) {
    EXPECT_EQ(e.what, ArchiveEvent::What::kFetched) << ArchiveKindName(e.kind);
    EXPECT_EQ(e.note, "replaced an unusable cached file");
  }
  ASSERT_EQ(LoadArchive(1487, 1487, {"A"}).rounds.size(), 1u);
  EXPECT_TRUE(LoadArchive(1487, 1487, {"A"}).left_out.empty());

  // A page that cannot replace a file failing its check (sale start after
  // its end): failed, the file kept.
  const std::string failing =
      ReplaceAll(as_1487(vote_1488), ToCp932("<販売開始日>2024"), ToCp932("<販売開始日>2025"));
  dir_.WriteBytes(Relative(clsXmlVote::GetFileName(1487, "A")), failing);
  server_.SetPage(
      "/vote?holdCntId=1487&commodityId=06",
      ReplaceAll(Renumbered("vote_1487_A.html", 1487), "2024年06月15日", "2099年06月15日"));
  report = ArchiveDownload{}.Run(options_);
  EXPECT_EQ(report.fetched, 0);
  ASSERT_EQ(report.failures.size(), 1u);
  EXPECT_EQ(report.failures[0].kind, ArchiveKind::kVote);
  EXPECT_EQ(dir_.ReadBytes(Relative(clsXmlVote::GetFileName(1487, "A"))), failing);
}

// The site's answer to a round it does not know is another round's page:
// no data for the round, named as what it is, and never cached.
TEST_F(RoundArchiveTest, AnotherRoundsPageIsNoDataNamedAsSuch) {
  server_.SetPage("/schedule?holdCntId=1491", Renumbered("schedule_1487.html", 1490));
  options_.from = options_.to = 1491;
  ArchiveDownloadReport report = ArchiveDownload{}.Run(options_);
  ASSERT_EQ(report.no_data.size(), 1u);
  EXPECT_EQ(report.no_data[0].other_round, 1490);
  EXPECT_EQ(report.no_data[0].note, "the site answered with round 1490's page");
  EXPECT_TRUE(ListCachedRounds().empty());
}

}  // namespace
}  // namespace zelvo
