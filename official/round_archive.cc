#include "official/round_archive.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "official/official_service.h"
#include "official/services.h"
#include "support/data_location.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

// Calls `fn` with an empty value of the kind's description, for code that
// is the same for every kind but its types.
template <typename Fn>
auto WithKind(ArchiveKind kind, Fn fn) {
  switch (kind) {
    case ArchiveKind::kSchedule:
      return fn(ScheduleKind{});
    case ArchiveKind::kVote:
      return fn(VoteKind{});
    case ArchiveKind::kResult:
      break;
  }
  return fn(ResultKind{});
}

// Where each kind's files lie, its name in the account, and why a round
// has none of it.
struct KindTexts {
  const FileNames& files;
  const char* name;
  const char* unpublished;
};
constexpr KindTexts kKindTexts[] = {
    {ScheduleForm::kNames, "schedule", "no mini toto schedule published"},
    {VoteForm::kNames, "vote", "no vote status published"},
    {ResultForm::kNames, "result", "no result published yet"}};
constexpr ArchiveKind kKinds[] = {ArchiveKind::kSchedule, ArchiveKind::kVote, ArchiveKind::kResult};

const KindTexts& TextsOf(ArchiveKind kind) { return kKindTexts[static_cast<int>(kind)]; }

std::string FilePath(ArchiveSource source, ArchiveKind kind, int round, const std::string& group) {
  const FileNames& names = TextsOf(kind).files;
  return OfficialFilePath(ArchiveRoot(source), names.folder, names.prefix, round, group);
}

// Whether a cache file is the shipped made-up file of its name, copied into
// the cache by the first start of earlier versions (or the sample round the
// cache ships): the same bytes as the sample archive's.
bool IsMadeUpCopy(const std::string& path, ArchiveKind kind, int round, const std::string& group) {
  std::string ours, shipped;
  return ReadFileBytes(FilePath(ArchiveSource::kSample, kind, round, group), shipped) &&
         ReadFileBytes(path, ours) && ours == shipped;
}

// PREFIX, then a round of one to four digits, "_", A or B and ".xml".
bool ParseRoundFileName(std::string_view file, std::string_view prefix, int& round,
                        std::string& group) {
  if (!file.starts_with(prefix) || !file.ends_with(".xml")) return false;
  file.remove_prefix(prefix.size());
  file.remove_suffix(4);
  if (file.size() < 3 || file[file.size() - 2] != '_') return false;
  const char g = file.back();
  if (g != 'A' && g != 'B') return false;
  const std::string_view digits = file.substr(0, file.size() - 2);
  if (digits.size() > 4) return false;
  round = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    round = round * 10 + (c - '0');
  }
  group.assign(1, g);
  return true;
}

// Every round and group with at least one file in the archive, in round and
// group order.
std::vector<std::pair<int, std::string>> RoundsIn(ArchiveSource source) {
  std::map<std::pair<int, std::string>, bool> found;
  for (ArchiveKind kind : kKinds) {
    const FileNames& names = TextsOf(kind).files;
    std::error_code ec;
    std::filesystem::directory_iterator it(JoinPath(ArchiveRoot(source), names.folder), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      int round = 0;
      std::string group;
      if (ParseRoundFileName(it->path().filename().string(), names.prefix, round, group)) {
        found[{round, group}] = true;
      }
    }
  }
  std::vector<std::pair<int, std::string>> rounds;
  for (const auto& [key, present] : found) rounds.push_back(key);
  return rounds;
}

}  // namespace

const char* ArchiveKindName(ArchiveKind kind) { return TextsOf(kind).name; }

