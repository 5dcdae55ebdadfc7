// The lock every process of the program takes before it reads, changes and
// writes back a file in SysData.
#ifndef ZELVOMINI_SUPPORT_FILE_LOCK_H_
#define ZELVOMINI_SUPPORT_FILE_LOCK_H_

#include <chrono>
#include <string>

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

// An advisory lock on one of the user's documents for a whole read, change
// and write-back: two commands that each read the document, change their
// part and save it would otherwise each save over the other's change.  The
// lock is on the file itself (no lock file is left beside it); since every
// save renames a new file into place, a lock taken on a file that a save
// replaced meanwhile is taken again on the new one.  A path that names no
// regular file locks nothing and counts as locked: there is nothing to lose,
// and the command's own checks refuse what is not a file.  Waits as
// SysDataLock does; nests within a process per file.
class DocumentLock {
 public:
  explicit DocumentLock(const std::string& path, bool report = true);
  ~DocumentLock();
  DocumentLock(const DocumentLock&) = delete;
  DocumentLock& operator=(const DocumentLock&) = delete;

  bool Locked() const { return locked_; }

 private:
  bool locked_ = false;
  int fd_ = -1;
};

// What tells a file's version apart: a save renames a new file into place,
// an edit in place changes its size or time.  Two stamps of a path are equal
// while nobody wrote it; a missing file has the stamp with `exists` false.
struct FileStamp {
  bool exists = false;
  unsigned long long device = 0, inode = 0;
  long long size = 0, modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_FILE_LOCK_H_
