// The multi page: its condition tabs through the main window, and the room
// on its own, whose conditions and engine settings go into a document and
// come back from one whole.
#include "ui/multi_page.h"

#include <gtest/gtest.h>

#include "files/tpd_file.h"
#include "tests/ui/main_window_fixture.h"

namespace zelvo {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, ConditionTabsColourTheMultiAndCloseAnalyses) {
  ASSERT_TRUE(OpenSample());
  main_->SelectConditionTab(3);  // 勝敗
  CountConditionModels& mark = main_->CountCondition(3);
  // Untick target outcome "1" (the first cell after the title).
  GridClick click;
  click.row = 1;
  click.col = 2;
  mark.outcome.Click(click);
  // Outcome 1 is grid column 1 of the multi: no longer a target.
  EXPECT_EQ(main_->MultiGrid().Cell(2, 1).back, kColorButtonFace);
  EXPECT_NE(main_->MultiGrid().Cell(2, 2).back, kColorButtonFace);

  // The row title's menu asks for a composition analysis of the row.
  fake_.QueueMenuChoice(2);  // after "キャンセル" and the separator: 構成分析
  click.row = 2;
  click.col = 1;
  click.button = MouseButton::kRight;
  mark.count.Click(click);
  ASSERT_EQ(host_.shown.size(), 1u);
  EXPECT_EQ(main_->KouseiWindows().size(), 1u);
  main_->SelectConditionTab(0);
  EXPECT_EQ(host_.closed.size(), 1u);
  EXPECT_TRUE(main_->KouseiWindows().empty());
  EXPECT_EQ(main_->MultiGrid().Cell(2, 1).back, kColorWhite);
}

// The room alone needs of the window only the redraw and the dialogs' host.
class QuietShell : public MainShell {
 public:
  bool IsIdle() const override { return true; }
  bool CheckBusy() const override { return false; }
  bool OperationFlag() const override { return false; }
  void SetOperationFlag(bool) override {}
  int CurrentPage() const override { return 1; }
  void ShowPage(int) override {}
  DocumentRecord BuildDocument() const override { return {}; }
  DocumentRecord BuildDocumentWithoutSingles() const override { return {}; }
  void NewDocument() override {}
  void ApplyLoadedDocument(DocumentRecord&, bool, bool) override {}
  void ApplyWork(DocumentRecord) override {}
  bool OpenAsNewDocument(DocumentRecord) override { return false; }
  void CommitEdits() override {}
  void Changed() const override {}
  WindowHost* Host() const override { return nullptr; }
};

// What the page gathers into a document is what was applied to it, field by
// field: the marks and conditions of a sample, every engine setting away from
// its default, both ways of choosing what to extract, own probabilities.
TEST(MultiPageTest, ConditionsAndEngineSettingsComeBackWhole) {
  testing::TempProgramDir dir;
  testing::InstallShippedProgramFolder(dir);
  DocumentRecord doc;
  ASSERT_TRUE(
      clsTFileTPD().LoadFile(testing::SampleDocumentPath("sample-tolerance.tpd"), doc, false));
  doc.Conditions.Value = ValueConditions{true, 1, 0.5, 2.25};
  QuietShell shell;
  MultiPage page(shell);
  page.Bind();

  EngineSettings by_kind{3, 50, 7, 30, true, true, 20, 60, true, 15, 2, 0};
  EngineSettings by_order = by_kind;
  by_order.ChushutsuType = 0;
  by_order.ChushutsuOrder = 2;
  OwnProbabilities own;
  own.set = true;
  for (auto& match : own.p) match = {0.5, 0.3, 0.2};
  for (const EngineSettings& engine : {by_kind, by_order}) {
    page.ApplyMarksAndConditions(doc);
    page.ApplyEngineSettings(engine);
    page.SetOwnProbs(own);
    DocumentRecord gathered;
    page.Gather(gathered);
    EXPECT_EQ(gathered.Multi, doc.Multi);
    EXPECT_EQ(gathered.Conditions, doc.Conditions);
    EXPECT_EQ(gathered.Engine, engine);
    EXPECT_EQ(gathered.OwnProbs, own);
  }
}

}  // namespace
}  // namespace zelvo
