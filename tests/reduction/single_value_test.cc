// Own probabilities against the public's shares: the figures of a few
// singles worked out by hand, the value pass and the value-ordered
// extraction on sets whose answer is known, and the document keys.
#include "reduction/single_value.h"

#include <gtest/gtest.h>

#include <limits>

#include "engines/search_sequence.h"
#include "files/tpd_file.h"
#include "reduction/reduction_run.h"
#include "support/paths.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

constexpr int kAllHome = 121;  // 11111

// Every match: the public puts 50% on the home win, 30% on the draw, 20% on
// the away win; the user believes 60 / 30 / 10.
OwnProbabilities Believes(double home, double draw, double away) {
  OwnProbabilities own;
  own.set = true;
  for (auto& m : own.p) m = {draw, home, away};
  return own;
}

class SingleValueTest : public ::testing::Test {
 protected:
  testing::FakePlatform fake_;
  VoteStatusRecord vote_ = testing::MakeUniformVoteRecord(30000, 50000, 20000);
};

TEST_F(SingleValueTest, FiguresOfASingleByHand) {
  clsTValue value;
  ASSERT_TRUE(value.SetVote(vote_));
  value.SetOwn(Believes(0.6, 0.3, 0.1));
  const SingleValue& home = value.Of(kAllHome);
  EXPECT_NEAR(home.probability, 0.6 * 0.6 * 0.6 * 0.6 * 0.6, 1e-12);
  EXPECT_NEAR(home.public_share, 0.5 * 0.5 * 0.5 * 0.5 * 0.5, 1e-12);
  EXPECT_NEAR(home.ratio, 0.07776 / 0.03125, 1e-9);
  // A single costs 100 yen: the expected return per 100 yen is the chance
  // times the estimated payout.
  ASSERT_GT(home.payout, 0);
  EXPECT_DOUBLE_EQ(home.expected_per_100, home.probability * static_cast<double>(home.payout));
  // 10111: a draw in match 1, the rest home wins.
  const SingleValue& draw = value.Of(kAllHome - 1);
  EXPECT_NEAR(draw.probability, 0.3 * 0.6 * 0.6 * 0.6 * 0.6, 1e-12);
  EXPECT_NEAR(draw.public_share, 0.3 * 0.5 * 0.5 * 0.5 * 0.5, 1e-12);
  EXPECT_GT(draw.payout, home.payout);
  // Without own probabilities a single has no chance and no value.
  value.SetOwn(OwnProbabilities{});
  EXPECT_EQ(value.Of(kAllHome).probability, 0);
  EXPECT_EQ(value.Of(kAllHome).expected_per_100, 0);
}

TEST_F(SingleValueTest, TheValuePassKeepsWhatLiesInItsRange) {
  MultiTable all{};
  for (auto& row : all) row.fill(1);
  ReductionConditions conditions = DefaultReductionConditions();
  conditions.Value = {true, kValueRatio, 0.99, 1.01};
  clsTX tx;
  tx.Initialize(nullptr, nullptr, nullptr);
  ASSERT_TRUE(tx.SetVote(vote_));
  int count = 0;
  std::vector<int> singles;
  // Own probabilities equal to the public's shares: every ratio is 1.
  tx.SetOwn(Believes(0.5, 0.3, 0.2));
  tx.Execute(conditions, all, count, singles);
  EXPECT_EQ(count, kSingles);
  conditions.Value.Min = 1.02;
  conditions.Value.Max = 0;  // no upper limit
  tx.Execute(conditions, all, count, singles);
  EXPECT_EQ(count, 0);
  // A user who thinks home wins likelier than the public finds value only
  // where home wins outnumber the rest: 0.6/0.5 = 1.2 per home win, 0.3/0.3
  // per draw, 0.1/0.2 per away win; ratio >= 1 needs 1.2^h x 0.5^a >= 1.
  tx.SetOwn(Believes(0.6, 0.3, 0.1));
  conditions.Value = {true, kValueRatio, 1.0, 0};
  tx.Execute(conditions, all, count, singles);
  int expected = 0;
  for (int s = 0; s < kSingles; ++s) {
    double r = 1;
    for (int m = 0; m < kMatches; ++m) {
      int o = OutcomeOf(s, m);
      r *= o == 1 ? 1.2 : o == 0 ? 1.0 : 0.5;
    }
    expected += r >= 1.0 - 1e-12;
  }
  EXPECT_EQ(count, expected);
  EXPECT_TRUE(std::binary_search(singles.begin(), singles.end(), kAllHome));
  // Without own probabilities the pass keeps everything and the log says so.
  tx.SetOwn(OwnProbabilities{});
  tx.Execute(conditions, all, count, singles);
  EXPECT_EQ(count, kSingles);
}

