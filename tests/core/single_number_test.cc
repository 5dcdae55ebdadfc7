#include "core/single_number.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/common/fake_platform.h"

namespace zelvo {
namespace {

TEST(SingleNumberTest, ConversionsBothWays) {
  clsTNumber n;
  uint8_t k[5];
  n.NoToByte(0, k);
  EXPECT_EQ(std::vector<int>(k, k + 5), (std::vector<int>{0, 0, 0, 0, 0}));
  n.NoToByte(242, k);
  EXPECT_EQ(std::vector<int>(k, k + 5), (std::vector<int>{2, 2, 2, 2, 2}));
  n.NoToByte(100, k);
  EXPECT_EQ(std::vector<int>(k, k + 5), (std::vector<int>{1, 0, 2, 0, 1}));
  int lk[5];
  for (int no = 0; no < kSingles; ++no) {
    n.NoToByte(no, k);
    EXPECT_EQ(n.ByteToNo(k), no);
    n.NoToLong(no, lk);
    EXPECT_EQ(n.LongToNo(lk), no);
    for (int m = 0; m < 5; ++m) EXPECT_EQ(OutcomeOf(no, m), k[m]);
  }
}

TEST(SingleNumberTest, NeighbourListsInTheirOrder) {
  clsTNumber n;
  int two[10];
  n.Get2List(0, two);
  EXPECT_EQ(std::vector<int>(two, two + 10),
            (std::vector<int>{1, 2, 3, 6, 9, 18, 27, 54, 81, 162}));
  int three[40];
  n.Get3List(0, three);
  EXPECT_EQ(std::vector<int>(three, three + 8), (std::vector<int>{4, 7, 5, 8, 10, 19, 11, 20}));
  n.Get3List(242, three);
  EXPECT_EQ(std::vector<int>(three, three + 4), (std::vector<int>{234, 237, 235, 238}));
}

TEST(SingleNumberTest, NeighboursAreAtTheRightDistanceAndDistinct) {
  clsTNumber n;
  auto distance = [](int a, int b) {
    int d = 0;
    for (int m = 0; m < 5; ++m) d += OutcomeOf(a, m) != OutcomeOf(b, m);
    return d;
  };
  for (int s = 0; s < kSingles; ++s) {
    int all[51];
    n.Get123List(s, all);
    EXPECT_EQ(all[0], s);
    std::set<int> seen(all, all + 51);
    EXPECT_EQ(seen.size(), 51u);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(distance(s, all[i]), 1);
    for (int i = 11; i < 51; ++i) EXPECT_EQ(distance(s, all[i]), 2);
    int twelve[11];
    n.Get12List(s, twelve);
    EXPECT_EQ(std::vector<int>(twelve, twelve + 11), std::vector<int>(all, all + 11));
    EXPECT_EQ(std::vector<int>(Reach3(s).begin(), Reach3(s).end()), std::vector<int>(all, all + 51));
    EXPECT_EQ(std::vector<int>(Reach2(s).begin(), Reach2(s).end()), std::vector<int>(all, all + 11));
  }
}

TEST(SingleNumberTest, ShortArraysAreReportedAndPartlyWritten) {
  testing::FakePlatform fake;
  clsTNumber n;
  uint8_t k[3] = {9, 9, 9};
  n.NoToByte(100, k);
  int list[10] = {};
  n.Get12List(0, list);  // needs 11 entries
  ASSERT_EQ(fake.messages().size(), 2u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / clsTNumber / NoToArray");
  EXPECT_EQ(fake.messages()[1].title, "Zelvomini / clsTNumber / Get2List_Sub");
  EXPECT_EQ(list[0], 0);
  EXPECT_EQ(list[9], 81);  // written up to the end of the array
}

}  // namespace
}  // namespace zelvo
