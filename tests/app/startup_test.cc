// The start-up checks and the command line over them.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "app/startup.h"
#include "files/toto_settings.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

TEST_F(StartupTest, MissingSysDataShowsOnlyTheFolderMessage) {
  EXPECT_FALSE(RunStartupChecks());
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "システムデータフォルダ(SysData)が見つかりません");
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kCritical);
  EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kOk);
}

TEST_F(StartupTest, ChecksStopAtTheFirstMissingFileInOrder) {
  dir_.MakeMinimalSysData();
  const char* order[] = {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"};
  for (const char* file : order) {
    // Remove this file and every later one: only this one's message shows.
    testing::TempProgramDir again;
    again.MakeMinimalSysData();
    bool past = false;
    for (const char* f : order) {
      if (std::string(f) == file) past = true;
      if (past) RemoveFile(again.SysData(f));
    }
    fake_.ClearRecords();
    EXPECT_FALSE(RunStartupChecks());
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text, std::string("データファイル(") + file + ")が見つかりません");
  }
}

TEST_F(StartupTest, StartsWithoutUserTableAndWritesSettings) {
  dir_.MakeMinimalSysData();
  EXPECT_TRUE(RunStartupChecks());
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_TRUE(FileExists(dir_.SysData("totoSettings.ini")));
  EXPECT_EQ(totoSettings().Version, 1);
}

TEST_F(StartupTest, CommandLineExitsNonZeroWithoutSysData) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"status"}, in, out, err), 2);
  EXPECT_NE(err.str().find("システムデータフォルダ(SysData)が見つかりません"), std::string::npos);
  EXPECT_EQ(RunCli({"--help"}, in, out, err), 0);
  EXPECT_NE(out.str().find("Usage: zelvomini-cli"), std::string::npos);
}

TEST_F(StartupTest, CommandLineResolvesTeamsAndSingles) {
  dir_.MakeMinimalSysData();
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"team", "ＦＣ東京", "1300", "2026"}, in, out, err), 0);
  EXPECT_EQ(out.str(), "FC東京\tJ1\n");
  out.str("");
  EXPECT_EQ(RunCli({"single", "10201"}, in, out, err), 0);
  EXPECT_EQ(out.str().substr(0, out.str().find('\n')), "Single 100: 10201");
  EXPECT_EQ(RunCli({"single", "243"}, in, out, err), 64);
  EXPECT_EQ(RunCli({"nonsense"}, in, out, err), 64);
}

}  // namespace
}  // namespace zelvo
