// The model command: the goal model's history, its probabilities for a
// round beside the public's vote rates, and its evaluation on matches it has
// not seen.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/cli_json.h"
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

std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }
std::string Pct(double p) { return FormatNumber(p * 100, "##0.0") + "%"; }
std::string Fixed(double v, const char* pattern = "0.0000") { return FormatNumber(v, pattern); }
std::string Signed(double v, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.*f", decimals, v);
  return buf;
}

// A day of the history as a JSON date, 2024-06-22.
Json DayJson(int day) { return ReplaceAll(DayText(day), "/", "-"); }

Json SummaryJson(const LoadedHistory& h) {
  const HistorySummary& s = h.summary;
  const std::vector<HistoryMatch>& all = h.history.Matches();
  return {{"matches", h.history.size()},
          {"from", all.empty() ? Json(nullptr) : DayJson(all.front().day)},
          {"to", all.empty() ? Json(nullptr) : DayJson(all.back().day)},
          {"shipped",
           {{"files", s.shipped_files},
            {"matches", s.shipped_matches},
            {"folder", ShippedHistoryDir()}}},
          {"archive", {{"rounds", s.archive_rounds}, {"matches", s.archive_matches}}},
          {"added",
           {{"files", s.added_files}, {"matches", s.added_matches}, {"folder", AddedHistoryDir()}}},
          {"refused", s.refused}};
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

int ModelHistory(CliContext& ctx, const CliArgs& args) {
  clsTotoData toto;
  if (args.json()) {
    PrintJson(ctx.out, {{"history", SummaryJson(*LoadHistory(toto))}});
  } else {
    PrintSummary(ctx.out, *LoadHistory(toto));
  }
  return 0;
}

int ModelAdd(CliContext& ctx, const CliArgs& args) {
  const std::vector<std::string>& files = args.All("FILE.csv");
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

// The prediction of PrintPrediction as JSON.
Json PredictionJson(const RoundPrediction& p, const RoundMatches& matches,
                    const VoteStatusRecord& vote) {
  bool has_vote = false;
  for (const VoteMatch& vm : vote.matches) {
    for (const VoteOutcome& o : vm.outcomes) has_vote = has_vote || o.rate > Money();
  }
  Json list = Json::array();
  for (int m = 0; m < 5; ++m) {
    Json row{{"match", m + 1}, {"home", matches[m].home}, {"away", matches[m].away}};
    if (p.predicted[m]) {
      const MatchPrediction& mp = p.matches[m];
      row["model"] = {{"1", mp.p[1]}, {"0", mp.p[0]}, {"2", mp.p[2]}};
      row["expected_goals"] = {{"home", mp.home_goals}, {"away", mp.away_goals}};
      row["unknown"] = nullptr;
    } else {
      row["model"] = nullptr;
      row["expected_goals"] = nullptr;
      row["unknown"] = p.unknown[m];
    }
    const auto& o = vote.matches[m].outcomes;
    row["public"] = has_vote ? Json{{"1", o[1].rate.ToDouble()},
                                    {"0", o[0].rate.ToDouble()},
                                    {"2", o[2].rate.ToDouble()}}
                             : Json(nullptr);
    list.push_back(row);
  }
  return {
      {"fit_day", DayJson(p.fit_day)}, {"history_matches", p.history_matches}, {"matches", list}};
}

int ModelPredict(CliContext& ctx, const CliArgs& args) {
  const int round = static_cast<int>(args.Int("ROUND"));
  const std::string group = args.Get("GROUP");
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
  if (args.json()) {
    Json j{{"round", round}, {"group", group}};
    j.update(PredictionJson(p, matches, vote));
    PrintJson(ctx.out, j);
    return 0;
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

Json ScoresJson(const ScoreTotals& t) {
  return {{"matches", t.matches},
          {"log_loss", t.MeanLogLoss()},
          {"rps", t.MeanRps()},
          {"brier", t.MeanBrier()}};
}

Json CalibrationJson(const Calibration& c) {
  Json bins = Json::array();
  for (int b = 0; b < 10; ++b) {
    const CalibrationBin& bin = c[b];
    bins.push_back({{"from", b / 10.0},
                    {"to", (b + 1) / 10.0},
                    {"count", bin.count},
                    {"mean_predicted", bin.count > 0 ? Json(bin.MeanPredicted()) : Json(nullptr)},
                    {"observed", bin.count > 0 ? Json(bin.Observed()) : Json(nullptr)}});
  }
  return bins;
}

// The figures of PrintEvaluation as JSON.
Json EvaluationJson(const EvaluationReport& r) {
  Json skipped = Json::object();
  for (const auto& [why, count] : r.skipped) skipped[why] = count;
  Json j{{"test_matches", r.matches.size()},
         {"from", r.matches.empty() ? Json(nullptr) : DayJson(r.matches.front().match.day)},
         {"to", r.matches.empty() ? Json(nullptr) : DayJson(r.matches.back().match.day)},
         {"refits", r.refits},
         {"seconds", r.seconds},
         {"skipped", skipped},
         {"model", ScoresJson(r.model)},
         {"base_rates", ScoresJson(r.base)},
         {"uniform", ScoresJson(r.uniform)},
         {"calibration", CalibrationJson(r.calibration)}};
  if (r.public_votes.matches > 0) {
    j["against_public"] = {{"model", ScoresJson(r.public_model)},
                           {"public", ScoresJson(r.public_votes)},
                           {"base_rates", ScoresJson(r.public_base)},
                           {"uniform", ScoresJson(r.public_uniform)},
                           {"public_calibration", CalibrationJson(r.public_calibration)}};
  } else {
    j["against_public"] = nullptr;
  }
  return j;
}

int ModelEvaluate(CliContext& ctx, const CliArgs& args) {
  const std::vector<std::string>& test_files = args.All("--test");
  const std::vector<std::string>& history_files = args.All("--history");
  const bool own_history = args.Has("--history");
  const std::string csv_path = args.Get("--csv");
  const bool csv = args.Has("--csv");
  const bool json = args.json();
  GoalModelOptions options = DefaultGoalModelOptions();
  if (args.Has("--half-life")) options.half_life_days = static_cast<int>(args.Int("--half-life"));
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
    if (!json) {
      ctx.out << "History: " << Count(static_cast<int64_t>(history.size())) << " matches from "
              << history_files.size() << " files\n";
    }
  } else {
    std::shared_ptr<const LoadedHistory> loaded = LoadHistory(toto);
    history = loaded->history;
    if (!json) PrintSummary(ctx.out, *loaded);
  }
  if (!json) {
    ctx.out << "Model: half-life " << options.half_life_days << " days, a past season counting "
            << options.season_carry << " as much, refitted monthly\n";
  }
  const EvaluationReport report = EvaluateRolling(history, test, options, ArchivedVoteRates(toto),
                                                  [](int, int) { return AbortSignal() == 0; });
  if (AbortSignal() != 0) {
    ctx.err << "zelvomini-cli: evaluation interrupted; nothing written\n";
    return AbortExitCode();
  }
  if (!json) PrintEvaluation(ctx.out, report);
  if (csv) {
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    if (!WriteFileBytes(csv_path, EvaluationCsv(report), false)) {
      ctx.err << "zelvomini-cli: " << csv_path << ": " << LastWriteError() << "\n";
      return 1;
    }
    if (!json) ctx.out << "Written: " << csv_path << " (" << report.matches.size() << " matches)\n";
  }
  if (json) {
    Json j{{"history_matches", history.size()},
           {"half_life_days", options.half_life_days},
           {"season_carry", options.season_carry}};
    j.update(EvaluationJson(report));
    PrintJson(ctx.out, j);
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

CliCommand ModelCommand() {
  const std::string results =
      "results as shipped, with the columns match_date, home_team, home_goal, away_goal, "
      "away_team and status";
  return {
      .name = "model",
      .summary = "the goal model: its history, a round's probabilities, its evaluation",
      .details =
          "A Dixon-Coles model of the goals of J-League matches, fitted on the shipped "
          "results, the archive's result pages and the results added.  model alone is "
          "model history.",
      .run = ModelHistory,
      .subcommands = {
          {.name = "history",
           .summary = "the matches the model learns from",
           .json = "An object: history, with matches, from and to (dates), shipped, archive and "
                   "added (files or rounds, and matches; the folders) and refused (the files "
                   "refused, and why).",
           .run = ModelHistory},
          {.name = "add",
           .summary = "add results files to the history",
           .args = {{"FILE.csv", {CliKind::kCsv}, CliCount::kMany, results}},
           .details = "Each file is checked and kept in the added results' folder; it says how "
                      "many of its finished matches the history did not have.",
           .exits = {{1, "a file was refused"}},
           .run = ModelAdd},
          {.name = "predict",
           .summary = "the model's probabilities for a round beside the public's",
           .args = {{"ROUND", {CliKind::kRound}}, {"GROUP", {CliKind::kGroup}}},
           .details = "Fitted on the matches before the round's first match day; a match of "
                      "clubs the history does not know is left to you.",
           .exits = {{1, "the cache holds no schedule of the round, or no fit can be made"}},
           .json = "An object: round, group, fit_day, history_matches and five matches (match, "
                   "home, away, model \"1\", \"0\", \"2\" as probabilities from 0 to 1 or null, "
                   "expected_goals home and away, unknown: the clubs the model does not know, "
                   "public: the vote rates in percent or null).",
           .run = ModelPredict},
          {.name = "evaluate",
           .summary = "the model on matches it has not seen, against simpler forecasts",
           .options = {{"--test",
                        "FILE.csv...",
                        {CliKind::kCsv},
                        "the matches to predict: " + results,
                        {},
                        {},
                        true,
                        true},
                       {"--history",
                        "FILE.csv...",
                        {CliKind::kCsv},
                        "learn from these files only, not the whole history",
                        {},
                        {},
                        false,
                        true},
                       {"--csv", "OUT.csv", {CliKind::kCsv}, "also write each test match"},
                       {"--half-life",
                        "DAYS",
                        {CliKind::kInt, {}, 7, 10000},
                        "how fast old matches count less"}},
           .details = "Refits monthly and predicts each test match from the matches before it; "
                      "scores the model, the base rates and a third each by log loss, ranked "
                      "probability score and Brier score, and the public's final vote rates "
                      "where the archive has them.",
           .exits = {{1, "a file cannot be read or written"}},
           .json = "An object: history_matches, half_life_days, season_carry, test_matches, from, "
                   "to, refits, seconds, skipped (reason: count), model, base_rates and uniform "
                   "(matches and the mean log_loss, rps and brier), calibration (ten bins: from, "
                   "to, count, mean_predicted, observed) and against_public (null, or model, "
                   "public, base_rates, uniform and public_calibration over the matches with "
                   "final vote rates).",
           .run = ModelEvaluate}}};
}

}  // namespace zelvo
