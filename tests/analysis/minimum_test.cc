// The proven minimum on target sets whose minimum is known by hand, on the
// full space, and against an exhaustive search on sets small enough for one.
#include "analysis/minimum.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <vector>

#include "analysis/single_sets.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

using testing::Distance;

MinimumResult Solve(std::vector<int> targets, int grade, bool within = false,
                    std::vector<int> reference = {}) {
  MinimumRequest request;
  request.targets = std::move(targets);
  request.grade = grade;
  request.within_targets = within;
  request.time_limit = 20;
  request.reference = std::move(reference);
  return FindMinimum(request);
}

// Set-cover by dynamic programming over the subsets of the targets: the
// fewest candidates whose reach unites to the whole set.
int ExhaustiveMinimum(const std::vector<int>& targets, const std::vector<int>& candidates,
                      int grade) {
  const int n = static_cast<int>(targets.size());
  std::vector<unsigned> reach;
  for (int c : candidates) {
    unsigned mask = 0;
    for (int t = 0; t < n; ++t) mask |= (Distance(c, targets[t]) <= grade - 1 ? 1u : 0u) << t;
    if (mask) reach.push_back(mask);
  }
  std::vector<int> best(1u << n, 1000);
  best[0] = 0;
  for (unsigned set = 1; set < (1u << n); ++set) {
    for (unsigned m : reach) {
      if (set & m) best[set] = std::min(best[set], best[set & ~m] + 1);
    }
  }
  return best[(1u << n) - 1];
}

TEST(MinimumTest, SetsKnownByHand) {
  if (!MinimumSolverBuiltIn()) GTEST_SKIP() << "built without the solver";
  MinimumResult r = Solve({}, 2);
  EXPECT_EQ(r.status, MinimumStatus::kProven);
  EXPECT_EQ(r.best, 0);

  r = Solve({100, 100}, 2, true);
  EXPECT_EQ(r.status, MinimumStatus::kProven);
  EXPECT_EQ(r.targets, 1);
  EXPECT_EQ(r.singles, std::vector<int>{100});

  // 0 and 13 (outcomes 00000 and 11100) differ in three matches: no single
  // lies within one match of both, while 00100 lies within two of both.
  EXPECT_EQ(Solve({0, 13}, 2).best, 2);
  EXPECT_EQ(Solve({0, 13}, 3).best, 1);
  // 1 and 3 differ in two matches: 0 (or 4) lies one match from each, but
  // neither target reaches the other.
  EXPECT_EQ(Solve({1, 3}, 2).best, 1);
  EXPECT_EQ(Solve({1, 3}, 2, true).best, 2);

  // The ten neighbours of 0: 0 alone reaches them; among themselves only the
  // two that change the same match reach each other, one per match.
  std::vector<int> ring(10);
  clsTNumber().Get2List(0, ring);
  r = Solve(ring, 2);
  EXPECT_EQ(r.best, 1);
  EXPECT_EQ(r.singles, std::vector<int>{0});
  r = Solve(ring, 2, true);
  EXPECT_EQ(r.status, MinimumStatus::kProven);
  EXPECT_EQ(r.best, 5);
  EXPECT_TRUE(testing::Covers(r.singles, ring, 2));
  EXPECT_TRUE(testing::AllAmong(r.singles, ring));
}

TEST(MinimumTest, TheFullSpaceIsAnsweredFromTheCoveringCodes) {
  // Known values need no solver, so they come at once with or without one.
  MinimumResult r = Solve(AllSingles(), 2, false, AllSingles());
  EXPECT_TRUE(r.known_value);
  EXPECT_EQ(r.status, MinimumStatus::kProven);
  EXPECT_EQ(r.best, 27);
  EXPECT_EQ(r.reference, ReferenceVerdict::kNotOptimal);
  // With a choice of that size that keeps the guarantee.
  EXPECT_EQ(r.singles.size(), 27u);
  EXPECT_TRUE(testing::Covers(r.singles, AllSingles(), 2));
  r = Solve(AllSingles(), 3, true);
  EXPECT_EQ(r.best, 8);
  EXPECT_EQ(r.lower_bound, 8);
  EXPECT_EQ(r.singles.size(), 8u);
  EXPECT_TRUE(testing::Covers(r.singles, AllSingles(), 3));
  EXPECT_THROW(Solve(AllSingles(), 4), std::invalid_argument);
}

