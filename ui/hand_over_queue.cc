#include "ui/hand_over_queue.h"

#include "ui/main_window.h"

namespace zelvo {

void HandOverQueue::Add(const std::vector<std::string>& files) {
  pending_.insert(pending_.end(), files.begin(), files.end());
}

bool HandOverQueue::Drain(frmMain& main) {
  // Opening a file yields to the window, which may hand over more.
  if (draining_) return !pending_.empty();
  draining_ = true;
  while (!pending_.empty() && main.AcceptsHandedOverFiles()) {
    const std::string file = pending_.front();
    pending_.pop_front();
    main.OpenFile(file);
  }
  draining_ = false;
  return !pending_.empty();
}

}  // namespace zelvo
