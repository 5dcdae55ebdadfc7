// Many processes of the command line changing one SysData, or one document,
// at once: every add or change reported as done is in the file, once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "core/team_name_add.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

// Runs `child` in `n` processes that all start together once a gate opens,
// and returns their exit codes in order (-1 for one that did not exit).
std::vector<int> RunTogether(int n, const std::function<int(int)>& child) {
  int gate[2];
  if (::pipe(gate) != 0) return {};
  std::vector<pid_t> children;
  for (int i = 0; i < n; ++i) {
    pid_t pid = ::fork();
    if (pid == 0) {
      ::close(gate[1]);
      char c;
      while (::read(gate[0], &c, 1) > 0) {
      }
      ::_exit(child(i));
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

TEST(SysDataRaceTest, ParallelTeamAddsAllLandOnce) {
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  constexpr int kProcesses = 40;
  const std::vector<int> codes = RunTogether(kProcesses, [](int i) {
    std::istringstream in;
    std::ostringstream out, err;
    return RunCli({"team-add", "並列クラブ" + std::to_string(i), "P" + std::to_string(i)}, in, out,
                  err);
  });
  ASSERT_EQ(codes.size(), static_cast<size_t>(kProcesses));
  std::string table = FromCp932(dir.ReadBytes("SysData/TeamName3.dat"));
  std::vector<std::string> lines = Split(table, "\r\n");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], kTeamName3Header);
  int entries = 0;
  for (const std::string& line : lines) entries += Contains(line, " = 並列クラブ");
  EXPECT_EQ(entries, kProcesses);
  for (int i = 0; i < kProcesses; ++i) {
    std::string short_name = "P" + std::to_string(i);
    std::string line =
        short_name + std::string(6 - short_name.size(), ' ') + " = 並列クラブ" + std::to_string(i);
    int found = 0;
    for (const std::string& l : lines) found += l == line;
    // Reported added exactly when it is there.
    EXPECT_EQ(found, codes[i] == 0 ? 1 : 0) << line;
    EXPECT_EQ(codes[i], 0) << line;
  }
}

// Several processes of the built command line changing one document at
// once: every change a command reports as stored is in the document.
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

  // The built command line in a process of its own, its output discarded.
  int Exec(const std::vector<std::string>& args) const {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<char*> argv{const_cast<char*>(cli_.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(cli_.c_str(), argv.data());
    return 127;
  }

  testing::TempProgramDir dir_;
  std::string cli_;
};

// The three probs commands and a CSV add on one document run
// together, ten times over: each finds the others' changes in place.
TEST_F(DocumentRaceTest, EveryStoredChangeReachesTheDocument) {
  const std::string doc_path = Path("doc.tpd");
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    fs::copy_file(Path("original.tpd"), doc_path, fs::copy_options::overwrite_existing);
    const std::vector<std::vector<std::string>> commands = {
        {"probs", doc_path, "--set", Path("own.csv")},
        {"probs", doc_path, "--value", "expected:80-"},
        {"probs", doc_path, "--extract", "probability:7"},
        {"csv", "import", doc_path, Path("more.csv"), "--add"},
    };
    const std::vector<int> codes =
        RunTogether(static_cast<int>(commands.size()), [&](int i) { return Exec(commands[i]); });
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
