// The widget tests share one QApplication, offscreen unless told otherwise,
// on one small screen of 800 x 600 where every window must fit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>

#include "ui/qt/qt_platform.h"

int main(int argc, char** argv) {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  QFile screens(QDir::temp().filePath(QString("zelvo-ui-qt-tests-%1.json").arg(getpid())));
  if (platform.isEmpty() || platform == "offscreen") {
    if (screens.open(QIODevice::WriteOnly)) {
      screens.write(
          R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 800, "height": 600}]})");
      screens.close();
      qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toUtf8());
    } else {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
  }
  QApplication app(argc, argv);
  screens.remove();
  zelvo::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
