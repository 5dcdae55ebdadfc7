#include "engines/fast_engine.h"

#include <gtest/gtest.h>

#include <numeric>
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

TEST(FastEngineTest, AllSinglesDescendingAtGradeTwo) {
  testing::FakePlatform fake;
  std::vector<int> all = testing::AllSingles();
  std::vector<int> descending(all.rbegin(), all.rend());
  std::vector<int> result = RunFast(descending, 2);
  ASSERT_EQ(result.size(), 36u);
  EXPECT_EQ(std::vector<int>(result.begin(), result.begin() + 5),
            (std::vector<int>{242, 229, 216, 210, 200}));
}

}  // namespace
}  // namespace zelvo
