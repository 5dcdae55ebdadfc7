#include "files/main_ini.h"

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

constexpr const char* kFileName = "Zelvo mini.ini";

void Broken() {
  platform().MessageBox("Zelvo mini.iniファイルが破損しています。", kAppTitle, MsgIcon::kCritical);
}

}  // namespace

MainWindowSettings LoadMainIni() {
  MainWindowSettings s;
  std::string path = SysDataPath(kFileName);
  if (!FileExists(path)) return s;
  clsIniFile ini;
  ini.Initialize(path);
  if (!ini.Enabled()) {
    Broken();
    return s;
  }
  if (ini.ItemExists("Kaisaikai")) {
    int v = 0;
    if (ConvertToLong(ini.GetItem("Kaisaikai", ""), v)) {
      s.Kaisaikai = v;
    } else {
      Broken();
    }
  }
  for (auto [key, field] : {std::pair{"DownloadMessage", &MainWindowSettings::DownloadMessage},
                            std::pair{"ResultAll", &MainWindowSettings::ResultAll}}) {
    if (!ini.ItemExists(key)) continue;
    bool v = false;
    if (ConvertToBool(ini.GetItem(key, ""), v)) {
      s.*field = v;
    } else {
      Broken();
    }
  }
  for (int i = 1; i <= kRecentFileKeys; ++i) {
    std::string value = ini.GetItem("RecentFile" + std::to_string(i), "");
    if (!value.empty()) s.RecentFiles.push_back(value);
  }
  return s;
}

std::string MainIniText(const MainWindowSettings& s) {
  std::string t;
  t += ";Pendralcove Zelvo mini Ini File (Zelvo mini.ini)\r\n";
  t += ";" + CopyrightNotice() + "\r\n";
  t += "\r\n";
  t += "Kaisaikai = " + std::to_string(s.Kaisaikai) + "\r\n";
  t += std::string("DownloadMessage = ") + (s.DownloadMessage ? "1" : "0") + "\r\n";
  t += std::string("ResultAll = ") + (s.ResultAll ? "1" : "0") + "\r\n";
  for (size_t i = 0; i < s.RecentFiles.size() && i < kRecentFileKeys; ++i) {
    t += "RecentFile" + std::to_string(i + 1) + " = " + s.RecentFiles[i] + "\r\n";
  }
  return t;
}

bool SaveMainIni(const MainWindowSettings& s) {
  SysDataLock lock;
  return lock.Locked() && WriteTextFile(SysDataPath(kFileName), MainIniText(s));
}

}  // namespace zelvo
