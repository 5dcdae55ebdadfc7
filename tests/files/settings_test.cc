// totoSettings.ini, Zelvo mini.ini and Printer.ini.
#include <gtest/gtest.h>

#include "files/main_ini.h"
#include "files/printer_ini.h"
#include "files/toto_settings.h"
#include "support/text.h"
#include "support/version.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

const char* kHost = "https://store.toto-dream.com";

TEST(TotoSettingsTest, MissingFileIsWrittenWithTheExactLines) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  LoadTotoSettings();
  std::string expected = testing::CrLf({
      ";Pendralcove Toto Settings Ini File (totoSettings.ini)",
      ";" + CopyrightNotice(),
      "",
      "Version = 1",
      "",
      ";totoオフィシャル開催情報URL",
      "totoOfficialScheduleUrl = " + std::string(kHost) +
          "/dcs/subos/screen/pi01/spin000/PGSPIN00001DisptotoLotInfo.form?holdCntId=",
      ";totoオフィシャル投票状況URL",
      "totoOfficialVoteUrl = " + std::string(kHost) +
          "/dcs/subos/screen/pi09/spin003/PGSPIN00301InitVoteRate.form?holdCntId=",
      ";totoオフィシャルくじ結果URL",
      "totoOfficialResultUrl = " + std::string(kHost) +
          "/dcs/subos/screen/pi04/spin011/PGSPIN01101LnkHoldCntLotResultLsttoto.form?holdCntId=",
      ";totoオフィシャルURL(toto)",
      "totoOfficialTotoUrl = &commodityId=01",
      ";totoオフィシャルURL(totoGoal3)",
      "totoOfficialTotoGoal3Url = &commodityId=02",
      ";totoオフィシャルURL(totoGoal2)",
      "totoOfficialTotoGoal2Url = &commodityId=05",
      ";totoオフィシャルURL(mini toto-A組)",
      "totoOfficialMiniTotoAUrl = &commodityId=06",
      ";totoオフィシャルURL(mini toto-B組)",
      "totoOfficialMiniTotoBUrl = &commodityId=07",
  });
  EXPECT_EQ(dir.ReadBytes("SysData/totoSettings.ini"), ToCp932(expected));
  EXPECT_TRUE(fake.messages().empty());
}

TEST(TotoSettingsTest, VersionedFileIsReadAndKept) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string text = testing::CrLf({"Version = 2", "totoOfficialVoteUrl = http://127.0.0.1:1/v?id=",
                                    "totoOfficialMiniTotoBUrl = &b"});
  dir.WriteCp932("SysData/totoSettings.ini", text);
  LoadTotoSettings();
  EXPECT_EQ(totoSettings().Version, 2);
  EXPECT_EQ(totoSettings().totoOfficialVoteUrl, "http://127.0.0.1:1/v?id=");
  EXPECT_EQ(totoSettings().totoOfficialMiniTotoBUrl, "&b");
  EXPECT_EQ(totoSettings().totoOfficialMiniTotoAUrl, "&commodityId=06");
  EXPECT_EQ(dir.ReadBytes("SysData/totoSettings.ini"), ToCp932(text));
}

TEST(TotoSettingsTest, UnversionedFileIsReplacedByTheDefaults) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  dir.WriteCp932("SysData/totoSettings.ini", testing::CrLf({"totoOfficialVoteUrl = http://old/"}));
  LoadTotoSettings();
  EXPECT_EQ(totoSettings().Version, 1);
  EXPECT_EQ(totoSettings().totoOfficialVoteUrl.rfind(kHost, 0), 0u);
  EXPECT_TRUE(Contains(FromCp932(dir.ReadBytes("SysData/totoSettings.ini")), "Version = 1"));
}

TEST(TotoSettingsTest, ReplacedFileIsKeptAsBakAndTheUserToldOnce) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  // One changed letter in "Version": the user's own addresses would go.
  const std::string old = ToCp932(testing::CrLf(
      {"Verzion = 1", "totoOfficialVoteUrl = http://mine/vote?id=", "\xE5\x90\x8D = x"}));
  dir.WriteBytes("SysData/totoSettings.ini", old);
  LoadTotoSettings();
  EXPECT_EQ(dir.ReadBytes("SysData/totoSettings.ini.bak"), old);
  EXPECT_TRUE(Contains(FromCp932(dir.ReadBytes("SysData/totoSettings.ini")), "Version = 1"));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text,
            "totoSettings.iniを初期設定に戻しました。元のファイルはtotoSettings.ini.bakに保存しました。");
  // The next start reads the new file: no second replacement, no message.
  LoadTotoSettings();
  EXPECT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(dir.ReadBytes("SysData/totoSettings.ini.bak"), old);
}

TEST(TotoSettingsTest, BrokenVersionShowsTheMessageAndKeepsReading) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  dir.WriteCp932("SysData/totoSettings.ini",
                 testing::CrLf({"Version = x", "totoOfficialTotoUrl = &t"}));
  LoadTotoSettings();
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "totoSettings.iniファイルが破損しています。");
  EXPECT_EQ(fake.messages()[0].icon, MsgIcon::kCritical);
  // The failed key kept its default (1), so the file is not replaced.
  EXPECT_EQ(totoSettings().totoOfficialTotoUrl, "&t");
}

