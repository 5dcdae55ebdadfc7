#include "engines/ms_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "support/random.h"
#include "tests/common/fake_platform.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

using testing::HasLine;

class MsEngineTest : public ::testing::Test {
 protected:
  MsEngineTest() { driver_.Initialize(&log_); }

  // Runs Compress on `singles`; returns the final singles.
  std::vector<int> Compress(std::vector<int> singles, const EngineSettings& s) {
    int count = static_cast<int>(singles.size());
    tousen_.fill(-1);
    driver_.Compress(count, singles, s, testing::FullMulti(), tousen_);
    EXPECT_FALSE(driver_.Run());
    EXPECT_EQ(driver_.RunningKind(), 0);
    EXPECT_EQ(count, static_cast<int>(singles.size()));
    return singles;
  }

  testing::FakePlatform fake_;
  RunLogList log_;
  clsTMsEngine driver_;
  std::array<int, 6> tousen_{};
};

std::vector<int> FirstSingles(int n) {
  std::vector<int> out = testing::AllSingles();
  out.resize(n);
  return out;
}

TEST_F(MsEngineTest, NoEngineAndNoExtractionLeavesTheSinglesAndNoCounts) {
  std::vector<int> singles = {5, 9, 100};
  EXPECT_EQ(Compress(singles, EngineSettings{}), singles);
  EXPECT_EQ(tousen_, (std::array<int, 6>{}));
  EXPECT_TRUE(log_.Lines().empty());
  // A value outside the choices runs nothing either.
  EngineSettings s;
  s.MsEngine = 9;
  EXPECT_EQ(Compress(singles, s), singles);
}

TEST_F(MsEngineTest, RandomExtractionDrawsDistinctSinglesAndCountsThem) {
  EngineSettings s;
  s.ChushutsuFlag = true;
  s.ChushutsuCount = 10;
  std::vector<int> pool = FirstSingles(25);
  SeedRandom(42);
  std::vector<int> first = Compress(pool, s);
  ASSERT_EQ(first.size(), 10u);
  EXPECT_EQ(std::set<int>(first.begin(), first.end()).size(), 10u);
  EXPECT_TRUE(testing::AllAmong(first, pool));
  EXPECT_EQ(tousen_[0], 25);
  EXPECT_EQ(tousen_[1], 10);
  EXPECT_GE(tousen_[4], 10);
  EXPECT_LE(tousen_[4], tousen_[5]);
  // The draw is reproducible from the seed, and its first pick is the
  // uniform index of the first number drawn.
  SeedRandom(42);
  int first_index = RandomIndex(25);
  EXPECT_EQ(first[0], pool[first_index]);
  SeedRandom(42);
  EXPECT_EQ(Compress(pool, s), first);

  std::vector<std::string> lines = testing::Unstamped(log_);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 3], std::string(55, '-'));
  EXPECT_EQ(lines[lines.size() - 2], "抽出                  :     25 →      10 ( 40.00%)");
}

TEST_F(MsEngineTest, ExtractionOfAtLeastTheCountChangesNothing) {
  EngineSettings s;
  s.ChushutsuFlag = true;
  s.ChushutsuCount = 25;
  std::vector<int> pool = FirstSingles(25);
  EXPECT_EQ(Compress(pool, s), pool);
  EXPECT_TRUE(log_.Lines().empty());
  // Counts are still taken: the flag asks for them.
  EXPECT_EQ(tousen_[0], 25);
  EXPECT_EQ(tousen_[1], 25);
}

TEST_F(MsEngineTest, PayoutExtractionKindsDrawAtRandomToo) {
  EngineSettings s;
  s.ChushutsuFlag = true;
  s.ChushutsuCount = 4;
  s.ChushutsuType = 2;
  std::vector<int> pool = FirstSingles(30);
  std::vector<int> out = Compress(pool, s);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_TRUE(testing::AllAmong(out, pool));
  EXPECT_EQ(std::set<int>(out.begin(), out.end()).size(), 4u);
}

