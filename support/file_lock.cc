#include "support/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>

#include "support/error_report.h"
#include "support/paths.h"

namespace zelvo {
namespace {

// The lock of this process: its file and how many holders share it.
int g_fd = -1;
int g_depth = 0;

}  // namespace

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
  if (fd >= 0) {
    auto deadline = std::chrono::steady_clock::now() + WaitLimit();
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) ||
          std::chrono::steady_clock::now() >= deadline) {
        ::close(fd);
        fd = -1;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
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