TEST_F(SingleValueTest, ExtractionByProbabilityTakesTheLikeliestTiesByNumber) {
  testing::TempProgramDir dir;
  DocumentRecord doc;
  doc.Kaisaikai = 1;
  doc.Vote = vote_;
  for (auto& row : doc.Multi) row.fill(1);
  doc.OwnProbs = Believes(0.6, 0.3, 0.1);
  doc.Engine.ChushutsuFlag = true;
  doc.Engine.ChushutsuCount = 3;
  doc.Engine.ChushutsuOrder = 2;
  SearchSequence search;
  ASSERT_TRUE(search.Run(doc));
  // 11111, then the five singles with one draw, equal in chance: the two
  // lowest numbers (a draw in match 5, then in match 4) go first.
  EXPECT_EQ(doc.SingleData, (std::vector<int>{kAllHome - 81, kAllHome - 27, kAllHome}));
  // By expected value the single the public likes least among the likely
  // ones comes first; the same run twice gives the same singles.
  doc.Engine.ChushutsuOrder = 1;
  ASSERT_TRUE(search.Run(doc));
  std::vector<int> first = doc.SingleData;
  ASSERT_TRUE(search.Run(doc));
  EXPECT_EQ(doc.SingleData, first);
  clsTValue value;
  value.SetVote(vote_);
  value.SetOwn(doc.OwnProbs);
  double lowest_kept = 1e300, best_dropped = 0;
  for (int s = 0; s < kSingles; ++s) {
    double ev = value.Of(s).expected_per_100;
    if (std::binary_search(first.begin(), first.end(), s)) {
      lowest_kept = std::min(lowest_kept, ev);
    } else {
      best_dropped = std::max(best_dropped, ev);
    }
  }
  EXPECT_GE(lowest_kept, best_dropped);
}

TEST_F(SingleValueTest, DocumentKeysAreWrittenOnlyWhenSet) {
  testing::TempProgramDir dir;
  clsTFileTPD tpd;
  DocumentRecord doc = testing::SampleDocument(5);
  const std::string plain = JoinPath(dir.path(), "plain.tpd");
  ASSERT_TRUE(tpd.SaveFile(plain, true, doc, true));
  std::string bytes = dir.ReadBytes("plain.tpd");
  for (const char* key : {"OwnProb", "OwnProbSource", "Value =", "ChushutsuOrder"}) {
    EXPECT_EQ(bytes.find(key), std::string::npos) << key;
  }

  doc.OwnProbs = Believes(0.55, 0.25, 0.2);
  // Proposed by the goal model for four of the matches.
  doc.OwnProbs.source = {true, DateTime::Date(2024, 6, 22), 10652, {true, true, true, false, true}};
  doc.Conditions.Value = {true, kValueExpected, 80, 250.5};
  doc.Engine.ChushutsuOrder = 1;
  const std::string valued = JoinPath(dir.path(), "valued.tpd");
  ASSERT_TRUE(tpd.SaveFile(valued, true, doc, true));
  DocumentRecord read;
  ASSERT_TRUE(tpd.LoadFile(valued, read));
  EXPECT_TRUE(read.OwnProbs.set);
  EXPECT_EQ(read.OwnProbs.source, doc.OwnProbs.source);
  EXPECT_NE(dir.ReadBytes("valued.tpd").find("OwnProbSource = model|2024/06/22|10652|11101"),
            std::string::npos);
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_NEAR(read.OwnProbs.p[m][o], doc.OwnProbs.p[m][o], 1e-9);
  }
  EXPECT_EQ(read.Conditions.Value, doc.Conditions.Value);
  EXPECT_EQ(read.Engine.ChushutsuOrder, 1);

  // A line whose percentages do not add up to 100 is a damaged file.
  std::string text = dir.ReadBytes("valued.tpd");
  size_t at = text.find("OwnProb = ");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 12, "OwnProb = 9");
  dir.WriteBytes("damaged.tpd", text);
  DocumentRecord untouched = read;
  EXPECT_FALSE(tpd.LoadFile(JoinPath(dir.path(), "damaged.tpd"), untouched, false));
}

