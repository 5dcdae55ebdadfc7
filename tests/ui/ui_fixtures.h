// A test's program folder holding what the build ships: SysData (team names,
// league tables, the sample round's cache) and the sample documents.
#ifndef ZELVOMINI_TESTS_UI_UI_FIXTURES_H_
#define ZELVOMINI_TESTS_UI_UI_FIXTURES_H_

#include <filesystem>
#include <string>

#include "files/toto_settings.h"
#include "support/paths.h"
#include "tests/common/temp_dir.h"
#include "ui/window_host.h"

namespace zelvo::testing {

inline void InstallShippedProgramFolder(const TempProgramDir& dir) {
  namespace fs = std::filesystem;
  const fs::path shipped(ZELVO_PROGRAM_DIR_FOR_TESTS);
  for (const char* folder : {"SysData", "UserData", "SampleArchive"}) {
    fs::copy(shipped / folder, fs::path(dir.path()) / folder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
  // Made-up rounds that builds of earlier versions put into the build's
  // cache: the shipped cache holds the sample round 1487 alone.
  for (const char* folder : {"minitoto_Schedule", "minitoto_Vote", "minitoto_Result"}) {
    std::error_code ec;
    for (const auto& f : fs::directory_iterator(fs::path(dir.SysData(folder)), ec)) {
      if (f.path().filename().string().find("_1487_") == std::string::npos) fs::remove(f, ec);
    }
  }
  // Files a previous run of the program may have left in the build's folder.
  for (const char* name : {"Zelvo mini.ini", "TeamName3.dat"}) {
    std::error_code ec;
    fs::remove(fs::path(dir.SysData(name)), ec);
  }
  LoadTotoSettings();
}

// A window host whose every window closes at once unanswered; a test
// overrides the windows it watches.
class QuietHost : public WindowHost {
 public:
  bool RunItemDialog(frmJouken&) override { return false; }
  void ShowKouseiBunseki(frmKouseiBunseki&) override {}
  void CloseKouseiBunseki(frmKouseiBunseki&) override {}
  void ShowAnalysis(frmAnalysis&) override {}
  bool RunOdds(frmOdds&) override { return false; }
  void RunPrint(frmPrint&) override {}
  bool RunTeamName(frmTeamName&) override { return false; }
  bool RunTeamNames(frmTeamNames&) override { return false; }
  void ShowBatch(BatchTarget&) override {}
  void ShowAbout() override {}
};

// A host that hands the batch window's target to the test.
class BatchHost : public QuietHost {
 public:
  void ShowBatch(BatchTarget& target) override { batch = &target; }
  BatchTarget* batch = nullptr;
};

inline std::string SampleDocumentPath(const char* name = "sample-guarantee.tpd") {
  return ResolveProgramPath(JoinPath(JoinPath("UserData", "Zelvomini"), name));
}

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_UI_UI_FIXTURES_H_
