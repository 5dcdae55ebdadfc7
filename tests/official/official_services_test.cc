// The schedule, vote status and result services: the cache first, the
// question before a download, what is cached and what never is, and the
// messages that tell the user why nothing came.
#include <gtest/gtest.h>

#include "official/record_checks.h"
#include "official/services.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::ReadPage;

class OfficialServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::PointSettingsAt(server_);
    schedule_.Initialize();
    vote_.Initialize();
    result_.Initialize();
  }
  std::string Relative(const std::string& path) const {
    return path.substr(dir_.path().size() + 1);
  }
  std::string Bytes(const std::string& path) const { return dir_.ReadBytes(Relative(path)); }
  void InstallSample(const std::string& cache_path, const std::string& shipped) {
    dir_.WriteBytes(Relative(cache_path), testing::ShippedBytes(shipped));
  }
  int Requests() const { return static_cast<int>(server_.Requests().size()); }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  // The schedule service reads the team names when it is created.
  struct TeamNames {
    explicit TeamNames(const testing::TempProgramDir& dir) {
      testing::InstallShippedTeamNames(dir);
    }
  } team_names_{dir_};
  clsSchedule schedule_;
  clsVote vote_;
  clsResult result_;
};

TEST_F(OfficialServicesTest, FileModeReadsOnlyTheCache) {
  EXPECT_FALSE(schedule_.GetSchedule(1487, "A", kSourceFile, true));
  EXPECT_FALSE(vote_.GetVote(1487, "A", kSourceFile, true));
  EXPECT_FALSE(result_.GetResult(1487, "A", kSourceFile, true));
  EXPECT_EQ(Requests(), 0);
  EXPECT_TRUE(fake_.messages().empty());

  InstallSample(clsXmlSchedule::GetFileName(1487, "A"),
                "SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml");
  EXPECT_TRUE(schedule_.GetSchedule(1487, "A", kSourceFile | kSourceDownload, true));
  EXPECT_EQ(schedule_.Record().matches[3].home, "Ｇ大阪");
  // Round 0 or below loads nothing at all.
  EXPECT_FALSE(schedule_.GetSchedule(0, "A", kSourceFile | kSourceDownload, true));
  EXPECT_EQ(schedule_.Record().Kaisaikai, 0);
  EXPECT_EQ(Requests(), 0);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(OfficialServicesTest, TheQuestionComesFirstAndNoMeansNothingHappens) {
  struct Case {
    std::function<bool()> get;
    std::function<bool()> cancel;
    std::function<void()> false_dialog;
    const char* text;
    const char* title;
  };
  const Case cases[] = {
      {[&] { return schedule_.GetSchedule(1487, "A", 3, true); },
       [&] { return schedule_.Cancel(); }, [&] { schedule_.FalseDialog(1487); },
       "インターネットより 開催情報 をダウンロードします。よろしいですか？", " 開催情報"},
      {[&] { return vote_.GetVote(1487, "A", 3, true); }, [&] { return vote_.Cancel(); },
       [&] { vote_.FalseDialog(1487); },
       "インターネットより 投票状況 をダウンロードします。よろしいですか？", " 投票状況"},
      {[&] { return result_.GetResult(1487, "A", 3, true); }, [&] { return result_.Cancel(); },
       [&] { result_.FalseDialog(1487); },
       "インターネットより くじ結果 をダウンロードします。よろしいですか？", " くじ結果"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    fake_.ClearRecords();
    fake_.QueueAnswer(MsgAnswer::kNo);
    EXPECT_FALSE(c.get());
    EXPECT_TRUE(c.cancel());
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text, c.text);
    EXPECT_EQ(fake_.messages()[0].title, c.title);
    EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kQuestion);
    EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kYesNo);
    c.false_dialog();
    EXPECT_EQ(fake_.messages().size(), 1u);
  }
  EXPECT_EQ(Requests(), 0);
}

