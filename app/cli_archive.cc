// The archive commands: past rounds into the cache, what it holds, and the
// backtest of a strategy over them.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/cli_json.h"
#include "app/console_platform.h"
#include "core/single_number.h"
#include "core/toto_data.h"
#include "files/tpd_file.h"
#include "model/backtest_probabilities.h"
#include "official/round_archive.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }
std::string Yen(Money m) { return FormatNumber(m, "#,##0"); }

std::vector<std::string> Groups(const std::string& text) {
  return text == "both" ? std::vector<std::string>{"A", "B"} : std::vector<std::string>{text};
}

std::string Duration(uint32_t ms) {
  uint32_t s = (ms + 999) / 1000;
  if (s < 60) return std::to_string(s) + " s";
  return std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
}

std::string ProgramRelative(const std::string& path) {
  const std::string& dir = ProgramDir();
  return path.starts_with(dir + "/") ? path.substr(dir.size() + 1) : path;
}

// A file of an archive that cannot be used, and why.
std::string LeftOutLine(const CachedFile& f) {
  std::string why =
      f.state == CacheFileState::kDamaged ? "is damaged" : "does not pass the checks of its kind";
  if (f.state == CacheFileState::kMisfiled) {
    why = "holds round " + std::to_string(f.held_round) +
          (f.held_group.empty() ? "" : " group " + f.held_group) + ", not its own";
  }
  return ProgramRelative(f.path) + " " + why;
}

const char* kMadeUpWords = "made up for trying the program, not history";

int ArchiveList(CliContext& ctx, const CliArgs& args) {
  const bool sample = args.Has("--sample");
  std::vector<CachedRound> rounds =
      ListCachedRounds(sample ? ArchiveSource::kSample : ArchiveSource::kCache);
  int complete = 0, made_up = 0;
  std::vector<std::string> left_out;
  for (const CachedRound& r : rounds) {
    // A made-up round is never counted with the real ones.
    if (r.Complete() && !r.made_up) ++complete;
    if (r.made_up) ++made_up;
    for (const CachedFile& f : r.files) {
      if (f.Present() && !f.Usable() && f.state != CacheFileState::kNotHeld) {
        left_out.push_back(LeftOutLine(f));
      }
    }
  }
  if (args.json()) {
    auto kind = [](const CachedRound& r, ArchiveKind k) {
      const CachedFile& f = r.File(k);
      return !f.Present()
                 ? Json(nullptr)
                 : Json(f.Usable() || f.state == CacheFileState::kNotHeld ? "usable" : "unusable");
    };
    Json list = Json::array();
    for (const CachedRound& r : rounds) {
      list.push_back({{"round", r.round},
                      {"group", r.group},
                      {"schedule", kind(r, ArchiveKind::kSchedule)},
                      {"vote", kind(r, ArchiveKind::kVote)},
                      {"result", kind(r, ArchiveKind::kResult)},
                      {"complete", r.Complete()},
                      {"made_up", r.made_up}});
    }
    PrintJson(ctx.out, {{"archive", sample ? "sample" : "cache"},
                        {"rounds", list},
                        {"count", rounds.size()},
                        {"complete", complete},
                        {"made_up", made_up},
                        {"left_out", left_out}});
    return 0;
  }
  if (rounds.empty()) {
    ctx.out << (sample ? "The sample archive holds no round.\n" : "The cache holds no round.\n");
    return 0;
  }
  auto kind = [](const CachedRound& r, ArchiveKind k) {
    const CachedFile& f = r.File(k);
    std::string s = !f.Present() ? "-"
                    : f.Usable() || f.state == CacheFileState::kNotHeld
                        ? ArchiveKindName(k)
                        : std::string(ArchiveKindName(k)) + "(unusable)";
    return PadCutColumns(s, 18);
  };
  if (sample) ctx.out << "The made-up sample rounds (" << kMadeUpWords << ")\n";
  ctx.out << "Round Group " << PadCutColumns("Schedule", 18) << PadCutColumns("Vote", 18)
          << PadCutColumns("Result", 18) << "\n";
  for (const CachedRound& r : rounds) {
    ctx.out << PadLeftColumns(std::to_string(r.round), 5) << " " << PadCutColumns(r.group, 6)
            << kind(r, ArchiveKind::kSchedule) << kind(r, ArchiveKind::kVote)
            << kind(r, ArchiveKind::kResult)
            << (r.made_up ? (r.Complete() ? "made up" : "made up, incomplete")
                          : (r.Complete() ? "complete" : ""))
            << "\n";
  }
  if (sample) {
    ctx.out << rounds.size() << " made-up rounds and groups; backtest --sample replays them\n";
  } else {
    ctx.out << rounds.size() << " rounds and groups in the cache, " << complete
            << " complete (schedule, final vote status and result)\n";
    if (made_up > 0) {
      ctx.out << made_up << " of them are copies of the shipped made-up rounds (" << kMadeUpWords
              << "): the backtest leaves them out, --sample replays the made-up rounds\n";
    }
    if (complete == 0) {
      ctx.out << "No real complete round: the backtest replays the made-up sample rounds "
                 "(archive list --sample) until archive download fetches real ones\n";
    }
  }
  if (!left_out.empty()) {
    ctx.out << "Left out (" << left_out.size() << " files the cache cannot use):\n";
    for (const std::string& line : left_out) ctx.out << "  " << line << "\n";
  }
  return 0;
}

