// The multi: expansion into singles, the three counts, the frame of a list,
// and the editor driven through its grid as a user would.
#include <gtest/gtest.h>

#include <random>

#include "core/multi_counts.h"
#include "core/multi_editor.h"
#include "core/multi_pattern.h"
#include "core/single_frame.h"
#include "core/single_number.h"
#include "tests/common/fake_platform.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

using testing::FakePlatform;
using testing::MakeUniformVoteRecord;
using testing::MakeVoteRecord;

MultiTable AllMarked(int mark) {
  MultiTable t;
  for (auto& row : t) row.fill(mark);
  return t;
}

std::array<uint8_t, 5> Digits(int single) {
  std::array<uint8_t, 5> d;
  for (int m = 0; m < 5; ++m) d[m] = static_cast<uint8_t>(OutcomeOf(single, m));
  return d;
}

// ---- clsTMultiPattern ----

TEST(MultiPatternTest, ExpandsInAscendingOrderAndOnlyChosenCells) {
  clsTMultiPattern p;
  std::vector<int> singles = {7, 7};
  int count = -1;

  p.SetValue(AllMarked(1));
  p.GetMulti(count, singles);
  ASSERT_EQ(count, 243);
  for (int i = 0; i < 243; ++i) ASSERT_EQ(singles[i], i);

  // One outcome per match: 1, 0, 2, 2, 1 is the single 1 + 0 + 18 + 54 + 81.
  MultiTable one{};
  one[1][0] = one[0][1] = one[2][2] = one[2][3] = one[1][4] = 3;
  p.SetValue(one);
  p.GetMulti(count, singles);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(singles, std::vector<int>{154});

  // Two outcomes in match 0 and three in match 4: 6 singles, ascending.
  MultiTable mixed = one;
  mixed[2][0] = 1;
  mixed[0][4] = mixed[2][4] = 5;
  p.SetValue(mixed);
  p.GetMulti(count, singles);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(singles, (std::vector<int>{73, 74, 154, 155, 235, 236}));

  // A match without a chosen outcome gives nothing and leaves the list alone.
  mixed[0][2] = mixed[1][2] = mixed[2][2] = 0;
  p.SetValue(mixed);
  p.GetMulti(count, singles);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(singles.size(), 6u);
}

// ---- clsTDeme ----

TEST(DemeTest, CountsFollowTheFlagsInTheirOrder) {
  clsTDeme d;
  d.SetMulti(AllMarked(1));
  d.SetVoteRecord(MakeUniformVoteRecord(40, 35, 25));
  d.SetGameFlg({true, true, true, true, true});
  d.SetMarkFlg({true, true, true});
  d.SetPlusFlg(std::vector<bool>(6, false));
  for (int s = 0; s < kSingles; ++s) {
    auto k = Digits(s);
    ASSERT_EQ(d.GetHonmei(k) + d.GetNinki(k) + d.GetMark(k), 0);
  }
  d.SetPlusFlg(std::vector<bool>(6, true));
  for (int s = 0; s < kSingles; ++s) ASSERT_EQ(d.GetHonmei(Digits(s)), 5);

  // Match 3 out: no count above 4.
  d.SetGameFlg({true, true, true, false, true});
  for (int s = 0; s < kSingles; ++s) {
    auto k = Digits(s);
    ASSERT_EQ(d.GetHonmei(k), 4);
    ASSERT_LE(d.GetMark(k), 4);
  }
  // Outcome 0 out: GetMark with every outcome ticked counts the picks that
  // are not 0 among matches 0, 1, 2, 4.
  d.SetMarkFlg({false, true, true});
  d.SetPlusFlg({true, true, true});
  int single = 0 + 1 * 3 + 2 * 9 + 1 * 27 + 0 * 81;  // 0 1 2 1 0
  EXPECT_EQ(d.GetMark(Digits(single)), 2);
  EXPECT_EQ(d.GetHonmei(Digits(single)), 2);
}