TEST_F(OfficialServicesTest, CompleteDownloadsAreCachedAndReadBackWithoutTheSite) {
  server_.SetPage("/schedule", ReadPage("schedule_1487.html"));
  server_.SetPage("/vote", ReadPage("vote_1487_B.html"));
  server_.SetPage("/result", ReadPage("result_1487.html"));
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_TRUE(schedule_.GetSchedule(1487, "B", 3, true));
  EXPECT_TRUE(vote_.GetVote(1487, "B", 3, false));
  EXPECT_TRUE(result_.GetResult(1487, "B", 3, false));
  EXPECT_EQ(Requests(), 3);
  EXPECT_TRUE(schedule_.CheckScheduleFile(1487, "B"));
  EXPECT_TRUE(vote_.CheckVoteFile(1487, "B"));
  EXPECT_TRUE(result_.CheckResultFile(1487, "B"));
  EXPECT_FALSE(schedule_.CheckScheduleFile(1487, "A"));
  EXPECT_EQ(Bytes(clsXmlVote::GetFileName(1487, "B")),
            testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml"));

  server_.ClearRequests();
  EXPECT_TRUE(schedule_.GetSchedule(1487, "B", 3, true));
  EXPECT_TRUE(vote_.GetVote(1487, "B", 3, true));
  EXPECT_TRUE(result_.GetResult(1487, "B", 3, true));
  EXPECT_EQ(Requests(), 0);
  EXPECT_EQ(fake_.messages().size(), 1u);  // only the first question
}

// A usable cache file is never overwritten by a download; a file the cache
// cannot use is no data, and a usable download takes its place.
TEST_F(OfficialServicesTest, OnlyAFileTheCacheCannotUseIsReplacedByADownload) {
  server_.SetPage("/schedule", ReadPage("schedule_1487.html"));
  // A file that does not read (an attribute on a start tag) is reported.
  std::string damaged =
      ToCp932(testing::CrLf({"<minitoto>", "<開催 x=\"1\">", "</開催>", "</minitoto>"}));
  dir_.WriteBytes(Relative(clsXmlSchedule::GetFileName(1487, "A")), damaged);
  EXPECT_TRUE(schedule_.GetSchedule(1487, "A", 3, false));
  EXPECT_EQ(schedule_.Record().matches[0].home, "鹿島");
  EXPECT_TRUE(schedule_.Saved());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "XMLデータが異常です。");
  EXPECT_EQ(Bytes(clsXmlSchedule::GetFileName(1487, "A")),
            testing::ShippedBytes("SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml"));

  // Download only (mode 2): a usable file stays, an unusable one goes.
  server_.SetPage("/result", ReadPage("result_1487.html"));
  const std::string path = clsXmlResult::GetFileName(1487, "A");
  InstallSample(path, "SysData/minitoto_Result/minitoto_result_1487_A.xml");
  const std::string usable = ReplaceAll(Bytes(path), "\r\n<", "\r\n  <");
  dir_.WriteBytes(Relative(path), usable);
  EXPECT_TRUE(result_.GetResult(1487, "A", kSourceDownload, false));
  EXPECT_FALSE(result_.Saved());
  EXPECT_EQ(Bytes(path), usable);
  dir_.WriteBytes(Relative(path), "kept?");
  EXPECT_TRUE(result_.GetResult(1487, "A", kSourceDownload, false));
  EXPECT_TRUE(result_.Saved());
  EXPECT_EQ(Bytes(path),
            testing::ShippedBytes("SysData/minitoto_Result/minitoto_result_1487_A.xml"));
}