int ArchiveDownloadCommand(CliContext& ctx, const CliArgs& args) {
  const std::vector<std::string> groups = Groups(args.Get("--group", "both"));
  const int from = static_cast<int>(args.Int("FROM"));
  const int to = static_cast<int>(args.Int("TO"));
  const double pause_s = args.Number("--pause", 1.0);
  if (to < from) return UsageError(ctx, args, "TO is before FROM");
  ArchiveDownloadOptions options;
  options.from = from;
  options.to = to;
  options.groups = groups;
  options.pause_ms = static_cast<int>(pause_s * 1000);
  int pairs = (to - from + 1) * static_cast<int>(groups.size());
  std::string question = "第" + std::to_string(from) + "回から第" + std::to_string(to) +
                         "回までのデータ（" + std::to_string(pairs) +
                         "組）をインターネットよりダウンロードします。よろしいですか？";
  if (platform().MessageBox(question, " 過去回データ", MsgIcon::kQuestion, MsgButtons::kYesNo) !=
      MsgAnswer::kYes) {
    ctx.out << "Nothing downloaded.\n";
    return 1;
  }

  const bool terminal = isatty(STDERR_FILENO) && &ctx.err == &std::cerr;
  ArchiveDownload download;
  // Ctrl+C ends the run between two requests: what was fetched is cached.
  download.stop_requested = [] { return AbortSignal() != 0; };
  download.on_event = [&ctx](const ArchiveEvent& e) {
    if (e.what == ArchiveEvent::What::kCached) return;
    const char* what = e.what == ArchiveEvent::What::kFetched   ? "fetched"
                       : e.what == ArchiveEvent::What::kRetried ? "fetched on retry"
                       : e.what == ArchiveEvent::What::kNoData  ? "no data"
                                                                : "failed, tried again later";
    ctx.out << e.round << " " << e.group << " " << ArchiveKindName(e.kind) << ": " << what
            << (e.note.empty() || e.what == ArchiveEvent::What::kFailed ? "" : " (" + e.note + ")")
            << "\n"
            << std::flush;
  };
  download.on_progress = [&ctx, terminal](const ArchiveDownloadReport& r, uint32_t elapsed) {
    uint32_t left =
        r.done > 0
            ? static_cast<uint32_t>(static_cast<double>(elapsed) / r.done * (r.total - r.done))
            : 0;
    std::ostringstream line;
    line << "[" << r.done << "/" << r.total << "] " << r.fetched << " files fetched, about "
         << Duration(left) << " left";
    if (terminal) {
      ctx.err << "\r" << line.str() << "\x1b[K" << std::flush;
      if (r.done == r.total) ctx.err << "\n";
    } else {
      ctx.err << line.str() << "\n";
    }
  };
  ArchiveDownloadReport report = download.Run(options);
  if (terminal && report.done < report.total) ctx.err << "\n";

  ctx.out << "Rounds and groups: " << report.done << " of " << report.total << " done; "
          << report.fetched << " files fetched, " << report.cached << " already cached\n";
  if (!report.no_data.empty()) {
    ctx.out << "Without data (" << report.no_data.size() << "):\n";
    for (const ArchiveEvent& e : report.no_data) {
      ctx.out << "  " << e.round << " " << e.group << " " << ArchiveKindName(e.kind) << ": "
              << e.note << "\n";
    }
  }
  if (!report.failures.empty()) {
    ctx.out << "Failed (" << report.failures.size() << "), run the same range again later:\n";
    for (const ArchiveEvent& e : report.failures) {
      ctx.out << "  " << e.round << " " << e.group << " " << ArchiveKindName(e.kind) << " ("
              << e.note << ")\n";
    }
  }
  if (report.interrupted) {
    ctx.err << "zelvomini-cli: interrupted; what was fetched is cached, the same command goes "
               "on from there\n";
    return AbortSignal() != 0 ? AbortExitCode() : 130;
  }
  return report.failures.empty() ? 0 : 1;
}

