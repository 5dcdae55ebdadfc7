// The main window's controller on the shipped program folder, headless: its
// start and close, the search commands and their guards, the files, the home
// page and the menus' states.
#include "ui/main_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/cli.h"
#include "core/single_number.h"
#include "files/main_ini.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/analysis_window.h"
#include "ui/batch_window.h"
#include "ui/odds_window.h"

namespace zelvo {
namespace {

class ScriptedHost : public testing::QuietHost {
 public:
  void ShowKouseiBunseki(frmKouseiBunseki& w) override { shown.push_back(&w); }
  void CloseKouseiBunseki(frmKouseiBunseki& w) override { closed.push_back(&w); }
  void ShowAnalysis(frmAnalysis& a) override {
    analysed = a.Coverage().results;
    if (analysis_action) analysis_action(a);
  }
  bool RunOdds(frmOdds& odds) override { return odds_answer ? odds_answer(odds) : false; }
  void RunPrint(frmPrint&) override { ++printed; }
  bool RunTeamNames(frmTeamNames& dialog) override {
    return team_names ? team_names(dialog) : false;
  }
  void ShowBatch(BatchTarget& target) override { batch = &target; }
  void ShowAbout() override { ++about; }
  void RunBacktest(frmBacktest& b) override {
    if (backtest_answer) backtest_answer(b);
  }
  std::function<bool(frmOdds&)> odds_answer;
  std::function<bool(frmTeamNames&)> team_names;
  std::function<void(frmAnalysis&)> analysis_action;
  std::function<void(frmBacktest&)> backtest_answer;
  BatchTarget* batch = nullptr;
  int printed = 0, about = 0;
  int analysed = -1;
  std::vector<frmKouseiBunseki*> shown, closed;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    fake_.ClearRecords();
  }
  bool OpenSample(const char* name = "sample-guarantee.tpd") {
    return main_->FileLoadTPD(testing::SampleDocumentPath(name), true, false);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  ScriptedHost host_;
  std::unique_ptr<frmMain> main_;
};

TEST_F(MainWindowTest, StartsOnTheRememberedRoundAndWritesItOnClose) {
  MainWindowSettings settings;
  settings.Kaisaikai = 1487;
  settings.DownloadMessage = false;
  settings.ResultAll = true;
  ASSERT_TRUE(SaveMainIni(settings));
  frmMain main(&host_);
  main.Load();
  EXPECT_EQ(main.Kaisaikai(), 1487);
  EXPECT_EQ(main.Kumi(), "A");
  EXPECT_FALSE(main.DownloadConfirm().Checked());
  EXPECT_TRUE(main.ResultAll().Checked());
  EXPECT_EQ(main.RoundLabel(), " 第 1487 回  [ A組 ] ");
  EXPECT_EQ(main.StatusText(), " 第 1487 回  [ A組 ] 　使用投票率：2024/06/22 (最終)");
  EXPECT_EQ(main.Title(), " Pendralcove  Zelvo mini");
  EXPECT_TRUE(DirExists(ResolveProgramPath("UserData/Zelvomini")));

  main.Round().SetKaisaikai(1500);
  main.DownloadConfirm().Click();
  EXPECT_TRUE(main.QueryClose());
  main.Unload();
  MainWindowSettings saved = LoadMainIni();
  EXPECT_EQ(saved.Kaisaikai, 1500);
  EXPECT_TRUE(saved.DownloadMessage);
  EXPECT_TRUE(saved.ResultAll);
}

TEST_F(MainWindowTest, EmptyMultiStartsNoEngine) {
  main_->EngineOption().Choose(1);
  main_->Execute(Cmd::kRun);
  EXPECT_EQ(main_->SingleCount(), 0);
  for (const std::string& line : main_->Log().Lines()) {
    EXPECT_EQ(line.find("候補の検索中"), std::string::npos) << line;
  }
  EXPECT_EQ(main_->State(Cmd::kRun).caption, "検索開始");
  EXPECT_TRUE(main_->State(Cmd::kRun).enabled);
  EXPECT_FALSE(main_->State(Cmd::kStop).enabled);
}

TEST_F(MainWindowTest, RunButtonDuringARun) {
  ASSERT_TRUE(OpenSample());
  // Mode 1: the fast engine cannot pause, so the button is disabled while it runs.
  std::vector<ActionState> seen;
  fake_.on_yield = [&] {
    if (!main_->IsIdle()) seen.push_back(main_->State(Cmd::kRun));
  };
  main_->Execute(Cmd::kRun);
  ASSERT_FALSE(seen.empty());
  EXPECT_FALSE(seen.front().enabled);
  EXPECT_EQ(main_->SingleCount(), 18);

  // Mode 2: the trial engine's button pauses and resumes; closing, page
  // switches and file commands are refused meanwhile.
  main_->EngineOption().Choose(2);
  EXPECT_EQ(main_->EngineFrame(), 1);
  std::vector<std::string> captions;
  bool pressed = false;
  fake_.on_yield = [&] {
    if (main_->IsIdle() || main_->Search().Engine().RunningKind() != 2 || pressed) return;
    pressed = true;
    EXPECT_EQ(main_->LogSelection(), -1);  // the list follows the new run
    captions.push_back(main_->State(Cmd::kRun).caption);
    main_->Execute(Cmd::kRun);
    captions.push_back(main_->State(Cmd::kRun).caption);
    main_->Execute(Cmd::kRun);
    captions.push_back(main_->State(Cmd::kRun).caption);
    EXPECT_TRUE(main_->State(Cmd::kRun).enabled);
    EXPECT_TRUE(main_->State(Cmd::kStop).enabled);
    EXPECT_FALSE(main_->State(Cmd::kFileSave).enabled);
    EXPECT_FALSE(main_->State(Cmd::kPercent).enabled);
    EXPECT_FALSE(main_->State(Cmd::kSortMenu).enabled);
    fake_.ClearRecords();
    EXPECT_FALSE(main_->QueryClose());
    main_->ShowPage(0);
    EXPECT_EQ(main_->CurrentPage(), 1);
    EXPECT_EQ(fake_.MessageTexts(),
              (std::vector<std::string>{frmMain::kBusyMessage, frmMain::kBusyMessage}));
    main_->Execute(Cmd::kStop);
  };
  main_->Execute(Cmd::kRun);
  EXPECT_EQ(captions, (std::vector<std::string>{"一時停止", "検索再開", "一時停止"}));
  EXPECT_TRUE(main_->IsIdle());
  EXPECT_EQ(main_->State(Cmd::kRun).caption, "検索開始");
  EXPECT_TRUE(main_->QueryClose());
}

TEST_F(MainWindowTest, SavedDocumentMatchesTheCommandLine) {
  ASSERT_TRUE(OpenSample());
  EXPECT_EQ(main_->Title(), " Pendralcove  Zelvo mini - [sample-guarantee.tpd]");
  EXPECT_EQ(main_->CurrentPage(), 1);
  main_->Execute(Cmd::kRun);
  ASSERT_TRUE(main_->FileSaveTPD(Path("window.tpd"), true, false));

  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"search", testing::SampleDocumentPath(), "-o", Path("cli.tpd")}, in, out, err),
            0)
      << err.str();
  // The run log's lines carry the seconds since the search began.
  auto normalised = [](const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return std::regex_replace(ss.str(), std::regex("\n[0-9]{4} "), "\nNNNN ");
  };
  EXPECT_EQ(normalised(Path("window.tpd")), normalised(Path("cli.tpd")));
}

