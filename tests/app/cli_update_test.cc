// zelvomini-cli update-teams against a local stand-in for the maker's server.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::CrLf;

class CliUpdateTest : public ::testing::Test {
 protected:
  CliUpdateTest() {
    dir_.MakeMinimalSysData();
    dir_.WriteCp932("SysData/PendralcoveServer.ini", CrLf({"BaseUrl = " + server_.Url("/")}));
    server_.SetPage("/download/2021/version.dat", CrLf({"TeamName2.dat = 3.13", "[VersionEnd]"}));
    server_.SetPage("/download/2021/TeamName2.dat",
                    CrLf({"Version = 3", "Revision = 13", "[End]"}));
  }
  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
};

TEST_F(CliUpdateTest, UpdatesWithoutAskingUnderYes) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"update-teams", "--yes"}, in, out, err), 0);
  EXPECT_TRUE(Contains(err.str(), "[情報: Pendralcove] 海外チーム名を最新版に更新しました。\n"));
  EXPECT_TRUE(Contains(err.str(), " [コネクション開始]\n"));
  EXPECT_FALSE(Contains(err.str(), "よろしいですか"));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"),
            CrLf({"Version = 3", "Revision = 13", "[End]"}));

  // Current now: told so, still a success.
  err.str("");
  EXPECT_EQ(RunCli({"update-teams", "--yes"}, in, out, err), 0);
  EXPECT_TRUE(Contains(err.str(), "海外チーム名の情報は最新です。"));
}

TEST_F(CliUpdateTest, AsksOnTheTerminalAndStopsOnNo) {
  std::istringstream in("n\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"update-teams"}, in, out, err), 1);
  EXPECT_TRUE(Contains(err.str(), "よろしいですか？"));
  EXPECT_TRUE(server_.Requests().empty());

  server_.RemoveRoute("/download/2021/version.dat");
  std::istringstream yes("y\n");
  err.str("");
  EXPECT_EQ(RunCli({"update-teams"}, yes, out, err), 1);
  EXPECT_TRUE(Contains(err.str(),
                       "[警告: Pendralcove] インターネットよりダウンロードに失敗しました。\n"
                       "原因：アドレスが見つかりません\n"));
  EXPECT_EQ(RunCli({"update-teams", "extra"}, in, out, err), 64);
}

}  // namespace
}  // namespace zelvo
