#include "model/history_sources.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

#include "official/official_service.h"
#include "official/round_archive.h"
#include "official/services.h"
#include "support/data_location.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

// Results files are a few hundred kilobytes a season; anything far larger
// is not one.
constexpr size_t kMaxResultsFileBytes = 64u << 20;

std::vector<std::string> CsvFiles(const std::string& dir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".csv") && name[0] != '.' &&
        it->is_regular_file(ec)) {
      files.push_back(it->path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct ArchiveFile {
  int round;
  std::string group;
  std::string path;
};

// The result pages of the cache, each checked against the round and group
// it is filed under; copies of the shipped made-up rounds are invented
// scores and never history.
std::vector<ArchiveFile> ArchiveResultFiles() {
  std::vector<ArchiveFile> files;
  for (const CachedRound& r : ListCachedRounds(ArchiveSource::kCache)) {
    const CachedFile& result = r.File(ArchiveKind::kResult);
    if (r.made_up || result.made_up || !result.Usable()) continue;
    files.push_back({r.round, r.group, result.path});
  }
  return files;
}

// What the history was read from, by name, size and time: a change in any
// file asks for a new read.
std::string Signature(const std::vector<std::string>& paths) {
  std::string sig;
  for (const std::string& p : paths) {
    struct stat st {};
    if (stat(p.c_str(), &st) != 0) continue;
    sig += p + '|' + std::to_string(st.st_size) + '|' + std::to_string(st.st_mtim.tv_sec) + '.' +
           std::to_string(st.st_mtim.tv_nsec) + '\n';
  }
  return sig;
}

int Day(const DateTime& d) { return DayNumber(d.Year(), d.Month(), d.Day()); }

// The five matches of a cached result page that count as history: played,
// with a score that agrees with the lottery result, between clubs of the
// Japanese leagues (overseas rounds are left to the user).
int ReadArchiveRound(const ArchiveFile& file, const ClubNames& names,
                     const std::set<std::string>& known_clubs, MatchHistory& history) {
  clsResult service;
  service.Initialize();
  if (!service.GetResult(file.round, file.group, kSourceFile, false)) return 0;
  const ResultRecord record = service.Record();
  if (record.cancelled) return 0;
  int added = 0;
  for (const ResultMatch& rm : record.matches) {
    if (rm.result == kResultCancelled || !rm.match_date.HasDate()) continue;
    const int sign = rm.home_score > rm.away_score ? 1 : rm.home_score < rm.away_score ? 2 : 0;
    if (sign != rm.result) continue;
    HistoryMatch m;
    m.day = Day(rm.match_date);
    m.home = names.Canonical(rm.home, m.day);
    m.away = names.Canonical(rm.away, m.day);
    m.home_goals = rm.home_score;
    m.away_goals = rm.away_score;
    m.league = names.MatchLeague(m.home, m.away, m.day);
    const bool japanese =
        m.league != kLeagueUnknown || (known_clubs.count(m.home) && known_clubs.count(m.away));
    if (!japanese || m.home.empty() || m.away.empty() || m.home == m.away) continue;
    history.Add(m);
    ++added;
  }
  return added;
}

}  // namespace

std::string ShippedHistoryDir() {
  const DataLocation location = CurrentDataLocation();
  if (location.mode == DataMode::kInstalled && !location.shipped_dir.empty()) {
    return JoinPath(location.shipped_dir, "History");
  }
  return JoinPath(ProgramDir(), "History");
}

std::string AddedHistoryDir() { return SysDataPath("UserResults"); }

std::vector<std::string> HistoryFiles() {
  std::vector<std::string> files = CsvFiles(ShippedHistoryDir());
  for (const std::string& f : CsvFiles(AddedHistoryDir())) files.push_back(f);
  return files;
}

bool ReadResultsFile(const std::string& path, const ClubNames& names,
                     std::vector<HistoryMatch>& out, std::string& refusal) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxResultsFileBytes)) {
    refusal = "cannot be read, or is too large for a results file";
    return false;
  }
  std::vector<HistoryMatch> read;
  CsvRefusal why;
  if (!ParseResultsCsv(bytes, LeagueFromFileName(FileNamePart(path)), read, why)) {
    refusal = why.Text();
    return false;
  }
  for (HistoryMatch& m : read) {
    m.home = names.Canonical(m.home, m.day);
    m.away = names.Canonical(m.away, m.day);
    if (m.league == kLeagueUnknown) m.league = names.MatchLeague(m.home, m.away, m.day);
  }
  out.insert(out.end(), read.begin(), read.end());
  return true;
}