TEST_F(MainWindowTest, ConditionsFileKeepsSinglesAndRound) {
  ASSERT_TRUE(OpenSample("sample-tolerance.tpd"));
  ASSERT_TRUE(main_->FileSaveTPD(Path("tolerance.tpj"), false, false));
  const ReductionConditions tolerance = main_->BuildDocument().Conditions;
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  ASSERT_FALSE(singles.empty());
  ASSERT_NE(main_->BuildDocument().Conditions, tolerance);
  EXPECT_TRUE(main_->FileLoadTPD(Path("tolerance.tpj"), false, true));
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->Kaisaikai(), 1487);
  EXPECT_EQ(main_->BuildDocument().Conditions, tolerance);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
}

TEST_F(MainWindowTest, FilesThatFailChangeNothing) {
  ASSERT_TRUE(OpenSample());
  const DocumentRecord before = main_->BuildDocument();
  dir_.WriteBytes("other.tpd", "not a document\r\n");
  EXPECT_FALSE(main_->FileLoadTPD(Path("other.tpd"), true, true));
  ASSERT_FALSE(fake_.messages().empty());
  EXPECT_EQ(fake_.messages().back().text, "Zelvo miniのファイルではありません。");
  EXPECT_EQ(fake_.messages().back().title, "ファイルタイプ警告");

  // A document whose head is ours but whose body is damaged.
  std::string bytes = dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd");
  bytes = bytes.substr(0, bytes.find("<SingleData>")) + "<SingleData>\r\nZZZ\r\n";
  dir_.WriteBytes("damaged.tpd", bytes);
  fake_.ClearRecords();
  EXPECT_FALSE(main_->FileLoadTPD(Path("damaged.tpd"), true, true));
  EXPECT_EQ(fake_.MessageTexts().back(), "ファイルの読込に失敗しました。");

  const DocumentRecord after = main_->BuildDocument();
  EXPECT_EQ(after.SingleData, before.SingleData);
  EXPECT_EQ(after.Conditions, before.Conditions);
  EXPECT_EQ(after.Multi, before.Multi);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());

  // A save into a folder that cannot be made keeps the document's name.
  dir_.WriteBytes("blocker", "x");
  EXPECT_FALSE(main_->FileSaveTPD(Path("blocker/inside.tpd"), true, false));
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
}

