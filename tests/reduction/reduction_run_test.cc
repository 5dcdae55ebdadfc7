// The reduction run on hand-built multis and conditions, with the exact log.
#include "reduction/reduction_run.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/single_number.h"
#include "support/version.h"
#include "tests/common/fake_platform.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

using testing::FakePlatform;
using testing::MakeUniformVoteRecord;

const std::string kSep(55, '-');

// Every match carries the same marks on outcomes 0, 1, 2.
MultiTable Marks(int on0, int on1, int on2) {
  MultiTable t;
  t[0].fill(on0);
  t[1].fill(on1);
  t[2].fill(on2);
  return t;
}

int CountOf(int single, int outcome) {
  int n = 0;
  for (int m = 0; m < 5; ++m) n += OutcomeOf(single, m) == outcome;
  return n;
}

class ReductionRunTest : public ::testing::Test {
 protected:
  ReductionRunTest() {
    tx_.Initialize(&log_, &count_grid_, &meisai_grid_);
    conditions_ = DefaultReductionConditions();
  }

  void Run(const MultiTable& multi) {
    count_ = -1;
    singles_ = {999};
    tx_.Execute(conditions_, multi, count_, singles_);
  }
  const std::vector<std::string>& Lines() const { return log_.Lines(); }
  ConditionEntry& Honmei(int group) { return conditions_.Honmei[group]; }
  ConditionEntry& Ninki(int group) { return conditions_.Ninki[group]; }
  ConditionEntry& Mark(int group) { return conditions_.Mark[group]; }
  static std::string Header() { return "Zelvo mini  Version " + ProgramVersionText(); }

  // The usual pair of passes: ◎ (on every home win) counted over all
  // matches, 0, 4 and 5 excluded; then away wins in matches 1 and 2 of
  // group A, both excluded.  243 -> 200 -> 181.
  void TwoPasses(uint8_t zero_state, uint8_t high_state, uint8_t away_state) {
    Honmei(0).cells[0] = {zero_state, 0, 0, 0, high_state, high_state};
    ConditionEntry& a = Mark(3);
    a.target_matches = {true, true, false, false, false};
    a.cells[2] = {0, 0, away_state, 0, 0, 0};
  }

  FakePlatform fake_;
  RunLogList log_;
  Grid count_grid_, meisai_grid_;
  clsTX tx_;
  ReductionConditions conditions_;
  int count_ = -1;
  std::vector<int> singles_;
};

TEST_F(ReductionRunTest, NoConditionsKeepTheMulti) {
  MultiTable one{};
  one[0] = {1, 1, 1, 1, 1};
  Run(one);
  EXPECT_EQ(count_, 1);
  EXPECT_EQ(singles_, std::vector<int>{0});
  EXPECT_EQ(Lines(), (std::vector<std::string>{Header(), kSep, "マルチ総数：1", ""}));
  EXPECT_FALSE(tx_.Run());

  // An empty multi: no pass runs, even with a condition that would apply.
  Honmei(0).cells[0][0] = kCellExcluded;
  Run(MultiTable{});
  EXPECT_EQ(count_, 0);
  EXPECT_TRUE(singles_.empty());
  EXPECT_EQ(Lines(), (std::vector<std::string>{Header(), kSep, "マルチ総数：0", ""}));
  tx_.EndMsg(0);
  EXPECT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines()[3], kSep);
  EXPECT_EQ(Lines()[4], "該当するパターンは存在しません");
  tx_.EndMsg(1234);
  EXPECT_EQ(Lines()[6], "該当するパターンは 1,234 存在します");
}

TEST_F(ReductionRunTest, PassesApplyInOrderToTheShrinkingList) {
  TwoPasses(kCellExcluded, kCellExcluded, kCellExcluded);
  // Rows that test nothing or whose group or table is off are skipped.
  Honmei(4).B = false;
  Honmei(4).cells[0][0] = kCellExcluded;
  for (auto& e : conditions_.Ninki) e.A = false;
  conditions_.Ninki[0].cells[0] = {1, 1, 1, 1, 1, 1};
  fake_.tick_per_yield = 10;

  Run(Marks(2, 1, 3));
  ASSERT_EQ(count_, 181);
  ASSERT_EQ(singles_.size(), 181u);
  EXPECT_TRUE(std::is_sorted(singles_.begin(), singles_.end()));
  for (int s : singles_) {
    int homes = CountOf(s, 1);
    ASSERT_TRUE(homes >= 1 && homes <= 3) << s;
    ASSERT_FALSE(OutcomeOf(s, 0) == 2 && OutcomeOf(s, 1) == 2) << s;
  }
  // 81 yields of 10 ms in the first pass (every third single), 100 in the
  // second (200 singles, every second one).
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{
                Header(), kSep, "マルチ総数：243", kSep,
                "0000 本命/全て/◎" + std::string(10, ' ') + ":    243 →     200 ( 82.30%)",
                "0001 勝敗/A/[2]" + std::string(12, ' ') + ":    200 →     181 ( 90.50%)", ""}));
  EXPECT_EQ(fake_.yield_count(), 81 + 100);
}

