// The widget tests share one QApplication, offscreen unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/qt_platform.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zelvo::SetUpApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
