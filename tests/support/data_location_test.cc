// Where the data lives: the mode decision, the first-start copy of an
// installed program and the update of its shipped tables.
#include "support/data_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/paths.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

class DataLocationTest : public ::testing::Test {
 protected:
  // root/ holds an installed tree (usr/bin, usr/share/zelvomini) and a home.
  DataLocationTest() {
    env_.exe_dir = JoinPath(root_.path(), "usr/bin");
    env_.home = JoinPath(root_.path(), "home");
    env_.shipped_dir = JoinPath(root_.path(), "usr/share/zelvomini");
    MakeDirs(env_.exe_dir);
    MakeDirs(env_.home);
  }

  void Write(const std::string& relative, const std::string& bytes) {
    root_.WriteBytes(relative, bytes);
  }
  std::string Read(const std::string& relative) { return root_.ReadBytes(relative); }
  bool Exists(const std::string& relative) { return fs::exists(JoinPath(root_.path(), relative)); }
  void Age(const std::string& relative, int hours) {
    fs::path p = JoinPath(root_.path(), relative);
    fs::last_write_time(p, fs::last_write_time(p) - std::chrono::hours(hours));
  }

  void Ship() {
    Write("usr/share/zelvomini/SysData/TeamName.dat", "A = shipped\r\n;[End]\r\n");
    Write("usr/share/zelvomini/SysData/TeamName1.dat", "B = shipped\r\n;[End]\r\n");
    Write("usr/share/zelvomini/SysData/TeamName2.dat", "Version = 1\r\nRevision = 4\r\n[End]\r\n");
    Write("usr/share/zelvomini/SysData/J1J2.dat", "2026J1 = A\r\n;[End]\r\n");
    Write("usr/share/zelvomini/SysData/minitoto_Result/1487A.xml", "<shipped/>");
    Write("usr/share/zelvomini/SampleArchive/minitoto_Result/9001A.xml", "<made up/>");
    Write("usr/share/zelvomini/UserData/Zelvomini/sample-a.tpd", "shipped sample a");
    Write("usr/share/zelvomini/UserData/Zelvomini/sample-b.tpd", "shipped sample b");
  }

  testing::TempProgramDir root_;
  DataEnvironment env_;
};

