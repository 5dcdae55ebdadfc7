// The main window's keys and drops, offscreen: each shortcut reaches its
// command, is refused during a run exactly where its menu entry is, and a
// file dropped on the window opens.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QWindow>
#include <type_traits>

#include "files/tpd_file.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/qt/controls.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"
#include "ui/shortcuts.h"

namespace zelvo {
namespace {

class DesktopViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    dir_.WriteBytes("doc.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
    view_ = std::make_unique<MainWindowView>();
    view_->Load();
    view_->show();
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  void Keys(const char* keys) {
    QKeySequence seq(keys);
    QTest::keySequence(view_.get(), seq);
  }
  frmMain& main() { return view_->controller(); }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  std::unique_ptr<MainWindowView> view_;
};

TEST_F(DesktopViewTest, ShortcutsReachTheirCommandsAndFollowTheMenusDuringARun) {
  const Cmd with_keys[] = {Cmd::kFileNew,  Cmd::kFileOpen,  Cmd::kFileSave,   Cmd::kFileSaveAs,
                           Cmd::kPrint,    Cmd::kExit,      Cmd::kUndo,       Cmd::kRedo,
                           Cmd::kPageHome, Cmd::kPageMulti, Cmd::kPageSingle, Cmd::kPageCheck,
                           Cmd::kRun};
  for (Cmd c : with_keys) {
    ASSERT_NE(view_->ActionOf(c), nullptr);
    EXPECT_EQ(view_->ActionOf(c)->shortcut(), QKeySequence(ShortcutOf(c)));
  }

  fake_.QueueFileName(Path("doc.tpd"));
  Keys("Ctrl+O");
  ASSERT_EQ(main().FileName(), Path("doc.tpd"));
  Keys("Ctrl+3");
  EXPECT_EQ(view_->Pages()->currentIndex(), 2);
  Keys("Ctrl+2");
  EXPECT_EQ(view_->Pages()->currentIndex(), 1);
  // A click on the multi marks the title; Ctrl+Z takes it back, Ctrl+Y again.
  GridView* multi = view_->MultiGridView();
  QTest::mouseClick(multi, Qt::LeftButton, Qt::NoModifier, multi->CellRect(2, 1).center());
  EXPECT_EQ(view_->windowTitle().toStdString(), "* Pendralcove  Zelvo mini - [doc.tpd]");
  Keys("Ctrl+Z");
  EXPECT_EQ(view_->windowTitle().toStdString(), " Pendralcove  Zelvo mini - [doc.tpd]");
  Keys("Ctrl+Y");
  EXPECT_TRUE(main().DocumentChanged());
  Keys("Ctrl+S");
  EXPECT_FALSE(main().DocumentChanged());
  fake_.QueueFileName(Path("copy.tpd"));
  Keys("Ctrl+Shift+S");
  EXPECT_EQ(main().FileName(), Path("copy.tpd"));

  // F5 starts the search; with the trial engine it pauses and resumes it.
  // Meanwhile every key does what its menu entry or button does then.
  main().EngineOption().Choose(2);
  bool checked = false;
  std::vector<std::string> captions;
  fake_.on_yield = [&] {
    if (checked || main().IsIdle() || main().Search().Engine().RunningKind() != 2) return;
    checked = true;
    for (Cmd c : with_keys) {
      EXPECT_EQ(view_->ActionOf(c)->isEnabled(), main().State(c).enabled) << static_cast<int>(c);
    }
    EXPECT_FALSE(view_->ActionOf(Cmd::kFileNew)->isEnabled());
    EXPECT_FALSE(view_->ActionOf(Cmd::kUndo)->isEnabled());
    fake_.ClearRecords();
    Keys("Ctrl+N");
    Keys("Ctrl+Z");
    Keys("Ctrl+Q");
    EXPECT_EQ(main().FileName(), Path("copy.tpd"));
    EXPECT_TRUE(view_->isVisible());
    EXPECT_TRUE(fake_.messages().empty());
    // The page entries stay enabled and answer with the busy warning.
    Keys("Ctrl+1");
    EXPECT_EQ(view_->Pages()->currentIndex(), 1);
    EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{frmMain::kBusyMessage});
    Keys("F5");
    captions.push_back(main().State(Cmd::kRun).caption);
    Keys("F5");
    captions.push_back(main().State(Cmd::kRun).caption);
    main().Execute(Cmd::kStop);
  };
  Keys("F5");
  EXPECT_TRUE(checked);
  EXPECT_EQ(captions, (std::vector<std::string>{"検索再開", "一時停止"}));
  EXPECT_TRUE(main().IsIdle());