const char* MultiName(BacktestMulti m) {
  switch (m) {
    case BacktestMulti::kVoteOrder:
      return "vote order (全て投票率順でマーク)";
    case BacktestMulti::kAll:
      return "all 243 singles";
    case BacktestMulti::kDocument:
      break;
  }
  return "the strategy's own multi";
}

std::string Percent(int part, int whole) {
  return whole > 0 ? FormatNumber(100.0 * part / whole, "##0.0") + "%" : "-";
}

// The per-round table as CSV, in the program's file encoding; the last
// column marks the made-up rounds, so that a spreadsheet never takes them
// for history.
std::string BacktestCsv(const BacktestReport& report, bool made_up) {
  std::string text =
      "round,group,kept,stake,won,prize,prize_estimated,result,winner_estimate,favourites,"
      "popularity1,popularity2,popularity3,made_up\r\n";
  for (const BacktestRound& r : report.rounds) {
    text += std::to_string(r.round) + "," + r.group + "," + std::to_string(r.kept) + "," +
            std::to_string(r.stake) + "," + (r.winning_kept > 0 ? "1" : "0") + "," +
            r.prize.ToString() + "," + (r.prize_estimated ? "1" : "0") + "," + r.result_digits +
            "," + r.winner_estimate.ToString() + "," + std::to_string(r.favourites) + "," +
            std::to_string(r.popularity[0]) + "," + std::to_string(r.popularity[1]) + "," +
            std::to_string(r.popularity[2]) + (made_up ? ",1" : ",0") + "\r\n";
  }
  return text;
}

Json BacktestJson(const BacktestReport& report, const std::string& strategy, bool conditions_file,
                  BacktestMulti multi, const ArchiveLoad& load, int model_rounds) {
  Json rounds = Json::array();
  for (const BacktestRound& r : report.rounds) {
    rounds.push_back({{"round", r.round},
                      {"group", r.group},
                      {"kept", r.kept},
                      {"stake", r.stake},
                      {"won", r.winning_kept > 0},
                      {"prize", r.winning_kept > 0 ? MoneyJson(r.prize) : Json(0)},
                      {"prize_estimated", r.prize_estimated},
                      {"result", r.result_digits},
                      {"winner_estimate", MoneyJson(r.winner_estimate)},
                      {"favourites", r.favourites},
                      {"popularity", r.popularity},
                      {"time_limited", r.time_limited}});
  }
  Json passed = Json::array();
  for (const BacktestShare& s : report.shares) {
    passed.push_back({{"label", s.label}, {"passed", s.passed}, {"rounds", s.rounds}});
  }
  return {{"strategy", strategy},
          {"conditions_file", conditions_file},
          {"multi", MultiName(multi)},
          {"seed", report.seed},
          {"made_up", load.MadeUp()},
          {"made_up_left_out", load.made_up_left_out},
          {"model_rounds", model_rounds >= 0 ? Json(model_rounds) : Json(nullptr)},
          {"rounds", rounds},
          {"count", report.rounds.size()},
          {"skipped", report.skipped},
          {"hits", report.hits},
          {"stake", report.stake},
          {"returned", MoneyJson(report.returned)},
          {"per_100", report.ReturnPer100()},
          {"longest_without_win", report.longest_without_win},
          {"time_limited", report.time_limited},
          {"own_probabilities_missing", report.own_probabilities_missing},
          {"passed", passed},
          {"interrupted", report.interrupted}};
}

