// Speed of the reduction run: a full multi of 243 singles under every one of
// the 380 passes a run can apply (3 payout grades and 29 groups x 13 rows).
#include <benchmark/benchmark.h>

#include "core/single_number.h"
#include "engines/ms_engine.h"
#include "reduction/reduction_run.h"
#include "reduction/single_value.h"

namespace zelvo {
namespace {

VoteStatusRecord Votes() {
  VoteStatusRecord vote;
  vote.Kaisaikai = 1;
  const long long counts[5][3] = {
      {400, 350, 250}, {300, 500, 200}, {333, 333, 334}, {100, 450, 450}, {250, 250, 500}};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) {
      vote.matches[m].outcomes[o].count = Money::FromInt(counts[m][o]);
      vote.matches[m].outcomes[o].rate = Money::FromInt(counts[m][o] / 10);
    }
  }
  return vote;
}

MultiTable FullMulti() {
  MultiTable t;
  t[0].fill(2);
  t[1].fill(1);
  t[2].fill(3);
  return t;
}

// Every payout grade and every row active, none removing a single: match 5
// is left out of every group, so the excluded count 5 never occurs.  Each
// pass therefore walks all 243 singles.
ReductionConditions AllPasses(int machigai_type) {
  ReductionConditions c = DefaultReductionConditions();
  for (int g = 0; g < 3; ++g) {
    c.Haitou.Enabled[g] = true;
    c.Haitou.Flag[g] = true;
  }
  for (ConditionTable t :
       {ConditionTable::kHonmei, ConditionTable::kNinki, ConditionTable::kMark}) {
    for (auto& e : c.Table(t)) {
      e.target_matches[4] = false;
      for (auto& cells : e.cells) cells[5] = kCellExcluded;
    }
  }
  c.MachigaiType = machigai_type;
  c.MachigaiList.fill(true);
  return c;
}

OwnProbabilities Own() {
  OwnProbabilities own;
  own.set = true;
  own.p = {{{0.3, 0.45, 0.25},
            {0.25, 0.55, 0.2},
            {0.35, 0.33, 0.32},
            {0.2, 0.4, 0.4},
            {0.3, 0.2, 0.5}}};
  return own;
}

void RunAll(benchmark::State& state, int machigai_type, bool with_log = true,
            bool with_progress = true, bool with_value = false) {
  RunLogList log;
  Grid count_grid, meisai_grid;
  clsTX tx;
  tx.Initialize(with_log ? &log : nullptr, &count_grid, &meisai_grid);
  tx.SetVote(Votes());
  if (!with_progress) tx.Passes().Progress = nullptr;
  ReductionConditions conditions = AllPasses(machigai_type);
  if (with_value) {
    // The value pass on top, keeping every single: it walks all 243.
    tx.SetOwn(Own());
    conditions.Value = {true, kValueExpected, 0, 0};
  }
  MultiTable multi = FullMulti();
  int count = 0;
  std::vector<int> singles;
  for (auto _ : state) {
    tx.Execute(conditions, multi, count, singles);
    benchmark::DoNotOptimize(singles.data());
  }
  if (count != kSingles || (with_log && log.Lines().size() < 380)) {
    state.SkipWithError("not every pass ran");
  }
}

void BM_FullRunPlain(benchmark::State& state) { RunAll(state, 0); }
// The same with the value pass and the figures it reads.
void BM_FullRunWithValue(benchmark::State& state) { RunAll(state, 0, true, true, true); }

// What a new vote status or new own probabilities cost: every figure of the
// 243 singles again.
void BM_ValueFigures(benchmark::State& state) {
  const VoteStatusRecord vote = Votes();
  const OwnProbabilities own = Own();
  clsTValue value;
  for (auto _ : state) {
    value.SetVote(vote);
    value.SetOwn(own);
    benchmark::DoNotOptimize(&value);
  }
}

// The best 10 of 243 singles by expected value, coverage counts included.
void BM_ValueExtraction(benchmark::State& state) {
  clsTValue value;
  value.SetVote(Votes());
  value.SetOwn(Own());
  clsTMsEngine engine;
  engine.Initialize(nullptr);
  engine.SetValue(&value);
  EngineSettings settings;
  settings.ChushutsuFlag = true;
  settings.ChushutsuCount = 10;
  settings.ChushutsuOrder = 1;
  std::vector<int> all(kSingles);
  for (int s = 0; s < kSingles; ++s) all[s] = s;
  std::array<int, 6> tousen{};
  for (auto _ : state) {
    std::vector<int> singles = all;
    int count = kSingles;
    engine.Compress(count, singles, settings, FullMulti(), tousen);
    benchmark::DoNotOptimize(singles.data());
  }
}
void BM_FullRunErrorCounting(benchmark::State& state) { RunAll(state, 2); }
// The same run with no log bound: what the passes alone cost.
void BM_FullRunWithoutLog(benchmark::State& state) { RunAll(state, 0, false); }
// ... and without the progress events (the bar and the yield behind them).
void BM_FullRunPassesOnly(benchmark::State& state) { RunAll(state, 0, false, false); }

// The log lines of a full run alone: 380 condition lines.
void BM_LogLines(benchmark::State& state) {
  RunLogList log;
  clsTMsg msg;
  msg.Initialize(&log);
  for (auto _ : state) {
    msg.Cls();
    for (int i = 0; i < 380; ++i) {
      msg.CompMsg("人気/全て/1番+2番", 243, 0, false);
      msg.CompMsg("人気/全て/1番+2番", 243, 243, true);
    }
    benchmark::DoNotOptimize(log.Lines().data());
  }
}

// One count pass over the 243 singles, without the log.
void BM_CountPass(benchmark::State& state) {
  clsTX1 x1;
  x1.SetVote(Votes());
  x1.SetValue(FullMulti());
  ReductionConditions c = AllPasses(0);
  std::vector<int> all(kSingles);
  for (int i = 0; i < kSingles; ++i) all[i] = i;
  MachigaiCounts errors, tolerated;
  std::vector<int> singles;
  for (auto _ : state) {
    singles = all;
    int count = kSingles;
    x1.JoukenSakugen(ConditionTable::kNinki, count, singles, 1, c.Ninki[0], false, errors,
                     tolerated);
    benchmark::DoNotOptimize(count);
  }
}

// One payout pass over the 243 singles, without the log.
void BM_PayoutPass(benchmark::State& state) {
  clsTX1 x1;
  x1.SetVote(Votes());
  x1.SetValue(FullMulti());
  std::vector<int> all(kSingles);
  for (int i = 0; i < kSingles; ++i) all[i] = i;
  MachigaiCounts errors;
  std::vector<int> singles;
  for (auto _ : state) {
    singles = all;
    int count = kSingles;
    x1.MoneySakugen(count, singles, 0, Money(), Money::FromInt(9999999999), false, errors);
    benchmark::DoNotOptimize(count);
  }
}

BENCHMARK(BM_FullRunPlain)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();
BENCHMARK(BM_FullRunWithValue)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ValueFigures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ValueExtraction)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRunErrorCounting)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FullRunWithoutLog)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FullRunPassesOnly)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(BM_LogLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountPass)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_PayoutPass)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace zelvo

BENCHMARK_MAIN();
