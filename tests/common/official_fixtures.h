// Fixtures of the official-data tests: the hand-written pages of the
// official site, the shipped sample cache, the shipped team-name tables in a
// test's program folder, and settings that point the scrapers at a local
// server.
#ifndef ZELVOMINI_TESTS_COMMON_OFFICIAL_FIXTURES_H_
#define ZELVOMINI_TESTS_COMMON_OFFICIAL_FIXTURES_H_

#include <string>
#include <string_view>

#include "tests/common/temp_dir.h"

namespace zelvo::testing {

class HttpTestServer;

// The round of the pages and the sample cache.
inline constexpr int kSampleRound = 1487;

// A source file of the repository as its UTF-8 bytes ("data/SysData/...",
// "tests/official/testdata/pages/vote_1487_A.html").
std::string ReadRepoFile(std::string_view relative);
// tests/official/testdata/pages/<name>.
std::string ReadPage(std::string_view name);
// A shipped file (UTF-8, LF) as the build ships it: CP932 with CR LF.
std::string ShippedBytes(std::string_view relative_to_data);

// SysData with the shipped TeamName.dat, TeamName1.dat, TeamName2.dat and
// J1J2.dat, as start-up requires.
void InstallShippedTeamNames(const TempProgramDir& dir);

// The page addresses as the official site forms them, on the local server:
// /schedule?holdCntId=, /vote?holdCntId= (with &commodityId=06 / 07),
// /result?holdCntId=.  Set in the process-wide settings, or written as
// SysData/totoSettings.ini for a run of the command line.
void PointSettingsAt(const HttpTestServer& server);
void WriteSettingsFor(const TempProgramDir& dir, const HttpTestServer& server);

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_OFFICIAL_FIXTURES_H_
