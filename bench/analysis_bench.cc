// The analysis of a purchase: coverage and chances over a million bought
// singles, and the proven minimum on the shipped sample documents' reduced
// singles at both grades.  Run with
//   ninja -C build -j1 analysis_bench &&
//   build/bench/analysis_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/chances.h"
#include "analysis/coverage.h"
#include "analysis/document_singles.h"
#include "analysis/minimum.h"
#include "analysis/single_sets.h"
#include "files/tpd_file.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr int kTickets = 1000000;

const std::vector<int>& Tickets() {
  static const std::vector<int> tickets = [] {
    std::mt19937 gen(1);
    std::uniform_int_distribution<int> single(0, kSingles - 1);
    std::vector<int> t(kTickets);
    for (int& s : t) s = single(gen);
    return t;
  }();
  return tickets;
}

VoteStatusRecord SomeVote() {
  VoteStatusRecord vote;
  vote.Kaisaikai = 1;
  const int counts[5][3] = {
      {300, 500, 200}, {100, 100, 800}, {333, 333, 334}, {50, 900, 50}, {600, 300, 100}};
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) vote.matches[m].outcomes[o].count = Money::FromInt(counts[m][o]);
  }
  return vote;
}

void BM_Coverage(benchmark::State& state) {
  const std::vector<int> results = AllSingles();
  for (auto _ : state) {
    CoverageReport r = AnalyseCoverage(Tickets(), results);
    benchmark::DoNotOptimize(r.right.data());
  }
}

void BM_Chances(benchmark::State& state) {
  const VoteStatusRecord vote = SomeVote();
  OutcomeProbabilities p;
  std::string error;
  if (!ProbabilitiesFromVote(vote, p, error)) state.SkipWithError(error.c_str());
  clsTMoney money;
  money.SetVote(vote);
  for (auto _ : state) {
    ChancesReport r = AnalyseChances(Tickets(), p, &money);
    benchmark::DoNotOptimize(r.per_100);
  }
}

void BM_Minimum(benchmark::State& state, const char* name, int grade) {
  const std::string path =
      JoinPath(JoinPath(ZELVO_PROGRAM_DIR_FOR_BENCH, "UserData/Zelvomini"), name);
  clsTFileTPD tpd;
  DocumentRecord doc;
  if (!LoadDocumentFile(tpd, path, true, false, doc)) {
    state.SkipWithError("cannot load the sample document");
    return;
  }
  MinimumRequest request;
  request.targets = ReducedSingles(doc);
  request.reference = doc.SingleData;
  request.grade = grade;
  request.time_limit = 10;
  for (auto _ : state) {
    MinimumResult r = FindMinimum(request);
    if (r.status != MinimumStatus::kProven) state.SkipWithError("not proven within 10 s");
    state.counters["targets"] = r.targets;
    state.counters["minimum"] = r.best;
  }
}

BENCHMARK(BM_Coverage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Chances)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Minimum, guarantee_grade2, "sample-guarantee.tpd", 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Minimum, guarantee_grade3, "sample-guarantee.tpd", 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Minimum, tolerance_grade2, "sample-tolerance.tpd", 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_Minimum, tolerance_grade3, "sample-tolerance.tpd", 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
}  // namespace zelvo

BENCHMARK_MAIN();
