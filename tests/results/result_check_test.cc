#include "results/result_check.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

// Single number of the outcome digits of matches 1 to 5.
int S(int d1, int d2, int d3, int d4, int d5) { return d1 + 3 * d2 + 9 * d3 + 27 * d4 + 81 * d5; }

ResultRecord Result(int round, std::array<int, 5> outcomes) {
  ResultRecord r;
  r.Kaisaikai = round;
  for (int m = 0; m < 5; ++m) r.matches[m].result = static_cast<uint8_t>(outcomes[m]);
  r.prize[0] = Money::FromInt(1234560);
  r.winners[0] = Money::FromInt(3);
  return r;
}

class ResultCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { screen.Initialize(); }

  void Show(int round, const ResultRecord& record, const std::vector<int>& singles,
            bool all = false) {
    screen.SetResultData(round, "A", record, all);
    screen.SetSingle(static_cast<int>(singles.size()), singles);
  }
  void LeftClick(int match, int outcome) {
    int col = outcome == 1 ? 1 : outcome == 0 ? 2 : 3;
    screen.MultiResult().grid().Click(GridClick{MouseButton::kLeft, false, false, match + 2, col});
  }
  std::array<int, 6> Counts() const { return screen.GradeCounts(); }

  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  clsTResult screen;
};

TEST_F(ResultCheckTest, WithoutResultOrMarksEverySingleIsGradeOne) {
  Show(300, ResultRecord(), {0, 100, 242, 17});
  EXPECT_EQ(Counts(), (std::array<int, 6>{4, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(screen.Official());
  const Grid& g = screen.ResultGrade().grid();
  EXPECT_EQ(g.Text(2, 1), "1等");
  EXPECT_EQ(g.Text(2, 2), "4");
  EXPECT_EQ(g.Text(2, 3), "100%");
  EXPECT_EQ(g.Text(3, 3), "0%");
  EXPECT_EQ(g.Cell(2, 2).fore, kColorBlue);
  EXPECT_EQ(g.Cell(3, 2).fore, kColorBlack);
  // Undecided matches are white on the page; the grade cell of a winner green.
  const Grid& page = screen.ResultGrid().grid();
  EXPECT_EQ(page.Text(2, 1), "1");
  EXPECT_EQ(page.Cell(2, 1).back, kColorWhite);
  EXPECT_EQ(page.Text(2, 6), "1");
  EXPECT_EQ(page.Cell(2, 6).back, kColorGreen);
  // The prize table needs every match decided.
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 2), "");
}

TEST_F(ResultCheckTest, GradeSharesWithNoSinglesReadZero) {
  Show(300, ResultRecord(), {});
  const Grid& g = screen.ResultGrade().grid();
  for (int r = 2; r <= 7; ++r) {
    EXPECT_EQ(g.Text(r, 2), "0");
    EXPECT_EQ(g.Text(r, 3), "0%");
  }
  EXPECT_EQ(screen.PageLabel(), "1／1");
  EXPECT_FALSE(screen.MovePreviousEnabled());
  EXPECT_FALSE(screen.MoveNextEnabled());
}

TEST_F(ResultCheckTest, FullOfficialResultGradesEverySingleAndFillsThePrizeTable) {
  ResultRecord r = Result(300, {1, 0, 2, 0, 1});
  std::vector<int> singles = {S(1, 0, 2, 0, 1), S(1, 0, 2, 1, 2), S(2, 2, 0, 1, 0),
                              S(1, 1, 2, 0, 1)};
  Show(300, r, singles, /*all=*/true);
  EXPECT_TRUE(screen.FullResult());
  EXPECT_EQ(screen.Grade(0), 1);
  EXPECT_EQ(screen.Grade(1), 3);  // three right
  EXPECT_EQ(screen.Grade(2), 6);
  EXPECT_EQ(screen.Grade(3), 2);
  EXPECT_EQ(Counts(), (std::array<int, 6>{1, 1, 1, 0, 0, 1}));

  const Grid& page = screen.ResultGrid().grid();
  // Headers name the columns, over them cell for cell.
  const Grid& header = screen.ResultGrid().header();
  EXPECT_EQ(header.Text(1, 1), "第1");
  EXPECT_EQ(header.Text(1, 6), "等級");
  EXPECT_EQ(header.TotalWidth(), page.TotalWidth());
  EXPECT_EQ(page.Cell(2, 4).back, kColorRed);  // match 4 of the second single
  EXPECT_EQ(page.Cell(2, 1).back, kColorBlue);
  EXPECT_EQ(page.Text(2, 6), "3");
  EXPECT_EQ(page.Cell(2, 6).back, kColorWhite);
  EXPECT_EQ(page.Cell(1, 6).back, kColorGreen);

  const Grid& marks = screen.MultiResult().grid();
  EXPECT_EQ(marks.Text(2, 1), "◎");  // match 1, outcome 1
  EXPECT_EQ(marks.Text(3, 2), "◎");  // match 2, outcome 0
  EXPECT_EQ(marks.Text(4, 3), "◎");  // match 3, outcome 2

  const Grid& prize = screen.Kakutei().grid();
  EXPECT_EQ(prize.Text(2, 2), "1,234,560 ");
  EXPECT_EQ(prize.Text(2, 5), "1 ");
  EXPECT_EQ(prize.Text(2, 6), "1,234,560 ");
}

TEST_F(ResultCheckTest, CancelledMatchIsRightForEverySingle) {
  ResultRecord r = Result(300, {1, kResultCancelled, 2, 0, 1});
  Show(300, r, {S(1, 0, 2, 0, 1), S(1, 1, 2, 0, 1), S(1, 2, 2, 0, 1)}, true);
  EXPECT_EQ(Counts(), (std::array<int, 6>{3, 0, 0, 0, 0, 0}));
  const Grid& marks = screen.MultiResult().grid();
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(marks.Text(3, c), "－");
  EXPECT_EQ(screen.ResultGrid().grid().Cell(1, 2).back, kColorYellow);
  // A cancelled match counts as decided: the prize table is shown.
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 5), "3 ");
}

