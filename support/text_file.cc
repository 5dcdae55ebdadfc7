#include "support/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "support/error_report.h"
#include "support/paths.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClass = "clsFileStream";

}  // namespace

WriteFaults& WriteFaultsForTesting() {
  static WriteFaults faults;
  return faults;
}

int OpenRegularFile(const std::string& path, int64_t& size) {
  // Opened without blocking, so that open() cannot wait on a pipe; reads
  // then block as usual.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  size = static_cast<int64_t>(st.st_size);
  return fd;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, size_t max_bytes) {
  int64_t size = 0;
  int fd = OpenRegularFile(path, size);
  if (fd < 0) return false;
  if (static_cast<unsigned long long>(size) > max_bytes) {
    ::close(fd);
    return false;
  }
  std::string out;
  out.reserve(static_cast<size_t>(size));
  char buf[65536];
  while (true) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    if (out.size() + static_cast<size_t>(n) > max_bytes) {
      ::close(fd);
      return false;
    }
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  bytes.swap(out);
  return true;
}

bool ReadTextFile(const std::string& path, std::string& text, bool err_message) {
  if (!FileExists(path)) {
    if (err_message) {
      ReportError(kClass, "ReadFile", path + "\r\n" + ErrorDescription(kErrFileNotFound));
    }
    return false;
  }
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    ReportError(kClass, "ReadFile", path + "\r\n" + ErrorDescription(kErrFileIo));
    return false;
  }
  size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  text = FromCp932(bytes);
  return true;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes, bool err_message) {
  auto fail = [&](int number) {
    if (err_message) ReportError(kClass, "WriteFile", path + "\r\n" + ErrorDescription(number));
    return false;
  };
  std::string dir = ParentDir(path);
  if (!dir.empty() && !MakeDirs(dir)) return fail(kErrPathNotFound);
  std::string temp = path + ".new";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail(kErrPermission);
  const WriteFaults& faults = WriteFaultsForTesting();
  size_t done = 0;
  while (done < bytes.size()) {
    size_t want = bytes.size() - done;
    bool full = false;
    if (faults.fail_after_bytes >= 0) {
      size_t room = static_cast<size_t>(faults.fail_after_bytes) > done
                        ? static_cast<size_t>(faults.fail_after_bytes) - done
                        : 0;
      if (room < want) {
        want = room;
        full = true;
      }
    }
    ssize_t n = want > 0 ? ::write(fd, bytes.data() + done, want) : 0;
    if (full && n >= 0 && static_cast<size_t>(n) == want) {
      n = -1;
      errno = ENOSPC;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      ::unlink(temp.c_str());
      return fail(kErrFileIo);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(temp.c_str());
    return fail(kErrFileIo);
  }
  if (faults.before_rename) faults.before_rename();
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return fail(kErrPermission);
  }
  return true;
}

bool WriteTextFile(const std::string& path, std::string_view text, bool err_message) {
  return WriteFileBytes(path, ToCp932(text), err_message);
}

}  // namespace zelvo