TEST_F(DataLocationTest, ModeFollowsAWritableSysDataBesideTheExecutable) {
  DataLocation installed = DecideDataLocation(env_);
  EXPECT_EQ(installed.mode, DataMode::kInstalled);
  EXPECT_EQ(installed.program_dir, env_.home + "/.local/share/zelvomini");
  EXPECT_EQ(installed.documents_dir, env_.home + "/Documents/Zelvomini");
  EXPECT_EQ(installed.shipped_dir, env_.shipped_dir);

  // A relative XDG_DATA_HOME is not a valid one and is ignored.
  env_.xdg_data_home = "relative/data";
  EXPECT_EQ(DecideDataLocation(env_).program_dir, env_.home + "/.local/share/zelvomini");
  env_.xdg_data_home = root_.path() + "/xdg";
  EXPECT_EQ(DecideDataLocation(env_).program_dir, root_.path() + "/xdg/zelvomini");

  MakeDirs(env_.exe_dir + "/SysData");
  DataLocation portable = DecideDataLocation(env_);
  EXPECT_EQ(portable.mode, DataMode::kPortable);
  EXPECT_EQ(portable.program_dir, env_.exe_dir);
  EXPECT_EQ(portable.documents_dir, env_.exe_dir + "/UserData/Zelvomini");

  if (geteuid() != 0) {  // root writes anywhere
    fs::permissions(env_.exe_dir + "/SysData", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(DecideDataLocation(env_).mode, DataMode::kInstalled);
    fs::permissions(env_.exe_dir + "/SysData", fs::perms::owner_all);
  }
}

TEST_F(DataLocationTest, DocumentsFolderComesFromUserDirs) {
  const std::string home = env_.home;
  EXPECT_EQ(XdgDocumentsDir(home, ""), home + "/Documents");
  Write("home/.config/user-dirs.dirs",
        "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
  EXPECT_EQ(XdgDocumentsDir(home, ""), home + "/ドキュメント");
  Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
  EXPECT_EQ(XdgDocumentsDir(home, root_.path() + "/cfg"), "/srv/docs");
  // Shell the file was not meant to hold is not followed.
  Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$(rm -rf ~)\"\nXDG_DOCUMENTS_DIR=$HOME/x\n");
  EXPECT_EQ(XdgDocumentsDir(home, root_.path() + "/cfg"), home + "/Documents");
  Write("cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME\"\n");
  EXPECT_EQ(XdgDocumentsDir(home, root_.path() + "/cfg"), home);
}

TEST_F(DataLocationTest, FirstStartCopiesSysDataAndTheSamplesOnce) {
  Ship();
  // A copy an earlier first start left when it was killed.
  Write("home/.local/share/zelvomini/SysData.partial-999999999/TeamName.dat", "half");
  Write("home/Documents/Zelvomini/sample-b.tpd", "the user's own");
  DataLocation location = DecideDataLocation(env_);
  PrepareResult first = PrepareDataLocation(location);
  ASSERT_TRUE(first.ok) << first.error;
  EXPECT_TRUE(first.first_start);
  EXPECT_EQ(Read("home/.local/share/zelvomini/SysData/minitoto_Result/1487A.xml"), "<shipped/>");
  EXPECT_EQ(Read("home/.local/share/zelvomini/SysData/TeamName2.dat"),
            "Version = 1\r\nRevision = 4\r\n[End]\r\n");
  EXPECT_EQ(Read("home/Documents/Zelvomini/sample-a.tpd"), "shipped sample a");
  EXPECT_EQ(Read("home/Documents/Zelvomini/sample-b.tpd"), "the user's own");
  // The made-up sample archive is read where it is installed, never copied
  // into the user's data.
  for (const auto& entry : fs::directory_iterator(location.program_dir)) {
    EXPECT_EQ(entry.path().filename(), "SysData") << "left behind: " << entry.path();
  }

  // A sample the user deleted stays deleted; their SysData stays theirs.
  fs::remove(JoinPath(root_.path(), "home/Documents/Zelvomini/sample-a.tpd"));
  Write("home/.local/share/zelvomini/SysData/minitoto_Result/1487A.xml", "<downloaded/>");
  PrepareResult second = PrepareDataLocation(location);
  EXPECT_TRUE(second.ok);
  EXPECT_FALSE(second.first_start);
  EXPECT_FALSE(Exists("home/Documents/Zelvomini/sample-a.tpd"));
  EXPECT_EQ(Read("home/.local/share/zelvomini/SysData/minitoto_Result/1487A.xml"), "<downloaded/>");

  // Portable mode copies nothing.
  MakeDirs(env_.exe_dir + "/SysData");
  EXPECT_FALSE(PrepareDataLocation(DecideDataLocation(env_)).first_start);
  EXPECT_FALSE(Exists("usr/bin/SysData/TeamName.dat"));
}

TEST_F(DataLocationTest, FirstStartWithoutAHomeFails) {
  Ship();
  env_.home.clear();
  PrepareResult result = PrepareDataLocation(DecideDataLocation(env_));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(fs::exists(".local/share/zelvomini"));
}

TEST_F(DataLocationTest, FirstStartWithAnUnwritableDataFolderFails) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  Ship();
  MakeDirs(env_.home + "/.local/share");
  fs::permissions(env_.home + "/.local/share", fs::perms::owner_read | fs::perms::owner_exec);
  PrepareResult result = PrepareDataLocation(DecideDataLocation(env_));
  fs::permissions(env_.home + "/.local/share", fs::perms::owner_all);
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find(".local/share/zelvomini"), std::string::npos);
}

