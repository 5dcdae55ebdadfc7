// What the team-name dialogs do, without the window: they propose long names
// the tables lack, check the user's entries and append them to the user's
// own table TeamName3.dat.
#ifndef ZELVOMINI_CORE_TEAM_NAME_ADD_H_
#define ZELVOMINI_CORE_TEAM_NAME_ADD_H_

#include <string>
#include <vector>

namespace zelvo {

inline constexpr const char* kTeamName3Header =
    ";Pendralcove TeamName User Data File (TeamName3.dat)";

class TeamNameAdder {
 public:
  // The fields' texts on opening: the last unresolved long name, and the
  // same text in half-width characters as the short name.
  void Open();

  // "追加": checks the fields and appends the team; true when it was added
  // (the dialog then closes), false when a check failed (it stays open).
  bool Add();

  std::string long_name_field;   // txtMeisho, "名称"
  std::string short_name_field;  // txtRyakusho, "略称"
};

// One team of the dialog that adds every unknown club of a schedule page.
struct TeamNameEntry {
  std::string long_name;
  std::string short_name;  // as typed
};

// The short name proposed for a long name: its half-width form cut to six
// characters, without what the table could not read back.
std::string SuggestShortTeamName(const std::string& long_name);

// Why a name pair would not read back from TeamName3.dat as it was entered
// (a character outside the table's code page, a short name that starts a
// comment or holds the "=" separator), in the user's words; "" when it reads
// back.  The dialogs and the command line all check through here.
std::string UnreadableTeamNameProblem(const std::string& long_name, const std::string& short_name);
// The table's line of a name pair, the short name padded to six characters.
std::string TeamNameLine(const std::string& long_name, const std::string& short_name);

// Checks each entry as the one-team dialog checks its fields, in list order,
// and appends them all to TeamName3.dat in one write.  The first failed check
// shows its message and nothing is written.
bool AddTeamNames(const std::vector<TeamNameEntry>& entries);

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_TEAM_NAME_ADD_H_