TEST(DemeTest, HonmeiCountsTheChosenMarksAndNoMarkNeverCounts) {
  MultiTable t{};
  for (int m = 0; m < 5; ++m) {
    t[1][m] = 1;  // ◎ on the home win
    t[0][m] = 4;  // △ on the draw; the away win has no mark
  }
  clsTDeme d;
  d.SetMulti(t);
  d.SetGameFlg({true, true, true, true, true});
  d.SetMarkFlg({true, true, true});
  std::vector<bool> honmei_only(6, false);
  honmei_only[0] = true;
  d.SetPlusFlg(honmei_only);
  int s = 1 + 1 * 3 + 2 * 9 + 0 * 27 + 1 * 81;  // 1 1 2 0 1
  EXPECT_EQ(d.GetHonmei(Digits(s)), 3);
  d.SetPlusFlg({true, true, true, true, true, true});
  EXPECT_EQ(d.GetHonmei(Digits(s)), 4);  // the away pick has no mark
  // Flags past the argument keep their value: ◎ goes off, △ stays ticked.
  d.SetPlusFlg({false});
  EXPECT_EQ(d.GetHonmei(Digits(s)), 1);
}

TEST(DemeTest, RanksComeFromTheVoteRatesWithTheSortsTieOrder) {
  clsTDeme d;
  d.SetMulti(AllMarked(1));
  // Rates of outcomes 0, 1, 2 per match; the expected ranks are the marks of
  // the tie table minus one.
  d.SetVoteRecord(MakeVoteRecord({{{5, 5, 5}, {5, 5, 2}, {5, 2, 5}, {2, 5, 5}, {5, 8, 5}}}));
  const std::array<std::array<int, 3>, 5> expected = {
      {{1, 2, 0}, {0, 1, 2}, {1, 2, 0}, {2, 1, 0}, {1, 0, 2}}};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_EQ(d.RankOf(o, m), expected[m][o]) << m << "," << o;
  }
  d.SetVoteRecord(MakeVoteRecord({{{5, 5, 8}, {8, 5, 5}, {40, 35, 25}, {1, 2, 3}, {3, 2, 1}}}));
  const std::array<std::array<int, 3>, 5> expected2 = {
      {{1, 2, 0}, {0, 2, 1}, {0, 1, 2}, {2, 1, 0}, {0, 1, 2}}};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_EQ(d.RankOf(o, m), expected2[m][o]) << m << "," << o;
  }
  // A record without a round leaves the ranks alone.
  d.SetVoteRecord(MakeUniformVoteRecord(1, 2, 3, 0));
  EXPECT_EQ(d.RankOf(0, 2), 0);
  EXPECT_EQ(d.RankOf(2, 2), 2);

  // GetNinki with only "1番" ticked counts the favourites picked.
  d.SetGameFlg({true, true, true, true, true});
  d.SetMarkFlg({true, true, true});
  d.SetPlusFlg({true, false, false, false});
  // Match favourites: 2 (rank 0 of 5,5,8), 0, 0, 2, 0.
  int s = 2 + 0 * 3 + 1 * 9 + 2 * 27 + 0 * 81;
  EXPECT_EQ(d.GetNinki(Digits(s)), 4);
  clsTDeme fresh;
  fresh.SetVoteRecord(MakeUniformVoteRecord(1, 2, 3, 0));
  EXPECT_EQ(fresh.RankOf(1, 1), 0);
}

TEST(DemeTest, CountAllAgreesWithTheSingleQueries) {
  std::mt19937 gen(11);
  for (int trial = 0; trial < 50; ++trial) {
    MultiTable t;
    for (auto& row : t) {
      for (int& v : row) v = static_cast<int>(gen() % 7);
    }
    std::array<std::array<long long, 3>, 5> votes;
    for (auto& m : votes) {
      for (auto& v : m) v = gen() % 5;
    }
    clsTDeme d;
    d.SetMulti(t);
    d.SetVoteRecord(MakeVoteRecord(votes));
    std::array<bool, 5> games;
    for (bool& g : games) g = gen() % 3 != 0;
    std::array<bool, 3> outcomes;
    for (bool& o : outcomes) o = gen() % 3 != 0;
    std::vector<bool> plus(6);
    for (size_t i = 0; i < plus.size(); ++i) plus[i] = gen() % 2;
    d.SetGameFlg(games);
    d.SetMarkFlg(outcomes);
    d.SetPlusFlg(plus);
    std::array<uint8_t, kSingles> h, n, k;
    d.CountAll(clsTDeme::Kind::kHonmei, h);
    d.CountAll(clsTDeme::Kind::kNinki, n);
    d.CountAll(clsTDeme::Kind::kMark, k);
    for (int s = 0; s < kSingles; ++s) {
      auto digits = Digits(s);
      ASSERT_EQ(h[s], d.GetHonmei(digits));
      ASSERT_EQ(n[s], d.GetNinki(digits));
      ASSERT_EQ(k[s], d.GetMark(digits));
    }
  }
}