TEST_F(MainWindowTest, FileDialogsAndDefaultNames) {
  ASSERT_TRUE(OpenSample());
  EXPECT_EQ(main_->DefaultDocumentName(), "Zmini-1487A");
  main_->Round().SetKaisaikai(7);
  main_->Round().SetKumi("B");
  EXPECT_EQ(main_->DefaultDocumentName(), "Zmini-007B");
  fake_.QueueFileName(Path("saved"));  // no extension: the dialog's is added
  main_->Execute(Cmd::kFileSaveAs);
  EXPECT_TRUE(FileExists(Path("saved.tpd")));
  EXPECT_EQ(main_->FileName(), Path("saved.tpd"));
  fake_.QueueFileName(Path("conditions"));
  main_->Execute(Cmd::kJoukenSave);
  EXPECT_TRUE(FileExists(Path("conditions.tpj")));

  main_->Execute(Cmd::kFileNew);
  EXPECT_EQ(main_->CurrentPage(), 0);
  EXPECT_EQ(main_->SingleCount(), 0);
  EXPECT_EQ(main_->FileName(), "");
  fake_.QueueFileName(Path("saved"));
  main_->Execute(Cmd::kFileOpen);
  EXPECT_EQ(main_->SingleCount(), 18);
  EXPECT_EQ(main_->Kaisaikai(), 7);
}

