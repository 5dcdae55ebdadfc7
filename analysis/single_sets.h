// Sets of singles as bought lines or as possible results: the match distance
// between two singles, tickets per single number, and the set algebra of the
// line files (union, intersection, difference, duplicates, neighbours,
// complement).
#ifndef ZELVOMINI_ANALYSIS_SINGLE_SETS_H_
#define ZELVOMINI_ANALYSIS_SINGLE_SETS_H_

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

#include "core/multi_table.h"
#include "core/single_number.h"

namespace zelvo {

// Number of matches in which two singles differ (0 to 5), from a table built
// once: every analysis of a large purchase comes down to 243 x 243 of these.
int SingleDistance(int a, int b);

// How many times each single number occurs in a list.  Throws
// std::out_of_range on a number outside 0 to 242.
using SingleCounts = std::array<int64_t, kSingles>;
SingleCounts CountSingles(std::span<const int> singles);

using SingleMask = std::bitset<kSingles>;
// Throws std::out_of_range like CountSingles.
SingleMask MaskOf(std::span<const int> singles);
// The singles of a mask in ascending order.
std::vector<int> SinglesOf(const SingleMask& mask);

// The operations below treat their inputs as sets and give distinct singles
// in ascending order, except UniqueOf, which keeps the list's own order.
std::vector<int> UnionOf(std::span<const int> a, std::span<const int> b);
std::vector<int> IntersectionOf(std::span<const int> a, std::span<const int> b);
std::vector<int> DifferenceOf(std::span<const int> a, std::span<const int> b);
// The first occurrence of every single, in list order.
std::vector<int> UniqueOf(std::span<const int> a);
// Every single within `grade` - 1 matches of one of `a` (grade 2: itself and
// its one-match neighbours, grade 3: also the two-match ones).  Throws
// std::invalid_argument on another grade.
std::vector<int> ExpandOf(std::span<const int> a, int grade);
// The singles of `within` that are not in `a`.
std::vector<int> ComplementOf(std::span<const int> a, std::span<const int> within);
// The singles a multi expands to (its chosen cells), ascending.
std::vector<int> MultiSingles(const MultiTable& multi);
// 0, 1, ..., 242.
std::vector<int> AllSingles();

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_SINGLE_SETS_H_
