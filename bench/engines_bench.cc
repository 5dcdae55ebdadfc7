// Timings of the search engines on all 243 singles, with the yield a no-op
// (the headless platform on the real clock).
//
//   engines_bench [--quick] [--optimise-seeds N]
//
// Prints the trial rate of the trial engine at both grades, the median time
// of the trial engine to confirm the smallest coverings (27 singles at grade
// 2, 8 at grade 3) over 20 seeds, the fast engine's run time at both grades
// and the targets the count optimisation leaves unreached with 26 singles
// after 10 seconds.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "engines/count_engine.h"
#include "engines/fast_engine.h"
#include "engines/trial_engine.h"
#include "support/random.h"

namespace zelvo {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The machine may be shared: processor time of this thread is the steadier
// measure, the wall time is printed beside it.
double ThreadSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

std::vector<int> AllSingles() {
  std::vector<int> all(kSingles);
  std::iota(all.begin(), all.end(), 0);
  return all;
}

MultiTable FullMulti() {
  MultiTable multi{};
  for (auto& row : multi) row.fill(1);
  return multi;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int Unreached(const std::vector<int>& chosen, int grade) {
  std::vector<bool> reached(kSingles, false);
  for (int c : chosen) {
    if (grade == 2) {
      for (int s : Reach2(c)) reached[s] = true;
    } else {
      for (int s : Reach3(c)) reached[s] = true;
    }
  }
  return static_cast<int>(std::count(reached.begin(), reached.end(), false));
}

// An attempt one below the smallest covering never confirms, so it runs
// trials until its time limit.
void TrialRate(int grade, int d, int seconds) {
  SeedRandom(1);
  EngineSettings s;
  s.BeginCount = d;
  s.EndCount = d;
  s.EndTime = seconds;
  clsTMsEngine2 engine;
  auto start = Clock::now();
  double cpu_start = ThreadSeconds();
  engine.EngineStart(kSingles, AllSingles(), grade, s, FullMulti());
  double cpu = ThreadSeconds() - cpu_start;
  double elapsed = SecondsSince(start);
  std::printf(
      "trial engine, grade %d, %d singles: %.1f million trials/s of processor time (%.1f of "
      "wall time; %lld trials in %.2f s)\n",
      grade, d, engine.TrialCount() / cpu / 1e6, engine.TrialCount() / elapsed / 1e6,
      static_cast<long long>(engine.TrialCount()), elapsed);
}

void TimeToCover(int grade, int begin, int end, int seeds) {
  std::vector<double> times, wall;
  int failed = 0;
  for (int seed = 1; seed <= seeds; ++seed) {
    SeedRandom(seed);
    EngineSettings s;
    s.BeginCount = begin;
    s.EndCount = end;
    s.EndTime = 20;  // only a safety net: a failed seed must not hang the run
    clsTMsEngine2 engine;
    auto start = Clock::now();
    double cpu_start = ThreadSeconds();
    engine.EngineStart(kSingles, AllSingles(), grade, s, FullMulti());
    times.push_back((ThreadSeconds() - cpu_start) * 1000);
    wall.push_back(SecondsSince(start) * 1000);
    if (engine.SingleCount() != end || Unreached(engine.SingleData(), grade) != 0) ++failed;
  }
  std::printf(
      "trial engine, grade %d, %d down to %d singles: median %.2f ms processor time (%.2f ms "
      "wall), min %.2f, max %.2f over %d seeds (%d failed)\n",
      grade, begin, end, Median(times), Median(wall), *std::min_element(times.begin(), times.end()),
      *std::max_element(times.begin(), times.end()), seeds, failed);
}

void FastEngine(int grade, int runs) {
  std::vector<double> times;
  int size = 0;
  for (int r = 0; r < runs; ++r) {
    clsTMsEngine1 engine;
    auto start = Clock::now();
    engine.EngineStart(kSingles, AllSingles(), grade);
    times.push_back(SecondsSince(start) * 1e6);
    size = engine.SingleCount();
  }
  std::printf("fast engine, grade %d: %d singles, median %.1f us over %d runs\n", grade, size,
              Median(times), runs);
}

void CountOptimisation(int d, int seconds, int seeds) {
  std::vector<double> left;
  for (int seed = 1; seed <= seeds; ++seed) {
    SeedRandom(seed);
    EngineSettings s;
    s.SeBeginCount = d;
    s.SeEndTime = seconds;
    clsTMsEngine3 engine;
    engine.EngineStart(kSingles, AllSingles(), s);
    left.push_back(Unreached(engine.SingleData(), 2));
    std::printf("  count optimisation seed %d: %d unreached\n", seed,
                static_cast<int>(left.back()));
  }
  std::printf("count optimisation, %d singles, %d s: median %.1f unreached over %d seeds\n", d,
              seconds, Median(left), seeds);
}

}  // namespace
}  // namespace zelvo

int main(int argc, char** argv) {
  bool quick = false;
  int optimise_seeds = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--quick") == 0) quick = true;
    if (std::strcmp(argv[i], "--optimise-seeds") == 0 && i + 1 < argc) {
      optimise_seeds = std::atoi(argv[++i]);
    }
  }
  zelvo::FastEngine(2, quick ? 20 : 200);
  zelvo::FastEngine(3, quick ? 20 : 200);
  zelvo::TrialRate(2, 26, quick ? 1 : 3);
  zelvo::TrialRate(3, 7, quick ? 1 : 3);
  zelvo::TimeToCover(2, 36, 27, 20);
  zelvo::TimeToCover(3, 12, 8, 20);
  if (optimise_seeds > 0) zelvo::CountOptimisation(26, 10, quick ? 1 : optimise_seeds);
  return 0;
}