int CmdBacktest(CliContext& ctx, const CliArgs& args) {
  const std::string range_text = args.Get("--rounds");
  const bool ranged = args.Has("--rounds");
  const std::string multi_text = args.Get("--multi", "vote-order");
  const std::string csv_path = args.Get("--csv");
  // Each round's engine search is bounded (0: no bound).
  const double round_seconds = args.Number("--round-time", 10);
  int from = 0, to = 0;
  if (ranged) args.Range("--rounds", from, to);
  const long long seed = args.Int("--seed", 1);
  const std::vector<std::string> groups = Groups(args.Get("--group", "both"));
  BacktestOptions options;
  options.multi = multi_text == "all"   ? BacktestMulti::kAll
                  : multi_text == "doc" ? BacktestMulti::kDocument
                                        : BacktestMulti::kVoteOrder;
  const std::string strategy_path = args.Get("STRATEGY");
  if (!csv_path.empty() && !CheckOutput(ctx, csv_path, {strategy_path})) return 1;
  const bool conditions_file = strategy_path.size() >= 4 &&
                               EqualsNoCase(strategy_path.substr(strategy_path.size() - 4), ".tpj");
  clsTFileTPD tpd;
  DocumentRecord strategy;
  if (!LoadDocumentFile(tpd, strategy_path, !conditions_file, true, strategy)) return 64;
  options.seed = static_cast<uint64_t>(seed);
  options.round_seconds = round_seconds;

  const bool sample = args.Has("--sample");
  const ArchiveLoad load = SelectArchive(from, to, groups, sample);
  for (const CachedFile& f : load.left_out) ctx.err << "left out: " << LeftOutLine(f) << "\n";
  if (load.rounds.empty()) {
    ctx.err << "zelvomini-cli: " << (load.MadeUp() ? "the sample archive" : "the cache")
            << " holds no complete round" << (ranged ? " in " + range_text : std::string())
            << " (see archive list" << (load.MadeUp() ? " --sample" : "") << ")\n";
    return 1;
  }
  clsTotoData toto_data;
  const bool probs = args.Has("--probs");
  auto predicted = std::make_shared<int>(0);
  if (probs) {
    std::vector<std::string> refused;
    options.own_probabilities = ModelProbabilitiesPerRound(toto_data, predicted, &refused);
    // A history file the model could not read leaves its matches out of
    // every fit: said here as the archive's files left out are, not only
    // by `model history`.
    for (const std::string& r : refused) ctx.err << "history left out: " << r << "\n";
  }
  const int& model_rounds = *predicted;
  // Ctrl+C stops within the round in progress; the rounds done are shown.
  options.stop_requested = [] { return AbortSignal() != 0; };
  const bool terminal = isatty(STDERR_FILENO) && &ctx.err == &std::cerr;
  const std::string limit =
      options.round_seconds > 0
          ? ", at most " + ExactDecimalText(options.round_seconds) + " s of engine search a round"
          : "";
  BacktestReport report =
      RunBacktest(strategy, load.rounds, options, toto_data, [&](int done, int total) {
        std::ostringstream line;
        line << "[" << done << "/" << total << "] rounds replayed" << limit;
        if (terminal) {
          ctx.err << "\r" << line.str() << "\x1b[K" << (done == total ? "\n" : "") << std::flush;
        } else {
          ctx.err << line.str() << "\n" << std::flush;
        }
        return true;
      });
  if (terminal && report.interrupted) ctx.err << "\n";
  // 0, or the status of a CSV file that could not be written.
  auto save = [&]() -> int {
    if (csv_path.empty()) return 0;
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    return WriteTextFile(csv_path, BacktestCsv(report, load.MadeUp())) ? 0 : 1;
  };
  if (args.json()) {
    if (report.interrupted) {
      PrintJson(ctx.out, BacktestJson(report, strategy_path, conditions_file, options.multi, load,
                                      probs ? model_rounds : -1));
      ctx.err << "zelvomini-cli: backtest interrupted by " << AbortSignalName()
              << (csv_path.empty() ? "" : "; " + csv_path + " is not written") << "\n";
      return AbortExitCode();
    }
    if (int rc = save()) return rc;
    PrintJson(ctx.out, BacktestJson(report, strategy_path, conditions_file, options.multi, load,
                                    probs ? model_rounds : -1));
    return 0;
  }

  ctx.out << "Strategy: " << strategy_path
          << (conditions_file ? " (conditions file: conditions and multi)"
                              : " (document: conditions, engine and extraction)")
          << "\n";
  ctx.out << "Multi: " << MultiName(options.multi) << "; engine seed " << report.seed << "\n";
  if (probs) {
    ctx.out << "Own probabilities: the goal model's, fitted before each round on the matches "
               "before its first match day ("
            << model_rounds << " of " << report.rounds.size() + report.skipped
            << " rounds; a match of clubs it does not know takes the round's public vote rates)\n";
  }
  if (load.MadeUp()) {
    ctx.out << "Rounds: the made-up sample rounds (" << kMadeUpWords << ")"
            << (sample ? "" : "; the cache holds no real complete round") << "\n";
  } else if (load.made_up_left_out > 0) {
    ctx.out << "Rounds: the cache's; " << load.made_up_left_out
            << " copies of the made-up rounds left out (--sample replays those)\n";
  }
  ctx.out << "\n";
  ctx.out << "Round Grp  Kept    Stake Won        Prize Result  Estimate ◎ Pop1/2/3\n";
  for (const BacktestRound& r : report.rounds) {
    ctx.out << PadLeftColumns(std::to_string(r.round), 5) << " " << PadCutColumns(r.group, 3)
            << PadLeftColumns(Count(r.kept), 5) << PadLeftColumns(Count(r.stake), 9) << " "
            << PadCutColumns(r.winning_kept > 0 ? "yes" : "-", 3)
            << PadLeftColumns(
                   r.winning_kept > 0 ? Yen(r.prize) + (r.prize_estimated ? "*" : "") : "0", 13)
            << " " << PadCutColumns(r.result_digits, 6)
            << PadLeftColumns(Yen(r.winner_estimate), 10) << " " << r.favourites << " "
            << r.popularity[0] << "/" << r.popularity[1] << "/" << r.popularity[2]
            << (r.time_limited ? "  (time limit)" : "") << "\n";
  }
  const int n = static_cast<int>(report.rounds.size());
  ctx.out << "\nRounds: " << n << (load.MadeUp() ? " made up" : "");
  if (report.skipped > 0) ctx.out << " (" << report.skipped << " cancelled rounds left out)";
  ctx.out << "\nHits: " << report.hits << " (" << Percent(report.hits, n) << ")\n";
  ctx.out << "Stake: " << Count(report.stake) << " yen\n";
  ctx.out << "Return: " << Yen(report.returned) << " yen, "
          << FormatNumber(report.ReturnPer100(), "0.00") << " yen per 100 yen staked\n";
  ctx.out << "Longest run without a win: " << report.longest_without_win << " rounds\n";
  bool estimated = false;
  for (const BacktestRound& r : report.rounds) estimated = estimated || r.prize_estimated;
  if (estimated) {
    ctx.out << "* nobody won officially (carried over): the payout estimate of the final votes "
               "stands in\n";
  }
  if (report.time_limited > 0) {
    ctx.out << "Rounds whose engine reached the time limit: " << report.time_limited
            << " (it bought its best selection so far; --round-time sets the limit)\n";
  }
  if (report.own_probabilities_missing && !probs) {
    ctx.out << "Own probabilities: none for these rounds (a document's own belong to its own "
               "round's matches), so the value condition kept every single and an extraction by "
               "expected value or probability drew at random\n";
  }
  ctx.out << "\nThe winning single passed:\n";
  for (const BacktestShare& s : report.shares) {
    ctx.out << "  " << PadCutColumns(s.label, 40) << PadLeftColumns(Count(s.passed), 5) << " of "
            << s.rounds << "  " << Percent(s.passed, s.rounds) << "\n";
  }
  if (report.interrupted) {
    ctx.err << "zelvomini-cli: backtest interrupted by " << AbortSignalName() << " after "
            << report.rounds.size() + report.skipped << " of " << load.rounds.size()
            << " rounds; the table shows those done"
            << (csv_path.empty() ? "" : ", " + csv_path + " is not written") << "\n";
    return AbortExitCode();
  }
  if (int rc = save()) return rc;
  if (!csv_path.empty()) ctx.out << "Saved " << csv_path << "\n";
  return 0;
}

}  // namespace

