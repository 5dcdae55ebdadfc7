// The Qt platform's own dialogs, offscreen: the pop-up menus show their
// titles, and message boxes show their whole title and no minimise or
// maximise button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/qt/qt_platform.h"

namespace zelvo {
namespace {

// Runs `show` and hands the first pop-up or modal window that comes up to
// `look`, then closes it.
void WhileShown(const std::function<void()>& show, const std::function<void(QWidget*)>& look) {
  bool seen = false;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activePopupWidget();
    if (!w) w = QApplication::activeModalWidget();
    if (!w || seen) return;
    seen = true;
    look(w);
    w->close();
  });
  timer.start();
  show();
  timer.stop();
  EXPECT_TRUE(seen);
}

TEST(QtPlatformDialogsTest, MenuTitlesAndMessageBoxFrames) {
  QtPlatform qt;
  for (const char* title : {"マーク変更", "左クリック動作"}) {
    int chosen = 0;
    std::vector<MenuEntry> entries(2);
    entries[0].text = "無し";
    entries[1].text = "◎ 本命";
    WhileShown([&] { chosen = qt.PopupMenu(title, entries); },
               [&](QWidget* w) {
                 auto* menu = qobject_cast<QMenu*>(w);
                 ASSERT_NE(menu, nullptr);
                 ASSERT_FALSE(menu->actions().isEmpty());
                 EXPECT_EQ(menu->actions().front()->text().toStdString(), title);
                 EXPECT_FALSE(menu->actions().front()->isEnabled());
               });
    EXPECT_EQ(chosen, -1);
  }

  const std::string title = "Zelvomini / clsTFileTPD / DataTypeCheck_Initialize";
  WhileShown([&] { qt.MessageBox("x", title, MsgIcon::kCritical, MsgButtons::kOk, 0); },
             [&](QWidget* w) {
               // The frame's buttons are chosen by the window, not left to
               // the window manager's defaults.
               EXPECT_TRUE(w->windowFlags() & Qt::CustomizeWindowHint);
               EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
               EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
               EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
               // The whole title, and the frame's buttons beside it.
               EXPECT_GE(w->width(),
                         w->fontMetrics().horizontalAdvance(QString::fromStdString(title)) + 100);
             });
}

}  // namespace
}  // namespace zelvo