TEST_F(MsEngineTest, FastEngineAndItsCoverageCounts) {
  EngineSettings s;
  s.MsEngine = 1;
  std::vector<int> out = Compress(testing::AllSingles(), s);
  ASSERT_EQ(out.size(), 36u);
  EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 3), (std::vector<int>{0, 13, 26}));
  EXPECT_EQ(tousen_[0], 243);
  EXPECT_EQ(tousen_[1], 36);
  EXPECT_EQ(tousen_[4], 243);
  EXPECT_EQ(tousen_[5], 243);
  s.MsEngine = 3;
  out = Compress(testing::AllSingles(), s);
  EXPECT_EQ(out.size(), 12u);
  EXPECT_EQ(tousen_[5], 243);
  EXPECT_LT(tousen_[4], 243);
}

TEST_F(MsEngineTest, EachChoiceRunsItsEngine) {
  fake_.tick_per_yield = 1000;
  SeedRandom(17);
  EngineSettings s;
  s.BeginCount = 12;
  s.EndCount = 8;
  s.EndTime = 1;
  s.MsEngine = 4;
  std::vector<int> out = Compress(testing::AllSingles(), s);
  EXPECT_TRUE(testing::Covers(out, testing::AllSingles(), 3));
  EXPECT_LE(out.size(), 12u);
  s.MsEngine = 2;
  s.BeginCount = 40;
  s.EndCount = 40;
  out = Compress(testing::AllSingles(), s);
  EXPECT_EQ(out.size(), 40u);
  EXPECT_TRUE(testing::Covers(out, testing::AllSingles(), 2));
  s.MsEngine = 5;
  s.SeBeginCount = 30;
  s.SeEndTime = 1;
  out = Compress(testing::AllSingles(), s);
  EXPECT_EQ(out.size(), 30u);
  EXPECT_EQ(tousen_[0], 243);
}

TEST_F(MsEngineTest, RunAndStopReachTheRunningEngine) {
  EngineSettings s;
  s.MsEngine = 2;
  s.BeginCount = 26;  // never confirmed at grade 2: only the stop ends it
  s.EndCount = 1;
  s.ChushutsuFlag = true;
  s.ChushutsuCount = 5;
  int yields = 0;
  fake_.on_yield = [&] {
    EXPECT_TRUE(driver_.Run());
    EXPECT_EQ(driver_.RunningKind(), 2);
    if (++yields == 200) driver_.EngineStop();
  };
  std::vector<int> out = Compress(testing::AllSingles(), s);
  // One more yield follows the interrupted attempt before the run returns.
  EXPECT_EQ(yields, 201);
  // Stopped before a confirmation: nothing to extract from, no counts.
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(tousen_, (std::array<int, 6>{}));
  EXPECT_FALSE(HasLine(log_, "抽出"));
  // Between runs the requests do nothing.
  driver_.EngineStop();
  driver_.EnginePause(true);
}

TEST_F(MsEngineTest, PauseReachesTheTrialEngineButNotTheFastOne) {
  EngineSettings s;
  s.MsEngine = 1;
  fake_.on_yield = [&] { driver_.EnginePause(true); };
  EXPECT_EQ(Compress(testing::AllSingles(), s).size(), 36u);
  EXPECT_EQ(fake_.sleep_total(), 0);

  s.MsEngine = 2;
  s.BeginCount = 26;
  s.EndCount = 1;
  fake_.on_yield = [&] {
    if (driver_.RunningKind() != 2) return;
    if (fake_.sleep_total() == 0) {
      driver_.EnginePause(true);
    } else if (fake_.sleep_total() >= 1000) {
      driver_.EngineStop();
    }
  };
  Compress(testing::AllSingles(), s);
  EXPECT_GE(fake_.sleep_total(), 1000);
}

TEST_F(MsEngineTest, ErrorInAnEngineIsReportedAndTheRunEnds) {
  EngineSettings s;
  s.MsEngine = 1;
  std::vector<int> bad = {4, 250, 7};
  EXPECT_EQ(Compress(bad, s), bad);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "MsEngine Err");
  EXPECT_EQ(fake_.messages()[0].icon, MsgIcon::kCritical);
  EXPECT_EQ(fake_.messages()[0].text, "インデックスが有効範囲にありません。 ( 9 )");
  // The driver is usable again afterwards.
  fake_.ClearRecords();
  EXPECT_EQ(Compress({0, 1, 2}, s), (std::vector<int>{0}));
  EXPECT_TRUE(fake_.messages().empty());
}

}  // namespace
}  // namespace zelvo
