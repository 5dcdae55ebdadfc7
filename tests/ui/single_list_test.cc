// The singles page on its models: paging, selection, editing by click with
// the edit lock, adding and deleting with their questions, the figures under
// each slot, and the sorts.
#include <gtest/gtest.h>

#include <numeric>

#include "core/single_frame.h"
#include "core/single_number.h"
#include "tests/common/fake_platform.h"
#include "tests/common/vote_builder.h"
#include "ui/single_list.h"

namespace zelvo {
namespace {

class SingleListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_.Initialize();
    list_.ChangeCount = [this](int count, const std::vector<int>& singles) {
      ++count_events_;
      list_.SetSingle(count, singles);
    };
    list_.ChangeLock = [this](bool value) { list_.EditLock(value); };
  }
  void Show(int count) {
    std::vector<int> singles(count);
    std::iota(singles.begin(), singles.end(), 1);
    list_.SetSingle(count, singles);
    list_.SetSingleFrame(CountSingleFrame(singles), {});
    list_.MovePage(0);
  }
  // Slot `slot`'s picked outcome of `match`, -1 when none is filled.
  int Picked(int slot, int match) {
    for (int d = 0; d < 3; ++d) {
      if (list_.Draw().grid().Cell(match + 2, slot * 3 + d + 1).back == clsTSingleDraw::kPickedBack) {
        return d == 0 ? 1 : d == 1 ? 0 : 2;
      }
    }
    return -1;
  }
  GridClick MarkClick(int slot, int match, int outcome) {
    GridClick c;
    c.row = match + 2;
    c.col = slot * 3 + (outcome == 1 ? 1 : outcome == 0 ? 2 : 3);
    return c;
  }

  testing::FakePlatform fake_;
  clsTSingle list_;
  int count_events_ = 0;
};

TEST_F(SingleListTest, PagesOfTen) {
  Show(0);
  EXPECT_EQ(list_.PageLabel(), "1／1");
  EXPECT_EQ(list_.Draw().Slot(0), -1);
  EXPECT_EQ(list_.NumberGrid().Text(1, 1), "");
  EXPECT_FALSE(list_.MoveNextEnabled());
  Show(10);
  EXPECT_EQ(list_.PageLabel(), "1／1");
  Show(11);
  EXPECT_EQ(list_.PageLabel(), "1／2");
  EXPECT_TRUE(list_.MoveNextEnabled());
  EXPECT_FALSE(list_.MovePreviousEnabled());
  list_.MoveNext();
  EXPECT_EQ(list_.PageLabel(), "2／2");
  EXPECT_EQ(list_.NumberGrid().Text(1, 1), "11");
  EXPECT_EQ(list_.Draw().Slot(0), 11);
  EXPECT_EQ(list_.Draw().Slot(1), -1);
  EXPECT_EQ(Picked(1, 0), -1);
  Show(1234567);
  EXPECT_EQ(list_.SingleCountLabel(), "1,234,567");
  list_.MovePageLast();
  EXPECT_EQ(list_.PageLabel(), "123457／123457");
}

TEST_F(SingleListTest, AddAtTenShowsPageTwo) {
  Show(10);
  fake_.QueueAnswer(MsgAnswer::kYes);
  list_.Add();
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "シングルを１口追加します。よろしいですか？");
  EXPECT_EQ(fake_.messages()[0].title, "シングルを追加");
  EXPECT_EQ(list_.Count(), 11);
  EXPECT_EQ(list_.PageLabel(), "2／2");
  EXPECT_EQ(list_.NumberGrid().Text(1, 1), "11");
  EXPECT_EQ(list_.Draw().Slot(0), 0);
  for (int m = 0; m < 5; ++m) EXPECT_EQ(Picked(0, m), 0);
  EXPECT_EQ(list_.Frame()[0][0], CountSingleFrame(list_.Singles())[0][0]);

  // Answered No, nothing is added; a click on an empty slot asks the same.
  fake_.QueueAnswer(MsgAnswer::kNo);
  list_.Draw().grid().Click(MarkClick(5, 2, 1));
  EXPECT_EQ(list_.Count(), 11);
  EXPECT_EQ(fake_.messages().size(), 2u);
}

TEST_F(SingleListTest, DeleteAsksAndMovesToTheNewLastPage) {
  Show(12);
  list_.SelectDelete();
  EXPECT_EQ(fake_.messages().back().text, "削除対象のシングルが選択されていません");
  EXPECT_EQ(fake_.messages().back().title, "選択シングルを削除");

  list_.MovePageLast();
  GridClick number;
  number.row = 1;
  number.col = 1;
  list_.NumberGrid().Click(number);  // single 11
  number.col = 2;
  list_.NumberGrid().Click(number);  // single 12
  number.col = 3;
  list_.NumberGrid().Click(number);  // beyond the end: ignored
  EXPECT_EQ(list_.SelectedCount(), 2);
  EXPECT_EQ(list_.NumberGrid().Cell(1, 1).back, clsTSingle::kSelectedBack);

  list_.SelectDelete();  // the question's default is No
  EXPECT_EQ(list_.Count(), 12);
  fake_.QueueAnswer(MsgAnswer::kYes);
  list_.SelectDelete();
  EXPECT_EQ(fake_.messages().back().text, "選択シングルを削除します。よろしいですか？");
  EXPECT_EQ(list_.Count(), 10);
  EXPECT_EQ(list_.PageLabel(), "1／1");
  EXPECT_EQ(list_.Singles().back(), 10);
  EXPECT_EQ(list_.Frame(), CountSingleFrame(list_.Singles()));
}