// Reads and checks the three files of a round and group as the services do
// and against the round and group they are filed under; `records` takes
// the usable ones.
CachedRound ReadArchivedRound(ArchiveSource source, int round, const std::string& group,
                              ArchivedRound& records) {
  CachedRound c;
  c.round = round;
  c.group = group;
  auto check = [&](auto kind_desc, ArchiveKind kind, auto& record) {
    CachedFile& f = c.files[static_cast<int>(kind)];
    f.kind = kind;
    f.path = FilePath(source, kind, round, group);
    const CacheFileCheck check =
        OfficialSource<decltype(kind_desc)>::CheckFile(f.path, round, group, record);
    f.state = check.state;
    f.held_round = check.held_round;
    f.held_group = check.held_group;
    f.made_up = f.Present() &&
                (source == ArchiveSource::kSample || IsMadeUpCopy(f.path, kind, round, group));
    c.made_up = c.made_up || f.made_up;
  };
  check(ScheduleKind{}, ArchiveKind::kSchedule, records.schedule);
  check(VoteKind{}, ArchiveKind::kVote, records.vote);
  check(ResultKind{}, ArchiveKind::kResult, records.result);
  return c;
}

std::string ArchiveRoot(ArchiveSource source) {
  return source == ArchiveSource::kSample ? SampleArchiveDir() : SysDataPath();
}

bool CachedRound::Complete() const {
  return std::all_of(files.begin(), files.end(), [](const CachedFile& f) { return f.Usable(); });
}

std::vector<CachedRound> ListCachedRounds(ArchiveSource source) {
  std::vector<CachedRound> list;
  for (const auto& [round, group] : RoundsIn(source)) {
    ArchivedRound records;
    list.push_back(ReadArchivedRound(source, round, group, records));
  }
  return list;
}

ArchiveLoad LoadArchive(int from, int to, const std::vector<std::string>& groups,
                        ArchiveSource source) {
  ArchiveLoad load;
  load.source = source;
  for (const auto& [round, group] : RoundsIn(source)) {
    if ((from > 0 && round < from) || (to > 0 && round > to)) continue;
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) continue;
    ArchivedRound records;
    const CachedRound c = ReadArchivedRound(source, round, group, records);
    if (source == ArchiveSource::kCache && c.made_up) {
      // Fiction beside history: the sample archive is where it is used.
      ++load.made_up_left_out;
      continue;
    }
    for (const CachedFile& f : c.files) {
      if (f.Present() && !f.Usable() && f.state != CacheFileState::kNotHeld) {
        load.left_out.push_back(f);
      }
    }
    if (c.Complete()) load.rounds.push_back(std::move(records));
  }
  return load;
}

ArchiveLoad SelectArchive(int from, int to, const std::vector<std::string>& groups, bool sample) {
  ArchiveLoad cache;
  if (!sample) {
    cache = LoadArchive(from, to, groups, ArchiveSource::kCache);
    if (!cache.rounds.empty() ||
        !LoadArchive(0, 0, {"A", "B"}, ArchiveSource::kCache).rounds.empty()) {
      return cache;
    }
  }
  ArchiveLoad made_up = LoadArchive(from, to, groups, ArchiveSource::kSample);
  // The cache's files that cannot be used are still named.
  made_up.left_out = std::move(cache.left_out);
  return made_up;
}

bool ArchiveDownload::Pause(int pause_ms) {
  if (asked_before_ && pause_ms > 0) {
    // In short steps, so that a stop is heard during a long pause.
    uint32_t start = platform().TickCount();
    while (platform().TickCount() - start < static_cast<uint32_t>(pause_ms)) {
      if (stop_requested && stop_requested()) return false;
      uint32_t left = static_cast<uint32_t>(pause_ms) - (platform().TickCount() - start);
      platform().Sleep(static_cast<int>(std::min<uint32_t>(left, 100)));
    }
  }
  asked_before_ = true;
  return !(stop_requested && stop_requested());
}