std::shared_ptr<const LoadedHistory> LoadHistory(const clsTotoData& toto) {
  static std::string cached_signature;
  static std::shared_ptr<const LoadedHistory> cached;
  const std::vector<std::string> shipped = CsvFiles(ShippedHistoryDir());
  const std::vector<ArchiveFile> archive = ArchiveResultFiles();
  const std::vector<std::string> added = CsvFiles(AddedHistoryDir());
  std::vector<std::string> all = shipped;
  for (const ArchiveFile& a : archive) all.push_back(a.path);
  all.insert(all.end(), added.begin(), added.end());
  const std::string signature = ProgramDir() + '\n' + Signature(all);
  if (cached && signature == cached_signature) return cached;

  auto loaded = std::make_shared<LoadedHistory>();
  HistorySummary& s = loaded->summary;
  const ClubNames names(&toto);
  std::set<std::string> known_clubs;
  auto read_files = [&](const std::vector<std::string>& files, int& file_count, int& matches) {
    for (const std::string& path : files) {
      std::vector<HistoryMatch> read;
      std::string refusal;
      if (!ReadResultsFile(path, names, read, refusal)) {
        s.refused.push_back(path + ": " + refusal);
        continue;
      }
      ++file_count;
      for (const HistoryMatch& m : read) {
        if (!m.Played()) continue;
        loaded->history.Add(m);
        known_clubs.insert(m.home);
        known_clubs.insert(m.away);
        ++matches;
      }
    }
  };
  read_files(shipped, s.shipped_files, s.shipped_matches);
  for (const ArchiveFile& a : archive) {
    const int n = ReadArchiveRound(a, names, known_clubs, loaded->history);
    if (n > 0) {
      ++s.archive_rounds;
      s.archive_matches += n;
    }
  }
  read_files(added, s.added_files, s.added_matches);
  cached_signature = signature;
  cached = loaded;
  return cached;
}

bool AddResultsFile(const std::string& path, const clsTotoData& toto,
                    std::vector<HistoryMatch>& read, std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, kMaxResultsFileBytes)) {
    error = path + ": cannot be read, or is too large for a results file";
    return false;
  }
  std::vector<HistoryMatch> parsed;
  CsvRefusal why;
  if (!ParseResultsCsv(bytes, LeagueFromFileName(FileNamePart(path)), parsed, why)) {
    error = path + ": " + why.Text() + "; nothing was added";
    return false;
  }
  if (std::none_of(parsed.begin(), parsed.end(),
                   [](const HistoryMatch& m) { return m.Played(); })) {
    error = path + ": no finished match in the file; nothing was added";
    return false;
  }
  const ClubNames names(&toto);
  for (HistoryMatch& m : parsed) {
    m.home = names.Canonical(m.home, m.day);
    m.away = names.Canonical(m.away, m.day);
  }
  const std::string target = JoinPath(AddedHistoryDir(), FileNamePart(path));
  SysDataLock lock;
  if (!lock.Locked()) {
    error = "SysData is locked by another process; nothing was added";
    return false;
  }
  if (!MakeDirs(AddedHistoryDir()) || !WriteFileBytes(target, bytes, false)) {
    error = target + ": " + LastWriteError();
    return false;
  }
  read = std::move(parsed);
  return true;
}

}  // namespace zelvo
