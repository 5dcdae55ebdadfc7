#include "engines/trial_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "support/random.h"
#include "tests/common/fake_platform.h"
#include "tests/engines/engine_test_util.h"

namespace zelvo {
namespace {

using testing::HasLine;

constexpr const char* kReachedCount = "指定口数に達したので検索を終了します";
constexpr const char* kTimeUp = "指定時間になったので検索を終了します";

// A clock that moves one second every time it is read, so an attempt has
// passed its deadline by the time it ends even without a single yield.
class ReadAdvancesClock : public testing::FakePlatform {
 public:
  uint32_t TickCount() override {
    AdvanceTick(1000);
    return FakePlatform::TickCount();
  }
};

EngineSettings Trial(int begin, int end, int time = 0) {
  EngineSettings s;
  s.MsEngine = 2;
  s.BeginCount = begin;
  s.EndCount = end;
  s.EndTime = time;
  return s;
}

struct TrialRun {
  std::vector<int> result;
  std::vector<int> candidates;
  int64_t trials = 0;
};

TrialRun RunTrial(const std::vector<int>& targets, int grade, const EngineSettings& s,
                  RunLogList* log, const MultiTable& multi = testing::FullMulti()) {
  clsTMsEngine2 engine;
  engine.Initialize(log);
  engine.EngineStart(static_cast<int>(targets.size()), targets, grade, s, multi);
  EXPECT_EQ(engine.SingleCount(), static_cast<int>(engine.SingleData().size()));
  return {engine.SingleData(), engine.Candidates(), engine.TrialCount()};
}

TEST(TrialEngineTest, FindsTheSmallestCoveringsOfAllSingles) {
  testing::FakePlatform fake;
  SeedRandom(11);
  RunLogList log;
  TrialRun two = RunTrial(testing::AllSingles(), 2, Trial(36, 27), &log);
  EXPECT_EQ(two.result.size(), 27u);
  EXPECT_TRUE(testing::Covers(two.result, testing::AllSingles(), 2));
  EXPECT_TRUE(HasLine(log, "27を検索中...確定"));
  EXPECT_EQ(testing::Unstamped(log).end()[-2], kReachedCount);

  TrialRun three = RunTrial(testing::AllSingles(), 3, Trial(12, 8), &log);
  EXPECT_EQ(three.result.size(), 8u);
  EXPECT_TRUE(testing::Covers(three.result, testing::AllSingles(), 3));
}

TEST(TrialEngineTest, EveryResultCoversItsTargets) {
  // Each run ends at the first shake of an attempt that cannot be finished:
  // every yield moves the clock a second past the one-second limit.
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  std::mt19937 gen(7);
  SeedRandom(7);
  for (int round = 0; round < 60; ++round) {
    std::vector<int> targets = testing::RandomTargets(gen, 1, 120);
    for (int grade : {2, 3}) {
      RunLogList log;
      int begin = std::min<int>(targets.size(), 30);
      TrialRun run = RunTrial(targets, grade, Trial(begin, 1, 1), &log);
      ASSERT_FALSE(run.result.empty()) << "round " << round;
      EXPECT_TRUE(testing::Covers(run.result, targets, grade)) << "round " << round;
      EXPECT_TRUE(testing::AllAmong(run.result, targets)) << "round " << round;
      std::vector<std::string> lines = testing::Unstamped(log);
      EXPECT_TRUE(lines.end()[-2] == kTimeUp || lines.end()[-2] == kReachedCount);
    }
  }
}

TEST(TrialEngineTest, OneAttemptWhenTheEndCountIsReachedAtOnce) {
  testing::FakePlatform fake;
  SeedRandom(3);
  RunLogList log;
  TrialRun run = RunTrial(testing::AllSingles(), 2, Trial(40, 45), &log);
  EXPECT_EQ(run.result.size(), 40u);
  EXPECT_TRUE(testing::Covers(run.result, testing::AllSingles(), 2));
  std::vector<std::string> lines = testing::Unstamped(log);
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(55, '-'), "キャッシュ構築中...",
                                             "40を検索中...確定", std::string(55, '-'),
                                             kReachedCount, ""}));
}

TEST(TrialEngineTest, ConfirmedWithoutTrialsWhenTheFirstSelectionCovers) {
  testing::FakePlatform fake;
  RunLogList log;
  // One target: any selection of it reaches it.
  TrialRun run = RunTrial({100}, 2, Trial(5, 3), &log);
  EXPECT_EQ(run.result, (std::vector<int>{100, 100, 100}));
  EXPECT_EQ(run.trials, 0);
  EXPECT_TRUE(HasLine(log, "5を検索中...確定"));
  EXPECT_TRUE(HasLine(log, "3を検索中...確定"));
}

