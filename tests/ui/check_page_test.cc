// The check page through the main window: the result revealed match by
// match, its buttons closing once it is whole, and the singles in the order
// of their hits.
#include "ui/check_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/single_number.h"
#include "tests/ui/main_window_fixture.h"

namespace zelvo {
namespace {

using testing::MainWindowCommandsTest;

TEST_F(MainWindowCommandsTest, ResultRevealedMatchByMatchAndSinglesByHits) {
  ASSERT_TRUE(OpenSample());
  ASSERT_EQ(main_->Result().Kaisaikai, 1487);
  const std::vector<int> bought = main_->Singles();
  main_->Execute(Cmd::kPageCheck);
  ASSERT_TRUE(main_->ResultCheck().Official());
  for (int shown = 0; shown < 5; ++shown) {
    EXPECT_TRUE(main_->State(Cmd::kShowNextResult).enabled) << shown;
    main_->Execute(Cmd::kShowNextResult);
  }
  EXPECT_TRUE(main_->ResultCheck().FullResult());
  EXPECT_FALSE(main_->State(Cmd::kShowNextResult).enabled);
  EXPECT_FALSE(main_->State(Cmd::kShowAllResults).enabled);

  // The hits counted here from the round's result.  The key is the grade:
  // like every sort, the largest first (the fewest hits), the smallest with
  // 昇順で並べ替える.
  auto hits = [&](int single) {
    int right = 0;
    for (int m = 0; m < 5; ++m) right += OutcomeOf(single, m) == main_->Result().matches[m].result;
    return right;
  };
  main_->Execute(Cmd::kSortByHits);
  std::vector<int> sorted = main_->Singles();
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [&](int a, int b) { return hits(a) < hits(b); }));
  EXPECT_NE(hits(sorted.front()), hits(sorted.back()));
  EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), bought.begin(), bought.end()));
  main_->Execute(Cmd::kSortAscending);
  main_->Execute(Cmd::kSortHits);
  sorted = main_->Singles();
  EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                             [&](int a, int b) { return hits(a) > hits(b); }));
}

}  // namespace
}  // namespace zelvo
