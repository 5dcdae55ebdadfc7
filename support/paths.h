// Program-relative paths and small file-system helpers.
#ifndef ZELVOMINI_SUPPORT_PATHS_H_
#define ZELVOMINI_SUPPORT_PATHS_H_

#include <string>
#include <string_view>

namespace zelvo {

// The folder that holds the program: the executable's folder unless a caller
// (a test, the command line) sets another.
const std::string& ProgramDir();
void SetProgramDir(std::string dir);
// The folder of the running executable (/proc/self/exe).
std::string ExecutableDir();

// The path rule: a path containing ":" or beginning with two backslashes (or,
// on this system, with "/") is used as it is; any other path is joined to the
// program folder with one separator.  Backslashes of a relative path become
// the platform separator, so "SysData\\TeamName.dat" works everywhere.
std::string ResolveProgramPath(std::string_view path);
bool IsAbsolutePath(std::string_view path);
std::string JoinPath(std::string_view a, std::string_view b);
// "SysData" joined to the program folder, and a file in it.
std::string SysDataPath(std::string_view file = {});

// The file-name part of a path (after the last "/" or "\\").
std::string FileNamePart(std::string_view path);
std::string ParentDir(std::string_view path);

bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
// Creates the folder with every missing parent.
bool MakeDirs(const std::string& path);
bool RemoveFile(const std::string& path);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_PATHS_H_
