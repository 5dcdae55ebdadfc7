// Documents for the file and command-line tests: a record with every field
// away from its default, and a field-by-field comparison.
#ifndef ZELVOMINI_TESTS_COMMON_DOCUMENT_FIXTURES_H_
#define ZELVOMINI_TESTS_COMMON_DOCUMENT_FIXTURES_H_

#include "files/document_record.h"
#include "official/vote_record.h"

namespace zelvo::testing {

// A valid final vote status of round 512, group B.
VoteStatusRecord SampleVote();
// Round 512 group B with a multi, changed conditions in all three tables,
// engine and extraction settings, last-run figures, `singles` singles
// (cycling through 0 to 242), a two-line log and SampleVote().
DocumentRecord SampleDocument(int singles = 7);

// Adds a failure for every field that differs.
void ExpectSameVote(const VoteStatusRecord& a, const VoteStatusRecord& b);
void ExpectSameDocument(const DocumentRecord& a, const DocumentRecord& b);

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_DOCUMENT_FIXTURES_H_
