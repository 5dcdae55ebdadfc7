#include "core/pendralcove_download.h"

#include <exception>

#include "core/toto_data.h"
#include "files/ini_file.h"
#include "support/error_report.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/table_install.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsPendralcoveDownload";
constexpr const char* kTitle = " Pendralcove";
constexpr const char* kTeamName2 = "TeamName2.dat";
constexpr const char* kVersionList = "version.dat";

void Plain(const std::string& text) { platform().MessageBox(text, kTitle, MsgIcon::kWarning); }

void Failure(const std::string& text) {
  platform().MessageBox("インターネットよりダウンロードに失敗しました。\r\n" + text, kTitle,
                        MsgIcon::kWarning);
}

void Inform(const std::string& text) { platform().MessageBox(text, kTitle, MsgIcon::kInformation); }

// The tables are read line by line at CR LF; a file that reached us with
// bare LF line ends (a web server or a checkout may convert them) would read
// as one long line and lose every name.
std::string CrLfLines(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\n", "\r\n");
}

}  // namespace

int clsPendralcoveDownload::VersionNumber(const std::string& text) {
  size_t dot = text.find('.');
  if (dot == std::string::npos) return 0;
  std::string major = Trim(text.substr(0, dot));
  std::string minor = Trim(text.substr(dot + 1));
  int a = 0, b = 0;
  if (major.empty() || minor.empty() || !ConvertToLong(major, a) || !ConvertToLong(minor, b)) {
    return 0;
  }
  long long value = static_cast<long long>(a) * 1000 + b;
  if (value < 0 || value > 2147483647LL) return 0;
  return static_cast<int>(value);
}

