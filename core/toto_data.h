// The team-name tables: long names as the official schedule pages print them,
// short names of at most six characters as every screen shows them, and the
// league of each club per season.
#ifndef ZELVOMINI_CORE_TOTO_DATA_H_
#define ZELVOMINI_CORE_TOTO_DATA_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

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
  // The same look-up without a message ("" for round 0 too): the tables in
  // their order, then once more with both names normalised, so that a page
  // writing a club with other widths, blanks or dots still finds it.
  std::string FindShortTeamName(const std::string& long_name, int kaisaikai) const;
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
  const std::vector<std::string>& NormalizedLongNames(const clsIniFile& table) const;

  clsIniFile team_name_;
  clsIniFile j1j2_;
  clsIniFile team_name1_;
  clsIniFile team_name2_;
  clsIniFile team_name3_;
  // Built on the first look-up that needs them, per table in member order.
  mutable std::array<std::vector<std::string>, 4> normalized_;
};

// The last long name GetShortTeamName could not resolve (empty at start).
std::string& LastUnresolvedTeamName();
// The warning that no table knows the long name; remembers it as the last
// unresolved one.
void ReportUnresolvedTeamName(const std::string& long_name);

// The form two spellings of one club share: blanks (ASCII and U+3000) and
// middle dots removed, letters, digits and katakana in their half-width
// forms, letters in lower case.
std::string NormalizeTeamName(std::string_view name);

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_TOTO_DATA_H_