TEST_F(ResultCheckTest, RevealingOneMatchAtATime) {
  ResultRecord r = Result(300, {1, 0, 2, 0, 1});
  Show(300, r, {S(1, 0, 2, 0, 1), S(2, 0, 2, 0, 1), S(1, 1, 1, 1, 1)});
  EXPECT_EQ(screen.RevealedCount(), 0);
  EXPECT_EQ(Counts(), (std::array<int, 6>{3, 0, 0, 0, 0, 0}));
  screen.SetNextData();
  EXPECT_EQ(screen.RevealedCount(), 1);
  // Only match 1 is decided: the others count as right for everybody.
  EXPECT_EQ(Counts(), (std::array<int, 6>{2, 1, 0, 0, 0, 0}));
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 2), "");
  for (int i = 0; i < 3; ++i) screen.SetNextData();
  EXPECT_FALSE(screen.FullResult());
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 2), "");
  screen.SetNextData();
  EXPECT_TRUE(screen.FullResult());
  EXPECT_EQ(Counts(), (std::array<int, 6>{1, 1, 0, 1, 0, 0}));
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 5), "1 ");
  screen.SetNextData();  // stays at five
  EXPECT_EQ(screen.RevealedCount(), 5);
}

TEST_F(ResultCheckTest, RevealingWhatTheUserAlreadyMarkedStillFillsThePrizeTable) {
  ResultRecord r = Result(300, {1, 0, 2, 0, 1});
  Show(300, r, {S(1, 0, 2, 0, 1)});
  // The user marks the official outcomes by hand: they read ◎ ...
  LeftClick(0, 1);
  LeftClick(1, 0);
  LeftClick(2, 2);
  LeftClick(3, 0);
  LeftClick(4, 1);
  EXPECT_EQ(screen.MultiResult().grid().Text(2, 1), "◎");
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 5), "");
  // ... so revealing all leaves the table as it is, yet the round is decided.
  screen.SetAlltData();
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 5), "1 ");
}