TEST_F(ReductionRunTest, NinkiFromTheVoteStatusAndEmptyJ1) {
  tx_.SetVote(MakeUniformVoteRecord(400, 350, 250));  // draws most voted
  Ninki(0).cells[0] = {0, 0, 0, 1, 1, 1};             // at most two favourites
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 32 + 80 + 80);
  for (int s : singles_) ASSERT_LE(CountOf(s, 0), 2);
  EXPECT_TRUE(Lines()[4].starts_with("0000 人気/全て/1番")) << Lines()[4];

  // "4番" never matches a three-outcome match: its count is always 0.
  conditions_ = DefaultReductionConditions();
  Ninki(5).row_items[0] = {false, false, false, true};
  Ninki(5).cells[0] = {0, 1, 1, 1, 1, 1};
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 243);

  // J1 without a J1 match: every count is 0, so excluding 0 removes all and
  // the later passes do not run.
  Ninki(1).cells[0][0] = kCellExcluded;
  Mark(0).cells[0][0] = kCellExcluded;
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 0);
  EXPECT_TRUE(singles_.empty());
  ASSERT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines()[4], "0000 人気/J1/1番" + std::string(11, ' ') + ":    243 →       0 (  0.00%)");

  // Without a round every outcome counts as the favourite.
  conditions_ = DefaultReductionConditions();
  tx_.SetVote(VoteStatusRecord{});
  Ninki(0).cells[0] = {0, 0, 0, 0, 0, 1};
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 0);
}

TEST_F(ReductionRunTest, PayoutPasses) {
  tx_.SetVote(MakeUniformVoteRecord(400, 350, 250));
  // Only all draws (4,882 yen) stays at or below 5,000 yen; the next
  // cheapest, four draws and a home win, estimates 5,580 yen.
  auto& h = conditions_.Haitou;
  h.Flag[0] = true;
  h.Max[0] = Money::FromInt(5000);
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 1);
  EXPECT_EQ(singles_, std::vector<int>{0});
  EXPECT_EQ(Lines()[4],
            "0000 １等当せん金" + std::string(10, ' ') + ":    243 →       1 (  0.41%)");

  // Both bounds are inclusive.
  h.Min[0] = h.Max[0] = Money::FromInt(5580);
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 5);
  h.Min[0] = Money::FromInt(5581);
  h.Max[0] = Money::FromInt(9999999999);
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 243 - 6);

  // A ticked grade whose box is not enabled takes no part; a grade-2 range
  // of 0 to 0 keeps everything (its estimate is always 0).
  h = HaitouConditions{};
  h.Flag[1] = true;
  Run(Marks(1, 1, 1));
  EXPECT_EQ(Lines().size(), 4u);
  h.Enabled[1] = true;
  h.Max[1] = Money();
  Run(Marks(1, 1, 1));
  EXPECT_EQ(count_, 243);
  EXPECT_TRUE(Lines()[4].starts_with("0000 ２等当せん金")) << Lines()[4];
}

TEST_F(ReductionRunTest, NoUpperLimitKeepsTheCeiling) {
  // 1 % on the draw: five draws estimate 5 x 10^11 yen, above the ceiling,
  // which the open upper bound still keeps; a home win instead of one draw
  // gives 10,204,081,632 yen.
  tx_.SetVote(MakeUniformVoteRecord(1, 49, 50));
  auto& h = conditions_.Haitou;
  h.Flag[0] = true;
  h.Min[0] = Money::FromInt(99999999999);
  MultiTable draws_only{};
  draws_only[0].fill(1);
  draws_only[1][0] = 1;
  Run(draws_only);
  EXPECT_EQ(count_, 1);
  EXPECT_EQ(singles_, std::vector<int>{0});
  EXPECT_EQ(tx_.Passes().Estimator().GetMoney1(std::array<int, 5>{}), Money::FromInt(99999999999));
  // A negative lower bound switches the pass off, though it is still logged.
  h.Min[0] = Money::FromInt(-1);
  h.Max[0] = Money();
  Run(draws_only);
  EXPECT_EQ(count_, 2);
  EXPECT_EQ(Lines().size(), 6u);
}

