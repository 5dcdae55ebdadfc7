// The tool windows' controllers, headless: the vote-rate window's sums, units
// and keys; the batch run over the real main window with documents that
// cannot be run; the print window's Printer.ini and its refusals; the
// team-name dialog's checks; the download window's cancel.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <map>

#include "core/toto_data.h"
#include "files/printer_ini.h"
#include "official/services.h"
#include "official/xml_schedule.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/recording_printer.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/about_window.h"
#include "ui/batch_window.h"
#include "ui/download_window.h"
#include "ui/main_window.h"
#include "ui/odds_window.h"
#include "ui/print_window.h"
#include "ui/team_name_dialog.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- odds window

frmOdds::Rates EvenRates() {
  frmOdds::Rates r{};
  for (int m = 0; m < 5; ++m) {
    r[1][m] = 5000;
    r[0][m] = 3000;
    r[2][m] = 2000;
  }
  return r;
}

TEST(OddsWindowTest, RowsThatStopAddingUpAfterTheSwitchTurnRedAndBlockOk) {
  frmOdds odds;
  frmOdds::Rates rates = EvenRates();
  rates[1][0] = 3334;
  rates[0][0] = 3333;
  rates[2][0] = 3333;
  odds.Setup(rates, {});
  EXPECT_EQ(odds.FieldText(frmOdds::FieldOf(0, 0)), "3334");  // outcome 1 first
  EXPECT_TRUE(odds.OkEnabled());

  odds.ModeOption().Choose(frmOdds::kPercent);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(odds.FieldText(frmOdds::FieldOf(0, c)), "33");
  EXPECT_EQ(odds.FieldText(frmOdds::FieldOf(1, 0)), "50");
  EXPECT_TRUE(odds.FieldRed(frmOdds::FieldOf(0, 2)));
  EXPECT_FALSE(odds.FieldRed(frmOdds::FieldOf(1, 0)));
  EXPECT_FALSE(odds.OkEnabled());
  EXPECT_FALSE(odds.Ok());
  EXPECT_FALSE(odds.Result());

  // Fixed in percent, OK hands back per ten thousand.
  ASSERT_TRUE(odds.SetFieldText(frmOdds::FieldOf(0, 1), "34"));
  ASSERT_TRUE(odds.Ok());
  EXPECT_EQ(odds.ResultRates()[1][0], 3300);
  EXPECT_EQ(odds.ResultRates()[0][0], 3400);
  EXPECT_EQ(odds.ResultRates()[2][4], 2000);

  // Back to per ten thousand the values are multiplied again.
  odds.ModeOption().Choose(frmOdds::kPerTenThousand);
  EXPECT_EQ(odds.FieldText(frmOdds::FieldOf(0, 1)), "3400");
  EXPECT_TRUE(odds.OkEnabled());
}

TEST(OddsWindowTest, EmptyFieldsCountZeroAndBadTextIsRefused) {
  frmOdds odds;
  odds.Setup(EvenRates(), {});
  // An emptied field counts as 0: 5000 + 0 + 2000.
  ASSERT_TRUE(odds.SetFieldText(frmOdds::FieldOf(2, 1), ""));
  EXPECT_EQ(odds.FieldValue(frmOdds::FieldOf(2, 1)), 0);
  EXPECT_FALSE(odds.MatchValid(2));
  ASSERT_TRUE(odds.SetFieldText(frmOdds::FieldOf(2, 1), "3000"));
  EXPECT_TRUE(odds.OkEnabled());
  // All three 0 can never be confirmed.
  for (int c = 0; c < 3; ++c) odds.SetFieldText(frmOdds::FieldOf(4, c), "0");
  EXPECT_FALSE(odds.OkEnabled());
  EXPECT_FALSE(odds.Ok());

  // Pasted text that is not all digits, or too long for the unit, leaves
  // the field as it was.
  const int f = frmOdds::FieldOf(1, 0);
  for (const char* bad : {"33.4", "3,334", "-50", "abc", "123456"}) {
    EXPECT_FALSE(odds.SetFieldText(f, bad)) << bad;
    EXPECT_EQ(odds.FieldText(f), "5000") << bad;
  }
  odds.ModeOption().Choose(frmOdds::kPercent);
  EXPECT_FALSE(odds.SetFieldText(f, "1000"));
  EXPECT_EQ(odds.FieldText(f), "50");
  odds.Cancel();
  EXPECT_FALSE(odds.Result());
}

