// One name per club for the goal model: the results files and the official
// pages both write the short names the vote and result pages print, but a
// few differ in a letter's width or in the name of their time.  Every name is
// taken to the form the program's team-name tables hold.
#ifndef ZELVOMINI_MODEL_CLUB_NAMES_H_
#define ZELVOMINI_MODEL_CLUB_NAMES_H_

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/toto_data.h"

namespace zelvo {

class ClubNames {
 public:
  // Null tables: every name is kept as written (the tests of the model).
  explicit ClubNames(const clsTotoData* toto);

  // The tables' short name for `name` as written on `day`: the name itself
  // when a table holds it, the table's form when it differs only in width,
  // case, blanks or dots, the current name of a club a results file wrote
  // under the name of its time; otherwise the name as written.
  std::string Canonical(const std::string& name, int day) const;
  // The league J1J2.dat lists the club in for the year (1 to 3, 0 if none).
  int League(const std::string& club, int year) const;
  // The league of a match from the tables: both clubs' league when they
  // agree, 0 otherwise.
  int MatchLeague(const std::string& home, const std::string& away, int day) const;

 private:
  const clsTotoData* toto_;
  // normalised -> table's short name, built on the first name that needs it
  mutable std::map<std::string, std::string> by_normal_;
  std::set<std::string> short_names_;                          // exact short names
  mutable std::map<int, std::map<std::string, int>> leagues_;  // year -> club -> league
  mutable std::map<std::string, std::string> found_;           // written -> table's name
};

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_CLUB_NAMES_H_
