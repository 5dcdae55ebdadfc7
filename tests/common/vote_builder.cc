#include "tests/common/vote_builder.h"

#include <cmath>

namespace zelvo::testing {

VoteStatusRecord MakeVoteRecord(const std::array<std::array<long long, 3>, 5>& counts,
                                int kaisaikai) {
  VoteStatusRecord vote;
  vote.Kaisaikai = kaisaikai;
  for (int m = 0; m < 5; ++m) {
    long long total = counts[m][0] + counts[m][1] + counts[m][2];
    for (int o = 0; o < 3; ++o) {
      auto& out = vote.matches[m].outcomes[o];
      out.count = Money::FromInt(counts[m][o]);
      double rate = total ? std::round(counts[m][o] * 10000.0 / total) / 100.0 : 0.0;
      out.rate = Money::FromDouble(rate);
    }
  }
  return vote;
}

VoteStatusRecord MakeUniformVoteRecord(long long c0, long long c1, long long c2, int kaisaikai) {
  std::array<std::array<long long, 3>, 5> counts;
  counts.fill({c0, c1, c2});
  return MakeVoteRecord(counts, kaisaikai);
}

}  // namespace zelvo::testing
