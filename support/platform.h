// The one seam to what the window system gives: message boxes, the yield of
// long loops, the clock, the clipboard, file dialogs, pop-up menus, the
// browser, the administrator check and the wait dialog.  The desktop program
// installs a Qt implementation, the command line a console one, tests a fake
// that records every call and answers from a script.
#ifndef ZELVOMINI_SUPPORT_PLATFORM_H_
#define ZELVOMINI_SUPPORT_PLATFORM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "support/date_time.h"

namespace zelvo {

enum class MsgIcon { kNone, kInformation, kWarning, kCritical, kQuestion };
// kSaveDiscardCancel is the question before a changed document is set
// aside: "保存" answers kYes, "保存しない" kNo, "キャンセル" kCancel.
// kReloadOverwriteCancel is the question before a save over a file changed
// elsewhere: "再読み込み" answers kYes, "上書き" kNo, "キャンセル" kCancel.
enum class MsgButtons {
  kOk,
  kOkCancel,
  kYesNo,
  kYesNoCancel,
  kSaveDiscardCancel,
  kReloadOverwriteCancel
};
enum class MsgAnswer { kOk, kCancel, kYes, kNo };

struct MenuEntry {
  std::string text;  // empty with `separator` set for a separator line
  bool checked = false;
  bool enabled = true;
  bool separator = false;
  // Entries that cascade from this one; an entry with a submenu is never
  // chosen itself.
  std::vector<MenuEntry> submenu;
};

// What a cascading pop-up answered: the entry of the first level, and the
// entry of its submenu when it has one (-1 otherwise).
struct MenuChoice {
  int index = -1;
  int sub_index = -1;
};

struct FileDialogRequest {
  std::string title;
  std::string filter;  // "CSVファイル(*.csv)"
  std::string initial_dir;
  std::string initial_name;
  std::string default_ext;  // "csv", given to a chosen name that lacks one
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons = MsgButtons::kOk, int default_button = 0) = 0;
  // Processes pending window events; the yield point of every long loop.
  virtual void Yield() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // Milliseconds of a monotonic clock (wraps like the system timer).
  virtual uint32_t TickCount() = 0;
  virtual DateTime Now() = 0;

  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // Empty result: the user cancelled.
  virtual std::string OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::string SaveFileDialog(const FileDialogRequest& request) = 0;
  // Several files at once (the batch window's queue); empty when cancelled.
  // The default offers the single-file dialog.
  virtual std::vector<std::string> OpenFilesDialog(const FileDialogRequest& request);

  // Index of the chosen entry (separators count), -1 when dismissed.
  virtual int PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) = 0;
  // A pop-up whose entries may cascade into submenus; index -1 when the user
  // dismissed either level.  The default shows a chosen entry's submenu as a
  // second pop-up after the first, which is all a console or a scripted test
  // can do; a window system cascades them.
  virtual MenuChoice PopupMenuTree(const std::string& title, const std::vector<MenuEntry>& entries);

  virtual bool OpenUrl(const std::string& url) = 0;
  virtual bool IsAdministrator() = 0;

  // The wait dialog over a long operation: shown by Begin, updated by
  // Progress (message and value may change), closed by End.
  virtual void WaitBegin(const std::string& message, int64_t max) = 0;
  virtual void WaitProgress(const std::string& message, int64_t max, int64_t value) = 0;
  virtual void WaitEnd() = 0;

  // The busy mouse pointer during synchronous work.
  virtual void SetBusyCursor(bool busy) = 0;
};

// The process-wide platform.  Until one is installed a headless default is in
// force: it answers every question with its default button, never sleeps
// longer than asked and has an empty clipboard.
Platform& platform();
// Installs `p` (not owned) and returns the previous one; nullptr restores the
// headless default.
Platform* SetPlatform(Platform* p);

// The platform in force, installed over itself for a while to watch or
// change a part of it: everything goes to the platform that was in force,
// which is back in place when this one goes.
class ForwardingPlatform : public Platform {
 public:
  ForwardingPlatform() : inner_(platform()) { previous_ = SetPlatform(this); }
  ~ForwardingPlatform() override { SetPlatform(previous_); }
  ForwardingPlatform(const ForwardingPlatform&) = delete;
  ForwardingPlatform& operator=(const ForwardingPlatform&) = delete;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons, int default_button) override {
    return inner_.MessageBox(text, title, icon, buttons, default_button);
  }
  void Yield() override { inner_.Yield(); }
  void Sleep(int ms) override { inner_.Sleep(ms); }
  uint32_t TickCount() override { return inner_.TickCount(); }
  DateTime Now() override { return inner_.Now(); }
  std::string ClipboardText() override { return inner_.ClipboardText(); }
  void SetClipboardText(const std::string& text) override { inner_.SetClipboardText(text); }
  std::string OpenFileDialog(const FileDialogRequest& r) override {
    return inner_.OpenFileDialog(r);
  }
  std::string SaveFileDialog(const FileDialogRequest& r) override {
    return inner_.SaveFileDialog(r);
  }
  std::vector<std::string> OpenFilesDialog(const FileDialogRequest& r) override {
    return inner_.OpenFilesDialog(r);
  }
  int PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) override {
    return inner_.PopupMenu(title, entries);
  }
  MenuChoice PopupMenuTree(const std::string& title,
                           const std::vector<MenuEntry>& entries) override {
    return inner_.PopupMenuTree(title, entries);
  }
  bool OpenUrl(const std::string& url) override { return inner_.OpenUrl(url); }
  bool IsAdministrator() override { return inner_.IsAdministrator(); }
  void WaitBegin(const std::string& m, int64_t max) override { inner_.WaitBegin(m, max); }
  void WaitProgress(const std::string& m, int64_t max, int64_t v) override {
    inner_.WaitProgress(m, max, v);
  }
  void WaitEnd() override { inner_.WaitEnd(); }
  void SetBusyCursor(bool busy) override { inner_.SetBusyCursor(busy); }

 private:
  Platform& inner_;
  Platform* previous_;
};

// A headless platform on the real clock: message boxes are written to a sink
// function (stderr unless set) and answered with their default button.
class HeadlessPlatform : public Platform {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons, int default_button) override;
  void Yield() override {}
  void Sleep(int milliseconds) override;
  uint32_t TickCount() override;
  DateTime Now() override;
  std::string ClipboardText() override { return clipboard_; }
  void SetClipboardText(const std::string& text) override { clipboard_ = text; }
  std::string OpenFileDialog(const FileDialogRequest&) override { return {}; }
  std::string SaveFileDialog(const FileDialogRequest&) override { return {}; }
  int PopupMenu(const std::string&, const std::vector<MenuEntry>&) override { return -1; }
  bool OpenUrl(const std::string&) override { return false; }
  bool IsAdministrator() override;
  void WaitBegin(const std::string&, int64_t) override {}
  void WaitProgress(const std::string&, int64_t, int64_t) override {}
  void WaitEnd() override {}
  void SetBusyCursor(bool) override {}

 protected:
  std::string clipboard_;
};

// Answer for the default button of a button set: index 0 is the first button.
MsgAnswer DefaultAnswer(MsgButtons buttons, int default_button);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_PLATFORM_H_
