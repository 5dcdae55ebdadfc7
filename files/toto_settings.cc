#include "files/toto_settings.h"

#include "files/ini_file.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kFileName = "totoSettings.ini";

std::string Path() { return SysDataPath(kFileName); }

}  // namespace

TotoSettings& totoSettings() {
  static TotoSettings settings;
  return settings;
}

void SetDefaultTotoSettings() {
  TotoSettings& s = totoSettings();
  std::string host = kOfficialHost;
  s.Version = 1;
  s.totoOfficialScheduleUrl =
      host + "/dcs/subos/screen/pi01/spin000/PGSPIN00001DisptotoLotInfo.form?holdCntId=";
  s.totoOfficialVoteUrl =
      host + "/dcs/subos/screen/pi09/spin003/PGSPIN00301InitVoteRate.form?holdCntId=";
  s.totoOfficialResultUrl =
      host + "/dcs/subos/screen/pi04/spin011/PGSPIN01101LnkHoldCntLotResultLsttoto.form?holdCntId=";
  s.totoOfficialTotoUrl = "&commodityId=01";
  s.totoOfficialTotoGoal3Url = "&commodityId=02";
  s.totoOfficialTotoGoal2Url = "&commodityId=05";
  s.totoOfficialMiniTotoAUrl = "&commodityId=06";
  s.totoOfficialMiniTotoBUrl = "&commodityId=07";
}

void ReadTotoSettings() {
  TotoSettings& s = totoSettings();
  clsIniFile ini;
  ini.Initialize(Path());
  if (!ini.Enabled()) return;
  auto broken = [] {
    platform().MessageBox("totoSettings.iniファイルが破損しています。", kAppTitle,
                          MsgIcon::kCritical);
  };
  int version = 0;
  if (ConvertToLong(ini.GetItem("Version", "0"), version)) {
    s.Version = version;
  } else {
    broken();
  }
  struct Key {
    const char* name;
    std::string TotoSettings::*field;
  };
  static const Key kKeys[] = {
      {"totoOfficialScheduleUrl", &TotoSettings::totoOfficialScheduleUrl},
      {"totoOfficialVoteUrl", &TotoSettings::totoOfficialVoteUrl},
      {"totoOfficialResultUrl", &TotoSettings::totoOfficialResultUrl},
      {"totoOfficialTotoUrl", &TotoSettings::totoOfficialTotoUrl},
      {"totoOfficialTotoGoal3Url", &TotoSettings::totoOfficialTotoGoal3Url},
      {"totoOfficialTotoGoal2Url", &TotoSettings::totoOfficialTotoGoal2Url},
      {"totoOfficialMiniTotoAUrl", &TotoSettings::totoOfficialMiniTotoAUrl},
      {"totoOfficialMiniTotoBUrl", &TotoSettings::totoOfficialMiniTotoBUrl},
  };
  for (const Key& key : kKeys) s.*key.field = ini.GetItem(key.name, s.*key.field);
}

std::string TotoSettingsText(const TotoSettings& s) {
  std::string t;
  auto line = [&t](const std::string& text) { t += text + "\r\n"; };
  line(";Pendralcove Toto Settings Ini File (totoSettings.ini)");
  line(";" + CopyrightNotice());
  line("");
  line("Version = " + std::to_string(s.Version));
  line("");
  line(";totoオフィシャル開催情報URL");
  line("totoOfficialScheduleUrl = " + s.totoOfficialScheduleUrl);
  line(";totoオフィシャル投票状況URL");
  line("totoOfficialVoteUrl = " + s.totoOfficialVoteUrl);
  line(";totoオフィシャルくじ結果URL");
  line("totoOfficialResultUrl = " + s.totoOfficialResultUrl);
  line(";totoオフィシャルURL(toto)");
  line("totoOfficialTotoUrl = " + s.totoOfficialTotoUrl);
  line(";totoオフィシャルURL(totoGoal3)");
  line("totoOfficialTotoGoal3Url = " + s.totoOfficialTotoGoal3Url);
  line(";totoオフィシャルURL(totoGoal2)");
  line("totoOfficialTotoGoal2Url = " + s.totoOfficialTotoGoal2Url);
  line(";totoオフィシャルURL(mini toto-A組)");
  line("totoOfficialMiniTotoAUrl = " + s.totoOfficialMiniTotoAUrl);
  line(";totoオフィシャルURL(mini toto-B組)");
  line("totoOfficialMiniTotoBUrl = " + s.totoOfficialMiniTotoBUrl);
  return t;
}

bool WriteTotoSettings() {
  SysDataLock lock;
  return lock.Locked() && WriteTextFile(Path(), TotoSettingsText(totoSettings()));
}

void LoadTotoSettings() {
  SetDefaultTotoSettings();
  // Every start may write the file; one process at a time decides whether.
  SysDataLock lock;
  if (!FileExists(Path())) {
    if (lock.Locked()) WriteTotoSettings();
    return;
  }
  ReadTotoSettings();
  if (totoSettings().Version < 1 && lock.Locked()) {
    // An unversioned file is replaced by the defaults, but it may be one the
    // user edited with a damaged Version line: the old bytes are kept beside
    // it first, and the user is told once, when the replacement happens.
    std::string old;
    bool kept = ReadFileBytes(Path(), old) && WriteFileBytes(Path() + ".bak", old, false);
    SetDefaultTotoSettings();
    if (WriteTotoSettings() && kept) {
      platform().MessageBox("totoSettings.iniを初期設定に戻しました。元のファイルは"
                            "totoSettings.ini.bakに保存しました。",
                            kAppTitle, MsgIcon::kInformation);
    }
  }
}

}  // namespace zelvo
