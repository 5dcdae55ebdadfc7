// The main window's keys and drops, offscreen: each shortcut reaches its
// command, is refused during a run exactly where its menu entry is, and a
// file dropped on the window opens.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStackedWidget>
#include <QTest>
#include <QUrl>

#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
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

TEST_F(DesktopViewTest, DroppedFilesOpen) {
  auto drop = [&](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view_.get(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view_.get(), &event);
    QApplication::processEvents();
    return true;
  };
  ASSERT_TRUE(drop(Path("doc.tpd")));
  EXPECT_EQ(main().FileName(), Path("doc.tpd"));
  EXPECT_EQ(view_->windowTitle().toStdString(), " Pendralcove  Zelvo mini - [doc.tpd]");
  EXPECT_EQ(view_->Pages()->currentIndex(), 1);

  fake_.ClearRecords();
  dir_.WriteBytes("picture.png", "x");
  ASSERT_TRUE(drop(Path("picture.png")));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text.rfind("このファイルは開けません。", 0), 0u);
  EXPECT_EQ(main().FileName(), Path("doc.tpd"));

  // Text dragged from elsewhere is no file.
  QMimeData text;
  text.setText("doc.tpd");
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view_.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

}  // namespace
}  // namespace zelvo