TEST_F(MainWindowTest, SavesOverFilesInUseAreRefused) {
  dir_.WriteBytes("g.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
  dir_.WriteBytes("queued.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-tolerance.tpd"));
  ASSERT_TRUE(main_->FileLoadTPD(Path("g.tpd"), true, false));
  ::symlink("g.tpd", Path("g-link.tpd").c_str());
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  frmRenzoku batch(host_.batch);
  fake_.QueueFileName(Path("queued.tpd"));
  batch.Execute(BatchCmd::kAdd);
  const std::string document = dir_.ReadBytes("g.tpd");
  const std::string queued = dir_.ReadBytes("queued.tpd");
  // A CSV or conditions file over the open document (also through a link),
  // a document over a queued one, anything into SysData.
  const std::pair<Cmd, std::string> refused[] = {{Cmd::kCsvSave, "g.tpd"},
                                                 {Cmd::kJoukenSave, "g-link.tpd"},
                                                 {Cmd::kFileSaveAs, "queued.tpd"},
                                                 {Cmd::kCsvSave, "queued.tpd"},
                                                 {Cmd::kCsvSave, "SysData/J1J2.dat"}};
  for (const auto& [cmd, name] : refused) {
    SCOPED_TRACE(name);
    fake_.ClearRecords();
    fake_.QueueFileName(Path(name));
    main_->Execute(cmd);
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text.rfind(Path(name) + "\r\n", 0), 0u)
        << fake_.messages()[0].text;
  }
  EXPECT_EQ(dir_.ReadBytes("g.tpd"), document);
  EXPECT_EQ(dir_.ReadBytes("queued.tpd"), queued);
  EXPECT_EQ(main_->FileName(), Path("g.tpd"));
  // Saving the document under its own name is the plain save.
  fake_.ClearRecords();
  fake_.QueueFileName(Path("g-link.tpd"));
  main_->Execute(Cmd::kFileSaveAs);
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages()[0].text;
  EXPECT_TRUE(std::filesystem::is_symlink(Path("g-link.tpd")));
}

TEST_F(MainWindowTest, HomePageFollowsTheCache) {
  main_->Round().SetKaisaikai(1487);
  // The shipped cache holds all three kinds for round 1487 A; each can be
  // fetched again.
  EXPECT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadVote).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadResult).enabled);
  EXPECT_TRUE(main_->SaleStatus().visible);
  EXPECT_EQ(main_->SaleStatus().sale_end, "2024年06月22日(土) 13:50:00");
  EXPECT_EQ(main_->SaleStatus().status, "販売終了");

  DateTime end;
  DateTime::FromParts(2024, 6, 22, 13, 50, 0, end);
  fake_.SetNow(DateTime::FromSeconds(end.seconds() - 3900));
  main_->ShowPage(0);
  EXPECT_EQ(main_->SaleStatus().status, "販売締切まで あと 1時間5分");
  fake_.SetNow(DateTime::FromSeconds(end.seconds() - (2 * 86400 + 3 * 3600)));
  main_->ShowPage(0);
  EXPECT_EQ(main_->SaleStatus().status, "販売締切まで あと 2日 3時間0分");

  main_->Round().SetKaisaikai(1600);  // nothing cached, no schedule
  EXPECT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  EXPECT_TRUE(main_->State(Cmd::kDownloadResult).enabled);
  EXPECT_FALSE(main_->SaleStatus().visible);
  EXPECT_EQ(main_->StatusText(), " 第 1600 回  [ A組 ] ");

  main_->Round().SetKaisaikai(0);
  fake_.ClearRecords();
  for (Cmd c : {Cmd::kDownloadSchedule, Cmd::kDownloadVote, Cmd::kDownloadResult}) {
    main_->Execute(c);
  }
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>(3, "開催回を設定して下さい"));
}

TEST_F(MainWindowTest, MenusFollowThePage) {
  EXPECT_FALSE(main_->State(Cmd::kSelectAll).enabled);
  EXPECT_FALSE(main_->State(Cmd::kSortMoney2).visible);  // one prize grade
  EXPECT_FALSE(main_->State(Cmd::kSortMark3).visible);
  main_->Execute(Cmd::kPageSingle);
  EXPECT_TRUE(main_->State(Cmd::kSelectAll).enabled);
  EXPECT_TRUE(main_->State(Cmd::kPageSingle).checked);
  EXPECT_FALSE(main_->State(Cmd::kPageHome).checked);
  EXPECT_FALSE(main_->State(Cmd::kSortHits).enabled);
  main_->Execute(Cmd::kPercent);
  EXPECT_TRUE(main_->State(Cmd::kPercent).checked);
  EXPECT_TRUE(main_->SingleList().CountPanel().Percent());
  EXPECT_FALSE(main_->MoneyCheck(2).visible);
}