TEST(DemeTest, BadOutcomeOrTooManyFlagsIsReported) {
  FakePlatform fake;
  clsTDeme d;
  d.SetMulti(AllMarked(1));
  d.SetGameFlg({true, true, true, true, true});
  d.SetMarkFlg({true, true, true});
  d.SetPlusFlg({true});
  std::array<uint8_t, 5> bad = {0, 0, 3, 0, 0};
  EXPECT_EQ(d.GetHonmei(bad), 0);
  d.SetPlusFlg(std::vector<bool>(101, true));
  ASSERT_EQ(fake.messages().size(), 2u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTDeme / GetHonmei");
  EXPECT_EQ(fake.messages()[0].icon, MsgIcon::kCritical);
  EXPECT_EQ(fake.messages()[1].title, "Zelvomini / clsTDeme / SetPlusFlg");
  // The rejected flags changed nothing.
  EXPECT_EQ(d.GetHonmei(std::array<uint8_t, 5>{}), 5);
}

TEST(SingleFrameTest, CountsOutcomesPerMatchAndSkipsEmptySlots) {
  FrameTable f = CountSingleFrame(std::vector<int>{0, 242, 154, -1, 243});
  // 0 = 00000, 242 = 22222, 154 = 1 0 2 2 1.
  EXPECT_EQ(f[0][0], 1);
  EXPECT_EQ(f[1][0], 1);
  EXPECT_EQ(f[2][0], 1);
  EXPECT_EQ(f[0][1], 2);
  EXPECT_EQ(f[2][2], 2);
  EXPECT_EQ(f[2][3], 2);
  EXPECT_EQ(f[1][4], 1);
  int total = 0;
  for (auto& row : f) {
    for (int v : row) total += v;
  }
  EXPECT_EQ(total, 15);
}

// ---- clsTMulti ----

class MultiEditorTest : public ::testing::Test {
 protected:
  MultiEditorTest() { editor_.Initialize(&grid_, 30, 21); }

  void Left(int row, int col, bool shift = false, bool ctrl = false, bool dbl = false) {
    grid_.Click({MouseButton::kLeft, shift, ctrl, row, col, dbl});
  }
  void Right(int row, int col) { grid_.Click({MouseButton::kRight, false, false, row, col}); }
  std::string Cell(int match, int outcome) const {
    static constexpr int kCol[] = {2, 1, 3};
    return grid_.Text(match + 2, kCol[outcome]);
  }
  MultiTable Value() const {
    MultiTable t;
    editor_.GetValue(t);
    return t;
  }

  FakePlatform fake_;
  Grid grid_;
  clsTMulti editor_;
};

TEST_F(MultiEditorTest, NewEditorShowsHeaderAndBlankCells) {
  ASSERT_EQ(grid_.Rows(), 6);
  ASSERT_EQ(grid_.Cols(), 3);
  EXPECT_EQ(grid_.Text(1, 1), "1");
  EXPECT_EQ(grid_.Text(1, 2), "0");
  EXPECT_EQ(grid_.Text(1, 3), "2");
  EXPECT_EQ(grid_.DefaultColWidth(), 30);
  EXPECT_EQ(grid_.DefaultRowHeight(), 21);
  for (int r = 2; r <= 6; ++r) {
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(grid_.Text(r, c), "");
  }
  EXPECT_EQ(editor_.Pen(), clsTMulti::kPenAutomatic);
  EXPECT_TRUE(editor_.Automatic());
}

TEST_F(MultiEditorTest, AutomaticLeftClickCyclesTheMarks) {
  int redraws = 0;
  grid_.on_changed = [&] { ++redraws; };
  // Column 1 is outcome 1, row 2 match 0.
  const char* expected[] = {"◎", "○", "▲", "△", "×", "☆", ""};
  for (const char* text : expected) {
    Left(2, 1);
    EXPECT_EQ(Cell(0, 1), text);
  }
  EXPECT_EQ(redraws, 7);
  // A double click or a held modifier acts as a plain click; other cells stay.
  Left(4, 3, true, false, true);
  Left(4, 3, false, true);
  EXPECT_EQ(Cell(2, 2), "○");
  EXPECT_EQ(Value()[2][2], 2);
  EXPECT_EQ(Value()[0][2], 0);
  // A middle click changes nothing; clicks outside the cells are ignored.
  grid_.Click({MouseButton::kMiddle, false, false, 4, 3});
  grid_.Click({MouseButton::kLeft, false, false, 7, 1});
  EXPECT_EQ(Value()[2][2], 2);
  EXPECT_TRUE(fake_.menus().empty());
}

TEST_F(MultiEditorTest, LeftHeaderMenuSetsThePen) {
  fake_.QueueMenuChoice(2);  // ○ 対抗
  Left(1, 2);
  ASSERT_EQ(fake_.menus().size(), 1u);
  const auto& menu = fake_.menus()[0];
  EXPECT_EQ(menu.title, "左クリック動作");
  std::vector<std::string> texts;
  for (const auto& e : menu.entries) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"無し", "◎ 本命", "○ 対抗", "▲ 穴", "△ 大穴", "× 注意",
                                             "☆ 特注", "", "自動"}));
  EXPECT_TRUE(menu.entries[7].separator);
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(menu.entries[i].checked) << i;
  EXPECT_TRUE(menu.entries[8].checked);
  EXPECT_EQ(editor_.Pen(), 2);
  EXPECT_FALSE(editor_.Automatic());

  // The pen puts ○; clicking it again takes it off; another mark is replaced.
  Left(3, 1);
  EXPECT_EQ(Cell(1, 1), "○");
  Left(3, 1);
  EXPECT_EQ(Cell(1, 1), "");
  MultiTable t{};
  t[0][4] = 1;
  editor_.SetValue(t);
  Left(6, 2);
  EXPECT_EQ(Cell(4, 0), "○");

  // The menu now checks "○ 対抗"; dismissing it or picking the separator
  // keeps the pen.
  Left(1, 1);
  EXPECT_TRUE(fake_.menus()[1].entries[2].checked);
  EXPECT_FALSE(fake_.menus()[1].entries[8].checked);
  fake_.QueueMenuChoice(7);
  Left(1, 3);
  EXPECT_EQ(editor_.Pen(), 2);

  // "無し" erases with every click.
  fake_.QueueMenuChoice(0);
  Left(1, 1);
  EXPECT_EQ(editor_.Pen(), 0);
  Left(6, 2);
  Left(6, 2);
  EXPECT_EQ(Cell(4, 0), "");

  // "自動" brings the cycle back.
  fake_.QueueMenuChoice(8);
  Left(1, 1);
  EXPECT_TRUE(editor_.Automatic());
  EXPECT_EQ(editor_.Pen(), clsTMulti::kPenAutomatic);
  Left(6, 2);
  EXPECT_EQ(Cell(4, 0), "◎");
}

