#include "official/round_archive.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>

#include "official/official_service.h"
#include "official/result.h"
#include "official/schedule.h"
#include "official/vote.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

struct KindFolder {
  const char* folder;
  const char* prefix;
};

constexpr KindFolder kFolders[] = {{"minitoto_Schedule", "minitoto_schedule_"},
                                   {"minitoto_Vote", "minitoto_vote_"},
                                   {"minitoto_Result", "minitoto_result_"}};

bool LoadSchedule(int round, const std::string& group, ScheduleRecord& out) {
  clsSchedule service;
  service.Initialize();
  if (!service.GetSchedule(round, group, kSourceFile, false)) return false;
  out = service.Record();
  return true;
}

bool LoadVote(int round, const std::string& group, VoteStatusRecord& out) {
  clsVote service;
  service.Initialize();
  if (!service.GetVote(round, group, kSourceFile, false)) return false;
  out = service.Record();
  return true;
}

bool LoadResult(int round, const std::string& group, ResultRecord& out) {
  clsResult service;
  service.Initialize();
  if (!service.GetResult(round, group, kSourceFile, false)) return false;
  out = service.Record();
  return true;
}

}  // namespace

const char* ArchiveKindName(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::kSchedule:
      return "schedule";
    case ArchiveKind::kVote:
      return "vote";
    case ArchiveKind::kResult:
      break;
  }
  return "result";
}

std::vector<CachedRound> ListCachedRounds(bool check) {
  std::map<std::pair<int, std::string>, CachedRound> found;
  for (int k = 0; k < 3; ++k) {
    std::error_code ec;
    std::filesystem::directory_iterator it(SysDataPath(kFolders[k].folder), ec), end;
    const std::regex name(std::string(kFolders[k].prefix) + "([0-9]{1,4})_([AB])\\.xml");
    for (; !ec && it != end; it.increment(ec)) {
      std::smatch m;
      std::string file = it->path().filename().string();
      if (!std::regex_match(file, m, name)) continue;
      int round = std::stoi(m[1].str());
      CachedRound& r = found[{round, m[2].str()}];
      r.round = round;
      r.group = m[2].str();
      (k == 0 ? r.schedule : k == 1 ? r.vote : r.result) = true;
    }
  }
  std::vector<CachedRound> list;
  for (auto& [key, r] : found) {
    if (check) {
      ScheduleRecord s;
      VoteStatusRecord v;
      ResultRecord res;
      r.schedule_usable = r.schedule && LoadSchedule(r.round, r.group, s);
      r.vote_usable = r.vote && LoadVote(r.round, r.group, v);
      r.result_usable = r.result && LoadResult(r.round, r.group, res);
    }
    list.push_back(r);
  }
  return list;
}

bool LoadArchivedRound(int round, const std::string& group, ArchivedRound& out) {
  ArchivedRound r;
  if (!LoadSchedule(round, group, r.schedule) || !LoadVote(round, group, r.vote) ||
      !LoadResult(round, group, r.result)) {
    return false;
  }
  out = std::move(r);
  return true;
}

std::vector<ArchivedRound> LoadArchive(int from, int to, const std::vector<std::string>& groups) {
  std::vector<ArchivedRound> rounds;
  for (const CachedRound& c : ListCachedRounds(false)) {
    if ((from > 0 && c.round < from) || (to > 0 && c.round > to)) continue;
    if (std::find(groups.begin(), groups.end(), c.group) == groups.end()) continue;
    if (!c.schedule || !c.vote || !c.result) continue;
    ArchivedRound r;
    if (LoadArchivedRound(c.round, c.group, r)) rounds.push_back(std::move(r));
  }
  return rounds;
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
  ArchiveEvent e;
  e.round = round;
  e.group = group;
  e.kind = kind;
  e.what = ArchiveEvent::What::kFailed;
  const int mode = kSourceDownload;
  switch (kind) {
    case ArchiveKind::kSchedule: {
      clsSchedule service;
      service.Initialize();
      bool ok = service.GetSchedule(round, group, mode, false);
      if (ok && service.CheckScheduleFile(round, group)) {
        e.what = ArchiveEvent::What::kFetched;
      } else if (service.Unpublished()) {
        e.what = ArchiveEvent::What::kNoData;
        e.note = "no mini toto schedule published";
      } else if (ok && service.Record().holding_state == kHoldingCancelled) {
        e.what = ArchiveEvent::What::kNoData;
        e.note = "round cancelled";
      } else {
        e.note = "download failed";
      }
      break;
    }
    case ArchiveKind::kVote: {
      clsVote service;
      service.Initialize();
      bool ok = service.GetVote(round, group, mode, false);
      if (ok && service.CheckVoteFile(round, group)) {
        e.what = ArchiveEvent::What::kFetched;
      } else if (ok || service.Unpublished()) {
        // An interim status is never cached: the sale has not ended.
        e.what = ArchiveEvent::What::kNoData;
        e.note = ok ? "no final vote status yet" : "no vote status published";
      } else {
        e.note = "download failed";
      }
      break;
    }
    case ArchiveKind::kResult: {
      clsResult service;
      service.Initialize();
      bool ok = service.GetResult(round, group, mode, false);
      if (ok && service.CheckResultFile(round, group)) {
        e.what = ArchiveEvent::What::kFetched;
      } else if (service.Unpublished()) {
        e.what = ArchiveEvent::What::kNoData;
        e.note = "no result published yet";
      } else {
        e.note = "download failed";
      }
      break;
    }
  }
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

  auto is_cached = [](int round, const std::string& group, ArchiveKind kind) {
    switch (kind) {
      case ArchiveKind::kSchedule: {
        ScheduleRecord r;
        return LoadSchedule(round, group, r);
      }
      case ArchiveKind::kVote: {
        VoteStatusRecord r;
        return LoadVote(round, group, r);
      }
      case ArchiveKind::kResult:
        break;
    }
    ResultRecord r;
    return LoadResult(round, group, r);
  };

  for (const Pair& p : pairs) {
    for (ArchiveKind kind : {ArchiveKind::kSchedule, ArchiveKind::kVote, ArchiveKind::kResult}) {
      if (is_cached(p.round, p.group, kind)) {
        ++report.cached;
        note({p.round, p.group, kind, ArchiveEvent::What::kCached, ""});
        continue;
      }
      if (!Pause(options.pause_ms)) {
        report.interrupted = true;
        return report;
      }
      ArchiveEvent e = Fetch(p.round, p.group, kind);
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
