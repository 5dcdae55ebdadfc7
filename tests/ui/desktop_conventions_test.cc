// What a user of any desktop program expects of the main window, headless:
// the changed mark and the question before a changed document is set aside,
// undo and redo, the recent files, and files opened by their kind (dropped on
// the window, given on the command line).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "files/main_ini.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/batch_window.h"
#include "ui/document_history.h"
#include "ui/main_window.h"

namespace zelvo {
namespace {

class DesktopConventionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    for (const char* name : {"sample-guarantee.tpd", "sample-tolerance.tpd"}) {
      dir_.WriteBytes(name, dir_.ReadBytes(std::string("UserData/Zelvomini/") + name));
    }
    main_ = std::make_unique<frmMain>(&host_);
    main_->Load();
    fake_.ClearRecords();
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  // A click on the multi's cell of outcome 1 in match 0, as the view passes it.
  void ClickMulti(MouseButton button = MouseButton::kLeft) {
    GridClick click;
    click.row = 2;
    click.col = 1;
    click.button = button;
    main_->MultiGrid().Click(click);
    main_->CommitEdits();
  }
  int MultiMark() const {
    MultiTable m;
    main_->Multi().GetValue(m);
    return m[1][0];
  }
  bool TitleMarked() const { return main_->Title().rfind("*", 0) == 0; }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  testing::BatchHost host_;
  std::unique_ptr<frmMain> main_;
};

TEST_F(DesktopConventionsTest, EveryKindOfEditMarksTheDocumentAndUndoesToItsFile) {
  // Every page fills itself from the round and the document: looking at
  // them, in a new window or an opened document, is no edit.
  auto look = [&] {
    for (Cmd page : {Cmd::kPageHome, Cmd::kPageMulti, Cmd::kPageSingle, Cmd::kPageCheck}) {
      main_->Execute(page);
    }
  };
  main_->Round().SetKaisaikai(1487);
  look();
  EXPECT_FALSE(main_->DocumentChanged());
  ASSERT_TRUE(main_->FileLoadTPD(Path("sample-guarantee.tpd"), true, false));
  look();
  ASSERT_FALSE(main_->DocumentChanged());
  EXPECT_FALSE(TitleMarked());
  const DocumentRecord file = main_->BuildDocument();

  struct Edit {
    const char* what;
    std::function<void()> make;
  };
  const std::vector<Edit> edits = {
      {"mark", [&] { ClickMulti(); }},
      {"payout condition",
       [&] {
         main_->MoneyMin(1).SetValue(Money::FromInt(3000));
         main_->CommitEdits();
       }},
      {"condition-error mode",
       [&] {
         main_->MachigaiType().Choose(1);
         main_->CommitEdits();
       }},
      {"engine",
       [&] {
         main_->EngineOption().Choose(2);
         main_->CommitEdits();
       }},
      {"single",
       [&] {
         main_->Execute(Cmd::kPageSingle);
         GridClick click;
         click.row = 2;  // match 0 of the first slot
         click.col = main_->Singles()[0] % 3 == 1 ? 2 : 1;
         main_->SingleList().Draw().grid().Click(click);
         main_->CommitEdits();
       }},
      {"add",
       [&] {
         main_->Execute(Cmd::kPageSingle);
         fake_.QueueAnswer(MsgAnswer::kYes);
         main_->Execute(Cmd::kAddSingle);
       }},
      {"delete",
       [&] {
         main_->Execute(Cmd::kPageSingle);
         main_->Execute(Cmd::kSelectAll);
         fake_.QueueAnswer(MsgAnswer::kYes);
         main_->Execute(Cmd::kDeleteSingles);
       }},
      {"sort", [&] { main_->Execute(Cmd::kSortMark0); }},
      {"search",
       [&] {
         main_->MoneyMin(1).SetValue(Money::FromInt(2000));  // fewer singles
         main_->Execute(Cmd::kRun);
       }},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.what);
    edit.make();
    EXPECT_TRUE(main_->DocumentChanged());
    EXPECT_TRUE(TitleMarked());
    EXPECT_EQ(main_->Title(), "* Pendralcove  Zelvo mini - [sample-guarantee.tpd]");
    while (main_->State(Cmd::kUndo).enabled) main_->Execute(Cmd::kUndo);
    EXPECT_FALSE(main_->DocumentChanged());
    EXPECT_EQ(main_->BuildDocument(), file);
  }

