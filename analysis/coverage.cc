#include "analysis/coverage.h"

#include <algorithm>

#include "analysis/single_sets.h"
#include "core/single_number.h"

namespace zelvo {

CoverageReport AnalyseCoverage(std::span<const int> bought, std::span<const int> results) {
  CoverageReport r;
  r.tickets = static_cast<int64_t>(bought.size());
  // A million tickets hold at most 243 different singles: the work is on
  // those, not on the tickets.
  const std::vector<int> held = SinglesOf(MaskOf(bought));
  const SingleMask result_mask = MaskOf(results);
  r.bought_distinct = static_cast<int>(held.size());
  r.results = static_cast<int>(result_mask.count());
  r.duplicate_results = static_cast<int>(results.size()) - r.results;
  for (int res = 0; res < kSingles; ++res) {
    if (!result_mask[res]) continue;
    int nearest = kMatches;
    for (int s : held) nearest = std::min(nearest, SingleDistance(res, s));
    const int right = kMatches - nearest;
    ++r.right[right];
    if (r.worst_right < 0 || right < r.worst_right) r.worst_right = right;
    if (right < 4) r.outside_grade2.push_back(res);
    if (right < 3) r.outside_grade3.push_back(res);
  }
  return r;
}

}  // namespace zelvo
