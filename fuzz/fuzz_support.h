// What every fuzz target shares: a quiet platform on a fixed clock, a
// program folder of its own with the shipped team names, and the check that
// turns a broken invariant into a crash the fuzzer keeps.
#ifndef ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_
#define ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "official/result_record.h"
#include "official/schedule_record.h"

namespace zelvo::fuzz {

// Once per process: installs the platform and the program folder.
void Setup();

// Writes the bytes to a file below the program folder and returns its path.
std::string WriteInput(std::string_view relative, std::string_view bytes);

// Messages shown since the last call (the platform only counts them).
int TakeMessageCount();

// Aborts with the text when `ok` is false: a finding.
void Require(bool ok, const char* what);

// The part of a result that its cache file keeps.  A cancelled round is
// refunded, and its file holds the matches and the refund dates only: prizes,
// winner counts, carry-overs and sale dates that a page or a file may give
// for such a round are not written, so they cannot come back.
ResultRecord CachedPart(ResultRecord r);
// The part of a schedule that its cache file keeps.  A cancelled round's file
// says so where the result and payout dates would be, and those are not
// written.  No other holding state has a line (the not-held mark is a file
// of its own), so it reads back as a round held.
ScheduleRecord CachedPart(ScheduleRecord r);

// A schedule or result record, written by the cache's writer, reads back
// equal as far as the file keeps it.
template <typename Xml, typename Record>
void RequireCacheRoundTrip(const Record& record) {
  Xml xml;
  Require(xml.SetXmlString(Xml::GetXmlString(record)), "the cache refused what its writer wrote");
  Require(xml.Record() == CachedPart(record), "a record changed when written and read again");
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zelvo::fuzz

#endif  // ZELVOMINI_FUZZ_FUZZ_SUPPORT_H_
