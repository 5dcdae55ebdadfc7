// The main window as a test starts it: over a copy of what the build ships,
// loaded and shown.
#ifndef ZELVOMINI_TESTS_UI_QT_MAIN_WINDOW_FIXTURE_H_
#define ZELVOMINI_TESTS_UI_QT_MAIN_WINDOW_FIXTURE_H_

#include <memory>

#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/main_window_view.h"

namespace zelvo::testing {

inline std::unique_ptr<MainWindowView> ShownMainWindow(const TempProgramDir& dir) {
  InstallShippedProgramFolder(dir);
  auto view = std::make_unique<MainWindowView>();
  view->Load();
  view->show();
  return view;
}

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_UI_QT_MAIN_WINDOW_FIXTURE_H_
