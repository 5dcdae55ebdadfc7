// frmWinInet, the " インターネット接続" window: the progress lines of the HTTP
// client while a page or file is fetched, and a cancel button that ends the
// transfer.  The controller is the client's progress sink; the Qt view shows
// its lines and is installed as the default sink of the desktop program.
#ifndef ZELVOMINI_UI_DOWNLOAD_WINDOW_H_
#define ZELVOMINI_UI_DOWNLOAD_WINDOW_H_

#include <functional>
#include <string>
#include <vector>

#include "official/win_inet.h"

namespace zelvo {

class frmWinInet : public WinInetProgressSink {
 public:
  static constexpr const char* kTitle = " インターネット接続";
  static constexpr const char* kCancelButton = "キャンセル";

  // WinInetProgressSink
  void Open() override;
  void AddLine(const std::string& line) override;
  void AppendToLastLine(const std::string& text) override;
  void Close() override;
  // Lets the window's events in (the cancel click), then answers.
  bool CancelRequested() override;

  // The cancel button: the transfer ends at the client's next poll.
  void Cancel();
  bool CancelEnabled() const { return visible_ && !cancel_requested_; }

  // lstMsg: its lines, the last one selected.
  const std::vector<std::string>& Lines() const { return lines_; }
  int SelectedLine() const { return static_cast<int>(lines_.size()) - 1; }
  bool Visible() const { return visible_; }

  // Raised after every change; the view repaints at once, since the program
  // waits for the transfer meanwhile.
  std::function<void()> on_changed;

 private:
  void Changed() {
    if (on_changed) on_changed();
  }

  std::vector<std::string> lines_;
  bool visible_ = false;
  bool cancel_requested_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_DOWNLOAD_WINDOW_H_
