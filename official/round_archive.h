// The archive of past rounds: what the cache (or the made-up sample archive)
// holds of each round and group, every file checked as the services check
// it and against the round and group it is filed under, the complete rounds
// read back, and a polite download of a range of rounds into the cache.
#ifndef ZELVOMINI_OFFICIAL_ROUND_ARCHIVE_H_
#define ZELVOMINI_OFFICIAL_ROUND_ARCHIVE_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "official/official_xml.h"
#include "official/result_record.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"

namespace zelvo {

// One past round and group with its three official records.
struct ArchivedRound {
  ScheduleRecord schedule;
  VoteStatusRecord vote;
  ResultRecord result;
};

enum class ArchiveKind { kSchedule, kVote, kResult };
const char* ArchiveKindName(ArchiveKind kind);

// Where an archive's rounds lie: the user's cache in SysData, or the
// made-up sample rounds the program ships for trying the backtest, kept
// apart so that they never mix with history.
enum class ArchiveSource { kCache, kSample };
std::string ArchiveRoot(ArchiveSource source);

// One file of a round and group, checked against the round and group it is
// filed under.
struct CachedFile {
  ArchiveKind kind = ArchiveKind::kSchedule;
  std::string path;
  CacheFileState state = CacheFileState::kAbsent;
  int held_round = 0;  // what a misfiled file holds
  std::string held_group;
  // The file is a copy of the shipped made-up file of its name.
  bool made_up = false;

  bool Present() const { return state != CacheFileState::kAbsent; }
  bool Usable() const { return state == CacheFileState::kUsable; }
};

// What an archive holds of one round and group.
struct CachedRound {
  int round = 0;
  std::string group;
  std::array<CachedFile, 3> files;  // by ArchiveKind
  // Made up, not history: a round of the sample archive, or a round of the
  // cache that holds copies of the shipped made-up files.
  bool made_up = false;

  const CachedFile& File(ArchiveKind kind) const { return files[static_cast<int>(kind)]; }
  bool Complete() const;
};

// The files of one round and group of an archive, read and checked;
// `records` takes the usable ones.
CachedRound ReadArchivedRound(ArchiveSource source, int round, const std::string& group,
                              ArchivedRound& records);

// Every round and group with at least one file in the archive, in round and
// group order, each file read and checked.
std::vector<CachedRound> ListCachedRounds(ArchiveSource source = ArchiveSource::kCache);

// The complete rounds of an archive from `from` to `to` (0 = no bound) in
// the given groups ("A", "B"), and the files of that range that are there
// but cannot be used, left out and named.
struct ArchiveLoad {
  ArchiveSource source = ArchiveSource::kCache;
  std::vector<ArchivedRound> rounds;
  std::vector<CachedFile> left_out;
  // Rounds and groups of the cache that are copies of the made-up samples,
  // left out of the cache's history.
  int made_up_left_out = 0;

  bool MadeUp() const { return source == ArchiveSource::kSample; }
};
ArchiveLoad LoadArchive(int from, int to, const std::vector<std::string>& groups,
                        ArchiveSource source = ArchiveSource::kCache);
// The rounds a backtest replays: the cache's real rounds; the made-up sample
// rounds when `sample` asks for them, or when the cache holds no real
// complete round at all.
ArchiveLoad SelectArchive(int from, int to, const std::vector<std::string>& groups, bool sample);

struct ArchiveDownloadOptions {
  int from = 0;
  int to = 0;
  std::vector<std::string> groups = {"A", "B"};
  // The pause before every request after the first: the official site is
  // asked one page at a time, never in a burst.
  int pause_ms = 1000;
};

// One line of the download's account, for its progress and its summary.
struct ArchiveEvent {
  int round = 0;
  std::string group;
  ArchiveKind kind = ArchiveKind::kSchedule;
  enum class What { kCached, kFetched, kNoData, kFailed, kRetried } what = What::kCached;
  std::string note;  // why there is no data, or what failed
  // The site answered with this other round's page (no data for the round).
  int other_round = 0;
};

struct ArchiveDownloadReport {
  int total = 0;  // round-and-group pairs in the range
  int done = 0;
  int fetched = 0;                     // files written
  int cached = 0;                      // files that were already there
  std::vector<ArchiveEvent> no_data;   // not published, not held, no final figures
  std::vector<ArchiveEvent> failures;  // still failing after the retry at the end
  bool interrupted = false;
};

class ArchiveDownload {
 public:
  // Fetches the schedule, the final vote status and the result of every
  // round and group in the range that the cache lacks, or holds only in a
  // file it cannot use (damaged, failing its check, of another round or
  // group), which a usable page then replaces.  A round and group
  // without data (not a mini toto round, not held, no final figures yet) is
  // not asked again in the run; a failed request is tried once more at the
  // end.  Every file is cached as it arrives, so a stopped run keeps what it
  // fetched and a new run of the same range goes on where it stopped.
  ArchiveDownloadReport Run(const ArchiveDownloadOptions& options);

  // After each pair: pairs done of total and the milliseconds used so far.
  std::function<void(const ArchiveDownloadReport&, uint32_t elapsed_ms)> on_progress;
  // Every event as it happens.
  std::function<void(const ArchiveEvent&)> on_event;
  // Polled between requests and during the pause; true stops the run.
  std::function<bool()> stop_requested;

 private:
  // One request; the event says how it ended.
  ArchiveEvent Fetch(int round, const std::string& group, ArchiveKind kind);
  bool Pause(int pause_ms);

  bool asked_before_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_ROUND_ARCHIVE_H_
