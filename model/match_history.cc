#include "model/match_history.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "support/text.h"

namespace zelvo {
namespace {

// Howard Hinnant's days_from_civil and civil_from_days (proleptic Gregorian).
int DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool ValidDate(int y, int m, int d) {
  static constexpr std::array<int, 12> kDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1900 || y > 2200 || m < 1 || m > 12 || d < 1 || d > kDays[m - 1]) return false;
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m != 2 || d <= 28 || leap;
}

bool SmallNumber(std::string_view text, int max_digits, int& value) {
  if (text.empty() || static_cast<int>(text.size()) > max_digits) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// One CSV line into fields: commas between, a field may be quoted with ""
// standing for a quote inside.  False for a quote left open or text after a
// closing quote.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
  fields.clear();
  std::string field;
  size_t i = 0;
  while (true) {
    field.clear();
    if (i < line.size() && line[i] == '"') {
      ++i;
      while (true) {
        if (i >= line.size()) return false;
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      if (i < line.size() && line[i] != ',') return false;
    } else {
      while (i < line.size() && line[i] != ',') field += line[i++];
    }
    fields.push_back(Trim(field));
    if (i >= line.size()) return true;
    ++i;  // the comma
  }
}

// A club name as a results file may write it: printable, no control
// characters, no longer than any club's name is.
bool PlausibleClub(const std::string& name) {
  if (name.empty() || CharCount(name) > 24) return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

uint64_t Mix(uint64_t h, uint64_t v) {
  // FNV-1a over the value's bytes.
  for (int i = 0; i < 8; ++i) {
    h ^= (v >> (8 * i)) & 0xff;
    h *= 1099511628211ull;
  }
  return h;
}

uint64_t MixText(uint64_t h, const std::string& s) {
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return Mix(h, s.size());
}

}  // namespace

int DayNumber(int year, int month, int day) { return DaysFromCivil(year, month, day); }

void CivilFromDay(int z, int& year, int& month, int& day_of_month) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  day_of_month = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = yoe + era * 400 + (month <= 2);
}

std::string DayText(int day) {
  int y, m, d;
  CivilFromDay(day, y, m, d);
  // Room for any int in each field, so no day can be cut short.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  return buf;
}

int YearOfDay(int day) {
  int y, m, d;
  CivilFromDay(day, y, m, d);
  return y;
}

bool ParseDay(std::string_view text, int& day) {
  const char sep = text.find('/') != std::string_view::npos ? '/' : '-';
  std::vector<std::string> parts = Split(text, std::string_view(&sep, 1));
  int y, m, d;
  if (parts.size() != 3 || !SmallNumber(parts[0], 4, y) || parts[0].size() != 4 ||
      !SmallNumber(parts[1], 2, m) || !SmallNumber(parts[2], 2, d) || !ValidDate(y, m, d)) {
    return false;
  }
  day = DayNumber(y, m, d);
  return true;
}

std::string LeagueName(int league) {
  return league >= 1 && league <= 3 ? "J" + std::to_string(league) : "";
}

std::string CsvRefusal::Text() const { return "line " + std::to_string(line) + ": " + why; }

int LeagueFromFileName(std::string_view file_name) {
  for (int league = 1; league <= 3; ++league) {
    const std::string tag = "-J" + std::to_string(league) + ".";
    if (file_name.find(tag) != std::string_view::npos) return league;
  }
  return kLeagueUnknown;
}

bool ParseResultsCsv(std::string_view bytes, int league, std::vector<HistoryMatch>& out,
                     CsvRefusal& refusal) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  // Text that is not UTF-8 is what a spreadsheet on Windows saves: CP932.
  std::string text = SanitizeUtf8(bytes);
  if (text != bytes) text = FromCp932(bytes);
  if (text.find('\0') != std::string::npos) {
    refusal = {1, "not a text file"};
    return false;
  }
  const std::vector<std::string> lines = Split(text, "\n");
  enum Column { kDate, kHome, kHomeGoals, kAwayGoals, kAway, kStatus, kColumns };
  static constexpr std::array<const char*, kColumns> kNames = {
      "match_date", "home_team", "home_goal", "away_goal", "away_team", "status"};
  std::array<int, kColumns> at;
  at.fill(-1);
  size_t header_fields = 0;
  std::vector<HistoryMatch> read;
  std::vector<std::string> fields;
  bool header_seen = false;
  for (size_t n = 0; n < lines.size(); ++n) {
    const int line_no = static_cast<int>(n) + 1;
    std::string line = lines[n];
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (Trim(line).empty()) continue;
    if (!SplitCsvLine(line, fields)) {
      refusal = {line_no, "a quoted field is not closed"};
      return false;
    }
    if (!header_seen) {
      for (size_t f = 0; f < fields.size(); ++f) {
        for (int c = 0; c < kColumns; ++c) {
          if (fields[f] == kNames[c] && at[c] < 0) at[c] = static_cast<int>(f);
        }
      }
      for (int c = 0; c < kStatus; ++c) {
        if (at[c] < 0) {
          refusal = {line_no,
                     "not a results file: the header needs the columns match_date, home_team, "
                     "home_goal, away_goal and away_team"};
          return false;
        }
      }
      header_fields = fields.size();
      header_seen = true;
      continue;
    }
    if (fields.size() != header_fields) {
      refusal = {line_no, std::to_string(fields.size()) + " fields where the header has " +
                              std::to_string(header_fields)};
      return false;
    }
    HistoryMatch m;
    m.league = league;
    if (!ParseDay(fields[at[kDate]], m.day)) {
      refusal = {line_no, "no date in match_date: \"" + fields[at[kDate]] + "\""};
      return false;
    }
    m.home = fields[at[kHome]];
    m.away = fields[at[kAway]];
    if (!PlausibleClub(m.home) || !PlausibleClub(m.away)) {
      refusal = {line_no, "a club name is missing or not a name"};
      return false;
    }
    if (m.home == m.away) {
      refusal = {line_no, m.home + " on both sides"};
      return false;
    }
    const std::string& hg = fields[at[kHomeGoals]];
    const std::string& ag = fields[at[kAwayGoals]];
    const bool finished =
        at[kStatus] >= 0 ? fields[at[kStatus]] == "試合終了" : !hg.empty() || !ag.empty();
    if (finished) {
      if (!SmallNumber(hg, 2, m.home_goals) || !SmallNumber(ag, 2, m.away_goals)) {
        refusal = {line_no, "goals are not whole numbers: \"" + hg + "\", \"" + ag + "\""};
        return false;
      }
    }
    read.push_back(std::move(m));
  }
  if (!header_seen) {
    refusal = {1, "empty file"};
    return false;
  }
  out.insert(out.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  return true;
}

bool MatchHistory::Add(const HistoryMatch& match) {
  if (!match.Played()) return false;
  auto [it, inserted] = by_key_.insert_or_assign(Key{match.day, match.home, match.away}, match);
  (void)it;
  sorted_valid_ = false;
  fingerprint_valid_ = false;
  return inserted;
}

const std::vector<HistoryMatch>& MatchHistory::Matches() const {
  if (!sorted_valid_) {
    sorted_.clear();
    sorted_.reserve(by_key_.size());
    // The map's key begins with the day, so this is day order.
    for (const auto& [key, m] : by_key_) sorted_.push_back(m);
    sorted_valid_ = true;
  }
  return sorted_;
}

int MatchHistory::CountBefore(int day) const {
  if (day == 0) return static_cast<int>(by_key_.size());
  const std::vector<HistoryMatch>& all = Matches();
  return static_cast<int>(std::lower_bound(all.begin(), all.end(), day,
                                           [](const HistoryMatch& m, int d) { return m.day < d; }) -
                          all.begin());
}

uint64_t MatchHistory::Fingerprint() const {
  if (!fingerprint_valid_) {
    uint64_t h = 14695981039346656037ull;
    for (const auto& [key, m] : by_key_) {
      h = Mix(h, static_cast<uint64_t>(m.day));
      h = MixText(h, m.home);
      h = MixText(h, m.away);
      h = Mix(h, static_cast<uint64_t>(m.home_goals * 1000 + m.away_goals * 10 + m.league));
    }
    fingerprint_ = h;
    fingerprint_valid_ = true;
  }
  return fingerprint_;
}

}  // namespace zelvo
