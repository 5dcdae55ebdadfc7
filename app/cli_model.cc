// The model command: the goal model's history, its probabilities for a
// round beside the public's vote rates, and its evaluation on matches it has
// not seen.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/backtest.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "core/round_document.h"
#include "core/toto_data.h"
#include "model/evaluation.h"
#include "model/history_sources.h"
#include "model/round_model.h"
#include "support/format.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

int Usage(CliContext& ctx) {
  ctx.err << "usage: zelvomini-cli model [history]\n"
             "       zelvomini-cli model add FILE.csv...\n"
             "       zelvomini-cli model predict ROUND GROUP\n"
             "       zelvomini-cli model evaluate --test FILE.csv... [--history FILE.csv...]\n"
             "                                   [--csv OUT.csv] [--half-life DAYS]\n"
             "       (FILE.csv: results as shipped, with the columns match_date, home_team,\n"
             "        home_goal, away_goal, away_team and status)\n";
  return 64;
}

std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }
std::string Pct(double p) { return FormatNumber(p * 100, "##0.0") + "%"; }
std::string Fixed(double v, const char* pattern = "0.0000") { return FormatNumber(v, pattern); }
std::string Signed(double v, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.*f", decimals, v);
  return buf;
}

// The values after `flag` up to the next option; false when the flag is
// absent.  `missing` when it is given with no value.
bool TakeList(CliArgs& args, const std::string& flag, std::vector<std::string>& values,
              bool& missing) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != flag) continue;
    size_t j = i + 1;
    while (j < args.size() && !args[j].starts_with("--")) values.push_back(args[j++]);
    if (values.empty()) missing = true;
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(j));
    return !values.empty();
  }
  return false;
}

void PrintSummary(std::ostream& out, const LoadedHistory& h) {
  const HistorySummary& s = h.summary;
  const std::vector<HistoryMatch>& all = h.history.Matches();
  out << "History: " << Count(static_cast<int64_t>(h.history.size())) << " matches";
  if (!all.empty())
    out << " from " << DayText(all.front().day) << " to " << DayText(all.back().day);
  out << "\n  shipped results: " << s.shipped_files << " files, " << Count(s.shipped_matches)
      << " matches (" << ShippedHistoryDir() << ")\n"
      << "  archive result pages: " << s.archive_rounds << " rounds, " << s.archive_matches
      << " matches\n"
      << "  added results: " << s.added_files << " files, " << Count(s.added_matches)
      << " matches (" << AddedHistoryDir() << ")\n";
  for (const std::string& r : s.refused) out << "  refused: " << r << "\n";
}

int ModelHistory(CliContext& ctx) {
  clsTotoData toto;
  PrintSummary(ctx.out, *LoadHistory(toto));
  return 0;
}

int ModelAdd(CliContext& ctx, const CliArgs& files) {
  if (files.empty()) return Usage(ctx);
  clsTotoData toto;
  const std::shared_ptr<const LoadedHistory> before = LoadHistory(toto);
  int failed = 0;
  for (const std::string& path : files) {
    if (AbortSignal() != 0) return AbortExitCode();
    std::vector<HistoryMatch> read;
    std::string error;
    if (!AddResultsFile(path, toto, read, error)) {
      ctx.err << "zelvomini-cli: " << error << "\n";
      ++failed;
      continue;
    }
    int played = 0, fresh = 0;
    MatchHistory grown = before->history;
    for (const HistoryMatch& m : read) {
      if (!m.Played()) continue;
      ++played;
      // New when the history had no match of that pair on that day.
      fresh += grown.Add(m) ? 1 : 0;
    }
    ctx.out << path << ": " << played << " finished matches, " << fresh
            << " not in the history before; kept in " << AddedHistoryDir() << "\n";
  }
  return failed ? 1 : 0;
}

bool ParseRound(const CliArgs& args, int& round, std::string& group) {
  return args.size() == 2 && ParseInt32(args[0], round) && round >= 1 && round <= 9999 &&
         (args[1] == "A" || args[1] == "B") && (group = args[1], true);
}

