// The round document: which changes reload what, which downloads keep the
// vote status in hand, and what a round marked as not held allows.
#include "core/round_document.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "files/toto_settings.h"
#include "official/xml_schedule.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using Event = std::pair<int, std::string>;

class RoundDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PointSettingsAt(server_);
    doc_.KaisaikaiChange = [this](int round, const std::string& group) {
      events_.emplace_back(round, group);
    };
  }
  void InstallSample(const std::string& group) {
    for (const char* kind : {"Schedule", "Vote", "Result"}) {
      std::string lower = kind;
      lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
      std::string rel = std::string("SysData/minitoto_") + kind + "/minitoto_" + lower + "_1487_" +
                        group + ".xml";
      dir_.WriteBytes(rel, testing::ShippedBytes(rel));
    }
  }
  int Requests() const { return static_cast<int>(server_.Requests().size()); }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  struct TeamNames {
    explicit TeamNames(const testing::TempProgramDir& dir) {
      testing::InstallShippedTeamNames(dir);
    }
  } team_names_{dir_};
  clsTMain doc_;
  std::vector<Event> events_;
};

TEST_F(RoundDocumentTest, InitializeSetsUpTheControlsWithoutARefresh) {
  doc_.SetKaisaikai(1487);  // ignored before Initialize
  doc_.Initialize();
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(doc_.RoundEntry().Text(), "0");
  EXPECT_EQ(doc_.GroupList().ListCount(), 2);
  EXPECT_EQ(doc_.GroupList().List(0), "Ａ組");
  EXPECT_EQ(doc_.GroupList().List(1), "Ｂ組");
  EXPECT_EQ(doc_.GroupList().ListIndex(), 0);
  EXPECT_EQ(doc_.Kumi(), "A");
  // The box holds the round within 0 to 9999.
  doc_.RoundEntry().SetText("12345");
  EXPECT_EQ(doc_.Kaisaikai(), 9999);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(RoundDocumentTest, RoundAndGroupChangesReloadEverything) {
  InstallSample("A");
  InstallSample("B");
  doc_.Initialize();
  doc_.SetKaisaikai(1487);
  ASSERT_EQ(events_, (std::vector<Event>{{1487, "A"}}));
  EXPECT_EQ(doc_.Schedule().matches[0].home, "鹿島");
  EXPECT_EQ(doc_.Vote().matches[0].home, "鹿島");
  EXPECT_EQ(doc_.Result().matches[0].home, "鹿島");

  doc_.SetKumi("B");
  EXPECT_EQ(events_.back(), Event(1487, "B"));
  EXPECT_EQ(doc_.Schedule().matches[0].home, "柏");
  EXPECT_EQ(doc_.Vote().matches[0].home, "柏");
  EXPECT_EQ(doc_.Result().matches[0].home, "柏");

  size_t before = events_.size();
  doc_.SetKumi("C");
  doc_.SetKumi("B");  // already selected
  EXPECT_EQ(events_.size(), before);
  EXPECT_EQ(doc_.Kumi(), "B");

  // Typing a round with nothing cached empties every record.
  doc_.RoundEntry().SetText("1488");
  EXPECT_EQ(events_.back(), Event(1488, "B"));
  EXPECT_EQ(doc_.Schedule().Kaisaikai, 0);
  EXPECT_EQ(doc_.Vote().Kaisaikai, 0);
  EXPECT_EQ(doc_.Result().Kaisaikai, 0);
  EXPECT_FALSE(doc_.CheckScheduleFile());
  doc_.SetKaisaikai(1487);
  EXPECT_TRUE(doc_.CheckScheduleFile());
  EXPECT_TRUE(doc_.CheckVoteFile());
  EXPECT_TRUE(doc_.CheckResultFile());
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(Requests(), 0);
}

TEST_F(RoundDocumentTest, ADownloadedVoteStatusSurvivesOtherDownloadsButNotARoundChange) {
  server_.SetPage("/schedule", testing::ReadPage("schedule_1487.html"));
  server_.SetPage("/vote", testing::ReadPage("vote_1487_A_interim.html"));
  server_.SetPage("/result", testing::ReadPage("result_1487.html"));
  doc_.Initialize();
  doc_.SetKaisaikai(1487);
  events_.clear();

  doc_.GetVote(false);
  ASSERT_EQ(events_, (std::vector<Event>{{1487, "A"}}));
  // Interim: in hand, not cached, kept through the reload.
  EXPECT_FALSE(doc_.CheckVoteFile());
  EXPECT_EQ(doc_.Vote().as_of.ToString(), "2024/06/20 10:00:00");

  doc_.GetSchedule(false);
  doc_.GetResult(false);
  EXPECT_EQ(events_.size(), 3u);
  EXPECT_EQ(doc_.Schedule().matches[1].home, "浦和");
  EXPECT_EQ(doc_.Result().matches[1].result, 0);
  EXPECT_EQ(doc_.Vote().as_of.ToString(), "2024/06/20 10:00:00");

  doc_.SetKumi("B");
  EXPECT_EQ(doc_.Vote().Kaisaikai, 0);
  doc_.SetKumi("A");
  EXPECT_EQ(doc_.Vote().Kaisaikai, 0);
  EXPECT_EQ(doc_.Schedule().matches[1].home, "浦和");  // cached by the download
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(RoundDocumentTest, FailedDownloadsTellTheUserAndChangeNothing) {
  InstallSample("A");
  doc_.Initialize();
  doc_.SetKaisaikai(1487);
  RemoveFile(clsXmlSchedule::GetFileName(1487, "A"));
  events_.clear();
  server_.SetPage("/schedule", "");
  doc_.GetSchedule(false);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(doc_.Schedule().matches[0].home, "鹿島");
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "インターネットよりダウンロードに失敗しました。");
  EXPECT_EQ(fake_.messages()[0].title, " 開催情報");

  // Refused: no message after the question.
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  doc_.GetSchedule(true);
  EXPECT_EQ(fake_.messages().size(), 1u);
  EXPECT_TRUE(events_.empty());
}

TEST_F(RoundDocumentTest, ARoundMarkedNotHeldDownloadsNothing) {
  doc_.Initialize();
  fake_.QueueAnswer(MsgAnswer::kYes);
  ASSERT_TRUE(doc_.ScheduleService().XmlSave_NoGame(1490, "A"));
  fake_.ClearRecords();
  doc_.SetKaisaikai(1490);
  EXPECT_TRUE(doc_.NoGame());
  EXPECT_EQ(doc_.Schedule().Kaisaikai, 0);
  events_.clear();
  doc_.GetSchedule(true);
  doc_.GetVote(true);
  doc_.GetResult(true);
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(Requests(), 0);
  doc_.SetKumi("B");
  EXPECT_FALSE(doc_.NoGame());
}

TEST_F(RoundDocumentTest, OldVoteFileReplacesTheVoteStatusAndRefreshes) {
  doc_.Initialize();
  doc_.SetKaisaikai(1487);
  events_.clear();
  EXPECT_FALSE(doc_.GetOldVoteFile(1487, DateTime::Date(2024, 6, 22)));
  EXPECT_TRUE(events_.empty());
  dir_.WriteBytes("vote_1487_2024-06-22.xml",
                  testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"));
  EXPECT_TRUE(doc_.GetOldVoteFile(1487, DateTime::Date(2024, 6, 22)));
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_EQ(doc_.Vote().Kaisaikai, 1487);
}

TEST_F(RoundDocumentTest, ScheduleInitializeReadsChangedTeamNames) {
  server_.SetPage("/schedule", testing::ReadPage("schedule_1492_unknown_team.html"));
  doc_.Initialize();
  doc_.SetKaisaikai(1492);
  doc_.GetSchedule(false);
  EXPECT_EQ(doc_.Schedule().Kaisaikai, 0);
  EXPECT_EQ(fake_.messages().size(), 2u);  // the unknown team, the failure

  dir_.WriteCp932("SysData/TeamName3.dat",
                  testing::CrLf({";Pendralcove TeamName User Data File (TeamName3.dat)",
                                 "バルサ    = ＦＣバルセロナ"}));
  doc_.GetSchedule(false);  // the old service still has the old tables
  EXPECT_EQ(doc_.Schedule().Kaisaikai, 0);
  doc_.ScheduleInitialize();
  fake_.ClearRecords();
  doc_.GetSchedule(false);
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(doc_.Schedule().matches[2].away, "バルサ");
}

}  // namespace
}  // namespace zelvo
