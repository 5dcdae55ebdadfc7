#include "model/club_names.h"

#include "model/match_history.h"
#include "support/text.h"

namespace zelvo {
namespace {

// Names the results files wrote for a club under another short name than
// the tables give it, up to the year the written name changed meaning.
struct Alias {
  const char* written;
  const char* table;
  int until_year;  // inclusive
};

// The results files call 栃木ＳＣ "栃木" until 2024; from 2025 栃木シティ
// plays in the same leagues, so the short name alone no longer tells them
// apart and later files must write 栃木SC or 栃木Ｃ.
constexpr Alias kAliases[] = {{"栃木", "栃木SC", 2024}};

}  // namespace

ClubNames::ClubNames(const clsTotoData* toto) : toto_(toto) {
  if (!toto_) return;
  for (const clsIniFile* table :
       {&toto_->TeamName(), &toto_->TeamName1(), &toto_->TeamName2(), &toto_->TeamName3()}) {
    if (!table->Enabled()) continue;
    for (const auto& [short_name, long_name] : table->Entries()) {
      (void)long_name;
      if (short_name.empty() || short_name == "Version" || short_name == "Revision") continue;
      short_names_.insert(short_name);
    }
  }
}

std::string ClubNames::Canonical(const std::string& name, int day) const {
  const int year = YearOfDay(day);
  for (const Alias& a : kAliases) {
    if (name == a.written && year <= a.until_year) return a.table;
  }
  if (short_names_.count(name)) return name;
  // A results file repeats its few odd names hundreds of times.
  auto known = found_.find(name);
  if (known != found_.end()) return known->second;
  if (by_normal_.empty()) {
    for (const std::string& short_name : short_names_) {
      by_normal_.emplace(NormalizeTeamName(short_name), short_name);
    }
  }
  auto it = by_normal_.find(NormalizeTeamName(name));
  return found_[name] = it != by_normal_.end() ? it->second : name;
}

int ClubNames::League(const std::string& club, int year) const {
  if (!toto_ || !toto_->J1J2().Enabled()) return kLeagueUnknown;
  auto found = leagues_.find(year);
  if (found == leagues_.end()) {
    std::map<std::string, int>& clubs = leagues_[year];
    for (int league = 1; league <= 3; ++league) {
      const std::string list =
          toto_->J1J2().GetItem(std::to_string(year) + "J" + std::to_string(league), "");
      for (const std::string& c : Split(list, ",")) {
        if (!Trim(c).empty()) clubs.emplace(Trim(c), league);
      }
    }
    found = leagues_.find(year);
  }
  auto it = found->second.find(club);
  return it == found->second.end() ? kLeagueUnknown : it->second;
}

int ClubNames::MatchLeague(const std::string& home, const std::string& away, int day) const {
  const int year = YearOfDay(day);
  const int h = League(home, year);
  return h != kLeagueUnknown && h == League(away, year) ? h : kLeagueUnknown;
}

}  // namespace zelvo
