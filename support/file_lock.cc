#include "support/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <string>
#include <thread>
#include <utility>

#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

// The lock of this process: its file and how many holders share it.
int g_fd = -1;
int g_depth = 0;

// Documents this process holds, by device and inode, with their holders.
std::map<std::pair<dev_t, ino_t>, std::pair<int, int>>& HeldDocuments() {
  static std::map<std::pair<dev_t, ino_t>, std::pair<int, int>> held;  // fd, depth
  return held;
}

// Takes the lock on `fd` within the wait limit.
bool LockWithin(int fd, std::chrono::steady_clock::time_point deadline) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return stamp;
}

DocumentLock::DocumentLock(const std::string& path, bool report) {
  const auto deadline = std::chrono::steady_clock::now() + SysDataLock::WaitLimit();
  for (;;) {
    // Without blocking, so that a pipe given as a document is no wait.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat held {};
    if (fd < 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
      if (fd >= 0) ::close(fd);
      locked_ = true;
      return;
    }
    auto known = HeldDocuments().find({held.st_dev, held.st_ino});
    if (known != HeldDocuments().end()) {
      ::close(fd);
      ++known->second.second;
      fd_ = known->second.first;
      locked_ = true;
      return;
    }
    if (!LockWithin(fd, deadline)) {
      ::close(fd);
      if (report) {
        ReportError(
            "DocumentLock", "Lock",
            path + "\r\n" +
                "このファイルは他のZelvo miniが変更中です。しばらくしてからやり直して下さい。");
      }
      return;
    }
    // A save that renamed a new file into place while we waited leaves us
    // holding the old one: the lock is taken again on what the path names.
    struct stat now {};
    if (::stat(path.c_str(), &now) == 0 && now.st_dev == held.st_dev && now.st_ino == held.st_ino) {
      HeldDocuments()[{held.st_dev, held.st_ino}] = {fd, 1};
      fd_ = fd;
      locked_ = true;
      return;
    }
    ::close(fd);
  }
}

DocumentLock::~DocumentLock() {
  if (fd_ < 0) return;
  for (auto it = HeldDocuments().begin(); it != HeldDocuments().end(); ++it) {
    if (it->second.first != fd_) continue;
    if (--it->second.second == 0) {
      ::flock(fd_, LOCK_UN);
      ::close(fd_);
      HeldDocuments().erase(it);
    }
    return;
  }
}

std::chrono::milliseconds& SysDataLock::WaitLimit() {
  static std::chrono::milliseconds limit{15000};
  return limit;
}

SysDataLock::SysDataLock(bool report) {
  if (g_depth > 0) {
    ++g_depth;
    locked_ = true;
    return;
  }
  std::string path = SysDataPath(".lock");
  // The writes it guards create the folder too.
  MakeDirs(SysDataPath());
  // A SysData the user may only read still locks: flock needs no write access.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd >= 0 && !LockWithin(fd, std::chrono::steady_clock::now() + WaitLimit())) {
    ::close(fd);
    fd = -1;
  }
  if (fd < 0) {
    if (report) {
      ReportError(
          "SysDataLock", "Lock",
          path + "\r\n" +
              "SysDataフォルダは他のZelvo miniが使用中です。しばらくしてからやり直して下さい。");
    }
    return;
  }
  g_fd = fd;
  g_depth = 1;
  locked_ = true;
}

SysDataLock::~SysDataLock() {
  if (!locked_ || --g_depth > 0) return;
  ::flock(g_fd, LOCK_UN);
  ::close(g_fd);
  g_fd = -1;
}

}  // namespace zelvo
