#include "engines/engine_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "engines/engine_panel.h"

namespace zelvo {
namespace {

TEST(EngineSettingsTest, ChoiceNamesUseAWideSpaceOnScreenAndANarrowOneInReports) {
  EXPECT_STREQ(kEngineChoices[1].caption, "２等保証\u3000高速検索エンジン");
  EXPECT_STREQ(kEngineChoices[1].report_name, "２等保証 高速検索エンジン");
  EXPECT_STREQ(kEngineChoices[5].report_name, "口数最適化エンジン");
  for (const EngineChoice& c : kEngineChoices) {
    EXPECT_EQ(std::string(c.report_name).find("\u3000"), std::string::npos);
  }
  // Pause is offered exactly for the trial and count-optimisation choices.
  for (int i = 0; i < kEngineChoiceCount; ++i) {
    EXPECT_EQ(kEngineChoices[i].pause, i == 2 || i == 4 || i == 5) << i;
  }
  EXPECT_EQ(EngineChoiceOf(4).grade, 3);
  EXPECT_EQ(EngineChoiceOf(4).engine, EngineKind::kTrial);
  EXPECT_EQ(EngineChoiceOf(-3).engine, EngineKind::kNone);
  EXPECT_EQ(EngineChoiceOf(6).engine, EngineKind::kNone);
  EXPECT_TRUE(kExtractionKinds[0].enabled);
  EXPECT_FALSE(kExtractionKinds[1].enabled || kExtractionKinds[2].enabled ||
               kExtractionKinds[3].enabled);
}

TEST(EngineSettingsTest, FieldsBindWithTheirLimitsAndReset) {
  clsTXSakugen x;
  for (int i = 0; i < kXSakugenFieldCount; ++i) {
    x.SetObject(i, Money::FromInt(kXSakugenLimits[i].min), Money::FromInt(kXSakugenLimits[i].max));
    EXPECT_EQ(x.Field(i).IntValue(), 1) << i;
  }
  x.Clear();
  EXPECT_EQ(x.BeginCount(), Money::FromInt(100));
  EXPECT_EQ(x.EndCount(), Money::FromInt(1));
  EXPECT_EQ(x.EndTime(), Money::FromInt(0));
  EXPECT_EQ(x.Extraction(), Money::FromInt(10));
  EXPECT_EQ(x.SeBeginCount(), Money::FromInt(10));
  EXPECT_EQ(x.SeEndTime(), Money::FromInt(0));
  // Values are held within the bound limits.
  x.SetBeginCount(Money::FromInt(20000));
  EXPECT_EQ(x.BeginCount(), Money::FromInt(9999));
  x.Field(kFieldSeEndTime).SetText("-5");
  EXPECT_EQ(x.SeEndTime(), Money::FromInt(0));
  x.SetObject(6, Money::FromInt(0), Money::FromInt(1));  // ignored
}

TEST(EngineSettingsTest, PanelShowsTheFrameOfTheChoice) {
  EXPECT_EQ(EnginePanelFor(0), (EnginePanelView{0, false}));
  EXPECT_EQ(EnginePanelFor(1), (EnginePanelView{0, false}));
  EXPECT_EQ(EnginePanelFor(3), (EnginePanelView{0, false}));
  EXPECT_EQ(EnginePanelFor(2), (EnginePanelView{1, false}));
  EXPECT_EQ(EnginePanelFor(4), (EnginePanelView{1, true}));
  EXPECT_EQ(EnginePanelFor(5), (EnginePanelView{2, false}));
}

}  // namespace
}  // namespace zelvo
