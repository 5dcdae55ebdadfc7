// The team-name update against a local stand-in for the maker's server.
#include "core/pendralcove_download.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/http_test_server.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

using testing::CrLf;

constexpr const char* kListPath = "/download/2021/version.dat";
constexpr const char* kFilePath = "/download/2021/TeamName2.dat";
constexpr const char* kFailure = "インターネットよりダウンロードに失敗しました。\r\n";

class PendralcoveDownloadTest : public ::testing::Test {
 protected:
  PendralcoveDownloadTest() {
    dir_.MakeMinimalSysData();  // TeamName2.dat at version 3, revision 12
    dir_.WriteCp932("SysData/PendralcoveServer.ini", CrLf({"BaseUrl = " + server_.Url("/")}));
    local_ = dir_.ReadBytes("SysData/TeamName2.dat");
    download_.WinInet().SetProgressSink(&progress_);
  }

  void ServeList(const std::string& version) {
    server_.SetPage(kListPath,
                    ToCp932(CrLf({"; Pendralcove", "TeamName.dat = 1.00",
                                  "TeamName2.dat = " + version, "[VersionEnd]"})),
                    "text/plain");
  }
  void ServeTable(const std::string& text) {
    server_.SetPage(kFilePath, ToCp932(text), "text/plain");
  }
  // The one message of a failed run, with the local file as it was.
  void ExpectOnlyMessage(const std::string& text, MsgIcon icon = MsgIcon::kWarning) {
    ASSERT_EQ(fake_.messages().size(), 1u) << fake_.messages().back().text;
    EXPECT_EQ(fake_.messages()[0].text, text);
    EXPECT_EQ(fake_.messages()[0].title, " Pendralcove");
    EXPECT_EQ(fake_.messages()[0].icon, icon);
    EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), local_);
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  testing::HttpTestServer server_;
  WinInetProgressLog progress_;
  clsPendralcoveDownload download_;
  std::string local_;
};

const std::string kNewTable =
    CrLf({"Version = 3", "Revision = 13", "新名 = 新クラブ", "別名 = 別クラブ", "[End]"});

TEST(PendralcoveVersionTest, MajorTimesThousandPlusMinor) {
  EXPECT_EQ(clsPendralcoveDownload::VersionNumber("3.12"), 3012);
  EXPECT_EQ(clsPendralcoveDownload::VersionNumber(" 3 . 13 "), 3013);
  EXPECT_EQ(clsPendralcoveDownload::VersionNumber("3.1"), 3001);
  for (const char* bad : {"3", "3.", ".12", ".", "", "a.b", "3.x"}) {
    EXPECT_EQ(clsPendralcoveDownload::VersionNumber(bad), 0) << bad;
  }
}

// The user's cancel in the progress window is no failure to report.
TEST_F(PendralcoveDownloadTest, ACancelledDownloadEndsQuietly) {
  struct CancellingLog : WinInetProgressLog {
    bool CancelRequested() override { return true; }
  } cancelling;
  download_.WinInet().SetProgressSink(&cancelling);
  ServeList("3.13");
  ServeTable(kNewTable);
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages().back().text;
  EXPECT_EQ(server_.RequestCount(kFilePath), 0);
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), local_);
}

TEST_F(PendralcoveDownloadTest, EqualVersionsFetchNothingMore) {
  ServeList("3.12");
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage("海外チーム名の情報は最新です。", MsgIcon::kInformation);
  EXPECT_EQ(server_.RequestCount(kListPath), 1);
  EXPECT_EQ(server_.RequestCount(kFilePath), 0);
  EXPECT_EQ(download_.GetItem("teamname2.DAT", "-"), "3.12");
  EXPECT_EQ(download_.GetItem("Other.dat", "-"), "-");
  EXPECT_EQ(progress_.lines.front(), " ファイルバージョン取得中 (Pendralcove)");
}

TEST_F(PendralcoveDownloadTest, NewerVersionReplacesTheTable) {
  ServeList("3.13");
  ServeTable(kNewTable);
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  ASSERT_EQ(fake_.MessageTexts(), std::vector<std::string>{"海外チーム名を最新版に更新しました。"});
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kInformation);
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), ToCp932(kNewTable));
  // Each fetch heads its progress lines with its own text.
  EXPECT_EQ(std::count(progress_.lines.begin(), progress_.lines.end(),
                       " ファイルバージョン取得中 (Pendralcove)"),
            1);
  EXPECT_EQ(std::count(progress_.lines.begin(), progress_.lines.end(),
                       " 海外チーム名取得中 (Pendralcove)"),
            1);

  // The list is reused: the table is current now, and nothing is fetched.
  fake_.ClearRecords();
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"海外チーム名の情報は最新です。"});
  EXPECT_EQ(server_.RequestCount(kListPath), 1);
  EXPECT_EQ(server_.RequestCount(kFilePath), 1);
}

