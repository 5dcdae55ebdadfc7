#include "model/round_model.h"

#include <algorithm>
#include <list>
#include <tuple>

#include "official/round_archive.h"
#include "support/text.h"

namespace zelvo {
namespace {

// Fits are a few hundred kilobytes at most; a handful covers a window, a
// document and a backtest going over its rounds.
constexpr size_t kCachedFits = 64;

struct CacheEntry {
  uint64_t fingerprint;
  int fit_day;
  GoalModelOptions options;
  std::shared_ptr<const GoalModel> model;
};

std::list<CacheEntry>& FitCache() {
  static std::list<CacheEntry> cache;
  return cache;
}

int Day(const DateTime& d) { return d.HasDate() ? DayNumber(d.Year(), d.Month(), d.Day()) : 0; }

}  // namespace

std::shared_ptr<const GoalModel> CachedFit(const MatchHistory& history, int fit_day,
                                           const GoalModelOptions& options) {
  std::list<CacheEntry>& cache = FitCache();
  const uint64_t fingerprint = history.Fingerprint();
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->fingerprint == fingerprint && it->fit_day == fit_day && it->options == options) {
      // The most recently used first, so the oldest goes when the cache is full.
      cache.splice(cache.begin(), cache, it);
      return cache.front().model;
    }
  }
  // The nearest earlier fit of the same history starts the search.
  const GoalModel* warm = nullptr;
  int warm_day = 0;
  for (const CacheEntry& e : cache) {
    if (e.fingerprint == fingerprint && e.options == options && e.fit_day < fit_day &&
        e.fit_day > warm_day) {
      warm = e.model.get();
      warm_day = e.fit_day;
    }
  }
  auto model = std::make_shared<const GoalModel>(FitGoalModel(history, fit_day, options, warm));
  cache.push_front({fingerprint, fit_day, options, model});
  if (cache.size() > kCachedFits) cache.pop_back();
  return model;
}

RoundMatches MatchesOf(const ScheduleRecord& schedule) {
  RoundMatches r;
  for (int m = 0; m < 5; ++m) {
    r[m] = {schedule.matches[m].home, schedule.matches[m].away,
            Day(schedule.matches[m].match_date)};
  }
  return r;
}

RoundMatches MatchesOf(const VoteStatusRecord& vote) {
  RoundMatches r;
  for (int m = 0; m < 5; ++m) {
    r[m] = {vote.matches[m].home, vote.matches[m].away, Day(vote.matches[m].match_date)};
  }
  return r;
}

int RoundPrediction::PredictedCount() const {
  return static_cast<int>(std::count(predicted.begin(), predicted.end(), true));
}

RoundPrediction PredictRound(const RoundMatches& round, const LoadedHistory& history,
                             const clsTotoData& toto, const GoalModelOptions& options) {
  RoundPrediction out;
  int first_day = 0;
  for (const RoundMatch& m : round) {
    if (m.day > 0 && (first_day == 0 || m.day < first_day)) first_day = m.day;
  }
  if (first_day == 0) {
    out.error = "the round's match dates are not known";
    return out;
  }
  if (history.history.CountBefore(first_day) == 0) {
    out.error = "the history holds no match before " + DayText(first_day);
    return out;
  }
  std::shared_ptr<const GoalModel> model = CachedFit(history.history, first_day, options);
  out.ok = true;
  out.fit_day = first_day;
  out.history_matches = model->HistoryMatches();
  const ClubNames names(&toto);
  for (int i = 0; i < 5; ++i) {
    const RoundMatch& m = round[i];
    if (m.home.empty() || m.away.empty()) {
      out.unknown[i] = "-";
      continue;
    }
    const int day = m.day > 0 ? m.day : first_day;
    const std::string home = names.Canonical(m.home, day);
    const std::string away = names.Canonical(m.away, day);
    const int league = names.MatchLeague(home, away, day);
    out.predicted[i] = model->Predict(home, away, league, out.matches[i]);
    if (!out.predicted[i]) {
      double a, d;
      std::vector<std::string> unknown;
      if (!model->Strength(home, league, a, d)) unknown.push_back(m.home);
      if (!model->Strength(away, league, a, d)) unknown.push_back(m.away);
      out.unknown[i] = Join(unknown, ", ");
    }
  }
  return out;
}

RoundPrediction PredictRound(const ScheduleRecord& schedule, const VoteStatusRecord& vote,
                             const clsTotoData& toto) {
  const bool scheduled = !schedule.matches[0].home.empty();
  const RoundMatches matches = scheduled ? MatchesOf(schedule) : MatchesOf(vote);
  return PredictRound(matches, *LoadHistory(toto), toto);
}

bool ExpectedGoalsPer90(const std::string& home, const std::string& away, int day,
                        const clsTotoData& toto, double& home_goals, double& away_goals) {
  RoundMatches round;
  round[0] = {home, away, day};
  const RoundPrediction p = PredictRound(round, *LoadHistory(toto), toto);
  if (!p.ok || !p.predicted[0]) return false;
  home_goals = p.matches[0].home_goals;
  away_goals = p.matches[0].away_goals;
  return true;
}

OwnProbabilities OwnProbabilitiesFromModel(const RoundPrediction& prediction,
                                           const OwnProbabilities& keep,
                                           const VoteStatusRecord& vote) {
  OwnProbabilities own;
  own.set = true;
  for (int m = 0; m < kMatches; ++m) {
    if (prediction.predicted[m]) {
      own.p[m] = prediction.matches[m].p;
      continue;
    }
    if (keep.set) {
      own.p[m] = keep.p[m];
      continue;
    }
    // The public's view is the one neutral start: it gives the match a
    // value ratio of 1 until the user says otherwise.
    double sum = 0;
    for (int o = 0; o < 3; ++o) sum += vote.matches[m].outcomes[o].rate.ToDouble();
    for (int o = 0; o < 3; ++o) {
      own.p[m][o] = sum > 0 ? vote.matches[m].outcomes[o].rate.ToDouble() / sum : 1.0 / 3;
    }
  }
  own.source.model = true;
  int y, mo, d;
  CivilFromDay(prediction.fit_day, y, mo, d);
  own.source.fit_date = DateTime::Date(y, mo, d);
  own.source.history_matches = prediction.history_matches;
  own.source.matches = prediction.predicted;
  return own;
}

std::vector<PublicForecast> ArchivedVoteRates(const clsTotoData& toto) {
  std::vector<PublicForecast> out;
  const ClubNames names(&toto);
  // The cache's real rounds: copies of the made-up samples are left out.
  for (const ArchivedRound& r : LoadArchive(0, 0, {"A", "B"}).rounds) {
    for (int m = 0; m < 5; ++m) {
      const VoteMatch& vm = r.vote.matches[m];
      const ResultMatch& rm = r.result.matches[m];
      const int day = Day(rm.match_date.HasDate() ? rm.match_date : vm.match_date);
      double sum = 0;
      for (int o = 0; o < 3; ++o) sum += vm.outcomes[o].rate.ToDouble();
      if (day == 0 || sum <= 0) continue;
      PublicForecast f;
      f.day = day;
      f.home = names.Canonical(vm.home, day);
      f.away = names.Canonical(vm.away, day);
      for (int o = 0; o < 3; ++o) f.p[o] = vm.outcomes[o].rate.ToDouble() / sum;
      out.push_back(std::move(f));
    }
  }
  return out;
}

}  // namespace zelvo
