// The outputs of zelvomini-cli: never one of the command's inputs, never a
// file of SysData, never a file the writer refuses, and relative to the
// current folder.  Each refusal comes before anything is written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

class CliOutputsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    // No engine: a search that were not refused ends at once.
    DocumentRecord doc = testing::SampleDocument(7);
    doc.Engine.MsEngine = 0;
    clsTFileTPD tpd;
    ASSERT_TRUE(tpd.SaveFile(Path("g.tpd"), true, doc, true));
    dir_.WriteBytes("mine.csv", "1,0,2,0,1\r\n2,2,2,2,2\r\n");
    dir_.WriteBytes("other.csv", "1,1,1,1,1\r\n");
    // The first start writes the missing settings file.
    ASSERT_EQ(Run({"status"}), 0);
  }
  ~CliOutputsTest() override { WriteFaultsForTesting() = WriteFaults(); }

  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    std::istringstream in;
    return RunCli(args, in, out_, err_);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  // Every file below the program folder with its bytes.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir_.path())) {
      if (e.is_regular_file())
        files[e.path().string()] = dir_.ReadBytes(fs::relative(e.path(), dir_.path()).string());
    }
    return files;
  }

  testing::TempProgramDir dir_;
  std::ostringstream out_, err_;
};

TEST_F(CliOutputsTest, AnOutputThatIsAnInputOrProgramDataIsRefusedUntouched) {
  ASSERT_EQ(::symlink("g.tpd", Path("g-link.tpd").c_str()), 0);
  const std::string g = Path("g.tpd");
  const std::string j1j2 = dir_.SysData("J1J2.dat");
  const std::vector<std::vector<std::string>> commands = {
      {"csv", "export", g, g},
      {"csv", "export", g, Path("g-link.tpd")},
      {"csv", "export", g, Path("sub/../g.tpd")},
      {"csv", "import", g, g},
      {"print", g, "--pdf", g},
      {"print", "--singles", Path("mine.csv"), "--round", "5", "--pdf", Path("mine.csv")},
      {"lines", "intersect", Path("mine.csv"), Path("other.csv"), "-o", Path("mine.csv")},
      {"lines", "complement", Path("mine.csv"), "--multi", g, "-o", Path("g-link.tpd")},
      {"search", g, "-o", j1j2},
      {"csv", "export", g, j1j2},
      {"print", g, "--pdf", dir_.SysData("new.pdf")},
  };
  fs::create_directories(Path("sub"));
  const auto before = Snapshot();
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " " + args[1] + " ... " + args.back());
    EXPECT_EQ(Run(args), 1);
    EXPECT_TRUE(Contains(err_.str(), "nothing was written")) << err_.str();
    EXPECT_TRUE(Snapshot() == before);
  }
  EXPECT_TRUE(fs::is_symlink(Path("g-link.tpd")));
}

TEST_F(CliOutputsTest, OutputsTheWriterRefusesStopTheCommandBeforeItsWork) {
  dir_.WriteBytes("ro.tpd", dir_.ReadBytes("g.tpd"));
  ::chmod(Path("ro.tpd").c_str(), 0444);
  // A private /dev/null (as root), so that a writer that replaced devices
  // could not take the machine's own; a pipe without root.
  if (::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    ASSERT_EQ(::mkfifo(Path("null").c_str(), 0666), 0);
  }
  const auto before = Snapshot();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"csv", "export", Path("g.tpd"), Path("null")},
           {"lines", "unique", Path("mine.csv"), "-o", Path("sub")},
           {"search", Path("ro.tpd")},
           {"csv", "import", Path("ro.tpd"), Path("mine.csv")}}) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    fs::create_directories(Path("sub"));
    EXPECT_EQ(Run(args), 1);
    EXPECT_TRUE(Contains(err_.str(), "zelvomini-cli: cannot write ")) << err_.str();
    EXPECT_TRUE(out_.str().empty()) << out_.str();  // no search log, nothing saved
    fs::remove(Path("sub"));
    EXPECT_TRUE(Snapshot() == before);
  }
  struct stat st {};
  ASSERT_EQ(::lstat(Path("null").c_str(), &st), 0);
  EXPECT_FALSE(S_ISREG(st.st_mode));

  // An in-place update whose save fails leaves the document as it was.
  WriteFaultsForTesting().fail_after_bytes = 100;
  EXPECT_EQ(Run({"csv", "import", Path("g.tpd"), Path("mine.csv")}), 1);
  EXPECT_TRUE(Snapshot() == before);
}

// Paths a user types are the current folder's, not the program folder's.
TEST_F(CliOutputsTest, RelativePathsAreTheCurrentFolders) {
  fs::create_directories(Path("work"));
  fs::copy_file(Path("g.tpd"), Path("work/g.tpd"));
  fs::path previous = fs::current_path();
  fs::current_path(Path("work"));
  int exported = Run({"csv", "export", "g.tpd", "g.csv"});
#ifdef ZELVO_HAVE_QT_PRINT
  int printed = Run({"print", "g.tpd", "--pdf", "g.pdf"});
#endif
  fs::current_path(previous);
  EXPECT_EQ(exported, 0);
  EXPECT_TRUE(FileExists(Path("work/g.csv")));
#ifdef ZELVO_HAVE_QT_PRINT
  EXPECT_EQ(printed, 0) << err_.str();
  EXPECT_TRUE(FileExists(Path("work/g.pdf")));
  EXPECT_FALSE(FileExists(Path("g.pdf")));
#endif
}

}  // namespace
}  // namespace zelvo