TEST(TrialEngineTest, NextAttemptStartsFromTheConfirmedSelectionLessItsLastEntry) {
  // Widened to the eleven singles around one target, every selection covers,
  // so each attempt is confirmed as it starts: a warm start keeps the first
  // draws, a fresh draw would not.
  testing::FakePlatform fake;
  EngineSettings s = Trial(3, 2);
  s.ExGrade2 = true;
  const std::vector<int> candidates = {0, 1, 2, 3, 6, 9, 18, 27, 54, 81, 162};
  for (uint64_t seed = 1; seed <= 5; ++seed) {
    SeedRandom(seed);
    std::vector<int> draws;
    for (int k = 0; k < 5; ++k) draws.push_back(candidates[RandomIndex(11)]);
    SeedRandom(seed);
    RunLogList log;
    TrialRun run = RunTrial({0}, 2, s, &log);
    EXPECT_EQ(run.candidates, candidates);
    EXPECT_EQ(run.result, (std::vector<int>{draws[0], draws[1]})) << "seed " << seed;
  }
}

TEST(TrialEngineTest, AttemptPastItsDeadlineIsInterruptedAndKeepsTheLastCovering) {
  // 0 and 242 differ in every match: two singles are needed.  The attempt
  // for one runs until its first shake, 51 blocks of trials, each block end
  // moving the clock a second.
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  SeedRandom(5);
  RunLogList log;
  TrialRun run = RunTrial({0, 242}, 2, Trial(2, 1, 3), &log);
  std::sort(run.result.begin(), run.result.end());
  EXPECT_EQ(run.result, (std::vector<int>{0, 242}));
  std::vector<std::string> lines = testing::Unstamped(log);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines.end()[-4], "1を検索中...中断");
  EXPECT_EQ(lines.end()[-3], std::string(55, '-'));
  EXPECT_EQ(lines.end()[-2], kTimeUp);
  EXPECT_FALSE(HasLine(log, kReachedCount));
  // The clock is only compared at a shake, after 51 blocks of 1001 trials.
  EXPECT_GE(run.trials, 51 * 1001);
}

TEST(TrialEngineTest, SuccessAfterTheDeadlineButBeforeAShakeIsConfirmedThenTimeUp) {
  ReadAdvancesClock clock;
  // Find a seed whose first selection of two repeats one target, so the
  // search loop runs (and finds the pair within its first block).
  uint64_t seed = 1;
  for (;; ++seed) {
    SeedRandom(seed);
    int a = RandomIndex(2), b = RandomIndex(2);
    if (a == b) break;
  }
  SeedRandom(seed);
  RunLogList log;
  TrialRun run = RunTrial({0, 242}, 2, Trial(2, 2, 1), &log);
  EXPECT_GT(run.trials, 0);
  EXPECT_LT(run.trials, 1001);
  EXPECT_EQ(run.result.size(), 2u);
  std::vector<std::string> lines = testing::Unstamped(log);
  EXPECT_EQ(lines.end()[-4], "2を検索中...確定");
  EXPECT_EQ(lines.end()[-2], kTimeUp);
  EXPECT_FALSE(HasLine(log, kReachedCount));
}

TEST(TrialEngineTest, DeadlineRoundsToWholeSecondsHalfToEven) {
  testing::FakePlatform fake;
  fake.SetTick(1500);
  EXPECT_EQ(TrialSearch::Deadline(2), 4.0);  // 3.5
  fake.SetTick(2500);
  EXPECT_EQ(TrialSearch::Deadline(2), 4.0);  // 4.5
  fake.SetTick(2501);
  EXPECT_EQ(TrialSearch::Deadline(2), 5.0);
}

TEST(TrialEngineTest, PauseWaitsInHalfSecondStepsAtBlockEnds) {
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  SeedRandom(9);
  clsTMsEngine2 engine;
  RunLogList log;
  engine.Initialize(&log);
  bool paused_once = false;
  int waits = 0;
  fake.on_yield = [&] {
    const std::string& last = log.Lines().empty() ? std::string() : log.Lines().back();
    if (!paused_once && last.find("1を検索中...") != std::string::npos) {
      paused_once = true;
      engine.EnginePause(true);
    } else if (paused_once && fake.sleep_total() > 0 && ++waits == 4) {
      engine.EnginePause(false);
    }
  };
  std::vector<int> targets = {0, 242};
  engine.EngineStart(2, targets, 2, Trial(2, 1, 600), testing::FullMulti());
  EXPECT_TRUE(paused_once);
  // Each wait step sleeps 500 ms and yields once: the hook resumed on its
  // fourth call after the first sleep.
  EXPECT_EQ(fake.sleep_total(), 1000);
  EXPECT_EQ(engine.SingleCount(), 2);
  EXPECT_TRUE(HasLine(log, "1を検索中...中断"));
}

TEST(TrialEngineTest, StopWhilePausedEndsTheRunWithTheLastCovering) {
  testing::FakePlatform fake;
  SeedRandom(4);
  clsTMsEngine2 engine;
  RunLogList log;
  engine.Initialize(&log);
  fake.on_yield = [&] {
    const std::string& last = log.Lines().empty() ? std::string() : log.Lines().back();
    if (last.find("1を検索中...") == std::string::npos) return;
    if (fake.sleep_total() == 0) {
      engine.EnginePause(true);
    } else if (fake.sleep_total() >= 1500) {
      engine.EngineStop();
    }
  };
  std::vector<int> targets = {0, 242};
  engine.EngineStart(2, targets, 2, Trial(2, 1), testing::FullMulti());
  // Three steps in the attempt; the wait after it, still paused, takes one
  // more step before it sees the stop.
  EXPECT_EQ(fake.sleep_total(), 2000);
  EXPECT_EQ(engine.SingleCount(), 2);
  EXPECT_EQ(testing::Unstamped(log).end()[-2], "1を検索中...中断");
  EXPECT_FALSE(HasLine(log, kTimeUp));
}