// What the user gave comes back to the last bit: probabilities from long
// odds or far below a percent, and thresholds below a ten-thousandth.  Older
// files, with four decimals of a percent, still load and are rescaled.
TEST_F(SingleValueTest, StoredFiguresReadBackExactly) {
  testing::TempProgramDir dir;
  clsTFileTPD tpd;
  const std::string path = JoinPath(dir.path(), "exact.tpd");
  DocumentRecord doc = testing::SampleDocument(5);
  doc.OwnProbs.set = true;
  const double odds[kMatches][3] = {
      {1.01, 30, 1000}, {2.2, 3.1, 3.7}, {1e9, 1.000001, 700}, {3, 3, 3}, {1.7, 4.33, 5.5}};
  for (int m = 0; m < kMatches; ++m) {
    double sum = 0;
    for (double o : odds[m]) sum += 1 / o;
    for (int o = 0; o < 3; ++o) doc.OwnProbs.p[m][o] = (1 / odds[m][o]) / sum;
  }
  doc.Conditions.Value = {true, kValueRatio, 0.00002, 123.456789012345};
  ASSERT_TRUE(tpd.SaveFile(path, true, doc, true));
  DocumentRecord read;
  ASSERT_TRUE(tpd.LoadFile(path, read));
  EXPECT_EQ(read.OwnProbs, doc.OwnProbs);
  EXPECT_EQ(read.Conditions.Value, doc.Conditions.Value);

  std::string text = dir.ReadBytes("exact.tpd");
  const size_t at = text.find("OwnProb = ");
  const size_t end_of_line = text.find("\r\n", at);
  text.replace(at, end_of_line - at,
               "OwnProb = 33.3333:50:0.0001:10:1,33.3333:30:99.9998:45:98,33.3333:20:0.0001:45:1");
  dir.WriteBytes("old.tpd", text);
  ASSERT_TRUE(tpd.LoadFile(JoinPath(dir.path(), "old.tpd"), read));
  for (int m = 0; m < kMatches; ++m) {
    EXPECT_NEAR(read.OwnProbs.p[m][0] + read.OwnProbs.p[m][1] + read.OwnProbs.p[m][2], 1, 1e-15);
  }
  EXPECT_DOUBLE_EQ(read.OwnProbs.p[0][1], 1.0 / 3);

  // What cannot be stored is refused, not changed.
  doc.OwnProbs.p[2][0] = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(tpd.SaveFile(JoinPath(dir.path(), "nan.tpd"), true, doc, false));
  EXPECT_FALSE(FileExists(JoinPath(dir.path(), "nan.tpd")));
}

// A value range whose minimum is above its maximum keeps no single: the
// command line refuses it, and so do the loader and the search.
TEST_F(SingleValueTest, AValueRangeAboveItsMaximumIsRefusedEverywhere) {
  testing::TempProgramDir dir;
  clsTFileTPD tpd;
  DocumentRecord doc = testing::SampleDocument(5);
  doc.OwnProbs = Believes(0.55, 0.25, 0.2);
  doc.Conditions.Value = {true, kValueExpected, 80, 200};
  const std::string path = JoinPath(dir.path(), "range.tpd");
  ASSERT_TRUE(tpd.SaveFile(path, true, doc, true));
  std::string text = dir.ReadBytes("range.tpd");
  const size_t at = text.find("Value = 1|0|80|200");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 18, "Value = 1|0|200|80");
  dir.WriteBytes("range.tpd", text);
  const char* reason =
      "期待値の範囲の下限(200)が上限(80)を超えています。上限を下限以上にするか、0（上限なし）"
      "にして下さい。";
  DocumentRecord read;
  EXPECT_FALSE(LoadDocumentFile(tpd, path, true, true, read));
  EXPECT_EQ(fake_.MessageTexts().back(),
            std::string("ファイルの読込に失敗しました。\r\n") + reason);
  // Switched off, the range is no search's business and the file loads.
  text.replace(at, 9, "Value = 0");
  dir.WriteBytes("range.tpd", text);
  EXPECT_TRUE(LoadDocumentFile(tpd, path, true, true, read));

  fake_.ClearRecords();
  read.Conditions.Value.Enabled = true;
  SearchSequence search;
  const std::vector<int> before = read.SingleData;
  EXPECT_FALSE(search.Run(read));
  EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{reason});
  EXPECT_EQ(read.SingleData, before);
}

}  // namespace
}  // namespace zelvo
