// The main window driven as a user drives it, offscreen: mouse clicks and
// key presses on the real widgets, from typing a round to saving the
// document, compared with what the command line makes of the same document.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/controls.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"

namespace zelvo {
namespace {

class MainWindowInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    view_ = std::make_unique<MainWindowView>();
    view_->Load();
    view_->show();
    round_ = view_->findChild<NumberEdit*>("txtKaisaikai");
    ASSERT_NE(round_, nullptr);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  void TypeRound(const char* keys) {
    round_->setFocus();
    round_->selectAll();
    QTest::keyClicks(round_, keys);
  }
  QToolButton* RoundStep(bool up) const {
    for (auto* b : round_->parentWidget()->findChildren<QToolButton*>()) {
      if (b->arrowType() == (up ? Qt::UpArrow : Qt::DownArrow)) return b;
    }
    return nullptr;
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  std::unique_ptr<MainWindowView> view_;
  NumberEdit* round_ = nullptr;
};

TEST_F(MainWindowInputTest, RoundBoxTakesDigitsWithinItsRange) {
  TypeRound("1487");
  EXPECT_EQ(view_->controller().Kaisaikai(), 1487);
  // Letters, and a digit that takes the round over 9999, are refused.
  QTest::keyClicks(round_, "5abc");
  EXPECT_EQ(round_->text(), "1487");
  EXPECT_EQ(view_->controller().Kaisaikai(), 1487);
  EXPECT_NE(view_->StatusLabel()->text().indexOf("1487"), -1);
  TypeRound("x");
  EXPECT_EQ(round_->text(), "1487");

  // The up-down control beside it steps within the same range.
  ASSERT_NE(RoundStep(true), nullptr);
  QTest::mouseClick(RoundStep(true), Qt::LeftButton);
  EXPECT_EQ(round_->text(), "1488");
  QTest::mouseClick(RoundStep(false), Qt::LeftButton);
  QTest::mouseClick(RoundStep(false), Qt::LeftButton);
  EXPECT_EQ(view_->controller().Kaisaikai(), 1486);
  TypeRound("9999");
  QTest::mouseClick(RoundStep(true), Qt::LeftButton);
  EXPECT_EQ(round_->text(), "9999");

  // Enter on a round already cached loads nothing more; on one that is not,
  // it offers the schedule download as 開催情報 does.
  TypeRound("1487");
  QTest::keyClick(round_, Qt::Key_Return);
  EXPECT_TRUE(fake_.messages().empty());
  view_->controller().DownloadConfirm().SetChecked(true);
  TypeRound("1600");
  fake_.QueueAnswer(MsgAnswer::kNo);
  QTest::keyClick(round_, Qt::Key_Return);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kYesNo);
  EXPECT_EQ(round_->selectedText(), "1600");
}

// The batch window gives the main window the focus at every row: it stays
// above its owner as the main window's dialog, and tells why a row failed.
TEST_F(MainWindowInputTest, BatchWindowStaysAboveTheMainWindow) {
  view_->ActionOf(Cmd::kBatch)->trigger();
  BatchWindowView* batch = view_->BatchWindow();
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(batch->windowType(), Qt::Dialog);
  ASSERT_NE(batch->windowHandle(), nullptr);
  EXPECT_EQ(batch->windowHandle()->transientParent(), view_->windowHandle());
  const std::string text = Path("text.tpd");
  WriteTextFile(text, "not a document\r\n");
  batch->controller().AddFile(text);
  batch->controller().Execute(BatchCmd::kBegin);
  QTreeWidgetItem* row = batch->Queue()->topLevelItem(0);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(1).toStdString(), frmRenzoku::kFailed);
  EXPECT_EQ(batch->Queue()->headerItem()->text(2).toStdString(), frmRenzoku::kReasonColumn);
  EXPECT_EQ(row->text(2).toStdString().rfind("Zelvo miniのファイルではありません。", 0), 0u);
  QAction* retry = batch->ActionOf(BatchCmd::kRetry);
  ASSERT_NE(retry, nullptr);
  EXPECT_TRUE(retry->isEnabled());
  batch->close();
}

// The offscreen screen is 800 x 600, narrower than the form.
TEST_F(MainWindowInputTest, FormScrollsOnASmallScreen) {
  const QRect work = view_->screen()->availableGeometry();
  ASSERT_LT(work.width(), 1024);
  EXPECT_LE(view_->width(), work.width());
  EXPECT_LE(view_->height(), work.height());
  auto* scroller = view_->findChild<QScrollArea*>("formScroller");
  ASSERT_NE(scroller, nullptr);
  // Every button of every page can be brought into view.
  for (int page = 0; page < 4; ++page) {
    view_->controller().ShowPage(page);
    view_->RefreshAll();
    QApplication::processEvents();
    for (QPushButton* b : view_->Pages()->widget(page)->findChildren<QPushButton*>()) {
      if (!b->isVisibleTo(view_.get())) continue;
      scroller->ensureWidgetVisible(b, 0, 0);
      const QRect r(b->mapTo(scroller->viewport(), QPoint(0, 0)), b->size());
      EXPECT_TRUE(scroller->viewport()->rect().contains(r)) << b->text().toStdString();
    }
  }
}

}  // namespace
}  // namespace zelvo
