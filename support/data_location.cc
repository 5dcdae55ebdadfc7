#include "support/data_location.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <system_error>
#include <utility>

#include "support/paths.h"
#include "support/table_install.h"
#include "support/text_file.h"

#ifndef ZELVO_SHARE_FROM_BIN
#define ZELVO_SHARE_FROM_BIN "../share/zelvomini"
#endif

namespace zelvo {
namespace {

namespace fs = std::filesystem;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// XDG base directories must be absolute; a relative one is ignored.
std::string XdgDir(const std::string& value, const std::string& home, const char* fallback) {
  if (!value.empty() && value[0] == '/') return value;
  return JoinPath(home, fallback);
}

bool ReadWhole(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string Trim(std::string s) {
  const char* blanks = " \t\r";
  s.erase(0, s.find_first_not_of(blanks));
  s.erase(s.find_last_not_of(blanks) + 1);
  return s;
}

// Copies one table with its modification time through the check and the
// backup every table from outside goes through (a damaged or cut package
// file leaves the user's table alone) and the program's one writer.
bool InstallShippedTable(const fs::path& from, const fs::path& to, long version) {
  std::string bytes;
  if (!ReadFileBytes(from.string(), bytes)) return false;
  if (!InstallTable(to.string(), bytes, version).empty()) return false;
  std::error_code ec;
  fs::last_write_time(to, fs::last_write_time(from, ec), ec);
  return true;
}

// Copies a folder tree, keeping the files' times so that later starts can
// tell a newer shipped table from the copy made here.  The copies are the
// user's own, writable whatever the shipped modes.
bool CopyTree(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (ec) return false;
  for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
    fs::path target = to / fs::relative(it->path(), from);
    if (it->is_directory()) {
      fs::create_directories(target, ec);
    } else if (it->is_regular_file()) {
      if (!fs::copy_file(it->path(), target, ec)) return false;
      fs::last_write_time(target, it->last_write_time(), ec);
      fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                      ec);
    }
    if (ec) return false;
  }
  return !ec;
}

// The sample documents go to the documents folder next to whatever the user
// keeps there; a file of the same name is theirs and stays.
void CopySamples(const std::string& shipped_dir, const std::string& documents_dir) {
  fs::path samples = fs::path(shipped_dir) / "UserData" / "Zelvomini";
  std::error_code ec;
  if (!fs::is_directory(samples, ec)) return;
  fs::create_directories(documents_dir, ec);
  for (const fs::directory_entry& entry : fs::directory_iterator(samples, ec)) {
    if (!entry.is_regular_file()) continue;
    fs::path target = fs::path(documents_dir) / entry.path().filename();
    if (fs::exists(fs::symlink_status(target, ec))) continue;
    std::error_code copy_ec;
    fs::copy_file(entry.path(), target, copy_ec);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    copy_ec);
  }
}

// A first start cut short (killed, power lost) leaves its partial copy;
// only copies of processes that are gone are removed, never one in progress.
void RemoveDeadPartialCopies(const std::string& program_dir) {
  std::error_code ec;
  const std::string prefix = "SysData.partial-";
  for (const fs::directory_entry& entry : fs::directory_iterator(program_dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string pid = name.substr(prefix.size());
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    if (kill(static_cast<pid_t>(std::stol(pid)), 0) == 0 || errno != ESRCH) continue;
    std::error_code remove_ec;
    fs::remove_all(entry.path(), remove_ec);
  }
}

std::optional<DataLocation>& ChosenLocation() {
  static std::optional<DataLocation> location;
  return location;
}

}  // namespace

DataEnvironment CurrentDataEnvironment() {
  DataEnvironment env;
  env.exe_dir = ExecutableDir();
  env.home = Env("HOME");
  if (env.home.empty()) {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) env.home = pw->pw_dir;
  }
  env.xdg_data_home = Env("XDG_DATA_HOME");
  env.xdg_config_home = Env("XDG_CONFIG_HOME");
  std::error_code ec;
  fs::path shipped = (fs::path(env.exe_dir) / ZELVO_SHARE_FROM_BIN).lexically_normal();
  if (fs::is_directory(shipped / "SysData", ec)) {
    env.shipped_dir = shipped.string();
  } else if (fs::is_directory(fs::path(env.exe_dir) / "SysData", ec)) {
    // A program folder this user cannot write (unpacked by another user):
    // its SysData is the copy to start from.
    env.shipped_dir = env.exe_dir;
  }
  return env;
}

DataLocation DecideDataLocation(const DataEnvironment& env) {
  DataLocation location;
  const std::string portable = JoinPath(env.exe_dir, "SysData");
  if (DirExists(portable) && access(portable.c_str(), W_OK | X_OK) == 0) {
    location.mode = DataMode::kPortable;
    location.program_dir = env.exe_dir;
    location.documents_dir = JoinPath(env.exe_dir, "UserData/Zelvomini");
    return location;
  }
  location.mode = DataMode::kInstalled;
  location.program_dir = JoinPath(XdgDir(env.xdg_data_home, env.home, ".local/share"), "zelvomini");
  location.shipped_dir = env.shipped_dir;
  location.documents_dir = JoinPath(XdgDocumentsDir(env.home, env.xdg_config_home), "Zelvomini");
  return location;
}