TEST(TrialEngineTest, StopDuringCacheBuildingEndsWithoutAnAttempt) {
  testing::FakePlatform fake;
  clsTMsEngine2 engine;
  RunLogList log;
  engine.Initialize(&log);
  fake.on_yield = [&] { engine.EngineStop(); };
  std::vector<int> all = testing::AllSingles();
  engine.EngineStart(kSingles, all, 2, Trial(36, 27), testing::FullMulti());
  EXPECT_EQ(engine.SingleCount(), 0);
  EXPECT_EQ(fake.yield_count(), 1);
  EXPECT_TRUE(HasLine(log, "キャッシュ構築中..."));
  for (const std::string& line : log.Lines()) {
    EXPECT_EQ(line.find("を検索中"), std::string::npos);
  }
}

TEST(TrialEngineTest, WideningFollowsTheGradeAndTheMulti) {
  testing::FakePlatform fake;
  RunLogList log;
  EngineSettings s = Trial(1, 1);
  auto candidates = [&](int grade, bool ex2, bool ex3, const MultiTable& multi) {
    s.ExGrade2 = ex2;
    s.ExGrade3 = ex3;
    return RunTrial({0}, grade, s, &log, multi).candidates;
  };
  const MultiTable full = testing::FullMulti();
  EXPECT_EQ(candidates(2, false, false, full), (std::vector<int>{0}));
  EXPECT_EQ(candidates(2, true, false, full).size(), 11u);
  EXPECT_EQ(candidates(2, true, true, full).size(), 11u);  // grade 2 ignores ExGrade3
  EXPECT_EQ(candidates(2, false, true, full), (std::vector<int>{0}));
  EXPECT_EQ(candidates(3, true, false, full).size(), 11u);
  EXPECT_EQ(candidates(3, false, true, full).size(), 51u);
  EXPECT_EQ(candidates(3, true, true, full).size(), 51u);

  // The multi's singles that reach a target, in the multi's order, whether
  // or not they are targets themselves.
  MultiTable multi{};
  for (int m = 0; m < kMatches; ++m) multi[0][m] = 1;  // outcome 0 everywhere ...
  multi[1][0] = 1;                                     // ... or 1 in match 0
  multi[2][1] = 1;                                     // ... or 2 in match 1
  std::vector<int> widened = candidates(2, true, false, multi);
  EXPECT_EQ(widened, (std::vector<int>{0, 1, 6}));
  // A multi none of whose singles reaches a target leaves the targets.
  MultiTable far{};
  for (int m = 0; m < kMatches; ++m) far[2][m] = 1;  // 242 only
  EXPECT_EQ(candidates(2, true, false, far), (std::vector<int>{0}));
  EXPECT_EQ(candidates(3, false, true, far), (std::vector<int>{0}));
}

TEST(TrialEngineTest, WidenedSearchMayBuySinglesOutsideTheTargets) {
  testing::FakePlatform fake;
  fake.tick_per_yield = 1000;
  SeedRandom(2);
  // 1 and 3 (outcome 1 in match 0, or in match 1) are both one match from
  // 0 and 4, and neither target reaches the other: only a widened
  // selection covers them with one single.
  EngineSettings s = Trial(2, 1, 1);
  s.ExGrade2 = true;
  RunLogList log;
  TrialRun run = RunTrial({1, 3}, 2, s, &log);
  ASSERT_EQ(run.result.size(), 1u);
  EXPECT_TRUE(run.result[0] == 0 || run.result[0] == 4);
}

TEST(TrialEngineTest, CacheErrorIsReportedAndEndsTheRunEmpty) {
  testing::FakePlatform fake;
  RunLogList log;
  TrialRun run = RunTrial({3, 243}, 2, Trial(2, 1), &log);
  EXPECT_TRUE(run.result.empty());
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Cache Initialize Err");
  EXPECT_EQ(fake.messages()[0].icon, MsgIcon::kCritical);
  EXPECT_NE(fake.messages()[0].text.find(" ( 9 )"), std::string::npos);
  EXPECT_EQ(log.ProgressValue(), 0);
}

TEST(TrialEngineTest, RepeatedTargetsStillLetAnAttemptFinish) {
  testing::FakePlatform fake;
  SeedRandom(6);
  RunLogList log;
  TrialRun run = RunTrial({0, 0, 242, 242}, 2, Trial(2, 2), &log);
  std::sort(run.result.begin(), run.result.end());
  EXPECT_EQ(run.result, (std::vector<int>{0, 242}));
}

}  // namespace
}  // namespace zelvo
