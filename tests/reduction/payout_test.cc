// The payout estimate, its text, and the coverage counts.
#include <gtest/gtest.h>

#include <vector>

#include "core/single_number.h"
#include "reduction/payout_estimate.h"
#include "reduction/payout_text.h"
#include "reduction/probability.h"
#include "tests/common/fake_platform.h"
#include "tests/common/vote_builder.h"

namespace zelvo {
namespace {

using testing::FakePlatform;
using testing::MakeUniformVoteRecord;
using testing::MakeVoteRecord;

std::array<int, 5> Kousei(int single) {
  std::array<int, 5> k;
  for (int m = 0; m < 5; ++m) k[m] = OutcomeOf(single, m);
  return k;
}

int64_t Yen(Money m) {
  EXPECT_EQ(m.raw() % Money::kScale, 0) << "not whole yen";
  return m.raw() / Money::kScale;
}

TEST(PayoutEstimateTest, NothingBeforeTheVoteArrives) {
  clsTMoney money;
  for (int s : {0, 100, 242}) EXPECT_EQ(money.GetMoney1(Kousei(s)), Money());
  EXPECT_EQ(money.Pool(0), 0);
}

TEST(PayoutEstimateTest, GradeOneFromTheFiveRates) {
  clsTMoney money;
  // Equal votes everywhere: 5 x 10^11 / (100/3)^5, down to whole yen.
  money.SetVote(MakeUniformVoteRecord(7, 7, 7));
  EXPECT_DOUBLE_EQ(money.Pool(0), 5e11);
  for (int s = 0; s < kSingles; ++s) ASSERT_EQ(Yen(money.GetMoney1(Kousei(s))), 12150) << s;

  // 40 / 35 / 25 per cent on outcomes 0 / 1 / 2.
  money.SetVote(MakeUniformVoteRecord(400, 350, 250));
  EXPECT_DOUBLE_EQ(money.VoteRate(3, 1), 35);
  EXPECT_DOUBLE_EQ(money.MissRate(3, 1), 65);
  // All draws: 5e11 / 40^5 = 4882.8125, cut to 4882.
  EXPECT_EQ(Yen(money.GetMoney1(std::array<int, 5>{0, 0, 0, 0, 0})), 4882);
  // 40 x 35 x 25 x 40 x 35 = 49,000,000: 10204.08...
  EXPECT_EQ(Yen(money.GetMoney1(std::array<int, 5>{0, 1, 2, 0, 1})), 10204);

  // Half the votes on outcomes 0 and 1, none on 2: 1,600 yen, and a single
  // with an outcome nobody voted for estimates 0, not the ceiling.
  money.SetVote(MakeUniformVoteRecord(50, 50, 0));
  EXPECT_EQ(Yen(money.GetMoney1(std::array<int, 5>{0, 1, 1, 0, 0})), 1600);
  Money none = money.GetMoney1(std::array<int, 5>{0, 1, 2, 0, 0});
  EXPECT_EQ(none, Money());
  EXPECT_EQ(PayoutText(none), "");
}

TEST(PayoutEstimateTest, CeilingAndEmptyMatches) {
  clsTMoney money;
  // One vote in two million on every pick: far above the ceiling.
  money.SetVote(MakeUniformVoteRecord(1, 1000000, 1000000));
  Money top = money.GetMoney1(std::array<int, 5>{0, 0, 0, 0, 0});
  EXPECT_EQ(top, Money::FromInt(kPayoutCeiling));
  EXPECT_EQ(PayoutText(top), "****億");

  // A match without votes: rates 0, miss rates 100, every estimate 0.
  std::array<std::array<long long, 3>, 5> counts;
  counts.fill({10, 20, 30});
  counts[2] = {0, 0, 0};
  money.SetVote(MakeVoteRecord(counts));
  EXPECT_EQ(money.VoteRate(2, 0), 0);
  EXPECT_EQ(money.MissRate(2, 2), 100);
  for (int s = 0; s < kSingles; ++s) ASSERT_EQ(money.GetMoney1(Kousei(s)), Money());
}

TEST(PayoutEstimateTest, LowerGradesAlwaysEstimateZero) {
  clsTMoney money;
  money.SetVote(MakeUniformVoteRecord(400, 350, 250));
  EXPECT_EQ(money.Pool(1), 0);
  EXPECT_EQ(money.Pool(2), 0);
  for (int s = 0; s < kSingles; ++s) {
    ASSERT_EQ(money.GetMoney2(Kousei(s)), Money());
    ASSERT_EQ(money.GetMoney3(Kousei(s)), Money());
    ASSERT_EQ(money.GetMoney(1, Kousei(s)), Money());
  }
}

TEST(PayoutEstimateTest, FailuresAreReportedAndGiveZero) {
  FakePlatform fake;
  clsTMoney money;
  money.SetVote(MakeUniformVoteRecord(400, 350, 250));
  EXPECT_EQ(money.GetMoney1(std::array<int, 5>{0, 0, 3, 0, 0}), Money());
  EXPECT_EQ(money.GetMoney2(std::array<int, 5>{0, -1, 0, 0, 0}), Money());
  EXPECT_EQ(money.GetMoney3(std::vector<int>{0, 0, 0}), Money());
  ASSERT_EQ(fake.messages().size(), 3u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTMoney / GetMoney1");
  EXPECT_EQ(fake.messages()[0].text, "インデックスが有効範囲にありません。 ( 9 )");
  EXPECT_EQ(fake.messages()[1].title, "Zelvomini / clsTMoney / GetMoney2");
  EXPECT_EQ(fake.messages()[2].title, "Zelvomini / clsTMoney / GetMoney3");

  // A total past 2^31 - 1 is counted in 64 bits: the same rates as a small
  // round give the same estimate.
  const std::array<int, 5> single{0, 1, 2, 0, 1};
  ASSERT_TRUE(money.SetVote(MakeUniformVoteRecord(2000000000, 2000000000, 1000000000)));
  clsTMoney small;
  ASSERT_TRUE(small.SetVote(MakeUniformVoteRecord(400, 400, 200)));
  EXPECT_GT(money.GetMoney1(single), Money());
  EXPECT_EQ(money.GetMoney1(single), small.GetMoney1(single));
  EXPECT_EQ(fake.messages().size(), 3u);

  // A negative count is no vote figure: reported, and no stale estimate remains.
  EXPECT_FALSE(money.SetVote(MakeUniformVoteRecord(400, -1, 250)));
  ASSERT_EQ(fake.messages().size(), 4u);
  EXPECT_EQ(fake.messages()[3].title, "Zelvomini / clsTMoney / SetVote");
  EXPECT_EQ(money.GetMoney1(single), Money());
}

TEST(PayoutTextTest, UnitsAndRounding) {
  auto text = [](int64_t yen) { return PayoutText(Money::FromInt(yen)); };
  EXPECT_EQ(text(0), "");
  EXPECT_EQ(text(1), "1円");
  EXPECT_EQ(text(9999), "9999円");
  EXPECT_EQ(text(10000), "1.00万");
  EXPECT_EQ(text(12345), "1.23万");
  EXPECT_EQ(text(12355), "1.24万");
  EXPECT_EQ(text(99999), "10.00万");  // two decimals, rounded
  EXPECT_EQ(text(100000), "10万");
  EXPECT_EQ(text(99999999), "9999万");
  EXPECT_EQ(text(123456789), "1.23億");  // cut, not rounded
  EXPECT_EQ(text(199999999), "1.99億");
  EXPECT_EQ(text(150000000), "1.5億");
  EXPECT_EQ(text(100000000), "1億");
  EXPECT_EQ(text(105000000), "1.05億");
  EXPECT_EQ(text(1000000000), "10億");
  EXPECT_EQ(text(99999999998), "999億");
  EXPECT_EQ(text(99999999999), "****億");
  EXPECT_EQ(PayoutText(Money::FromRaw(99999999)), "9999円");  // 9,999.9999 yen
}

TEST(CoverageCountsTest, OneSingleOverTheFullMulti) {
  std::vector<int> multi(kSingles);
  for (int i = 0; i < kSingles; ++i) multi[i] = i;
  clsTProbability p;
  std::array<int, 6> t{};
  for (int bought : {0, 121, 242}) {
    p.GetTousen(multi, std::vector<int>{bought}, t);
    EXPECT_EQ(t, (std::array<int, 6>{243, 1, 10, 40, 11, 51})) << bought;
  }
  // Two neighbours: each is exact and also one match from the other; their
  // one-off sets share the single 2 besides each other.
  p.GetTousen(multi, std::vector<int>{0, 1}, t);
  EXPECT_EQ(t[1], 2);
  EXPECT_EQ(t[2], 19);
  EXPECT_EQ(t[4], 19);
  // Only the candidates count.
  p.GetTousen(std::vector<int>{0, 1, 4, 4}, std::vector<int>{0}, t);
  EXPECT_EQ(t, (std::array<int, 6>{4, 1, 1, 2, 2, 4}));
}

TEST(CoverageCountsTest, InvalidNumbersAreReported) {
  FakePlatform fake;
  clsTProbability p;
  std::array<int, 6> t{};
  t.fill(-7);
  p.GetTousen(std::vector<int>{0, 1}, std::vector<int>{243}, t);
  p.GetTousen(std::vector<int>{-1}, std::vector<int>{0}, t);
  ASSERT_EQ(fake.messages().size(), 2u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTProbability / GetTousen");
  EXPECT_EQ(t[0], -7);
}

}  // namespace
}  // namespace zelvo