CliCommand ArchiveCommand() {
  return {
      .name = "archive",
      .summary = "past rounds in the cache",
      .subcommands = {
          {.name = "list",
           .summary = "the rounds and groups the cache holds, which are complete",
           .options = {{"--sample", "", {}, "the shipped made-up sample rounds instead"}},
           .json = "An object: archive (\"cache\" or \"sample\"), rounds (round, group, and "
                   "schedule, vote and result each \"usable\", \"unusable\" or null when not "
                   "there, complete, made_up), count, complete (real rounds with a schedule, the "
                   "final vote status and the result), made_up (copies of the made-up rounds) "
                   "and left_out (the files that cannot be used, and why).",
           .run = ArchiveList},
          {.name = "download",
           .summary = "fetch past rounds into the cache",
           .args = {{"FROM", {CliKind::kRound}}, {"TO", {CliKind::kRound}}},
           .options = {{"--group", "A|B|both", {CliKind::kGroups}, "the groups (both by default)"},
                       {"--pause",
                        "S",
                        {CliKind::kSeconds, {}, 0, 600},
                        "seconds between two requests (1 by default)"},
                       {"--yes", "", {}, "download without asking first"}},
           .details = "Asks first, then fetches the schedule, vote status and result of each "
                      "round and group the cache lacks.  Interrupted, it keeps what was fetched: "
                      "the same command goes on from there.",
           .exits = {{1, "declined, or some files failed (run the same range again later)"}},
           .run = ArchiveDownloadCommand}}};
}