TEST_F(MainWindowTest, ConditionTabsColourTheMultiAndCloseAnalyses) {
  ASSERT_TRUE(OpenSample());
  main_->SelectConditionTab(3);  // 勝敗
  CountConditionModels& mark = main_->CountCondition(3);
  // Untick target outcome "1" (the first cell after the title).
  GridClick click;
  click.row = 1;
  click.col = 2;
  mark.outcome.Click(click);
  // Outcome 1 is grid column 1 of the multi: no longer a target.
  EXPECT_EQ(main_->MultiGrid().Cell(2, 1).back, kColorButtonFace);
  EXPECT_NE(main_->MultiGrid().Cell(2, 2).back, kColorButtonFace);

  // The row title's menu asks for a composition analysis of the row.
  fake_.QueueMenuChoice(2);  // after "キャンセル" and the separator: 構成分析
  click.row = 2;
  click.col = 1;
  click.button = MouseButton::kRight;
  mark.count.Click(click);
  ASSERT_EQ(host_.shown.size(), 1u);
  EXPECT_EQ(main_->KouseiWindows().size(), 1u);
  main_->SelectConditionTab(0);
  EXPECT_EQ(host_.closed.size(), 1u);
  EXPECT_TRUE(main_->KouseiWindows().empty());
  EXPECT_EQ(main_->MultiGrid().Cell(2, 1).back, kColorWhite);
}

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

class MainWindowCommandsTest : public MainWindowTest {
 protected:
  // Singles through the clipboard import: one line of five digits each.
  void Import(const std::vector<int>& singles) {
    std::string text;
    for (int s : singles) {
      for (int m = 0; m < 5; ++m) text += std::to_string(OutcomeOf(s, m));
      text += "\r\n";
    }
    fake_.SetClipboardText(text);
    main_->Execute(Cmd::kImportSinglesRows);
  }
};

TEST_F(MainWindowCommandsTest, DuplicatesAreRemovedWithAReport) {
  std::vector<int> singles;
  for (int i = 0; i < 100; ++i) singles.push_back(i);
  for (int i = 0; i < 20; ++i) singles.push_back(i * 3);
  Import(singles);
  EXPECT_EQ(main_->SingleCount(), 120);
  EXPECT_EQ(fake_.MessageTexts().back(), "120口取り込みしました");
  EXPECT_EQ(main_->CurrentPage(), 3);
  main_->Execute(Cmd::kRemoveDuplicates);
  EXPECT_EQ(fake_.MessageTexts().back(),
            "重複したシングルを消去しました\r\nシングル総数：120 → 100");
  EXPECT_EQ(main_->SingleCount(), 100);
  EXPECT_EQ(main_->Singles().back(), 99);
  EXPECT_EQ(main_->CurrentPage(), 2);
  main_->Execute(Cmd::kRemoveDuplicates);
  EXPECT_EQ(fake_.MessageTexts().back(), "重複したシングルは存在しません");
}

TEST_F(MainWindowCommandsTest, ClipboardWithoutSinglesChangesNothing) {
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  fake_.ClearRecords();
  fake_.SetClipboardText("no singles here\r\n");
  main_->Execute(Cmd::kImportSinglesRows);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(main_->CurrentPage(), 1);
}