TEST(OddsWindowTest, KeysFollowTheUnitsLength) {
  using K = frmOdds::Key;
  using A = frmOdds::KeyAction;
  frmOdds odds;
  odds.Setup(EvenRates(), {});
  odds.SetFieldText(0, "1234");
  EXPECT_EQ(odds.KeyPress(0, K::kDigit, false), A::kEdit);
  odds.SetFieldText(0, "12345");
  EXPECT_EQ(odds.KeyPress(0, K::kDigit, false), A::kIgnore);
  EXPECT_EQ(odds.KeyPress(0, K::kDigit, true), A::kEdit);  // replaces the selection
  odds.ModeOption().Choose(frmOdds::kPercent);             // "123"
  EXPECT_EQ(odds.KeyPress(0, K::kDigit, false), A::kIgnore);
  odds.SetFieldText(0, "");
  EXPECT_EQ(odds.KeyPress(0, K::kBackspace, false), A::kIgnore);
  EXPECT_EQ(odds.KeyPress(1, K::kBackspace, false), A::kEdit);
  EXPECT_EQ(odds.KeyPress(1, K::kEnter, false), A::kNextField);
  EXPECT_EQ(odds.KeyPress(1, K::kOther, true), A::kIgnore);
}

// ---------------------------------------------------------------- batch window

// The main window as the batch window drives it, counting what it was asked.
class MainTarget : public BatchTarget {
 public:
  explicit MainTarget(frmMain& main) : main_(main) {}
  bool FileLoadTPD(const std::string& name, bool whole, bool dialog) override {
    loads.push_back(name);
    return main_.FileLoadTPD(name, whole, dialog);
  }
  bool FileSaveTPD(const std::string& name, bool whole, bool dialog) override {
    return main_.FileSaveTPD(name, whole, dialog);
  }
  void PressRun() override {
    if (during_run) during_run();
    main_.StartOrPause();
  }
  void PressCancel() override {
    ++cancels;
    main_.StopSearch();
  }
  std::string LastFault() const override { return main_.LastFault(); }
  std::vector<std::string> loads;
  int cancels = 0;
  std::function<void()> during_run;

 private:
  frmMain& main_;
};

class BatchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    main_.Load();
    folder_ = JoinPath(dir_.path(), "batch");
    MakeDirs(folder_);
  }
  std::string Copy(const std::string& name) {
    std::string path = JoinPath(folder_, name);
    fs::copy_file(testing::SampleDocumentPath(), path);
    return path;
  }
  std::string Bytes(const std::string& path) {
    std::string b;
    ReadFileBytes(path, b);
    return b;
  }
  // Each file's inode and bytes: a save renames a new file over the old
  // one, so a rewritten file has a new inode even with the same bytes.
  std::map<std::string, std::pair<ino_t, std::string>> Folder() {
    std::map<std::string, std::pair<ino_t, std::string>> files;
    for (const auto& e : fs::directory_iterator(folder_)) {
      struct stat st {};
      ::stat(e.path().c_str(), &st);
      files[e.path().filename().string()] = {st.st_ino, Bytes(e.path().string())};
    }
    return files;
  }
  std::vector<std::string> Statuses() const {
    std::vector<std::string> s;
    for (const auto& r : batch_.Rows()) s.push_back(r.status);
    return s;
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  frmMain main_;
  MainTarget target_{main_};
  frmRenzoku batch_{&target_};
  std::string folder_;
};