void PrintPrediction(std::ostream& out, const RoundPrediction& p, const RoundMatches& matches,
                     const VoteStatusRecord& vote, const LoadedHistory& history) {
  (void)history;
  out << "Model: Dixon-Coles fitted on " << Count(p.history_matches) << " matches before "
      << DayText(p.fit_day) << "\n";
  bool has_vote = false;
  for (const VoteMatch& vm : vote.matches) {
    for (const VoteOutcome& o : vm.outcomes) has_vote = has_vote || o.rate > Money();
  }
  out << "  No  " << PadCutColumns("Home - Away", 24) << PadCutColumns("Model 1/0/2", 22)
      << (has_vote ? PadCutColumns("Public 1/0/2", 22) : "") << "Expected goals\n";
  for (int m = 0; m < 5; ++m) {
    out << "  " << m + 1 << "   " << PadCutColumns(matches[m].home + " - " + matches[m].away, 24);
    if (p.predicted[m]) {
      const MatchPrediction& mp = p.matches[m];
      out << PadCutColumns(Pct(mp.p[1]) + " " + Pct(mp.p[0]) + " " + Pct(mp.p[2]), 22);
    } else {
      out << PadCutColumns("-", 22);
    }
    if (has_vote) {
      const auto& o = vote.matches[m].outcomes;
      out << PadCutColumns(FormatNumber(o[1].rate, "##0.0") + "% " +
                               FormatNumber(o[0].rate, "##0.0") + "% " +
                               FormatNumber(o[2].rate, "##0.0") + "%",
                           22);
    }
    if (p.predicted[m]) {
      out << Fixed(p.matches[m].home_goals, "0.00") << " - "
          << Fixed(p.matches[m].away_goals, "0.00");
    }
    out << "\n";
  }
  for (int m = 0; m < 5; ++m) {
    if (!p.predicted[m]) {
      out << "Left to you: match " << m + 1 << " (" << p.unknown[m]
          << ": not in the history and in no league the tables know)\n";
    }
  }
}

// The round's five matches from the cache: the schedule, else the vote status.
bool RoundFromCache(CliContext& ctx, int round, const std::string& group, RoundMatches& matches,
                    VoteStatusRecord& vote) {
  clsTMain doc;
  doc.Initialize();
  doc.SetKumi(group);
  doc.SetKaisaikai(round);
  vote = doc.Vote();
  if (doc.Schedule().Kaisaikai == round) {
    matches = MatchesOf(doc.Schedule());
  } else if (vote.Kaisaikai == round) {
    matches = MatchesOf(vote);
  } else {
    ctx.err << "zelvomini-cli: the cache holds no schedule of round " << round << " group " << group
            << " (zelvomini-cli download schedule " << round << " " << group << ")\n";
    return false;
  }
  return true;
}

int ModelPredict(CliContext& ctx, const CliArgs& args) {
  int round = 0;
  std::string group;
  if (!ParseRound(args, round, group)) return Usage(ctx);
  RoundMatches matches;
  VoteStatusRecord vote;
  if (!RoundFromCache(ctx, round, group, matches, vote)) return 1;
  clsTotoData toto;
  std::shared_ptr<const LoadedHistory> history = LoadHistory(toto);
  const RoundPrediction p = PredictRound(matches, *history, toto);
  if (!p.ok) {
    ctx.err << "zelvomini-cli: round " << round << " " << group << ": " << p.error << "\n";
    return 1;
  }
  ctx.out << "Round " << round << " group " << group << "\n";
  PrintPrediction(ctx.out, p, matches, vote, *history);
  return 0;
}

void PrintScores(std::ostream& out, const char* name, const ScoreTotals& t) {
  out << "  " << PadCutColumns(name, 14) << PadLeftColumns(Fixed(t.MeanLogLoss()), 9)
      << PadLeftColumns(Fixed(t.MeanRps()), 9) << PadLeftColumns(Fixed(t.MeanBrier()), 9) << "\n";
}

