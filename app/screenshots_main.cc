// Renders the desktop program's pages on the shipped sample round to PNG
// files, offscreen: the pictures of the README are made with it
// (scripts/screenshots.sh).
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <iostream>
#include <string>

#include "app/startup.h"
#include "files/toto_settings.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/match_day_window_view.h"
#include "ui/qt/model_window_view.h"
#include "ui/qt/odds_window_view.h"
#include "ui/qt/own_probs_window_view.h"
#include "ui/qt/print_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/small_windows_view.h"

namespace {

bool Save(QWidget& w, const QString& folder, const char* name) {
  // The pictures show no keyboard frame on whichever grid has the focus.
  if (QWidget* focus = QApplication::focusWidget(); focus && w.isAncestorOf(focus)) {
    focus->clearFocus();
  }
  QApplication::processEvents();
  QString path = QDir(folder).filePath(name);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  bool ok = w.grab().save(&buffer, "PNG") &&
            zelvo::WriteFileBytes(path.toStdString(), std::string_view(png.constData(), png.size()),
                                  false);
  std::cout << (ok ? "wrote " : "could not write ") << path.toStdString() << "\n";
  return ok;
}

// Opens a modal window with `open` and grabs it once it is shown, then
// closes it, so that a dialog's picture needs no user.
bool SaveModal(const QString& folder, const char* name, const std::function<void()>& open) {
  bool ok = false;
  QTimer::singleShot(300, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    ok = Save(*modal, folder, name);
    modal->close();
  });
  open();
  if (!ok) std::cerr << "no window to grab for " << name << "\n";
  return ok;
}

// The batch window shows a queue as a run leaves it.
class NoTarget : public zelvo::BatchTarget {
 public:
  bool FileLoadTPD(const std::string&, bool, bool) override { return true; }
  bool FileSaveTPD(const std::string& name, bool, bool) override {
    return name.find("tolerance") == std::string::npos;
  }
  void PressRun() override {}
  void PressCancel() override {}
};

bool SaveToolWindows(zelvo::frmMain& main, QWidget& owner, const QString& folder) {
  bool ok = true;
  const zelvo::ScheduleRecord& schedule = main.Schedule();
  zelvo::frmOdds odds;
  zelvo::frmOdds::Rates rates{};
  zelvo::frmOdds::Teams teams{};
  for (int m = 0; m < 5; ++m) {
    teams[m] = {schedule.matches[m].home, schedule.matches[m].away};
    for (int o = 0; o < 3; ++o) {
      rates[o][m] = static_cast<int>(main.Vote().matches[m].outcomes[o].rate.raw() / 100);
    }
  }
  rates[1][0] = 3334;
  rates[0][0] = 3333;
  rates[2][0] = 3333;
  odds.Setup(rates, teams);
  {
    zelvo::OddsDialog dialog(odds, &owner);
    dialog.show();
    ok &= Save(dialog, folder, "odds.png");
    odds.ModeOption().Choose(zelvo::frmOdds::kPercent);
    ok &= Save(dialog, folder, "odds-percent.png");
  }

  NoTarget target;
  {
    zelvo::BatchWindowView batch(target, &owner);
    std::string dir = zelvo::ResolveProgramPath("UserData/Zelvomini/");
    for (const char* name : {"sample-guarantee.tpd", "sample-tolerance.tpd", "round-1488-A.tpd"}) {
      batch.controller().AddFile(dir + name);
    }
    batch.show();
    batch.controller().Execute(zelvo::BatchCmd::kBegin);
    batch.controller().AddFile(dir + "round-1488-B.tpd");
    ok &= Save(batch, folder, "batch.png");
  }

  zelvo::frmPrint print;
  zelvo::frmPrint::Teams card{};
  for (int m = 0; m < 5; ++m) card[m] = {schedule.matches[m].home, schedule.matches[m].away};
  print.ShowForm(main.SingleCount(), main.Singles(), main.Kaisaikai(), main.Kumi(),
                 "sample-guarantee.tpd", card);
  zelvo::QtPrintDevices devices;
  print.Load(devices);
  {
    zelvo::PrintDialog dialog(print, &owner);
    dialog.show();
    ok &= Save(dialog, folder, "print.png");
    print.OpenTextCheck().SetChecked(true);
    print.OpenNoCheck().SetChecked(true);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog* preview = dialog.CreatePreview(&printer);
    preview->show();
    ok &= Save(*preview, folder, "print-preview.png");
  }

  zelvo::frmTeamName team;
  team.Load();
  team.Meisho() = "ＡＢＣユナイテッド";
  team.Ryakusho() = "ABC";
  {
    zelvo::TeamNameDialog dialog(team, &owner);
    dialog.show();
    ok &= Save(dialog, folder, "team-name.png");
  }
  {
    zelvo::DownloadWindowView download(&owner);
    zelvo::WinInetProgressSink& sink = download.controller();
    sink.Open();
    sink.AddLine(" 第1487回 開催情報取得中 (オフィシャル)");
    sink.AddLine(" [コネクション開始]");
    sink.AddLine(" " + zelvo::totoSettings().totoOfficialScheduleUrl + "1487");
    sink.AddLine(" 受信中 ");
    sink.AppendToLastLine("..........");
    ok &= Save(download, folder, "download.png");
    sink.Close();
  }
  {
    zelvo::AboutDialog about(&owner);
    about.show();
    ok &= Save(about, folder, "about.png");
  }
  return ok;
}

