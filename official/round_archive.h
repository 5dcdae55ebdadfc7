// The archive of past rounds: what the cache holds of each round and group,
// the complete rounds read back through the services' checks, and a polite
// download of a range of rounds into the cache.
#ifndef ZELVOMINI_OFFICIAL_ROUND_ARCHIVE_H_
#define ZELVOMINI_OFFICIAL_ROUND_ARCHIVE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// What the cache holds of one round and group: a kind is "present" when its
// file exists and "usable" when it also reads and passes the checks.
struct CachedRound {
  int round = 0;
  std::string group;
  bool schedule = false, vote = false, result = false;
  bool schedule_usable = false, vote_usable = false, result_usable = false;

  bool Complete() const { return schedule_usable && vote_usable && result_usable; }
};

// Every round and group with at least one cache file, in round and group
// order; `check` also reads each file (slower) to fill the usable flags.
std::vector<CachedRound> ListCachedRounds(bool check);

// The three records of one round and group from the cache alone; false when
// any of them is missing or unusable.
bool LoadArchivedRound(int round, const std::string& group, ArchivedRound& out);
// Every complete round and group from `from` to `to` (0 = no bound) in the
// given groups ("A", "B").
std::vector<ArchivedRound> LoadArchive(int from, int to, const std::vector<std::string>& groups);

enum class ArchiveKind { kSchedule, kVote, kResult };
const char* ArchiveKindName(ArchiveKind kind);

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
  // round and group in the range that the cache lacks.  A round and group
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