void PrintCalibration(std::ostream& out, const Calibration& c) {
  out << "  Predicted   Count  Mean predicted  Observed\n";
  for (int b = 0; b < 10; ++b) {
    const CalibrationBin& bin = c[b];
    char range[16];
    std::snprintf(range, sizeof range, "%.1f-%.1f", b / 10.0, (b + 1) / 10.0);
    out << "  " << PadCutColumns(range, 9) << PadLeftColumns(Count(bin.count), 8);
    if (bin.count > 0) {
      out << PadLeftColumns(Fixed(bin.MeanPredicted(), "0.000"), 16)
          << PadLeftColumns(Fixed(bin.Observed(), "0.000"), 10);
    }
    out << "\n";
  }
}

void PrintEvaluation(std::ostream& out, const EvaluationReport& r) {
  if (!r.matches.empty()) {
    out << "Test: " << Count(static_cast<int64_t>(r.matches.size())) << " matches from "
        << DayText(r.matches.front().match.day) << " to " << DayText(r.matches.back().match.day)
        << ", " << r.refits << " monthly refits in " << Fixed(r.seconds, "0.00") << " s\n";
  } else {
    out << "Test: no match could be predicted\n";
  }
  out << "Skipped: " << r.SkippedCount() << "\n";
  for (const auto& [why, count] : r.skipped) out << "  " << count << " " << why << "\n";
  if (r.matches.empty()) return;
  out << "  " << PadCutColumns("", 14) << PadLeftColumns("Log loss", 9) << PadLeftColumns("RPS", 9)
      << PadLeftColumns("Brier", 9) << "\n";
  PrintScores(out, "Model", r.model);
  PrintScores(out, "Base rates", r.base);
  PrintScores(out, "Uniform", r.uniform);
  const double base_rps = r.base.MeanRps();
  out << "Model against the base rates: log loss "
      << Signed(r.model.MeanLogLoss() - r.base.MeanLogLoss(), 4) << ", RPS "
      << Signed(base_rps > 0 ? (r.model.MeanRps() / base_rps - 1) * 100 : 0, 2) << "%\n";
  out << "Calibration of the model (each outcome of each match):\n";
  PrintCalibration(out, r.calibration);
  if (r.public_votes.matches == 0) {
    out << "Public's vote rates: no archived round with final vote rates covers a test match\n";
    return;
  }
  out << "Over the " << r.public_votes.matches
      << " test matches of archived rounds, against the public's final vote rates:\n";
  PrintScores(out, "Model", r.public_model);
  PrintScores(out, "Public", r.public_votes);
  PrintScores(out, "Base rates", r.public_base);
  PrintScores(out, "Uniform", r.public_uniform);
  out << "Calibration of the public's vote rates:\n";
  PrintCalibration(out, r.public_calibration);
}

int ModelEvaluate(CliContext& ctx, CliArgs args) {
  std::vector<std::string> test_files, history_files;
  std::string csv_path, half_life_text;
  bool missing = false;
  const bool has_test = TakeList(args, "--test", test_files, missing);
  const bool own_history = TakeList(args, "--history", history_files, missing);
  const bool csv = TakeOption(args, "--csv", csv_path, missing);
  const bool half_life = TakeOption(args, "--half-life", half_life_text, missing);
  GoalModelOptions options = DefaultGoalModelOptions();
  int days = 0;
  if (missing || !has_test || !args.empty() ||
      (half_life && (!ParseInt32(half_life_text, days) || days < 7 || days > 10000))) {
    return Usage(ctx);
  }
  if (half_life) options.half_life_days = days;
  std::vector<std::string> inputs = test_files;
  inputs.insert(inputs.end(), history_files.begin(), history_files.end());
  if (!own_history) {
    for (const std::string& f : HistoryFiles()) inputs.push_back(f);
  }
  if (csv && !CheckOutput(ctx, csv_path, inputs)) return 1;

  clsTotoData toto;
  const ClubNames names(&toto);
  std::vector<HistoryMatch> test;
  for (const std::string& path : test_files) {
    std::string refusal;
    if (!ReadResultsFile(path, names, test, refusal)) {
      ctx.err << "zelvomini-cli: " << path << ": " << refusal << "\n";
      return 1;
    }
  }
  MatchHistory history;
  if (own_history) {
    for (const std::string& path : history_files) {
      std::vector<HistoryMatch> read;
      std::string refusal;
      if (!ReadResultsFile(path, names, read, refusal)) {
        ctx.err << "zelvomini-cli: " << path << ": " << refusal << "\n";
        return 1;
      }
      for (const HistoryMatch& m : read) history.Add(m);
    }
    ctx.out << "History: " << Count(static_cast<int64_t>(history.size())) << " matches from "
            << history_files.size() << " files\n";
  } else {
    std::shared_ptr<const LoadedHistory> loaded = LoadHistory(toto);
    history = loaded->history;
    PrintSummary(ctx.out, *loaded);
  }
  ctx.out << "Model: half-life " << options.half_life_days << " days, a past season counting "
          << options.season_carry << " as much, refitted monthly\n";
  const EvaluationReport report = EvaluateRolling(history, test, options, ArchivedVoteRates(toto),
                                                  [](int, int) { return AbortSignal() == 0; });
  if (AbortSignal() != 0) {
    ctx.err << "zelvomini-cli: evaluation interrupted; nothing written\n";
    return AbortExitCode();
  }
  PrintEvaluation(ctx.out, report);
  if (csv) {
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    if (!WriteFileBytes(csv_path, EvaluationCsv(report), false)) {
      ctx.err << "zelvomini-cli: " << csv_path << ": " << LastWriteError() << "\n";
      return 1;
    }
    ctx.out << "Written: " << csv_path << " (" << report.matches.size() << " matches)\n";
  }
  return 0;
}

}  // namespace

