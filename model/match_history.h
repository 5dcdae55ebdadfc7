// The match history the goal model learns from: finished league matches with
// their date, clubs and goals, read from results files (one CSV per league and
// season, as shipped) and from the result pages in the cache.  A pair of clubs
// meets once on a day, so a second copy of a match replaces the first.
#ifndef ZELVOMINI_MODEL_MATCH_HISTORY_H_
#define ZELVOMINI_MODEL_MATCH_HISTORY_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace zelvo {

// Days counted from 1970-01-01: the model weighs matches by their age in days.
int DayNumber(int year, int month, int day);
void CivilFromDay(int day, int& year, int& month, int& day_of_month);
// "2024-05-01".
std::string DayText(int day);
// "2024/05/01", "2024-5-1"; false for anything else or an impossible date.
bool ParseDay(std::string_view text, int& day);
int YearOfDay(int day);

// 1, 2, 3 for J1, J2, J3; 0 when not known.
inline constexpr int kLeagueUnknown = 0;
inline constexpr int kLeagues = 4;   // indexes 0 (unknown) to 3
std::string LeagueName(int league);  // "J1", "J2", "J3", ""

struct HistoryMatch {
  int day = 0;
  std::string home;
  std::string away;
  int home_goals = -1;  // -1: not played (postponed, cancelled, still to come)
  int away_goals = -1;
  int league = kLeagueUnknown;

  bool Played() const { return home_goals >= 0 && away_goals >= 0; }
  bool operator==(const HistoryMatch&) const = default;
};

// Why a results file was refused: the first line that does not read (1 for
// the header line), and what is wrong with it.
struct CsvRefusal {
  int line = 0;
  std::string why;
  std::string Text() const;  // "line 12: ..."
};

// A results CSV: a header naming the columns match_date, home_team,
// home_goal, away_goal and away_team (status optional; others ignored), then
// one match per line.  Played when status is "試合終了" (or, without a status
// column, when both goals are given).  UTF-8 with or without a byte-order
// mark, or CP932 as a Windows spreadsheet saves it.  The file is read whole or
// not at all: any line that does not read refuses it, `out` untouched.
// `league` labels every match read (0 when the file does not say).
bool ParseResultsCsv(std::string_view bytes, int league, std::vector<HistoryMatch>& out,
                     CsvRefusal& refusal);
// The league a shipped file's name gives ("2024_allmatch_result-J2.csv": 2),
// 0 when the name does not say.
int LeagueFromFileName(std::string_view file_name);

// Matches in day order, one per (day, home, away).
class MatchHistory {
 public:
  // Played matches only; a match already held for the same day and pair is
  // replaced (the later source corrects the earlier).  Returns true when the
  // match was new.
  bool Add(const HistoryMatch& match);
  const std::vector<HistoryMatch>& Matches() const;
  size_t size() const { return by_key_.size(); }
  bool empty() const { return by_key_.empty(); }
  // Counts of matches before `day` (all when day is 0).
  int CountBefore(int day) const;
  // A value that changes whenever a match is added or changed: the fitted
  // models are cached under it.
  uint64_t Fingerprint() const;

 private:
  using Key = std::tuple<int, std::string, std::string>;
  std::map<Key, HistoryMatch> by_key_;
  mutable std::vector<HistoryMatch> sorted_;
  mutable bool sorted_valid_ = false;
  mutable uint64_t fingerprint_ = 0;
  mutable bool fingerprint_valid_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_MODEL_MATCH_HISTORY_H_
