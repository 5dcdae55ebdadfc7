// The user's own probabilities in the windows: the entry window's reading of
// percentages, odds and spreadsheet blocks, and the main window keeping them,
// the value condition and the value orders in its document, its undo steps
// and its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "analysis/chances.h"
#include "app/cli.h"
#include "files/document_record.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/analysis_window.h"
#include "ui/main_window.h"
#include "ui/own_probs_window.h"
#include "ui/single_list.h"

namespace zelvo {
namespace {

void Type(frmOwnProbs& w, int match, const char* a, const char* b, const char* c) {
  w.SetFieldText(frmOwnProbs::FieldOf(match, 0), a);
  w.SetFieldText(frmOwnProbs::FieldOf(match, 1), b);
  w.SetFieldText(frmOwnProbs::FieldOf(match, 2), c);
}

TEST(OwnProbsWindowTest, PercentagesAndOddsAreReadPerMatch) {
  frmOwnProbs w;
  w.Setup(OwnProbabilities{}, {});
  EXPECT_TRUE(w.AllEmpty());
  EXPECT_TRUE(w.OkEnabled());  // all empty: OK takes the probabilities away
  for (int m = 0; m < 4; ++m) Type(w, m, "50", "30", "20");
  // A match that does not add up keeps OK closed and is drawn red.
  Type(w, 4, "50", "30", "10");
  EXPECT_FALSE(w.MatchValid(4));
  EXPECT_TRUE(w.FieldRed(frmOwnProbs::FieldOf(4, 1)));
  EXPECT_FALSE(w.FieldRed(frmOwnProbs::FieldOf(3, 1)));
  EXPECT_EQ(w.MatchError(4), "合計が90です");
  EXPECT_FALSE(w.Ok());
  Type(w, 4, "abc", "30", "20");
  EXPECT_EQ(w.MatchError(4), "数値ではありません");
  Type(w, 4, "-10", "80", "30");
  EXPECT_FALSE(w.MatchValid(4));
  // Rounded thirds are scaled to one, as a probability file's are; figures
  // typed full-width read as the same.
  Type(w, 4, "33.3", "３３．３％", "33.3");
  ASSERT_TRUE(w.Ok());
  const OwnProbabilities& p = w.ResultProbabilities();
  ASSERT_TRUE(p.set);
  // Columns 1, 0, 2 are outcome codes 1, 0, 2.
  EXPECT_DOUBLE_EQ(p.p[0][1], 0.5);
  EXPECT_DOUBLE_EQ(p.p[0][0], 0.3);
  EXPECT_DOUBLE_EQ(p.p[0][2], 0.2);
  EXPECT_NEAR(p.p[4][0], 1.0 / 3, 1e-12);

  // Odds 1.8, 3.6, 4.5 carry a margin of 5.6 %: 1/1.8 over the sum of the
  // inverses is 0.5263.
  w.FormOption().Choose(frmOwnProbs::kOdds);
  EXPECT_EQ(w.FieldText(0), "2");  // the valid matches are shown as fair odds
  EXPECT_EQ(w.FieldText(1), "3.33");
  Type(w, 0, "1.8", "3.6", "4.5");
  Type(w, 1, "0.9", "3", "3");  // odds below 1 do not read
  EXPECT_FALSE(w.MatchValid(1));
  EXPECT_EQ(w.MatchError(1), "オッズは1以上です");
  Type(w, 1, "2", "4", "4");
  ASSERT_TRUE(w.Ok());
  const double inv = 1 / 1.8 + 1 / 3.6 + 1 / 4.5;
  EXPECT_NEAR(w.ResultProbabilities().p[0][1], (1 / 1.8) / inv, 1e-12);
  EXPECT_NEAR(w.ResultProbabilities().p[0][2], (1 / 4.5) / inv, 1e-12);
  EXPECT_NEAR(w.ResultProbabilities().p[1][1], 0.5, 1e-12);

  // Emptied, OK removes them.
  w.Clear();
  ASSERT_TRUE(w.Ok());
  EXPECT_FALSE(w.ResultProbabilities().set);
}

TEST(OwnProbsWindowTest, SpreadsheetBlocksFillRowsOrChangeNothing) {
  frmOwnProbs w;
  OwnProbabilities stored;
  stored.set = true;
  for (auto& m : stored.p) m = {0.25, 0.45, 0.30};
  w.Setup(stored, {});
  EXPECT_EQ(w.FieldText(0), "45");
  EXPECT_EQ(w.FieldText(1), "25");
  // An OK without an edit gives back exactly what was stored.
  ASSERT_TRUE(w.Ok());
  EXPECT_EQ(w.ResultProbabilities(), stored);

  // From the second match on, tabs as a spreadsheet copies them, CR LF.
  EXPECT_EQ(w.Paste(frmOwnProbs::FieldOf(1, 2), "60\t25\t15\r\n40\t30\t30\r\n\r\n"), "");
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(1, 0)), "60");
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(2, 2)), "30");
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(3, 0)), "45");  // untouched
  // Two columns, or more rows than matches left: refused whole.
  EXPECT_NE(w.Paste(0, "50\t50\n40\t30\t30\n"), "");
  EXPECT_NE(w.Paste(frmOwnProbs::FieldOf(4, 0), "1,2,3\n4,5,6\n"), "");
  EXPECT_EQ(w.FieldText(0), "45");
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(4, 0)), "45");
  // A single value is an ordinary paste into the field.
  EXPECT_EQ(w.Paste(2, "35"), "");
  EXPECT_EQ(w.FieldText(2), "35");
  EXPECT_EQ(w.FieldText(0), "45");
}

