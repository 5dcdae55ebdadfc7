// Renders the desktop program's pages on the shipped sample round to PNG
// files, offscreen: the pictures of the README are made with it
// (scripts/screenshots.sh).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <functional>
#include <iostream>
#include <string>

#include "app/startup.h"
#include "support/paths.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"

namespace {

bool Save(QWidget& w, const QString& folder, const char* name) {
  QApplication::processEvents();
  QString path = QDir(folder).filePath(name);
  bool ok = w.grab().save(path);
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelvo::SetUpApplication();
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
  ok &= SaveModal(folder, "analysis.png", [&] { main.Execute(zelvo::Cmd::kAnalysis); });
  return ok ? 0 : 1;
}