TEST_F(DataLocationTest, OnlyNewerShippedTablesReplaceTheUsers) {
  Ship();
  const std::string shipped = env_.shipped_dir + "/SysData";
  const std::string user = root_.path() + "/user";
  Write("user/TeamName.dat", "A = user, older\r\n");
  Age("user/TeamName.dat", 48);
  Write("user/TeamName1.dat", "B = user, edited after the install\r\n");
  Age("usr/share/zelvomini/SysData/TeamName1.dat", 48);
  Write("user/TeamName2.dat", "Version = 1\r\nRevision = 3\r\n");
  Write("user/TeamName3.dat", "C      = user's club\r\n");
  Write("user/Zelvo mini.ini", "Kaisaikai = 1500\r\n");
  Write("user/minitoto_Result/1487A.xml", "<user/>");
  // J1J2.dat missing: the user cannot start without it.

  std::vector<std::string> updated = UpdateShippedTables(shipped, user);
  EXPECT_EQ(updated, (std::vector<std::string>{"TeamName.dat", "TeamName2.dat", "J1J2.dat"}));
  EXPECT_EQ(Read("user/TeamName.dat"), "A = shipped\r\n;[End]\r\n");
  EXPECT_EQ(Read("user/TeamName.dat.bak"), "A = user, older\r\n");
  EXPECT_EQ(Read("user/TeamName1.dat"), "B = user, edited after the install\r\n");
  EXPECT_EQ(Read("user/TeamName2.dat"), "Version = 1\r\nRevision = 4\r\n[End]\r\n");
  EXPECT_EQ(Read("user/J1J2.dat"), "2026J1 = A\r\n;[End]\r\n");
  EXPECT_FALSE(Exists("user/J1J2.dat.bak"));
  EXPECT_EQ(Read("user/TeamName3.dat"), "C      = user's club\r\n");
  EXPECT_EQ(Read("user/Zelvo mini.ini"), "Kaisaikai = 1500\r\n");
  EXPECT_EQ(Read("user/minitoto_Result/1487A.xml"), "<user/>");

  // Nothing newer the second time; a downloaded TeamName2.dat of a higher
  // version (10 > 9 as numbers, not text) is kept.
  Write("user/TeamName2.dat", "version = 1\r\nRevision = 10\r\n");
  Write("usr/share/zelvomini/SysData/TeamName2.dat", "Version = 1\r\nRevision = 9\r\n[End]\r\n");
  EXPECT_TRUE(UpdateShippedTables(shipped, user).empty());
  EXPECT_EQ(Read("user/TeamName2.dat"), "version = 1\r\nRevision = 10\r\n");
  // A table without a version is replaced by a versioned one.
  Write("user/TeamName2.dat", "; broken\r\n");
  EXPECT_EQ(UpdateShippedTables(shipped, user), std::vector<std::string>{"TeamName2.dat"});
}

// A newer package passes the check a download passes: a table cut short or
// far smaller than the user's stays out, and the user's stays as it was.
TEST_F(DataLocationTest, ADamagedShippedTableDoesNotReplaceTheUsers) {
  Ship();
  const std::string shipped = env_.shipped_dir + "/SysData";
  const std::string user = root_.path() + "/user";
  const std::string own = "Version = 1\r\nRevision = 3\r\nX = 1\r\nY = 2\r\nZ = 3\r\n[End]\r\n";
  Write("user/TeamName2.dat", own);
  Write("usr/share/zelvomini/SysData/TeamName2.dat", "Version = 1\r\nRevision = 4\r\nX = 1\r\n");
  Write("user/TeamName.dat", "A = 1\r\nB = 2\r\nC = 3\r\n;[End]\r\n");
  Age("user/TeamName.dat", 48);
  Write("user/TeamName1.dat", "B = shipped\r\n;[End]\r\n");
  Write("user/J1J2.dat", "2026J1 = A\r\n;[End]\r\n");
  EXPECT_TRUE(UpdateShippedTables(shipped, user).empty());
  EXPECT_EQ(Read("user/TeamName2.dat"), own);
  EXPECT_EQ(Read("user/TeamName.dat"), "A = 1\r\nB = 2\r\nC = 3\r\n;[End]\r\n");
  EXPECT_FALSE(Exists("user/TeamName2.dat.bak"));
}

}  // namespace
}  // namespace zelvo
