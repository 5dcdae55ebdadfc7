// How a purchase fares over a set of possible results: for each result the
// most matches right that one of the bought singles has.
#ifndef ZELVOMINI_ANALYSIS_COVERAGE_H_
#define ZELVOMINI_ANALYSIS_COVERAGE_H_

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zelvo {

struct CoverageReport {
  int64_t tickets = 0;        // bought singles, duplicates included
  int bought_distinct = 0;    // different bought singles
  int results = 0;            // different results
  int duplicate_results = 0;  // repeated results, counted once
  // right[k]: results whose best bought single has k of the 5 matches right.
  std::array<int, 6> right{};
  // Fewest matches right over the results (the guaranteed figure); -1 when
  // there are no results.
  int worst_right = -1;
  // Results no bought single reaches at grade 2 (3 right or fewer) and at
  // grade 3 (2 right or fewer), ascending.
  std::vector<int> outside_grade2;
  std::vector<int> outside_grade3;
};

// Every number must be 0 to 242 (std::out_of_range otherwise).  With nothing
// bought every result counts as 0 right.
CoverageReport AnalyseCoverage(std::span<const int> bought, std::span<const int> results);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_COVERAGE_H_
