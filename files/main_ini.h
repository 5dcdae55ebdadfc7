// Zelvo mini.ini: the main window's remembered state.
#ifndef ZELVOMINI_FILES_MAIN_INI_H_
#define ZELVOMINI_FILES_MAIN_INI_H_

#include <string>
#include <vector>

namespace zelvo {

constexpr int kRecentFileKeys = 8;

struct MainWindowSettings {
  int Kaisaikai = 1;
  bool DownloadMessage = true;  // "ダウンロード時に確認"
  bool ResultAll = false;       // "常に全ての結果を表示する"
  // 最近使ったファイル, newest first, under the keys RecentFile1 to
  // RecentFile8; a file written before the list existed simply has none.
  std::vector<std::string> RecentFiles;

  bool operator==(const MainWindowSettings&) const = default;
};

// Defaults, then the keys of SysData\Zelvo mini.ini when it exists; a key that
// cannot be converted shows the broken-file message and keeps its default.
MainWindowSettings LoadMainIni();
bool SaveMainIni(const MainWindowSettings& settings);
std::string MainIniText(const MainWindowSettings& settings);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_MAIN_INI_H_
