// Every window on the offscreen 800 x 600 screen: each one the main window's
// menus and buttons open is found by walking them, checked as it opens and
// again once filled (a backtest run, a long list), and closed again.  A
// window fits when its frame lies within the screen's work area and its
// contents need no more than that area; its buttons and menu entries have
// mnemonics that do not collide, and no label shows a literal "&".
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "tests/ui_qt/main_window_fixture.h"
#include "ui/analysis_window.h"
#include "ui/archive_windows.h"
#include "ui/model_window.h"
#include "ui/print_window.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/mnemonics.h"
#include "ui/qt/small_windows_view.h"

namespace zelvo {
namespace {

std::string Name(const QWidget* w) {
  return w->windowTitle().toStdString() + " (" + w->metaObject()->className() + ")";
}

// The frame within the work area, and contents that fit in it.
void ExpectFits(QWidget* w) {
  SCOPED_TRACE(Name(w));
  const QRect work = w->screen()->availableGeometry();
  EXPECT_TRUE(work.contains(w->frameGeometry()))
      << "frame " << w->frameGeometry().width() << "x" << w->frameGeometry().height() << "+"
      << w->frameGeometry().x() << "+" << w->frameGeometry().y();
  QSize need = w->minimumSize();
  if (w->layout()) need = need.expandedTo(w->layout()->totalMinimumSize());
  EXPECT_LE(need.width(), work.width());
  EXPECT_LE(need.height(), work.height());
}

// The entries of a menu and its submenus: each with a mnemonic of its own
// among its siblings.
void ExpectMenuMnemonics(QMenu* menu) {
  SCOPED_TRACE(menu->title().toStdString());
  std::set<QChar> used;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator() || !a->isVisible()) continue;
    const QChar c = MnemonicLetter(a->text());
    EXPECT_FALSE(c.isNull()) << a->text().toStdString();
    EXPECT_TRUE(c.isNull() || used.insert(c).second) << a->text().toStdString();
    if (a->menu()) ExpectMenuMnemonics(a->menu());
  }
}

// Every shown push button has a mnemonic or a key, no two shown controls
// share a letter, and a label with "&" is a buddy (else it shows the "&").
void ExpectMnemonics(QWidget* w) {
  SCOPED_TRACE(Name(w));
  std::map<QChar, QString> used;
  auto take = [&](const QString& text) {
    const QChar c = MnemonicLetter(text);
    if (c.isNull()) return;
    EXPECT_TRUE(used.emplace(c, text).second)
        << text.toStdString() << " and " << used[c].toStdString();
  };
  for (QMenuBar* bar : w->findChildren<QMenuBar*>()) {
    for (QAction* a : bar->actions()) {
      take(a->text());
      if (a->menu()) ExpectMenuMnemonics(a->menu());
    }
  }
  for (QPushButton* b : w->findChildren<QPushButton*>()) {
    if (!b->isVisibleTo(w) || b->text().isEmpty()) continue;
    EXPECT_TRUE(!MnemonicLetter(b->text()).isNull() || !b->shortcut().isEmpty())
        << b->text().toStdString();
    take(b->text());
  }
  for (QLabel* l : w->findChildren<QLabel*>()) {
    if (!l->isVisibleTo(w) || l->textFormat() == Qt::RichText) continue;
    if (l->buddy()) {
      take(l->text());
    } else {
      EXPECT_FALSE(l->text().contains('&') && !l->text().contains("&&") && !l->text().contains("<"))
          << l->text().toStdString();
    }
  }
}

class WindowFitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = testing::ShownMainWindow(dir_);
    fake_.QueueFileName(testing::SampleDocumentPath());
    view_->ActionOf(Cmd::kFileOpen)->trigger();
    QApplication::processEvents();
  }
  void TearDown() override {
    view_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Runs `open`; every modal window it shows (one over another too) is
  // checked, filled by the step named after its title, checked again and
  // closed.  Returns the classes and titles of the windows seen.
  std::set<std::string> Open(const std::function<void()>& open) {
    std::set<std::string> seen;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->property("checked").toBool()) return;
      modal->setProperty("checked", true);
      seen.insert(modal->metaObject()->className());
      seen.insert(modal->windowTitle().toStdString());
      ExpectFits(modal);
      ExpectMnemonics(modal);
      if (auto fill = fills_.find(modal->windowTitle().toStdString()); fill != fills_.end()) {
        fill->second(modal);
        QApplication::processEvents();
        ExpectFits(modal);
      }
      modal->close();
    });
    timer.start();
    open();
    timer.stop();
    // The windows that stay beside the main one.
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w == view_.get() || !w->isVisible() || w->windowType() == Qt::Popup) continue;
      seen.insert(w->metaObject()->className());
      seen.insert(w->windowTitle().toStdString());
      ExpectFits(w);
      ExpectMnemonics(w);
      w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seen;
  }
  static QPushButton* ButtonNamed(QWidget* w, const char* prefix) {
    for (QPushButton* b : w->findChildren<QPushButton*>()) {
      if (b->text().startsWith(QString::fromUtf8(prefix))) return b;
    }
    return nullptr;
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  std::unique_ptr<MainWindowView> view_;
  // What fills a window, by its title.
  std::map<std::string, std::function<void(QWidget*)>> fills_;
  int previews_ = 0;
};