  // Saved, the document is its file again; so after a load.
  ClickMulti();
  ASSERT_TRUE(main_->DocumentChanged());
  ASSERT_TRUE(main_->FileSaveTPD(Path("saved.tpd"), true, false));
  EXPECT_FALSE(main_->DocumentChanged());
  EXPECT_EQ(main_->Title(), " Pendralcove  Zelvo mini - [saved.tpd]");
  // Undone past the save, it differs from its file once more.
  main_->Execute(Cmd::kUndo);
  EXPECT_TRUE(main_->DocumentChanged());
  ASSERT_TRUE(main_->FileLoadTPD(Path("saved.tpd"), true, false));
  EXPECT_FALSE(main_->DocumentChanged());
  // A conditions file saved is not the document saved.
  main_->MachigaiType().Choose(2);
  main_->CommitEdits();
  ASSERT_TRUE(main_->FileSaveTPD(Path("c.tpj"), false, false));
  EXPECT_TRUE(main_->DocumentChanged());
}

TEST_F(DesktopConventionsTest, UndoAndRedoAcrossMixedEdits) {
  ClickMulti();
  ASSERT_TRUE(main_->FileLoadTPD(Path("sample-guarantee.tpd"), true, false));
  EXPECT_FALSE(main_->State(Cmd::kUndo).enabled);  // nothing before an opened document
  std::vector<DocumentRecord> states = {main_->BuildDocument()};
  ClickMulti();
  states.push_back(main_->BuildDocument());
  // A search's singles, run figures and log are one step.
  main_->Execute(Cmd::kRun);
  states.push_back(main_->BuildDocument());
  ASSERT_NE(states[2].SingleData, states[1].SingleData);
  ASSERT_NE(states[2].SakugenMessage, states[1].SakugenMessage);
  main_->Execute(Cmd::kSortMark2);
  states.push_back(main_->BuildDocument());
  // Singles taken from the clipboard, then their repeats removed.
  fake_.SetClipboardText("11111\r\n22222\r\n11111\r\n");
  main_->Execute(Cmd::kImportSinglesRows);
  states.push_back(main_->BuildDocument());
  main_->Execute(Cmd::kRemoveDuplicates);
  states.push_back(main_->BuildDocument());
  ASSERT_EQ(main_->SingleCount(), 2);
  EXPECT_EQ(main_->History().UndoSteps(), 5u);

  for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
    main_->Execute(Cmd::kUndo);
    EXPECT_EQ(main_->BuildDocument().SingleData, states[i].SingleData) << i;
    EXPECT_EQ(main_->BuildDocument().Multi, states[i].Multi) << i;
    EXPECT_EQ(main_->BuildDocument().SakugenMessage, states[i].SakugenMessage) << i;
  }
  EXPECT_FALSE(main_->State(Cmd::kUndo).enabled);
  EXPECT_EQ(main_->Log().Lines().empty(), states[0].SakugenMessage.empty());
  for (int i = 0; i < 2; ++i) main_->Execute(Cmd::kRedo);
  EXPECT_EQ(main_->BuildDocument(), states[2]);
  EXPECT_EQ(main_->SingleList().Count(), states[2].SingleCount);
  // A new edit after undoing drops what could be redone.
  main_->Execute(Cmd::kSortMark0);
  EXPECT_FALSE(main_->State(Cmd::kRedo).enabled);

  // Nothing to undo after 新規作成, nor after 開く.
  fake_.QueueAnswer(MsgAnswer::kNo);
  main_->Execute(Cmd::kFileNew);
  EXPECT_FALSE(main_->State(Cmd::kUndo).enabled);
  ClickMulti();
  fake_.QueueAnswer(MsgAnswer::kNo);
  fake_.QueueFileName(Path("sample-tolerance.tpd"));
  main_->Execute(Cmd::kFileOpen);
  EXPECT_EQ(main_->FileName(), Path("sample-tolerance.tpd"));
  EXPECT_FALSE(main_->State(Cmd::kUndo).enabled);
  EXPECT_FALSE(main_->State(Cmd::kRedo).enabled);
}

