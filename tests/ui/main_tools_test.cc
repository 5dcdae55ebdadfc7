// The tool windows and pages the main window opens: the browser pages, the
// purchase analysis and its minimum, the maker's team-name download, the
// user's vote rates.
#include "ui/main_tools.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/chances.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/analysis_window.h"
#include "ui/odds_window.h"

namespace zelvo {
namespace {

using testing::MainWindowCommandsTest;
using testing::MainWindowTest;

TEST_F(MainWindowCommandsTest, BrowserPages) {
  main_->Execute(Cmd::kSaleSchedule);
  ASSERT_EQ(fake_.opened_urls().size(), 1u);
  EXPECT_EQ(fake_.opened_urls()[0],
            "https://store.toto-dream.com/dci/I/IPA/IPA01.do?op=inittotoSerLotSchedule");
  dir_.WriteCp932("SysData/PendralcoveServer.ini", "BaseUrl = http://maker.example/zelvo\r\n");
  main_->Execute(Cmd::kManual);
  ASSERT_EQ(fake_.opened_urls().size(), 2u);
  EXPECT_EQ(fake_.opened_urls()[1], "http://maker.example/manual/zelvomini.html");
  EXPECT_TRUE(fake_.messages().empty());

  // No browser: the address is shown instead.
  fake_.SetOpenUrlResult(false);
  for (Cmd cmd : {Cmd::kManual, Cmd::kSaleSchedule}) {
    main_->Execute(cmd);
    ASSERT_FALSE(fake_.messages().empty());
    EXPECT_TRUE(Contains(fake_.messages().back().text, fake_.opened_urls().back()));
  }
  EXPECT_EQ(fake_.messages().size(), 2u);
}

TEST_F(MainWindowTest, PurchaseAnalysisOfTheDocument) {
  ASSERT_TRUE(OpenSample());
  main_->Execute(Cmd::kAnalysis);
  EXPECT_EQ(host_.analysed, 57);  // the singles the reduction keeps

  frmAnalysis analysis;
  analysis.SetDocument(main_->BuildDocument());
  EXPECT_EQ(analysis.CoverageGrid().Text(2, 2), "18");  // every bought single is a result
  EXPECT_EQ(analysis.Coverage().worst_right, 4);        // the grade-2 guarantee
  EXPECT_NE(analysis.ChancesGrid().Text(1, 2), "");
  analysis.ResultsOption().Choose(1);
  EXPECT_EQ(analysis.Coverage().results, 243);
  analysis.ResultsOption().Choose(0);
  if (MinimumSolverBuiltIn()) {
    analysis.ComputeMinimum();
    EXPECT_EQ(analysis.MinimumText(),
              "最小口数：11口（証明済み）　現在のシングル（18口）より少なくできます");
    EXPECT_EQ(analysis.MinimumSingles().size(), 11u);
  }
  // A minimum holds for the results and the grade it was computed for only.
  analysis.ResultsOption().Choose(1);
  EXPECT_EQ(analysis.MinimumText(), "");
  EXPECT_TRUE(analysis.MinimumSingles().empty());
  analysis.ComputeMinimum();
  EXPECT_EQ(analysis.MinimumText(),
            "最小口数：27口（証明済み）　現在のシングルは保証を満たしていません（圏外 113通り）");
  analysis.GradeOption().Choose(1);
  EXPECT_EQ(analysis.MinimumText(), "");
  EXPECT_TRUE(analysis.MinimumSingles().empty());
}

TEST_F(MainWindowTest, TheMinimumsSinglesReplaceTheDocuments) {
  ASSERT_TRUE(OpenSample());
  host_.analysis_action = [&](frmAnalysis& a) {
    a.ResultsOption().Choose(1);
    a.GradeOption().Choose(1);
    a.ComputeMinimum();
    ASSERT_EQ(a.MinimumSingles().size(), 8u);
    const std::string shown = a.MinimumSinglesText();  // five a line
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 1);
    EXPECT_TRUE(shown.starts_with("0-2-0-0-0　1-2-1-0-0　")) << shown;
    fake_.QueueAnswer(MsgAnswer::kNo);
    EXPECT_FALSE(a.TakeMinimum());
    EXPECT_EQ(main_->SingleCount(), 18);
    fake_.QueueAnswer(MsgAnswer::kYes);
    EXPECT_TRUE(a.TakeMinimum());
    EXPECT_EQ(fake_.messages().back().text,
              "現在のシングル（18口）を最小口数のシングル（8口）に置き換えますか？");
    // The window now reports on the new purchase.
    EXPECT_EQ(a.Coverage().tickets, 8);
    EXPECT_EQ(a.Coverage().worst_right, 3);
  };
  main_->Execute(Cmd::kAnalysis);
  EXPECT_EQ(main_->SingleCount(), 8);
  EXPECT_EQ(main_->CurrentPage(), 2);
  EXPECT_EQ(main_->SingleList().Draw().Slot(0), 6);  // the list shows them
  EXPECT_EQ(main_->BuildDocument().SingleData,
            (std::vector<int>{6, 16, 47, 139, 147, 182, 198, 215}));
}

TEST_F(MainWindowTest, AnalysisWithTheUsersOwnProbabilities) {
  ASSERT_TRUE(OpenSample());
  frmAnalysis analysis;
  analysis.SetDocument(main_->BuildDocument());
  const std::string from_votes = analysis.ChancesGrid().Text(1, 2);
  const std::string return_from_votes = analysis.ChancesGrid().Text(4, 2);
  std::string sure = Path("sure.csv");
  // Every home side certain to win: only the single 1-1-1-1-1 can be right.
  ASSERT_TRUE(WriteFileBytes(sure,
                             "# home,draw,away\r\n100,0.0001,0.0001\r\n100,0.0001,0.0001\r\n"
                             "100,0.0001,0.0001\r\n100,0.0001,0.0001\r\n100,0.0001,0.0001\r\n"));
  fake_.QueueFileName(sure);
  ASSERT_TRUE(analysis.LoadProbabilities());
  EXPECT_TRUE(analysis.OwnProbabilities());
  EXPECT_NE(analysis.ChancesGrid().Text(1, 2), from_votes);
  EXPECT_EQ(analysis.ChancesNote(), "確率は sure.csv の確率から求めています");
  EXPECT_NE(analysis.ChancesGrid().Text(4, 2), "");  // the payout still from the votes

  // Odds, the margin removed: 2, 4, 4 is 50 %, 25 %, 25 %.
  std::string odds = Path("odds.csv");
  ASSERT_TRUE(WriteFileBytes(odds, "2,4,4\n2,4,4\n2,4,4\n2,4,4\n2,4,4\n"));
  analysis.ProbabilityFormOption().Choose(1);
  fake_.QueueFileName(odds);
  ASSERT_TRUE(analysis.LoadProbabilities());
  EXPECT_NEAR(analysis.Chances().singles[0].probability,
              ResultProbability(OutcomeProbabilities{{{0.25, 0.5, 0.25},
                                                      {0.25, 0.5, 0.25},
                                                      {0.25, 0.5, 0.25},
                                                      {0.25, 0.5, 0.25},
                                                      {0.25, 0.5, 0.25}}},
                                analysis.Chances().singles[0].single),
              1e-12);

  // A file that is not one keeps what was shown, and says which line.
  ASSERT_TRUE(WriteFileBytes(odds, "2,4,4\n2,x,4\n"));
  fake_.QueueFileName(odds);
  EXPECT_FALSE(analysis.LoadProbabilities());
  EXPECT_TRUE(Contains(fake_.messages().back().text, "（2行目）"));
  EXPECT_TRUE(analysis.OwnProbabilities());
  analysis.UseVoteRates();
  EXPECT_EQ(analysis.ChancesGrid().Text(1, 2), from_votes);
  EXPECT_EQ(analysis.ChancesGrid().Text(4, 2), return_from_votes);
}

TEST_F(MainWindowTest, MakerDownloadRefusedWhereSysDataCannotBeWritten) {
  std::string asked;
  main_->folder_writable = [&](const std::string& dir) {
    asked = dir;
    return false;
  };
  main_->Execute(Cmd::kMakerTeams);
  EXPECT_EQ(asked, SysDataPath());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "管理権限不足エラー");
  EXPECT_NE(fake_.messages()[0].text.find(SysDataPath()), std::string::npos);

