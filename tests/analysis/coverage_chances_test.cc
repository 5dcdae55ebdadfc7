// The coverage report and the chances against sets small enough to count by
// hand and against exhaustive sums over the 243 results.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "analysis/chances.h"
#include "analysis/coverage.h"
#include "analysis/single_sets.h"
#include "reduction/payout_estimate.h"
#include "reduction/probability.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/temp_dir.h"
#include "tests/common/vote_builder.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

using testing::Distance;

OutcomeProbabilities Uniform() {
  OutcomeProbabilities p;
  for (auto& m : p) m.fill(1.0 / 3);
  return p;
}

OutcomeProbabilities RandomProbabilities(std::mt19937& gen) {
  OutcomeProbabilities p;
  std::uniform_real_distribution<double> u(0.05, 1.0);
  for (auto& m : p) {
    double sum = 0;
    for (double& v : m) sum += v = u(gen);
    for (double& v : m) v /= sum;
  }
  return p;
}

// Bought lines with repeats, as added CSV files leave them.
std::vector<int> RandomBought(std::mt19937& gen, int size) {
  std::vector<int> out(size);
  for (int& s : out) s = std::uniform_int_distribution<int>(0, kSingles - 1)(gen);
  return out;
}

TEST(CoverageTest, OneSingleBoughtOverAllResults) {
  const std::vector<int> bought = {100, 100};
  CoverageReport r = AnalyseCoverage(bought, AllSingles());
  // Results with k of 5 right: C(5, k) * 2^(5 - k).
  EXPECT_EQ(r.right, (std::array<int, 6>{32, 80, 80, 40, 10, 1}));
  EXPECT_EQ(r.tickets, 2);
  EXPECT_EQ(r.bought_distinct, 1);
  EXPECT_EQ(r.results, 243);
  EXPECT_EQ(r.worst_right, 0);
  EXPECT_EQ(r.outside_grade2.size(), 232u);
  EXPECT_EQ(r.outside_grade3.size(), 192u);

  ChancesReport c = AnalyseChances(bought, Uniform(), nullptr);
  EXPECT_NEAR(c.win, 1.0 / 243, 1e-12);
  EXPECT_NEAR(c.at_least4, 11.0 / 243, 1e-12);
  EXPECT_NEAR(c.at_least3, 51.0 / 243, 1e-12);
  EXPECT_FALSE(c.has_payout);
  ASSERT_EQ(c.singles.size(), 1u);
  EXPECT_EQ(c.singles[0].tickets, 2);
}

TEST(CoverageTest, EverySingleBoughtWinsSurely) {
  std::mt19937 gen(3);
  CoverageReport r = AnalyseCoverage(AllSingles(), AllSingles());
  EXPECT_EQ(r.right[5], 243);
  EXPECT_EQ(r.worst_right, 5);
  EXPECT_TRUE(r.outside_grade2.empty());
  ChancesReport c = AnalyseChances(AllSingles(), RandomProbabilities(gen), nullptr);
  EXPECT_NEAR(c.win, 1.0, 1e-12);
  EXPECT_NEAR(c.at_least3, 1.0, 1e-12);
}

TEST(CoverageTest, EmptySetsGiveAnAnswer) {
  CoverageReport r = AnalyseCoverage({}, std::vector<int>{0, 5});
  EXPECT_EQ(r.right[0], 2);
  EXPECT_EQ(AnalyseCoverage(std::vector<int>{0}, {}).worst_right, -1);
  EXPECT_THROW(AnalyseCoverage(std::vector<int>{243}, AllSingles()), std::out_of_range);
}

TEST(CoverageTest, AgreesWithTheEngineCoverageCounts) {
  std::mt19937 gen(11);
  clsTProbability probability;
  for (int trial = 0; trial < 40; ++trial) {
    // Bought sets larger than the result sets too.
    std::vector<int> bought = RandomBought(gen, 1 + trial * 3);
    std::vector<int> results = testing::RandomTargets(gen, 1, 120);
    std::array<int, 6> tousen{};
    probability.GetTousen(results, bought, tousen);
    CoverageReport r = AnalyseCoverage(bought, results);
    EXPECT_EQ(r.results, tousen[0]);
    EXPECT_EQ(r.right[5], tousen[1]);
    EXPECT_EQ(r.right[5] + r.right[4], tousen[4]);
    EXPECT_EQ(r.right[5] + r.right[4] + r.right[3], tousen[5]);
    EXPECT_EQ(static_cast<int>(r.outside_grade2.size()), tousen[0] - tousen[4]);
    EXPECT_EQ(static_cast<int>(r.outside_grade3.size()), tousen[0] - tousen[5]);
  }
}