TEST_F(DesktopConventionsTest, StepLimitAndSharedSingles) {
  // Each click moves the cell to its next mark: 105 steps, the oldest go.
  for (int i = 0; i < 105; ++i) ClickMulti();
  EXPECT_EQ(main_->History().UndoSteps(), DocumentHistory::kDefaultSteps);
  int undone = 0;
  while (main_->State(Cmd::kUndo).enabled) {
    main_->Execute(Cmd::kUndo);
    ++undone;
  }
  EXPECT_EQ(undone, 100);
  EXPECT_TRUE(main_->DocumentChanged());  // the first five clicks stay

  // Steps that leave the singles alone keep no copy of them.
  DocumentHistory history(3);
  DocumentRecord doc;
  doc.SingleData.assign(1000000, 7);
  doc.SingleCount = 1000000;
  history.Reset(doc);
  const size_t one = history.TotalBytes();
  for (int i = 1; i <= 5; ++i) {
    doc.Multi[0][0] = i;
    EXPECT_TRUE(history.Commit(doc));
  }
  EXPECT_EQ(history.UndoSteps(), 3u);
  EXPECT_LT(history.TotalBytes(), one + 1000000 / 2);
  doc.SingleData[5] = -1;  // no single number: kept as it is
  ASSERT_TRUE(history.Commit(doc));
  ASSERT_TRUE(history.Undo().has_value());
  EXPECT_EQ(history.Redo()->SingleData, doc.SingleData);
}

TEST_F(DesktopConventionsTest, QuestionBeforeSettingAChangedDocumentAside) {
  dir_.WriteBytes("singles.csv", "");
  ASSERT_TRUE(main_->FileLoadTPD(Path("sample-guarantee.tpd"), true, false));
  fake_.QueueFileName(Path("singles.csv"));
  main_->Execute(Cmd::kCsvSave);
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);

  struct Command {
    const char* what;
    std::function<bool()> run;  // true when it went ahead
  };
  const std::vector<Command> commands = {
      {"新規作成",
       [&] {
         main_->Execute(Cmd::kFileNew);
         return main_->FileName().empty();
       }},
      {"開く",
       [&] {
         fake_.QueueFileName(Path("sample-tolerance.tpd"));
         main_->Execute(Cmd::kFileOpen);
         return main_->FileName() == Path("sample-tolerance.tpd");
       }},
      {"CSV 開く",
       [&] {
         fake_.QueueFileName(Path("singles.csv"));
         main_->Execute(Cmd::kCsvOpen);
         return main_->FileName().empty();
       }},
      {"close", [&] { return main_->QueryClose(); }},
      {"batch",
       [&] {
         frmRenzoku batch(host_.batch);
         batch.AddFile(Path("sample-tolerance.tpd"));
         batch.Run();
         return batch.Rows()[0].status == frmRenzoku::kSucceeded;
       }},
  };
  for (const Command& command : commands) {
    for (MsgAnswer answer : {MsgAnswer::kCancel, MsgAnswer::kNo, MsgAnswer::kYes}) {
      SCOPED_TRACE(std::string(command.what) + " " + std::to_string(static_cast<int>(answer)));
      dir_.WriteBytes("doc.tpd", dir_.ReadBytes("sample-guarantee.tpd"));
      ASSERT_TRUE(main_->FileLoadTPD(Path("doc.tpd"), true, false));
      // Unchanged, nothing is asked.
      fake_.ClearRecords();
      if (command.what != std::string("close")) {
        ASSERT_TRUE(command.run());
        ASSERT_TRUE(fake_.messages().empty());
        ASSERT_TRUE(main_->FileLoadTPD(Path("doc.tpd"), true, false));
      }
      const int before = MultiMark();
      ClickMulti();
      const int after = MultiMark();
      fake_.QueueAnswer(answer);
      const bool went_ahead = command.run();
      if (!went_ahead) platform().OpenFileDialog({});  // the file name left unasked
      ASSERT_FALSE(fake_.messages().empty());
      EXPECT_EQ(fake_.messages()[0].text, "変更を保存しますか？");
      EXPECT_EQ(fake_.messages()[0].buttons, MsgButtons::kSaveDiscardCancel);
      EXPECT_EQ(went_ahead, answer != MsgAnswer::kCancel);
      if (answer == MsgAnswer::kCancel) {
        EXPECT_EQ(MultiMark(), after);
        EXPECT_TRUE(main_->DocumentChanged());
      }
      clsTFileTPD tpd;
      DocumentRecord saved;
      ASSERT_TRUE(tpd.LoadFile(Path("doc.tpd"), saved, false));
      EXPECT_EQ(saved.Multi[1][0], answer == MsgAnswer::kYes ? after : before);
    }
  }

  // 保存 that fails keeps the window and the document: one whose folder has
  // gone, and a new one whose save dialog is cancelled.
  std::filesystem::create_directory(Path("sub"));
  dir_.WriteBytes("sub/doc.tpd", dir_.ReadBytes("sample-guarantee.tpd"));
  ASSERT_TRUE(main_->FileLoadTPD(Path("sub/doc.tpd"), true, false));
  ClickMulti();
  const int edited = MultiMark();
  std::filesystem::remove_all(Path("sub"));
  dir_.WriteBytes("sub", "not a folder");
  for (Cmd c : {Cmd::kFileNew, Cmd::kExit}) {
    fake_.ClearRecords();
    fake_.QueueAnswer(MsgAnswer::kYes);
    if (c == Cmd::kExit) {
      EXPECT_FALSE(main_->QueryClose());
    } else {
      main_->Execute(c);
    }
    EXPECT_EQ(main_->FileName(), Path("sub/doc.tpd"));
    EXPECT_EQ(MultiMark(), edited);
    EXPECT_TRUE(main_->DocumentChanged());
    EXPECT_GE(fake_.messages().size(), 2u);  // the question, then why the save failed
  }
  fake_.QueueAnswer(MsgAnswer::kNo);
  main_->Execute(Cmd::kFileNew);
  ClickMulti();
  fake_.QueueAnswer(MsgAnswer::kYes);
  EXPECT_FALSE(main_->QueryClose());
  EXPECT_EQ(MultiMark(), 1);
}

