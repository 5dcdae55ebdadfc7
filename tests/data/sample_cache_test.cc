// The sample cache shipped in the program folder: the round document finds
// a complete schedule, a valid final vote status and a valid result for
// both groups of the sample round.
#include <gtest/gtest.h>

#include "core/round_document.h"
#include "official/record_checks.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/official_fixtures.h"

namespace zelvo {
namespace {

TEST(SampleCacheTest, BothGroupsOfTheSampleRoundAreCachedAndValid) {
  std::string previous = ProgramDir();
  SetProgramDir(ZELVO_PROGRAM_DIR_FOR_TESTS);
  testing::FakePlatform fake;
  {
    clsTMain doc;
    doc.Initialize();
    for (const char* group : {"B", "A"}) {
      SCOPED_TRACE(group);
      doc.SetKumi(group);
      doc.SetKaisaikai(testing::kSampleRound);
      EXPECT_TRUE(IsScheduleComplete(doc.Schedule()));
      EXPECT_TRUE(IsVoteValid(doc.Vote()));
      EXPECT_EQ(doc.Vote().as_of, doc.Vote().sale_end);
      EXPECT_TRUE(IsResultValid(doc.Result()));
      // The three records speak of the same matches.
      for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(doc.Vote().matches[n].home, doc.Schedule().matches[n].home);
        EXPECT_EQ(doc.Result().matches[n].away, doc.Schedule().matches[n].away);
      }
    }
  }
  EXPECT_TRUE(fake.messages().empty());
  SetProgramDir(previous);
}

}  // namespace
}  // namespace zelvo
