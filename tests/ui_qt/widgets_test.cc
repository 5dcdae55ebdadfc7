// The Qt views over the controllers, offscreen: the grid widget's mapping of
// mouse input to cells, the main window's menus during a run, and a search
// started from the window compared with the command line's.
#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "tests/ui_qt/main_window_fixture.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"

namespace zelvo {
namespace {

TEST(GridViewTest, ClicksLandOnTheirCell) {
  Grid grid(3, 4);
  grid.SetDefaultSize(30, 20);
  grid.SetColWidth(2, 0);  // hidden
  grid.SetColWidth(3, 50);
  std::vector<GridClick> clicks;
  grid.on_click = [&](const GridClick& c) { clicks.push_back(c); };
  GridView view(&grid);
  view.show();
  EXPECT_EQ(view.size(), QSize(30 + 0 + 50 + 30 + 1, 60 + 1));

  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(&view, Qt::RightButton, Qt::ShiftModifier, QPoint(31, 25));
  QTest::mouseClick(&view, Qt::LeftButton, Qt::ControlModifier, QPoint(85, 59));
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));  // outside
  // A double click: the first press, then the second one as Qt reports it.
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(40, 45));
  QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(40, 45));
  ASSERT_EQ(clicks.size(), 5u);  // the click outside every cell is dropped
  EXPECT_EQ(std::make_pair(clicks[0].row, clicks[0].col), std::make_pair(1, 1));
  EXPECT_EQ(std::make_pair(clicks[1].row, clicks[1].col), std::make_pair(2, 3));
  EXPECT_EQ(clicks[1].button, MouseButton::kRight);
  EXPECT_TRUE(clicks[1].shift);
  EXPECT_EQ(std::make_pair(clicks[2].row, clicks[2].col), std::make_pair(3, 4));
  EXPECT_TRUE(clicks[2].ctrl);
  // A double click is a press and one more click.
  EXPECT_FALSE(clicks[3].double_click);
  EXPECT_TRUE(clicks[4].double_click);
  EXPECT_EQ(std::make_pair(clicks[4].row, clicks[4].col), std::make_pair(3, 3));

  grid.Resize(1, 1);
  grid.Refresh();
  EXPECT_EQ(view.size(), QSize(31, 21));
}

class MainWindowViewTest : public ::testing::Test {
 protected:
  void SetUp() override { view_ = testing::ShownMainWindow(dir_); }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  std::unique_ptr<MainWindowView> view_;
};

TEST_F(MainWindowViewTest, MenusFollowTheControllerDuringARun) {
  fake_.QueueFileName(testing::SampleDocumentPath());
  view_->ActionOf(Cmd::kFileOpen)->trigger();
  ASSERT_EQ(view_->controller().SingleCount(), 18);
  EXPECT_EQ(view_->Pages()->currentIndex(), 1);
  EXPECT_EQ(view_->windowTitle().toStdString(),
            " Pendralcove  Zelvo mini - [sample-guarantee.tpd]");

  bool checked = false;
  fake_.on_yield = [&] {
    if (checked || view_->controller().IsIdle()) return;
    checked = true;
    EXPECT_FALSE(view_->ActionOf(Cmd::kFileOpen)->isEnabled());
    EXPECT_FALSE(view_->ActionOf(Cmd::kPercent)->isEnabled());
    EXPECT_FALSE(view_->ButtonOf(Cmd::kRun)->isEnabled());
    EXPECT_TRUE(view_->ButtonOf(Cmd::kStop)->isEnabled());
    // Closing the window is refused with the warning.
    EXPECT_FALSE(view_->close());
    EXPECT_EQ(fake_.MessageTexts().back(), frmMain::kBusyMessage);
  };
  QTest::mouseClick(view_->ButtonOf(Cmd::kRun), Qt::LeftButton);
  EXPECT_TRUE(checked);
  EXPECT_TRUE(view_->ActionOf(Cmd::kFileOpen)->isEnabled());
  EXPECT_TRUE(view_->ButtonOf(Cmd::kRun)->isEnabled());
  EXPECT_TRUE(view_->isVisible());
  EXPECT_FALSE(view_->ActionOf(Cmd::kSelectAll)->isEnabled());
  QTest::mouseClick(view_->PageBar(), Qt::LeftButton, Qt::NoModifier,
                    view_->PageBar()->tabRect(2).center());
  EXPECT_EQ(view_->Pages()->currentIndex(), 2);
  EXPECT_TRUE(view_->ActionOf(Cmd::kSelectAll)->isEnabled());
}

TEST_F(MainWindowViewTest, SearchFromTheWindowMatchesTheCommandLine) {
  fake_.QueueFileName(testing::SampleDocumentPath("sample-tolerance.tpd"));
  view_->ActionOf(Cmd::kFileOpen)->trigger();
  QTest::mouseClick(view_->ButtonOf(Cmd::kRun), Qt::LeftButton);
  const std::vector<int> window_singles = view_->controller().Singles();
  ASSERT_FALSE(window_singles.empty());
  // The log in the window shows every line of the run.
  EXPECT_EQ(view_->LogList()->count(), static_cast<int>(view_->controller().Log().Lines().size()));

  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(
      RunCli({"search", testing::SampleDocumentPath("sample-tolerance.tpd"), "-o", Path("cli.tpd")},
             in, out, err),
      0)
      << err.str();
  clsTFileTPD tpd;
  DocumentRecord doc;
  ASSERT_TRUE(tpd.LoadFile(Path("cli.tpd"), doc, false));
  EXPECT_EQ(doc.SingleData, window_singles);
}

TEST_F(MainWindowViewTest, ClickingTheMultiMarksIt) {
  QTest::mouseClick(view_->PageBar(), Qt::LeftButton, Qt::NoModifier,
                    view_->PageBar()->tabRect(1).center());
  GridView* multi = view_->MultiGridView();
  // Column 1 is outcome 1, row 2 match 0; a left click gives the first mark.
  QRect cell = multi->CellRect(2, 1);
  QTest::mouseClick(multi, Qt::LeftButton, Qt::NoModifier, cell.center());
  MultiTable value;
  view_->controller().Multi().GetValue(value);
  EXPECT_EQ(value[1][0], 1);
  EXPECT_EQ(view_->controller().MultiGrid().Text(2, 1), "◎");
}

}  // namespace
}  // namespace zelvo
