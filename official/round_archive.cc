#include "official/round_archive.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>

#include "official/official_service.h"
#include "official/services.h"
#include "support/paths.h"
#include "support/platform.h"

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

// The kind's record of a round and group from the cache alone.
template <typename Kind>
bool LoadCached(int round, const std::string& group, typename Kind::Record& out) {
  OfficialService<Kind> service;
  service.Initialize();
  if (!service.Get(round, group, kSourceFile, false)) return false;
  out = service.Record();
  return true;
}

bool IsCached(int round, const std::string& group, ArchiveKind kind) {
  return WithKind(kind, [&](auto k) {
    typename decltype(k)::Record r;
    return LoadCached<decltype(k)>(round, group, r);
  });
}

// Why a kind that was read has nothing to cache, if that is the reason.
const char* NothingToCache(const OfficialService<ScheduleKind>& s) {
  return s.Record().holding_state == kHoldingCancelled ? "round cancelled" : nullptr;
}
// An interim status is never cached: the sale has not ended.
const char* NothingToCache(const OfficialService<VoteKind>&) { return "no final vote status yet"; }
const char* NothingToCache(const OfficialService<ResultKind>&) { return nullptr; }

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

const KindTexts& TextsOf(ArchiveKind kind) { return kKindTexts[static_cast<int>(kind)]; }

}  // namespace

const char* ArchiveKindName(ArchiveKind kind) { return TextsOf(kind).name; }

std::vector<CachedRound> ListCachedRounds(bool check) {
  std::map<std::pair<int, std::string>, CachedRound> found;
  for (int k = 0; k < 3; ++k) {
    std::error_code ec;
    std::filesystem::directory_iterator it(SysDataPath(kKindTexts[k].files.folder), ec), end;
    const std::regex name(std::string(kKindTexts[k].files.prefix) + "([0-9]{1,4})_([AB])\\.xml");
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
      r.schedule_usable = r.schedule && IsCached(r.round, r.group, ArchiveKind::kSchedule);
      r.vote_usable = r.vote && IsCached(r.round, r.group, ArchiveKind::kVote);
      r.result_usable = r.result && IsCached(r.round, r.group, ArchiveKind::kResult);
    }
    list.push_back(r);
  }
  return list;
}

bool LoadArchivedRound(int round, const std::string& group, ArchivedRound& out) {
  ArchivedRound r;
  if (!LoadCached<ScheduleKind>(round, group, r.schedule) ||
      !LoadCached<VoteKind>(round, group, r.vote) ||
      !LoadCached<ResultKind>(round, group, r.result)) {
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
  ArchiveEvent e{round, group, kind, ArchiveEvent::What::kFailed, "download failed"};
  WithKind(kind, [&](auto k) {
    using Kind = decltype(k);
    OfficialService<Kind> service;
    service.Initialize();
    const bool ok = service.Get(round, group, kSourceDownload, false);
    const char* nothing = ok ? NothingToCache(service) : nullptr;
    if (ok && FileExists(Kind::Xml::GetFileName(round, group))) {
      e.what = ArchiveEvent::What::kFetched;
      e.note.clear();
    } else if (service.OtherRound() != 0) {
      e.what = ArchiveEvent::What::kNoData;
      e.other_round = service.OtherRound();
      e.note = "the site answered with round " + std::to_string(e.other_round) + "'s page";
    } else if (service.Unpublished() || nothing) {
      e.what = ArchiveEvent::What::kNoData;
      e.note = service.Unpublished() ? TextsOf(kind).unpublished : nothing;
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
    for (ArchiveKind kind : {ArchiveKind::kSchedule, ArchiveKind::kVote, ArchiveKind::kResult}) {
      if (IsCached(p.round, p.group, kind)) {
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
