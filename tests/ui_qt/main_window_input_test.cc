// The main window driven as a user drives it, offscreen: mouse clicks and
// key presses on the real widgets, from typing a round to saving the
// document, compared with what the command line makes of the same document.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <sstream>
#include <tuple>

#include "app/cli.h"
#include "engines/engine_panel.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "tests/ui_qt/main_window_fixture.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/controls.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"

namespace zelvo {
namespace {

class MainWindowInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = testing::ShownMainWindow(dir_);
    round_ = view_->findChild<NumberEdit*>("txtKaisaikai");
    ASSERT_NE(round_, nullptr);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  void TypeRound(const char* keys) {
    round_->setFocus();
    round_->selectAll();
    QTest::keyClicks(round_, keys);
  }
  void ShowPage(int page) {
    QTabBar* bar = view_->PageBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(page).center());
  }
  void ShowConditionTab(int tab) {
    QTabBar* bar = view_->ConditionTabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
  }
  GridView* ViewOf(const Grid& grid) const {
    for (GridView* v : view_->findChildren<GridView*>()) {
      if (v->grid() == &grid) return v;
    }
    ADD_FAILURE() << "no view of the grid";
    return nullptr;
  }
  void ClickCell(const Grid& grid, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    GridView* v = ViewOf(grid);
    if (v) QTest::mouseClick(v, button, Qt::NoModifier, v->CellRect(row, col).center());
  }
  NumberEdit* EditOf(const NumberEntry& entry) const {
    for (NumberEdit* e : view_->findChildren<NumberEdit*>()) {
      if (e->entry() == &entry) return e;
    }
    ADD_FAILURE() << "no box of the entry";
    return nullptr;
  }
  void ChooseOption(const char* caption) {
    for (QRadioButton* b : view_->findChildren<QRadioButton*>()) {
      if (b->text() == QString::fromUtf8(caption)) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
      }
    }
    ADD_FAILURE() << "no option " << caption;
  }
  void Type(NumberEntry& entry, const char* keys) {
    NumberEdit* e = EditOf(entry);
    if (!e) return;
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, keys);
    QTest::keyClick(e, Qt::Key_Tab);
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

// The offscreen screen is 800 pixels wide, narrower than the form.
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

// At the window's own size every page fits without scrolling, and a page
// shown anew starts at its top left.
TEST_F(MainWindowInputTest, PagesFitTheDefaultSizeAndStartAtTheirTopLeft) {
  auto* scroller = view_->findChild<QScrollArea*>("formScroller");
  ASSERT_NE(scroller, nullptr);
  const int status = view_->statusBar()->sizeHint().height();
  auto expect_fits = [&](int page, const char* what) {
    view_->controller().ShowPage(page);
    view_->RefreshAll();
    QApplication::processEvents();
    const QSize need = scroller->widget()->minimumSizeHint();
    EXPECT_LE(need.width(), frmMain::kClientWidth) << page << what;
    EXPECT_LE(need.height(), frmMain::kClientHeight - status) << page << what;
  };
  for (int page = 0; page < 4; ++page) expect_fits(page, "");
  // The multi page with the tallest engine settings and the own chances' line.
  view_->controller().EngineOption().Choose(2);
  expect_fits(1, " trial engine");
  view_->controller().EngineOption().Choose(5);
  expect_fits(1, " count optimisation");
  view_->controller().ShowPage(1);
  view_->RefreshAll();
  QApplication::processEvents();
  scroller->horizontalScrollBar()->setValue(scroller->horizontalScrollBar()->maximum());
  scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
  ASSERT_GT(scroller->horizontalScrollBar()->value(), 0);
  fake_.QueueAnswer(MsgAnswer::kNo);  // the engine chosen above is not kept
  view_->ActionOf(Cmd::kFileNew)->trigger();
  EXPECT_EQ(view_->Pages()->currentIndex(), 0);
  EXPECT_EQ(scroller->horizontalScrollBar()->value(), 0);
  EXPECT_EQ(scroller->verticalScrollBar()->value(), 0);
}