TEST_F(ResultCheckTest, ClicksToggleAndMoveTheMarkOfAMatch) {
  Show(300, ResultRecord(), {S(1, 1, 1, 1, 1), S(0, 1, 1, 1, 1)});
  const Grid& marks = screen.MultiResult().grid();
  LeftClick(0, 1);
  EXPECT_EQ(marks.Text(2, 1), "○");  // no official result: provisional
  EXPECT_EQ(Counts(), (std::array<int, 6>{1, 1, 0, 0, 0, 0}));
  LeftClick(0, 0);  // another cell of the same match moves the mark
  EXPECT_EQ(marks.Text(2, 1), "");
  EXPECT_EQ(marks.Text(2, 2), "○");
  EXPECT_EQ(screen.Grade(0), 2);
  EXPECT_EQ(screen.Grade(1), 1);
  LeftClick(0, 0);  // the marked cell clears the match
  EXPECT_EQ(marks.Text(2, 2), "");
  EXPECT_EQ(Counts(), (std::array<int, 6>{2, 0, 0, 0, 0, 0}));
  // The header row is not a match.
  screen.MultiResult().grid().Click(GridClick{MouseButton::kLeft, false, false, 1, 1});
  EXPECT_EQ(screen.MultiResult().GetValue(), ResultMarks{});
}

TEST_F(ResultCheckTest, UserMarkAgreeingWithTheOfficialResultReadsAsOfficial) {
  ResultRecord r = Result(300, {1, 0, 2, 0, 1});
  Show(300, r, {S(1, 0, 2, 0, 1)});
  LeftClick(0, 1);
  LeftClick(1, 2);
  EXPECT_EQ(screen.MultiResult().GetValue()[0][1], kMarkOfficial);
  EXPECT_EQ(screen.MultiResult().GetValue()[1][2], kMarkProvisional);
}

TEST_F(ResultCheckTest, PopupCancelsTheRightClickedMatch) {
  Show(300, ResultRecord(), {S(1, 1, 1, 1, 1)});
  LeftClick(2, 0);
  EXPECT_EQ(screen.Grade(0), 2);
  fake.QueueMenuChoice(0);
  screen.MultiResult().grid().Click(GridClick{MouseButton::kRight, false, false, 4, 2});
  ASSERT_EQ(fake.menus().size(), 1u);
  ASSERT_EQ(fake.menus()[0].entries.size(), 1u);
  EXPECT_EQ(fake.menus()[0].entries[0].text, "中止");
  EXPECT_EQ(screen.MultiResult().GetValue()[2], (std::array<int, 3>{3, 3, 3}));
  EXPECT_EQ(screen.Grade(0), 1);
  // A dismissed menu changes nothing.
  screen.MultiResult().grid().Click(GridClick{MouseButton::kRight, false, false, 2, 1});
  EXPECT_EQ(screen.MultiResult().GetValue()[0], (std::array<int, 3>{0, 0, 0}));
  // The screen's own entry point acts on the last right-clicked match.
  screen.SetPopup(0);
  EXPECT_EQ(screen.MultiResult().GetValue()[0], (std::array<int, 3>{3, 3, 3}));
}

TEST_F(ResultCheckTest, ProvisionalMarksAreKeptFromRound195On) {
  std::string path194 = clsTResult::ResultTempPath(194, "A");
  std::string path195 = clsTResult::ResultTempPath(195, "A");
  EXPECT_EQ(path195, JoinPath(dir.path(), "SysData/Temp/Zelvomini_Result_195_A.dat"));
  EXPECT_EQ(FileNamePart(clsTResult::ResultTempPath(5, "A")), "Zelvomini_Result_005_A.dat");
  EXPECT_EQ(FileNamePart(clsTResult::ResultTempPath(5, "")), "Zelvomini_Result_005.dat");

  Show(194, ResultRecord(), {S(1, 1, 1, 1, 1)});
  LeftClick(0, 1);
  EXPECT_FALSE(FileExists(path194));

  Show(195, ResultRecord(), {S(1, 1, 1, 1, 1)});
  LeftClick(0, 1);
  LeftClick(2, 2);
  ASSERT_TRUE(FileExists(path195));
  EXPECT_EQ(dir.ReadBytes("SysData/Temp/Zelvomini_Result_195_A.dat"),
            "0,2,0\r\n0,0,0\r\n0,0,2\r\n0,0,0\r\n0,0,0\r\n");

  // Another round, then back: the marks come back from the file.
  Show(300, ResultRecord(), {S(1, 1, 1, 1, 1)});
  EXPECT_EQ(screen.MultiResult().GetValue(), ResultMarks{});
  Show(195, ResultRecord(), {S(1, 1, 1, 1, 1)});
  EXPECT_EQ(screen.MultiResult().GetValue()[0][1], kMarkProvisional);
  EXPECT_EQ(screen.MultiResult().GetValue()[2][2], kMarkProvisional);
  EXPECT_EQ(screen.Grade(0), 2);

  // The official result replaces them for good.
  Show(195, Result(195, {1, 1, 1, 1, 1}), {S(1, 1, 1, 1, 1)});
  EXPECT_FALSE(FileExists(path195));
  EXPECT_EQ(screen.MultiResult().GetValue(), ResultMarks{});
  EXPECT_TRUE(fake.messages().empty());
}