TEST_F(MultiEditorTest, RightClickOnACellChangesOnlyThatCell) {
  MultiTable t{};
  t[2][1] = 3;
  t[1][1] = 1;
  editor_.SetValue(t);
  fake_.QueueMenuChoice(5);  // × 注意
  Right(3, 3);
  ASSERT_EQ(fake_.menus().size(), 1u);
  const auto& menu = fake_.menus()[0];
  EXPECT_EQ(menu.title, "マーク変更");
  ASSERT_EQ(menu.entries.size(), 7u);
  EXPECT_EQ(menu.entries[6].text, "☆ 特注");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(menu.entries[i].checked, i == 3) << i;
  EXPECT_EQ(Cell(1, 2), "×");
  EXPECT_EQ(Cell(1, 1), "◎");
  // Dismissed: nothing changes, the blank cell's menu checks "無し".
  Right(2, 2);
  EXPECT_TRUE(fake_.menus()[1].entries[0].checked);
  EXPECT_EQ(Value()[0][0], 0);
  fake_.QueueMenuChoice(0);
  Right(3, 3);
  EXPECT_EQ(Cell(1, 2), "");
}

TEST_F(MultiEditorTest, RightHeaderMenuActsOnTheWholeMulti) {
  fake_.QueueMenuChoice(1);
  Right(1, 1);
  ASSERT_EQ(fake_.menus().size(), 1u);
  const auto& menu = fake_.menus()[0];
  ASSERT_EQ(menu.entries.size(), 5u);
  EXPECT_EQ(menu.entries[0].text, "全てマークを消去");
  EXPECT_EQ(menu.entries[1].text, "全て本命でマーク");
  EXPECT_EQ(menu.entries[2].text, "全て対抗でマーク");
  EXPECT_TRUE(menu.entries[3].separator);
  EXPECT_EQ(menu.entries[4].text, "全て投票率順でマーク");
  EXPECT_EQ(Value(), AllMarked(1));
  fake_.QueueMenuChoice(2);
  Right(1, 3);
  EXPECT_EQ(Value(), AllMarked(2));
  EXPECT_EQ(grid_.Text(6, 3), "○");
  fake_.QueueMenuChoice(0);
  Right(1, 2);
  EXPECT_EQ(Value(), MultiTable{});

  // By vote rates: without a round nothing happens.
  editor_.SetVoteRecord(MakeUniformVoteRecord(40, 35, 25, 0));
  fake_.QueueMenuChoice(4);
  Right(1, 1);
  EXPECT_EQ(Value(), MultiTable{});

  // 40, 35, 25 for outcomes 0, 1, 2: ◎ on 0, ○ on 1, ▲ on 2; ties as the
  // program's sort leaves them.
  editor_.SetVoteRecord(
      MakeVoteRecord({{{40, 35, 25}, {5, 5, 5}, {2, 5, 5}, {5, 8, 5}, {8, 5, 5}}}));
  fake_.QueueMenuChoice(4);
  Right(1, 1);
  EXPECT_EQ(Cell(0, 0), "◎");
  EXPECT_EQ(Cell(0, 1), "○");
  EXPECT_EQ(Cell(0, 2), "▲");
  const std::array<std::array<const char*, 3>, 4> ties = {
      {{"○", "▲", "◎"}, {"▲", "○", "◎"}, {"○", "◎", "▲"}, {"◎", "▲", "○"}}};
  for (int m = 1; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) EXPECT_EQ(Cell(m, o), ties[m - 1][o]) << m << "," << o;
  }
}

