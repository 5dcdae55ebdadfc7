// The update of the newer rounds' team-name table, TeamName2.dat, from the
// maker's download server: its version list says which version is current,
// and a newer file replaces the local one.
#ifndef ZELVOMINI_CORE_PENDRALCOVE_DOWNLOAD_H_
#define ZELVOMINI_CORE_PENDRALCOVE_DOWNLOAD_H_

#include <string>
#include <utility>
#include <vector>

#include "official/win_inet.h"

namespace zelvo {

class clsPendralcoveDownload {
 public:
  // The server's address lives in a small file of its own in SysData, one
  // line "BaseUrl = http://host[/folder]"; without it nothing is fetched.
  static constexpr const char* kServerFile = "PendralcoveServer.ini";
  static constexpr const char* kFolder = "/download/2021/";

  // True when TeamName2.dat is up to date afterwards (already current, or
  // replaced).  Every failure is told to the user and leaves the local file
  // as it was.  The version list is loaded once per object and reused.
  bool DownloadTeamName2(bool ask);

  // Puts back the table the last update (or a newer package) replaced,
  // after asking when `ask`; the replaced one becomes the backup in turn.
  // True when restored; every outcome is told to the user.
  static bool RestoreTeamName2(bool ask);

  // An entry of the loaded version list (case-insensitive, first match), or
  // the default while none is loaded.
  std::string GetItem(const std::string& key, const std::string& default_value) const;
  bool VersionListLoaded() const { return loaded_; }

  // major * 1000 + minor of "major.minor"; 0 for a text without "." or with
  // an empty or non-numeric part.
  static int VersionNumber(const std::string& text);
  // The configured base address without a trailing "/", "" when none.
  static std::string ServerBaseUrl();

  clsWinInet& WinInet() { return inet_; }

 private:
  bool GetFileVersion();
  bool GetTeamName2();
  std::string Fetch(const std::string& file, const std::string& progress);
  bool CheckResponse(const std::string& text);

  clsWinInet inet_;
  int status_ = 0;  // HTTP status of the last fetch (0: no answer)
  bool loaded_ = false;
  std::vector<std::pair<std::string, std::string>> versions_;
};

// Folders where Windows redirects the writes of an ordinary user elsewhere
// ("C:\Program Files", "C:\ProgramData", "C:\Windows", any letter case).
bool IsVirtualStoreFolder(const std::string& dir);
// The check before a download into the program folder: false, after the
// warning, when the folder is such a folder and the user no administrator.
bool CheckDownloadFolderRights();

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_PENDRALCOVE_DOWNLOAD_H_