TEST_F(ResultCheckTest, DamagedProvisionalFileIsReportedAndMarksStartEmpty) {
  dir.WriteBytes("SysData/Temp/Zelvomini_Result_200_B.dat", "0,2,0\r\nx,0,0\r\n");
  screen.SetResultData(200, "B", ResultRecord(), false);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTResult / LoadResultTemp");
  EXPECT_EQ(screen.MultiResult().GetValue(), ResultMarks{});
}

TEST_F(ResultCheckTest, GroupThatIsNoPlainNameNeverReachesThePath) {
  EXPECT_EQ(clsTResult::ResultTempPath(200, "../x"), "");
  Show(200, ResultRecord(), {S(1, 1, 1, 1, 1)});
  screen.SetResultData(200, "../../x", ResultRecord(), false);
  LeftClick(0, 1);
  EXPECT_FALSE(DirExists(JoinPath(dir.path(), "SysData/Temp")));
}

TEST_F(ResultCheckTest, PagesOfTen) {
  std::vector<int> singles;
  for (int i = 0; i < 25; ++i) singles.push_back(i);
  Show(300, ResultRecord(), singles);
  EXPECT_EQ(screen.SingleCountLabel(), "25");
  EXPECT_EQ(screen.LastPage(), 2);
  EXPECT_EQ(screen.PageLabel(), "1／3");
  EXPECT_FALSE(screen.MovePreviousEnabled());
  EXPECT_TRUE(screen.MoveNextEnabled());
  screen.MoveNext();
  EXPECT_EQ(screen.PageLabel(), "2／3");
  EXPECT_TRUE(screen.MovePreviousEnabled());
  EXPECT_TRUE(screen.MoveNextEnabled());
  screen.MoveNext();
  screen.MoveNext();  // not past the last page
  EXPECT_EQ(screen.PageLabel(), "3／3");
  EXPECT_FALSE(screen.MoveNextEnabled());
  const Grid& page = screen.ResultGrid().grid();
  // Single 24 = digits 0, 2, 2, 0, 0.
  EXPECT_EQ(page.Text(5, 1), "0");
  EXPECT_EQ(page.Text(5, 2), "2");
  EXPECT_EQ(page.Text(5, 3), "2");
  EXPECT_EQ(page.Text(6, 1), "");
  EXPECT_EQ(page.Text(10, 6), "");
  EXPECT_EQ(page.Cell(10, 1).back, kColorWhite);
  screen.MovePrevious();
  EXPECT_EQ(screen.PageLabel(), "2／3");
  EXPECT_EQ(page.Text(1, 1), "1");  // single 10 = 1, 0, 1, 0, 0
}