TEST_F(ReductionRunTest, ErrorCountingKeepsTheTickedCounts) {
  TwoPasses(kCellExcluded, kCellExcluded, kCellExcluded);
  conditions_.MachigaiType = 1;
  fake_.SetTick(7000);
  tx_.Log().Cls();  // the run restarts the stopwatch itself
  fake_.SetTick(9000);
  Run(Marks(2, 1, 3));
  // Only 0 ticked: the plain run's singles, with the distribution logged.
  EXPECT_EQ(count_, 181);
  for (int s : singles_) {
    int homes = CountOf(s, 1);
    ASSERT_TRUE(homes >= 1 && homes <= 3 && !(OutcomeOf(s, 0) == 2 && OutcomeOf(s, 1) == 2));
  }
  std::vector<std::string> expected = {
      Header(),
      kSep,
      "マルチ総数：243",
      kSep,
      "0000 本命/全て/◎" + std::string(10, ' ') + ":    243 →     243 (100.00%)",
      "0000 勝敗/A/[2]" + std::string(12, ' ') + ":    243 →     243 (100.00%)",
      kSep};
  // 181 pass all; 35 fail only the ◎ count and 19 only the away wins; 8
  // (away in both and no home win) fail both.
  const int dist[12] = {181, 54, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int b = 0; b < 12; ++b) {
    std::string bucket = b < 10 ? std::to_string(b) + " " : (b == 10 ? "10" : "→");
    std::string n = std::to_string(dist[b]);
    expected.push_back("0000 条件間違い分布 " + bucket + " : " + std::string(10 - n.size(), ' ') +
                       n);
  }
  expected.push_back(kSep);
  expected.push_back("0000 条件間違い補正        :    243 →     181 ( 74.49%)");
  expected.push_back("");
  EXPECT_EQ(Lines(), expected);

  // Only 1 ticked: the singles with exactly one failed condition.
  conditions_.MachigaiList = {false, true};
  Run(Marks(2, 1, 3));
  EXPECT_EQ(count_, 54);
  for (int s : singles_) {
    int homes = CountOf(s, 1);
    bool fails_a = homes == 0 || homes >= 4;
    bool fails_b = OutcomeOf(s, 0) == 2 && OutcomeOf(s, 1) == 2;
    ASSERT_NE(fails_a, fails_b) << s;
  }
}

TEST_F(ReductionRunTest, ToleratedModeAddsSinglesThatFailOnlyTolerantCells) {
  // No home win is excluded, four or five are tolerated; away in both
  // matches is tolerated.
  TwoPasses(kCellExcluded, kCellTolerated, kCellTolerated);
  conditions_.MachigaiType = 2;
  conditions_.MachigaiList = {true, true};
  Run(Marks(2, 1, 3));
  // 181 pass all; 11 fail only on four or five home wins, 19 only on the
  // away wins; the 24 that fail only the excluded 0 and the 8 that fail
  // both an excluded and a tolerated cell stay out of the distribution.
  EXPECT_EQ(count_, 181 + 11 + 19);
  EXPECT_EQ(Lines()[7].substr(Lines()[7].size() - 3), "181");
  EXPECT_EQ(Lines()[8].substr(Lines()[8].size() - 3), " 30");
  EXPECT_EQ(Lines()[9].substr(Lines()[9].size() - 3), "  0");

  // Only 1 ticked: singles that pass everything are dropped.
  conditions_.MachigaiList = {false, true};
  Run(Marks(2, 1, 3));
  EXPECT_EQ(count_, 30);
  for (int s : singles_) EXPECT_NE(CountOf(s, 1), 0) << s;
}

TEST_F(ReductionRunTest, PayoutErrorIsNeverTolerated) {
  // Singles 0 (all draws, 4,882 yen) and 1 (home win in match 0, 5,580 yen).
  tx_.SetVote(MakeUniformVoteRecord(400, 350, 250));
  MultiTable multi{};
  multi[0].fill(1);
  multi[1][0] = 1;
  conditions_.Haitou.Flag[0] = true;
  conditions_.Haitou.Max[0] = Money::FromInt(5000);
  Mark(0).cells[1][1] = kCellTolerated;  // one home win tolerated
  conditions_.MachigaiType = 2;
  conditions_.MachigaiList.fill(true);
  Run(multi);
  // Single 1 has two errors, one of them tolerated: never kept, not counted.
  EXPECT_EQ(count_, 1);
  EXPECT_EQ(singles_, std::vector<int>{0});
  EXPECT_EQ(Lines()[7].substr(Lines()[7].size() - 3), "  1");  // bucket 0
  for (int b = 1; b < 12; ++b) {
    EXPECT_EQ(Lines()[7 + b].substr(Lines()[7 + b].size() - 2), " 0") << b;
  }
}