TEST_F(BatchWindowTest, BadRowsFailAndTheRunGoesOnWithoutTouchingOtherFiles) {
  std::string good = Copy("good.tpd");
  std::string damaged = JoinPath(folder_, "damaged.tpd");
  WriteTextFile(damaged, "not a document\r\n");
  std::string conditions = JoinPath(folder_, "conditions.tpj");
  ASSERT_TRUE(main_.FileSaveTPD(conditions, false, false));
  std::string locked = Copy("locked.tpd");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string gone = Copy("gone.tpd");
  std::string last = Copy("last.tpd");

  fake_.QueueFileName(good);
  batch_.Execute(BatchCmd::kAdd);
  // The same file is not queued twice, by its own path or another one; a
  // name in another letter case is another file on this file system.
  EXPECT_FALSE(batch_.AddFile(good));
  EXPECT_FALSE(batch_.AddFile(JoinPath(folder_, "../batch/good.tpd")));
  EXPECT_TRUE(batch_.AddFile(JoinPath(folder_, "GOOD.TPD")));
  batch_.SetSelected(1, true);
  batch_.Execute(BatchCmd::kDelete);
  for (const std::string& p : {damaged, conditions, locked, gone, last}) batch_.AddFile(p);
  ASSERT_EQ(batch_.Rows().size(), 6u);
  fs::remove(gone);
  const auto before = Folder();
  fake_.ClearRecords();

  batch_.Execute(BatchCmd::kBegin);
  EXPECT_EQ(Statuses(), (std::vector<std::string>{"成功", "失敗", "失敗", "失敗", "失敗", "成功"}));
  // Each failed row tells why.
  const std::vector<frmRenzoku::Row>& rows = batch_.Rows();
  EXPECT_EQ(rows[1].reason.rfind("Zelvo miniのファイルではありません。", 0), 0u) << rows[1].reason;
  EXPECT_EQ(rows[2].reason, "Zelvo miniのファイルではありません。");
  EXPECT_EQ(rows[3].reason, "書き込みできないファイルです。");
  EXPECT_EQ(rows[4].reason, "ファイルが見つかりません。");
  EXPECT_TRUE(rows[0].reason.empty());
  EXPECT_FALSE(batch_.Running());
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages()[0].text;
  // Only the two documents that ran were rewritten, and nothing was left
  // beside them.
  const auto after = Folder();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, file] : before) {
    const bool rewritten = name == "good.tpd" || name == "last.tpd";
    EXPECT_EQ(after.at(name) != file, rewritten) << name;
  }
  EXPECT_EQ(main_.FileName(), last);
  EXPECT_GT(main_.SingleCount(), 0);

  // A second run takes only the rows added since.
  std::string added = Copy("added.tpd");
  batch_.AddFile(added);
  target_.loads.clear();
  batch_.Execute(BatchCmd::kBegin);
  EXPECT_EQ(target_.loads, std::vector<std::string>{added});
  EXPECT_EQ(Statuses().back(), "成功");

  // The failed rows run again once their fault is mended, without being
  // removed and added again.
  fs::copy_file(good, damaged, fs::copy_options::overwrite_existing);
  ASSERT_TRUE(batch_.Enabled(BatchCmd::kRetry));
  target_.loads.clear();
  batch_.Execute(BatchCmd::kRetry);
  EXPECT_EQ(target_.loads, (std::vector<std::string>{damaged, conditions, gone}));
  EXPECT_EQ(Statuses(),
            (std::vector<std::string>{"成功", "成功", "失敗", "失敗", "失敗", "成功", "成功"}));
  EXPECT_TRUE(batch_.Rows()[1].reason.empty());
}

