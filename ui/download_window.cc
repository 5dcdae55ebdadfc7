#include "ui/download_window.h"

#include "support/platform.h"

namespace zelvo {

void frmWinInet::Open() {
  // Each request may be cancelled anew; the lines of earlier requests stay,
  // as the list box kept them.
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
