// The desktop program: the start-up checks, the splash window while the main
// window loads, then the main window until it is closed.  Files named on the
// command line open in the window; while a window runs, a second start hands
// its files over and ends.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <iostream>

#include "app/gui_args.h"
#include "app/startup.h"
#include "support/data_location.h"
#include "support/error_report.h"
#include "support/paths.h"
#include "support/platform.h"
#include "ui/hand_over_queue.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/single_instance.h"
#include "ui/qt/small_windows_view.h"
#include "ui/splash.h"

namespace {

// Opens handed-over files one at a time, once the window is there and no
// dialog is up: files that arrive while the window loads, under a modal
// window, or while it searches or runs a batch, wait (HandOverQueue).
class FileQueue {
 public:
  void Add(const QStringList& files) {
    std::vector<std::string> names;
    for (const QString& file : files) names.push_back(file.toStdString());
    queue_.Add(names);
    Later(0);
  }
  void SetWindow(zelvo::MainWindowView* window) {
    window_ = window;
    Later(0);
  }

 private:
  void Later(int ms) {
    QTimer::singleShot(ms, QCoreApplication::instance(), [this] { Drain(); });
  }
  void Drain() {
    if (!window_ || queue_.Waiting() == 0) return;
    if (QApplication::activeModalWidget() || !window_->controller().AcceptsHandedOverFiles()) {
      Later(500);
      return;
    }
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->raise();
    window_->activateWindow();
    if (queue_.Drain(window_->controller())) Later(500);
  }

  zelvo::MainWindowView* window_ = nullptr;
  zelvo::HandOverQueue queue_;
};

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so they work without a display.
  for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      zelvo::PrintGuiHelp(std::cout);
      return 0;
    }
    if (arg == "--version") {
      zelvo::PrintVersion(std::cout, "zelvomini");
      return 0;
    }
  }

  QApplication app(argc, argv);
  zelvo::SetUpApplication();
  // The menu entry the window belongs to (Wayland docks match on it), and
  // its icon once installed.
  QGuiApplication::setDesktopFileName("org.zelvomini.Zelvomini");
  QApplication::setWindowIcon(QIcon::fromTheme("zelvomini", QApplication::windowIcon()));
  std::vector<std::string> args;
  for (const QString& arg : app.arguments().mid(1)) args.push_back(arg.toStdString());
  zelvo::GuiArgs parsed = zelvo::ParseGuiArgs(args, QDir::currentPath().toStdString());
  if (!parsed.error.empty()) {
    std::cerr << "zelvomini: " << parsed.error << " (see --help)\n";
    return 64;
  }
  QStringList files;
  for (const std::string& file : parsed.files) files << QString::fromStdString(file);

  zelvo::QtPlatform platform;
  zelvo::PrepareResult prepared = zelvo::SetUpDataLocation();
  if (!prepared.ok) {
    zelvo::platform().MessageBox(prepared.error, zelvo::kAppTitle, zelvo::MsgIcon::kCritical);
    return 2;
  }
  zelvo::SingleInstance instance(zelvo::ProgramDir());
  if (instance.HandOver(files)) return 0;
  const bool listening = instance.Listen();
  if (!listening && instance.HandOver(files)) return 0;
  FileQueue queue;
  queue.Add(files);
  QObject::connect(&instance, &zelvo::SingleInstance::FilesReceived,
                   [&queue](const QStringList& received) { queue.Add(received); });

  if (!zelvo::RunStartupChecks()) return 2;

  zelvo::frmLoadX splash;
  splash.Load();
  zelvo::SplashView splash_view(splash);
  splash_view.show();
  splash_view.repaint();
  app.processEvents();

  zelvo::MainWindowView window;
  platform.SetOwner(&window);
  zelvo::InstallDownloadWindow(&window);
  window.Load();
  window.show();
  splash_view.close();

  queue.SetWindow(&window);
  // For the package check only: close as the user would, after a while.
  if (const int ms = qEnvironmentVariableIntValue("ZELVOMINI_CHECK_CLOSE_MS"); ms > 0) {
    QTimer::singleShot(ms, &window, &QWidget::close);
  }
  return app.exec();
}