TEST_F(DesktopConventionsTest, RecentFilesKeptCappedAndDropped) {
  for (int i = 0; i < 10; ++i) {
    const std::string name = "doc" + std::to_string(i) + ".tpd";
    dir_.WriteBytes(name, dir_.ReadBytes("sample-guarantee.tpd"));
    ASSERT_TRUE(main_->FileLoadTPD(Path(name), true, true));
  }
  ASSERT_TRUE(main_->FileSaveTPD(Path("doc5.tpd"), true, true));               // saved again: first
  ASSERT_TRUE(main_->FileLoadTPD(Path("sample-guarantee.tpd"), true, false));  // batch-like: not
  const std::vector<std::string> expected = {Path("doc5.tpd"), Path("doc9.tpd"), Path("doc8.tpd"),
                                             Path("doc7.tpd"), Path("doc6.tpd"), Path("doc4.tpd"),
                                             Path("doc3.tpd"), Path("doc2.tpd")};
  EXPECT_EQ(main_->Recent().Files(), expected);
  EXPECT_EQ(main_->State(Cmd::kRecent2).caption, "&2 " + Path("doc9.tpd"));
  EXPECT_TRUE(main_->State(Cmd::kRecent8).visible);
  main_->Unload();

  // The next window starts with the same list; older files lack the keys.
  frmMain next(&host_);
  next.Load();
  EXPECT_EQ(next.Recent().Files(), expected);
  std::filesystem::remove(Path("doc9.tpd"));
  fake_.ClearRecords();
  next.Execute(Cmd::kRecent2);
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].text, "ファイルが見つかりません。\r\n" + Path("doc9.tpd") +
                                          "\r\n最近使ったファイルの一覧から削除しました。");
  EXPECT_EQ(next.Recent().Files().size(), 7u);
  EXPECT_FALSE(next.State(Cmd::kRecent8).visible);
  next.Execute(Cmd::kRecent2);  // now doc8
  EXPECT_EQ(next.FileName(), Path("doc8.tpd"));
  EXPECT_EQ(next.Recent().Files()[0], Path("doc8.tpd"));

  dir_.WriteCp932("SysData/Zelvo mini.ini", "Kaisaikai = 1487\r\n");
  EXPECT_TRUE(LoadMainIni().RecentFiles.empty());
  EXPECT_FALSE(RecentFiles::IsStorable("/a\nb.tpd"));
  EXPECT_FALSE(RecentFiles::IsStorable("/data/😀.tpd"));  // no CP932 form
  EXPECT_TRUE(RecentFiles::IsStorable("/data/予想 第1487回.tpd"));
}

