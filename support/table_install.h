// The one way a team-name table from outside (the maker's download, a newer
// package) takes the place of the user's: only a whole table, and never
// without a way back to the one it replaced.
#ifndef ZELVOMINI_SUPPORT_TABLE_INSTALL_H_
#define ZELVOMINI_SUPPORT_TABLE_INSTALL_H_

#include <string>
#include <string_view>

namespace zelvo {

// What a table's bytes (CP932, CR LF or LF lines) hold, read as the
// settings reader reads them.
struct TableSummary {
  bool readable = false;  // CP932 text without NUL or undecodable bytes
  int entries = 0;        // "name = value" lines
  int bad_line = 0;       // the first line that is no entry, comment or blank (1-based)
  bool end_mark = false;  // the last line that is not blank is "[End]" or ";[End]"
  // Version * 1000 + Revision, as the updater compares them; 0 without a
  // Version.
  long version = 0;
};
TableSummary SummarizeTable(std::string_view bytes);

// Why `candidate` may not replace the table at `current_path`, in the
// user's words; "" when it may.  A candidate must read whole, end with its
// end mark, carry `announced_version` when that is above 0 (the version the
// server or package said it is), and hold at least half as many entries as
// the table it replaces (a missing or unreadable one counts none).
std::string TableReplacementProblem(std::string_view candidate, const std::string& current_path,
                                    long announced_version);

// The file the replaced table is kept in: "NAME.bak" beside it.
std::string TableBackupPath(const std::string& path);

// Checks the candidate as above, keeps the current table (if any) as its
// backup and writes the candidate over it, both through the program's one
// writer.  "" on success, otherwise why nothing was replaced.
std::string InstallTable(const std::string& path, std::string_view candidate,
                         long announced_version);

// Puts the backup back in place; the table it replaces becomes the backup,
// so that a second restore undoes the first.  "" on success.
std::string RestoreTableBackup(const std::string& path);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_TABLE_INSTALL_H_