TEST(OwnProbsWindowTest, TheProbabilityFileOfTheCommandLine) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  frmOwnProbs w;
  w.Setup(OwnProbabilities{}, {});
  const std::string odds = JoinPath(dir.path(), "odds.csv");
  ASSERT_TRUE(
      WriteFileBytes(odds, "# home,draw,away\r\n2,4,4\r\n2,4,4\r\n2,4,4\r\n2,4,4\r\n2,4,4\r\n"));
  w.FormOption().Choose(frmOwnProbs::kOdds);
  fake.QueueFileName(odds);
  ASSERT_TRUE(w.LoadFile());
  ASSERT_TRUE(w.Ok());
  EXPECT_NEAR(w.ResultProbabilities().p[3][1], 0.5, 1e-12);
  // Four lines: refused with the reason, the fields as they were.
  ASSERT_TRUE(WriteFileBytes(odds, "3,3,3\n3,3,3\n3,3,3\n3,3,3\n"));
  fake.QueueFileName(odds);
  EXPECT_FALSE(w.LoadFile());
  EXPECT_NE(fake.messages().back().text.find("4行あります"), std::string::npos);
  EXPECT_EQ(w.FieldText(0), "2");
}

// The window keeps every digit it was given: a file's figures go into the
// fields as written (a CR-only file from a spreadsheet too), and a match
// left as the window showed it keeps its stored figures, not the rounded
// ones on the screen.
TEST(OwnProbsWindowTest, FiguresKeepEveryDigit) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  const std::string file = JoinPath(dir.path(), "p.csv");
  const std::string rows = "99.890018,0.001,0.108982\r";
  ASSERT_TRUE(WriteFileBytes(file, rows + "50,30,20\r50,30,20\r50,30,20\r50,30,20\r"));
  frmOwnProbs w;
  w.Setup(OwnProbabilities{}, {});
  fake.QueueFileName(file);
  ASSERT_TRUE(w.LoadFile());
  ASSERT_TRUE(w.Ok());
  std::string text;
  ASSERT_TRUE(ReadTextFile(file, text, false));
  const ProbabilityParse parse = ParseProbabilities(text, ProbabilityForm::kPercent);
  ASSERT_TRUE(parse.ok);
  EXPECT_EQ(w.ResultProbabilities().p, parse.p);

  frmOwnProbs again;
  again.Setup(w.ResultProbabilities(), {});
  Type(again, 4, "40", "40", "20");
  ASSERT_TRUE(again.Ok());
  EXPECT_EQ(again.ResultProbabilities().p[0], parse.p[0]);
  EXPECT_DOUBLE_EQ(again.ResultProbabilities().p[4][1], 0.4);
}

