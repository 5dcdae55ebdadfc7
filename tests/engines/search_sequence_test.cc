// The search sequence over a document: what it stores back, in which order
// the log closes, and how stop and re-entry behave.
#include "engines/search_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/single_frame.h"
#include "reduction/probability.h"
#include "support/random.h"
#include "support/text.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

// Three outcomes in matches 1, 3 and 4, two in 2 and 5: 108 singles.
DocumentRecord Document108() {
  DocumentRecord doc;
  doc.Kaisaikai = 512;
  doc.Kumi = "B";
  doc.Vote = testing::SampleVote();
  doc.Multi = {{{2, 2, 3, 3, 2}, {1, 1, 1, 1, 1}, {3, 0, 2, 2, 0}}};
  return doc;
}

TEST(SearchSequenceTest, EmptyMultiFindsNothingAndRunsNoEngine) {
  testing::FakePlatform fake;
  SearchSequence search;
  DocumentRecord doc = Document108();
  doc.Multi = MultiTable{};
  doc.Engine.MsEngine = 1;
  doc.MsTousen = {1, 2, 3, 4, 5, 6};
  doc.SingleCount = 2;
  doc.SingleData = {4, 5};
  ASSERT_TRUE(search.Run(doc));
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_TRUE(doc.SingleData.empty());
  EXPECT_EQ(doc.MsSingleCount, 0);
  EXPECT_EQ(doc.MsTousen, (std::array<int, 6>{}));
  EXPECT_TRUE(doc.SakugenMessage.starts_with("Zelvo mini  Version "));
  EXPECT_TRUE(Contains(doc.SakugenMessage, "マルチ総数：0\r\n"));
  EXPECT_TRUE(doc.SakugenMessage.ends_with("該当するパターンは存在しません\r\n\r\n"))
      << doc.SakugenMessage;
  EXPECT_FALSE(Contains(doc.SakugenMessage, "候補"));
}

TEST(SearchSequenceTest, GuaranteeSearchStoresSortedSinglesFrameAndCoverage) {
  testing::FakePlatform fake;
  SearchSequence search;
  DocumentRecord doc = Document108();
  // At least two favourites.
  doc.Conditions.Honmei[0].cells[0] = {1, 1, 0, 0, 0, 0};
  doc.Engine.MsEngine = 1;
  ASSERT_TRUE(search.Run(doc));
  ASSERT_GT(doc.SingleCount, 0);
  EXPECT_EQ(doc.SingleData.size(), static_cast<size_t>(doc.SingleCount));
  EXPECT_TRUE(std::is_sorted(doc.SingleData.begin(), doc.SingleData.end()));
  EXPECT_EQ(doc.SingleFrame, CountSingleFrame(doc.SingleData));
  EXPECT_EQ(doc.MsSingleFrame, doc.SingleFrame);
  EXPECT_EQ(doc.MsSingleCount, doc.SingleCount);
  // The coverage is counted over the reduced singles, every one of which a
  // grade-2 guarantee reaches.
  int reduced = doc.MsTousen[0];
  EXPECT_LT(reduced, 108);
  EXPECT_EQ(doc.MsTousen[1], doc.SingleCount);
  EXPECT_EQ(doc.MsTousen[4], reduced);
  std::string log = doc.SakugenMessage;
  EXPECT_TRUE(Contains(log, "本命/全て/◎"));
  EXPECT_TRUE(log.ends_with("該当するパターンは " + std::to_string(doc.SingleCount) +
                            " 存在します\r\n\r\n"))
      << log;
  EXPECT_LT(log.find("本命/全て/◎"), log.find("候補"));
}

// A vote status the estimate cannot use must not turn into a search that
// found nothing: the document keeps the user's singles.
TEST(SearchSequenceTest, UnusableVoteStatusFailsAndChangesNothing) {
  testing::FakePlatform fake;
  SearchSequence search;
  DocumentRecord doc = Document108();
  doc.Vote.matches[2].outcomes[1].count = Money::FromInt(-1);
  doc.SingleCount = 2;
  doc.SingleData = {4, 5};
  doc.SakugenMessage = "前回\r\n";
  const DocumentRecord before = doc;
  EXPECT_FALSE(search.Run(doc));
  EXPECT_TRUE(doc == before);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTMoney / SetVote");
  EXPECT_FALSE(search.Running());
}

TEST(SearchSequenceTest, ExtractionIsSortedAndRepeatsWithTheSeed) {
  testing::FakePlatform fake;
  DocumentRecord doc = Document108();
  doc.Engine.ChushutsuFlag = true;
  doc.Engine.ChushutsuCount = 5;
  SearchSequence search;
  SeedRandom(42);
  ASSERT_TRUE(search.Run(doc));
  EXPECT_EQ(doc.SingleCount, 5);
  EXPECT_TRUE(std::is_sorted(doc.SingleData.begin(), doc.SingleData.end()));
  EXPECT_EQ(doc.MsTousen[0], 108);
  EXPECT_EQ(doc.MsTousen[1], 5);
  std::vector<int> first = doc.SingleData;
  SeedRandom(42);
  ASSERT_TRUE(search.Run(doc));
  EXPECT_EQ(doc.SingleData, first);
}

TEST(SearchSequenceTest, StopLeavesNoSinglesAndASecondRunIsRefused) {
  testing::FakePlatform fake;
  SearchSequence search;
  DocumentRecord doc = Document108();
  doc.Conditions.Honmei[0].cells[0] = {1, 0, 0, 0, 0, 0};
  bool refused = false;
  fake.on_yield = [&] {
    DocumentRecord other = Document108();
    refused = refused || !search.Run(other);
    search.Stop();
  };
  ASSERT_TRUE(search.Run(doc));
  EXPECT_TRUE(refused);
  EXPECT_FALSE(search.Running());
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_TRUE(Contains(doc.SakugenMessage, "実行がキャンセルされました"));
  EXPECT_TRUE(doc.SakugenMessage.ends_with("該当するパターンは存在しません\r\n\r\n"));
}

TEST(SearchSequenceTest, NewDocumentResetsAndKeepsTheEmptyRunsLog) {
  testing::FakePlatform fake;
  SearchSequence search;
  DocumentRecord doc = testing::SampleDocument(9);
  NewDocument(search, doc);
  EXPECT_EQ(doc.Kaisaikai, 512);
  EXPECT_EQ(doc.Multi, MultiTable{});
  EXPECT_EQ(doc.Conditions, DefaultReductionConditions());
  EXPECT_EQ(doc.Engine, EngineSettings{});
  EXPECT_EQ(doc.SingleCount, 0);
  EXPECT_TRUE(Contains(doc.SakugenMessage, "マルチ総数：0"));
}

}  // namespace
}  // namespace zelvo
