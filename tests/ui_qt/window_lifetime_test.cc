// The secondary windows' lifetimes against the main window's, offscreen: the
// composition-analysis windows, the batch and match-day windows and the modal
// tool windows opened and closed in every order while the pages and tabs
// switch.  A view
// that Qt deletes later must not touch the models of a controller that has
// already gone (under ASan such a touch ends the test).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "tests/ui_qt/main_window_fixture.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"

namespace zelvo {
namespace {

// Entries of the row-title menu of a count grid, separators counted.
constexpr int kMenuKouseiBunseki = 2;
constexpr int kMenuFukugouJouken = 3;

class WindowLifetimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = testing::ShownMainWindow(dir_);
    fake_.QueueFileName(testing::SampleDocumentPath());
    view_->ActionOf(Cmd::kFileOpen)->trigger();
  }
  void TearDown() override {
    view_.reset();
    Flush();
  }

  GridView* ViewOf(const Grid& grid) const {
    for (GridView* v : view_->findChildren<GridView*>()) {
      if (v->grid() == &grid) return v;
    }
    return nullptr;
  }
  void Click(GridView* v, int row, int col, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier) {
    ASSERT_NE(v, nullptr);
    QTest::mouseClick(v, button, mods, v->CellRect(row, col).center());
  }
  void ShowPage(int page) {
    QTabBar* bar = view_->PageBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(page).center());
  }
  void ShowConditionTab(int tab) {
    QTabBar* bar = view_->ConditionTabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
  }
  // Excludes a count of a row of the favourite counts, then opens the
  // row's composition analysis from its title's menu, as a user does.
  void OpenKousei(int kind) {
    ShowPage(1);
    ShowConditionTab(kind);
    CountConditionModels& m = view_->controller().CountCondition(kind);
    Click(ViewOf(m.count), 2, 3);
    fake_.QueueMenuChoice(kMenuKouseiBunseki);
    Click(ViewOf(m.count), 2, 1, Qt::RightButton);
  }
  void ClickGroupTab(int kind, int group) {
    ShowPage(1);
    ShowConditionTab(kind);
    Click(ViewOf(view_->controller().CountCondition(kind).tab), 1, group + 1);
  }
  // Runs `open`, which shows a modal window, and closes that window with
  // Escape as soon as it is up.
  void WithModal(const std::function<void()>& open) {
    bool closed = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        QTest::keyClick(modal, Qt::Key_Escape);
        if (modal->isVisible()) modal->close();
        closed = true;
      }
    });
    timer.start();
    open();
    timer.stop();
    EXPECT_TRUE(closed);
  }
  // What the event loop does between two user actions, deferred deletes
  // included.
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  // A window closed by its controller or its user may still wait for its
  // deletion: it holds no model then.
  void ExpectClosedWindowsUnbound() {
    for (QWidget* w : QApplication::allWidgets()) {
      auto* kousei = qobject_cast<KouseiWindowView*>(w);
      if (!kousei) continue;
      const auto& open = view_->KouseiViews();
      if (std::find(open.begin(), open.end(), kousei) != open.end()) continue;
      for (GridView* g : kousei->findChildren<GridView*>()) EXPECT_EQ(g->grid(), nullptr);
    }
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  std::unique_ptr<MainWindowView> view_;
};

TEST_F(WindowLifetimeTest, CompositionWindowClosedByATabSwitch) {
  for (int kind = 1; kind <= 3; ++kind) {
    OpenKousei(kind);
    ASSERT_EQ(view_->KouseiViews().size(), 1u);
    // Wide enough for its title, which names the kind, group and row.
    KouseiWindowView* k = view_->KouseiViews().front();
    EXPECT_GE(k->width(), k->fontMetrics().horizontalAdvance(k->windowTitle()));
    ShowConditionTab(kind == 3 ? 1 : kind + 1);
    EXPECT_TRUE(view_->KouseiViews().empty());
    ExpectClosedWindowsUnbound();
    Flush();

    OpenKousei(kind);
    ASSERT_EQ(view_->KouseiViews().size(), 1u);
    ClickGroupTab(kind, 2);
    EXPECT_TRUE(view_->KouseiViews().empty());
    ExpectClosedWindowsUnbound();
    Flush();

    // Closed by the user.
    OpenKousei(kind);
    ASSERT_EQ(view_->KouseiViews().size(), 1u);
    view_->KouseiViews().front()->close();
    EXPECT_TRUE(view_->KouseiViews().empty());
    EXPECT_TRUE(view_->controller().KouseiWindows().empty());
    ExpectClosedWindowsUnbound();
    Flush();
  }
}

