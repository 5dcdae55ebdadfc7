// The main window beside other writers of its document and other starts of
// the program: a save never goes over a change made elsewhere unasked, and
// a file handed over during a run opens after it.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/batch_window.h"
#include "ui/disk_version_check.h"
#include "ui/hand_over_queue.h"
#include "ui/main_window.h"

namespace zelvo {
namespace {

class DocumentConflictsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    dir_.WriteBytes("doc.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
    dir_.WriteBytes("own.csv", "50,30,20\n40,30,30\n60,25,15\n30,30,40\n45,35,20\n");
    fake_.ClearRecords();
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  // Another process's change: own probabilities stored by the command line.
  void ChangeElsewhere() {
    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"probs", Path("doc.tpd"), "--set", Path("own.csv")}, in, out, err), 0)
        << err.str();
  }
  bool FileHasOwnProbabilities() {
    clsTFileTPD tpd;
    DocumentRecord doc;
    EXPECT_TRUE(LoadDocumentFile(tpd, Path("doc.tpd"), true, false, doc));
    return doc.OwnProbs.set;
  }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  testing::BatchHost host_;
  std::unique_ptr<frmMain> main_;
};

TEST_F(DocumentConflictsTest, ASaveOverAChangeMadeElsewhereAsksFirst) {
  ASSERT_TRUE(main_->FileLoadTPD(Path("doc.tpd"), true, true));
  ChangeElsewhere();
  // キャンセル: nothing written, the other change stays.
  fake_.ClearRecords();
  fake_.QueueAnswer(MsgAnswer::kCancel);
  EXPECT_FALSE(main_->FileSaveTPD(Path("doc.tpd"), true, true));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text.rfind(kChangedElsewhere, 0), 0u);
  EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kReloadOverwriteCancel);
  EXPECT_TRUE(FileHasOwnProbabilities());
  // 再読み込み (asked by 上書き保存): the window takes the file as it is now.
  fake_.QueueAnswer(MsgAnswer::kYes);
  main_->Execute(Cmd::kFileSave);
  EXPECT_TRUE(main_->OwnProbs().set);
  EXPECT_EQ(main_->FileName(), Path("doc.tpd"));
  // Read again, it saves without asking; a later change elsewhere asks
  // again, and 上書き writes the window's document over it.
  fake_.ClearRecords();
  EXPECT_TRUE(main_->FileSaveTPD(Path("doc.tpd"), true, true));
  EXPECT_TRUE(fake_.messages().empty());
  main_->SetOwnProbs(OwnProbabilities{});
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"probs", Path("doc.tpd"), "--value", "expected:80-"}, in, out, err), 0);
  fake_.QueueAnswer(MsgAnswer::kNo);
  EXPECT_TRUE(main_->FileSaveTPD(Path("doc.tpd"), true, true));
  EXPECT_FALSE(FileHasOwnProbabilities());
}

// A batch run asks nothing: the row of a document changed during its search
// fails with the reason, and the change stays.
TEST_F(DocumentConflictsTest, ABatchRowChangedDuringItsSearchFails) {
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  frmRenzoku batch(host_.batch);
  batch.AddFile(Path("doc.tpd"));
  bool changed = false;
  fake_.on_yield = [&] {
    if (!changed && !main_->IsIdle()) {
      changed = true;
      ChangeElsewhere();
    }
  };
  batch.Run();
  ASSERT_TRUE(changed);
  EXPECT_EQ(batch.Rows()[0].status, "失敗");
  EXPECT_EQ(batch.Rows()[0].reason, kChangedElsewhere);
  EXPECT_TRUE(FileHasOwnProbabilities());
}

// A second start hands a file over while a search (or a batch run) is under
// way: it waits, with no busy message, and opens once the run is over.
TEST_F(DocumentConflictsTest, AFileHandedOverDuringARunOpensAfterIt) {
  ASSERT_TRUE(main_->FileLoadTPD(testing::SampleDocumentPath("sample-guarantee.tpd"), true, false));
  HandOverQueue queue;
  int waiting_during_run = -1;
  fake_.on_yield = [&] {
    if (main_->IsIdle() || waiting_during_run >= 0) return;
    queue.Add({Path("doc.tpd")});
    waiting_during_run = queue.Drain(*main_) ? static_cast<int>(queue.Waiting()) : 0;
  };
  main_->Execute(Cmd::kRun);
  fake_.on_yield = nullptr;
  EXPECT_EQ(waiting_during_run, 1);
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages().front().text;
  fake_.QueueAnswer(MsgAnswer::kNo);  // 変更を保存しますか？ for the searched document
  EXPECT_FALSE(queue.Drain(*main_));
  EXPECT_EQ(main_->FileName(), Path("doc.tpd"));

  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  host_.batch->BatchRunning(true);
  queue.Add({testing::SampleDocumentPath("sample-tolerance.tpd")});
  EXPECT_TRUE(queue.Drain(*main_));
  host_.batch->BatchRunning(false);
  EXPECT_FALSE(queue.Drain(*main_));
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath("sample-tolerance.tpd"));
}

}  // namespace
}  // namespace zelvo
