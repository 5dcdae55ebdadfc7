// The tool windows' Qt views, offscreen, where the wiring matters: the keys
// of the vote-rate fields, the batch window's close during a run, the print
// window's number boxes, the team-name fields and the download window's
// cancel button.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>

#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/odds_window_view.h"
#include "ui/qt/print_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/small_windows_view.h"

namespace zelvo {
namespace {

TEST(OddsDialogTest, KeysTypeReplaceAndMoveOn) {
  testing::FakePlatform fake;
  frmOdds odds;
  frmOdds::Rates rates{};
  for (int m = 0; m < 5; ++m) {
    rates[1][m] = 5000;
    rates[0][m] = 3000;
    rates[2][m] = 2000;
  }
  odds.Setup(rates, {});
  OddsDialog dialog(odds, nullptr);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

  // The first field has the focus as the window opens, its text selected:
  // typing replaces it.
  OddsField* first = dialog.Field(0);
  ASSERT_TRUE(first->hasFocus());
  QTest::keyClicks(first, "4x00-0");  // letters and signs are dropped
  EXPECT_EQ(odds.FieldText(0), "4000");
  EXPECT_TRUE(odds.FieldRed(1));
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  QTest::keyClicks(first, "12");  // the fifth digit only
  EXPECT_EQ(odds.FieldText(0), "40001");

  // Enter moves on, selecting the next field's text; the window stays open.
  QTest::keyClick(first, Qt::Key_Return);
  QApplication::processEvents();
  ASSERT_TRUE(dialog.Field(1)->hasFocus());
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClicks(dialog.Field(1), "3999");
  QTest::keyClick(dialog.Field(1), Qt::Key_Backspace);
  QTest::keyClicks(dialog.Field(1), "0");
  EXPECT_EQ(odds.FieldText(1), "3990");
  QTest::keyClick(dialog.Field(1), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(dialog.Field(0)->hasFocus());
  QTest::keyClicks(dialog.Field(0), "4010");
  EXPECT_TRUE(dialog.OkButton()->isEnabled());

  // A click into a field leaves its text unselected: a digit goes in
  // beside the text instead of replacing it.
  QTest::mouseClick(dialog.Field(3), Qt::LeftButton);
  EXPECT_FALSE(dialog.Field(3)->hasSelectedText());
  QTest::keyClicks(dialog.Field(3), "9");
  EXPECT_EQ(odds.FieldText(3).size(), 5u);
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  QTest::keyClick(dialog.Field(3), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(dialog.Field(2), Qt::Key_Tab);
  QTest::keyClicks(dialog.Field(3), "5000");
  EXPECT_TRUE(dialog.OkButton()->isEnabled());

  // The unit switch rewrites the fields shown.
  odds.ModeOption().Choose(frmOdds::kPercent);
  EXPECT_EQ(dialog.Field(0)->text(), "40");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_TRUE(odds.Result());
  EXPECT_EQ(odds.ResultRates()[1][0], 4000);
}

class IdleTarget : public BatchTarget {
 public:
  bool FileLoadTPD(const std::string&, bool, bool) override { return true; }
  bool FileSaveTPD(const std::string&, bool, bool) override { return true; }
  void PressRun() override {
    if (during_run) during_run();
  }
  void PressCancel() override {}
  std::function<void()> during_run;
};

TEST(BatchWindowViewTest, TheWindowStaysOpenDuringARun) {
  testing::FakePlatform fake;
  IdleTarget target;
  BatchWindowView view(target, nullptr);
  view.show();
  view.controller().AddFile("/tmp/a.tpd");
  view.controller().AddFile("/tmp/b.tpd");
  ASSERT_EQ(view.Queue()->topLevelItemCount(), 2);
  bool checked = false;
  target.during_run = [&] {
    if (checked) return;
    checked = true;
    EXPECT_EQ(view.Queue()->topLevelItem(0)->text(1).toStdString(), "実行中");
    EXPECT_FALSE(view.ActionOf(BatchCmd::kBegin)->isEnabled());
    EXPECT_FALSE(view.ActionOf(BatchCmd::kEnd)->isEnabled());
    EXPECT_TRUE(view.ActionOf(BatchCmd::kCancel)->isEnabled());
    EXPECT_FALSE(view.close());
    EXPECT_EQ(fake.MessageTexts().back(), frmRenzoku::kRunningMessage);
  };
  view.ActionOf(BatchCmd::kBegin)->trigger();
  EXPECT_TRUE(checked);
  EXPECT_TRUE(view.isVisible());
  EXPECT_EQ(view.Queue()->topLevelItem(1)->text(1).toStdString(), "成功");
  EXPECT_TRUE(view.ActionOf(BatchCmd::kBegin)->isEnabled());

  // The list's selection reaches the controller.
  view.Queue()->topLevelItem(0)->setSelected(true);
  view.ActionOf(BatchCmd::kDelete)->trigger();
  ASSERT_EQ(view.Queue()->topLevelItemCount(), 1);
  EXPECT_EQ(view.Queue()->topLevelItem(0)->text(0).toStdString(), "/tmp/b.tpd");
  view.ActionOf(BatchCmd::kEnd)->trigger();
  EXPECT_FALSE(view.isVisible());
}

TEST(PrintDialogTest, NumberBoxesDropOtherCharactersAndClosingWritesTheSettings) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  frmPrint window;
  window.ShowForm(3, {1, 2, 3}, 1487, "A", "x.tpd", {});
  QtPrintDevices devices;
  window.Load(devices);
  {
    PrintDialog dialog(window, nullptr);
    dialog.show();
    PrintNumberEdit* left = dialog.Edit(2);
    left->selectAll();
    QTest::keyClicks(left, "-1a.5mm");
    EXPECT_EQ(window.Left().text, "-1.5");
    dialog.reject();  // Escape or the title bar: the settings are written too
  }
  EXPECT_DOUBLE_EQ(ReadPrinterIni().PrinterLeftMargin, -1.5);
}

TEST(PrintDialogTest, WithoutAPrinterOnlyCancelAndThePdfAreOffered) {
  struct NoPrinters : PrintDevices {
    std::vector<std::string> PrinterNames() override { return {}; }
    bool WithSystemPrinter(const std::function<bool(Printer&)>&) override { return false; }
    bool WithPdfFile(const std::string&, const std::function<bool(Printer&)>&) override {
      return false;
    }
  } devices;
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  frmPrint window;
  window.ShowForm(3, {1, 2, 3}, 1487, "A", "x.tpd", {});
  window.Load(devices);
  PrintDialog dialog(window, nullptr);
  EXPECT_FALSE(dialog.OkButton()->isEnabled());
  EXPECT_FALSE(dialog.TestButton()->isEnabled());
  dialog.reject();
}

// The analysis window is modal: the checks run once it is shown.
TEST(AnalysisViewTest, TheShownMinimumFollowsTheResultsAndTheGrade) {
  testing::FakePlatform fake;
  frmAnalysis analysis;
  DocumentRecord doc;
  doc.SingleData = {0, 1, 2};
  doc.SingleCount = 3;
  analysis.SetDocument(doc);
  bool checked = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    auto radio = [&](const char* text) {
      for (QRadioButton* b : box->findChildren<QRadioButton*>()) {
        if (b->text() == QString::fromUtf8(text)) return b;
      }
      return static_cast<QRadioButton*>(nullptr);
    };
    // By the caption before its mnemonic.
    auto button = [&](const char* text) {
      for (QPushButton* b : box->findChildren<QPushButton*>()) {
        if (b->text().startsWith(QString::fromUtf8(text))) return b;
      }
      return static_cast<QPushButton*>(nullptr);
    };
    auto* minimum = box->findChild<QLabel*>("lblMinimum");
    auto* singles = box->findChild<QLabel*>("lblMinimumSingles");
    ASSERT_TRUE(minimum && singles && radio("全243通りに対して") && button("最小口数を計算"));
    radio("全243通りに対して")->click();
    button("最小口数を計算")->click();
    EXPECT_TRUE(minimum->text().startsWith(QString::fromUtf8("最小口数：27口")));
    EXPECT_TRUE(singles->isVisibleTo(box));
    EXPECT_FALSE(button("このシングルに置き換える")->isEnabled());  // nobody to take them
    radio("３等保証（2試合違いまで）")->click();
    EXPECT_EQ(minimum->text(), "");
    EXPECT_FALSE(singles->isVisibleTo(box));
    button("最小口数を計算")->click();
    EXPECT_TRUE(minimum->text().startsWith(QString::fromUtf8("最小口数：8口")));
    radio("削減後のシングルに対して")->click();
    EXPECT_EQ(minimum->text(), "");
    checked = true;
    box->close();
  });
  RunAnalysisView(analysis, nullptr);
  EXPECT_TRUE(checked);
}

TEST(TeamNameDialogViewTest, TypedNamesReachTheChecks) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  frmTeamName team;
  team.Load();
  TeamNameDialog dialog(team, nullptr);
  dialog.show();
  // Typed as a key carrying the text, as an input method hands it over.
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                  QString::fromUtf8("ＸＹＺシティ"));
  QApplication::sendEvent(dialog.Meisho(), &typed);
  QTest::keyClicks(dialog.Ryakusho(), "ABCDEFG");
  QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
  EXPECT_EQ(fake.MessageTexts().back(), "略称は6文字以内で入力して下さい。");
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(dialog.Ryakusho(), Qt::Key_Backspace);
  QTest::mouseClick(dialog.AddButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(team.Result());
  EXPECT_EQ(fake.MessageTexts().back(), "チーム名(ＸＹＺシティ)を追加しました。");
}