TEST(ChancesTest, MatchAnExhaustiveSumOverTheResults) {
  std::mt19937 gen(5);
  clsTMoney money;
  money.SetVote(testing::MakeVoteRecord(
      {{{300, 500, 200}, {100, 100, 800}, {333, 333, 334}, {50, 900, 50}, {600, 300, 100}}}));
  for (int trial = 0; trial < 10; ++trial) {
    const OutcomeProbabilities p = RandomProbabilities(gen);
    const std::vector<int> bought = RandomBought(gen, 1 + trial * 7);
    double win = 0, four = 0, three = 0;
    for (int res = 0; res < kSingles; ++res) {
      double q = 1;
      for (int m = 0; m < kMatches; ++m) q *= p[m][OutcomeOf(res, m)];
      int nearest = 5;
      for (int s : bought) nearest = std::min(nearest, Distance(res, s));
      win += nearest == 0 ? q : 0;
      four += nearest <= 1 ? q : 0;
      three += nearest <= 2 ? q : 0;
    }
    double expected = 0;
    for (int s : bought) {
      std::array<int, 5> kousei;
      double q = 1;
      for (int m = 0; m < kMatches; ++m) q *= p[m][kousei[m] = OutcomeOf(s, m)];
      expected += q * static_cast<double>(money.GetMoney1(kousei).Floor());
    }
    ChancesReport c = AnalyseChances(bought, p, &money);
    EXPECT_NEAR(c.win, win, 1e-12);
    EXPECT_NEAR(c.at_least4, four, 1e-12);
    EXPECT_NEAR(c.at_least3, three, 1e-12);
    EXPECT_NEAR(c.expected_return, expected, 1e-6 * expected);
    EXPECT_NEAR(c.per_100, expected / static_cast<double>(bought.size()), 1e-6 * expected);
    EXPECT_DOUBLE_EQ(c.stake, 100.0 * static_cast<double>(bought.size()));
  }
}

TEST(ChancesTest, OfficialRatesReturnTheLotterysShareOfTheStake) {
  // With the vote rates as probabilities the estimate pays back the return
  // share, 50 yen of every 100, less the yen the estimate cuts off.
  const VoteStatusRecord vote = testing::MakeVoteRecord(
      {{{300, 500, 200}, {100, 100, 800}, {333, 333, 334}, {50, 900, 50}, {600, 300, 100}}});
  OutcomeProbabilities p;
  std::string error;
  ASSERT_TRUE(ProbabilitiesFromVote(vote, p, error)) << error;
  EXPECT_DOUBLE_EQ(p[1][2], 0.8);
  clsTMoney money;
  money.SetVote(vote);
  ChancesReport c = AnalyseChances(AllSingles(), p, &money);
  EXPECT_LE(c.per_100, 50.0);
  EXPECT_GT(c.per_100, 49.99);

  VoteStatusRecord silent = vote;
  for (auto& o : silent.matches[3].outcomes) o.count = Money();
  EXPECT_FALSE(ProbabilitiesFromVote(silent, p, error));
  EXPECT_EQ(error, "the vote status has no votes for match 4");
}

TEST(ProbabilityFileTest, PercentagesAndOddsPerMatch) {
  // Lines are home, draw, away: outcome codes 1, 0, 2.  A percentage line
  // off by rounding is scaled; odds lose their margin proportionally.
  ProbabilityParse r = ParseProbabilities(
      "# round 1487 A\n50,30,20\n33.3,33.3,33.3\n\n10%,10%,80%\n60,20,20\n25,50,25\n",
      ProbabilityForm::kPercent);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_DOUBLE_EQ(r.p[0][1], 0.5);
  EXPECT_DOUBLE_EQ(r.p[0][0], 0.3);
  EXPECT_DOUBLE_EQ(r.p[0][2], 0.2);
  EXPECT_DOUBLE_EQ(r.p[1][0], 1.0 / 3);
  EXPECT_DOUBLE_EQ(r.p[2][2], 0.8);

  r = ParseProbabilities("1.8,3.6,3.6\r\n2,4,4\r\n3,3,3\r\n1.25,8,8\r\n1,10,10\r\n",
                         ProbabilityForm::kOdds);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_DOUBLE_EQ(r.p[0][1], 0.5);
  EXPECT_DOUBLE_EQ(r.p[0][0], 0.25);
  EXPECT_DOUBLE_EQ(r.p[0][2], 0.25);
  EXPECT_DOUBLE_EQ(r.p[1][1], 0.5);
  EXPECT_NEAR(r.p[3][1], 0.8 / 1.05, 1e-12);
  EXPECT_NEAR(r.p[4][1], 1 / 1.2, 1e-12);
}

