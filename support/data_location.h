// Where the program's data lives: beside the executable (portable), or in the
// user's data folder filled from the installed copy (installed).
#ifndef ZELVOMINI_SUPPORT_DATA_LOCATION_H_
#define ZELVOMINI_SUPPORT_DATA_LOCATION_H_

#include <string>
#include <vector>

namespace zelvo {

enum class DataMode { kPortable, kInstalled };

// What the decision looks at, gathered once from the process so that tests
// can hand in their own.
struct DataEnvironment {
  std::string exe_dir;
  std::string home;
  std::string xdg_data_home;    // "" when unset
  std::string xdg_config_home;  // "" when unset
  // The installed copy of SysData and the sample documents
  // (<prefix>/share/zelvomini), "" when there is none.
  std::string shipped_dir;
};

struct DataLocation {
  DataMode mode = DataMode::kPortable;
  // The program folder: the one holding SysData.
  std::string program_dir;
  // Installed mode: where SysData and the samples are copied from.
  std::string shipped_dir;
  // The default folder of the file dialogs.
  std::string documents_dir;
};

DataEnvironment CurrentDataEnvironment();

// Portable when the executable's folder holds a SysData this user can write;
// installed otherwise.
DataLocation DecideDataLocation(const DataEnvironment& env);

// The user's documents folder as xdg-user-dir DOCUMENTS names it: the
// XDG_DOCUMENTS_DIR line of user-dirs.dirs, else ~/Documents.
std::string XdgDocumentsDir(const std::string& home, const std::string& xdg_config_home);

struct PrepareResult {
  bool ok = true;
  bool first_start = false;
  // Tables replaced by newer shipped ones.
  std::vector<std::string> updated;
  std::string error;
};

// Installed mode only (portable returns at once): on the first start copies
// the shipped SysData into the program folder and the sample documents into
// the documents folder; on every later start replaces the shipped tables the
// user has older copies of (UpdateShippedTables).
PrepareResult PrepareDataLocation(const DataLocation& location);

// TeamName2.dat when the shipped Version/Revision is above the user's;
// TeamName.dat, TeamName1.dat and J1J2.dat when the shipped file is newer and
// differs.  A table the user lacks is copied.  Nothing else in SysData (the
// user's TeamName3.dat, caches, settings) is touched.  Returns the names
// replaced.
std::vector<std::string> UpdateShippedTables(const std::string& shipped_sys_data,
                                             const std::string& user_sys_data);

// Decides, prepares and makes the result the program folder.  Both programs
// call this once before the start-up checks.
PrepareResult SetUpDataLocation();
// The location in use: the one SetUpDataLocation chose, or a portable one
// over the current program folder when it was never called (tests).
DataLocation CurrentDataLocation();
// The default folder of the file dialogs.
std::string DocumentsDir();
// The made-up sample rounds the program ships for trying the backtest, in
// the cache's layout: read where they are installed (never copied into a
// user's cache), or beside SysData in a portable program folder.
std::string SampleArchiveDir();

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_DATA_LOCATION_H_
