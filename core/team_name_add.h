// What the team-name dialog does, without the window: it proposes the last
// unresolved long name, checks the user's entry and appends it to the user's
// own table TeamName3.dat.
#ifndef ZELVOMINI_CORE_TEAM_NAME_ADD_H_
#define ZELVOMINI_CORE_TEAM_NAME_ADD_H_

#include <string>

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

}  // namespace zelvo

#endif  // ZELVOMINI_CORE_TEAM_NAME_ADD_H_