TEST_F(ResultCheckTest, GradeSortReordersTheCallersSingles) {
  ResultRecord r = Result(300, {1, 1, 1, 1, 1});
  std::vector<int> singles = {S(0, 0, 0, 1, 1), S(1, 1, 1, 1, 1), S(0, 0, 0, 0, 0),
                              S(0, 1, 1, 1, 1)};
  Show(300, r, singles, true);
  std::vector<int> sorted = singles;
  screen.GradeSort(sorted, true);
  EXPECT_EQ(sorted, (std::vector<int>{S(1, 1, 1, 1, 1), S(0, 1, 1, 1, 1), S(0, 0, 0, 1, 1),
                                      S(0, 0, 0, 0, 0)}));
  // The window hands the reordered singles back before the next sort.
  screen.SetSingle(4, sorted);
  screen.GradeSort(sorted, false);
  EXPECT_EQ(sorted.front(), S(0, 0, 0, 0, 0));
  EXPECT_EQ(sorted.back(), S(1, 1, 1, 1, 1));
  EXPECT_TRUE(fake.messages().empty());

  std::vector<int> wrong = {1, 2, 3};
  screen.GradeSort(wrong, true);
  EXPECT_EQ(wrong, (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "シングル数が一致しません");
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsTResult / GradeSort_Sub");
}

TEST_F(ResultCheckTest, ManySinglesShowTheWaitDialog) {
  std::vector<int> singles(10001);
  for (size_t i = 0; i < singles.size(); ++i) singles[i] = static_cast<int>(i % 243);
  Show(300, ResultRecord(), singles);
  EXPECT_FALSE(fake.wait().open);
  EXPECT_EQ(fake.wait().message, "シングル構成の解析中");
  EXPECT_EQ(fake.wait().max, 10000);
  EXPECT_EQ(fake.wait().updates, 9);
  EXPECT_EQ(fake.yield_count(), 9);
  EXPECT_EQ(screen.SingleCountLabel(), "10,001");
  EXPECT_EQ(screen.PageLabel(), "1／1001");

  testing::FakePlatform quiet;
  screen.SetSingle(10000, singles);
  EXPECT_EQ(quiet.wait().updates, 0);
  EXPECT_EQ(quiet.yield_count(), 9);
}

TEST_F(ResultCheckTest, BadSinglesAreReportedAndTheScreenKeepsItsState) {
  Show(300, ResultRecord(), {1, 2, 3});
  std::vector<int> bad = {4, 243};
  screen.SetSingle(2, bad);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTResult / SetSingle_Sub");
  EXPECT_EQ(screen.SingleCount(), 3);
  screen.SetSingle(5, bad);  // more than the array holds
  EXPECT_EQ(fake.messages().size(), 2u);
  EXPECT_EQ(screen.SingleCount(), 3);
}

TEST(ResultCheckLifecycleTest, UseBeforeInitializeIsReported) {
  testing::FakePlatform fake;
  clsTResult screen;
  screen.SetResultData(300, "A", ResultRecord(), false);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "Initialize Err");
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsTResult / SetResultData");
}

TEST_F(ResultCheckTest, ClearEmptiesEverything) {
  Show(300, Result(300, {1, 0, 2, 0, 1}), {S(1, 0, 2, 0, 1), 5}, true);
  screen.Clear();
  EXPECT_EQ(screen.SingleCount(), 0);
  EXPECT_EQ(screen.MultiResult().GetValue(), ResultMarks{});
  EXPECT_EQ(screen.ResultGrid().grid().Text(1, 1), "");
  EXPECT_EQ(screen.ResultGrade().grid().Text(2, 2), "");
  EXPECT_EQ(screen.Kakutei().grid().Text(2, 2), "");
  EXPECT_FALSE(screen.Official());
}

class RecordingCountPanel : public clsTResult::CountPanel {
 public:
  void SetValue(const FrameTable& c) override { counts = c; }
  void SetColor(const ResultFlags& f) override { colour = f; }
  void SetVisible(bool v) override { visible = v; }
  void Refresh() override { ++refreshes; }
  FrameTable counts{};
  ResultFlags colour{};
  bool visible = true;
  int refreshes = 0;
};

TEST_F(ResultCheckTest, CountPanelGetsTheMarkedCellsAndTheDistribution) {
  RecordingCountPanel panel;
  screen.SetCountPanel(&panel);
  Show(300, ResultRecord(), {S(1, 1, 1, 1, 1)});
  LeftClick(3, 2);
  EXPECT_TRUE(panel.colour[3][2]);
  EXPECT_FALSE(panel.colour[3][1]);
  EXPECT_GT(panel.refreshes, 0);
  FrameTable frame{};
  frame[1][0] = 7;
  screen.SetSingleFrame(frame, true);
  EXPECT_EQ(panel.counts[1][0], 7);
  EXPECT_TRUE(panel.visible);
  screen.CountPanelClicked(true);
  EXPECT_TRUE(panel.visible);
  screen.CountPanelClicked(false);
  EXPECT_FALSE(panel.visible);
}

}  // namespace
}  // namespace zelvo