TEST_F(PendralcoveDownloadTest, ALoadedListServesTheNextDownload) {
  ServeList("3.12");
  ServeTable(kNewTable);
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  // The local table goes back a revision; only the table is fetched again,
  // and the list's 3.12 is what counts, not the server's newer one.
  dir_.WriteCp932("SysData/TeamName2.dat", CrLf({"Version = 3", "Revision = 11", "[End]"}));
  ServeList("3.99");
  ServeTable(CrLf({"Version = 3", "Revision = 12", "[End]"}));
  fake_.ClearRecords();
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"海外チーム名を最新版に更新しました。"});
  EXPECT_EQ(server_.RequestCount(kListPath), 1);
  EXPECT_EQ(server_.RequestCount(kFilePath), 1);
}

TEST_F(PendralcoveDownloadTest, VersionsThatCannotBeCompared) {
  ServeList("3.11");
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage("海外チーム名のバージョンが異常です。");

  clsPendralcoveDownload other;
  ServeList("4");
  fake_.ClearRecords();
  EXPECT_FALSE(other.DownloadTeamName2(false));
  ExpectOnlyMessage("海外チーム名のバージョン取得に失敗しました。");

  clsPendralcoveDownload missing;
  server_.SetPage(kListPath, CrLf({"TeamName.dat = 1.00", "[VersionEnd]"}));
  fake_.ClearRecords();
  EXPECT_FALSE(missing.DownloadTeamName2(false));
  ExpectOnlyMessage("海外チーム名のバージョン取得に失敗しました。");

  // A local table without its version cannot be judged.
  clsPendralcoveDownload unknown;
  ServeList("3.13");
  ServeTable(kNewTable);
  dir_.WriteCp932("SysData/TeamName2.dat", CrLf({"新名 = 新クラブ", "[End]"}));
  local_ = dir_.ReadBytes("SysData/TeamName2.dat");
  fake_.ClearRecords();
  EXPECT_FALSE(unknown.DownloadTeamName2(false));
  ExpectOnlyMessage("海外チーム名のバージョンが不明です。");
  EXPECT_EQ(server_.RequestCount(kFilePath), 0);
}

TEST_F(PendralcoveDownloadTest, DamagedDownloadsAreNotWritten) {
  ServeList("3.13");
  ServeTable(CrLf({"Version = 3", "Revision = 13", "新名 = 新クラブ"}));  // cut short
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：TeamName2.dat が異常です");

  ServeTable("\r\n  \r\n");
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：TeamName2.dat の取得に失敗しました");

  ServeTable("");
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：サイトが見つかりません");

  server_.RemoveRoute(kFilePath);
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：アドレスが見つかりません");
  EXPECT_EQ(server_.RequestCount(kListPath), 1);
}

// Every way a served table can be unfit leaves the user's in place: the
// first case is a server that announced 3.13 and sent one entry and no
// version, which would also have left the updater unable to judge again.
TEST_F(PendralcoveDownloadTest, OnlyAWholeTableOfTheAnnouncedVersionIsInstalled) {
  std::vector<std::string> big = {"Version = 3", "Revision = 12"};
  for (int i = 0; i < 20; ++i)
    big.push_back("略" + std::to_string(i) + " = クラブ" + std::to_string(i));
  std::string big_text;
  for (const std::string& line : big) big_text += line + "\r\n";
  dir_.WriteCp932("SysData/TeamName2.dat", big_text + ";[End]\r\n");
  local_ = dir_.ReadBytes("SysData/TeamName2.dat");
  std::string rows;
  for (int i = 0; i < 20; ++i)
    rows += "略" + std::to_string(i) + " = クラブ" + std::to_string(i) + "\r\n";
  const std::string why = std::string(kFailure) + "原因：TeamName2.dat が異常です\r\n";
  const struct {
    std::string table;
    std::string reason;
  } cases[] = {
      {CrLf({"新名 = 新クラブ", "[End]"}), "バージョンがありません（3.13 のはずです）。"},
      {"Version = 3\r\nRevision = 14\r\n" + rows + "[End]\r\n",
       "バージョン(3.14)が 3.13 ではありません。"},
      {"Version = 3\r\nRevision = 13\r\n" + rows + "<html>\r\n[End]\r\n",
       "23行目が「略称 = 名称」の形ではありません。"},
      {"Version = 3\r\nRevision = 13\r\n[End]\r\n" + rows,
       "終わりの印([End])がありません（途中で切れています）。"},
      {CrLf({"Version = 3", "Revision = 13", "新名 = 新クラブ", "別名 = 別クラブ", "[End]"}),
       "登録が4件しかありません（今の表は22件）。"},
  };
  for (const auto& c : cases) {
    ServeList("3.13");
    ServeTable(c.table);
    fake_.ClearRecords();
    EXPECT_FALSE(download_.DownloadTeamName2(false)) << c.reason;
    ExpectOnlyMessage(why + c.reason);
  }
  // Bytes that are no CP932 would be written back as "?" and never match.
  server_.SetPage(
      kFilePath,
      ToCp932("Version = 3\r\nRevision = 13\r\n" + rows) + "ABC = \xFD\xFE FC\r\n[End]\r\n",
      "text/plain");
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) +
                    "原因：TeamName2.dat に保存できない文字(\uFFFD)があります");
  EXPECT_FALSE(FileExists(dir_.SysData("TeamName2.dat.bak")));
}

