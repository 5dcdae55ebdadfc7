// Vote status records for tests: five matches with the given vote counts
// per outcome code, the rates derived from them.
#ifndef ZELVOMINI_TESTS_COMMON_VOTE_BUILDER_H_
#define ZELVOMINI_TESTS_COMMON_VOTE_BUILDER_H_

#include <array>

#include "official/vote_record.h"

namespace zelvo::testing {

// counts[m] = vote counts of outcome codes 0, 1, 2 in match m.  The rates are
// the counts' percentages rounded to two decimals; the round is 1 unless told.
VoteStatusRecord MakeVoteRecord(const std::array<std::array<long long, 3>, 5>& counts,
                                int kaisaikai = 1);
// Every match with the same counts.
VoteStatusRecord MakeUniformVoteRecord(long long c0, long long c1, long long c2, int kaisaikai = 1);

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_VOTE_BUILDER_H_
