// The condition model's defaults and texts.
#include "reduction/conditions.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

TEST(ConditionsTest, DefaultsOfANewDocument) {
  ReductionConditions c = DefaultReductionConditions();
  EXPECT_EQ(c.Honmei[0].N, 6);
  EXPECT_EQ(c.Ninki[0].M, 4);
  EXPECT_EQ(c.Mark[0].N, 3);
  const ConditionEntry& e = c.Ninki[5];
  EXPECT_TRUE(e.A);
  EXPECT_TRUE(e.B);
  EXPECT_EQ(e.target_matches, (std::array<bool, 5>{true, true, true, true, true}));
  EXPECT_EQ(e.target_outcomes, (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(e.row_items[2], (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(e.captions[3], "4番");
  EXPECT_EQ(e.cells[3], (std::array<uint8_t, 6>{}));
  for (int g : {kGroupJ1, kGroupJ2}) {
    EXPECT_EQ(c.Mark[g].target_matches, (std::array<bool, 5>{})) << g;
  }
  EXPECT_EQ(c.MachigaiType, 0);
  EXPECT_TRUE(c.MachigaiList[0]);
  EXPECT_FALSE(c.MachigaiList[1]);
  EXPECT_FALSE(c.MachigaiList[11]);
  EXPECT_EQ(c.Haitou.Min[0], Money());
  EXPECT_EQ(c.Haitou.Max[2], Money::FromInt(9999999999));
  EXPECT_EQ(c.Haitou.Flag, (std::array<bool, 3>{}));
}

TEST(ConditionsTest, CaptionsAndCellTexts) {
  EXPECT_EQ(RowCaption(ConditionTable::kHonmei, {true, true, false, false, true, false}), "◎+○+×");
  EXPECT_EQ(RowCaption(ConditionTable::kMark, {false, false, true}), "[2]");
  EXPECT_EQ(ConditionItems(ConditionTable::kHonmei)[2].long_title, std::string("穴　▲"));
  EXPECT_EQ(CellStateText(0), "　");
  EXPECT_EQ(CellStateText(1), "×");
  EXPECT_EQ(CellStateText(2), "△");
  EXPECT_EQ(CellStateText(3), "？");
  EXPECT_EQ(ConditionGroupLabels()[2], "J2");
  EXPECT_EQ(ConditionGroupLabels()[28], "Z");
}

}  // namespace
}  // namespace zelvo
