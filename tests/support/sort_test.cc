#include "support/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

namespace zelvo {
namespace {

// Marks that the ascending index sort gives to outcomes 0, 1, 2 for their
// vote rates: the highest rate "◎", the middle "○", the lowest "▲".
std::array<std::string, 3> MarksFor(std::array<int, 3> rates) {
  std::array<int, 3> idx = {0, 1, 2};
  QuickSortIndex(rates.data(), idx.data(), 0, 2, true);
  std::array<std::string, 3> marks;
  marks[idx[2]] = "◎";
  marks[idx[1]] = "○";
  marks[idx[0]] = "▲";
  return marks;
}

TEST(QuickSortTest, TieOrdersOfTheVoteRateMarks) {
  using M = std::array<std::string, 3>;
  EXPECT_EQ(MarksFor({5, 5, 5}), (M{"○", "▲", "◎"}));
  EXPECT_EQ(MarksFor({5, 5, 2}), (M{"◎", "○", "▲"}));
  EXPECT_EQ(MarksFor({5, 2, 5}), (M{"○", "▲", "◎"}));
  EXPECT_EQ(MarksFor({2, 5, 5}), (M{"▲", "○", "◎"}));
  EXPECT_EQ(MarksFor({5, 5, 8}), (M{"○", "▲", "◎"}));
  EXPECT_EQ(MarksFor({5, 8, 5}), (M{"○", "◎", "▲"}));
  EXPECT_EQ(MarksFor({8, 5, 5}), (M{"◎", "▲", "○"}));
  EXPECT_EQ(MarksFor({40, 35, 25}), (M{"◎", "○", "▲"}));
}

TEST(QuickSortTest, SortsBothWaysAndCarriesIndexes) {
  std::mt19937 gen(7);
  for (int n : {0, 1, 2, 3, 10, 243, 1000}) {
    std::vector<int> keys(n), idx(n);
    for (int i = 0; i < n; ++i) keys[i] = static_cast<int>(gen() % 20), idx[i] = i;
    std::vector<int> original = keys;
    QuickSortIndex(keys.data(), idx.data(), 0, n - 1, true);
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
    for (int i = 0; i < n; ++i) EXPECT_EQ(original[idx[i]], keys[i]);
    QuickSort(keys.data(), 0, n - 1, false);
    EXPECT_TRUE(std::is_sorted(keys.rbegin(), keys.rend()));
  }
}

}  // namespace
}  // namespace zelvo