TEST_F(MainWindowCommandsTest, CsvFilesInAndOut) {
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  fake_.QueueFileName(Path("Zmini-1487A"));
  main_->Execute(Cmd::kCsvSave);
  ASSERT_TRUE(FileExists(Path("Zmini-1487A.csv")));

  // A damaged file changes nothing.
  dir_.WriteBytes("damaged.csv", std::string("\x00\x01\x02", 3));
  fake_.QueueFileName(Path("damaged.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
  // A bad line is told with the file and the line.
  dir_.WriteBytes("bad.csv", "1,0,2,0,1\r\n1,x,0,0,0\r\n");
  fake_.QueueFileName(Path("bad.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(fake_.MessageTexts().back(),
            Path("bad.csv") + "\r\n2行目：試合の結果は 1, 0, 2 のいずれかです。");
  EXPECT_EQ(main_->Singles(), singles);

  main_->Execute(Cmd::kFileNew);
  main_->Round().SetKaisaikai(5);
  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->Kaisaikai(), 1487);  // the round and group of the file name
  EXPECT_EQ(main_->CurrentPage(), 2);

  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvAdd);
  EXPECT_EQ(main_->SingleCount(), 2 * static_cast<int>(singles.size()));
  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvDel);
  EXPECT_EQ(main_->SingleCount(), 0);
}

TEST_F(MainWindowCommandsTest, SortsFromTheMenuAndTheButton) {
  Import({242, 0, 121, 81});
  main_->ShowPage(2);
  main_->Execute(Cmd::kSortMark1);  // most draws first
  EXPECT_EQ(main_->Singles().front(), 0);
  main_->Execute(Cmd::kSortAscending);
  EXPECT_TRUE(main_->State(Cmd::kSortAscending).checked);
  main_->Execute(Cmd::kSortMark1);
  EXPECT_EQ(main_->Singles().back(), 0);
  EXPECT_EQ(main_->SingleList().Draw().Slot(3), 0);  // the page shows the new order

  // The button pops the menu up; its first entry cascades into the payouts.
  fake_.QueueMenuChoice(1);  // 勝敗数
  fake_.QueueMenuChoice(2);  // アウェイ勝ち
  main_->Execute(Cmd::kSortButton);
  ASSERT_FALSE(fake_.menus().empty());
  EXPECT_EQ(fake_.menus()[0].entries[0].submenu.size(), 1u);  // grade 1 only
  EXPECT_EQ(main_->Singles().back(), 242);
  main_->Execute(Cmd::kPageCheck);
  main_->Execute(Cmd::kSortHits);
  EXPECT_EQ(main_->SingleCount(), 4);
}

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

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

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
    EXPECT_EQ(analysis.MinimumText(), "最小口数：11口（証明済み）　現在のシングル（18口）より少なくできます");
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

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

TEST_F(MainWindowTest, DamagedCacheAndEmptyVotesLeaveTheWindowUsable) {
  // A damaged vote file: the service says so, the round shows without votes.
  dir_.WriteBytes("SysData/minitoto_Vote/minitoto_vote_1487_B.xml", "<投票状況>\r\n<開催回>x");
  dir_.WriteBytes("SysData/minitoto_Schedule/minitoto_schedule_1487_B.xml", std::string(5000, '\0'));
  main_->Round().SetKaisaikai(1487);
  main_->Round().SetKumi("B");
  EXPECT_EQ(main_->Vote().Kaisaikai, 0);
  EXPECT_EQ(main_->StatusText(), " 第 1487 回  [ B組 ] ");
  main_->ShowPage(1);
  EXPECT_EQ(main_->MatchTable().VoteGrid().Text(1, 1), "0.00");

  // A vote status without a single vote: no ranks, no estimates, no failure.
  fake_.ClearRecords();
  main_->Round().SetKumi("A");
  ASSERT_TRUE(OpenSample());
  DocumentRecord doc = main_->BuildDocument();
  for (auto& m : doc.Vote.matches) {
    for (auto& o : m.outcomes) o = VoteOutcome();
  }
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(Path("novotes.tpd"), true, doc, false));
  ASSERT_TRUE(main_->FileLoadTPD(Path("novotes.tpd"), true, true));
  main_->Execute(Cmd::kRun);
  main_->ShowPage(2);
  EXPECT_EQ(main_->SingleList().List().grid().Text(1, 2), "");
  EXPECT_EQ(main_->MatchTable().Graph().Share(1, 0), 0);
  main_->ShowPage(3);
  EXPECT_EQ(main_->CurrentPage(), 3);
}