TEST(OwnProbsWindowTest, TheModelFillsWhatItKnowsAndKeepsItsMarkUntilEdited) {
  frmOwnProbs w;
  w.Setup(OwnProbabilities{}, {});
  EXPECT_FALSE(w.ModelAvailable());
  RoundPrediction p;
  p.ok = true;
  p.fit_day = DayNumber(2024, 6, 22);
  p.history_matches = 10059;
  for (int m = 0; m < 4; ++m) {
    p.predicted[m] = true;
    p.matches[m].p = {0.25, 0.4567, 0.2933};  // draw, home, away
  }
  p.unknown[4] = "ﾚｳﾞｧｰ";
  w.model_prediction = [&p] { return p; };
  ASSERT_TRUE(w.FromModel());
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(0, 0)), "45.67");
  EXPECT_EQ(w.FieldText(frmOwnProbs::FieldOf(4, 0)), "");
  EXPECT_NE(w.ModelText().find("2024/06/22より前の10,059試合"), std::string::npos);
  EXPECT_NE(w.ModelText().find("第5試合（ﾚｳﾞｧｰ）"), std::string::npos);
  EXPECT_FALSE(w.OkEnabled());  // the fifth is the user's to fill
  // Shown as odds and back, still the model's figures.
  w.FormOption().Choose(frmOwnProbs::kOdds);
  w.FormOption().Choose(frmOwnProbs::kPercent);
  Type(w, 4, "40", "30", "30");
  ASSERT_TRUE(w.Ok());
  OwnProbabilities r = w.ResultProbabilities();
  EXPECT_TRUE(r.source.model);
  EXPECT_EQ(r.source.history_matches, 10059);
  EXPECT_EQ(r.source.fit_date, DateTime::Date(2024, 6, 22));
  EXPECT_EQ(r.source.matches, (std::array<bool, 5>{true, true, true, true, false}));
  EXPECT_DOUBLE_EQ(r.p[0][1], 0.4567);  // exact, not the rounded field
  EXPECT_DOUBLE_EQ(r.p[4][1], 0.4);

  // Opened again and one of the model's figures changed: the user's now.
  w.Setup(r, {});
  EXPECT_FALSE(w.ModelText().empty());
  Type(w, 1, "50", "25", "25");
  ASSERT_TRUE(w.Ok());
  EXPECT_FALSE(w.ResultProbabilities().source.model);

  p.ok = false;
  p.error = "the history holds no match before 2010-01-01";
  w.Setup(OwnProbabilities{}, {});
  EXPECT_FALSE(w.FromModel());
  EXPECT_TRUE(w.AllEmpty());
  EXPECT_NE(w.ModelText().find(p.error), std::string::npos);
}

class Host : public WindowHost {
 public:
  bool RunItemDialog(frmJouken&) override { return false; }
  void ShowKouseiBunseki(frmKouseiBunseki&) override {}
  void CloseKouseiBunseki(frmKouseiBunseki&) override {}
  void ShowAnalysis(frmAnalysis&) override {}
  bool RunOdds(frmOdds&) override { return false; }
  bool RunOwnProbs(frmOwnProbs& w) override { return answer ? answer(w) : false; }
  void RunPrint(frmPrint&) override {}
  bool RunTeamName(frmTeamName&) override { return false; }
  bool RunTeamNames(frmTeamNames&) override { return false; }
  void ShowBatch(BatchTarget&) override {}
  void ShowAbout() override {}
  void RunBacktest(frmBacktest& b) override {
    if (backtest) backtest(b);
  }
  std::function<bool(frmOwnProbs&)> answer;
  std::function<void(frmBacktest&)> backtest;
};

class OwnProbsMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    ASSERT_TRUE(main_->FileLoadTPD(testing::SampleDocumentPath(), true, false));
  }
  void EnterRows(const char* rows) {
    host_.answer = [rows](frmOwnProbs& w) { return w.Paste(0, rows).empty() && w.Ok(); };
    main_->Execute(Cmd::kOwnProbs);
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  Host host_;
  std::unique_ptr<frmMain> main_;
};

