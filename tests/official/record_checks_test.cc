// What makes a record fit to be cached and used: each rule broken alone on
// an otherwise good record of the sample round.
#include "official/record_checks.h"

#include <gtest/gtest.h>

#include <functional>

#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "tests/common/fake_platform.h"
#include "tests/common/official_fixtures.h"

namespace zelvo {
namespace {

std::string Sample(const std::string& relative) {
  return testing::ReadRepoFile("data/" + relative);
}

class RecordChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clsXmlSchedule s;
    ASSERT_TRUE(s.SetXmlString(Sample("SysData/minitoto_Schedule/minitoto_schedule_1487_A.xml")));
    schedule_ = s.Record();
    clsXmlVote v;
    ASSERT_TRUE(v.SetXmlString(Sample("SysData/minitoto_Vote/minitoto_vote_1487_A.xml"), true));
    vote_ = v.Record();
    clsXmlResult r;
    ASSERT_TRUE(r.SetXmlString(Sample("SysData/minitoto_Result/minitoto_result_1487_A.xml")));
    result_ = r.Record();
  }
  testing::FakePlatform fake_;
  ScheduleRecord schedule_;
  VoteStatusRecord vote_;
  ResultRecord result_;
};

TEST_F(RecordChecksTest, SampleRecordsPass) {
  EXPECT_TRUE(IsScheduleComplete(schedule_));
  EXPECT_TRUE(IsVoteValid(vote_));
  EXPECT_TRUE(IsResultValid(result_));
}

TEST_F(RecordChecksTest, ScheduleNeedsMatchesAndForANormalRoundItsDates) {
  const std::vector<std::pair<const char*, std::function<void(ScheduleRecord&)>>> breaks = {
      {"round 0", [](ScheduleRecord& r) { r.Kaisaikai = 0; }},
      {"no stadium", [](ScheduleRecord& r) { r.matches[3].stadium.clear(); }},
      {"no away", [](ScheduleRecord& r) { r.matches[4].away.clear(); }},
      {"no match date", [](ScheduleRecord& r) { r.matches[0].match_date = DateTime(); }},
      {"no sale end", [](ScheduleRecord& r) { r.sale_end = DateTime(); }},
      {"no announcement", [](ScheduleRecord& r) { r.result_announcement = DateTime(); }},
      {"sale ends before it starts",
       [](ScheduleRecord& r) { r.sale_end = DateTime::Date(2024, 6, 1); }},
  };
  for (const auto& [name, spoil] : breaks) {
    ScheduleRecord r = schedule_;
    spoil(r);
    EXPECT_FALSE(IsScheduleComplete(r)) << name;
  }
  // A cancelled round has no result dates to wait for.
  ScheduleRecord cancelled = schedule_;
  cancelled.holding_state = kHoldingCancelled;
  cancelled.result_announcement = DateTime();
  cancelled.payout_start = DateTime();
  EXPECT_TRUE(IsScheduleComplete(cancelled));
  // The not-held marker holds no matches.
  ScheduleRecord marker;
  marker.Kaisaikai = 85;
  marker.holding_state = kHoldingNotHeld;
  EXPECT_FALSE(IsScheduleComplete(marker));
}

TEST_F(RecordChecksTest, VoteStatusBreaksEachOfItsRules) {
  const Money one = Money::FromInt(1);
  const std::vector<std::pair<const char*, std::function<void(VoteStatusRecord&)>>> breaks = {
      {"1: round", [](VoteStatusRecord& r) { r.Kaisaikai = 0; }},
      {"1: as-of", [](VoteStatusRecord& r) { r.as_of = DateTime(); }},
      {"2: home", [](VoteStatusRecord& r) { r.matches[1].home.clear(); }},
      {"2: date", [](VoteStatusRecord& r) { r.matches[4].match_date = DateTime(); }},
      {"3: no votes", [](VoteStatusRecord& r) { r.matches[2].outcomes[0].count = Money(); }},
      {"3: zero rate",
       [](VoteStatusRecord& r) {
         r.matches[2].outcomes[1].rate += r.matches[2].outcomes[0].rate;
         r.matches[2].outcomes[0].rate = Money();
       }},
      {"3: 33.3 x 3",
       [](VoteStatusRecord& r) {
         for (VoteOutcome& o : r.matches[0].outcomes) Money::Parse("33.3", o.rate);
       }},
      {"4: negative", [](VoteStatusRecord& r) { r.cards[kMulti] = Money::FromInt(-1); }},
      {"4: multi + single", [one](VoteStatusRecord& r) { r.cards[kMulti] += one; }},
      {"5: payout deadline", [](VoteStatusRecord& r) { r.payout_deadline = DateTime(); }},
      {"5: sale end in 2099", [](VoteStatusRecord& r) { r.sale_end = DateTime::Date(2099, 1, 1); }},
      {"6: 100 yen a ticket",
       [one](VoteStatusRecord& r) {
         r.sales[kTotal] += one;
         r.sales[kSingle] += one;
       }},
  };
  for (const auto& [name, spoil] : breaks) {
    VoteStatusRecord r = vote_;
    spoil(r);
    EXPECT_FALSE(IsVoteValid(r)) << name;
  }
  // 1000 tickets for 100000 yen are consistent.
  VoteStatusRecord r = vote_;
  r.tickets = {Money::FromInt(1000), Money::FromInt(600), Money::FromInt(400)};
  r.sales = {Money::FromInt(100000), Money::FromInt(60000), Money::FromInt(40000)};
  EXPECT_TRUE(IsVoteValid(r));
}

TEST_F(RecordChecksTest, ResultLimitsScoresAndNeedsPrizesUnlessCancelled) {
  const std::vector<std::pair<const char*, std::function<void(ResultRecord&)>>> breaks = {
      {"round", [](ResultRecord& r) { r.Kaisaikai = 0; }},
      {"stadium", [](ResultRecord& r) { r.matches[0].stadium.clear(); }},
      {"score 31", [](ResultRecord& r) { r.matches[1].home_score = 31; }},
      {"result 4", [](ResultRecord& r) { r.matches[1].result = 4; }},
      {"negative prize", [](ResultRecord& r) { r.prize[0] = Money::FromInt(-1); }},
      {"no sale start", [](ResultRecord& r) { r.sale_start = DateTime(); }},
      // Match 1 ended 2-1: an away win contradicts the score.
      {"2-1 as away win", [](ResultRecord& r) { r.matches[0].result = 2; }},
      {"1-1 as home win", [](ResultRecord& r) { r.matches[1].result = 1; }},
      {"sale in 2099", [](ResultRecord& r) { r.sale_start = DateTime::Date(2099, 6, 15); }},
      {"match in 1999",
       [](ResultRecord& r) { r.matches[2].match_date = DateTime::Date(1999, 6, 22); }},
      {"payout before result",
       [](ResultRecord& r) { r.payout_start = DateTime::Date(2024, 6, 1); }},
  };
  for (const auto& [name, spoil] : breaks) {
    ResultRecord r = result_;
    spoil(r);
    EXPECT_FALSE(IsResultValid(r)) << name;
  }
  ResultRecord r = result_;
  r.matches[1].away_score = 30;
  r.matches[1].result = 2;
  EXPECT_TRUE(IsResultValid(r));
  // A match called off keeps the score it had; its code is 3 whatever it was.
  r.matches[0].result = kResultCancelled;
  EXPECT_TRUE(IsResultValid(r));
  r.cancelled = true;
  r.sale_start = DateTime();
  r.prize[0] = Money::FromInt(-1);
  EXPECT_TRUE(IsResultValid(r));
}

}  // namespace
}  // namespace zelvo