bool OwnProbabilitiesFromModel(CliContext& ctx, DocumentRecord& doc) {
  RoundMatches matches;
  VoteStatusRecord vote = doc.Vote;
  if (doc.Vote.Kaisaikai > 0 && !doc.Vote.matches[0].home.empty()) {
    matches = MatchesOf(doc.Vote);
  } else if (!RoundFromCache(ctx, doc.Kaisaikai, doc.Kumi, matches, vote)) {
    return false;
  }
  clsTotoData toto;
  std::shared_ptr<const LoadedHistory> history = LoadHistory(toto);
  const RoundPrediction p = PredictRound(matches, *history, toto);
  if (!p.ok || p.PredictedCount() == 0) {
    ctx.err << "zelvomini-cli: round " << doc.Kaisaikai << " " << doc.Kumi << ": "
            << (p.ok ? "the model knows none of the clubs" : p.error) << "\n";
    return false;
  }
  PrintPrediction(ctx.out, p, matches, vote, *history);
  const OwnProbabilities keep = doc.OwnProbs;
  doc.OwnProbs = OwnProbabilitiesFromModel(p, keep, vote);
  for (int m = 0; m < 5; ++m) {
    if (p.predicted[m]) continue;
    ctx.out << "Match " << m + 1 << " keeps "
            << (keep.set ? "the document's own probabilities" : "the public's vote rates")
            << " until you set it (probs --set, or the window)\n";
  }
  return true;
}

void ModelProbsPerRound(const clsTotoData& toto, BacktestOptions& options, int& rounds_predicted) {
  std::shared_ptr<const LoadedHistory> history = LoadHistory(toto);
  // The strategy's own probabilities are its own round's and never stand in
  // for another round's matches: a match the model cannot price takes the
  // round's public vote rates, a round it knows nothing of has none.
  options.own_probabilities = [history, &toto, &rounds_predicted](const ArchivedRound& r) {
    // The round's clubs and dates only: its result is not looked at.
    const RoundPrediction p = PredictRound(MatchesOf(r.schedule), *history, toto);
    if (!p.ok || p.PredictedCount() == 0) return OwnProbabilities{};
    ++rounds_predicted;
    return OwnProbabilitiesFromModel(p, OwnProbabilities{}, r.vote);
  };
}

int CmdModel(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  if (args.empty() || (args.size() == 1 && args[0] == "history")) return ModelHistory(ctx);
  const std::string sub = args[0];
  args.erase(args.begin());
  if (sub == "add") return ModelAdd(ctx, args);
  if (sub == "predict") return ModelPredict(ctx, args);
  if (sub == "evaluate") return ModelEvaluate(ctx, args);
  return Usage(ctx);
}

}  // namespace zelvo