// Every cache file is checked against the round and group it is filed
// under: a file of another round or of the other group, copied over a
// round's name, is named with what it holds and is no data of the round.
TEST_F(OfficialServicesTest, AFileOfAnotherRoundOrGroupIsNoDataOfTheRound) {
  const std::vector<std::pair<std::string, std::string>> kinds = {
      {"Schedule", "minitoto_Schedule/minitoto_schedule_"},
      {"Vote", "minitoto_Vote/minitoto_vote_"},
      {"Result", "minitoto_Result/minitoto_result_"}};
  auto get = [this](const std::string& kind, int round, const std::string& group) {
    if (kind == "Schedule") return schedule_.GetSchedule(round, group, kSourceFile, false);
    if (kind == "Vote") return vote_.GetVote(round, group, kSourceFile, false);
    return result_.GetResult(round, group, kSourceFile, false);
  };
  for (const auto& [kind, file] : kinds) {
    const std::string b_file = "SysData/" + file + "1487_B.xml";
    // Group B's file under A's name, and as the file of round 1488.
    dir_.WriteBytes("SysData/" + file + "1487_A.xml", testing::ShippedBytes(b_file));
    dir_.WriteBytes("SysData/" + file + "1488_B.xml", testing::ShippedBytes(b_file));
    fake_.ClearRecords();
    EXPECT_FALSE(get(kind, 1487, "A")) << kind;
    EXPECT_FALSE(get(kind, 1488, "B")) << kind;
    EXPECT_EQ(
        fake_.MessageTexts(),
        std::vector<std::string>(
            {dir_.SysData(file + "1487_A.xml") +
                 "\r\nこのファイルは第1487回B組のデータです（第1487回A組のファイルとしては使え"
                 "ません）。",
             dir_.SysData(file + "1488_B.xml") +
                 "\r\nこのファイルは第1487回B組のデータです（第1488回B組のファイルとしては使え"
                 "ません）。"}))
        << kind;
    dir_.WriteBytes("SysData/" + file + "1487_B.xml", testing::ShippedBytes(b_file));
    EXPECT_TRUE(get(kind, 1487, "B")) << kind;
  }
}

TEST_F(OfficialServicesTest, OnlyAFinalValidVoteStatusIsCached) {
  server_.SetPage("/vote", ReadPage("vote_1487_A_interim.html"));
  EXPECT_TRUE(vote_.GetVote(1487, "A", 3, false));
  EXPECT_EQ(vote_.Record().as_of.ToString(), "2024/06/20 10:00:00");
  EXPECT_FALSE(vote_.CheckVoteFile(1487, "A"));

  // Rates of 33.3 three times do not add up to 100.
  server_.SetPage("/vote", ReadPage("vote_1493_A_bad_rates.html"));
  EXPECT_FALSE(vote_.GetVote(1493, "A", 3, false));
  EXPECT_FALSE(vote_.CheckVoteFile(1493, "A"));
  EXPECT_FALSE(vote_.Unpublished());
  vote_.FalseDialog(1493);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "インターネットよりダウンロードに失敗しました。");
  EXPECT_EQ(fake_.messages()[0].title, " 投票状況");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kWarning);

  server_.SetPage("/vote", ReadPage("vote_1487_A.html"));
  EXPECT_TRUE(vote_.GetVote(1487, "A", 3, false));
  EXPECT_TRUE(vote_.CheckVoteFile(1487, "A"));
  EXPECT_EQ(vote_.Record().as_of, vote_.Record().sale_end);
}

TEST_F(OfficialServicesTest, InvalidResultsAreHandedBackButNotCached) {
  server_.SetPage("/result", ReadPage("result_1495_big_score.html"));
  EXPECT_FALSE(result_.GetResult(1495, "A", 3, false));
  EXPECT_EQ(result_.Record().matches[1].home_score, 31);
  EXPECT_FALSE(result_.CheckResultFile(1495, "A"));
}

