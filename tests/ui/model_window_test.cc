// The model's evaluation window over a small history of its own: the last
// season by default, the scores and the chart's points, and a CSV that may
// not go over a file of the history.
#include "ui/model_window.h"

#include <gtest/gtest.h>

#include "model/match_history.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

TEST(ModelWindowTest, EvaluatesTheLastSeasonAndSavesNoCsvOverTheHistory) {
  testing::FakePlatform fake;
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  const char* clubs[] = {"北", "南", "東", "西"};
  std::string csv = "match_date,home_team,home_goal,away_goal,away_team,status\n";
  for (int year : {2022, 2023}) {
    for (int week = 0; week < 24; ++week) {
      for (int h = 0; h < 4; ++h) {
        const int a = (h + 1 + week % 3) % 4;
        const int month = 3 + week / 3, day = 1 + (week % 3) * 7 + h;
        csv += std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day) +
               "," + clubs[h] + "," + std::to_string((4 - h + week) % 3) + "," +
               std::to_string((4 - a + week) % 2) + "," + clubs[a] + ",試合終了\n";
      }
    }
  }
  dir.WriteBytes("History/clubs-J1.csv", csv);
  clsTotoData toto;
  frmModelEvaluation w(toto);
  EXPECT_EQ(w.Season().IntValue(), 2023);
  EXPECT_NE(w.HistoryText().find("192試合"), std::string::npos);
  int changes = 0;
  w.on_changed = [&] { ++changes; };
  ASSERT_TRUE(w.Run());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(w.Report().matches.size(), 96u);
  EXPECT_EQ(w.Report().refits, 8);
  ASSERT_EQ(w.ScoreRows().size(), 3u);  // no archived vote rates
  EXPECT_EQ(w.ScoreRows()[0][1], "96");
  EXPECT_FALSE(w.ModelCalibration().empty());
  EXPECT_TRUE(w.PublicCalibration().empty());
  EXPECT_NE(w.Lines()[0].find("2023-03-01〜"), std::string::npos);

  // Saving over the history's own file is refused and leaves it whole.
  const std::string history_file = JoinPath(dir.path(), "History/clubs-J1.csv");
  fake.QueueFileName(history_file);
  EXPECT_FALSE(w.SaveCsv());
  EXPECT_EQ(dir.ReadBytes("History/clubs-J1.csv"), csv);
  fake.QueueFileName(JoinPath(dir.path(), "out.csv"));
  ASSERT_TRUE(w.SaveCsv());
  EXPECT_EQ(dir.ReadBytes("out.csv"), EvaluationCsv(w.Report()));

  // A season without matches of the chosen leagues says so.
  w.League(1).Click();
  fake.ClearRecords();
  EXPECT_FALSE(w.Run());
  ASSERT_EQ(fake.messages().size(), 1u);
}

}  // namespace
}  // namespace zelvo
