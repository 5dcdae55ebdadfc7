// The singles page through the main window: duplicates removed, singles
// from the clipboard, the sorts from the menu and the sort button.
#include "ui/singles_page.h"

#include <gtest/gtest.h>

#include "tests/ui/main_window_fixture.h"

namespace zelvo {
namespace {

using testing::MainWindowCommandsTest;

TEST_F(MainWindowCommandsTest, DuplicatesAreRemovedWithAReport) {
  std::vector<int> singles;
  for (int i = 0; i < 100; ++i) singles.push_back(i);
  for (int i = 0; i < 20; ++i) singles.push_back(i * 3);
  Import(singles);
  EXPECT_EQ(main_->SingleCount(), 120);
  EXPECT_EQ(fake_.MessageTexts().back(), "120口取り込みしました");
  EXPECT_EQ(main_->CurrentPage(), 3);
  main_->Execute(Cmd::kRemoveDuplicates);
  EXPECT_EQ(fake_.MessageTexts().back(),
            "重複したシングルを消去しました\r\nシングル総数：120 → 100");
  EXPECT_EQ(main_->SingleCount(), 100);
  EXPECT_EQ(main_->Singles().back(), 99);
  EXPECT_EQ(main_->CurrentPage(), 2);
  main_->Execute(Cmd::kRemoveDuplicates);
  EXPECT_EQ(fake_.MessageTexts().back(), "重複したシングルは存在しません");
}

TEST_F(MainWindowCommandsTest, ClipboardWithoutSinglesChangesNothing) {
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  fake_.ClearRecords();
  fake_.SetClipboardText("no singles here\r\n");
  main_->Execute(Cmd::kImportSinglesRows);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_TRUE(fake_.messages().empty());
  EXPECT_EQ(main_->CurrentPage(), 1);
}

TEST_F(MainWindowCommandsTest, SortsFromTheMenuAndTheButton) {
  Import({242, 0, 121, 81});
  main_->ShowPage(2);
  main_->Execute(Cmd::kSortMark1);  // most draws first
  EXPECT_EQ(main_->Singles().front(), 0);
  main_->Execute(Cmd::kSortAscending);
  EXPECT_TRUE(main_->State(Cmd::kSortAscending).checked);
  main_->Execute(Cmd::kSortMark1);
  EXPECT_EQ(main_->Singles().back(), 0);
  EXPECT_EQ(main_->SingleList().Draw().Slot(3), 0);  // the page shows the new order

  // The button pops the menu up; its first entry cascades into the payouts.
  fake_.QueueMenuChoice(1);  // 勝敗数
  fake_.QueueMenuChoice(2);  // アウェイ勝ち
  main_->Execute(Cmd::kSortButton);
  ASSERT_FALSE(fake_.menus().empty());
  EXPECT_EQ(fake_.menus()[0].entries[0].submenu.size(), 1u);  // grade 1 only
  EXPECT_EQ(main_->Singles().back(), 242);
  main_->Execute(Cmd::kPageCheck);
  main_->Execute(Cmd::kSortHits);
  EXPECT_EQ(main_->SingleCount(), 4);
}

}  // namespace
}  // namespace zelvo
