#include "engines/count_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/random.h"
#include "tests/common/fake_platform.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

using testing::HasLine;

EngineSettings Optimise(int count, int seconds) {
  EngineSettings s;
  s.MsEngine = 5;
  s.SeBeginCount = count;
  s.SeEndTime = seconds;
  return s;
}

TEST(CountEngineTest, OneTicketOverThreeNeighbours) {
  testing::FakePlatform fake;
  SeedRandom(1);
  clsTMsEngine3 engine;
  RunLogList log;
  engine.Initialize(&log);
  std::vector<int> targets = {0, 1, 2};
  engine.EngineStart(3, targets, Optimise(1, 0));
  ASSERT_EQ(engine.SingleCount(), 1);
  EXPECT_TRUE(testing::Covers(engine.SingleData(), targets, 2));
  EXPECT_TRUE(HasLine(log, "1口を最適化中...確定"));
}

TEST(CountEngineTest, CoveringFirstSelectionEndsAtOnceAndMayRepeatASingle) {
  testing::FakePlatform fake;
  clsTMsEngine3 engine;
  RunLogList log;
  engine.Initialize(&log);
  std::vector<int> targets = {7};
  engine.EngineStart(1, targets, Optimise(3, 5));
  EXPECT_EQ(engine.SingleData(), (std::vector<int>{7, 7, 7}));
  EXPECT_EQ(engine.TrialCount(), 0);
  EXPECT_EQ(testing::Unstamped(log).end()[-2], "3口を最適化中...確定");
  EXPECT_FALSE(HasLine(log, "指定時間になったので検索を終了します"));
}

TEST(CountEngineTest, TimeUpKeepsTheBestSelectionSeen) {
  // 26 singles cannot reach all 243 at grade 2; the run ends at the first
  // shake past the one-second limit.
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  RunLogList log;
  std::vector<int> progress;
  log.on_progress = [&](int value, int max) {
    if (max == 100) progress.push_back(value);
  };
  std::vector<int> all = testing::AllSingles();
  for (uint64_t seed : {1, 2, 3}) {
    SeedRandom(seed);
    std::vector<int> first;
    for (int k = 0; k < 26; ++k) first.push_back(RandomIndex(kSingles));
    SeedRandom(seed);
    clsTMsEngine3 engine;
    engine.Initialize(&log);
    engine.EngineStart(kSingles, all, Optimise(26, 1));
    std::vector<int> result = engine.SingleData();
    ASSERT_EQ(result.size(), 26u);
    int left = testing::Unreached(result, all, 2);
    EXPECT_GE(left, 1);
    // Well below a random selection's, and never worse than the first one.
    EXPECT_LT(left, testing::Unreached(first, all, 2));
    EXPECT_LE(left, 30);
    std::vector<std::string> lines = testing::Unstamped(log);
    EXPECT_EQ(lines.end()[-4], "26口を最適化中...確定");
    EXPECT_EQ(lines.end()[-2], "指定時間になったので検索を終了します");
  }
  // The activity indicator moves within 0 to 100.
  EXPECT_FALSE(progress.empty());
  EXPECT_TRUE(
      std::all_of(progress.begin(), progress.end(), [](int v) { return v >= 0 && v <= 100; }));
  EXPECT_TRUE(std::any_of(progress.begin(), progress.end(), [](int v) { return v > 0; }));
}

// The bar never wraps from 100 back to 0 within an attempt: it shows the
// time used of the limit, or without a limit how near the best selection is
// to reaching every single.
TEST(CountEngineTest, ProgressOnlyMovesForward) {
  std::vector<int> all = testing::AllSingles();
  for (int seconds : {0, 30}) {
    SCOPED_TRACE(seconds);
    testing::FakePlatform fake;
    fake.tick_per_yield = 5;
    SeedRandom(4);
    clsTMsEngine3 engine;
    RunLogList log;
    engine.Initialize(&log);
    std::vector<int> values;
    log.on_progress = [&](int value, int max) {
      if (max != 100 || log.Lines().empty() ||
          log.Lines().back().find("口を最適化中") == std::string::npos) {
        return;
      }
      values.push_back(value);
      // Past a hundred shakes the old bar had wrapped.
      if (values.size() > 1500) engine.EngineStop();
    };
    engine.EngineStart(kSingles, all, Optimise(24, seconds));
    ASSERT_GT(values.size(), 3u);
    // The last value is the attempt's end putting the bar back to 0.
    EXPECT_EQ(values.back(), 0);
    values.pop_back();
    for (size_t i = 2; i < values.size(); ++i) {
      EXPECT_GE(values[i], values[i - 1]) << i;
    }
    EXPECT_LE(values.back(), 100);
    EXPECT_GT(values.back(), 0);
  }
}

TEST(CountEngineTest, StopRightAfterTheStartGivesTheSelectionRecordedByThen) {
  testing::FakePlatform fake;
  SeedRandom(8);
  clsTMsEngine3 engine;
  RunLogList log;
  engine.Initialize(&log);
  fake.on_yield = [&] {
    if (!log.Lines().empty() && log.Lines().back().find("口を最適化中") != std::string::npos) {
      engine.EngineStop();
    }
  };
  std::vector<int> all = testing::AllSingles();
  engine.EngineStart(kSingles, all, Optimise(20, 0));
  EXPECT_EQ(engine.TrialCount(), 1001);
  ASSERT_EQ(engine.SingleCount(), 20);
  EXPECT_TRUE(testing::AllAmong(engine.SingleData(), all));
  EXPECT_EQ(testing::Unstamped(log).end()[-2], "20口を最適化中...確定");
}

TEST(CountEngineTest, PauseWaitsAtBlockEnds) {
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  SeedRandom(3);
  clsTMsEngine3 engine;
  RunLogList log;
  engine.Initialize(&log);
  bool paused = false;
  fake.on_yield = [&] {
    if (log.Lines().empty() || log.Lines().back().find("口を最適化中") == std::string::npos) return;
    if (!paused) {
      paused = true;
      engine.EnginePause(true);
    } else if (fake.sleep_total() >= 2000) {
      engine.EnginePause(false);
    }
  };
  std::vector<int> all = testing::AllSingles();
  engine.EngineStart(kSingles, all, Optimise(26, 2));
  EXPECT_EQ(fake.sleep_total(), 2000);
  EXPECT_EQ(engine.SingleCount(), 26);
}

TEST(CountEngineTest, CacheErrorEndsTheRunEmpty) {
  testing::FakePlatform fake;
  clsTMsEngine3 engine;
  std::vector<int> targets = {-1};
  engine.EngineStart(1, targets, Optimise(1, 0));
  EXPECT_EQ(engine.SingleCount(), 0);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Cache Initialize Err");
}

}  // namespace
}  // namespace zelvo
