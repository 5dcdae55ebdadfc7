// The archive commands: past rounds into the cache, what it holds, and the
// backtest of a strategy over them.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/console_platform.h"
#include "core/single_number.h"
#include "core/toto_data.h"
#include "files/tpd_file.h"
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

bool ParseGroups(const std::string& text, std::vector<std::string>& groups) {
  if (text == "A" || text == "B") {
    groups = {text};
  } else if (text == "both") {
    groups = {"A", "B"};
  } else {
    return false;
  }
  return true;
}

bool ParseRange(const std::string& text, int& from, int& to) {
  size_t dash = text.find('-');
  if (dash == std::string::npos) {
    if (!ParseInt32(text, from) || from < 1) return false;
    to = from;
    return true;
  }
  return ParseInt32(text.substr(0, dash), from) && ParseInt32(text.substr(dash + 1), to) &&
         from >= 1 && to >= from;
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

int ArchiveList(CliContext& ctx, ArchiveSource source) {
  std::vector<CachedRound> rounds = ListCachedRounds(source);
  const bool sample = source == ArchiveSource::kSample;
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
  int complete = 0, made_up = 0;
  std::vector<std::string> left_out;
  if (sample) ctx.out << "The made-up sample rounds (" << kMadeUpWords << ")\n";
  ctx.out << "Round Group " << PadCutColumns("Schedule", 18) << PadCutColumns("Vote", 18)
          << PadCutColumns("Result", 18) << "\n";
  for (const CachedRound& r : rounds) {
    // A made-up round is never counted with the real ones.
    if (r.Complete() && !r.made_up) ++complete;
    if (r.made_up) ++made_up;
    ctx.out << PadLeftColumns(std::to_string(r.round), 5) << " " << PadCutColumns(r.group, 6)
            << kind(r, ArchiveKind::kSchedule) << kind(r, ArchiveKind::kVote)
            << kind(r, ArchiveKind::kResult)
            << (r.made_up ? (r.Complete() ? "made up" : "made up, incomplete")
                          : (r.Complete() ? "complete" : ""))
            << "\n";
    for (const CachedFile& f : r.files) {
      if (f.Present() && !f.Usable() && f.state != CacheFileState::kNotHeld) {
        left_out.push_back(LeftOutLine(f));
      }
    }
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

int ArchiveDownloadCommand(CliContext& ctx, CliArgs args) {
  std::string group_text = "both", pause_text;
  bool missing = false;
  TakeOption(args, "--group", group_text, missing);
  bool paused = TakeOption(args, "--pause", pause_text, missing);
  std::vector<std::string> groups;
  int from = 0, to = 0;
  double pause_s = 1.0;
  if (missing || args.size() != 2 || !ParseInt32(args[0], from) || !ParseInt32(args[1], to) ||
      from < 1 || to < from || to > 9999 || !ParseGroups(group_text, groups) ||
      (paused && (!ParseSeconds(pause_text, pause_s) || pause_s < 0 || pause_s > 600))) {
    ctx.err << "usage: zelvomini-cli archive download FROM TO [--group A|B|both] [--pause S]\n"
               "       (rounds 1 to 9999, a pause of S seconds between requests, 1 by default)\n";
    return 64;
  }
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

}  // namespace

bool ParseSeconds(const std::string& text, double& value) {
  return !text.starts_with("-") && ParseExactDecimal(text, value);
}

int CmdArchive(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  if (!args.empty() && args[0] == "list") {
    args.erase(args.begin());
    const bool sample = TakeFlag(args, "--sample");
    if (args.empty())
      return ArchiveList(ctx, sample ? ArchiveSource::kSample : ArchiveSource::kCache);
  }
  if (!args.empty() && args[0] == "download") {
    args.erase(args.begin());
    return ArchiveDownloadCommand(ctx, args);
  }
  ctx.err << "usage: zelvomini-cli archive list [--sample] | archive download FROM TO "
             "[--group A|B|both] [--pause S]\n";
  return 64;
}

int CmdBacktest(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string range_text, group_text = "both", multi_text = "vote-order", csv_path, seed_text;
  std::string round_time_text = "10";
  bool missing = false;
  bool ranged = TakeOption(args, "--rounds", range_text, missing);
  TakeOption(args, "--group", group_text, missing);
  TakeOption(args, "--multi", multi_text, missing);
  TakeOption(args, "--csv", csv_path, missing);
  bool seeded = TakeOption(args, "--seed", seed_text, missing);
  TakeOption(args, "--round-time", round_time_text, missing);
  const bool sample = TakeFlag(args, "--sample");
  std::string probs_text;
  const bool probs = TakeOption(args, "--probs", probs_text, missing);
  int from = 0, to = 0;
  long long seed = 1;
  std::vector<std::string> groups;
  BacktestOptions options;
  if (multi_text == "vote-order") {
    options.multi = BacktestMulti::kVoteOrder;
  } else if (multi_text == "all") {
    options.multi = BacktestMulti::kAll;
  } else if (multi_text == "doc") {
    options.multi = BacktestMulti::kDocument;
  } else {
    missing = true;
  }
  if (missing || args.size() != 1 || (ranged && !ParseRange(range_text, from, to)) ||
      !ParseGroups(group_text, groups) || (seeded && (!ParseInt64(seed_text, seed) || seed < 0)) ||
      !ParseSeconds(round_time_text, options.round_seconds) || options.round_seconds > 3600 ||
      (probs && probs_text != "model")) {
    ctx.err << "usage: zelvomini-cli backtest STRATEGY.tpd|.tpj [--rounds FROM-TO] "
               "[--group A|B|both]\n"
               "       [--multi vote-order|all|doc] [--csv OUT.csv] [--seed N] [--round-time S]\n"
               "       [--sample] [--probs model]\n"
               "       (--round-time: seconds an engine may search in one round, 10 by default,\n"
               "        0 for no limit; --sample: the made-up sample rounds, never mixed with the\n"
               "        cache's)\n";
    return 64;
  }
  const std::string& strategy_path = args[0];
  if (!csv_path.empty() && !CheckOutput(ctx, csv_path, {strategy_path})) return 1;
  const bool conditions_file = strategy_path.size() >= 4 &&
                               EqualsNoCase(strategy_path.substr(strategy_path.size() - 4), ".tpj");
  clsTFileTPD tpd;
  DocumentRecord strategy;
  if (!LoadDocumentFile(tpd, strategy_path, !conditions_file, true, strategy)) return 64;
  options.seed = static_cast<uint64_t>(seed);

  const ArchiveLoad load = SelectArchive(from, to, groups, sample);
  for (const CachedFile& f : load.left_out) ctx.err << "left out: " << LeftOutLine(f) << "\n";
  if (load.rounds.empty()) {
    ctx.err << "zelvomini-cli: " << (load.MadeUp() ? "the sample archive" : "the cache")
            << " holds no complete round" << (ranged ? " in " + range_text : std::string())
            << " (see archive list" << (load.MadeUp() ? " --sample" : "") << ")\n";
    return 1;
  }
  clsTotoData toto_data;
  int model_rounds = 0;
  if (probs) ModelProbsPerRound(toto_data, options, model_rounds);
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
  if (!csv_path.empty()) {
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    if (!WriteTextFile(csv_path, BacktestCsv(report, load.MadeUp()))) return 1;
    ctx.out << "Saved " << csv_path << "\n";
  }
  return 0;
}

}  // namespace zelvo
