// totoSettings.ini: the addresses of the official site's pages.  Loaded once
// at start-up and held process-wide.
#ifndef ZELVOMINI_FILES_TOTO_SETTINGS_H_
#define ZELVOMINI_FILES_TOTO_SETTINGS_H_

#include <string>

namespace zelvo {

struct TotoSettings {
  int Version = 1;
  std::string totoOfficialScheduleUrl;
  std::string totoOfficialVoteUrl;
  std::string totoOfficialResultUrl;
  std::string totoOfficialTotoUrl;
  std::string totoOfficialTotoGoal3Url;
  std::string totoOfficialTotoGoal2Url;
  std::string totoOfficialMiniTotoAUrl;
  std::string totoOfficialMiniTotoBUrl;

  bool operator==(const TotoSettings&) const = default;
};

// The official site's store server.
inline constexpr const char* kOfficialHost = "https://store.toto-dream.com";

// The process-wide values.
TotoSettings& totoSettings();

// Defaults, then read SysData\totoSettings.ini, or write it when missing or
// unversioned.
void LoadTotoSettings();
void SetDefaultTotoSettings();
void ReadTotoSettings();
bool WriteTotoSettings();
// The exact text WriteTotoSettings writes.
std::string TotoSettingsText(const TotoSettings& s);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_TOTO_SETTINGS_H_
