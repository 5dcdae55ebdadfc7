// The match table: dates, teams and leagues from the schedule, vote rates and
// bars from the vote status, and the vote title.
#include <gtest/gtest.h>

#include "tests/common/fake_platform.h"
#include "tests/common/vote_builder.h"
#include "ui/match_table.h"

namespace zelvo {
namespace {

TEST(MatchTableTest, EmptyBeforeAnyRecord) {
  testing::FakePlatform fake;
  clsTGame game;
  game.Initialize(false, nullptr);
  EXPECT_EQ(game.MatchGrid().ColWidth(2), 0);  // no league column
  EXPECT_EQ(game.MatchGrid().Text(2, 1), "");
  // Matches are numbered 1 to 5, as on the singles page.
  EXPECT_EQ(game.MatchGrid().Text(2, 3), "1");
  EXPECT_EQ(game.MatchGrid().Text(6, 3), "5");
  EXPECT_EQ(game.MatchGrid().Text(6, 4), "");
  EXPECT_EQ(game.VoteGrid().Text(1, 1), "0.00");
  EXPECT_EQ(game.Graph().Share(1, 0), 0);
  EXPECT_EQ(game.VoteTitle(), "投 票 率");
  EXPECT_EQ(game.MatchGrid().Cell(3, 1).back, kColorLightYellow);
  EXPECT_EQ(game.VoteGrid().Cell(4, 1).back, kColorLightYellow);
  EXPECT_TRUE(fake.messages().empty());
}

TEST(MatchTableTest, RatesBarsAndTitle) {
  testing::FakePlatform fake;
  clsTGame game;
  game.Initialize(true, nullptr);
  ScheduleRecord schedule;
  schedule.Kaisaikai = 1487;
  schedule.matches[1].home = "浦和";
  schedule.matches[1].away = "京都";
  schedule.matches[1].match_date = DateTime::Date(2024, 6, 22);
  game.SetSchedule(schedule);
  EXPECT_EQ(game.MatchGrid().Text(3, 1), "06/22");
  EXPECT_EQ(game.MatchGrid().Text(3, 4), "浦和");

  // Counts by outcome code 0, 1, 2: the table shows 1, 0, 2.
  VoteStatusRecord vote = testing::MakeUniformVoteRecord(25, 50, 25, 1487);
  game.SetVote(vote);
  EXPECT_EQ(game.VoteGrid().Text(1, 1), "50.00");
  EXPECT_EQ(game.VoteGrid().Text(1, 2), "25.00");
  EXPECT_DOUBLE_EQ(game.Graph().Share(3, 0), 0.5);
  EXPECT_EQ(game.VoteTitle(), "投 票 率 (ユーザー定義)");

  DateTime::FromParts(2024, 6, 22, 13, 50, 0, vote.sale_end);
  vote.as_of = vote.sale_end;
  game.SetVote(vote);
  EXPECT_EQ(game.VoteTitle(), "投票率 2024/06/22 13:50 [最終]");
  DateTime::FromParts(2024, 6, 21, 9, 5, 0, vote.as_of);
  EXPECT_EQ(clsTGame::VoteTitleText(vote), "投票率 2024/06/21 09:05 ");

  // A click switches between the percentages and the vote counts, and a new
  // record keeps the display chosen.
  int clicks = 0;
  game.Click = [&] { ++clicks; };
  vote.matches[0].outcomes[1].count = Money::FromInt(123456);
  game.SetVote(vote);
  game.ShowCounts(true);
  EXPECT_EQ(game.VoteGrid().Text(1, 1), "123,456");
  game.SetVote(testing::MakeUniformVoteRecord(25, 50, 25, 1487));
  EXPECT_TRUE(game.CountsShown());
  EXPECT_EQ(game.VoteGrid().Text(1, 1), "50");
  game.ShowCounts(false);
  EXPECT_EQ(game.VoteGrid().Text(1, 1), "50.00");
  game.VoteGrid().Click({});
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace zelvo