TEST_F(OwnProbsMainTest, StoredInTheDocumentWithAnUndoStepAndTheFile) {
  EXPECT_FALSE(main_->OwnProbs().set);
  EXPECT_FALSE(main_->ChushutsuType().Enabled(kExtractionKindCount));
  EXPECT_FALSE(main_->ValueCheck().enabled);
  EnterRows("50,30,20\n50,30,20\n40,30,30\n40,30,30\n2,3,95\n");
  ASSERT_TRUE(main_->OwnProbs().set);
  EXPECT_DOUBLE_EQ(main_->OwnProbs().p[4][2], 0.95);
  EXPECT_TRUE(main_->BuildDocument().OwnProbs == main_->OwnProbs());
  EXPECT_TRUE(main_->DocumentChanged());
  EXPECT_TRUE(main_->ChushutsuType().Enabled(kExtractionKindCount));
  EXPECT_TRUE(main_->ChushutsuType().Enabled(kExtractionKindCount + 1));
  EXPECT_TRUE(main_->ValueCheck().enabled);

  main_->Execute(Cmd::kUndo);
  EXPECT_FALSE(main_->OwnProbs().set);
  EXPECT_FALSE(main_->DocumentChanged());
  EXPECT_FALSE(main_->ChushutsuType().Enabled(kExtractionKindCount));
  main_->Execute(Cmd::kRedo);
  ASSERT_TRUE(main_->OwnProbs().set);

  // A cancelled window changes nothing.
  host_.answer = [](frmOwnProbs& w) {
    w.Clear();
    return false;
  };
  main_->Execute(Cmd::kOwnProbsButton);
  EXPECT_TRUE(main_->OwnProbs().set);

  // The value condition and the value order go into the document, and a
  // saved document opened again shows them all.
  main_->ValueCheck().Click();
  main_->ValueKind().Choose(kValueRatio);
  main_->ValueMin().SetText("1.25");
  main_->ValueMax().SetText("0");
  main_->ChushutsuType().Choose(kExtractionKindCount + 1);
  main_->CommitEdits();
  DocumentRecord doc = main_->BuildDocument();
  EXPECT_EQ(doc.Conditions.Value, (ValueConditions{true, kValueRatio, 1.25, 0}));
  EXPECT_EQ(doc.Engine.ChushutsuOrder, 2);
  EXPECT_EQ(doc.Engine.ChushutsuType, 0);
  const std::string path = JoinPath(dir_.path(), "value.tpd");
  ASSERT_TRUE(main_->FileSaveTPD(path, true, false));
  const OwnProbabilities saved = main_->OwnProbs();

  main_->NewDocument();
  EXPECT_FALSE(main_->OwnProbs().set);
  EXPECT_FALSE(main_->ValueCheck().Checked());
  EXPECT_EQ(main_->ChushutsuType().Index(), 0);
  ASSERT_TRUE(main_->FileLoadTPD(path, true, false));
  ASSERT_TRUE(main_->OwnProbs().set);
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_NEAR(main_->OwnProbs().p[m][o], saved.p[m][o], 1e-9);
  }
  EXPECT_TRUE(main_->ValueCheck().Checked());
  EXPECT_EQ(main_->ValueKind().Index(), kValueRatio);
  EXPECT_EQ(main_->ValueMin().Text(), "1.25");
  EXPECT_EQ(main_->ChushutsuType().Index(), kExtractionKindCount + 1);
  EXPECT_FALSE(main_->DocumentChanged());
  // A condition file carries the value condition to another document.
  const std::string conditions = JoinPath(dir_.path(), "value.tpj");
  ASSERT_TRUE(main_->FileSaveTPD(conditions, false, false));
  main_->NewDocument();
  ASSERT_TRUE(main_->FileLoadTPD(conditions, false, false));
  EXPECT_EQ(main_->BuildDocument().Conditions.Value, (ValueConditions{true, kValueRatio, 1.25, 0}));
  ASSERT_TRUE(main_->FileLoadTPD(path, true, false));

  // Emptied in the window: the document has none any more.
  host_.answer = [](frmOwnProbs& w) {
    w.Clear();
    return w.Ok();
  };
  main_->Execute(Cmd::kOwnProbs);
  EXPECT_FALSE(main_->OwnProbs().set);
  EXPECT_FALSE(main_->BuildDocument().OwnProbs.set);
}