CliCommand BacktestCommand() {
  return {.name = "backtest",
          .summary = "replay a strategy over the complete cached rounds",
          .args = {{"STRATEGY",
                    {CliKind::kStrategy},
                    CliCount::kOne,
                    "a document (its conditions, engine and extraction) or a conditions file "
                    "(conditions and multi)"}},
          .options =
              {{"--rounds", "FROM-TO", {CliKind::kRange}, "only these rounds"},
               {"--group", "A|B|both", {CliKind::kGroups}, "the groups (both by default)"},
               {"--multi",
                "vote-order|all|doc",
                {CliKind::kWord, {"vote-order", "all", "doc"}},
                "the multi of each round: everything marked in vote order (the default), "
                "all 243 singles, or the strategy's own"},
               {"--csv", "OUT.csv", {CliKind::kCsv}, "also write the table per round"},
               {"--seed", "N", {CliKind::kInt, {}, 0}, "the engines' random seed (1 by default)"},
               {"--round-time",
                "S",
                {CliKind::kSeconds, {}, 0, 3600},
                "seconds an engine may search in one round, 10 by default, 0 for no limit"},
               {"--sample", "", {}, "the made-up sample rounds, never mixed with the cache's"},
               {"--probs",
                "model",
                {CliKind::kWord, {"model"}},
                "each round's own probabilities from the goal model fitted before it"}},
          .details =
              "Prints a line per round (singles kept, stake, whether the winning single "
              "was kept and what it paid), the totals, and how often the winning single "
              "passed each condition.  Ctrl+C stops within the round in progress and shows "
              "the rounds done.",
          .exits = {{1,
                     "the cache holds no complete round in the range, or the CSV file cannot "
                     "be written"},
                    {64, "the strategy file cannot be read"}},
          .json =
              "An object: strategy, conditions_file, multi, seed, made_up (the rounds are the "
              "made-up sample rounds), made_up_left_out, model_rounds (with --probs model, the "
              "rounds the goal model priced; else null), rounds (round, group, kept, "
              "stake, won, prize, prize_estimated, result, winner_estimate, favourites, "
              "popularity: three counts, time_limited), count, skipped, hits, stake, returned, "
              "per_100, longest_without_win, time_limited (rounds whose engine reached the "
              "limit), own_probabilities_missing, passed (label, passed, rounds) and "
              "interrupted.",
          .run = CmdBacktest};
}

}  // namespace zelvo