// A result cache cut short is no result for the check page, and the user
// can fetch the round again over it: the download asks first.
TEST_F(MainWindowTest, CutResultCacheIsNoResultUntilFetchedAgain) {
  const std::string file = "SysData/minitoto_Result/minitoto_result_1487_A.xml";
  const std::string whole = dir_.ReadBytes(file);
  dir_.WriteBytes(file, whole.substr(0, whole.rfind("</", whole.rfind("</minitoto>") - 1)));
  main_->Round().SetKaisaikai(1487);
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"XMLデータが異常です。"});
  EXPECT_EQ(main_->Result().Kaisaikai, 0);
  main_->ShowPage(3);
  EXPECT_FALSE(main_->ResultCheck().Official());
  EXPECT_FALSE(main_->State(Cmd::kShowAllResults).enabled);

  testing::HttpTestServer server;
  testing::PointSettingsAt(server);
  server.SetPage("/result", testing::ReadPage("result_1487.html"));
  // The schedule is cached and usable: No leaves it and asks the site nothing.
  ASSERT_TRUE(main_->State(Cmd::kDownloadSchedule).enabled);
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  main_->ShowPage(0);
  main_->Execute(Cmd::kDownloadSchedule);
  EXPECT_EQ(fake_.messages().at(0).text, "キャッシュ済みの開催情報を再ダウンロードしますか？");
  EXPECT_TRUE(server.Requests().empty());

  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kYes);
  main_->Execute(Cmd::kDownloadResult);
  EXPECT_EQ(fake_.messages().at(0).text, "キャッシュ済みのくじ結果を再ダウンロードしますか？");
  EXPECT_EQ(fake_.messages().at(0).buttons, MsgButtons::kYesNo);
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(main_->Result().Kaisaikai, 1487);
  main_->ShowPage(3);
  EXPECT_TRUE(main_->ResultCheck().Official());
  EXPECT_EQ(dir_.ReadBytes(file), whole);
}

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

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

}  // namespace
}  // namespace zelvo

namespace zelvo {
namespace {

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

TEST_F(MainWindowTest, BatchRunThroughTheMainWindow) {
  dir_.WriteBytes("a.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
  dir_.WriteBytes("b.tpj", "not ours\r\n");
  dir_.WriteBytes("c.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-tolerance.tpd"));
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  frmRenzoku batch(host_.batch);
  for (const char* f : {"a.tpd", "b.tpj", "c.tpd"}) batch.AddFile(Path(f));
  batch.Run();
  ASSERT_EQ(batch.Rows().size(), 3u);
  EXPECT_EQ(batch.Rows()[0].status, "成功");
  EXPECT_EQ(batch.Rows()[1].status, "失敗");
  EXPECT_EQ(batch.Rows()[2].status, "成功");
  EXPECT_TRUE(fake_.messages().empty());  // a batch shows no message per file

  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"search", testing::SampleDocumentPath("sample-tolerance.tpd"), "-o",
                    Path("cli.tpd")},
                   in, out, err),
            0);
  clsTFileTPD tpd;
  DocumentRecord by_batch, by_cli;
  ASSERT_TRUE(tpd.LoadFile(Path("c.tpd"), by_batch, false));
  ASSERT_TRUE(tpd.LoadFile(Path("cli.tpd"), by_cli, false));
  EXPECT_EQ(by_batch.SingleData, by_cli.SingleData);
}

}  // namespace
}  // namespace zelvo