TEST_F(OwnProbsMainTest, TheModelsProbabilitiesAreMarkedInTheDocumentAndTheMatchTable) {
  // A season of the sample round's clubs before its first match day.
  const char* clubs[] = {"鹿島", "FC東京", "浦和", "京都", "川崎Ｆ",
                         "新潟", "Ｇ大阪", "神戸", "広島", "町田"};
  std::string csv = "match_date,home_team,home_goal,away_goal,away_team,status\n";
  int n = 0;
  for (int h = 0; h < 10; ++h) {
    for (int a = 0; a < 10; ++a) {
      if (h == a) continue;
      csv += "2024/0" + std::to_string(2 + n % 4) + "/1" + std::to_string(n % 10) + "," + clubs[h] +
             "," + std::to_string((h + n) % 3) + "," + std::to_string((a + n) % 2) + "," +
             clubs[a] + ",試合終了\n";
      ++n;
    }
  }
  dir_.WriteBytes("History/2024-J1.csv", csv);
  host_.answer = [](frmOwnProbs& w) { return w.FromModel() && w.Ok(); };
  main_->Execute(Cmd::kOwnProbs);
  const OwnProbabilities& own = main_->OwnProbs();
  ASSERT_TRUE(own.set);
  EXPECT_TRUE(own.source.model);
  EXPECT_EQ(own.source.history_matches, 90);
  EXPECT_EQ(own.source.matches, (std::array<bool, 5>{true, true, true, true, true}));
  main_->Execute(Cmd::kPageMulti);
  EXPECT_EQ(main_->MatchTable().VoteTitle(), clsTGame::kModelTitle);
  EXPECT_TRUE(main_->BuildDocument().OwnProbs == own);
}

TEST_F(OwnProbsMainTest, ValueSortsAndTheSinglesFigures) {
  // Home wins certain in matches 1 to 4, the fifth 50/30/20: singles
  // 1-1-1-1-x differ only in the last match.
  EnterRows("98,1,1\n98,1,1\n98,1,1\n98,1,1\n50,30,20\n");
  // 1 in matches 1 to 4; match m is the digit of 3^m, so the fifth adds 81 x.
  const int home = 1 + 3 + 9 + 27;
  const std::vector<int> set = {home + 162, 0, home + 0, home + 81};
  ASSERT_TRUE(main_->State(Cmd::kSortProbability).enabled);
  clsTSingleSort sort;
  sort.SetVote(main_->Vote());
  sort.SetOwn(main_->OwnProbs());
  std::vector<int> by_p = set;
  sort.ValueSort(by_p, clsTSingleSort::kByProbability, false);
  EXPECT_EQ(by_p, (std::vector<int>{home + 81, home + 0, home + 162, 0}));
  sort.ValueSort(by_p, clsTSingleSort::kByProbability, true);
  EXPECT_EQ(by_p, (std::vector<int>{0, home + 162, home + 0, home + 81}));
  // By expected value the order follows probability x payout, whatever it is.
  std::vector<int> by_value = set;
  sort.ValueSort(by_value, clsTSingleSort::kByExpected, false);
  clsTValue value;
  value.SetVote(main_->Vote());
  value.SetOwn(main_->OwnProbs());
  for (size_t i = 1; i < by_value.size(); ++i) {
    EXPECT_GE(value.Of(by_value[i - 1]).expected_per_100, value.Of(by_value[i]).expected_per_100);
  }

  // The singles page shows the three figures under each single.
  main_->Execute(Cmd::kPageSingle);
  Grid& figures = main_->SingleList().List().grid();
  ASSERT_EQ(figures.Rows(), clsTSingleList::kValueRows);
  const int first = main_->Singles().at(0);
  const SingleValue& v = value.Of(first);
  EXPECT_EQ(figures.Text(4, 2), FormatNumber(v.probability * 100, "0.00") + "%");
  EXPECT_EQ(figures.Text(5, 2), FormatNumber(v.expected_per_100, "#,##0"));
  EXPECT_EQ(figures.Text(6, 2), FormatNumber(v.ratio, "0.00"));
  // The menu's sort moves the document's singles, descending by default.
  main_->Execute(Cmd::kSortProbability);
  for (size_t i = 1; i < main_->Singles().size(); ++i) {
    EXPECT_GE(value.Of(main_->Singles()[i - 1]).probability,
              value.Of(main_->Singles()[i]).probability);
  }
  main_->Execute(Cmd::kUndo);
  main_->Execute(Cmd::kUndo);
  EXPECT_FALSE(main_->OwnProbs().set);
  EXPECT_FALSE(main_->State(Cmd::kSortExpected).enabled);
  main_->Execute(Cmd::kPageSingle);
  EXPECT_EQ(figures.Rows(), clsTSingleList::kRows);
}

