// The live command on documents of a temporary program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/app/cli_fixture.h"
#include "tests/common/document_fixtures.h"

namespace zelvo {
namespace {

int S(int d1, int d2, int d3, int d4, int d5) { return d1 + 3 * d2 + 9 * d3 + 27 * d4 + 81 * d5; }

class CliLiveTest : public testing::CliTest {
 protected:
  std::string SaveDoc(const std::string& name, std::vector<int> singles, int round = 512) {
    DocumentRecord doc = testing::SampleDocument();
    doc.Kaisaikai = round;
    doc.SingleData = std::move(singles);
    doc.SingleCount = static_cast<int>(doc.SingleData.size());
    MakeDirs(ParentDir(Path(name)));
    clsTFileTPD tpd;
    EXPECT_TRUE(tpd.SaveFile(Path(name), true, doc, false));
    return Path(name);
  }
};

TEST_F(CliLiveTest, TheCsvListsTheAliveSinglesWithTheirDocumentsPayoutAndChance) {
  const std::string a = SaveDoc("a.tpd", {S(1, 0, 0, 1, 1), S(1, 2, 1, 1, 1), S(2, 0, 0, 1, 1)});
  const std::string b = SaveDoc("b.tpd", {S(1, 0, 0, 1, 1)});
  ASSERT_EQ(Run({"live", a, b, "--known", "1=1-0,2=cancelled", "--playing", "3=0-0@80", "--csv",
                 Path("alive.csv")}),
            0)
      << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Alive for first prize: 2 of 3 singles (3 tickets)\n"))
      << out_.str();
  EXPECT_TRUE(Contains(out_.str(), "  10011 x2  a.tpd;b.tpd\n"));
  std::string csv;
  ASSERT_TRUE(ReadTextFile(Path("alive.csv"), csv, false));
  std::vector<std::string> lines = Split(csv, "\r\n");
  ASSERT_EQ(lines.size(), 4u) << csv;
  EXPECT_EQ(lines[0], "single,documents,payout,chance");
  // The sample vote rates of its picks are 50, 20, 36 and 55 %, and everyone
  // is right on the cancelled match: 100 x 0.5 / (0.5 x 1 x 0.2 x 0.36 x 0.55)
  // = 2,525 yen.  A draw at 0-0 with ten minutes left is the likeliest end.
  std::vector<std::string> first = Split(lines[0 + 1], ",");
  ASSERT_EQ(first.size(), 4u);
  EXPECT_EQ(first[0], "10011");
  EXPECT_EQ(first[1], "a.tpd;b.tpd");
  EXPECT_EQ(first[2], "2525");
  const double chance = std::stod(first[3]);
  EXPECT_GT(chance, 0.1);
  EXPECT_LT(chance, 0.6);
  EXPECT_EQ(lines[2].substr(0, 12), "12111,a.tpd,");
  EXPECT_EQ(lines[3], "");
}

TEST_F(CliLiveTest, WrongEntriesAndOtherRoundsAreRefused) {
  const std::string a = SaveDoc("a.tpd", {0});
  const std::string other = SaveDoc("c.tpd", {0}, 513);
  EXPECT_EQ(Run({"live", a, "--known", "6=1-0"}), 64);
  EXPECT_EQ(Run({"live", a, "--known", "1=1-0", "--playing", "1=1-1@30"}), 64);
  EXPECT_TRUE(Contains(err_.str(), "match 1 is given twice")) << err_.str();
  EXPECT_EQ(Run({"live", a, "--playing", "3=0-0"}), 64);
  EXPECT_EQ(Run({"live", a, "--known", "2=1:0"}), 64);
  EXPECT_EQ(Run({"live", a, other}), 1);
  EXPECT_TRUE(Contains(err_.str(), "c.tpd は第513回B組の文書です")) << err_.str();
  EXPECT_EQ(Run({"live", a, a}), 1);

  // A singles file is of the documents' round, or of --round and --group.
  const std::string csv = Write("picks.csv", "1,0,2,0,1\r\n");
  EXPECT_EQ(Run({"live", csv}), 64);
  EXPECT_EQ(Run({"live", csv, "--round", "512"}), 64);
  ASSERT_EQ(Run({"live", csv, a}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Round 512 B: 2 documents, 2 singles")) << out_.str();
  ASSERT_EQ(Run({"live", csv, "--round", "513", "--group", "B"}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Round 513 B: 1 document, 1 singles"));
}

TEST_F(CliLiveTest, AFolderAddsItsDocumentsOfTheSameRoundAndGroup) {
  SaveDoc("day/a.tpd", {0, 1});
  SaveDoc("day/b.tpd", {2});
  SaveDoc("day/c.tpd", {3}, 513);
  ASSERT_EQ(Run({"live", Path("day")}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), ": 2 documents, passed over: c.tpd（第513回B組）\n"))
      << out_.str();
  EXPECT_TRUE(Contains(out_.str(), "Round 512 B: 2 documents, 3 singles (3 different)"));
}

}  // namespace
}  // namespace zelvo
