#include "support/paths.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace zelvo {
namespace {

std::string& ProgramDirSlot() {
  static std::string dir = ExecutableDir();
  return dir;
}

}  // namespace

std::string ExecutableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec).string();
  return exe.parent_path().string();
}

const std::string& ProgramDir() { return ProgramDirSlot(); }

void SetProgramDir(std::string dir) {
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  ProgramDirSlot() = std::move(dir);
}

bool IsAbsolutePath(std::string_view path) {
  return path.find(':') != std::string_view::npos || path.substr(0, 2) == "\\\\" ||
         (!path.empty() && path[0] == '/');
}

std::string JoinPath(std::string_view a, std::string_view b) {
  std::string out(a);
  std::string tail(b);
  for (char& c : tail) {
    if (c == '\\') c = '/';
  }
  while (!tail.empty() && tail[0] == '/') tail.erase(0, 1);
  if (out.empty()) return tail;
  if (out.back() != '/') out += '/';
  return out + tail;
}

std::string ResolveProgramPath(std::string_view path) {
  if (IsAbsolutePath(path)) return std::string(path);
  return JoinPath(ProgramDir(), path);
}

std::string SysDataPath(std::string_view file) {
  std::string dir = JoinPath(ProgramDir(), "SysData");
  return file.empty() ? dir : JoinPath(dir, file);
}

std::string FileNamePart(std::string_view path) {
  size_t pos = path.find_last_of("/\\");
  return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ParentDir(std::string_view path) {
  size_t pos = path.find_last_of("/\\");
  if (pos == std::string_view::npos) return {};
  if (pos == 0) return "/";
  return std::string(path.substr(0, pos));
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool DirExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

bool MakeDirs(const std::string& path) {
  if (path.empty()) return true;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return DirExists(path);
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

}  // namespace zelvo
