#include "support/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

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

namespace {

std::string& LastWriteErrorSlot() {
  static thread_local std::string error;
  return error;
}

// Plain POSIX splitting: the target is a real file of this system, where a
// backslash is part of a name.
std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links finally names, also when that file does
// not exist yet (a dangling link is written through, as an editor does).
bool FinalTarget(const std::string& path, std::string& target) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = current;
      return true;
    }
    char buf[4096];
    ssize_t n = ::readlink(current.c_str(), buf, sizeof buf);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof buf) return false;
    std::string link(buf, static_cast<size_t>(n));
    if (link[0] != '/') {
      std::string folder = FolderOf(current);
      if (!folder.empty()) link = (folder == "/" ? folder : folder + "/") + link;
    }
    current = std::move(link);
  }
  return false;
}

// Root passes every permission check, so for root the mode bits decide: a
// file nobody may write (0444) stays as the user marked it.
bool MayWrite(const std::string& path, const struct stat& st) {
  if (::geteuid() == 0) return (st.st_mode & 0222) != 0;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// Resolves the target and says whether it may be replaced; `st` holds the
// existing file's status, `exists` whether there is one.
bool InspectTarget(const std::string& path, std::string& target, struct stat& st, bool& exists,
                   std::string& reason) {
  if (!FinalTarget(path, target)) {
    reason = "リンクをたどれません。";
    return false;
  }
  exists = ::stat(target.c_str(), &st) == 0;
  if (!exists) return true;
  if (!S_ISREG(st.st_mode)) {
    reason = "通常のファイルではないため保存できません。";
    return false;
  }
  if (!MayWrite(target, st)) {
    reason = "読み取り専用のファイルのため保存できません。";
    return false;
  }
  return true;
}

std::string DescriptionOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return ErrorDescription(kErrPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
      return ErrorDescription(kErrPermission);
    default:
      return ErrorDescription(kErrFileIo);
  }
}

constexpr char kTempSuffix[] = ".tmp";
constexpr size_t kTempRandomChars = 6;

// ".NAME.XXXXXX.tmp" beside the target, created exclusively and never
// through a link.  Random letters rather than the process id: two processes
// in two containers can share both a folder and an id.
int CreateTemporary(const std::string& target, mode_t mode, std::string& temp) {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  // Seeded again in a forked child, which would otherwise draw the same
  // names as its parent and its siblings.
  static thread_local std::mt19937_64 generator;
  static thread_local pid_t seeded_for = 0;
  if (seeded_for != ::getpid()) {
    seeded_for = ::getpid();
    generator.seed(std::random_device{}() ^ (static_cast<uint64_t>(seeded_for) << 32));
  }
  std::string folder = FolderOf(target);
  std::string name = target.substr(folder.empty() ? 0 : target.rfind('/') + 1);
  // Leaves room for the decoration within the longest file name.
  if (name.size() > 200) name.resize(200);
  std::string prefix = folder.empty() ? "" : folder == "/" ? folder : folder + "/";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string letters;
    const std::string& forced = WriteFaultsForTesting().first_temp_letters;
    if (attempt == 0 && !forced.empty()) {
      letters = forced;
    } else {
      for (size_t i = 0; i < kTempRandomChars; ++i) {
        letters += kChars[generator() % (sizeof kChars - 1)];
      }
    }
    temp = prefix + "." + name + "." + letters + kTempSuffix;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
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
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

const std::string& LastWriteError() { return LastWriteErrorSlot(); }

bool IsWriterTemporaryName(std::string_view name) {
  const size_t decoration = 1 + 1 + kTempRandomChars + (sizeof kTempSuffix - 1);
  return name.size() > decoration && name[0] == '.' && name.ends_with(kTempSuffix) &&
         name[name.size() - (sizeof kTempSuffix - 1) - kTempRandomChars - 1] == '.';
}

bool CheckWritableTarget(const std::string& path, std::string& reason) {
  std::string target;
  struct stat st {};
  bool exists = false;
  return InspectTarget(path, target, st, exists, reason);
}

bool WriteFileBytes(const std::string& path, std::string_view bytes, bool err_message) {
  std::string& last_error = LastWriteErrorSlot();
  last_error.clear();
  auto fail = [&](const std::string& reason) {
    last_error = reason;
    if (err_message) ReportError(kClass, "WriteFile", path + "\r\n" + reason);
    return false;
  };
  std::string dir = ParentDir(path);
  if (!dir.empty() && !MakeDirs(dir)) return fail(ErrorDescription(kErrPathNotFound));
  std::string target, reason;
  struct stat st {};
  bool exists = false;
  if (!InspectTarget(path, target, st, exists, reason)) return fail(reason);
  // A new file gets the usual bits (0666 less the umask, applied by open);
  // an existing one is written privately and then given its own bits and
  // owner back, so that an in-place save of a 0600 document stays 0600.
  std::string temp;
  int fd = CreateTemporary(target, exists ? 0600 : 0666, temp);
  if (fd < 0) return fail(DescriptionOfErrno(errno));
  if (exists) {
    // Another owner's file that we may write but not give away ends up
    // ours; its permission bits still carry over.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
      [[maybe_unused]] int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    }
    ::fchmod(fd, st.st_mode & 07777);
  }
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0) written = false;
  if (!written) {
    ::unlink(temp.c_str());
    return fail(ErrorDescription(kErrFileIo));
  }
  const WriteFaults& faults = WriteFaultsForTesting();
  if (faults.before_rename) faults.before_rename();
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    return fail(DescriptionOfErrno(error));
  }
  // The rename itself lasts only once the folder's entry is on the disk.
  std::string folder = FolderOf(target);
  int dir_fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

bool WriteTextFile(const std::string& path, std::string_view text, bool err_message) {
  return WriteFileBytes(path, ToCp932(text), err_message);
}

}  // namespace zelvo
