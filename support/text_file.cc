#include "support/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
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

std::string UnreadableFileReason(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int error = errno;
    struct stat link {};
    if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
      return "リンク先のファイルが見つかりません。";
    }
    if (error == EACCES) return "ファイルを読む権限がありません。";
    return ErrorDescription(kErrFileNotFound);
  }
  if (S_ISDIR(st.st_mode)) return "フォルダです。ファイルを指定して下さい。";
  if (S_ISFIFO(st.st_mode)) return "名前付きパイプ(FIFO)です。ファイルを指定して下さい。";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "デバイスです。ファイルを指定して下さい。";
  if (S_ISSOCK(st.st_mode)) return "ソケットです。ファイルを指定して下さい。";
  if (!S_ISREG(st.st_mode)) return "通常のファイルではありません。";
  if (::access(path.c_str(), R_OK) != 0) return "ファイルを読む権限がありません。";
  return "";
}

namespace {

// UTF-16 text (after its byte-order mark) as UTF-8, up to its first NUL.
std::string FromUtf16(std::string_view bytes, bool big_endian) {
  auto unit = [&](size_t at) {
    const auto hi = static_cast<unsigned char>(bytes[at + (big_endian ? 0 : 1)]);
    const auto lo = static_cast<unsigned char>(bytes[at + (big_endian ? 1 : 0)]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::u32string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c == 0) break;
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    text += (c >= 0xD800 && c <= 0xDFFF) ? U'\uFFFD' : c;
  }
  return FromU32(text);
}

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, bool err_message) {
  if (const std::string reason = UnreadableFileReason(path); !reason.empty()) {
    if (err_message) ReportError(kClass, "ReadFile", path + "\r\n" + reason);
    return false;
  }
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    ReportError(kClass, "ReadFile", path + "\r\n" + ErrorDescription(kErrFileIo));
    return false;
  }
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    text = FromUtf16(std::string_view(bytes).substr(2), bytes[0] == '\xFE');
    return true;
  }
  size_t nul = bytes.find('\0');
  if (nul != std::string::npos) bytes.resize(nul);
  text = bytes.starts_with("\xEF\xBB\xBF") ? SanitizeUtf8(std::string_view(bytes).substr(3))
                                           : FromCp932(bytes);
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
constexpr char kTempChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// A leftover is taken for dead only when no save has touched it for this
// long, on top of holding no writer's lock: the lock is taken a moment after
// the file is made, and a writer of an older build takes none.
constexpr time_t kStaleTemporarySeconds = 10 * 60;

// The target's name as it appears in its temporary names.
std::string TempStem(const std::string& target, std::string& prefix) {
  std::string folder = FolderOf(target);
  std::string name = target.substr(folder.empty() ? 0 : target.rfind('/') + 1);
  // Leaves room for the decoration within the longest file name.
  if (name.size() > 200) name.resize(200);
  prefix = folder.empty() ? "" : folder == "/" ? folder : folder + "/";
  return "." + name + ".";
}

// ".NAME.XXXXXX.tmp" beside the target, created exclusively and never
// through a link.  Random letters rather than the process id: two processes
// in two containers can share both a folder and an id.
int CreateTemporary(const std::string& target, mode_t mode, std::string& temp) {
  // Seeded again in a forked child, which would otherwise draw the same
  // names as its parent and its siblings.
  static thread_local std::mt19937_64 generator;
  static thread_local pid_t seeded_for = 0;
  if (seeded_for != ::getpid()) {
    seeded_for = ::getpid();
    generator.seed(std::random_device{}() ^ (static_cast<uint64_t>(seeded_for) << 32));
  }
  std::string prefix;
  const std::string stem = TempStem(target, prefix);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string letters;
    const std::string& forced = WriteFaultsForTesting().first_temp_letters;
    if (attempt == 0 && !forced.empty()) {
      letters = forced;
    } else {
      for (size_t i = 0; i < kTempRandomChars; ++i) {
        letters += kTempChars[generator() % (sizeof kTempChars - 1)];
      }
    }
    temp = prefix + stem + letters + kTempSuffix;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0) {
      // Held until the rename: a save in progress is never taken for a
      // leftover (RemoveStaleTemporaries).
      ::flock(fd, LOCK_EX | LOCK_NB);
      return fd;
    }
    if (errno != EEXIST) return fd;
  }
  return -1;
}

// A killed save leaves its temporary file behind, hidden but taking space
// for good.  The next save of the same target removes such files: named for
// this target in the writer's own pattern, plain files of this user, not
// written for kStaleTemporarySeconds and locked by no live writer.  Anything
// else (another target's, another user's, a link) is left alone.
void RemoveStaleTemporaries(const std::string& target) {
  std::string prefix;
  const std::string stem = TempStem(target, prefix);
  DIR* dir = ::opendir(prefix.empty() ? "." : prefix.c_str());
  if (!dir) return;
  const time_t now = ::time(nullptr);
  const size_t length = stem.size() + kTempRandomChars + (sizeof kTempSuffix - 1);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != length || !name.starts_with(stem) || !name.ends_with(kTempSuffix)) continue;
    const std::string_view letters = name.substr(stem.size(), kTempRandomChars);
    if (letters.find_first_not_of(kTempChars) != std::string_view::npos) continue;
    const std::string path = prefix + std::string(name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        now - st.st_mtime < kStaleTemporarySeconds) {
      continue;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {};
    struct stat again {};
    // Still the same file, and its writer is gone.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
        ::lstat(path.c_str(), &again) == 0 && held.st_dev == again.st_dev &&
        held.st_ino == again.st_ino) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
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
  // The lock lives with the open file, which this second descriptor keeps
  // open past the close that reports a failed write.
  const int lock_fd = ::dup(fd);
  if (::close(fd) != 0) written = false;
  auto release = [lock_fd] {
    if (lock_fd >= 0) ::close(lock_fd);
  };
  if (!written) {
    ::unlink(temp.c_str());
    release();
    return fail(ErrorDescription(kErrFileIo));
  }
  const WriteFaults& faults = WriteFaultsForTesting();
  if (faults.before_rename) faults.before_rename();
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    release();
    return fail(DescriptionOfErrno(error));
  }
  release();
  RemoveStaleTemporaries(target);
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
