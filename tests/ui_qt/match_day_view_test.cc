// The match-day window on Qt: keys typed into a row redraw the figures at
// once, and the window's content fits an 800-pixel screen.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QTableWidget>
#include <QTest>

#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/controls.h"
#include "ui/qt/match_day_window_view.h"

namespace zelvo {
namespace {

TEST(MatchDayViewTest, TypedScoresRedrawTheFiguresAndTheWindowFitsASmallScreen) {
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  testing::FakePlatform fake;
  MatchDayWindowView* view = ShowMatchDayWindow(nullptr);
  frmMatchDay& day = view->controller();
  day.AddPaths({testing::SampleDocumentPath()});
  day.ClearResults();
  ASSERT_EQ(view->DecisionTable()->rowCount(), 15);
  const QString before = view->DecisionTable()->item(9, 1)->text();

  day.State(3).SetListIndex(1);
  ASSERT_TRUE(view->GoalEdit(3, 0)->isEnabled());
  view->GoalEdit(3, 0)->setFocus();
  view->GoalEdit(3, 0)->selectAll();
  QTest::keyClicks(view->GoalEdit(3, 0), "2");
  EXPECT_EQ(day.HomeGoals(3).Text(), "2");
  EXPECT_EQ(day.Entries()[3].home_goals, 2);
  // Match 4's rows in the table follow the score at once.
  EXPECT_NE(view->DecisionTable()->item(9, 1)->text(), before);
  EXPECT_EQ(view->AliveTable()->rowCount(), day.Figures().alive);

  auto* scroll = view->findChild<QScrollArea*>();
  ASSERT_NE(scroll, nullptr);
  EXPECT_LE(scroll->widget()->minimumSizeHint().width(), 700)
      << scroll->widget()->minimumSizeHint().width();
  view->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace zelvo