ArchiveEvent ArchiveDownload::Fetch(int round, const std::string& group, ArchiveKind kind) {
  ArchiveEvent e{round, group, kind, ArchiveEvent::What::kFailed, "download failed"};
  WithKind(kind, [&](auto kind_desc) {
    OfficialService<decltype(kind_desc)> service;
    service.Initialize();
    const bool ok = service.Get(round, group, kSourceDownload, false);
    if (ok && service.Saved()) {
      e.what = ArchiveEvent::What::kFetched;
      e.note.clear();
    } else if (service.OtherRound() != 0) {
      e.what = ArchiveEvent::What::kNoData;
      e.other_round = service.OtherRound();
      e.note = "the site answered with round " + std::to_string(e.other_round) + "'s page";
    } else if (service.Unpublished()) {
      e.what = ArchiveEvent::What::kNoData;
      e.note = TextsOf(kind).unpublished;
    } else if (ok && service.Interim()) {
      // An interim status is never cached: the sale has not ended.
      e.what = ArchiveEvent::What::kNoData;
      e.note = "no final vote status yet";
    } else if (ok) {
      // A usable page that could not be written (reported as it failed).
      e.note = "could not be cached";
    }
    return 0;
  });
  return e;
}

ArchiveDownloadReport ArchiveDownload::Run(const ArchiveDownloadOptions& options) {
  ArchiveDownloadReport report;
  asked_before_ = false;
  const uint32_t start = platform().TickCount();
  struct Pair {
    int round;
    std::string group;
  };
  std::vector<Pair> pairs;
  for (int round = std::max(1, options.from); round <= options.to; ++round) {
    for (const std::string& g : options.groups) pairs.push_back({round, g});
  }
  report.total = static_cast<int>(pairs.size());
  std::vector<ArchiveEvent> retry;
  auto note = [this](const ArchiveEvent& e) {
    if (on_event) on_event(e);
  };

  for (const Pair& p : pairs) {
    ArchivedRound held;
    const CachedRound cached = ReadArchivedRound(ArchiveSource::kCache, p.round, p.group, held);
    for (ArchiveKind kind : kKinds) {
      const CachedFile& file = cached.File(kind);
      if (file.Usable()) {
        ++report.cached;
        note({p.round, p.group, kind, ArchiveEvent::What::kCached, ""});
        continue;
      }
      if (file.state == CacheFileState::kNotHeld) {
        // The user's mark stands: nothing to ask the site about.
        ArchiveEvent e{p.round, p.group, kind, ArchiveEvent::What::kNoData, "marked as not held"};
        note(e);
        report.no_data.push_back(e);
        break;
      }
      if (!Pause(options.pause_ms)) {
        report.interrupted = true;
        return report;
      }
      ArchiveEvent e = Fetch(p.round, p.group, kind);
      // A file the cache could not use is no data; the page took its place.
      if (e.what == ArchiveEvent::What::kFetched && file.Present()) {
        e.note = "replaced an unusable cached file";
      }
      note(e);
      if (e.what == ArchiveEvent::What::kFetched) {
        ++report.fetched;
      } else if (e.what == ArchiveEvent::What::kNoData) {
        // Nothing more to ask about this round and group in this run.
        report.no_data.push_back(e);
        break;
      } else {
        retry.push_back(e);
      }
    }
    ++report.done;
    if (on_progress) on_progress(report, platform().TickCount() - start);
  }

  for (size_t i = 0; i < retry.size(); ++i) {
    if (!Pause(options.pause_ms)) {
      report.interrupted = true;
      report.failures.insert(report.failures.end(), retry.begin() + i, retry.end());
      return report;
    }
    ArchiveEvent e = Fetch(retry[i].round, retry[i].group, retry[i].kind);
    e.what = e.what == ArchiveEvent::What::kFetched ? ArchiveEvent::What::kRetried : e.what;
    note(e);
    if (e.what == ArchiveEvent::What::kRetried) {
      ++report.fetched;
    } else if (e.what == ArchiveEvent::What::kNoData) {
      report.no_data.push_back(e);
    } else {
      report.failures.push_back(e);
    }
  }
  return report;
}

}  // namespace zelvo