std::string XdgDocumentsDir(const std::string& home, const std::string& xdg_config_home) {
  const std::string fallback = JoinPath(home, "Documents");
  std::string text;
  if (!ReadWhole(JoinPath(XdgDir(xdg_config_home, home, ".config"), "user-dirs.dirs"), text)) {
    return fallback;
  }
  // Lines of the form XDG_DOCUMENTS_DIR="$HOME/Documents" (or an absolute
  // path); the file is written for the shell, so only these two forms count.
  std::istringstream lines(text);
  std::string line;
  std::string found;
  while (std::getline(lines, line)) {
    line = Trim(line);
    const std::string key = "XDG_DOCUMENTS_DIR=";
    if (line.rfind(key, 0) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    if (value.find('"') != std::string::npos || value.find('\\') != std::string::npos) continue;
    if (value == "$HOME" || value == "$HOME/") {
      found = home;
    } else if (value.rfind("$HOME/", 0) == 0) {
      found = JoinPath(home, value.substr(6));
    } else if (!value.empty() && value[0] == '/') {
      found = value;
    }
  }
  if (found.empty()) return fallback;
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  return found;
}

std::vector<std::string> UpdateShippedTables(const std::string& shipped_sys_data,
                                             const std::string& user_sys_data) {
  std::vector<std::string> updated;
  for (const char* name : {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"}) {
    const fs::path from = fs::path(shipped_sys_data) / name;
    const fs::path to = fs::path(user_sys_data) / name;
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) continue;
    bool replace = !fs::exists(fs::symlink_status(to, ec));
    long version = 0;
    if (std::string(name) == "TeamName2.dat") {
      // The user may have downloaded a newer table than the package ships.
      std::string shipped_bytes, own_bytes;
      version = ReadWhole(from.string(), shipped_bytes) ? SummarizeTable(shipped_bytes).version : 0;
      const long own = ReadWhole(to.string(), own_bytes) ? SummarizeTable(own_bytes).version : 0;
      replace = replace || (version > 0 && version > own);
    } else if (!replace) {
      std::error_code time_ec;
      auto shipped_time = fs::last_write_time(from, time_ec);
      auto own_time = fs::last_write_time(to, time_ec);
      std::string a, b;
      replace = !time_ec && shipped_time > own_time && ReadWhole(from.string(), a) &&
                ReadWhole(to.string(), b) && a != b;
    }
    if (replace && InstallShippedTable(from, to, version)) updated.push_back(name);
  }
  return updated;
}

PrepareResult PrepareDataLocation(const DataLocation& location) {
  PrepareResult result;
  if (location.mode == DataMode::kPortable) return result;
  if (location.program_dir.empty() || location.program_dir[0] != '/') {
    // No home folder: a data folder relative to wherever the program was
    // started would scatter the user's data.
    result.ok = false;
    result.error = "データフォルダが決まりません(HOME が設定されていません)";
    return result;
  }
  const std::string sys_data = JoinPath(location.program_dir, "SysData");
  if (location.shipped_dir.empty()) return result;  // the start-up checks name what is missing
  const std::string shipped_sys_data = JoinPath(location.shipped_dir, "SysData");
  RemoveDeadPartialCopies(location.program_dir);
  if (DirExists(sys_data)) {
    result.updated = UpdateShippedTables(shipped_sys_data, sys_data);
    return result;
  }
  if (!MakeDirs(location.program_dir)) {
    result.ok = false;
    result.error = "データフォルダ(" + location.program_dir + ")を作成できません";
    return result;
  }
  // Copied under a name of its own and renamed into place, so that a start
  // that is cut short leaves no half SysData that later starts would take for
  // the user's, and two first starts at once end with one whole copy.
  const std::string partial = sys_data + ".partial-" + std::to_string(getpid());
  std::error_code ec;
  fs::remove_all(partial, ec);
  if (!CopyTree(shipped_sys_data, partial)) {
    fs::remove_all(partial, ec);
    result.ok = false;
    result.error = "システムデータをコピーできません(" + sys_data + ")";
    return result;
  }
  fs::rename(partial, sys_data, ec);
  if (ec) {
    fs::remove_all(partial, ec);
    // Another start got there first; its copy is as good as ours.
    if (!DirExists(sys_data)) {
      result.ok = false;
      result.error = "システムデータをコピーできません(" + sys_data + ")";
    }
    return result;
  }
  result.first_start = true;
  CopySamples(location.shipped_dir, location.documents_dir);
  return result;
}

PrepareResult SetUpDataLocation() {
  DataLocation location = DecideDataLocation(CurrentDataEnvironment());
  PrepareResult result = PrepareDataLocation(location);
  SetProgramDir(location.program_dir);
  ChosenLocation() = std::move(location);
  return result;
}

DataLocation CurrentDataLocation() {
  if (ChosenLocation()) return *ChosenLocation();
  DataLocation location;
  location.program_dir = ProgramDir();
  location.documents_dir = ResolveProgramPath("UserData/Zelvomini");
  return location;
}

std::string DocumentsDir() {
  if (ChosenLocation()) return ChosenLocation()->documents_dir;
  return ResolveProgramPath("UserData/Zelvomini");
}

std::string SampleArchiveDir() {
  const DataLocation location = CurrentDataLocation();
  if (location.mode == DataMode::kInstalled && !location.shipped_dir.empty()) {
    return JoinPath(location.shipped_dir, "SampleArchive");
  }
  return ResolveProgramPath("SampleArchive");
}

}  // namespace zelvo
