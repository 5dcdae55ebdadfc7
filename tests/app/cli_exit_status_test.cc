// Every command of zelvomini-cli ends non-zero, with its reason on the error
// stream, when its job failed: scripts stop on the exit status, not on text.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "official/xml_result.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class CliExitStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    // Nowhere to download from: the site's addresses lead to a closed port.
    dir_.WriteCp932("SysData/totoSettings.ini",
                    testing::CrLf({"Version = 1", "totoOfficialScheduleUrl = http://127.0.0.1:9/s?",
                                   "totoOfficialVoteUrl = http://127.0.0.1:9/v?",
                                   "totoOfficialResultUrl = http://127.0.0.1:9/r?"}));
    dir_.WriteCp932("SysData/PendralcoveServer.ini", testing::CrLf({"BaseUrl = http://127.0.0.1:9/"}));
    clsTFileTPD tpd;
    ASSERT_TRUE(tpd.SaveFile(Path("d.tpd"), true, testing::SampleDocument(5), true));
    ASSERT_TRUE(WriteFileBytes(Path("s.csv"), "1,0,2,0,1\r\n"));
    // A document whose search is quick.
    std::string shipped;
    ASSERT_TRUE(ReadFileBytes(
        std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/sample-guarantee.tpd", shipped));
    ASSERT_TRUE(WriteFileBytes(Path("g.tpd"), shipped));
  }
  void TearDown() override { WriteFaultsForTesting() = WriteFaults(); }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  testing::TempProgramDir dir_;
};

TEST_F(CliExitStatusTest, EveryCommandFailsLoudly) {
  struct Case {
    const char* why;
    std::vector<std::string> args;
    std::string input;
    std::function<void()> before;  // the fault
  };
  auto full_disk = [] { WriteFaultsForTesting().fail_after_bytes = 0; };
  const std::string missing = Path("missing.tpd");
  const std::vector<Case> cases = {
      {"status without SysData", {"status"}, "", [this] { RemoveFile(dir_.SysData("J1J2.dat")); }},
      {"team not found", {"team", "無名クラブ", "1300"}, "", nullptr},
      {"team-add not saved", {"team-add", "新しいクラブ", "NEW"}, "", full_disk},
      {"single out of range", {"single", "243"}, "", nullptr},
      {"update-teams unreachable", {"update-teams", "--yes"}, "", nullptr},
      {"download refused", {"download", "result", "1487", "A"}, "n\n", nullptr},
      {"download unreachable", {"download", "vote", "1487", "A", "--yes"}, "", nullptr},
      {"show damaged cache",
       {"show", "85", "A"},
       "",
       [] { ASSERT_TRUE(WriteFileBytes(clsXmlResult::GetFileName(85, "A"), "<minitoto><結果></x>")); }},
      {"compress targets not read", {"compress", "--engine", "1", "--targets", Path("no.csv")}, "",
       nullptr},
      {"print document not read", {"print", missing, "--list"}, "", nullptr},
#ifdef ZELVO_HAVE_QT_PRINT
      {"print PDF not saved", {"print", Path("d.tpd"), "--pdf", Path("o.pdf")}, "", full_disk},
#endif
      {"check document not read", {"check", missing}, "", nullptr},
      {"search not saved", {"search", Path("g.tpd")}, "", full_disk},
      {"batch not saved", {"batch", Path("g.tpd")}, "", full_disk},
      {"csv export not saved", {"csv", "export", Path("d.tpd"), Path("o.csv")}, "", full_disk},
      {"csv import not saved", {"csv", "import", Path("d.tpd"), Path("s.csv")}, "", full_disk},
      {"info document not read", {"info", missing}, "", nullptr},
      {"report document not read", {"report", missing, "--form", "0"}, "", nullptr},
      {"import not saved", {"import", Path("d.tpd")}, "1,0,2,0,1\n", full_disk},
      {"unknown command", {"nonsense"}, "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    dir_.MakeMinimalSysData();
    if (c.before) c.before();
    std::istringstream in(c.input);
    std::ostringstream out, err;
    int rc = RunCli(c.args, in, out, err);
    WriteFaultsForTesting() = WriteFaults();
    EXPECT_NE(rc, 0) << out.str();
    EXPECT_FALSE(err.str().empty()) << out.str();
  }
}

}  // namespace
}  // namespace zelvo
