// The lock every process of the program takes before it reads, changes and
// writes back a file in SysData.
#ifndef ZELVOMINI_SUPPORT_FILE_LOCK_H_
#define ZELVOMINI_SUPPORT_FILE_LOCK_H_

#include <chrono>

namespace zelvo {

// An advisory lock on SysData/.lock, shared by the window and every
// command-line process of a user: two adds of a team name, or a settings
// save beside a download, would otherwise each read the old file and the
// later write would drop the other's change.  Waits a bounded time for
// another process to finish; when it does not, the failure is told through
// the common error report (when `report`) and Locked() is false.
//
//   SysDataLock lock;
//   if (!lock.Locked()) return false;
//
// Within one process the lock nests: an inner SysDataLock while an outer
// one is held is locked at once (the program works on one thread).
class SysDataLock {
 public:
  explicit SysDataLock(bool report = true);
  ~SysDataLock();
  SysDataLock(const SysDataLock&) = delete;
  SysDataLock& operator=(const SysDataLock&) = delete;

  bool Locked() const { return locked_; }

  // How long a lock waits for another process; tests shorten it.
  static std::chrono::milliseconds& WaitLimit();

 private:
  bool locked_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_FILE_LOCK_H_