  // With the fast engine the run button is off during the run, and so is F5.
  main().EngineOption().Choose(1);
  int presses = 0;
  fake_.on_yield = [&] {
    if (main().IsIdle() || presses > 0) return;
    ++presses;
    EXPECT_FALSE(view_->ActionOf(Cmd::kRun)->isEnabled());
    Keys("F5");
    EXPECT_EQ(main().State(Cmd::kRun).caption, "検索開始");
  };
  Keys("F5");
  EXPECT_EQ(presses, 1);

  // Ctrl+Q closes the window, asking first about the search's result.
  fake_.on_yield = nullptr;
  ASSERT_TRUE(main().DocumentChanged());
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kCancel);
  Keys("Ctrl+Q");
  EXPECT_TRUE(view_->isVisible());
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"変更を保存しますか？"});
  fake_.QueueAnswer(MsgAnswer::kNo);
  Keys("Ctrl+Q");
  EXPECT_FALSE(view_->isVisible());
}

// Drops as a drag delivers them: to the window under the pointer, which
// hands them to the widget there (a grid of the multi page) and up to the
// main window, the one that takes files.
TEST_F(DesktopViewTest, DroppedFilesOpen) {
  auto drop = [&](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QWindow* window = view_->windowHandle();
    GridView* multi = view_->MultiGridView();
    const QPointF at = multi->isVisible() ? QPointF(multi->mapTo(view_.get(), QPoint(5, 5)))
                                          : QPointF(view_->width() / 2.0, view_->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
    QApplication::processEvents();
    return event.isAccepted();
  };
  ASSERT_TRUE(drop(Path("doc.tpd")));
  EXPECT_EQ(main().FileName(), Path("doc.tpd"));
  EXPECT_EQ(view_->windowTitle().toStdString(), " Pendralcove  Zelvo mini - [doc.tpd]");
  EXPECT_EQ(view_->Pages()->currentIndex(), 1);

  // A CSV file of singles opens as 開く of the CSV menu: its singles replace
  // the document's, after the question about the changed document.
  const std::vector<int> singles = main().Singles();
  fake_.QueueFileName(Path("lines.csv"));
  main().Execute(Cmd::kCsvSave);
  Keys("Ctrl+3");
  main().Execute(Cmd::kSelectAll);
  fake_.QueueAnswer(MsgAnswer::kYes);
  main().Execute(Cmd::kDeleteSingles);
  ASSERT_TRUE(main().Singles().empty());
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  ASSERT_TRUE(drop(Path("lines.csv")));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"変更を保存しますか？"});
  EXPECT_EQ(main().Singles(), singles);
  EXPECT_EQ(view_->Pages()->currentIndex(), 2);

  fake_.ClearRecords();
  dir_.WriteBytes("picture.png", "x");
  ASSERT_TRUE(drop(Path("picture.png")));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text.rfind("このファイルは開けません。", 0), 0u);

  // Text dragged from elsewhere is no file.
  QMimeData text;
  text.setText("doc.tpd");
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view_->windowHandle(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

// Ctrl+Z and Ctrl+Y are the document's undo and redo whichever control has
// the focus; a number box undoes its own typing first, until it is left.
TEST_F(DesktopViewTest, UndoFromEveryKindOfFocusedControl) {
  fake_.QueueFileName(Path("doc.tpd"));
  Keys("Ctrl+O");
  Keys("Ctrl+2");
  const MultiTable before = main().BuildDocument().Multi;
  auto edit = [&] {
    main().MultiGrid().Click(GridClick{MouseButton::kLeft, false, false, 2, 1, false});
    main().CommitEdits();
    view_->RefreshAll();
    ASSERT_FALSE(main().BuildDocument().Multi == before);
  };
  std::vector<QWidget*> controls;
  auto first = [&](auto* type_tag) {
    using T = std::remove_pointer_t<decltype(type_tag)>;
    for (T* w : view_->Pages()->widget(1)->findChildren<T*>()) {
      if (w->isVisible() && w->focusPolicy() != Qt::NoFocus) return static_cast<QWidget*>(w);
    }
    return static_cast<QWidget*>(nullptr);
  };
  for (QWidget* w :
       {first(static_cast<NumberEdit*>(nullptr)), first(static_cast<CheckBoxView*>(nullptr)),
        first(static_cast<QRadioButton*>(nullptr)), first(static_cast<QTabBar*>(nullptr)),
        first(static_cast<QListWidget*>(nullptr)), first(static_cast<GridView*>(nullptr)),
        first(static_cast<QPushButton*>(nullptr)), first(static_cast<QToolButton*>(nullptr))}) {
    ASSERT_NE(w, nullptr);
    SCOPED_TRACE(w->metaObject()->className());
    edit();
    w->setFocus();
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(main().BuildDocument().Multi == before);
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(main().BuildDocument().Multi == before);
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
  }

  // Typing in a box: Ctrl+Z takes the typing back while the box has it; once
  // the box is left the typing is an edit, and Ctrl+Z undoes it from the
  // next box.
  NumberEdit* low = nullptr;
  for (NumberEdit* e : view_->findChildren<NumberEdit*>()) {
    if (e->entry() == &main().MoneyMin(1)) low = e;
  }
  ASSERT_NE(low, nullptr);
  const std::string was = main().MoneyMin(1).Text();
  low->setFocus();
  low->selectAll();
  QTest::keyClicks(low, "8000");
  QTest::keyClick(low, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(low->text().toStdString(), was);
  EXPECT_FALSE(main().DocumentChanged());
  low->selectAll();
  QTest::keyClicks(low, "8000");
  QTest::keyClick(low, Qt::Key_Tab);
  EXPECT_TRUE(main().DocumentChanged());
  QWidget* next = QApplication::focusWidget();
  ASSERT_NE(next, low);
  QTest::keyClick(next, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(main().MoneyMin(1).Text(), was);
  EXPECT_FALSE(main().DocumentChanged());
}

// The multi from the keyboard alone: the tab order reaches the grids and the
// run log, arrows move within a grid, a mark's digit sets it and Space cycles
// it, Shift+F10 opens a header's menu, F5 runs, Shift+F5 stops and Ctrl+S
// saves.  A screen reader reads the cell under the keyboard.
TEST_F(DesktopViewTest, AMultiMarkedRunStoppedAndSavedFromTheKeyboard) {
  fake_.QueueFileName(Path("doc.tpd"));
  Keys("Ctrl+O");
  Keys("Ctrl+2");
  auto tab_to = [&](QWidget* target) {
    for (int i = 0; i < 200 && QApplication::focusWidget() != target; ++i) {
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view_.get(),
                      Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
  };
  GridView* multi = view_->MultiGridView();
  GridView* votes = nullptr;  // the match table's clickable part
  GridView* count = nullptr;
  for (GridView* g : view_->findChildren<GridView*>()) {
    if (g->grid() == &main().CountCondition(1).count) count = g;
    if (g->grid() == &main().MatchTable().VoteGrid()) votes = g;
  }
  ASSERT_TRUE(tab_to(votes));
  ASSERT_TRUE(tab_to(view_->LogList()));
  Keys("Ctrl+2");
  QTest::keyClick(view_->ConditionTabs()->tabBar(), Qt::Key_Right);  // 本命
  ASSERT_TRUE(tab_to(count));
  ASSERT_TRUE(tab_to(multi));

  // The first match's home cell, then the draw beside it.
  EXPECT_EQ(multi->CurrentRow(), 2);
  EXPECT_EQ(multi->CurrentCol(), 1);
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(multi);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->text(QAccessible::Name).toStdString(), "マルチ");
  QTest::keyClick(multi, Qt::Key_Down);
  QTest::keyClick(multi, Qt::Key_Down);
  QTest::keyClick(multi, Qt::Key_1);
  EXPECT_EQ(main().BuildDocument().Multi[1][2], 1);
  ASSERT_NE(grid->focusChild(), nullptr);
  EXPECT_EQ(grid->focusChild()->text(QAccessible::Name).toStdString(), "第3試合 ホーム ◎");
  QTest::keyClick(multi, Qt::Key_Right);
  QTest::keyClick(multi, Qt::Key_0);
  EXPECT_EQ(grid->focusChild()->text(QAccessible::Name).toStdString(), "第3試合 引分け なし");
  QTest::keyClick(multi, Qt::Key_Space);
  EXPECT_EQ(grid->focusChild()->text(QAccessible::Name).toStdString(), "第3試合 引分け ◎");
  QTest::keyClick(multi, Qt::Key_Space);
  EXPECT_EQ(main().BuildDocument().Multi[0][2], 2);
  EXPECT_TRUE(main().DocumentChanged());
  // The header's menu: 全て投票率順でマーク, its fifth entry.
  QTest::keyClick(multi, Qt::Key_Up);
  QTest::keyClick(multi, Qt::Key_Up);
  QTest::keyClick(multi, Qt::Key_Up);
  EXPECT_EQ(multi->CurrentRow(), 1);
  fake_.QueueMenuChoice(4);
  QTest::keyClick(multi, Qt::Key_F10, Qt::ShiftModifier);
  for (int m = 0; m < 5; ++m) {
    int marked = 0;
    for (int o = 0; o < 3; ++o) marked += main().BuildDocument().Multi[o][m] > 0;
    EXPECT_EQ(marked, 3) << m;
  }

  // A trial search from F5, stopped with Shift+F5 during its run.
  QRadioButton* trial = nullptr;
  for (QRadioButton* r : view_->findChildren<QRadioButton*>()) {
    if (r->text().startsWith(QString::fromUtf8("２等保証")) &&
        r->text().contains(QString::fromUtf8("試行"))) {
      trial = r;
    }
  }
  ASSERT_NE(trial, nullptr);
  trial->setFocus();
  QTest::keyClick(trial, Qt::Key_Space);
  ASSERT_EQ(main().EngineOption().Index(), 2);
  bool stopped = false;
  fake_.on_yield = [&] {
    if (stopped || main().IsIdle() || main().Search().Engine().RunningKind() != 2) return;
    stopped = true;
    Keys("Shift+F5");
  };
  Keys("F5");
  fake_.on_yield = nullptr;
  EXPECT_TRUE(stopped);
  EXPECT_TRUE(main().IsIdle());
  EXPECT_EQ(main().State(Cmd::kRun).caption, "検索開始");
  Keys("Ctrl+S");
  EXPECT_FALSE(main().DocumentChanged());
  DocumentRecord saved;
  ASSERT_TRUE(clsTFileTPD().LoadFile(Path("doc.tpd"), saved, true));
  EXPECT_TRUE(saved.Multi == main().BuildDocument().Multi);
  EXPECT_EQ(saved.SingleCount, main().SingleCount());
}

}  // namespace
}  // namespace zelvo