TEST_F(PendralcoveDownloadTest, TheReplacedTableCanBePutBack) {
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_FALSE(clsPendralcoveDownload::RestoreTeamName2(true));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{"戻せる前の海外チーム名がありません。"});

  ServeList("3.13");
  ServeTable(kNewTable);
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat.bak"), local_);

  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kNo);
  EXPECT_FALSE(clsPendralcoveDownload::RestoreTeamName2(true));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), ToCp932(kNewTable));
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_TRUE(clsPendralcoveDownload::RestoreTeamName2(true));
  EXPECT_EQ(fake_.MessageTexts().back(), "海外チーム名を更新前の版(3.12)に戻しました。");
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), local_);
  // The update is one restore away again.
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat.bak"), ToCp932(kNewTable));
  EXPECT_TRUE(clsPendralcoveDownload::RestoreTeamName2(false));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), ToCp932(kNewTable));
}

TEST_F(PendralcoveDownloadTest, DamagedOrMissingListsAreNotKept) {
  server_.SetPage(kListPath, CrLf({"TeamName2.dat = 3.13"}));
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：ダウンロード内容(version.dat)が異常です");
  EXPECT_FALSE(download_.VersionListLoaded());

  server_.RemoveRoute(kListPath);
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：アドレスが見つかりません");

  server_.SetPage(kListPath, "");
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：サイトが見つかりません");
  EXPECT_EQ(server_.RequestCount(kListPath), 3);
  EXPECT_EQ(server_.RequestCount(kFilePath), 0);
}

TEST_F(PendralcoveDownloadTest, WithoutAServerNothingIsFetched) {
  RemoveFile(dir_.SysData("PendralcoveServer.ini"));
  ServeList("3.13");
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：サイトが見つかりません");
  EXPECT_TRUE(server_.Requests().empty());
  EXPECT_TRUE(progress_.lines.empty());

  // A configured server that does not answer looks the same.
  int closed_port;
  {
    testing::HttpTestServer gone;
    closed_port = gone.port();
  }
  dir_.WriteCp932("SysData/PendralcoveServer.ini",
                  CrLf({"BaseUrl = http://127.0.0.1:" + std::to_string(closed_port) + "/"}));
  fake_.ClearRecords();
  EXPECT_FALSE(download_.DownloadTeamName2(false));
  ExpectOnlyMessage(std::string(kFailure) + "原因：サイトが見つかりません");
}

TEST_F(PendralcoveDownloadTest, AskedAndAnsweredNo) {
  ServeList("3.13");
  ServeTable(kNewTable);
  fake_.QueueAnswer(MsgAnswer::kNo);
  EXPECT_FALSE(download_.DownloadTeamName2(true));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text,
            "Pendralcoveより 海外チーム名 をダウンロードします。よろしいですか？");
  EXPECT_EQ(fake_.messages()[0].title, "  Pendralcove");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kQuestion);
  EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kYesNo);
  EXPECT_TRUE(server_.Requests().empty());
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), local_);

  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_TRUE(download_.DownloadTeamName2(true));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"), ToCp932(kNewTable));
}

TEST_F(PendralcoveDownloadTest, BareLineFeedsAreWrittenAsCrLf) {
  server_.SetPage(kListPath, "TeamName2.dat = 3.13\n[VersionEnd]\n");
  ServeTable("Version = 3\nRevision = 13\n新名 = 新クラブ\n[End]\n");
  EXPECT_TRUE(download_.DownloadTeamName2(false));
  EXPECT_EQ(dir_.ReadBytes("SysData/TeamName2.dat"),
            ToCp932(CrLf({"Version = 3", "Revision = 13", "新名 = 新クラブ", "[End]"})));
}

TEST(PendralcoveFolderTest, ProtectedFoldersNeedAnAdministrator) {
  EXPECT_TRUE(IsVirtualStoreFolder("c:\\program files (x86)\\Zelvo mini"));
  EXPECT_TRUE(IsVirtualStoreFolder("C:/ProgramData/Zelvo"));
  EXPECT_TRUE(IsVirtualStoreFolder("C:\\WINDOWS\\Temp"));
  EXPECT_FALSE(IsVirtualStoreFolder("D:\\Program Files\\Zelvo mini"));
  EXPECT_FALSE(IsVirtualStoreFolder("C:\\Users\\me\\Zelvo mini"));

  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  EXPECT_TRUE(CheckDownloadFolderRights());
  SetProgramDir("C:\\Program Files\\Zelvo mini");
  EXPECT_FALSE(CheckDownloadFolderRights());
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text,
            "Virtualstore対象フォルダでは一般権限で実行できません。\r\n"
            "アプリケーションを終了させ管理者として実行して下さい。");
  EXPECT_EQ(fake.messages()[0].title, "管理権限不足エラー");
  fake.administrator_ = true;
  EXPECT_TRUE(CheckDownloadFolderRights());
  SetProgramDir(dir.path());
}

}  // namespace
}  // namespace zelvo
