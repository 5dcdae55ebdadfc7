// Many processes of the command line changing one SysData at once: every add
// reported as done is in the table, once, and the table keeps its header.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "core/team_name_add.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

TEST(SysDataRaceTest, ParallelTeamAddsAllLandOnce) {
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  constexpr int kProcesses = 40;
  int gate[2];
  ASSERT_EQ(::pipe(gate), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < kProcesses; ++i) {
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      // All start together once the gate opens (the parent closes it).
      ::close(gate[1]);
      char c;
      while (::read(gate[0], &c, 1) > 0) {
      }
      std::istringstream in;
      std::ostringstream out, err;
      int rc = RunCli({"team-add", "並列クラブ" + std::to_string(i), "P" + std::to_string(i)}, in,
                      out, err);
      ::_exit(rc);
    }
    children.push_back(pid);
  }
  ::close(gate[0]);
  ::close(gate[1]);
  std::vector<int> codes;
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    codes.push_back(WEXITSTATUS(status));
  }
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

}  // namespace
}  // namespace zelvo
