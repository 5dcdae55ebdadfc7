// Several processes of the built command line changing one document at
// once: every change a command reports as stored is in the document.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

class DocumentRaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    cli_ = Path("zelvomini-cli");
    fs::copy_file(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/zelvomini-cli", cli_);
    fs::copy_file(
        std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/sample-guarantee.tpd",
        Path("original.tpd"));
    dir_.WriteBytes("own.csv", "50,30,20\n40,30,30\n60,25,15\n30,30,40\n45,35,20\n");
    dir_.WriteBytes("more.csv", "1,1,1,1,1\n2,2,2,2,2\n");
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  // Starts every command at once (each waits for a gate the parent opens)
  // and returns their exit codes.
  std::vector<int> RunTogether(const std::vector<std::vector<std::string>>& commands) {
    int gate[2];
    EXPECT_EQ(::pipe(gate), 0);
    std::vector<pid_t> children;
    for (const auto& args : commands) {
      pid_t pid = ::fork();
      if (pid == 0) {
        ::close(gate[1]);
        char c;
        while (::read(gate[0], &c, 1) > 0) {
        }
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(cli_.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(cli_.c_str(), argv.data());
        ::_exit(127);
      }
      children.push_back(pid);
    }
    ::close(gate[0]);
    ::close(gate[1]);
    std::vector<int> codes;
    for (pid_t pid : children) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    return codes;
  }

  testing::TempProgramDir dir_;
  std::string cli_;
};

// The probs commands, a CSV add and a clipboard import of one document run
// together, ten times over: each finds the others' changes in place.
TEST_F(DocumentRaceTest, EveryStoredChangeReachesTheDocument) {
  const std::string doc_path = Path("doc.tpd");
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    fs::copy_file(Path("original.tpd"), doc_path, fs::copy_options::overwrite_existing);
    const std::vector<int> codes = RunTogether({
        {"probs", doc_path, "--set", Path("own.csv")},
        {"probs", doc_path, "--value", "expected:80-"},
        {"probs", doc_path, "--extract", "probability:7"},
        {"csv", "import", doc_path, Path("more.csv"), "--add"},
    });
    for (int code : codes) ASSERT_EQ(code, 0);
    clsTFileTPD tpd;
    DocumentRecord doc;
    ASSERT_TRUE(LoadDocumentFile(tpd, doc_path, true, false, doc));
    EXPECT_TRUE(doc.OwnProbs.set);
    EXPECT_NEAR(doc.OwnProbs.p[0][1], 0.5, 1e-15);
    EXPECT_TRUE(doc.Conditions.Value.Enabled);
    EXPECT_EQ(doc.Conditions.Value.Min, 80);
    EXPECT_TRUE(doc.Engine.ChushutsuFlag);
    EXPECT_EQ(doc.Engine.ChushutsuCount, 7);
    const std::vector<int> singles(doc.SingleData.begin(),
                                   doc.SingleData.begin() + doc.SingleCount);
    EXPECT_NE(std::find(singles.begin(), singles.end(), 1 + 3 + 9 + 27 + 81), singles.end());
    EXPECT_NE(std::find(singles.begin(), singles.end(), 2 * (1 + 3 + 9 + 27 + 81)), singles.end());
  }
}

}  // namespace
}  // namespace zelvo