TEST_F(BatchWindowTest, DuringARunOnlyStopActsAndClosingIsRefused) {
  for (const char* n : {"a.tpd", "b.tpd", "c.tpd"}) batch_.AddFile(Copy(n));
  int runs = 0;
  target_.during_run = [&] {
    ++runs;
    EXPECT_TRUE(batch_.Running());
    EXPECT_FALSE(batch_.Enabled(BatchCmd::kAdd));
    EXPECT_FALSE(batch_.Enabled(BatchCmd::kDelete));
    EXPECT_FALSE(batch_.Enabled(BatchCmd::kEnd));
    EXPECT_FALSE(batch_.Enabled(BatchCmd::kBegin));
    EXPECT_TRUE(batch_.Enabled(BatchCmd::kCancel));
    EXPECT_FALSE(batch_.QueryClose());
    EXPECT_EQ(fake_.MessageTexts().back(), frmRenzoku::kRunningMessage);
    // Stop on the second row: it still finishes, the third is never reached.
    if (runs == 2) {
      batch_.Execute(BatchCmd::kCancel);
      // Until the stopped row is saved the window can neither close nor
      // start a run inside this one.
      EXPECT_FALSE(batch_.QueryClose());
      EXPECT_FALSE(batch_.Enabled(BatchCmd::kBegin));
    }
  };
  batch_.Execute(BatchCmd::kBegin);
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(target_.cancels, 1);
  EXPECT_EQ(Statuses(), (std::vector<std::string>{"成功", "成功", ""}));
  EXPECT_TRUE(batch_.QueryClose());
  EXPECT_FALSE(batch_.Enabled(BatchCmd::kCancel));

  // Deleting takes the selected rows only.
  batch_.SetSelected(0, true);
  batch_.SetSelected(2, true);
  batch_.Execute(BatchCmd::kDelete);
  ASSERT_EQ(batch_.Rows().size(), 1u);
  EXPECT_EQ(FileNamePart(batch_.Rows()[0].file), "b.tpd");
}

// ---------------------------------------------------------------- print window

class FakeDevices : public PrintDevices {
 public:
  std::vector<std::string> PrinterNames() override { return names; }
  std::string DefaultPrinterName() override { return "Office"; }
  bool WithSystemPrinter(const std::function<bool(Printer&)>& print) override {
    return print(system);
  }
  bool WithPdfFile(const std::string& path, const std::function<bool(Printer&)>& print) override {
    pdf_paths.push_back(path);
    return print(pdf);
  }
  std::vector<std::string> names = {"Office", "PDF"};
  testing::RecordingPrinter system, pdf;
  std::vector<std::string> pdf_paths;
};

class PrintWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    // Single 1: outcome 1 in the first match, the first column of a block.
    std::vector<int> singles(25, 1);
    window_.ShowForm(25, singles, 1487, "B", "sample.tpd", {});
  }
  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  FakeDevices devices_;
  frmPrint window_;
};

TEST_F(PrintWindowTest, PrinterIniRoundTripsThroughTheWindow) {
  PrinterSettings s;
  s.PrinterName = "PDF";
  s.PrinterOrientation = kPrintLandscape;
  s.PrinterLeftMargin = 1.5;
  s.PrinterTopMargin = -0.25;
  s.PrinterOpenNo = true;
  s.PrinterPageText = true;
  ASSERT_TRUE(WritePrinterIni(s));

  window_.Load(devices_);
  EXPECT_EQ(window_.Printers().ListIndex(), 1);
  EXPECT_EQ(window_.Direction().ListIndex(), 1);
  EXPECT_EQ(window_.Left().text, "1.50");
  EXPECT_EQ(window_.Top().text, "-0.25");
  EXPECT_TRUE(window_.OpenNoCheck().Checked());
  EXPECT_TRUE(window_.PageTextCheck().Checked());
  EXPECT_FALSE(window_.FileTextCheck().Checked());
  EXPECT_EQ(window_.End().text, "3");
  EXPECT_EQ(window_.OpenNo().text, "1487");
  EXPECT_EQ(window_.Kumi().ListIndex(), 1);

  window_.Printers().SetListIndex(0);
  window_.Direction().SetListIndex(0);
  window_.Left().text = "2";
  window_.Top().text = "x";  // does not read: the opened value stays
  window_.PageTextCheck().Click();
  window_.SendDataCheck().Click();
  window_.Cancel();
  ASSERT_TRUE(window_.Unload());
  PrinterSettings saved = ReadPrinterIni();
  EXPECT_EQ(saved.PrinterName, "Office");
  EXPECT_EQ(saved.PrinterOrientation, kPrintPortrait);
  EXPECT_DOUBLE_EQ(saved.PrinterLeftMargin, 2.0);
  EXPECT_DOUBLE_EQ(saved.PrinterTopMargin, -0.25);
  EXPECT_TRUE(saved.PrinterOpenNo);
  EXPECT_FALSE(saved.PrinterPageText);
  EXPECT_TRUE(saved.PrinterSendDataA);

  // A printer that is gone: the list shows the system's default.
  devices_.names = {"Other", "Office"};
  saved.PrinterName = "Gone";
  WritePrinterIni(saved);
  frmPrint again;
  again.Load(devices_);
  EXPECT_EQ(again.Printers().ListIndex(), 1);
  again.Unload();
  EXPECT_EQ(ReadPrinterIni().PrinterName, "Office");
  // With no printer at all the file keeps the name for the day it returns.
  devices_.names.clear();
  frmPrint none;
  none.Load(devices_);
  none.Unload();
  EXPECT_EQ(ReadPrinterIni().PrinterName, "Office");
}