TEST(ProbabilityFileTest, BadFilesNameTheLineAndGiveNothing) {
  const std::string ok = "40,30,30\n";
  struct Case {
    std::string text;
    ProbabilityForm form;
    int line;
    std::string error;
  };
  const Case cases[] = {
      {ok + ok + ok + ok, ProbabilityForm::kPercent, 0,
       "the line of match 5 is missing (4 of five lines home,draw,away given)"},
      {"", ProbabilityForm::kPercent, 0,
       "the line of match 1 is missing (0 of five lines home,draw,away given)"},
      {ok + "40,30,20\n" + ok + ok + ok, ProbabilityForm::kPercent, 2,
       "the rates of match 2 sum to 90, not 100"},
      {ok + ok + "0,50,50\n" + ok + ok, ProbabilityForm::kPercent, 3,
       "a rate must be above 0, found 0"},
      {ok + "-10,60,50\n" + ok + ok + ok, ProbabilityForm::kPercent, 2,
       "a rate must be above 0, found -10"},
      {ok + ok + ok + "40,abc,30\n" + ok, ProbabilityForm::kPercent, 4, "'abc' is not a number"},
      {ok + ok + ok + ok + "40,30\n", ProbabilityForm::kPercent, 5,
       "match 5 needs three values home,draw,away, found 2"},
      {ok + ok + ok + ok + ok + ok, ProbabilityForm::kPercent, 6,
       "more than five matches (one line per match: home,draw,away)"},
      {"2,3,4\n2,3,0.9\n", ProbabilityForm::kOdds, 2, "odds must be at least 1, found 0.9"},
      {"2,3,nan\n", ProbabilityForm::kOdds, 1,
       "'nan' is not a number (a heading line must begin with #)"},
      {"home,draw,away\n" + ok + ok + ok + ok + ok, ProbabilityForm::kPercent, 1,
       "'home' is not a number (a heading line must begin with #)"},
      {ok + "1e-400,50,50\n" + ok + ok + ok, ProbabilityForm::kPercent, 2,
       "'1e-400' is not a number"},
  };
  for (const Case& c : cases) {
    ProbabilityParse r = ParseProbabilities(c.text, c.form);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.line, c.line) << c.text;
    EXPECT_EQ(r.error, c.error) << c.text;
  }
}

// The same five matches as a spreadsheet may save them: every form reads
// as the plain one does, through the reader every command and window uses.
TEST(ProbabilityFileTest, FormsASpreadsheetWritesAreRead) {
  testing::TempProgramDir dir;
  const std::string plain = "50,30,20\n40,30,30\n60,25,15\n30,30,40\n45.5,34.5,20\n";
  const ProbabilityParse expected = ParseProbabilities(plain, ProbabilityForm::kPercent);
  ASSERT_TRUE(expected.ok);
  auto utf16 = [](const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
  };
  const struct {
    const char* name;
    std::string bytes;
  } forms[] = {
      {"CR line ends", ReplaceAll(plain, "\n", "\r")},
      {"CR LF line ends", ReplaceAll(plain, "\n", "\r\n")},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + plain},
      {"UTF-16 text", utf16(ReplaceAll(ReplaceAll(plain, ",", "\t"), "\n", "\r\n"))},
      {"tabs", ReplaceAll(plain, ",", "\t")},
      {"a line of only a tab", "\t\n" + plain + "\t\r\n"},
      {"semicolons and decimal commas", "50;30;20\n40;30;30\n60;25;15\n30;30;40\n45,5;34,5;20\n"},
      {"quoted cells and unused columns",
       "\"50\",\"30\",\"20\",,\n40,30,30,,\n60,25,15\n30,30,40\n\"45.5\",34.5,20,,\n"},
      {"full-width digits",
       ToCp932("５０,３０,２０\n40,30,30\n60,25,15\n30,30,40\n45.5,34.5,20\n")},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(form.name);
    dir.WriteBytes("p.csv", form.bytes);
    std::string text;
    ASSERT_TRUE(ReadTextFile(JoinPath(dir.path(), "p.csv"), text, false));
    const ProbabilityParse r = ParseProbabilities(text, ProbabilityForm::kPercent);
    ASSERT_TRUE(r.ok) << r.error << " (line " << r.line << ")";
    EXPECT_EQ(r.p, expected.p);
  }
}

}  // namespace
}  // namespace zelvo
