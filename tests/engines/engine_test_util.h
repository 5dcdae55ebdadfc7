// Helpers of the engine tests: target sets and the covering check.
#ifndef ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_
#define ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "core/single_number.h"
#include "reduction/run_log.h"

namespace zelvo::testing {

inline std::vector<int> AllSingles() {
  std::vector<int> all(kSingles);
  std::iota(all.begin(), all.end(), 0);
  return all;
}

inline MultiTable FullMulti() {
  MultiTable multi{};
  for (auto& row : multi) row.fill(1);
  return multi;
}

inline int Distance(int a, int b) {
  int d = 0;
  for (int m = 0; m < kMatches; ++m) d += OutcomeOf(a, m) != OutcomeOf(b, m);
  return d;
}

// Targets left out of reach (differing in more than grade - 1 matches from
// every chosen single).
inline int Unreached(const std::vector<int>& chosen, const std::vector<int>& targets, int grade) {
  int unreached = 0;
  for (int t : targets) {
    bool reached = false;
    for (int c : chosen) reached = reached || Distance(c, t) <= grade - 1;
    unreached += !reached;
  }
  return unreached;
}

inline bool Covers(const std::vector<int>& chosen, const std::vector<int>& targets, int grade) {
  return Unreached(chosen, targets, grade) == 0;
}

inline bool AllAmong(const std::vector<int>& chosen, const std::vector<int>& pool) {
  return std::all_of(chosen.begin(), chosen.end(),
                     [&](int c) { return std::find(pool.begin(), pool.end(), c) != pool.end(); });
}

// A random set of distinct singles in random order (its own generator, so
// the engines' shared one is left to the test).
inline std::vector<int> RandomTargets(std::mt19937& gen, int min_size, int max_size) {
  std::vector<int> all = AllSingles();
  std::shuffle(all.begin(), all.end(), gen);
  int size = std::uniform_int_distribution<int>(min_size, max_size)(gen);
  all.resize(size);
  return all;
}

// The log lines with their four-digit time stamp and blank removed.
inline std::vector<std::string> Unstamped(const RunLogList& log) {
  std::vector<std::string> out;
  for (const std::string& line : log.Lines()) {
    bool stamped =
        line.size() >= 5 && line[4] == ' ' &&
        std::all_of(line.begin(), line.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
    out.push_back(stamped ? line.substr(5) : line);
  }
  return out;
}

inline bool HasLine(const RunLogList& log, const std::string& text) {
  std::vector<std::string> lines = Unstamped(log);
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_
