// The team-name tables: long names as the official schedule pages print them,
// short names of at most six characters as every screen shows them, and the
// league of each club per season.
#ifndef ZELVOMINI_CORE_TOTO_DATA_H_
#define ZELVOMINI_CORE_TOTO_DATA_H_

#include <string>

#include "files/ini_file.h"

namespace zelvo {

// Rounds from this number on take their names from TeamName2.dat.
inline constexpr int kTeamName2FirstRound = 750;

class clsTotoData {
 public:
  // Loads TeamName.dat, J1J2.dat, TeamName1.dat, TeamName2.dat and
  // TeamName3.dat from SysData; a missing file leaves its table empty.
  clsTotoData();

  void CheckVersion() {}

  // The short name of a long name for a round; "" (with a warning) when the
  // round is 0 or no table has the name.  An unresolved name is remembered
  // process-wide for the team-name dialog.
  std::string GetShortTeamName(const std::string& long_name, int kaisaikai) const;
  std::string GetLongTeamName(const std::string& short_name) const;
  // "J1", "J2", "J3" or "" for a short name in a season.
  std::string GetShortToJ1J2String(const std::string& short_name, int year) const;
  std::string GetTeamName2Version() const;
  bool ExistsLongTeamName(const std::string& long_name) const;

  const clsIniFile& TeamName() const { return team_name_; }
  const clsIniFile& J1J2() const { return j1j2_; }
  const clsIniFile& TeamName1() const { return team_name1_; }
  const clsIniFile& TeamName2() const { return team_name2_; }
  const clsIniFile& TeamName3() const { return team_name3_; }

 private:
  clsIniFile team_name_;
  clsIniFile j1j2_;
  clsIniFile team_name1_;
  clsIniFile team_name2_;
  clsIniFile team_name3_;
};

// The last long name GetShortTeamName could not resolve (empty at start).
std::string& LastUnresolvedTeamName();

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_TOTO_DATA_H_
