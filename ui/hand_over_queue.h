// Files a second start of the program hands to the running window: they
// wait here until the window can take them (no search, no batch run, no
// load or save under way) and then open in the order they came.
#ifndef ZELVOMINI_UI_HAND_OVER_QUEUE_H_
#define ZELVOMINI_UI_HAND_OVER_QUEUE_H_

#include <deque>
#include <string>
#include <vector>

namespace zelvo {

class frmMain;

class HandOverQueue {
 public:
  void Add(const std::vector<std::string>& files);
  // Opens the waiting files while the window accepts them; true when some
  // still wait (the caller tries again a little later).
  bool Drain(frmMain& main);
  size_t Waiting() const { return pending_.size(); }

 private:
  std::deque<std::string> pending_;
  bool draining_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_HAND_OVER_QUEUE_H_