std::string clsPendralcoveDownload::ServerBaseUrl() {
  std::string path = SysDataPath(kServerFile);
  if (!FileExists(path)) return "";
  clsIniFile ini;
  ini.Initialize(path);
  if (!ini.Enabled()) return "";
  std::string base = Trim(ini.GetItem("BaseUrl", ""));
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

std::string clsPendralcoveDownload::GetItem(const std::string& key,
                                            const std::string& default_value) const {
  if (key.empty()) return default_value;
  for (const auto& [name, value] : versions_) {
    if (EqualsNoCase(name, key)) return value;
  }
  return default_value;
}

std::string clsPendralcoveDownload::Fetch(const std::string& file, const std::string& progress) {
  // No configured server is a site that cannot be found: no host is made up.
  status_ = 0;
  std::string base = ServerBaseUrl();
  if (base.empty() || !inet_.Connection()) return "";
  inet_.SetProgressDialogMessage(progress);
  std::string text = inet_.GetHttpDataString(base + kFolder + file, "", 0);
  status_ = inet_.LastStatus();
  return text;
}

bool clsPendralcoveDownload::CheckResponse(const std::string& text) {
  // The user's cancel in the progress window is a choice, not a failure.
  if (text.empty() && inet_.Cancelled()) return false;
  if (text.empty()) {
    // An error answer gives no page at all; a "not found" one still names
    // the missing address rather than the site.
    Failure(status_ == 404 ? "原因：アドレスが見つかりません" : "原因：サイトが見つかりません");
    return false;
  }
  if (Contains(text, "The requested URL was not found on this server")) {
    Failure("原因：アドレスが見つかりません");
    return false;
  }
  return true;
}

bool clsPendralcoveDownload::GetFileVersion() {
  try {
    std::string text = Fetch(kVersionList, "ファイルバージョン取得中 (Pendralcove)");
    if (!CheckResponse(text)) return false;
    if (!Contains(text, "[VersionEnd]")) {
      Failure("原因：ダウンロード内容(version.dat)が異常です");
      return false;
    }
    versions_ = clsIniFile::Parse(CrLfLines(text));
    loaded_ = true;
    return true;
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetFileVersion", e);
    return false;
  }
}

bool clsPendralcoveDownload::GetTeamName2() {
  try {
    std::string text = Fetch(kTeamName2, "海外チーム名取得中 (Pendralcove)");
    if (!CheckResponse(text)) return false;
    // A body of nothing but blanks and line ends holds no table either.
    if (Trim(ReplaceAll(ReplaceAll(ReplaceAll(text, "\r", ""), "\n", ""), "\t", "")).empty()) {
      Failure(std::string("原因：") + kTeamName2 + " の取得に失敗しました");
      return false;
    }
    if (!Contains(text, "[End]")) {
      Failure(std::string("原因：") + kTeamName2 + " が異常です");
      return false;
    }
    // A name the table's code page cannot hold would be written as "?" and
    // never match the page again.
    const std::string lost = FirstCharOutsideCp932(text);
    if (!lost.empty()) {
      Failure(std::string("原因：") + kTeamName2 + " に保存できない文字(" + lost + ")があります");
      return false;
    }
    // The table was compared while the download ran; another process may
    // have installed the same or a newer one meanwhile.
    SysDataLock lock;
    if (!lock.Locked()) return false;
    int remote = VersionNumber(GetItem(kTeamName2, ""));
    if (remote > 0 && VersionNumber(clsTotoData().GetTeamName2Version()) >= remote) return true;
    // Only a whole table of the announced version replaces the user's, and
    // the one it replaces stays beside it for RestoreTeamName2.
    const std::string problem =
        InstallTable(SysDataPath(kTeamName2), ToCp932(CrLfLines(text)), remote);
    if (!problem.empty()) {
      Failure(std::string("原因：") + kTeamName2 + " が異常です\r\n" + problem);
      return false;
    }
    return true;
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetTeamName2", e);
    return false;
  }
}

bool clsPendralcoveDownload::DownloadTeamName2(bool ask) {
  try {
    if (ask) {
      MsgAnswer answer = platform().MessageBox(
          "Pendralcoveより 海外チーム名 をダウンロードします。よろしいですか？", "  Pendralcove",
          MsgIcon::kQuestion, MsgButtons::kYesNo);
      if (answer != MsgAnswer::kYes) return false;
    }
    if (!loaded_ && !GetFileVersion()) return false;

    int remote = VersionNumber(GetItem(kTeamName2, ""));
    if (remote == 0) {
      Plain("海外チーム名のバージョン取得に失敗しました。");
      return false;
    }
    int local = VersionNumber(clsTotoData().GetTeamName2Version());
    if (local == 0) {
      Plain("海外チーム名のバージョンが不明です。");
      return false;
    }
    if (remote < local) {
      Plain("海外チーム名のバージョンが異常です。");
      return false;
    }
    if (remote == local) {
      Inform("海外チーム名の情報は最新です。");
      return true;
    }
    if (!GetTeamName2()) return false;
    Inform("海外チーム名を最新版に更新しました。");
    return true;
  } catch (const std::exception& e) {
    ReportException(kClassName, "DownloadTeamName2", e);
    return false;
  }
}

bool clsPendralcoveDownload::RestoreTeamName2(bool ask) {
  try {
    const std::string path = SysDataPath(kTeamName2);
    if (!FileExists(TableBackupPath(path))) {
      Plain("戻せる前の海外チーム名がありません。");
      return false;
    }
    if (ask && platform().MessageBox("海外チーム名を更新前の版に戻します。よろしいですか？",
                                     "  Pendralcove", MsgIcon::kQuestion,
                                     MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    SysDataLock lock;
    if (!lock.Locked()) return false;
    const std::string problem = RestoreTableBackup(path);
    if (!problem.empty()) {
      Plain("海外チーム名を戻せませんでした。\r\n" + problem);
      return false;
    }
    const std::string version = clsTotoData().GetTeamName2Version();
    Inform("海外チーム名を更新前の版" + (version == "." ? std::string() : "(" + version + ")") +
           "に戻しました。");
    return true;
  } catch (const std::exception& e) {
    ReportException(kClassName, "RestoreTeamName2", e);
    return false;
  }
}

bool IsVirtualStoreFolder(const std::string& dir) {
  std::string d = ReplaceAll(dir, "/", "\\");
  for (const char* prefix :
       {"C:\\Program Files", "C:\\Program Files (x86)", "C:\\ProgramData", "C:\\Windows"}) {
    if (StartsWithNoCase(d, prefix)) return true;
  }
  return false;
}

bool CheckDownloadFolderRights() {
  if (!IsVirtualStoreFolder(ProgramDir()) || platform().IsAdministrator()) return true;
  platform().MessageBox(
      "Virtualstore対象フォルダでは一般権限で実行できません。\r\n"
      "アプリケーションを終了させ管理者として実行して下さい。",
      "管理権限不足エラー", MsgIcon::kWarning);
  return false;
}

}  // namespace zelvo