TEST_F(PrintWindowTest, BoxesThatDoNotReadKeepTheWindowOpenAndPrintNothing) {
  window_.Load(devices_);
  for (const char* bad : {"50.01", "-60", "abc", "", "1.2.3"}) {
    window_.Left().text = bad;
    EXPECT_FALSE(window_.Ok()) << bad;
    EXPECT_EQ(fake_.MessageTexts().back(), frmPrint::kShiftMessage);
  }
  window_.Left().text = "-50";
  window_.Pages().Choose(1);
  EXPECT_TRUE(window_.Start().enabled);
  window_.Start().text = "3";
  window_.End().text = "2";
  EXPECT_FALSE(window_.Ok());
  EXPECT_EQ(fake_.MessageTexts().back(), frmPrint::kPagesMessage);
  EXPECT_FALSE(window_.Closed());
  EXPECT_TRUE(devices_.system.calls.empty());

  // Sheets 2 to 9 of 3: two sheets, shifted 50 mm to the right.
  window_.Start().text = "2";
  window_.End().text = "9";
  EXPECT_TRUE(window_.Ok());
  EXPECT_TRUE(window_.Closed());
  EXPECT_EQ(devices_.system.jobs_ended, 2);
  EXPECT_DOUBLE_EQ(devices_.system.rects.front().x, 50 + 58.5 - 0.5);
  EXPECT_EQ(devices_.system.selected, "Office");
}

TEST_F(PrintWindowTest, TestPrintAsksBeforeAnythingElse) {
  window_.Load(devices_);
  EXPECT_TRUE(window_.TestEnabled());
  window_.Left().text = "abc";
  fake_.QueueAnswer(MsgAnswer::kNo);
  EXPECT_FALSE(window_.TestPrint());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "テスト印刷しますがよろしいですか？");
  EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kYesNo);
  // Yes: then the boxes are read, and once they read the sheet is printed.
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_FALSE(window_.TestPrint());
  EXPECT_EQ(fake_.MessageTexts().back(), frmPrint::kShiftMessage);
  EXPECT_TRUE(devices_.system.calls.empty());
  window_.Left().text = "0";
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_TRUE(window_.TestPrint());
  EXPECT_EQ(fake_.messages().size(), 4u);  // the question alone
  EXPECT_EQ(devices_.system.jobs_ended, 1);
}