TEST_F(WindowFitTest, EveryWindowFitsASmallScreenAndHasItsMnemonics) {
  ASSERT_EQ(view_->screen()->availableGeometry().size(), QSize(800, 600));
  ExpectFits(view_.get());
  // The shipped match history, for a model evaluation that fills its window.
  std::filesystem::copy(std::filesystem::path(ZELVO_PROGRAM_DIR_FOR_TESTS) / "History",
                        std::filesystem::path(dir_.path()) / "History");

  fills_[frmBacktest::kTitle] = [](QWidget* w) {
    QPushButton* run = ButtonNamed(w, "検証");
    ASSERT_NE(run, nullptr);
    run->click();
  };
  fills_[frmModelEvaluation::kTitle] = [](QWidget* w) {
    QPushButton* run = ButtonNamed(w, "検証");
    ASSERT_NE(run, nullptr);
    run->click();
    EXPECT_GT(w->findChild<QTableWidget*>("tblScores")->rowCount(), 0);
  };
  fills_[frmPrint::kTitle] = [this](QWidget* w) {
    // The print preview over the print window, checked in its turn.
    QPushButton* preview = ButtonNamed(w, "印刷プレビュー");
    ASSERT_NE(preview, nullptr);
    QTimer::singleShot(0, [this] {
      QWidget* p = QApplication::activeModalWidget();
      ASSERT_NE(p, nullptr);
      ++previews_;
      ExpectFits(p);
      p->close();
    });
    preview->click();
  };

  // Every entry of every menu, but those that end the window or need the
  // network, opens what it opens.
  const std::set<QAction*> skip = {view_->ActionOf(Cmd::kExit), view_->ActionOf(Cmd::kFileNew)};
  std::set<std::string> seen;
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* a : menu->actions()) {
      if (a->menu()) {
        walk(a->menu());
        continue;
      }
      if (a->isSeparator() || !a->isVisible() || skip.count(a)) continue;
      view_->RefreshAll();
      if (!a->isEnabled()) continue;
      SCOPED_TRACE(a->text().toStdString());
      for (const std::string& s : Open([&] { a->trigger(); })) seen.insert(s);
    }
  };
  for (QAction* top : view_->menuBar()->actions()) walk(top->menu());
  // The buttons of every page, but the downloads.
  for (int page = 0; page < 4; ++page) {
    view_->controller().ShowPage(page);
    view_->RefreshAll();
    for (QPushButton* b : view_->Pages()->widget(page)->findChildren<QPushButton*>()) {
      const bool download = b == view_->ButtonOf(Cmd::kDownloadSchedule) ||
                            b == view_->ButtonOf(Cmd::kDownloadVote) ||
                            b == view_->ButtonOf(Cmd::kDownloadResult) ||
                            b == view_->ButtonOf(Cmd::kMakerTeams) ||
                            b == view_->ButtonOf(Cmd::kRun) || b == view_->ButtonOf(Cmd::kStop);
      if (download || !b->isVisibleTo(view_.get()) || !b->isEnabled()) continue;
      SCOPED_TRACE(b->text().toStdString());
      for (const std::string& s : Open([&] { b->click(); })) seen.insert(s);
    }
    ExpectMnemonics(view_.get());
  }
  EXPECT_EQ(previews_, 1);
  // The walk reached the windows of the tool menu and the pages.
  for (const char* w :
       {"zelvo::OddsDialog", "zelvo::PrintDialog", "zelvo::BatchWindowView", "zelvo::AboutDialog",
        "zelvo::TeamNameDialog", "zelvo::OwnProbsDialog", "zelvo::MatchDayWindowView"}) {
    EXPECT_TRUE(seen.count(w)) << w;
  }
  for (const char* title :
       {frmAnalysis::kTitle, frmArchive::kTitle, frmBacktest::kTitle, frmModelEvaluation::kTitle}) {
    EXPECT_TRUE(seen.count(title)) << title;
  }

  // The windows opened from the conditions' grids, and the download window
  // with a long list.
  view_->controller().ShowPage(1);
  fake_.QueueMenuChoice(3);  // 複合条件設定 of a row title
  CountConditionModels& m = view_->controller().CountCondition(1);
  std::set<std::string> item = Open([&] {
    GridView* grid = nullptr;
    for (GridView* g : view_->findChildren<GridView*>()) {
      if (g->grid() == &m.count) grid = g;
    }
    ASSERT_NE(grid, nullptr);
    QTest::mouseClick(grid, Qt::RightButton, Qt::NoModifier, grid->CellRect(2, 1).center());
  });
  EXPECT_EQ(item.size(), 2u);  // one window: its class and its title
  DownloadWindowView* download = InstallDownloadWindow(view_.get());
  download->controller().Open();
  for (int i = 0; i < 200; ++i) download->controller().AddLine(" 受信中 " + std::to_string(i));
  QApplication::processEvents();
  ExpectFits(download);
  download->controller().Close();
  delete download;
}

}  // namespace
}  // namespace zelvo
