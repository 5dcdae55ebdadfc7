#include "matchday/purchase.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "files/tpd_file.h"
#include "official/official_service.h"
#include "official/services.h"
#include "support/output_target.h"
#include "support/paths.h"

namespace zelvo {
namespace {

bool IsDocumentName(const std::string& name) {
  if (name.size() < 5) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return ext == ".tpd";
}

}  // namespace

bool ReadPurchaseDocument(const std::string& path, PurchaseDocument& doc, std::string& error) {
  clsTFileTPD tpd;
  DocumentRecord record;
  DocumentLoadInfo info;
  auto old_vote = [](int round, const DateTime& date, VoteStatusRecord& vote) {
    clsVote service;
    service.Initialize();
    if (!service.GetOldVoteFile(round, date)) return false;
    vote = service.Record();
    return true;
  };
  if (!LoadDocumentFile(tpd, path, true, false, record, old_vote, &info)) {
    error = FileNamePart(path) +
            (info.wrong_type ? " はZelvo miniの文書ではありません。" : " を読み込めませんでした。");
    if (!info.fault.empty() && !info.wrong_type) error += "（" + info.fault + "）";
    return false;
  }
  if (!info.vote_from_file) CachedRoundVote(record.Kaisaikai, record.Kumi, record.Vote);
  doc = PurchaseFromDocument(record, path);
  return true;
}

PurchaseDocument PurchaseFromDocument(const DocumentRecord& record, const std::string& path) {
  PurchaseDocument doc;
  doc.path = path;
  doc.name = path.empty() ? "（新規文書）" : FileNamePart(path);
  doc.round = record.Kaisaikai;
  doc.group = record.Kumi;
  // A damaged record may hold more entries than its count, or numbers
  // outside 0 to 242: only what makes sense as singles is bought.
  const size_t count =
      std::min(static_cast<size_t>(std::max(record.SingleCount, 0)), record.SingleData.size());
  for (size_t i = 0; i < count; ++i) {
    if (record.SingleData[i] >= 0 && record.SingleData[i] < kSingles) {
      doc.singles.push_back(record.SingleData[i]);
    }
  }
  doc.own = record.OwnProbs;
  doc.vote = record.Vote;
  return doc;
}

std::vector<std::string> FolderDocuments(const std::string& folder) {
  std::vector<std::string> files;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (IsDocumentName(name) && it->is_regular_file(ec)) files.push_back(JoinPath(folder, name));
  }
  std::sort(files.begin(), files.end());
  return files;
}

int AddFolderDocuments(MatchDay& day, const std::string& folder,
                       std::vector<std::string>& skipped) {
  int added = 0;
  for (const std::string& path : FolderDocuments(folder)) {
    const bool held =
        std::any_of(day.Documents().begin(), day.Documents().end(),
                    [&](const PurchaseDocument& d) { return SameFile(path, d.path); });
    if (held) continue;
    PurchaseDocument doc;
    std::string error;
    if (!ReadPurchaseDocument(path, doc, error)) {
      skipped.push_back(error);
      continue;
    }
    if (!day.Documents().empty() && (doc.round != day.Round() || doc.group != day.Group())) {
      skipped.push_back(doc.name + "（第" + std::to_string(doc.round) + "回" + doc.group + "組）");
      continue;
    }
    if (day.AddDocument(std::move(doc), error)) {
      ++added;
    } else {
      skipped.push_back(error);
    }
  }
  return added;
}

bool MadeUpSampleRound(int round, const std::string& group, ArchivedRound* records) {
  if (round <= 0) return false;
  ArchivedRound read;
  const CachedRound cached = ReadArchivedRound(ArchiveSource::kSample, round, group, read);
  if (!cached.Complete()) return false;
  // The user's cache speaks for a round it holds anything of: the samples
  // only stand in for rounds that were never downloaded.
  ArchivedRound unused;
  const CachedRound own = ReadArchivedRound(ArchiveSource::kCache, round, group, unused);
  for (const CachedFile& f : own.files) {
    if (f.Present() && !f.made_up) return false;
  }
  if (records) *records = std::move(read);
  return true;
}

namespace {

// The kind's record from the user's cache, or else from the made-up sample
// round the cache never held (a missing file reads as nothing, quietly).
template <typename Service, typename Record>
bool CachedOrSample(int round, const std::string& group, Record ArchivedRound::*in_sample,
                    Record& out) {
  if (round <= 0) return false;
  Service service;
  service.Initialize();
  if (service.Get(round, group, kSourceFile, false)) {
    out = service.Record();
    return true;
  }
  ArchivedRound sample;
  if (!MadeUpSampleRound(round, group, &sample)) return false;
  out = sample.*in_sample;
  return true;
}

}  // namespace

bool CachedRoundVote(int round, const std::string& group, VoteStatusRecord& vote) {
  if (!CachedOrSample<clsVote>(round, group, &ArchivedRound::vote, vote)) return false;
  if (vote.Kumi.empty()) vote.Kumi = group;
  return true;
}

bool CachedRoundSchedule(int round, const std::string& group, ScheduleRecord& schedule) {
  return CachedOrSample<clsSchedule>(round, group, &ArchivedRound::schedule, schedule);
}

bool CachedRoundResult(int round, const std::string& group, ResultRecord& result) {
  return CachedOrSample<clsResult>(round, group, &ArchivedRound::result, result) &&
         result.Kaisaikai > 0;
}

bool UseCachedRoundData(MatchDay& day) {
  VoteStatusRecord vote;
  if (CachedRoundVote(day.Round(), day.Group(), vote)) day.SetVote(vote);
  ResultRecord result;
  if (!CachedRoundResult(day.Round(), day.Group(), result)) return false;
  day.SetOfficialResult(result);
  return true;
}

}  // namespace zelvo