TEST_F(PrintWindowTest, WithoutAPrinterOnlyThePdfPrints) {
  devices_.names.clear();
  window_.Load(devices_);
  EXPECT_FALSE(window_.HasPrinter());
  EXPECT_FALSE(window_.OkEnabled());
  EXPECT_FALSE(window_.TestEnabled());
  EXPECT_FALSE(window_.TestPrint());
  EXPECT_FALSE(window_.Ok());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, frmPrint::kNoPrinterMessage);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / frmPrint / Printer_Initialize");
  EXPECT_TRUE(devices_.system.calls.empty());

  std::string pdf = JoinPath(dir_.path(), "sheets.pdf");
  fake_.QueueFileName(pdf);
  EXPECT_TRUE(window_.SavePdf());
  EXPECT_EQ(devices_.pdf_paths, std::vector<std::string>{pdf});
  EXPECT_EQ(devices_.pdf.jobs_ended, 3);
  EXPECT_TRUE(devices_.pdf.selected.empty());  // the file is the printer
  EXPECT_TRUE(StartsWithNoCase(fake_.MessageTexts().back(), "PDF ファイルに保存しました。"));
  // Cancelling the save dialog writes nothing.
  EXPECT_FALSE(window_.SavePdf());
  EXPECT_EQ(devices_.pdf_paths.size(), 1u);
  // Nor does a PDF aimed at the document it prints.
  dir_.WriteBytes("doc.tpd", "the document\r\n");
  window_.ShowForm(25, std::vector<int>(25, 1), 1487, "B", JoinPath(dir_.path(), "doc.tpd"), {});
  fake_.QueueFileName(JoinPath(dir_.path(), "./doc.tpd"));
  EXPECT_FALSE(window_.SavePdf());
  EXPECT_EQ(devices_.pdf_paths.size(), 1u);
  EXPECT_EQ(dir_.ReadBytes("doc.tpd"), "the document\r\n");
  EXPECT_TRUE(Contains(fake_.MessageTexts().back(), "使用中のファイル"));
}

// ---------------------------------------------------------------- team names

TEST(TeamNameDialogTest, ChecksKeepTheDialogOpenUntilATeamIsAdded) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  LastUnresolvedTeamName() = "ＡＢＣユナイテッド";
  frmTeamName dialog;
  dialog.Load();
  EXPECT_EQ(dialog.Meisho(), "ＡＢＣユナイテッド");
  EXPECT_EQ(dialog.Ryakusho(), "ABCﾕﾅｲﾃｯﾄﾞ");

  struct Case {
    const char* meisho;
    const char* ryakusho;
    const char* message;
  };
  const Case cases[] = {
      {"ＡＢＣユナイテッド", "ABCﾕﾅｲﾃｯﾄﾞ", "略称は6文字以内で入力して下さい。"},
      {"ＡＢＣユナイテッド", "  ", "略称を入力して下さい。"},
      {"", "ABC", "名称を入力して下さい。"},
      {"北海道コンサドーレ札幌", "札幌", "名称(北海道コンサドーレ札幌)は既に登録されています。"},
      {"ＡＢＣ\r\nXYZ = 偽", "ABC", "名称に改行やタブなどの制御文字は使えません。"},
      {"ＡＢＣユナイテッド", "AB\tC", "略称に改行やタブなどの制御文字は使えません。"},
  };
  for (const Case& c : cases) {
    dialog.Meisho() = c.meisho;
    dialog.Ryakusho() = c.ryakusho;
    EXPECT_FALSE(dialog.Add()) << c.message;
    EXPECT_FALSE(dialog.Closed());
    EXPECT_EQ(fake.messages().back().text, c.message);
    EXPECT_EQ(fake.messages().back().title, "入力エラー");
  }
  EXPECT_FALSE(FileExists(SysDataPath("TeamName3.dat")));

  dialog.Meisho() = "ＡＢＣユナイテッド";
  dialog.Ryakusho() = "ABC";
  EXPECT_TRUE(dialog.Add());
  EXPECT_TRUE(dialog.Closed());
  EXPECT_TRUE(dialog.Result());
  EXPECT_EQ(fake.messages().back().text, "チーム名(ＡＢＣユナイテッド)を追加しました。");
  std::string text;
  ASSERT_TRUE(ReadTextFile(SysDataPath("TeamName3.dat"), text));
  EXPECT_TRUE(Contains(text, "\r\nABC    = ＡＢＣユナイテッド\r\n")) << text;
  EXPECT_TRUE(LastUnresolvedTeamName().empty());
  EXPECT_EQ(clsTotoData().GetShortTeamName("ＡＢＣユナイテッド", 1487), "ABC");
}