TEST_F(MultiEditorTest, ValueVisibleTargetsAndClear) {
  MultiTable t{};
  t[1][0] = 6;
  t[0][3] = 2;
  editor_.SetValue(t);
  EXPECT_EQ(Cell(0, 1), "☆");
  MultiFlags visible;
  editor_.GetVisible(visible);
  EXPECT_TRUE(visible[1][0]);
  EXPECT_TRUE(visible[0][3]);
  EXPECT_FALSE(visible[2][3]);

  MultiFlags targets{};
  targets[1][0] = targets[1][1] = targets[2][4] = true;
  editor_.SetTaishou(targets);
  EXPECT_EQ(grid_.Cell(2, 1).back, kColorWhite);        // match 0, outcome 1
  EXPECT_EQ(grid_.Cell(3, 1).back, kColorLightYellow);  // match 1
  EXPECT_EQ(grid_.Cell(6, 3).back, kColorWhite);        // match 4, outcome 2
  EXPECT_EQ(grid_.Cell(2, 2).back, kColorButtonFace);   // not a target
  EXPECT_EQ(grid_.Cell(5, 3).back, kColorButtonFace);
  EXPECT_EQ(grid_.Cell(1, 1).back, kColorButtonFace);  // header

  editor_.Clear();
  EXPECT_EQ(Value(), MultiTable{});
  EXPECT_EQ(Cell(0, 1), "");
  // A damaged document's mark number shows blank and cycles back to 0.
  t[1][0] = 9;
  editor_.SetValue(t);
  EXPECT_EQ(Cell(0, 1), "");
  Left(2, 1);
  EXPECT_EQ(Value()[1][0], 0);
}

}  // namespace
}  // namespace zelvo