  // Writable: the download itself asks first; answered No, nothing happens.
  main_->folder_writable = [](const std::string&) { return true; };
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  main_->Execute(Cmd::kMakerTeams);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            "Pendralcoveより 海外チーム名 をダウンロードします。よろしいですか？");
}

TEST_F(MainWindowTest, UserVoteRatesReplaceTheOfficialOnes) {
  ASSERT_TRUE(OpenSample());
  host_.odds_answer = [](frmOdds& odds) {
    // Field (match, display column) in row order: make match 1 read 50/30/20.
    odds.SetFieldText(0, "5000");
    odds.SetFieldText(1, "3000");
    odds.SetFieldText(2, "2000");
    return odds.Ok();
  };
  main_->Execute(Cmd::kUserVoteButton);
  EXPECT_EQ(main_->Vote().Kaisaikai, 1487);
  EXPECT_TRUE(main_->Vote().as_of.IsZero());
  EXPECT_EQ(main_->Vote().matches[0].outcomes[1].rate, Money::FromInt(50));
  EXPECT_EQ(main_->Vote().matches[0].outcomes[1].count, Money::FromInt(5000));
  EXPECT_EQ(main_->StatusText(), " 第 1487 回  [ A組 ] 　使用投票率：ユーザー定義");
  EXPECT_EQ(main_->MatchTable().VoteTitle(), "投 票 率 (ユーザー定義)");
  // Rates the user leaves as they were come back unchanged (per ten thousand).
  EXPECT_EQ(main_->Vote().matches[4].outcomes[1].rate, Money::FromDouble(55.63));
  main_->Execute(Cmd::kCopyReportConditions);
  EXPECT_NE(fake_.ClipboardText().find("利用投票状況：ユーザー定義"), std::string::npos);

  // Cancelled, nothing changes.
  const VoteStatusRecord before = main_->Vote();
  host_.odds_answer = [](frmOdds&) { return false; };
  main_->Execute(Cmd::kUserVote);
  EXPECT_EQ(main_->Vote().matches[0].outcomes[0].rate, before.matches[0].outcomes[0].rate);
}

}  // namespace
}  // namespace zelvo