TEST(MinimumTest, AgreesWithAnExhaustiveSearchOnSmallSets) {
  if (!MinimumSolverBuiltIn()) GTEST_SKIP() << "built without the solver";
  std::mt19937 gen(17);
  for (int trial = 0; trial < 24; ++trial) {
    const int grade = 2 + trial % 2;
    const bool within = trial % 4 >= 2;
    const std::vector<int> targets = testing::RandomTargets(gen, 2, 10);
    const MinimumResult r = Solve(targets, grade, within);
    ASSERT_EQ(r.status, MinimumStatus::kProven) << r.error;
    EXPECT_EQ(r.best, ExhaustiveMinimum(targets, within ? targets : AllSingles(), grade))
        << "trial " << trial;
    EXPECT_EQ(static_cast<int>(r.singles.size()), r.best);
    EXPECT_TRUE(testing::Covers(r.singles, targets, grade));
    if (within) {
      EXPECT_TRUE(testing::AllAmong(r.singles, targets));
    }
  }
}

TEST(MinimumTest, JudgesTheReferencePurchase) {
  if (!MinimumSolverBuiltIn()) GTEST_SKIP() << "built without the solver";
  std::vector<int> ring(10);
  clsTNumber().Get2List(0, ring);
  EXPECT_EQ(Solve(ring, 2, false, {0}).reference, ReferenceVerdict::kOptimal);
  MinimumResult r = Solve(ring, 2, false, ring);
  EXPECT_EQ(r.reference, ReferenceVerdict::kNotOptimal);
  EXPECT_EQ(r.reference_size, 10);
  r = Solve(ring, 2, false, {1});
  EXPECT_EQ(r.reference, ReferenceVerdict::kNotCovering);
  EXPECT_EQ(r.reference_missed, 8);
  // Within the targets 5 are needed, but 0, no target, does it alone.
  r = Solve(ring, 2, true, {0});
  EXPECT_EQ(r.reference, ReferenceVerdict::kUnknown);
  EXPECT_EQ(r.reference_outside, 1);
}

TEST(MinimumTest, TheTimeLimitGivesTheBestFoundAndABound) {
  if (!MinimumSolverBuiltIn()) GTEST_SKIP() << "built without the solver";
  // All but one single at grade 3 is as hard as the full space: no solver
  // proves it in a fraction of a second.
  MinimumRequest request;
  request.targets = DifferenceOf(AllSingles(), std::vector<int>{0});
  request.grade = 3;
  request.time_limit = 0.3;
  MinimumResult r = FindMinimum(request);
  ASSERT_EQ(r.status, MinimumStatus::kLimitReached) << r.error;
  EXPECT_GE(r.best, 8);
  EXPECT_LT(r.lower_bound, r.best);
  EXPECT_GE(r.lower_bound, 1);
  EXPECT_TRUE(testing::Covers(r.singles, request.targets, 3));
}

// A stop asked for while the solver searches ends the run within moments,
// long before its time limit, and claims nothing about the minimum.
TEST(MinimumTest, AStopEndsTheSolverEarlyWithoutAClaim) {
  if (!MinimumSolverBuiltIn()) GTEST_SKIP() << "built without the solver";
  MinimumRequest request;
  request.targets = DifferenceOf(AllSingles(), std::vector<int>{0});
  request.grade = 2;
  request.time_limit = 60;
  const auto begin = std::chrono::steady_clock::now();
  request.stop_requested = [begin] {
    return std::chrono::steady_clock::now() - begin > std::chrono::milliseconds(300);
  };
  MinimumResult r = FindMinimum(request);
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.status, MinimumStatus::kFailed);
  EXPECT_TRUE(r.singles.empty());
}

}  // namespace
}  // namespace zelvo