TEST_F(ReductionRunTest, ErrorCountsPastAByteStillLandInTheLastBucket) {
  // 256 failing rows: every row of every Honmei group (174) and 82 Ninki
  // rows, each excluding every count.  A byte counter would wrap to 0.
  int rows = 0;
  for (auto& e : conditions_.Honmei) {
    for (auto& c : e.cells) {
      c.fill(kCellExcluded);
      ++rows;
    }
  }
  for (auto& e : conditions_.Ninki) {
    for (auto& c : e.cells) {
      if (rows == 256) break;
      c.fill(kCellExcluded);
      ++rows;
    }
  }
  ASSERT_EQ(rows, 256);
  conditions_.MachigaiType = 1;
  MultiTable one{};
  one[1].fill(1);
  Run(one);
  EXPECT_EQ(count_, 0);
  const std::string& last_bucket = Lines()[Lines().size() - 4];
  EXPECT_EQ(last_bucket, "0000 条件間違い分布 → :          1");
  conditions_.MachigaiList[11] = true;
  Run(one);
  EXPECT_EQ(count_, 1);
}

TEST_F(ReductionRunTest, CancelDuringTheThirdPass) {
  // Four passes that keep everything (five ◎ cannot occur without marks),
  // so each one yields 81 times over the 243 singles.
  for (int g : {3, 4, 5, 6}) Honmei(g).cells[0][5] = kCellExcluded;
  fake_.tick_per_yield = 10;
  fake_.on_yield = [&] {
    if (fake_.yield_count() == 2 * 81 + 10) tx_.Cancel();
  };
  Run(Marks(2, 4, 3));  // no ◎ anywhere
  EXPECT_EQ(count_, 0);
  EXPECT_TRUE(singles_.empty());
  EXPECT_FALSE(tx_.Run());
  // The pass stops at its next progress point; the fourth never starts.
  EXPECT_EQ(fake_.yield_count(), 2 * 81 + 10);
  std::string pad(13, ' ');
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{Header(), kSep, "マルチ総数：243", kSep,
                                      "0000 本命/A/◎" + pad + ":    243 →     243 (100.00%)",
                                      "0001 本命/B/◎" + pad + ":    243 →     243 (100.00%)",
                                      "0002 本命/C/◎" + pad + ":    243 →     243 (100.00%)",
                                      "実行がキャンセルされました", ""}));

  // The next run starts afresh.
  fake_.on_yield = nullptr;
  Run(Marks(2, 4, 3));
  EXPECT_EQ(count_, 243);
}

TEST_F(ReductionRunTest, ProgressReachesTheLogsBar) {
  std::vector<int> values;
  log_.on_progress = [&](int value, int max) {
    EXPECT_EQ(max, 100);
    values.push_back(value);
  };
  Honmei(0).cells[0][5] = kCellExcluded;
  Run(Marks(2, 2, 2));                           // 243 singles: a step after every third
  ASSERT_EQ(values.size(), 1u + 1u + 81u + 1u);  // max, begin, 81 steps, end
  EXPECT_EQ(values[1], 0);
  for (int i = 1; i <= 81; ++i) ASSERT_EQ(values[1 + i], i);
  EXPECT_EQ(values.back(), 0);
  EXPECT_EQ(fake_.yield_count(), 81);

  // 100 singles or fewer: a step after every single.
  values.clear();
  MultiTable small{};
  small[0].fill(1);
  small[1].fill(1);
  small[2][4] = 0;
  small[0][4] = 0;
  Run(small);  // 2^4 = 16 singles
  EXPECT_EQ(values.size(), 2u + 16u + 1u);
}

