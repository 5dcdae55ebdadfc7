// 最近使ったファイル: the last documents opened or saved in the window, newest
// first, kept in Zelvo mini.ini between sessions.
#ifndef ZELVOMINI_UI_RECENT_FILES_H_
#define ZELVOMINI_UI_RECENT_FILES_H_

#include <string>
#include <vector>

#include "files/main_ini.h"

namespace zelvo {

class RecentFiles {
 public:
  static constexpr size_t kMax = kRecentFileKeys;

  // The list as the settings file had it; blanks and repeats are dropped.
  void Set(const std::vector<std::string>& files);
  const std::vector<std::string>& Files() const { return files_; }
  // Puts `path` first (once), dropping the oldest beyond the limit.
  void Add(const std::string& path);
  void Remove(const std::string& path);
  // The paths the settings file can hold: one line of CP932 text that reads
  // back the same.  Others are remembered for this session only.
  std::vector<std::string> Storable() const;
  static bool IsStorable(const std::string& path);

 private:
  std::vector<std::string> files_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_RECENT_FILES_H_
