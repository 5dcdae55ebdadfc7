#include "engines/fast_engine.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "tests/common/fake_platform.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

std::vector<int> RunFast(const std::vector<int>& targets, int grade, RunLogList* log = nullptr) {
  clsTMsEngine1 engine;
  engine.Initialize(log);
  engine.EngineStart(static_cast<int>(targets.size()), targets, grade);
  EXPECT_EQ(engine.SingleCount(), static_cast<int>(engine.SingleData().size()));
  return engine.SingleData();
}

TEST(FastEngineTest, AllSinglesAscendingAtGradeTwo) {
  testing::FakePlatform fake;
  std::vector<int> result = RunFast(testing::AllSingles(), 2);
  ASSERT_EQ(result.size(), 36u);
  EXPECT_EQ(std::vector<int>(result.begin(), result.begin() + 12),
            (std::vector<int>{0, 13, 26, 32, 42, 46, 61, 65, 75, 82, 93, 114}));
  EXPECT_TRUE(testing::Covers(result, testing::AllSingles(), 2));
}

TEST(FastEngineTest, AllSinglesAscendingAtGradeThree) {
  testing::FakePlatform fake;
  EXPECT_EQ(RunFast(testing::AllSingles(), 3),
            (std::vector<int>{0, 121, 242, 14, 114, 73, 183, 200, 106, 137, 69, 220}));
}

TEST(FastEngineTest, AllSinglesDescending) {
  testing::FakePlatform fake;
  std::vector<int> all = testing::AllSingles();
  std::vector<int> descending(all.rbegin(), all.rend());
  std::vector<int> result = RunFast(descending, 2);
  ASSERT_EQ(result.size(), 36u);
  EXPECT_EQ(std::vector<int>(result.begin(), result.begin() + 5),
            (std::vector<int>{242, 229, 216, 210, 200}));
  result = RunFast(descending, 3);
  EXPECT_EQ(result.size(), 12u);
  EXPECT_TRUE(testing::Covers(result, all, 3));
}

TEST(FastEngineTest, SmallTargetSets) {
  testing::FakePlatform fake;
  EXPECT_EQ(RunFast({17}, 2), (std::vector<int>{17}));
  EXPECT_EQ(RunFast({17}, 3), (std::vector<int>{17}));
  // 0 packs with its whole reach untouched; 1 and 2 are one match away.
  EXPECT_EQ(RunFast({0, 1, 2}, 2), (std::vector<int>{0}));
  // A repeated target goes with its first copy.
  EXPECT_EQ(RunFast({5, 5, 5}, 2), (std::vector<int>{5}));
  EXPECT_TRUE(RunFast({}, 2).empty());
}

TEST(FastEngineTest, EveryResultCoversItsTargetsWithTargetsOnly) {
  testing::FakePlatform fake;
  std::mt19937 gen(20261208);
  for (int round = 0; round < 200; ++round) {
    std::vector<int> targets = testing::RandomTargets(gen, 1, 243);
    for (int grade : {2, 3}) {
      std::vector<int> result = RunFast(targets, grade);
      EXPECT_TRUE(testing::Covers(result, targets, grade)) << "round " << round;
      EXPECT_TRUE(testing::AllAmong(result, targets)) << "round " << round;
      // Deterministic: the same input gives the same output.
      EXPECT_EQ(RunFast(targets, grade), result);
    }
  }
}

TEST(FastEngineTest, LogsTheSearchAndEachRebuildWithItsBestScore) {
  testing::FakePlatform fake;
  RunLogList log;
  RunFast(testing::AllSingles(), 3, &log);
  std::vector<std::string> lines = testing::Unstamped(log);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string(55, '-'));
  EXPECT_EQ(log.Lines()[1], "0000 候補の検索中...");
  // After the packing of 0, 121 and 242 every rebuild leaves one line.
  for (size_t i = 2; i + 1 < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind("候補の検索中...", 0), 0u) << lines[i];
    EXPECT_GT(lines[i].size(), std::string("候補の検索中...").size());
  }
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(log.ProgressValue(), 0);
}

TEST(FastEngineTest, StopLeavesAnEmptyResult) {
  testing::FakePlatform fake;
  clsTMsEngine1 engine;
  int yields = 0;
  fake.on_yield = [&] {
    if (++yields == 20) engine.EngineStop();
  };
  std::vector<int> all = testing::AllSingles();
  engine.EngineStart(kSingles, all, 2);
  EXPECT_GE(yields, 20);
  EXPECT_EQ(engine.SingleCount(), 0);
  EXPECT_TRUE(engine.SingleData().empty());
}

TEST(FastEngineTest, YieldsWhileScanning) {
  testing::FakePlatform fake;
  RunFast(testing::AllSingles(), 2);
  EXPECT_GT(fake.yield_count(), 0);
}

TEST(FastEngineTest, RejectsSinglesOutsideTheNumbering) {
  testing::FakePlatform fake;
  clsTMsEngine1 engine;
  std::vector<int> bad = {3, 243};
  EXPECT_THROW(engine.EngineStart(2, bad, 2), std::out_of_range);
  EXPECT_THROW(engine.EngineStart(3, bad, 2), std::out_of_range);
}

}  // namespace
}  // namespace zelvo
