// The desktop program: the start-up checks, the splash window while the main
// window loads, then the main window until it is closed.
#include <QApplication>

#include "app/startup.h"
#include "support/paths.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/small_windows_view.h"
#include "ui/splash.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zelvo::SetUpApplication();

  zelvo::QtPlatform platform;
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
  return app.exec();
}