TEST_F(OwnProbsMainTest, LiveFiguresAreThoseOfTheCommandLine) {
  EXPECT_EQ(main_->OwnChancesText(), "");
  EnterRows("45,30,25\n40,35,25\n60,25,15\n35,30,35\n50,28,22\n");
  const std::string path = JoinPath(dir_.path(), "own.tpd");
  ASSERT_TRUE(main_->FileSaveTPD(path, true, false));
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"chances", path}, in, out, err), 0) << err.str();
  std::smatch win, ret;
  const std::string text = out.str();
  ASSERT_TRUE(std::regex_search(text, win, std::regex("a win\\): ([0-9.e-]+)%"))) << text;
  ASSERT_TRUE(std::regex_search(text, ret, std::regex("([0-9,.]+) yen per 100 yen"))) << text;
  const ChancesReport r = main_->OwnChances();
  EXPECT_NEAR(r.win * 100, std::stod(win[1]), 1e-5 * std::stod(win[1]));
  EXPECT_EQ(FormatNumber(r.per_100, "#,##0.00"), ret[1].str());
  EXPECT_EQ(main_->OwnChancesText(), "自分の確率で　的中 " + FormatNumber(r.win * 100, "0.00") +
                                         "%　期待値 " + FormatNumber(r.per_100, "#,##0.0") +
                                         "円／100円");
  // The purchase analysis starts from the same probabilities, with the value
  // ratio of each single beside its expected value.
  frmAnalysis analysis;
  analysis.SetDocument(main_->BuildDocument());
  EXPECT_TRUE(analysis.OwnProbabilities());
  EXPECT_EQ(analysis.ChancesGrid().Text(4, 2), FormatNumber(r.per_100, "#,##0.00") + "円");
  EXPECT_EQ(analysis.ValueGrid().Text(1, 6), "確率比");
  const SingleChance best = *std::max_element(
      r.singles.begin(), r.singles.end(),
      [](const SingleChance& a, const SingleChance& b) { return a.value < b.value; });
  clsTValue value;
  value.SetVote(main_->Vote());
  value.SetOwn(main_->OwnProbs());
  EXPECT_EQ(analysis.ValueGrid().Text(2, 6), FormatNumber(value.Of(best.single).ratio, "0.00"));

  // An edit of the singles moves the figures with it.
  main_->Execute(Cmd::kPageSingle);
  main_->SingleList().SetAllSelect(true);
  fake_.QueueAnswer(MsgAnswer::kYes);
  main_->Execute(Cmd::kDeleteSinglesButton);
  EXPECT_EQ(main_->OwnChances().tickets, 0);
  EXPECT_EQ(main_->OwnChancesText(), "自分の確率で　的中 0.00%");
}

