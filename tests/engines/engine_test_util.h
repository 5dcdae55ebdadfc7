// Helpers of the engine tests: target sets and the covering check.
#ifndef ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_
#define ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_

#include <array>
#include <numeric>
#include <vector>

#include "core/single_number.h"

namespace zelvo::testing {

inline std::vector<int> AllSingles() {
  std::vector<int> all(kSingles);
  std::iota(all.begin(), all.end(), 0);
  return all;
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

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_ENGINES_ENGINE_TEST_UTIL_H_