TEST(MainIniTest, DefaultsWhenMissingAndRoundTrip) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  MainWindowSettings s = LoadMainIni();
  EXPECT_EQ(s.Kaisaikai, 1);
  EXPECT_TRUE(s.DownloadMessage);
  EXPECT_FALSE(s.ResultAll);
  s.Kaisaikai = 1276;
  s.DownloadMessage = false;
  s.ResultAll = true;
  ASSERT_TRUE(SaveMainIni(s));
  EXPECT_EQ(dir.ReadBytes("SysData/Zelvo mini.ini"),
            ToCp932(testing::CrLf({";Pendralcove Zelvo mini Ini File (Zelvo mini.ini)",
                                   ";" + CopyrightNotice(), "", "Kaisaikai = 1276",
                                   "DownloadMessage = 0", "ResultAll = 1"})));
  MainWindowSettings back = LoadMainIni();
  EXPECT_EQ(back.Kaisaikai, 1276);
  EXPECT_FALSE(back.DownloadMessage);
  EXPECT_TRUE(back.ResultAll);
}

TEST(MainIniTest, BrokenKeyKeepsItsDefault) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  dir.WriteCp932("SysData/Zelvo mini.ini",
                 testing::CrLf({"Kaisaikai = abc", "DownloadMessage = 0", "ResultAll = maybe"}));
  MainWindowSettings s = LoadMainIni();
  EXPECT_EQ(s.Kaisaikai, 1);
  EXPECT_FALSE(s.DownloadMessage);
  EXPECT_FALSE(s.ResultAll);
  EXPECT_EQ(fake.messages().size(), 2u);
  EXPECT_EQ(fake.messages()[0].text, "Zelvo mini.iniファイルが破損しています。");
}

TEST(PrinterIniTest, KeyOrderAndBooleanForm) {
  testing::TempProgramDir dir;
  PrinterSettings s;
  s.PrinterName = "PDF";
  s.PrinterOrientation = 2;
  s.PrinterLeftMargin = 2.5;
  s.PrinterTopMargin = -1;
  s.PrinterOpenNo = true;
  s.PrinterSendDataA = true;
  ASSERT_TRUE(WritePrinterIni(s));
  EXPECT_EQ(
      FromCp932(dir.ReadBytes("SysData/Printer.ini")),
      testing::CrLf({";Pendralcove Printer Ini File (Printer.ini)", ";" + CopyrightNotice(), "",
                     ";[Printer]", "PrinterName = PDF", "PrinterOrientation = 2",
                     "PrinterLeftMargin = 2.5", "PrinterTopMargin = -1", "PrinterOpenNo = True",
                     "PrinterOpenText = False", "PrinterPageText = False",
                     "PrinterFileText = False", "PrinterSendDataA = True"}));
  PrinterSettings back = ReadPrinterIni();
  EXPECT_EQ(back.PrinterName, "PDF");
  EXPECT_EQ(back.PrinterOrientation, 2);
  EXPECT_DOUBLE_EQ(back.PrinterLeftMargin, 2.5);
  EXPECT_DOUBLE_EQ(back.PrinterTopMargin, -1);
  EXPECT_TRUE(back.PrinterOpenNo);
  EXPECT_FALSE(back.PrinterOpenText);
  EXPECT_TRUE(back.PrinterSendDataA);
}

TEST(PrinterIniTest, ShiftsAreHeldToTheSheet) {
  testing::TempProgramDir dir;
  dir.WriteCp932("SysData/Printer.ini",
                 testing::CrLf({"PrinterLeftMargin = 123456789", "PrinterTopMargin = -99999"}));
  PrinterSettings s = ReadPrinterIni();
  EXPECT_DOUBLE_EQ(s.PrinterLeftMargin, 210);
  EXPECT_DOUBLE_EQ(s.PrinterTopMargin, -210);
  dir.WriteCp932("SysData/Printer.ini",
                 testing::CrLf({"PrinterLeftMargin = 209.5", "PrinterTopMargin = -3.25"}));
  s = ReadPrinterIni();
  EXPECT_DOUBLE_EQ(s.PrinterLeftMargin, 209.5);
  EXPECT_DOUBLE_EQ(s.PrinterTopMargin, -3.25);
}

TEST(PrinterIniTest, MissingKeysReadAsOff) {
  testing::TempProgramDir dir;
  dir.WriteCp932("SysData/Printer.ini", testing::CrLf({"PrinterPageText = True"}));
  PrinterSettings s = ReadPrinterIni();
  EXPECT_TRUE(s.PrinterPageText);
  EXPECT_FALSE(s.PrinterOpenNo);
  EXPECT_EQ(s.PrinterName, "");
  EXPECT_DOUBLE_EQ(s.PrinterLeftMargin, 0);
}

}  // namespace
}  // namespace zelvo
