// The analysis commands of zelvomini-cli on the shipped sample documents and
// on small CSV files in a temporary program folder.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/minimum.h"
#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/app/cli_fixture.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class CliAnalysisTest : public testing::CliTest {
 protected:
  std::string ShippedSample(const std::string& name) {
    std::string from = std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/" + name;
    std::filesystem::copy_file(from, Path(name), std::filesystem::copy_options::overwrite_existing);
    return Path(name);
  }
  // The last `n` lines of the output.
  std::vector<std::string> Tail(size_t n) const {
    std::vector<std::string> lines = Split(out_.str(), "\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return std::vector<std::string>(lines.end() - std::min(n, lines.size()), lines.end());
  }
};

TEST_F(CliAnalysisTest, CoverageEndsWithTheLinesScriptsRead) {
  std::string one = Write("one.csv", "1,0,2,0,1\r\n");
  ASSERT_EQ(Run({"coverage", one}), 0) << err_.str();
  EXPECT_EQ(Tail(8), (std::vector<std::string>{"right 5: 1", "right 4: 10", "right 3: 40",
                                               "right 2: 80", "right 1: 80", "right 0: 32",
                                               "outside grade 2: 232", "outside grade 3: 192"}));
  EXPECT_TRUE(Contains(out_.str(), "Worst case: 0 right\n"));

  // The sample's stored coverage counts come back from its reduction rerun.
  std::string doc = ShippedSample("sample-guarantee.tpd");
  clsTFileTPD tpd;
  DocumentRecord stored;
  ASSERT_TRUE(LoadDocumentFile(tpd, doc, true, false, stored));
  const std::array<int, 6>& tousen = stored.MsTousen;
  ASSERT_GT(tousen[0], 0);
  ASSERT_EQ(Run({"coverage", doc, "--results", "reduced"}), 0) << err_.str();
  EXPECT_TRUE(
      Contains(out_.str(), "Results: " + std::to_string(tousen[0]) + " (the reduced singles of"))
      << out_.str();
  std::vector<int> right;
  for (const std::string& line : Tail(8)) right.push_back(std::stoi(line.substr(line.rfind(' '))));
  EXPECT_EQ(right[0], tousen[1]);
  EXPECT_EQ(right[0] + right[1], tousen[4]);
  EXPECT_EQ(right[0] + right[1] + right[2], tousen[5]);
  EXPECT_EQ(right[6], tousen[0] - tousen[4]);
  EXPECT_EQ(right[7], tousen[0] - tousen[5]);

  // Results from a file, repeats counted once; the bought set may be larger.
  std::string results = Write("r.csv", "1,0,2,0,1\r\n1,0,2,0,1\r\n2,2,2,2,2\r\n");
  ASSERT_EQ(Run({"coverage", doc, "--results", results}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Results: 2 (" + results + "), 1 repeated ones counted once"));
}

TEST_F(CliAnalysisTest, ChancesWithOfficialRatesAndTheUsersOdds) {
  std::string doc = ShippedSample("sample-guarantee.tpd");
  ASSERT_EQ(Run({"chances", doc, "--per-single"}), 0) << err_.str();
  std::string out = out_.str();
  EXPECT_TRUE(Contains(out, "Bought: 18 singles (18 different), stake 1,800 yen\n")) << out;
  EXPECT_TRUE(Contains(out, "Probabilities: official vote rates of " + doc)) << out;
  EXPECT_TRUE(
      Contains(out, "single\ttickets\tprobability\tpayout\tvalue per 100 yen\tvalue ratio\n"))
      << out;
  // With the official rates as the chances every single is worth its share.
  EXPECT_FALSE(Contains(out, "\t0.99\n") || Contains(out, "\t1.01\n")) << out;
  EXPECT_TRUE(Contains(out, "\t1.00\n")) << out;

  // Even odds on every outcome: one single of 243 wins.  The CSV purchase
  // takes its payout estimate from --doc.
  std::string odds = Write("odds.csv", "3,3,3\n3,3,3\n3,3,3\n3,3,3\n3,3,3\n");
  std::string one = Write("one.csv", "1,0,2,0,1\r\n");
  ASSERT_EQ(Run({"chances", one, "--probs", odds, "--odds", "--doc", doc}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "5 right (a win): 0.411523%\n")) << out_.str();
  EXPECT_TRUE(Contains(out_.str(), "At least 4 right: 4.52675%\n")) << out_.str();
  EXPECT_TRUE(Contains(out_.str(), "yen per 100 yen staked (payout estimate of")) << out_.str();

  // Without a document there is no estimate, but the chances stand.
  ASSERT_EQ(Run({"chances", one, "--probs", odds, "--odds"}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Expected return: not known")) << out_.str();
}

TEST_F(CliAnalysisTest, BadInputFailsOnStderrWithNothingComputed) {
  std::string doc = ShippedSample("sample-guarantee.tpd");
  std::string probs = Write("p.csv", "40,30,30\n40,30,30\n40,abc,30\n40,30,30\n40,30,30\n");
  EXPECT_EQ(Run({"chances", doc, "--probs", probs}), 1);
  EXPECT_TRUE(Contains(err_.str(), "zelvomini-cli: " + probs + ":3: 'abc' is not a number\n"))
      << err_.str();
  EXPECT_EQ(out_.str(), "");

  std::string one = Write("one.csv", "1,0,2,0,1\r\n");
  EXPECT_EQ(Run({"chances", one}), 1);
  EXPECT_TRUE(Contains(err_.str(), "no probabilities: give --probs FILE.csv")) << err_.str();

  std::string empty = Write("empty.csv", "");
  EXPECT_EQ(Run({"coverage", empty}), 1);
  EXPECT_EQ(err_.str(), "zelvomini-cli: " + empty + ": 読み込めるシングルがありません。\n");
  EXPECT_EQ(Run({"coverage", one, "--results", "reduced"}), 1);
  EXPECT_TRUE(Contains(err_.str(), "--results reduced needs a document")) << err_.str();
  EXPECT_EQ(Run({"coverage", Path("missing.csv")}), 1);
  EXPECT_TRUE(Contains(err_.str(), "cannot read")) << err_.str();

  EXPECT_EQ(Run({"coverage"}), 64);
  EXPECT_EQ(Run({"chances", one, "--odds"}), 64);
  EXPECT_EQ(Run({"minimum", doc, "--grade", "4"}), 64);
  EXPECT_EQ(Run({"minimum", doc, "--time", "0"}), 64);
  EXPECT_EQ(Run({"minimum", doc, "--targets", "all"}), 64);
  EXPECT_EQ(Run({"lines", "union", one}), 64);
  EXPECT_EQ(Run({"lines", "expand", one}), 64);
}

TEST_F(CliAnalysisTest, MinimumOfADocumentAndOfTargets) {
  if (!MinimumSolverBuiltIn()) {
    EXPECT_EQ(Run({"minimum", "--targets", "all"}), 1);
    EXPECT_TRUE(Contains(err_.str(), "not built in")) << err_.str();
    return;
  }
  // The sample's fast engine keeps 18 singles for grade 2 over its 57.
  std::string doc = ShippedSample("sample-guarantee.tpd");
  ASSERT_EQ(Run({"minimum", doc}), 0) << err_.str();
  std::vector<std::string> tail = Tail(2);
  ASSERT_TRUE(StartsWithNoCase(tail[1], "minimum: ")) << out_.str();
  EXPECT_TRUE(Contains(tail[1], " proven")) << out_.str();
  EXPECT_TRUE(StartsWithNoCase(tail[0], "Document's singles: 18, not optimal")) << out_.str();

  ASSERT_EQ(Run({"minimum", "--targets", "all", "--grade", "3"}), 0) << err_.str();
  EXPECT_EQ(Tail(1)[0], "minimum: 8 proven");

  // 00000 and 11100 differ in three matches; 00100 lies two from each.
  std::string two = Write("two.csv", "0,0,0,0,0\r\n1,1,1,0,0\r\n");
  ASSERT_EQ(Run({"minimum", "--targets", two}), 0) << err_.str();
  EXPECT_EQ(Tail(1)[0], "minimum: 2 proven");
  ASSERT_EQ(Run({"minimum", "--targets", two, "--grade", "3"}), 0) << err_.str();
  EXPECT_EQ(Tail(1)[0], "minimum: 1 proven");
  ASSERT_EQ(Run({"minimum", "--targets", two, "--grade", "3", "--within"}), 0) << err_.str();
  EXPECT_EQ(Tail(1)[0], "minimum: 2 proven");
}

TEST_F(CliAnalysisTest, LinesWriteCsvAndDocuments) {
  std::string a = Write("a.csv", "1,0,2,0,1\r\n0,0,0,0,0\r\n1,0,2,0,1\r\n");
  std::string b = Write("b.csv", "0,0,0,0,0\r\n2,2,2,2,2\r\n");
  ASSERT_EQ(Run({"lines", "union", a, b}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "00000\n10201\n22222\n");
  ASSERT_EQ(Run({"lines", "diff", a, b, "-o", Path("d.csv")}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "1 singles written to " + Path("d.csv") + "\n");
  EXPECT_EQ(dir_.ReadBytes("d.csv"), "1,0,2,0,1\r\n");
  ASSERT_EQ(Run({"lines", "expand", b, "--grade", "2"}), 0) << err_.str();
  EXPECT_EQ(Split(out_.str(), "\n").size(), 23u);

  // A document output copies the input document with the new singles.
  std::string doc = ShippedSample("sample-tolerance.tpd");
  EXPECT_EQ(Run({"lines", "complement", a, "-o", Path("c.tpd")}), 1);
  EXPECT_TRUE(Contains(err_.str(), "a .tpd output is a copy of a document")) << err_.str();
  ASSERT_EQ(Run({"lines", "complement", doc, "--multi", doc, "-o", Path("c.tpd")}), 0)
      << err_.str();
  clsTFileTPD tpd;
  DocumentRecord in, out;
  ASSERT_TRUE(LoadDocumentFile(tpd, doc, true, false, in));
  ASSERT_TRUE(LoadDocumentFile(tpd, Path("c.tpd"), true, false, out));
  EXPECT_EQ(out.Kaisaikai, in.Kaisaikai);
  EXPECT_EQ(out.Multi, in.Multi);
  // The multi 2:2:3:3:2 / 1:1:1:1:1 / 3:0:2:2:0 expands to 3*2*3*3*2 = 108.
  EXPECT_EQ(out.SingleCount, 108 - in.SingleCount);
  for (int s : out.SingleData) {
    EXPECT_EQ(std::find(in.SingleData.begin(), in.SingleData.end(), s), in.SingleData.end());
  }
}

}  // namespace
}  // namespace zelvo