// A figure that fails to read is not a figure of 0: a result cached with 0
// winners would never be downloaded again.
TEST_F(OfficialServicesTest, PagesWithUnreadableFiguresAreReportedAndNotCached) {
  server_.SetPage("/result", ReplaceAll(ReadPage("result_1487.html"), "<td>2,027口</td>",
                                        "<td>99,999,999,999,999,999,999口</td>"));
  EXPECT_FALSE(result_.GetResult(1487, "A", 3, false));
  EXPECT_FALSE(result_.CheckResultFile(1487, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvomini / clsHtmlResult / GetResult");
  EXPECT_EQ(fake_.messages()[0].text, "オーバーフローしました。 ( 6 )");

  // A negative count on the vote page is no count.
  fake_.ClearRecords();
  server_.SetPage("/vote", ReplaceAll(ReadPage("vote_1487_A.html"), "<td>58,119(27.37%)</td>",
                                      "<td>-58,119(27.37%)</td>"));
  EXPECT_FALSE(vote_.GetVote(1487, "A", 3, false));
  EXPECT_FALSE(vote_.CheckVoteFile(1487, "A"));
  EXPECT_EQ(fake_.messages().size(), 1u);
}

// A page that contradicts the request or itself is refused with the
// download-failure warning, and nothing of it is cached.
TEST_F(OfficialServicesTest, PagesThatContradictThemselvesOrTheRequestAreRefused) {
  const std::string schedule = ReadPage("schedule_1487.html");
  const std::string result = ReadPage("result_1487.html");
  // A part cut short before the next group's heading: the rows after it are
  // that group's.
  auto cut_part = [](std::string page, const std::string& kind) {
    const std::string a_head = "第1487回 mini toto-A組 " + kind + "</h2>";
    size_t from = page.find(a_head) + a_head.size();
    page.erase(from, page.find("<h2 class=\"ttl\">第1487回 mini toto-B組") - from);
    return page;
  };
  const std::string row = "<td>2-1</td><td>FC東京</td><td>1</td>";
  const std::vector<std::pair<std::string, std::function<bool()>>> refused = {
      {"group B's vote page at A's address",
       [&] {
         server_.SetPage("/vote", ReadPage("vote_1487_B.html"));
         return vote_.GetVote(1487, "A", 3, false) || vote_.CheckVoteFile(1487, "A");
       }},
      {"vote sale in 2099",
       [&] {
         server_.SetPage(
             "/vote", ReplaceAll(ReadPage("vote_1487_A.html"), "2024年06月15日", "2099年06月15日"));
         return vote_.GetVote(1487, "A", 3, false) || vote_.CheckVoteFile(1487, "A");
       }},
      {"schedule sale in 2099",
       [&] {
         server_.SetPage("/schedule", ReplaceAll(schedule, "2024年06月15日", "2099年06月15日"));
         return schedule_.GetSchedule(1487, "A", 3, false) ||
                schedule_.CheckScheduleFile(1487, "A");
       }},
      {"schedule part cut short",
       [&] {
         server_.SetPage("/schedule", cut_part(schedule, "くじ情報"));
         return schedule_.GetSchedule(1487, "A", 3, false) ||
                schedule_.CheckScheduleFile(1487, "A");
       }},
      {"result part cut short",
       [&] {
         server_.SetPage("/result", cut_part(result, "くじ結果"));
         return result_.GetResult(1487, "A", 3, false) || result_.CheckResultFile(1487, "A");
       }},
      {"2-1 as an away win",
       [&] {
         server_.SetPage("/result",
                         ReplaceAll(result, row, "<td>2-1</td><td>FC東京</td><td>2</td>"));
         return result_.GetResult(1487, "A", 3, false) || result_.CheckResultFile(1487, "A");
       }},
      {"2-1 as code 3",
       [&] {
         server_.SetPage("/result",
                         ReplaceAll(result, row, "<td>2-1</td><td>FC東京</td><td>3</td>"));
         return result_.GetResult(1487, "A", 3, false) || result_.CheckResultFile(1487, "A");
       }},
  };
  for (const auto& [name, got_or_cached] : refused) {
    fake_.ClearRecords();
    EXPECT_FALSE(got_or_cached()) << name;
    EXPECT_FALSE(vote_.Unpublished() || schedule_.Unpublished() || result_.Unpublished()) << name;
    EXPECT_TRUE(fake_.messages().empty()) << name;
  }
  // A match called off during play keeps its score beside "中止".
  server_.SetPage("/result", ReplaceAll(result, row, "<td>2-1</td><td>FC東京</td><td>中止</td>"));
  ASSERT_TRUE(result_.GetResult(1487, "A", 3, false));
  EXPECT_EQ(result_.Record().matches[0].result, kResultCancelled);
  EXPECT_EQ(result_.Record().matches[0].home_score, 2);
  EXPECT_TRUE(result_.Saved());
}

// A usable cached record stays until the user fetches again: a refresh
// that fails keeps the file, one that brings a usable record replaces it.
TEST_F(OfficialServicesTest, RefreshReplacesTheCacheOnlyWithAUsableRecord) {
  const std::string path = clsXmlResult::GetFileName(1487, "A");
  InstallSample(path, "SysData/minitoto_Result/minitoto_result_1487_A.xml");
  // Another record of the round and group than the site's.
  const std::string wrong = ReplaceAll(Bytes(path), ">5237<", ">5238<");
  dir_.WriteBytes(Relative(path), wrong);
  ASSERT_TRUE(result_.GetResult(1487, "A", 3, false));
  EXPECT_TRUE(result_.FromFile());
  EXPECT_EQ(Requests(), 0);

  server_.SetPage("/result", ReadPage("error_404.html"));
  EXPECT_FALSE(result_.GetResult(1487, "A", kSourceRefresh, false));
  EXPECT_EQ(Bytes(path), wrong);
  server_.SetPage("/result", ReadPage("result_1487.html"));
  ASSERT_TRUE(result_.GetResult(1487, "A", kSourceRefresh, false));
  EXPECT_TRUE(result_.Saved());
  EXPECT_EQ(Bytes(path),
            testing::ShippedBytes("SysData/minitoto_Result/minitoto_result_1487_A.xml"));

  // Interim figures never replace the final ones.
  const std::string vote_path = clsXmlVote::GetFileName(1487, "A");
  InstallSample(vote_path, "SysData/minitoto_Vote/minitoto_vote_1487_A.xml");
  const std::string final_vote = Bytes(vote_path);
  server_.SetPage("/vote", ReadPage("vote_1487_A_interim.html"));
  EXPECT_TRUE(vote_.GetVote(1487, "A", kSourceRefresh, false));
  EXPECT_FALSE(vote_.Saved());
  EXPECT_EQ(Bytes(vote_path), final_vote);

  // A cut cache file is reported and is no record at all.
  dir_.WriteBytes(Relative(path), wrong.substr(0, wrong.rfind("</")));
  fake_.ClearRecords();
  EXPECT_FALSE(result_.GetResult(1487, "A", kSourceFile, false));
  EXPECT_EQ(result_.Record().Kaisaikai, 0);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "XMLデータが異常です。");
}

TEST_F(OfficialServicesTest, NotPublishedPagesAndOtherRoundsGiveTheInformation) {
  server_.SetPage("/schedule", ReadPage("schedule_unpublished.html"));
  EXPECT_FALSE(schedule_.GetSchedule(1488, "A", 3, false));
  EXPECT_TRUE(schedule_.Unpublished());
  schedule_.FalseDialog(1488);
  // A page of another round than the one asked for is not this round's,
  // and is told as what it is.
  server_.SetPage("/result", ReadPage("result_1487.html"));
  EXPECT_FALSE(result_.GetResult(1488, "A", 3, false));
  EXPECT_FALSE(result_.Unpublished());
  EXPECT_EQ(result_.OtherRound(), 1487);
  EXPECT_EQ(result_.Record().Kaisaikai, 0);
  EXPECT_FALSE(result_.CheckResultFile(1487, "A"));
  result_.FalseDialog(1488);
  server_.SetPage("/vote", ReadPage("vote_unpublished.html"));
  EXPECT_FALSE(vote_.GetVote(1488, "A", 3, false));
  vote_.FalseDialog(1488);
  ASSERT_EQ(fake_.messages().size(), 3u);
  EXPECT_EQ(fake_.messages()[0].text, "第1488回 開催情報は発表されていません。");
  EXPECT_EQ(fake_.messages()[0].title, " 開催情報");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(fake_.messages()[1].text,
            "公式サイトは第1488回ではなく第1487回のくじ結果を返しました。");
  EXPECT_EQ(fake_.messages()[1].icon, MsgIcon::kInformation);
  EXPECT_EQ(fake_.messages()[2].text, "第1488回 投票状況は発表されていません。");
  EXPECT_EQ(fake_.messages()[2].title, " 投票状況");
}

// The site answers a round it does not know with the page of another round:
// every kind tells it as that, neither unpublished nor a failed download.
TEST_F(OfficialServicesTest, PagesOfAnotherRoundAreToldAsSuchForEveryKind) {
  server_.SetPage("/schedule", ReadPage("schedule_1487.html"));
  server_.SetPage("/vote", ReadPage("vote_1487_A.html"));
  server_.SetPage("/result", ReadPage("result_1487.html"));
  EXPECT_FALSE(schedule_.GetSchedule(1490, "A", 3, false));
  EXPECT_FALSE(vote_.GetVote(1490, "A", 3, false));
  EXPECT_FALSE(result_.GetResult(1490, "A", 3, false));
  EXPECT_EQ(std::vector<int>({schedule_.OtherRound(), vote_.OtherRound(), result_.OtherRound()}),
            std::vector<int>({1487, 1487, 1487}));
  EXPECT_FALSE(schedule_.Unpublished() || vote_.Unpublished() || result_.Unpublished());
  EXPECT_FALSE(schedule_.CheckScheduleFile(1487, "A") || vote_.CheckVoteFile(1487, "A") ||
               result_.CheckResultFile(1487, "A"));
  schedule_.FalseDialog(1490);
  vote_.FalseDialog(1490);
  result_.FalseDialog(1490);
  EXPECT_EQ(
      fake_.MessageTexts(),
      std::vector<std::string>({"公式サイトは第1490回ではなく第1487回の開催情報を返しました。",
                                "公式サイトは第1490回ではなく第1487回の投票状況を返しました。",
                                "公式サイトは第1490回ではなく第1487回のくじ結果を返しました。"}));
}

TEST_F(OfficialServicesTest, NotHeldMarkStopsDownloadsUntilRemoved) {
  fake_.QueueAnswer(MsgAnswer::kYes);
  ASSERT_TRUE(schedule_.XmlSave_NoGame(85, "A"));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "第 85 回を未開催に設定しますか？");
  EXPECT_EQ(fake_.messages()[0].title, "");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kQuestion);
  // Marked once: a second mark is not offered.
  EXPECT_FALSE(schedule_.XmlSave_NoGame(85, "A"));
  EXPECT_EQ(fake_.messages().size(), 1u);

  EXPECT_FALSE(schedule_.GetSchedule(85, "A", 3, true));
  EXPECT_TRUE(schedule_.NoGame());
  EXPECT_EQ(Requests(), 0);
  EXPECT_EQ(fake_.messages().size(), 1u);

  fake_.QueueAnswer(MsgAnswer::kNo);
  EXPECT_FALSE(schedule_.XmlDelete_NoGame(85, "A"));
  EXPECT_TRUE(schedule_.CheckScheduleFile(85, "A"));
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_TRUE(schedule_.XmlDelete_NoGame(85, "A"));
  EXPECT_EQ(fake_.messages().back().text, "第 85 回の未開催を解除しますか？");
  EXPECT_FALSE(schedule_.CheckScheduleFile(85, "A"));
  EXPECT_FALSE(schedule_.XmlDelete_NoGame(85, "A"));
}

