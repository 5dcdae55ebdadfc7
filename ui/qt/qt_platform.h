// The platform seam on Qt: message boxes, the event loop as the yield of
// long loops, file dialogs, cascading pop-up menus at the mouse, the
// clipboard, the browser, the wait dialog and the busy pointer.
#ifndef ZELVOMINI_UI_QT_QT_PLATFORM_H_
#define ZELVOMINI_UI_QT_QT_PLATFORM_H_

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include "support/platform.h"

class QMenu;
class QWidget;

namespace zelvo {

QString ToQt(const std::string& text);
// The program's name and font: the fonts the screens were laid out for, then
// the CJK font every Linux desktop has.
void SetUpApplication();
std::string FromQt(const QString& text);

class QtPlatform : public Platform {
 public:
  QtPlatform();
  ~QtPlatform() override;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons, int default_button) override;
  void Yield() override;
  void Sleep(int milliseconds) override;
  uint32_t TickCount() override;
  DateTime Now() override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  std::string OpenFileDialog(const FileDialogRequest& request) override;
  std::string SaveFileDialog(const FileDialogRequest& request) override;
  std::vector<std::string> OpenFilesDialog(const FileDialogRequest& request) override;
  int PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) override;
  MenuChoice PopupMenuTree(const std::string& title, const std::vector<MenuEntry>& entries) override;
  bool OpenUrl(const std::string& url) override;
  bool IsAdministrator() override;
  void WaitBegin(const std::string& message, int64_t max) override;
  void WaitProgress(const std::string& message, int64_t max, int64_t value) override;
  void WaitEnd() override;
  void SetBusyCursor(bool busy) override;

  // The window dialogs and boxes belong to (the active window when unset).
  void SetOwner(QWidget* owner) { owner_ = owner; }

  // Tests and scripted runs: dialogs are answered by default instead of
  // shown (nothing may block an offscreen run).
  bool headless = false;

 private:
  QWidget* Owner() const;
  QString InitialPath(const FileDialogRequest& request) const;

  static constexpr const char* kWaitTitle = "Zelvo mini";
  QElapsedTimer clock_;
  QPointer<QWidget> owner_;
  QPointer<QProgressDialog> wait_;
  int busy_depth_ = 0;
  Platform* previous_ = nullptr;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_QT_PLATFORM_H_