// ---------------------------------------------------------------- download window

TEST(DownloadWindowTest, CancelEndsTheTransferAndNothingIsCached) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedTeamNames(dir);
  testing::HttpTestServer server;
  testing::PointSettingsAt(server);
  testing::HttpRoute route;
  route.body = testing::ReadPage("schedule_1487.html");
  route.stall_ms = 20000;  // half the page, then a long wait
  server.SetRoute("/schedule", route);

  frmWinInet window;
  WinInetProgressSink* previous = SetDefaultWinInetProgressSink(&window);
  // The user presses cancel once the page has begun to arrive.
  fake.on_yield = [&] {
    if (!window.Lines().empty() && Contains(window.Lines().back(), "受信中")) {
      EXPECT_TRUE(window.CancelEnabled());
      window.Cancel();
    }
  };
  clsSchedule schedule;
  schedule.Initialize();
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(schedule.GetSchedule(1487, "A", kSourceFile | kSourceDownload, false));
  auto took = std::chrono::steady_clock::now() - start;
  SetDefaultWinInetProgressSink(previous);

  EXPECT_LT(took, std::chrono::seconds(10));
  EXPECT_FALSE(FileExists(clsXmlSchedule::GetFileName(1487, "A")));
  EXPECT_FALSE(window.Visible());
  // The page had begun to arrive when the transfer ended.
  ASSERT_GE(window.Lines().size(), 4u);
  EXPECT_EQ(window.Lines()[1], " [コネクション開始]");
  EXPECT_TRUE(StartsWithNoCase(window.Lines()[3], " 受信中 ."));
  EXPECT_FALSE(window.CancelEnabled());
  // The user's own cancel is no failure to report.
  EXPECT_TRUE(schedule.Cancel());
  schedule.FalseDialog(1487);
  EXPECT_TRUE(fake.messages().empty());

  // A download that fails by itself is reported, and its list starts empty.
  fake.on_yield = nullptr;
  testing::HttpRoute broken;
  broken.status = 500;
  server.SetRoute("/schedule", broken);
  SetDefaultWinInetProgressSink(&window);
  EXPECT_FALSE(schedule.GetSchedule(1487, "A", kSourceFile | kSourceDownload, false));
  SetDefaultWinInetProgressSink(previous);
  EXPECT_FALSE(schedule.Cancel());
  EXPECT_EQ(std::count(window.Lines().begin(), window.Lines().end(), " [コネクション開始]"), 1);
  schedule.FalseDialog(1487);
  EXPECT_EQ(fake.MessageTexts(),
            std::vector<std::string>{"インターネットよりダウンロードに失敗しました。"});
}

TEST(AboutWindowTest, WrittenForTheUserWithTheLicencesWordForWord) {
  frmAbout about;
  EXPECT_EQ(about.ProgramName(), "Zelvo mini");
  EXPECT_TRUE(about.VersionText().starts_with("バージョン 1.")) << about.VersionText();
  const std::string text = about.Description();
  for (const char* part : {"mini toto", "season_map.yaml", "CC BY 4.0", "team_ids.csv",
                           "柏よりみちAT、MIT ライセンス", "Qt 6", "同梱の試合結果", "NLopt"}) {
    EXPECT_TRUE(Contains(text, part)) << part;
  }
  // How the program is built is no concern of its user.
  for (const char* note : {"CP932", "CR LF", "build", "UTF-8", "`"}) {
    EXPECT_FALSE(Contains(text, note)) << note;
  }
  const std::vector<frmAbout::LicenceText> licences = about.Licences();
  ASSERT_EQ(licences.size(), 2u);
  EXPECT_EQ(licences[0].text, testing::ReadRepoFile("data/season_map.LICENSE-CC-BY-4.0.txt"));
  EXPECT_EQ(licences[1].text, testing::ReadRepoFile("data/team_ids.LICENSE-MIT.txt"));
}

}  // namespace
}  // namespace zelvo
