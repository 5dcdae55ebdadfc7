// Results files read whole or refused with the line that does not read, a
// match counted once however many sources hold it, and the clubs taken to
// the team-name tables' names.
#include "model/match_history.h"

#include <gtest/gtest.h>

#include "model/club_names.h"
#include "model/history_sources.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

constexpr const char* kHeader =
    ",match_date,section_no,match_index_in_section,start_time,stadium,home_team,home_goal,"
    "away_goal,away_team,status,broadcast,attendance\n";

std::string Line(const std::string& date, const std::string& home, const std::string& hg,
                 const std::string& ag, const std::string& away,
                 const std::string& status = "試合終了") {
  return "0," + date + ",1,1,14:00,競技場," + home + "," + hg + "," + ag + "," + away + "," +
         status + ",放送,12345\n";
}

TEST(ResultsCsvTest, ReadsPlayedAndUnplayedMatchesInEveryEncoding) {
  const std::string body = std::string(kHeader) + Line("2024/02/23", "広島", "2", "0", "浦和") +
                           "\r\n" + Line("2024/3/2", "鹿島", "", "", "FC東京", "試合中止");
  for (const std::string& bytes : {body, "\xEF\xBB\xBF" + body, ToCp932(body)}) {
    std::vector<HistoryMatch> out;
    CsvRefusal refusal;
    ASSERT_TRUE(ParseResultsCsv(bytes, 1, out, refusal)) << refusal.Text();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], (HistoryMatch{DayNumber(2024, 2, 23), "広島", "浦和", 2, 0, 1}));
    EXPECT_EQ(out[1].home, "鹿島");
    EXPECT_FALSE(out[1].Played());
  }
}

TEST(ResultsCsvTest, RefusesADamagedOrForeignFileWithItsLineAndReadsNothing) {
  const std::string good = Line("2024/02/23", "広島", "2", "0", "浦和");
  struct Case {
    std::string text;
    int line;
  } cases[] = {
      {"No,Single\n1,11111\n", 1},                            // a singles file
      {"", 1},                                                // empty
      {std::string(kHeader) + good + "0,2024/02/24,1\n", 3},  // cut short
      {std::string(kHeader) + good + good + Line("2024/02/30", "a", "1", "1", "b"), 4},
      {std::string(kHeader) + good + Line("2024/02/24", "鹿島", "x", "1", "柏"), 3},
      {std::string(kHeader) + good + Line("2024/02/24", "鹿島", "1", "", "柏"), 3},
      {std::string(kHeader) + good + Line("2024/02/24", "柏", "1", "1", "柏"), 3},
      {std::string(kHeader) + "\n" + good + "0,\"2024/02/24,1\n", 4},  // quote left open
  };
  for (const Case& c : cases) {
    std::vector<HistoryMatch> out = {HistoryMatch{1, "x", "y", 0, 0, 0}};
    CsvRefusal refusal;
    EXPECT_FALSE(ParseResultsCsv(c.text, 1, out, refusal)) << c.text;
    EXPECT_EQ(refusal.line, c.line) << c.text << refusal.why;
    EXPECT_FALSE(refusal.why.empty());
    EXPECT_EQ(out.size(), 1u) << "half read: " << c.text;
  }
}

TEST(MatchHistoryTest, AMatchOfThePairOnTheDayIsOneMatchAndTheLaterScoreStands) {
  MatchHistory history;
  EXPECT_TRUE(history.Add({DayNumber(2024, 5, 3), "鹿島", "柏", 1, 0, 1}));
  const uint64_t before = history.Fingerprint();
  EXPECT_FALSE(history.Add({DayNumber(2024, 5, 3), "鹿島", "柏", 2, 0, 1}));
  EXPECT_TRUE(history.Add({DayNumber(2024, 5, 4), "鹿島", "柏", 0, 0, 1}));
  EXPECT_TRUE(history.Add({DayNumber(2024, 5, 3), "柏", "鹿島", 0, 0, 1}));
  EXPECT_FALSE(history.Add({DayNumber(2024, 5, 9), "柏", "浦和", -1, -1, 1}));  // not played
  ASSERT_EQ(history.size(), 3u);
  EXPECT_EQ(history.Matches()[0].home_goals + history.Matches()[1].home_goals, 2);
  EXPECT_NE(history.Fingerprint(), before);
  EXPECT_EQ(history.CountBefore(DayNumber(2024, 5, 4)), 2);
}

TEST(ClubNamesTest, NamesOfResultsFilesMeetTheTables) {
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  dir.WriteCp932("SysData/TeamName.dat",
                 testing::CrLf({"Ｇ大阪 = ガンバ大阪", "栃木SC = 栃木ＳＣ", "栃木Ｃ = 栃木シティ",
                                "FC東京 = ＦＣ東京"}));
  dir.WriteCp932("SysData/J1J2.dat", testing::CrLf({"2024J1 = Ｇ大阪,FC東京", "2024J2 = 栃木SC"}));
  clsTotoData toto;
  const ClubNames names(&toto);
  const int in_2024 = DayNumber(2024, 4, 1), in_2025 = DayNumber(2025, 4, 1);
  EXPECT_EQ(names.Canonical("G大阪", in_2024), "Ｇ大阪");
  EXPECT_EQ(names.Canonical("ＦＣ東京", in_2024), "FC東京");
  EXPECT_EQ(names.Canonical("栃木", in_2024), "栃木SC");
  EXPECT_EQ(names.Canonical("栃木", in_2025), "栃木");  // two clubs of that name by then
  EXPECT_EQ(names.Canonical("栃木C", in_2025), "栃木Ｃ");
  EXPECT_EQ(names.MatchLeague("Ｇ大阪", "FC東京", in_2024), 1);
  EXPECT_EQ(names.MatchLeague("Ｇ大阪", "栃木SC", in_2024), 0);

  // A file named by its league labels its matches; the clubs get the tables' names.
  dir.WriteBytes("results-J2.csv",
                 std::string(kHeader) + Line("2024/05/01", "栃木", "1", "0", "G大阪"));
  std::vector<HistoryMatch> read;
  std::string refusal;
  ASSERT_TRUE(ReadResultsFile(dir.path() + "/results-J2.csv", names, read, refusal)) << refusal;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0], (HistoryMatch{DayNumber(2024, 5, 1), "栃木SC", "Ｇ大阪", 1, 0, 2}));
}

}  // namespace
}  // namespace zelvo