// A user's session from the round to the saved document, every step a click
// or a key on the window's own widgets; the choices of pop-up menus and file
// dialogs come from the platform seam.
TEST_F(MainWindowInputTest, AUserSessionFromRoundToSavedDocument) {
  frmMain& main = view_->controller();
  TypeRound("1487");
  ASSERT_GT(main.Vote().Kaisaikai, 0);
  ShowPage(1);
  ASSERT_EQ(view_->Pages()->currentIndex(), 1);

  // The whole multi by vote rates from the header's menu, then two cells by
  // hand: a click cycles a mark.
  fake_.QueueMenuChoice(4);  // 全て投票率順でマーク
  ClickCell(main.MultiGrid(), 1, 1, Qt::RightButton);
  ClickCell(main.MultiGrid(), 2, 3);
  ClickCell(main.MultiGrid(), 3, 2);
  MultiTable multi;
  main.Multi().GetValue(multi);
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_GT(multi[o][m], 0) << o << m;
  }

  // The match table switches to vote counts and back at a click.
  const std::string rate = main.MatchTable().VoteGrid().Text(1, 1);
  ClickCell(main.MatchTable().VoteGrid(), 1, 1);
  EXPECT_NE(main.MatchTable().VoteGrid().Text(1, 1), rate);
  ClickCell(main.MatchTable().VoteGrid(), 1, 1);
  EXPECT_EQ(main.MatchTable().VoteGrid().Text(1, 1), rate);

  // A grade-1 payout range from the boxes' menus: 3万円 to 50万円.
  ShowConditionTab(0);
  for (CheckBoxView* c : view_->findChildren<CheckBoxView*>()) {
    if (c->text() == QString::fromUtf8(main.MoneyCheck(1).caption.c_str())) {
      QTest::mouseClick(c, Qt::LeftButton);
    }
  }
  ASSERT_TRUE(main.MoneyCheck(1).Checked());
  for (auto [entry, range, amount] :
       {std::tuple{&main.MoneyMin(1), 3, 2}, std::tuple{&main.MoneyMax(1), 4, 4}}) {
    NumberEdit* box = EditOf(*entry);
    ASSERT_NE(box, nullptr);
    fake_.QueueMenuChoice(range);
    fake_.QueueMenuChoice(amount);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, box->rect().center(),
                           box->mapToGlobal(box->rect().center()));
    QApplication::sendEvent(box, &menu);
  }
  EXPECT_EQ(EditOf(main.MoneyMin(1))->text(), "30,000");
  EXPECT_EQ(EditOf(main.MoneyMax(1))->text(), "500,000");

  // The composition analysis of a favourite row, closed by a tab switch.
  ShowConditionTab(1);
  const CountConditionModels& honmei = main.CountCondition(1);
  fake_.QueueMenuChoice(2);  // 構成分析
  ClickCell(honmei.count, 2, 1, Qt::RightButton);
  ASSERT_EQ(view_->KouseiViews().size(), 1u);
  ShowConditionTab(2);
  EXPECT_TRUE(view_->KouseiViews().empty());

  // A trial search, paused, resumed and stopped from its buttons.
  ChooseOption("２等保証　試行検索エンジン");
  Type(main.Sakugen().Field(kFieldBeginCount), "60");
  Type(main.Sakugen().Field(kFieldEndCount), "1");
  QPushButton* run = view_->ButtonOf(Cmd::kRun);
  QPushButton* stop = view_->ButtonOf(Cmd::kStop);
  std::vector<std::string> captions;
  int step = 0;
  fake_.on_yield = [&] {
    if (main.IsIdle()) return;
    // The pause once the engine searches its first count; the rest follow
    // whatever the log shows meanwhile.
    if (step == 0 && (main.Log().Lines().empty() ||
                      main.Log().Lines().back().find("を検索中...") == std::string::npos)) {
      return;
    }
    switch (step++) {
      case 0:
        QTest::mouseClick(run, Qt::LeftButton);  // 一時停止
        captions.push_back(run->text().toStdString());
        break;
      case 1:
        QTest::mouseClick(run, Qt::LeftButton);  // 検索再開
        captions.push_back(run->text().toStdString());
        break;
      case 2:
        QTest::mouseClick(stop, Qt::LeftButton);
        break;
      default:
        break;
    }
  };
  QTest::mouseClick(run, Qt::LeftButton);
  fake_.on_yield = nullptr;
  // The button shows its mnemonic beside the caption of the moment.
  EXPECT_EQ(captions, (std::vector<std::string>{"検索再開(&S)", "一時停止(&S)"}));
  EXPECT_GE(step, 3);
  EXPECT_TRUE(main.IsIdle());
  EXPECT_EQ(run->text().toStdString(), "検索開始(&S)");

  // A fast search to its end.
  ChooseOption("２等保証　高速検索エンジン");
  QTest::mouseClick(run, Qt::LeftButton);
  const std::vector<int> fast = main.Singles();
  ASSERT_GT(fast.size(), 10u);

  // The singles page: the next page, then a single changed by a click on
  // another outcome of its first match.
  ShowPage(2);
  QTest::mouseClick(view_->ButtonOf(Cmd::kNextPage), Qt::LeftButton);
  EXPECT_EQ(main.SingleList().PageLabel().rfind("2／", 0), 0u) << main.SingleList().PageLabel();
  const int first = main.Singles()[10];
  const int outcome = first % 3;         // match 0 is the lowest digit
  const int col = outcome == 1 ? 2 : 1;  // columns show outcomes 1, 0, 2
  ClickCell(main.SingleList().Draw().grid(), 2, col);
  const int edited = main.Singles()[10];
  EXPECT_NE(edited, first);

  // Saved, reopened: the document holds what the window showed.
  const std::string saved = Path("session.tpd");
  fake_.QueueFileName(saved);
  view_->ActionOf(Cmd::kFileSaveAs)->trigger();
  std::vector<int> shown = main.Singles();
  view_->ActionOf(Cmd::kFileNew)->trigger();
  EXPECT_TRUE(main.Singles().empty());
  fake_.QueueFileName(saved);
  view_->ActionOf(Cmd::kFileOpen)->trigger();
  EXPECT_EQ(main.Singles(), shown);
  MultiTable reopened;
  main.Multi().GetValue(reopened);
  EXPECT_EQ(reopened, multi);
  EXPECT_EQ(EditOf(main.MoneyMin(1))->text(), "30,000");
  EXPECT_EQ(main.Kaisaikai(), 1487);
  // The check page's singles carry their column headers.
  ShowPage(3);
  GridView* headers = ViewOf(main.ResultCheck().ResultGrid().header());
  ASSERT_NE(headers, nullptr);
  EXPECT_TRUE(headers->isVisible());
  EXPECT_EQ(headers->width(), ViewOf(main.ResultCheck().ResultGrid().grid())->width());

  // The command line's search of the saved document finds what the
  // window's fast search found.
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"search", saved, "-o", Path("cli.tpd")}, in, out, err), 0) << err.str();
  clsTFileTPD tpd;
  DocumentRecord doc;
  ASSERT_TRUE(tpd.LoadFile(Path("cli.tpd"), doc, false));
  EXPECT_EQ(doc.SingleData, fast);
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages()[0].text;
}

}  // namespace
}  // namespace zelvo
