// The document commands: search, batch, csv and info.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/console_platform.h"
#include "core/single_frame.h"
#include "core/toto_data.h"
#include "engines/engine_settings.h"
#include "engines/search_sequence.h"
#include "files/csv_file.h"
#include "files/document_record.h"
#include "files/tpd_file.h"
#include "official/services.h"
#include "reduction/conditions.h"
#include "reduction/league_targets.h"
#include "support/file_lock.h"
#include "support/paths.h"
#include "support/random.h"
#include "support/text.h"

namespace zelvo {
namespace {

// Ctrl+C or kill during a search stops it at its next poll; its caller then
// saves nothing, since an abort is not the stop button.
class StopOnAbort {
 public:
  StopOnAbort(ConsolePlatform& console, SearchSequence& search) : console_(console) {
    console_.on_yield = [&search] {
      if (AbortSignal() != 0) search.Stop();
    };
  }
  ~StopOnAbort() { console_.on_yield = nullptr; }

 private:
  ConsolePlatform& console_;
};

// The vote status an opened document works with when the file does not
// bring its own: the archived file of an old document, else the cached vote
// status of its round and group, as the round document would load it.
bool ArchivedVote(int round, const DateTime& date, VoteStatusRecord& vote) {
  clsVote service;
  service.Initialize();
  if (!service.GetOldVoteFile(round, date)) return false;
  vote = service.Record();
  return true;
}

std::string MarkSymbol(int mark) {
  static const char* kSymbols[] = {"-", "◎", "○", "▲", "△", "×", "☆"};
  return mark >= 0 && mark <= 6 ? kSymbols[mark] : "?";
}

std::string CellsText(const std::array<uint8_t, 6>& cells) {
  std::string out;
  for (uint8_t c : cells) {
    out += c == kCellAllowed ? "-" : c == kCellExcluded ? "×" : c == kCellTolerated ? "△" : "?";
  }
  return out;
}

void PrintInfo(std::ostream& out, const DocumentRecord& doc) {
  out << "Round: " << doc.Kaisaikai << "\n";
  out << "Group: " << doc.Kumi << "\n";
  const VoteStatusRecord& v = doc.Vote;
  out << "Vote status: ";
  if (v.Kaisaikai <= 0) {
    out << "none\n";
  } else if (v.as_of.IsZero()) {
    out << "ユーザー定義\n";
  } else {
    out << v.as_of.Format(v.as_of == v.sale_end ? "yyyy/mm/dd (最終)" : "yyyy/mm/dd hh:nn") << "\n";
  }
  out << "Multi (outcomes 1 0 2):\n";
  static const int kDisplayOrder[] = {1, 0, 2};
  for (int m = 0; m < 5; ++m) {
    out << "  " << (m + 1) << ":";
    for (int o : kDisplayOrder) out << " " << o << "=" << MarkSymbol(doc.Multi[o][m]);
    if (!v.matches[m].home.empty()) {
      out << "   " << v.matches[m].home << " - " << v.matches[m].away;
    }
    out << "\n";
  }
  PrintOwnProbabilities(out, doc);
  out << "Conditions:\n";
  const ReductionConditions& c = doc.Conditions;
  int active = 0;
  for (int g = 0; g < 3; ++g) {
    if (c.Haitou.Enabled[g] && c.Haitou.Flag[g]) {
      out << "  " << (g + 1) << "等推定金額: " << c.Haitou.Min[g].ToString() << " - "
          << (c.Haitou.Max[g] == Money::FromInt(kHaitouNoLimit) ? std::string("上限なし")
                                                                : c.Haitou.Max[g].ToString())
          << "\n";
      ++active;
    }
  }
  struct Table {
    ConditionTable kind;
    const char* label;
  };
  const auto& groups = ConditionGroupLabels();
  for (Table t : {Table{ConditionTable::kHonmei, "本命"}, Table{ConditionTable::kNinki, "人気"},
                  Table{ConditionTable::kMark, "勝敗"}}) {
    for (int g = 0; g < kConditionGroups; ++g) {
      const ConditionEntry& e = c.Table(t.kind)[g];
      if (!e.A || !e.B) continue;
      for (int r = 0; r < e.N && r < static_cast<int>(e.cells.size()); ++r) {
        bool applies = false;
        for (uint8_t cell : e.cells[r]) applies = applies || cell != kCellAllowed;
        if (!applies) continue;
        std::string matches, outcomes;
        for (int m = 0; m < 5; ++m) matches += e.target_matches[m] ? std::to_string(m + 1) : "";
        for (int o : kDisplayOrder) outcomes += e.target_outcomes[o] ? std::to_string(o) : "";
        out << "  " << t.label << "/" << groups[g] << "/" << e.captions[r] << ": "
            << CellsText(e.cells[r]) << "  (matches " << (matches.empty() ? "none" : matches)
            << ", outcomes " << (outcomes.empty() ? "none" : outcomes) << ")\n";
        ++active;
      }
    }
  }
  if (c.Value.Enabled) {
    const bool ratio = c.Value.Kind == kValueRatio;
    out << "  " << (ratio ? "確率比" : "期待値（100円あたり）") << ": "
        << Money::FromDouble(c.Value.Min).ToString() << " - "
        << (c.Value.Max > 0 ? Money::FromDouble(c.Value.Max).ToString() : std::string("上限なし"))
        << (doc.OwnProbs.set ? "" : "  (no own probabilities: not applied)") << "\n";
    ++active;
  }
  if (c.MachigaiType != 0) {
    std::string ticked;
    for (int b = 0; b < kMachigaiBuckets; ++b) {
      if (!c.MachigaiList[b]) continue;
      if (!ticked.empty()) ticked += ",";
      ticked += b == kMachigaiBuckets - 1 ? std::string("11+") : std::to_string(b);
    }
    out << "  条件間違い補正: mode " << c.MachigaiType << ", counts "
        << (ticked.empty() ? "none" : ticked) << "\n";
    ++active;
  }
  if (active == 0) out << "  none\n";
  const EngineSettings& e = doc.Engine;
  out << "Engine: " << e.MsEngine << " " << EngineChoiceOf(e.MsEngine).caption << "\n";
  if (e.MsEngine == 2 || e.MsEngine == 4) {
    out << "  " << e.BeginCount << "口から検索, " << e.EndCount << "口で検索終了, " << e.EndTime
        << "秒経過後終了(１口)" << (e.ExGrade2 ? ", 購入対象を２等まで拡大" : "")
        << (e.ExGrade3 ? ", 購入対象を３等まで拡大" : "") << "\n";
  } else if (e.MsEngine == 5) {
    out << "  " << e.SeBeginCount << "口を最適化, " << e.SeEndTime << "秒経過後終了\n";
  }
  out << "Extraction: ";
  if (e.ChushutsuFlag) {
    int kind = e.ChushutsuType >= 0 && e.ChushutsuType < kExtractionKindCount ? e.ChushutsuType : 0;
    out << e.ChushutsuCount << " "
        << (e.ChushutsuOrder >= 1 && e.ChushutsuOrder < kExtractionOrderCount
                ? kExtractionOrders[e.ChushutsuOrder]
                : kExtractionKinds[kind].caption)
        << "\n";
  } else {
    out << "off\n";
  }
  out << "Last search: " << doc.MsSingleCount << " singles\n";
  out << "Singles: " << doc.SingleCount << "\n";
}

// Runs the search on an opened document with the log printed as it grows.
// False, with the document unchanged, when the search could not run.
bool RunDocumentSearch(CliContext& ctx, SearchSequence& search, DocumentRecord& doc,
                       bool print_log) {
  search.Log().on_line = [&ctx, print_log](const std::string& line) {
    if (print_log) ctx.out << line << "\n" << std::flush;
  };
  StopOnAbort abort(ctx.console, search);
  bool ok = search.Run(doc);
  search.Log().on_line = nullptr;
  return ok;
}

}  // namespace

void CachedVote(DocumentRecord& doc) {
  if (doc.Kaisaikai <= 0) return;
  clsVote service;
  service.Initialize();
  if (service.GetVote(doc.Kaisaikai, doc.Kumi, kSourceFile, false)) {
    doc.Vote = service.Record();
    if (doc.Vote.Kumi.empty()) doc.Vote.Kumi = doc.Kumi;
  }
}

// Opens a whole document; `dialog` tells the user why one fails.
namespace {

// The J1 and J2 condition groups look at the matches of the round's cached
// schedule, as the window refills them when it shows an opened document.
void CachedLeagueTargets(DocumentRecord& doc) {
  if (doc.Kaisaikai <= 0) return;
  clsSchedule service;
  service.Initialize();
  if (!service.GetSchedule(doc.Kaisaikai, doc.Kumi, kSourceFile, false)) return;
  clsTotoData toto_data;
  FillLeagueTargets(doc.Conditions, service.Record(), toto_data);
}

}  // namespace

bool OpenDocument(clsTFileTPD& tpd, const std::string& path, bool dialog, DocumentRecord& doc) {
  DocumentLoadInfo info;
  if (!LoadDocumentFile(tpd, path, true, dialog, doc, ArchivedVote, &info)) return false;
  if (!info.vote_from_file) CachedVote(doc);
  CachedLeagueTargets(doc);
  return true;
}

int CmdSearch(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string out_path, seed_text;
  bool missing = false;
  TakeOption(args, "-o", out_path, missing);
  bool seeded = TakeOption(args, "--seed", seed_text, missing);
  long long seed = 0;
  if (missing || args.size() != 1 || (seeded && !ParseInt64(seed_text, seed))) {
    ctx.err << "usage: zelvomini-cli search DOC.tpd [-o OUT.tpd] [--seed N]\n";
    return 64;
  }
  if (seeded) SeedRandom(static_cast<uint64_t>(seed));
  // An output that is the document itself is the in-place save.
  if (out_path.empty() || SameFile(out_path, args[0])) {
    if (!CheckOutput(ctx, args[0], {}, true)) return 1;
  } else if (!CheckOutput(ctx, out_path, {args[0]})) {
    return 1;
  }
  // In place, the document is held from its read to its write.
  std::optional<DocumentLock> lock;
  if (out_path.empty() || SameFile(out_path, args[0])) {
    lock.emplace(args[0]);
    if (!lock->Locked()) return 1;
  }
  clsTFileTPD tpd;
  DocumentRecord doc;
  if (!OpenDocument(tpd, args[0], true, doc)) return 1;
  SearchSequence search;
  if (!RunDocumentSearch(ctx, search, doc, true)) {
    ctx.err << "zelvomini-cli: the search failed; " << args[0] << " is unchanged\n";
    return 1;
  }
  std::string target = out_path.empty() ? args[0] : out_path;
  if (AbortedBeforeSave(ctx.err, target)) return AbortExitCode();
  ctx.out << "Singles: " << doc.SingleCount << "\n";
  if (!tpd.SaveFile(target, true, doc, true)) return 1;
  ctx.out << "Saved " << target << "\n";
  return 0;
}

int CmdBatch(CliContext& ctx, const CliArgs& args) {
  if (args.empty()) {
    ctx.err << "usage: zelvomini-cli batch DOC.tpd...\n";
    return 64;
  }
  // The queue holds each file once, however its name reaches it (a link,
  // "./"); names that differ only in letter case are two files here.
  std::vector<std::string> queue;
  for (const std::string& a : args) {
    bool known = false;
    for (const std::string& q : queue) known = known || q == a || SameFile(a, q);
    if (!known) queue.push_back(a);
  }
  clsTFileTPD tpd;
  SearchSequence search;
  int failed = 0;
  size_t done = 0;
  for (; done < queue.size() && AbortSignal() == 0; ++done) {
    const std::string& path = queue[done];
    ctx.out << path << "\t実行中\n" << std::flush;
    DocumentLock lock(path);
    DocumentRecord doc;
    bool ok = lock.Locked() && OpenDocument(tpd, path, false, doc);
    // A failed search saves nothing over the file's singles.
    if (ok) ok = RunDocumentSearch(ctx, search, doc, false);
    if (AbortSignal() != 0) {
      ctx.out << path << "\t中止\n" << std::flush;
      break;
    }
    ok = ok && tpd.SaveFile(path, true, doc, false);
    ctx.out << path << "\t" << (ok ? "成功" : "失敗") << "\n" << std::flush;
    if (!ok) ++failed;
  }
  if (AbortSignal() != 0) {
    // The row under way and every row after it stay as they were.
    ctx.err << "zelvomini-cli: batch interrupted by " << AbortSignalName()
            << "; not run, unchanged:\n";
    for (size_t i = done; i < queue.size(); ++i) ctx.err << "  " << queue[i] << "\n";
    return AbortExitCode();
  }
  return failed ? 1 : 0;
}

int CmdCsv(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  bool add = TakeFlag(args, "--add");
  bool del = TakeFlag(args, "--del");
  auto usage = [&ctx] {
    ctx.err << "usage: zelvomini-cli csv export DOC.tpd OUT.csv\n"
               "       zelvomini-cli csv import DOC.tpd IN.csv [--add | --del]\n";
    return 64;
  };
  if (args.size() != 3 || (add && del)) return usage();
  const std::string& doc_path = args[1];
  const std::string& csv_path = args[2];
  clsTFileTPD tpd;
  clsTFileCSV csv;
  DocumentRecord doc;
  if (args[0] == "export") {
    if (add || del) return usage();
    if (!CheckOutput(ctx, csv_path, {doc_path})) return 1;
    if (!OpenDocument(tpd, doc_path, true, doc)) return 1;
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    if (!csv.CsvSave(csv_path, doc.SingleCount, doc.SingleData)) return 1;
    ctx.out << doc.SingleCount << " singles written to " << csv_path << "\n";
    return 0;
  }
  if (args[0] != "import") return usage();
  if (!CheckOutput(ctx, doc_path, {csv_path}, true)) return 1;
  DocumentLock lock(doc_path);
  if (!lock.Locked()) return 1;
  if (FileExists(doc_path)) {
    if (!OpenDocument(tpd, doc_path, true, doc)) return 1;
  } else if (add || del) {
    ctx.err << "zelvomini-cli: " << doc_path << " does not exist\n";
    return 1;
  } else {
    // A new document from the singles file, on the round and group its
    // name gives, as opening a CSV file in the window makes one.
    ResetToNewDocument(doc);
    std::string group = clsTFileCSV::GetKumi(csv_path);
    if (!group.empty()) doc.Kumi = group;
    int round = clsTFileCSV::GetKaisaikai(csv_path);
    if (round > 0) doc.Kaisaikai = round;
    CachedVote(doc);
  }
  // A file without one readable single (a binary file, another format) is
  // refused by the reader before it can replace the document's singles with
  // none, as the clipboard import refuses such a text.
  int in_file = 0;
  std::vector<int> file_singles;
  if (!csv.CsvLoad(csv_path, in_file, file_singles)) {
    ctx.err << "zelvomini-cli: " << doc_path << " is unchanged\n";
    return 1;
  }
  int count = in_file;
  std::vector<int> singles = std::move(file_singles);
  if (add || del) {
    count = doc.SingleCount;
    singles = doc.SingleData;
    bool ok = add ? csv.CsvAdd(csv_path, count, singles) : csv.CsvDel(csv_path, count, singles);
    if (!ok) return 1;
  }
  singles.resize(static_cast<size_t>(count));
  doc.SingleCount = count;
  doc.SingleData = std::move(singles);
  doc.SingleFrame = CountSingleFrame(doc.SingleData);
  if (AbortedBeforeSave(ctx.err, doc_path)) return AbortExitCode();
  if (!tpd.SaveFile(doc_path, true, doc, true)) return 1;
  ctx.out << "Singles: " << doc.SingleCount << "\n";
  return 0;
}

int CmdInfo(CliContext& ctx, const CliArgs& args) {
  if (args.size() != 1) {
    ctx.err << "usage: zelvomini-cli info DOC.tpd\n";
    return 64;
  }
  clsTFileTPD tpd;
  DocumentRecord doc;
  if (!OpenDocument(tpd, args[0], true, doc)) return 1;
  PrintInfo(ctx.out, doc);
  return 0;
}

}  // namespace zelvo