// The backtest of the sample document over the shipped made-up rounds.
bool SaveBacktest(zelvo::frmMain& main, const QString& folder) {
  bool ok = false;
  QTimer::singleShot(300, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    for (QPushButton* b : modal->findChildren<QPushButton*>()) {
      if (b->text().startsWith(QString::fromUtf8("検証"))) b->click();
    }
    ok = Save(*modal, folder, "backtest.png");
    modal->close();
  });
  main.Execute(zelvo::Cmd::kBacktest);
  if (!ok) std::cerr << "no window to grab for backtest.png\n";
  return ok;
}

// The own-probability window with a spreadsheet block pasted in, then the
// match table and the singles page showing what it gives.
bool SaveOwnProbs(zelvo::frmMain& main, QWidget& window, const QString& folder) {
  bool ok = true;
  zelvo::frmOwnProbs own;
  zelvo::frmOwnProbs::Teams teams;
  for (int m = 0; m < 5; ++m) {
    teams[m] = {main.Schedule().matches[m].home, main.Schedule().matches[m].away};
  }
  own.Setup(zelvo::OwnProbabilities{}, teams);
  own.Paste(0, "50\t27\t23\n38\t30\t32\n45\t28\t27\n30\t30\t40\n55\t25\t20\n");
  {
    zelvo::OwnProbsDialog dialog(own, &window);
    dialog.show();
    ok &= Save(dialog, folder, "own-probs.png");
  }
  own.Ok();
  main.SetOwnProbs(own.ResultProbabilities());
  main.ShowPage(1);
  main.ValueCheck().Click();
  main.ValueMin().SetText("80");
  main.SelectConditionTab(0);  // shows the tab and the boxes as set
  ok &= Save(window, folder, "multi-own.png");
  main.ValueCheck().Click();
  main.ValueMin().SetText("0");
  main.ShowPage(2);
  ok &= Save(window, folder, "singles-own.png");
  main.SetOwnProbs(zelvo::OwnProbabilities{});
  return ok;
}

// The match-day window over both sample documents an hour into the round:
// two matches over, one in play, two to come.
bool SaveMatchDay(zelvo::MainWindowView& window, const QString& folder) {
  window.controller().Execute(zelvo::Cmd::kMatchDay);
  zelvo::MatchDayWindowView* view = window.MatchDayWindow();
  if (!view) return false;
  zelvo::frmMatchDay& day = view->controller();
  day.AddPaths({zelvo::ResolveProgramPath("UserData/Zelvomini/sample-tolerance.tpd")});
  day.ClearResults();
  const struct {
    int state;
    const char* home;
    const char* away;
    const char* minute;
  } kEntries[] = {{2, "2", "1", "0"}, {2, "1", "1", "0"}, {1, "0", "1", "67"}};
  for (int m = 0; m < 3; ++m) {
    day.State(m).SetListIndex(kEntries[m].state);
    day.HomeGoals(m).SetText(kEntries[m].home);
    day.AwayGoals(m).SetText(kEntries[m].away);
    day.Minute(m).SetText(kEntries[m].minute);
  }
  const bool ok = Save(*view, folder, "match-day.png");
  view->close();
  return ok;
}

// The goal model's evaluation on the last shipped season, with its
// calibration chart.
bool SaveModelEvaluation(zelvo::frmMain& main, QWidget& window, const QString& folder) {
  zelvo::frmModelEvaluation evaluation(main.TotoData());
  if (!evaluation.Run()) return false;
  return SaveModal(folder, "model.png",
                   [&] { zelvo::RunModelEvaluationDialog(evaluation, &window); });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelvo::SetUpApplication();
  // "--small": only the main window as an 800 x 600 screen shows it.
  const bool small = argc > 2 && QString::fromLocal8Bit(argv[2]) == "--small";
  QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots");
  QDir().mkpath(folder);

  zelvo::QtPlatform platform;
  platform.headless = true;
  if (!zelvo::RunStartupChecks()) return 2;

  zelvo::MainWindowView window;
  platform.SetOwner(&window);
  window.Load();
  window.show();
  zelvo::frmMain& main = window.controller();
  std::string doc = zelvo::ResolveProgramPath("UserData/Zelvomini/sample-guarantee.tpd");
  if (!main.FileLoadTPD(doc, true, true)) {
    std::cerr << "could not open " << doc << "\n";
    return 1;
  }
  bool ok = true;
  if (small) {
    main.ShowPage(1);
    main.SelectConditionTab(1);
    main.Execute(zelvo::Cmd::kRun);
    return Save(window, folder, "small-multi.png") ? 0 : 1;
  }
  main.ShowPage(0);
  ok &= Save(window, folder, "home.png");
  main.ShowPage(1);
  main.SelectConditionTab(1);
  main.Execute(zelvo::Cmd::kRun);
  ok &= Save(window, folder, "multi.png");
  main.ShowPage(2);
  ok &= Save(window, folder, "singles.png");
  main.ShowPage(3);
  main.Execute(zelvo::Cmd::kShowAllResults);
  ok &= Save(window, folder, "check.png");
  ok &= SaveMatchDay(window, folder);
  ok &= SaveModal(folder, "analysis.png", [&] { main.Execute(zelvo::Cmd::kAnalysis); });
  ok &= SaveBacktest(main, folder);
  ok &= SaveOwnProbs(main, window, folder);
  ok &= SaveModelEvaluation(main, window, folder);
  ok &= SaveToolWindows(main, window, folder);
  return ok ? 0 : 1;
}