TEST(ReductionPassTest, ProgressStepAndCancelPoints) {
  clsTX1 x1;
  x1.SetValue(Marks(1, 1, 1));
  ConditionEntry entry = DefaultConditionEntry(ConditionTable::kMark, 0);
  entry.cells[0] = {1, 0, 0, 0, 0, 0};  // drop singles without a draw
  std::vector<int> values;
  x1.Progress = [&](int v) { values.push_back(v); };
  MachigaiCounts errors, tolerated;
  for (auto [n, events] : {std::pair{100, 100}, {101, 50}, {200, 100}, {201, 67}, {243, 81}}) {
    std::vector<int> singles(n);
    for (int i = 0; i < n; ++i) singles[i] = i;
    int count = n;
    values.clear();
    x1.JoukenSakugen(ConditionTable::kMark, count, singles, 0, entry, false, errors, tolerated);
    ASSERT_EQ(static_cast<int>(values.size()), events) << n;
    EXPECT_EQ(values.back(), events);
    int expected = 0;
    for (int s = 0; s < n; ++s) expected += CountOf(s, 0) > 0;
    EXPECT_EQ(count, expected);
    EXPECT_EQ(static_cast<int>(singles.size()), expected);
  }

  // A cancel stops the pass at its next point and keeps what it had not
  // tested.  None of these has a draw except 0.
  std::vector<int> singles = {121, 122, 0, 242, 241};  // 11111 21111 00000 22222 12222
  int count = 5;
  x1.Progress = [&](int) { x1.Cancel(true); };
  x1.JoukenSakugen(ConditionTable::kMark, count, singles, 0, entry, false, errors, tolerated);
  // Point after 121 (no draw: dropped): cancel set; next point after 122
  // (dropped) stops the pass, 0, 242 and 241 stay untested.
  EXPECT_EQ(singles, (std::vector<int>{0, 242, 241}));
  // While cancelled, a count pass does nothing at all.
  x1.JoukenSakugen(ConditionTable::kMark, count, singles, 0, entry, false, errors, tolerated);
  EXPECT_EQ(count, 3);

  // Numbers outside 0 to 242 are reported and leave the list alone.
  FakePlatform fake;
  x1.Cancel(false);
  singles = {5, 243, 7};
  count = 3;
  x1.JoukenSakugen(ConditionTable::kMark, count, singles, 0, entry, false, errors, tolerated);
  EXPECT_EQ(singles, (std::vector<int>{5, 243, 7}));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTX1 / JoukenSakugen");
}

TEST_F(ReductionRunTest, CompositionAnalysisOfARow) {
  std::array<int, 6> hist{};
  tx_.KouseiBunseki(ConditionTable::kHonmei, Marks(2, 1, 3), Honmei(0), 0, hist);
  EXPECT_EQ(hist, (std::array<int, 6>{32, 80, 80, 40, 10, 1}));
  // Row 1 (○ on every draw) over matches 0 and 1 of group A.
  ConditionEntry a = Honmei(3);
  a.target_matches = {true, true, false, false, false};
  tx_.KouseiBunseki(ConditionTable::kHonmei, Marks(2, 1, 3), a, 1, hist);
  EXPECT_EQ(hist, (std::array<int, 6>{4 * 27, 4 * 27, 27, 0, 0, 0}));
}

TEST_F(ReductionRunTest, PanelsFollowTheRun) {
  FrameTable frame{};
  frame[1][0] = 6;
  MultiFlags visible{};
  visible[0][0] = true;
  tx_.SetSingleFrame(frame, visible);
  EXPECT_EQ(count_grid_.Text(2, 1), "      6");
  EXPECT_EQ(count_grid_.Text(2, 2), "      0");
  EXPECT_EQ(count_grid_.Text(2, 3), "");
  tx_.SinglePercent(true);
  EXPECT_EQ(count_grid_.Text(2, 1), "   100%");
  EXPECT_EQ(count_grid_.DefaultColWidth(), 60);
  EXPECT_EQ(count_grid_.DefaultRowHeight(), 21);

  MultiTable multi = Marks(1, 1, 0);
  std::array<int, 6> tousen = {32, 6, 20, 6, 26, 32};
  tx_.SetMeisai(multi, 0, tousen);  // nothing bought: no update
  EXPECT_EQ(meisai_grid_.Text(6, 2), "0 ");
  tx_.SetMeisai(multi, 6, tousen);
  EXPECT_EQ(meisai_grid_.Text(3, 2), "5 ");
  EXPECT_EQ(meisai_grid_.Text(6, 2), "32 ");
  EXPECT_EQ(meisai_grid_.Text(8, 2), " 1／5.33");
  EXPECT_EQ(tx_.MeisaiPanel().Tousen(), tousen);
  EXPECT_EQ(meisai_grid_.ColWidth(1), 90);

  tx_.CountMeisaiClear();
  EXPECT_EQ(count_grid_.Text(2, 1), "");
  EXPECT_EQ(count_grid_.Text(2, 2), "     0%");
  EXPECT_EQ(meisai_grid_.Text(7, 2), "0 ");
  EXPECT_EQ(meisai_grid_.Text(8, 2), " 0");
}

}  // namespace
}  // namespace zelvo
