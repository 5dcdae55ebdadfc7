#include "tests/common/official_fixtures.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "files/toto_settings.h"
#include "support/text.h"
#include "tests/common/http_test_server.h"

namespace zelvo::testing {
namespace {

// The build names the source tree: __FILE__ may be relative to the build
// folder (a compiler cache rewrites it so), and tests run from elsewhere.
std::filesystem::path RepoRoot() { return ZELVO_SOURCE_DIR; }

TotoSettings LocalSettings(const HttpTestServer& server) {
  TotoSettings s;
  SetDefaultTotoSettings();
  s = totoSettings();
  s.totoOfficialScheduleUrl = server.Url("/schedule?holdCntId=");
  s.totoOfficialVoteUrl = server.Url("/vote?holdCntId=");
  s.totoOfficialResultUrl = server.Url("/result?holdCntId=");
  return s;
}

}  // namespace

std::string ReadRepoFile(std::string_view relative) {
  std::ifstream in(RepoRoot() / relative, std::ios::binary);
  if (!in) throw std::runtime_error("missing fixture " + std::string(relative));
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ReadPage(std::string_view name) {
  return ReadRepoFile("tests/official/testdata/pages/" + std::string(name));
}

std::string ShippedBytes(std::string_view relative_to_data) {
  std::string text = ReadRepoFile("data/" + std::string(relative_to_data));
  return ToCp932(ReplaceAll(text, "\n", "\r\n"));
}

void InstallShippedTeamNames(const TempProgramDir& dir) {
  for (const char* file : {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"}) {
    dir.WriteBytes(std::string("SysData/") + file, ShippedBytes(std::string("SysData/") + file));
  }
}

void PointSettingsAt(const HttpTestServer& server) { totoSettings() = LocalSettings(server); }

void WriteSettingsFor(const TempProgramDir& dir, const HttpTestServer& server) {
  dir.WriteCp932("SysData/totoSettings.ini", TotoSettingsText(LocalSettings(server)));
}

}  // namespace zelvo::testing