// Escape closes each tool window as its キャンセル would.
TEST_F(WindowLifetimeTest, EscapeClosesTheToolWindows) {
  const std::vector<std::pair<std::string, std::function<void()>>> modals = {
      {"odds", [&] { view_->ActionOf(Cmd::kUserVote)->trigger(); }},
      {"print", [&] { view_->ActionOf(Cmd::kPrint)->trigger(); }},
      {"analysis", [&] { view_->ActionOf(Cmd::kAnalysis)->trigger(); }},
      {"item",
       [&] {
         ShowPage(1);
         ShowConditionTab(1);
         fake_.QueueMenuChoice(kMenuFukugouJouken);
         Click(ViewOf(view_->controller().CountCondition(1).count), 2, 1, Qt::RightButton);
       }},
  };
  for (const auto& [name, open] : modals) {
    SCOPED_TRACE(name);
    bool closed = false, seen = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || seen) return;
      seen = true;
      // The key goes where a user's key goes: to the widget with the focus.
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus && modal->isAncestorOf(focus) ? focus : modal, Qt::Key_Escape);
      closed = !modal->isVisible();
      if (!closed) modal->close();
    });
    timer.start();
    open();
    timer.stop();
    EXPECT_TRUE(closed);
  }
  OpenKousei(1);
  ASSERT_EQ(view_->KouseiViews().size(), 1u);
  QTest::keyClick(view_->KouseiViews().front(), Qt::Key_Escape);
  EXPECT_TRUE(view_->KouseiViews().empty());
  EXPECT_TRUE(view_->controller().KouseiWindows().empty());
}

TEST_F(WindowLifetimeTest, EveryWindowInEveryOrder) {
  using Step = std::pair<std::string, std::function<void()>>;
  const std::vector<Step> modals = {
      {"odds", [&] { view_->ActionOf(Cmd::kUserVote)->trigger(); }},
      {"print", [&] { view_->ActionOf(Cmd::kPrint)->trigger(); }},
      {"analysis", [&] { view_->ActionOf(Cmd::kAnalysis)->trigger(); }},
      {"about", [&] { view_->ActionOf(Cmd::kAbout)->trigger(); }},
      {"item",
       [&] {
         ShowPage(1);
         ShowConditionTab(1);
         fake_.QueueMenuChoice(kMenuFukugouJouken);
         Click(ViewOf(view_->controller().CountCondition(1).count), 2, 1, Qt::RightButton);
       }},
  };
  int modal = 0;
  std::vector<Step> steps = {
      {"kousei", [&] { OpenKousei(1 + modal % 3); }},
      {"batch, match day",
       [&] {
         view_->ActionOf(Cmd::kBatch)->trigger();
         view_->ActionOf(Cmd::kMatchDay)->trigger();
       }},
      {"modal", [&] { WithModal(modals[modal % modals.size()].second); }},
      {"switch",
       [&] {
         ClickGroupTab(1 + modal % 3, 1 + modal % 28);
         ShowConditionTab(modal % 5);
         ShowPage(modal % 4);
       }},
      {"user-close",
       [&] {
         if (!view_->KouseiViews().empty()) view_->KouseiViews().back()->close();
         if (view_->BatchWindow()) view_->BatchWindow()->close();
         if (view_->MatchDayWindow()) view_->MatchDayWindow()->close();
       }},
  };
  std::vector<int> order(steps.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::vector<std::vector<int>> orders;
  do {
    orders.push_back(order);
  } while (std::next_permutation(order.begin(), order.end()));
  for (const std::vector<int>& o : orders) {
    std::string trace;
    for (int i : o) {
      trace += steps[i].first + " ";
      SCOPED_TRACE(trace);
      steps[i].second();
      ExpectClosedWindowsUnbound();
      Flush();
    }
    ++modal;
  }
  // The main window closes with windows still open: they go with it.
  OpenKousei(2);
  view_->ActionOf(Cmd::kBatch)->trigger();
  QPointer<BatchWindowView> batch = view_->BatchWindow();
  ASSERT_TRUE(batch);
  view_->ActionOf(Cmd::kMatchDay)->trigger();
  QPointer<MatchDayWindowView> match_day = view_->MatchDayWindow();
  ASSERT_TRUE(match_day);
  EXPECT_TRUE(view_->close());
  view_.reset();
  Flush();
  EXPECT_FALSE(batch);
  EXPECT_FALSE(match_day);
}

}  // namespace
}  // namespace zelvo
