#include "ui/download_window.h"

#include "support/platform.h"

namespace zelvo {

void frmWinInet::Open() {
  // Each request starts on an empty list and may be cancelled anew: the
  // lines of an earlier download would read as part of this one.
  lines_.clear();
  cancel_requested_ = false;
  visible_ = true;
  Changed();
}

void frmWinInet::AddLine(const std::string& line) {
  lines_.push_back(line);
  Changed();
}

void frmWinInet::AppendToLastLine(const std::string& text) {
  if (lines_.empty()) lines_.emplace_back();
  lines_.back() += text;
  Changed();
}

void frmWinInet::Close() {
  visible_ = false;
  Changed();
}

bool frmWinInet::CancelRequested() {
  platform().Yield();
  return cancel_requested_;
}

void frmWinInet::Cancel() {
  if (!visible_ || cancel_requested_) return;
  cancel_requested_ = true;
  Changed();
}

}  // namespace zelvo
