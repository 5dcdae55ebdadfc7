// The search run through the main window: the run and stop buttons, the
// pause of the engines that can, the guards during a run, and the batch
// window's runs over the window's own commands.
#include "ui/search_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/batch_window.h"

namespace zelvo {
namespace {

using testing::MainWindowTest;

TEST_F(MainWindowTest, EmptyMultiStartsNoEngine) {
  main_->EngineOption().Choose(1);
  main_->Execute(Cmd::kRun);
  EXPECT_EQ(main_->SingleCount(), 0);
  for (const std::string& line : main_->Log().Lines()) {
    EXPECT_EQ(line.find("候補の検索中"), std::string::npos) << line;
  }
  EXPECT_EQ(main_->State(Cmd::kRun).caption, "検索開始");
  EXPECT_TRUE(main_->State(Cmd::kRun).enabled);
  EXPECT_FALSE(main_->State(Cmd::kStop).enabled);
}

TEST_F(MainWindowTest, RunButtonDuringARun) {
  ASSERT_TRUE(OpenSample());
  // Mode 1: the fast engine cannot pause, so the button is disabled while it runs.
  std::vector<ActionState> seen;
  fake_.on_yield = [&] {
    if (!main_->IsIdle()) seen.push_back(main_->State(Cmd::kRun));
  };
  main_->Execute(Cmd::kRun);
  ASSERT_FALSE(seen.empty());
  EXPECT_FALSE(seen.front().enabled);
  EXPECT_EQ(main_->SingleCount(), 18);

  // Mode 2: the trial engine's button pauses and resumes; closing, page
  // switches and file commands are refused meanwhile.
  main_->EngineOption().Choose(2);
  EXPECT_EQ(main_->EngineFrame(), 1);
  std::vector<std::string> captions;
  bool pressed = false;
  fake_.on_yield = [&] {
    if (main_->IsIdle() || main_->Search().Engine().RunningKind() != 2 || pressed) return;
    pressed = true;
    EXPECT_EQ(main_->LogSelection(), -1);  // the list follows the new run
    captions.push_back(main_->State(Cmd::kRun).caption);
    main_->Execute(Cmd::kRun);
    captions.push_back(main_->State(Cmd::kRun).caption);
    main_->Execute(Cmd::kRun);
    captions.push_back(main_->State(Cmd::kRun).caption);
    EXPECT_TRUE(main_->State(Cmd::kRun).enabled);
    EXPECT_TRUE(main_->State(Cmd::kStop).enabled);
    EXPECT_FALSE(main_->State(Cmd::kFileSave).enabled);
    EXPECT_FALSE(main_->State(Cmd::kPercent).enabled);
    EXPECT_FALSE(main_->State(Cmd::kSortMenu).enabled);
    fake_.ClearRecords();
    EXPECT_FALSE(main_->QueryClose());
    main_->ShowPage(0);
    EXPECT_EQ(main_->CurrentPage(), 1);
    EXPECT_EQ(fake_.MessageTexts(),
              (std::vector<std::string>{frmMain::kBusyMessage, frmMain::kBusyMessage}));
    main_->Execute(Cmd::kStop);
  };
  main_->Execute(Cmd::kRun);
  EXPECT_EQ(captions, (std::vector<std::string>{"一時停止", "検索再開", "一時停止"}));
  EXPECT_TRUE(main_->IsIdle());
  EXPECT_EQ(main_->State(Cmd::kRun).caption, "検索開始");
  EXPECT_TRUE(main_->QueryClose());
}

TEST_F(MainWindowTest, BatchRunThroughTheMainWindow) {
  dir_.WriteBytes("a.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
  dir_.WriteBytes("b.tpj", "not ours\r\n");
  dir_.WriteBytes("c.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-tolerance.tpd"));
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  frmRenzoku batch(host_.batch);
  for (const char* f : {"a.tpd", "b.tpj", "c.tpd"}) batch.AddFile(Path(f));
  batch.Run();
  ASSERT_EQ(batch.Rows().size(), 3u);
  EXPECT_EQ(batch.Rows()[0].status, "成功");
  EXPECT_EQ(batch.Rows()[1].status, "失敗");
  EXPECT_EQ(batch.Rows()[2].status, "成功");
  EXPECT_TRUE(fake_.messages().empty());  // a batch shows no message per file

  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(
      RunCli({"search", testing::SampleDocumentPath("sample-tolerance.tpd"), "-o", Path("cli.tpd")},
             in, out, err),
      0);
  clsTFileTPD tpd;
  DocumentRecord by_batch, by_cli;
  ASSERT_TRUE(tpd.LoadFile(Path("c.tpd"), by_batch, false));
  ASSERT_TRUE(tpd.LoadFile(Path("cli.tpd"), by_cli, false));
  EXPECT_EQ(by_batch.SingleData, by_cli.SingleData);
}

}  // namespace
}  // namespace zelvo
