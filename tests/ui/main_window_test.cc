// frmMain, the window that composes the rooms, headless: its start and
// close, and the menus' states that follow the page shown.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include "files/main_ini.h"
#include "support/paths.h"
#include "tests/ui/main_window_fixture.h"

namespace zelvo {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, StartsOnTheRememberedRoundAndWritesItOnClose) {
  MainWindowSettings settings;
  settings.Kaisaikai = 1487;
  settings.DownloadMessage = false;
  settings.ResultAll = true;
  ASSERT_TRUE(SaveMainIni(settings));
  frmMain main(&host_);
  main.Load();
  EXPECT_EQ(main.Kaisaikai(), 1487);
  EXPECT_EQ(main.Kumi(), "A");
  EXPECT_FALSE(main.DownloadConfirm().Checked());
  EXPECT_TRUE(main.ResultAll().Checked());
  EXPECT_EQ(main.RoundLabel(), " 第 1487 回  [ A組 ] ");
  EXPECT_EQ(main.StatusText(), " 第 1487 回  [ A組 ] 　使用投票率：2024/06/22 (最終)");
  EXPECT_EQ(main.Title(), " Pendralcove  Zelvo mini");
  EXPECT_TRUE(DirExists(ResolveProgramPath("UserData/Zelvomini")));

  main.Round().SetKaisaikai(1500);
  main.DownloadConfirm().Click();
  EXPECT_TRUE(main.QueryClose());
  main.Unload();
  MainWindowSettings saved = LoadMainIni();
  EXPECT_EQ(saved.Kaisaikai, 1500);
  EXPECT_TRUE(saved.DownloadMessage);
  EXPECT_TRUE(saved.ResultAll);
}

TEST_F(MainWindowTest, MenusFollowThePage) {
  EXPECT_FALSE(main_->State(Cmd::kSelectAll).enabled);
  EXPECT_FALSE(main_->State(Cmd::kSortMoney2).visible);  // one prize grade
  EXPECT_FALSE(main_->State(Cmd::kSortMark3).visible);
  main_->Execute(Cmd::kPageSingle);
  EXPECT_TRUE(main_->State(Cmd::kSelectAll).enabled);
  EXPECT_TRUE(main_->State(Cmd::kPageSingle).checked);
  EXPECT_FALSE(main_->State(Cmd::kPageHome).checked);
  EXPECT_FALSE(main_->State(Cmd::kSortHits).enabled);
  main_->Execute(Cmd::kPercent);
  EXPECT_TRUE(main_->State(Cmd::kPercent).checked);
  EXPECT_TRUE(main_->SingleList().CountPanel().Percent());
  EXPECT_FALSE(main_->MoneyCheck(2).visible);
}

}  // namespace
}  // namespace zelvo