TEST_F(SingleListTest, ClickChangesTheOutcomeUnlessLocked) {
  Show(3);  // singles 1, 2, 3
  int changed_index = -1, changed_to = -1;
  list_.ChangeValue = [&](int index, int single) {
    changed_index = index;
    changed_to = single;
  };
  // Single 2 has outcome 2 in match 0; a click on outcome 1 there makes it 1.
  list_.Draw().grid().Click(MarkClick(1, 0, 1));
  EXPECT_EQ(changed_index, 1);
  EXPECT_EQ(changed_to, 1);
  EXPECT_EQ(Picked(1, 0), 1);
  EXPECT_EQ(list_.Frame(), CountSingleFrame(list_.Singles()));

  list_.EditLock(true);
  fake_.QueueAnswer(MsgAnswer::kNo);
  list_.Draw().grid().Click(MarkClick(1, 1, 2));
  EXPECT_EQ(fake_.messages().back().text, "編集がロックされています。編集のロックを解除しますか？");
  EXPECT_EQ(list_.Singles()[1], 1);
  EXPECT_TRUE(list_.Locked());
  fake_.QueueAnswer(MsgAnswer::kYes);
  list_.Draw().grid().Click(MarkClick(1, 1, 2));
  EXPECT_FALSE(list_.Locked());
  EXPECT_EQ(list_.Singles()[1], 1 + 2 * 3);
}

TEST_F(SingleListTest, FiguresUnderEachSlot) {
  // Home wins most voted, draws second, away wins fewest.
  list_.SetVote(testing::MakeUniformVoteRecord(30, 50, 20));
  Show(2);  // singles 1 (1,0,0,0,0) and 2 (2,0,0,0,0)
  EXPECT_EQ(list_.List().grid().Text(1, 1), "１等推定金額");
  EXPECT_FALSE(list_.List().grid().Text(1, 2).empty());
  EXPECT_EQ(list_.List().grid().Text(2, 2), "1-4-0");
  EXPECT_EQ(list_.List().grid().Text(3, 2), "1-4-0");
  EXPECT_EQ(list_.List().grid().Text(3, 3), "0-4-1");
  EXPECT_EQ(list_.List().grid().Text(1, 4), "");  // empty slot
  EXPECT_EQ(clsTSingleList::MarkText(0), "0-5-0");
  EXPECT_EQ(clsTSingleList::MarkText(242), "0-0-5");
  EXPECT_EQ(clsTSingleList::MarkText(1 + 2 * 3 + 0 * 9 + 1 * 27 + 2 * 81), "2-1-2");
  // Without a vote status there is no popularity line.
  list_.SetVote(VoteStatusRecord());
  list_.MovePage(0);
  EXPECT_EQ(list_.List().grid().Text(3, 2), "");
}

TEST(SingleSortTest, CountsAndPayouts) {
  clsTSingleSort sort;
  std::vector<int> singles = {0, 242, 1, 121, 80};
  sort.MarkSort(singles, 1, false);  // most draws first
  EXPECT_EQ(singles.front(), 0);
  sort.MarkSort(singles, 2, false);  // most away wins first
  EXPECT_EQ(singles.front(), 242);
  sort.MarkSort(singles, 2, true);
  EXPECT_EQ(singles.back(), 242);
  std::vector<int> sorted = singles;
  std::sort(sorted.begin(), sorted.end());
  std::vector<int> before = {0, 1, 80, 121, 242};
  EXPECT_EQ(sorted, before);  // a sort only reorders

  testing::FakePlatform fake;
  const VoteStatusRecord vote = testing::MakeVoteRecord(
      {{{30, 50, 20}, {40, 35, 25}, {20, 20, 60}, {33, 33, 34}, {10, 80, 10}}});
  sort.SetVote(vote);
  std::vector<int> many(3000);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<int>(i * 7 % 243);
  sort.MoneySort(many, 0, true);
  clsTMoney money;
  money.SetVote(vote);
  auto payout = [&](int s) {
    std::array<int, 5> d{};
    for (int m = 0; m < 5; ++m) d[m] = OutcomeOf(s, m);
    return money.GetMoney1(d);
  };
  for (size_t i = 1; i < many.size(); ++i) ASSERT_LE(payout(many[i - 1]), payout(many[i]));
  EXPECT_TRUE(fake.messages().empty());
}

}  // namespace
}  // namespace zelvo
