// A fresh temporary program folder per test, removed afterwards; the program
// folder points at it for the test's lifetime.
#ifndef ZELVOMINI_TESTS_COMMON_TEMP_DIR_H_
#define ZELVOMINI_TESTS_COMMON_TEMP_DIR_H_

#include <string>
#include <string_view>

namespace zelvo::testing {

class TempProgramDir {
 public:
  TempProgramDir();
  ~TempProgramDir();
  TempProgramDir(const TempProgramDir&) = delete;
  TempProgramDir& operator=(const TempProgramDir&) = delete;

  const std::string& path() const { return path_; }
  std::string SysData(std::string_view file = {}) const;
  // Writes UTF-8 text as CP932 (LF kept as given) into a file below the folder.
  void WriteCp932(std::string_view relative, std::string_view utf8) const;
  void WriteBytes(std::string_view relative, std::string_view bytes) const;
  std::string ReadBytes(std::string_view relative) const;
  // SysData with the four required team-name files, each with a few entries.
  void MakeMinimalSysData() const;

 private:
  std::string path_;
  std::string previous_program_dir_;
};

// Text helper: joins lines with CR LF, each line ended.
std::string CrLf(std::initializer_list<std::string_view> lines);

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_TEMP_DIR_H_
