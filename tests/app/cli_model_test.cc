// The model command over a small history of its own: files added whole or
// not at all, the evaluation's CSV, and a document's own probabilities taken
// from the model.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/text.h"
#include "tests/app/cli_fixture.h"

namespace zelvo {
namespace {

// Two seasons of the five pairs of the sample round 1487 A, each pair both
// ways, before its first match day (2024/06/22).
std::string History() {
  const char* clubs[] = {"鹿島", "FC東京", "浦和", "京都", "川崎Ｆ",
                         "新潟", "Ｇ大阪", "神戸", "広島", "町田"};
  std::string csv = "match_date,home_team,home_goal,away_goal,away_team,status\n";
  for (int year : {2023, 2024}) {
    for (int h = 0; h < 10; ++h) {
      for (int a = 0; a < 10; ++a) {
        if (h == a) continue;
        const int month = year == 2024 ? 2 + (h + a) % 4 : 3 + (h * 3 + a) % 8;
        csv += std::to_string(year) + "/" + std::to_string(month) + "/" +
               std::to_string(1 + h * 2) + "," + clubs[h] + "," +
               std::to_string((h + a + year) % 3) + "," + std::to_string((a * 2 + year) % 3) + "," +
               clubs[a] + ",試合終了\n";
      }
    }
  }
  return csv;
}

class CliModelTest : public testing::CliTest {};

TEST_F(CliModelTest, AddTakesAWholeFileOrNothing) {
  const std::string good = Write("j1.csv", History());
  std::string damaged = History();
  damaged.insert(damaged.find('\n', damaged.find('\n') + 1) + 1,
                 "2024/13/01,鹿島,1,0,浦和,試合終了\n");
  const std::string bad = Write("bad.csv", damaged);
  EXPECT_EQ(Run({"model", "add", bad}), 1);
  EXPECT_TRUE(Contains(err_.str(), "bad.csv: line 3: no date in match_date")) << err_.str();
  EXPECT_TRUE(Contains(err_.str(), "nothing was added"));
  EXPECT_FALSE(std::filesystem::exists(dir_.SysData("UserResults/bad.csv")));
  ASSERT_EQ(Run({"model", "add", good}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "180 finished matches, 180 not in the history before"));
  EXPECT_EQ(dir_.ReadBytes("SysData/UserResults/j1.csv"), History());
  // A second add of the same matches adds none.
  ASSERT_EQ(Run({"model", "add", good}), 0);
  EXPECT_TRUE(Contains(out_.str(), "180 finished matches, 0 not in the history before"));
  ASSERT_EQ(Run({"model"}), 0);
  EXPECT_TRUE(Contains(out_.str(), "added results: 1 files, 180 matches"));
}

TEST_F(CliModelTest, EvaluateWritesOneRowPerPredictedMatchAndNeverOverAnInput) {
  std::string history = History();
  const std::string test_file = Write("test.csv",
                                      "match_date,home_team,home_goal,away_goal,away_team,status\n"
                                      "2024/07/06,鹿島,2,1,浦和,試合終了\n"
                                      "2024/07/07,新潟,,,町田,試合中止\n"
                                      "2024/08/03,京都,0,0,神戸,試合終了\n");
  const std::string history_file = Write("history.csv", history);
  EXPECT_EQ(Run({"model", "evaluate", "--test", test_file, "--history", history_file, "--csv",
                 history_file}),
            1);
  EXPECT_EQ(dir_.ReadBytes("history.csv"), history);
  ASSERT_EQ(Run({"model", "evaluate", "--test", test_file, "--history", history_file, "--csv",
                 Path("out.csv")}),
            0)
      << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Test: 2 matches from 2024-07-06 to 2024-08-03, 2 monthly"));
  EXPECT_TRUE(Contains(out_.str(), "1 not played (no score)"));
  const std::vector<std::string> rows = Split(dir_.ReadBytes("out.csv"), "\n");
  ASSERT_EQ(rows.size(), 4u);  // header, two matches, the last line's end
  EXPECT_EQ(rows[0], "date,home,away,home_goals,away_goals,p_home,p_draw,p_away");
  EXPECT_TRUE(rows[1].starts_with("2024-07-06,鹿島,浦和,2,1,0.")) << rows[1];
}

TEST_F(CliModelTest, ProbsTakesTheModelsFiguresMarkedWithTheFit) {
  dir_.WriteBytes("History/2023-J1.csv", History());
  const std::string doc = Path("sample.tpd");
  std::filesystem::copy_file(
      std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/sample-guarantee.tpd", doc);
  ASSERT_EQ(Run({"probs", doc, "--model"}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "fitted on 180 matches before 2024-06-22"));
  clsTFileTPD tpd;
  DocumentRecord read;
  ASSERT_TRUE(tpd.LoadFile(doc, read));
  ASSERT_TRUE(read.OwnProbs.set);
  EXPECT_EQ(read.OwnProbs.source,
            (OwnProbabilitySource{
                true, DateTime::Date(2024, 6, 22), 180, {true, true, true, true, true}}));
  // Typed figures are the user's own again.
  const std::string own = Write("own.csv", "50,30,20\n50,30,20\n50,30,20\n50,30,20\n50,30,20\n");
  ASSERT_EQ(Run({"probs", doc, "--set", own}), 0) << err_.str();
  ASSERT_TRUE(tpd.LoadFile(doc, read));
  EXPECT_FALSE(read.OwnProbs.source.model);
}

}  // namespace
}  // namespace zelvo