TEST_F(OfficialServicesTest, OldDocumentsFindTheirArchivedVoteStatus) {
  dir_.WriteBytes("vote_1487_2024-06-22.xml",
                  testing::ShippedBytes("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"));
  EXPECT_FALSE(vote_.GetOldVoteFile(1487, DateTime::Date(2024, 6, 21)));
  ASSERT_TRUE(vote_.GetOldVoteFile(
      1487, DateTime::FromSeconds(DateTime::Date(2024, 6, 22).seconds() + 49800)));
  EXPECT_EQ(vote_.Record().Kaisaikai, 1487);
  EXPECT_EQ(vote_.Record().matches[0].home, "鹿島");
}

TEST_F(OfficialServicesTest, UseBeforeInitializeIsReported) {
  clsSchedule schedule;
  clsVote vote;
  clsResult result;
  EXPECT_FALSE(schedule.GetSchedule(1487, "A", 3, false));
  EXPECT_FALSE(schedule.NoGame());
  EXPECT_EQ(schedule.Record().Kaisaikai, 0);
  EXPECT_FALSE(vote.GetVote(1487, "A", 3, false));
  EXPECT_FALSE(result.Unpublished());
  std::vector<std::string> titles;
  for (const auto& m : fake_.messages()) {
    EXPECT_EQ(m.text, "Initialize Err");
    titles.push_back(m.title);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{
                        "Zelvo mini / clsSchedule / GetSchedule",
                        "Zelvo mini / clsSchedule / NoGame", "Zelvo mini / clsSchedule / Record",
                        "Zelvo mini / clsVote / GetVote", "Zelvo mini / clsResult / Unpublished"}));
  EXPECT_EQ(Requests(), 0);
}

}  // namespace
}  // namespace zelvo
