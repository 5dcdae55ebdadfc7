#include "tests/common/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "support/paths.h"
#include "support/text.h"

namespace zelvo::testing {

TempProgramDir::TempProgramDir() : previous_program_dir_(ProgramDir()) {
  std::string templ = (std::filesystem::temp_directory_path() / "zelvo-test-XXXXXX").string();
  if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
  path_ = templ;
  SetProgramDir(path_);
}

TempProgramDir::~TempProgramDir() {
  SetProgramDir(previous_program_dir_);
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempProgramDir::SysData(std::string_view file) const {
  std::string dir = JoinPath(path_, "SysData");
  return file.empty() ? dir : JoinPath(dir, file);
}

void TempProgramDir::WriteBytes(std::string_view relative, std::string_view bytes) const {
  std::filesystem::path p = JoinPath(path_, relative);
  std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempProgramDir::WriteCp932(std::string_view relative, std::string_view utf8) const {
  WriteBytes(relative, ToCp932(utf8));
}

std::string TempProgramDir::ReadBytes(std::string_view relative) const {
  std::ifstream in(JoinPath(path_, relative), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void TempProgramDir::MakeMinimalSysData() const {
  WriteCp932("SysData/TeamName.dat",
             CrLf({";test", "FC東京 = ＦＣ東京", "横浜FM = 横浜Ｆ・マリノス", "京都 = 京都サンガF.C."}));
  WriteCp932("SysData/TeamName1.dat", CrLf({"旧名 = 旧クラブ"}));
  WriteCp932("SysData/TeamName2.dat",
             CrLf({"Version = 3", "Revision = 12", "新名 = 新クラブ", ";[End]"}));
  WriteCp932("SysData/J1J2.dat", CrLf({"2026J1 = FC東京,横浜FM", "2026J2 = 京都"}));
}

std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

}  // namespace zelvo::testing