TEST(DownloadWindowViewTest, ShownForARequestWithAWorkingCancel) {
  testing::FakePlatform fake;
  QWidget owner;
  DownloadWindowView* view = InstallDownloadWindow(&owner);
  ASSERT_EQ(DefaultWinInetProgressSink(), &view->controller());
  WinInetProgressSink& sink = view->controller();
  sink.Open();
  sink.AddLine(" [コネクション開始]");
  sink.AddLine(" 受信中 ");
  sink.AppendToLastLine("..");
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->List()->count(), 2);
  EXPECT_EQ(view->List()->currentRow(), 1);
  EXPECT_EQ(view->List()->item(1)->text().toStdString(), " 受信中 ..");
  EXPECT_FALSE(sink.CancelRequested());
  QTest::mouseClick(view->CancelButton(), Qt::LeftButton);
  EXPECT_TRUE(sink.CancelRequested());
  EXPECT_FALSE(view->CancelButton()->isEnabled());
  sink.Close();
  EXPECT_FALSE(view->isVisible());
  // The next download starts on an empty list.
  sink.Open();
  EXPECT_EQ(view->List()->count(), 0);
  EXPECT_TRUE(view->CancelButton()->isEnabled());
  sink.Close();
  delete view;
  EXPECT_EQ(DefaultWinInetProgressSink(), nullptr);
}

TEST(QtPlatformTest, OpenUrlTellsWhetherABrowserTookTheAddress) {
  testing::TempProgramDir dir;
  const QByteArray path = qgetenv("PATH");
  // A stand-in for xdg-open: exit status 3 is its "no method available".
  const std::string helper = dir.path() + "/xdg-open";
  for (int status : {3, 0}) {
    {
      std::ofstream script(helper, std::ios::trunc);
      script << "#!/bin/sh\necho \"$1\" > \"" << dir.path() << "/asked\"\nexit " << status << "\n";
    }
    ::chmod(helper.c_str(), 0755);
    qputenv("PATH", QByteArray::fromStdString(dir.path()) + ":" + path);
    QtPlatform platform;
    const bool opened = platform.OpenUrl("https://example.test/a b");
    qputenv("PATH", path);
    EXPECT_EQ(opened, status == 0);
    std::ifstream asked(dir.path() + "/asked");
    std::string line;
    std::getline(asked, line);
    EXPECT_EQ(line, "https://example.test/a%20b");
  }
}

}  // namespace
}  // namespace zelvo
