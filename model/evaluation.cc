#include "model/evaluation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <set>
#include <tuple>

namespace zelvo {
namespace {

// A forecast of exactly 0 for what happened would make the log loss
// infinite; no forecast here is that sure, but the public's vote rates can
// round an outcome to 0.00%.
constexpr double kMinProbability = 1e-6;

Outcome3 BaseRates(const std::vector<HistoryMatch>& all, size_t before) {
  std::array<int, 3> counts{};
  for (size_t k = 0; k < before; ++k) ++counts[OutcomeOf(all[k].home_goals, all[k].away_goals)];
  const int n = counts[0] + counts[1] + counts[2];
  if (n == 0) return {1.0 / 3, 1.0 / 3, 1.0 / 3};
  return {static_cast<double>(counts[0]) / n, static_cast<double>(counts[1]) / n,
          static_cast<double>(counts[2]) / n};
}

// A club's name as a CSV field: quoted when it holds a comma or a quote.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

int OutcomeOf(int home_goals, int away_goals) {
  return home_goals > away_goals ? 1 : home_goals < away_goals ? 2 : 0;
}

double LogLoss(const Outcome3& p, int outcome) {
  return -std::log(std::max(p[outcome], kMinProbability));
}

double RankedProbabilityScore(const Outcome3& p, int outcome) {
  // Categories in their order on the pitch: home win, draw, away win.
  const double c1 = p[1] - (outcome == 1 ? 1 : 0);
  const double c2 = p[1] + p[0] - (outcome != 2 ? 1 : 0);
  return (c1 * c1 + c2 * c2) / 2;
}

double BrierScore(const Outcome3& p, int outcome) {
  double sum = 0;
  for (int k = 0; k < 3; ++k) {
    const double d = p[k] - (k == outcome ? 1 : 0);
    sum += d * d;
  }
  return sum;
}

void ScoreTotals::Add(const Outcome3& p, int outcome) {
  ++matches;
  log_loss += LogLoss(p, outcome);
  rps += RankedProbabilityScore(p, outcome);
  brier += BrierScore(p, outcome);
}

void AddToCalibration(Calibration& c, const Outcome3& p, int outcome) {
  for (int k = 0; k < 3; ++k) {
    CalibrationBin& bin = c[std::clamp(static_cast<int>(p[k] * 10), 0, 9)];
    ++bin.count;
    bin.predicted += p[k];
    if (k == outcome) ++bin.happened;
  }
}

int EvaluationReport::SkippedCount() const {
  int n = 0;
  for (const auto& [why, count] : skipped) n += count;
  return n;
}

EvaluationReport EvaluateRolling(const MatchHistory& history, const std::vector<HistoryMatch>& test,
                                 const GoalModelOptions& options,
                                 const std::vector<PublicForecast>& votes,
                                 const std::function<bool(int done, int total)>& progress) {
  const auto started = std::chrono::steady_clock::now();
  EvaluationReport report;
  report.test_matches = static_cast<int>(test.size());
  // The test matches join the history: a fit for a month sees those played
  // before it, never one of its own month or later.
  MatchHistory combined = history;
  std::vector<HistoryMatch> to_predict;
  std::set<std::tuple<int, std::string, std::string>> seen;
  for (const HistoryMatch& m : test) {
    if (!m.Played()) {
      ++report.skipped["not played (no score)"];
      continue;
    }
    if (!seen.insert({m.day, m.home, m.away}).second) {
      ++report.skipped["the same match twice in the test files"];
      continue;
    }
    combined.Add(m);
    to_predict.push_back(m);
  }
  std::stable_sort(to_predict.begin(), to_predict.end(),
                   [](const HistoryMatch& a, const HistoryMatch& b) { return a.day < b.day; });
  std::map<std::tuple<int, std::string, std::string>, Outcome3> vote_of;
  for (const PublicForecast& v : votes) vote_of[{v.day, v.home, v.away}] = v.p;

  // The months, each from its first day.
  std::vector<std::pair<int, size_t>> months;  // fit day, first match index
  for (size_t k = 0; k < to_predict.size(); ++k) {
    int y, mo, d;
    CivilFromDay(to_predict[k].day, y, mo, d);
    const int first = DayNumber(y, mo, 1);
    if (months.empty() || months.back().first != first) months.push_back({first, k});
  }
  const std::vector<HistoryMatch>& all = combined.Matches();
  GoalModel previous;
  bool have_previous = false;
  const Outcome3 uniform = {1.0 / 3, 1.0 / 3, 1.0 / 3};
  for (size_t mi = 0; mi < months.size(); ++mi) {
    if (progress && !progress(static_cast<int>(mi), static_cast<int>(months.size()))) break;
    const int fit_day = months[mi].first;
    const size_t end = mi + 1 < months.size() ? months[mi + 1].second : to_predict.size();
    const size_t before = static_cast<size_t>(combined.CountBefore(fit_day));
    if (before == 0) {
      report.skipped["no history before the match"] += static_cast<int>(end - months[mi].second);
      continue;
    }
    GoalModel model = FitGoalModel(combined, fit_day, options, have_previous ? &previous : nullptr);
    ++report.refits;
    const Outcome3 base = BaseRates(all, before);
    for (size_t k = months[mi].second; k < end; ++k) {
      const HistoryMatch& m = to_predict[k];
      MatchPrediction prediction;
      if (!model.Predict(m.home, m.away, m.league, prediction)) {
        ++report.skipped["a club without history and without a known league"];
        continue;
      }
      EvaluatedMatch e;
      e.match = m;
      e.model = prediction.p;
      e.base = base;
      const int outcome = OutcomeOf(m.home_goals, m.away_goals);
      report.model.Add(e.model, outcome);
      report.base.Add(base, outcome);
      report.uniform.Add(uniform, outcome);
      AddToCalibration(report.calibration, e.model, outcome);
      AddToCalibration(report.base_calibration, base, outcome);
      auto v = vote_of.find({m.day, m.home, m.away});
      if (v != vote_of.end()) {
        e.has_public = true;
        e.vote = v->second;
        report.public_model.Add(e.model, outcome);
        report.public_base.Add(base, outcome);
        report.public_uniform.Add(uniform, outcome);
        report.public_votes.Add(e.vote, outcome);
        AddToCalibration(report.public_calibration, e.vote, outcome);
      }
      report.matches.push_back(std::move(e));
    }
    previous = std::move(model);
    have_previous = true;
  }
  if (progress) progress(static_cast<int>(months.size()), static_cast<int>(months.size()));
  report.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return report;
}

std::string EvaluationCsv(const EvaluationReport& report) {
  std::string out = "date,home,away,home_goals,away_goals,p_home,p_draw,p_away\n";
  char buf[96];
  for (const EvaluatedMatch& e : report.matches) {
    std::snprintf(buf, sizeof buf, ",%d,%d,%.6f,%.6f,%.6f\n", e.match.home_goals,
                  e.match.away_goals, e.model[1], e.model[0], e.model[2]);
    out += DayText(e.match.day) + "," + CsvField(e.match.home) + "," + CsvField(e.match.away) + buf;
  }
  return out;
}

}  // namespace zelvo
