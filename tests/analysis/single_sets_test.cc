// The line-set algebra: identities on random sets with repeats, and how the
// operations order and expand.
#include "analysis/single_sets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "analysis/coverage.h"

namespace zelvo {
namespace {

std::vector<int> RandomLines(std::mt19937& gen) {
  std::vector<int> out(std::uniform_int_distribution<int>(0, 200)(gen));
  for (int& s : out) s = std::uniform_int_distribution<int>(0, kSingles - 1)(gen);
  return out;
}

std::vector<int> Sorted(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

TEST(SingleSetsTest, IdentitiesOnRandomSets) {
  std::mt19937 gen(23);
  const std::vector<int> all = AllSingles();
  for (int trial = 0; trial < 50; ++trial) {
    const std::vector<int> a = RandomLines(gen), b = RandomLines(gen);
    const std::vector<int> u = UnionOf(a, b), i = IntersectionOf(a, b);
    EXPECT_EQ(DifferenceOf(u, b), DifferenceOf(a, b));
    EXPECT_EQ(i, DifferenceOf(a, DifferenceOf(a, b)));
    EXPECT_EQ(u, UnionOf(b, a));
    EXPECT_EQ(u.size() + i.size(), Sorted(a).size() + Sorted(b).size());
    EXPECT_EQ(UnionOf(DifferenceOf(a, b), i), Sorted(a));
    EXPECT_EQ(ComplementOf(ComplementOf(a, all), all), Sorted(a));
    EXPECT_EQ(ComplementOf(u, all), IntersectionOf(ComplementOf(a, all), ComplementOf(b, all)));
    EXPECT_EQ(Sorted(UniqueOf(a)), Sorted(a));
    // Expanding by the neighbours reaches exactly what the coverage report
    // does not count as outside the grade.
    if (!a.empty()) {
      CoverageReport r = AnalyseCoverage(a, all);
      EXPECT_EQ(ExpandOf(a, 2), DifferenceOf(all, r.outside_grade2));
      EXPECT_EQ(ExpandOf(a, 3), DifferenceOf(all, r.outside_grade3));
    }
  }
}

TEST(SingleSetsTest, OrderNeighboursAndMultis) {
  EXPECT_EQ(UniqueOf(std::vector<int>{7, 3, 7, 0, 3}), (std::vector<int>{7, 3, 0}));
  EXPECT_EQ(UnionOf(std::vector<int>{7, 3}, std::vector<int>{0, 7}), (std::vector<int>{0, 3, 7}));
  EXPECT_EQ(ExpandOf(std::vector<int>{0}, 2),
            (std::vector<int>{0, 1, 2, 3, 6, 9, 18, 27, 54, 81, 162}));
  EXPECT_EQ(ExpandOf(std::vector<int>{242}, 3).size(), 51u);
  EXPECT_THROW(ExpandOf(std::vector<int>{0}, 1), std::invalid_argument);
  EXPECT_THROW(UnionOf(std::vector<int>{-1}, {}), std::out_of_range);

  // Match 1 draw or home, match 2 away, the rest draws: 0 + 6 and 1 + 6.
  MultiTable multi{};
  multi[0][0] = multi[1][0] = 1;
  multi[2][1] = 2;
  for (int m = 2; m < 5; ++m) multi[0][m] = 1;
  EXPECT_EQ(MultiSingles(multi), (std::vector<int>{6, 7}));
  EXPECT_EQ(ComplementOf(std::vector<int>{7, 100}, MultiSingles(multi)), std::vector<int>{6});
  EXPECT_TRUE(MultiSingles(MultiTable{}).empty());
}

}  // namespace
}  // namespace zelvo