TEST_F(DesktopConventionsTest, FilesOpenByTheirKind) {
  ASSERT_TRUE(main_->OpenFile(Path("sample-tolerance.tpd")));
  const ReductionConditions tolerance = main_->BuildDocument().Conditions;
  ASSERT_TRUE(main_->FileSaveTPD(Path("tolerance.tpj"), false, false));
  EXPECT_EQ(main_->Recent().Files()[0], Path("sample-tolerance.tpd"));
  // The kind is the extension in any letter case.
  dir_.WriteBytes("Upper.TPD", dir_.ReadBytes("sample-guarantee.tpd"));
  ASSERT_TRUE(main_->OpenFile(Path("Upper.TPD")));
  fake_.QueueFileName(Path("singles.csv"));
  main_->Execute(Cmd::kCsvSave);
  const std::vector<int> singles = main_->Singles();

  // Conditions: the open document keeps its singles and may undo them.
  ASSERT_TRUE(main_->OpenFile(Path("tolerance.tpj")));
  EXPECT_EQ(main_->BuildDocument().Conditions, tolerance);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_TRUE(main_->DocumentChanged());
  main_->Execute(Cmd::kUndo);
  EXPECT_NE(main_->BuildDocument().Conditions, tolerance);

  main_->Execute(Cmd::kFileNew);
  ASSERT_TRUE(main_->OpenFile(Path("singles.csv")));
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->CurrentPage(), 2);
  EXPECT_FALSE(main_->DocumentChanged());

  fake_.ClearRecords();
  dir_.WriteBytes("notes.txt", "x");
  EXPECT_FALSE(main_->OpenFile(Path("notes.txt")));
  EXPECT_FALSE(main_->OpenFile(Path("missing.tpd")));
  std::string other;
  for (int i = 0; i < 9; ++i) other += "not a document\r\n";
  dir_.WriteBytes("other.tpd", other);
  EXPECT_FALSE(main_->OpenFile(Path("other.tpd")));
  const std::vector<std::string> texts = fake_.MessageTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "このファイルは開けません。\r\n" + Path("notes.txt") +
                          "\r\n開けるのはデータファイル(*.tpd)、条件ファイル(*.tpj)、"
                          "CSVファイル(*.csv)です。");
  EXPECT_EQ(texts[1], "ファイルが見つかりません。\r\n" + Path("missing.tpd"));
  EXPECT_EQ(texts[2], "Zelvo miniのファイルではありません。");
  EXPECT_EQ(main_->Singles(), singles);

  // During a run a file is refused with the busy warning, as the menu is closed.
  ASSERT_TRUE(main_->OpenFile(Path("sample-guarantee.tpd")));
  main_->EngineOption().Choose(2);
  bool tried = false;
  fake_.on_yield = [&] {
    if (tried || main_->IsIdle()) return;
    tried = true;
    fake_.ClearRecords();
    EXPECT_FALSE(main_->OpenFile(Path("sample-tolerance.tpd")));
    EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{frmMain::kBusyMessage});
    main_->Execute(Cmd::kStop);
  };
  main_->Execute(Cmd::kRun);
  EXPECT_TRUE(tried);
  EXPECT_EQ(main_->FileName(), Path("sample-guarantee.tpd"));
}

}  // namespace
}  // namespace zelvo