TEST_F(OwnProbsMainTest, TheWindowsSearchUsesTheValueConditionAndOrder) {
  EnterRows("45,30,25\n40,35,25\n60,25,15\n35,30,35\n50,28,22\n");
  clsTValue value;
  value.SetVote(main_->Vote());
  value.SetOwn(main_->OwnProbs());
  main_->ValueCheck().Click();
  main_->ValueKind().Choose(kValueRatio);
  main_->ValueMin().SetText("1");
  main_->Execute(Cmd::kRun);
  ASSERT_GT(main_->SingleCount(), 0);
  for (int s : main_->Singles()) EXPECT_GE(value.Of(s).ratio, 1.0) << s;
  const std::vector<int> kept = main_->Singles();

  // Three by expected value: the three best of what the conditions keep.
  main_->Chushutsu().Click();
  main_->Sakugen().SetExtraction(Money::FromInt(3));
  main_->ChushutsuType().Choose(kExtractionKindCount);
  main_->Execute(Cmd::kRun);
  std::vector<int> best = kept;
  std::stable_sort(best.begin(), best.end(), [&](int a, int b) {
    return value.Of(a).expected_per_100 > value.Of(b).expected_per_100;
  });
  best.resize(3);
  std::sort(best.begin(), best.end());
  EXPECT_EQ(main_->Singles(), best);
}

TEST_F(OwnProbsMainTest, ValueThresholdsKeepEveryDigit) {
  main_->ValueMin().SetText("0.00002");
  main_->ValueMax().SetText("1.23456789");
  EXPECT_EQ(main_->BuildDocument().Conditions.Value.Min, 0.00002);
  const std::string path = JoinPath(dir_.path(), "thresholds.tpd");
  ASSERT_TRUE(main_->FileSaveTPD(path, true, false));
  main_->ValueMin().SetText("7");
  ASSERT_TRUE(main_->FileLoadTPD(path, true, false));
  EXPECT_EQ(main_->ValueMin().Text(), "0.00002");
  EXPECT_EQ(main_->BuildDocument().Conditions.Value.Max, 1.23456789);
}

// A backtest row opens its round as the backtest replayed it, as a new
// document after the question about the open one: its multi and bought
// singles, its own votes, none of the own probabilities typed for 1487 A.
TEST_F(OwnProbsMainTest, ABacktestRowOpensItsReplayedRoundAsANewDocument) {
  EnterRows("50,30,20\n50,30,20\n40,30,30\n40,30,30\n2,3,95\n");
  ASSERT_TRUE(main_->DocumentChanged());
  const std::vector<int> own_singles = main_->Singles();
  int opened = 0;
  host_.backtest = [&](frmBacktest& b) {
    b.From().SetIntValue(1487);
    b.To().SetIntValue(1487);
    b.GroupOption().Choose(2);  // B
    b.MultiOption().Choose(2);  // the document's multi
    ASSERT_TRUE(b.Run());
    ASSERT_EQ(b.Rows().size(), 1u);
    const DocumentRecord& replayed = b.Report().rounds[0].replayed;
    ASSERT_GT(replayed.SingleCount, 0);
    fake_.QueueAnswer(MsgAnswer::kCancel);  // keeps the document
    b.OpenRound(0);
    EXPECT_EQ(fake_.MessageTexts().back(), "変更を保存しますか？");
    EXPECT_EQ(main_->Singles(), own_singles);
    fake_.QueueAnswer(MsgAnswer::kNo);
    b.OpenRound(0);
    ++opened;
    EXPECT_EQ(main_->Round().Kaisaikai(), 1487);
    EXPECT_EQ(main_->Round().Kumi(), "B");
    EXPECT_EQ(main_->FileName(), "");
    EXPECT_FALSE(main_->DocumentChanged());
    EXPECT_FALSE(main_->OwnProbs().set);
    EXPECT_EQ(main_->Singles(),
              std::vector<int>(replayed.SingleData.begin(),
                               replayed.SingleData.begin() + replayed.SingleCount));
    const DocumentRecord now = main_->BuildDocument();
    EXPECT_TRUE(now.Multi == replayed.Multi);
    EXPECT_TRUE(now.Vote.matches == replayed.Vote.matches);
    // The window stays for the next row: nothing changed, nothing asked.
    fake_.ClearRecords();
    b.OpenRound(0);
    EXPECT_TRUE(fake_.messages().empty());
  };
  main_->Execute(Cmd::kBacktest);
  EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace zelvo
