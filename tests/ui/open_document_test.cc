// The open document through the main window: documents and conditions files
// saved and read (and files that fail), the file dialogs and their default
// names, saves refused over files in use, CSV singles files in and out.
#include "ui/open_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <utility>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/text_file.h"
#include "tests/ui/main_window_fixture.h"
#include "ui/batch_window.h"

namespace zelvo {
namespace {

using testing::MainWindowCommandsTest;
using testing::MainWindowTest;

TEST_F(MainWindowTest, SavedDocumentMatchesTheCommandLine) {
  ASSERT_TRUE(OpenSample());
  EXPECT_EQ(main_->Title(), " Pendralcove  Zelvo mini - [sample-guarantee.tpd]");
  EXPECT_EQ(main_->CurrentPage(), 1);
  main_->Execute(Cmd::kRun);
  ASSERT_TRUE(main_->FileSaveTPD(Path("window.tpd"), true, false));

  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"search", testing::SampleDocumentPath(), "-o", Path("cli.tpd")}, in, out, err),
            0)
      << err.str();
  // The run log's lines carry the seconds since the search began.
  auto normalised = [](const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return std::regex_replace(ss.str(), std::regex("\n[0-9]{4} "), "\nNNNN ");
  };
  EXPECT_EQ(normalised(Path("window.tpd")), normalised(Path("cli.tpd")));
}

TEST_F(MainWindowTest, ConditionsFileKeepsSinglesAndRound) {
  ASSERT_TRUE(OpenSample("sample-tolerance.tpd"));
  ASSERT_TRUE(main_->FileSaveTPD(Path("tolerance.tpj"), false, false));
  const ReductionConditions tolerance = main_->BuildDocument().Conditions;
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  ASSERT_FALSE(singles.empty());
  ASSERT_NE(main_->BuildDocument().Conditions, tolerance);
  EXPECT_TRUE(main_->FileLoadTPD(Path("tolerance.tpj"), false, true));
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->Kaisaikai(), 1487);
  EXPECT_EQ(main_->BuildDocument().Conditions, tolerance);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
}

TEST_F(MainWindowTest, FilesThatFailChangeNothing) {
  ASSERT_TRUE(OpenSample());
  const DocumentRecord before = main_->BuildDocument();
  dir_.WriteBytes("other.tpd", "not a document\r\n");
  EXPECT_FALSE(main_->FileLoadTPD(Path("other.tpd"), true, true));
  ASSERT_FALSE(fake_.messages().empty());
  EXPECT_EQ(fake_.messages().back().text, "Zelvo miniのファイルではありません。");
  EXPECT_EQ(fake_.messages().back().title, "ファイルタイプ警告");

  // A document whose head is ours but whose body is damaged.
  std::string bytes = dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd");
  bytes = bytes.substr(0, bytes.find("<SingleData>")) + "<SingleData>\r\nZZZ\r\n";
  dir_.WriteBytes("damaged.tpd", bytes);
  fake_.ClearRecords();
  EXPECT_FALSE(main_->FileLoadTPD(Path("damaged.tpd"), true, true));
  EXPECT_EQ(fake_.MessageTexts().back(), "ファイルの読込に失敗しました。");

  const DocumentRecord after = main_->BuildDocument();
  EXPECT_EQ(after.SingleData, before.SingleData);
  EXPECT_EQ(after.Conditions, before.Conditions);
  EXPECT_EQ(after.Multi, before.Multi);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());

  // A save into a folder that cannot be made keeps the document's name.
  dir_.WriteBytes("blocker", "x");
  EXPECT_FALSE(main_->FileSaveTPD(Path("blocker/inside.tpd"), true, false));
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
}

TEST_F(MainWindowTest, FileDialogsAndDefaultNames) {
  ASSERT_TRUE(OpenSample());
  EXPECT_EQ(main_->DefaultDocumentName(), "Zmini-1487A");
  main_->Round().SetKaisaikai(7);
  main_->Round().SetKumi("B");
  EXPECT_EQ(main_->DefaultDocumentName(), "Zmini-007B");
  fake_.QueueFileName(Path("saved"));  // no extension: the dialog's is added
  main_->Execute(Cmd::kFileSaveAs);
  EXPECT_TRUE(FileExists(Path("saved.tpd")));
  EXPECT_EQ(main_->FileName(), Path("saved.tpd"));
  fake_.QueueFileName(Path("conditions"));
  main_->Execute(Cmd::kJoukenSave);
  EXPECT_TRUE(FileExists(Path("conditions.tpj")));

  main_->Execute(Cmd::kFileNew);
  EXPECT_EQ(main_->CurrentPage(), 0);
  EXPECT_EQ(main_->SingleCount(), 0);
  EXPECT_EQ(main_->FileName(), "");
  fake_.QueueFileName(Path("saved"));
  main_->Execute(Cmd::kFileOpen);
  EXPECT_EQ(main_->SingleCount(), 18);
  EXPECT_EQ(main_->Kaisaikai(), 7);
}

TEST_F(MainWindowTest, SavesOverFilesInUseAreRefused) {
  dir_.WriteBytes("g.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-guarantee.tpd"));
  dir_.WriteBytes("queued.tpd", dir_.ReadBytes("UserData/Zelvomini/sample-tolerance.tpd"));
  ASSERT_TRUE(main_->FileLoadTPD(Path("g.tpd"), true, false));
  ::symlink("g.tpd", Path("g-link.tpd").c_str());
  main_->Execute(Cmd::kBatch);
  ASSERT_NE(host_.batch, nullptr);
  frmRenzoku batch(host_.batch);
  fake_.QueueFileName(Path("queued.tpd"));
  batch.Execute(BatchCmd::kAdd);
  const std::string document = dir_.ReadBytes("g.tpd");
  const std::string queued = dir_.ReadBytes("queued.tpd");
  // A CSV or conditions file over the open document (also through a link),
  // a document over a queued one, anything into SysData.
  const std::pair<Cmd, std::string> refused[] = {{Cmd::kCsvSave, "g.tpd"},
                                                 {Cmd::kJoukenSave, "g-link.tpd"},
                                                 {Cmd::kFileSaveAs, "queued.tpd"},
                                                 {Cmd::kCsvSave, "queued.tpd"},
                                                 {Cmd::kCsvSave, "SysData/J1J2.dat"}};
  for (const auto& [cmd, name] : refused) {
    SCOPED_TRACE(name);
    fake_.ClearRecords();
    fake_.QueueFileName(Path(name));
    main_->Execute(cmd);
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text.rfind(Path(name) + "\r\n", 0), 0u)
        << fake_.messages()[0].text;
  }
  EXPECT_EQ(dir_.ReadBytes("g.tpd"), document);
  EXPECT_EQ(dir_.ReadBytes("queued.tpd"), queued);
  EXPECT_EQ(main_->FileName(), Path("g.tpd"));
  // Saving the document under its own name is the plain save.
  fake_.ClearRecords();
  fake_.QueueFileName(Path("g-link.tpd"));
  main_->Execute(Cmd::kFileSaveAs);
  EXPECT_TRUE(fake_.messages().empty()) << fake_.messages()[0].text;
  EXPECT_TRUE(std::filesystem::is_symlink(Path("g-link.tpd")));
}

TEST_F(MainWindowCommandsTest, CsvFilesInAndOut) {
  ASSERT_TRUE(OpenSample());
  const std::vector<int> singles = main_->Singles();
  fake_.QueueFileName(Path("Zmini-1487A"));
  main_->Execute(Cmd::kCsvSave);
  ASSERT_TRUE(FileExists(Path("Zmini-1487A.csv")));

  // A damaged file changes nothing.
  dir_.WriteBytes("damaged.csv", std::string("\x00\x01\x02", 3));
  fake_.QueueFileName(Path("damaged.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->FileName(), testing::SampleDocumentPath());
  // A bad line is told with the file and the line.
  dir_.WriteBytes("bad.csv", "1,0,2,0,1\r\n1,x,0,0,0\r\n");
  fake_.QueueFileName(Path("bad.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(fake_.MessageTexts().back(),
            Path("bad.csv") + "\r\n2行目：試合の結果は 1, 0, 2 のいずれかです。");
  EXPECT_EQ(main_->Singles(), singles);

  main_->Execute(Cmd::kFileNew);
  main_->Round().SetKaisaikai(5);
  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvOpen);
  EXPECT_EQ(main_->Singles(), singles);
  EXPECT_EQ(main_->Kaisaikai(), 1487);  // the round and group of the file name
  EXPECT_EQ(main_->CurrentPage(), 2);

  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvAdd);
  EXPECT_EQ(main_->SingleCount(), 2 * static_cast<int>(singles.size()));
  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_->Execute(Cmd::kCsvDel);
  EXPECT_EQ(main_->SingleCount(), 0);
}

}  // namespace
}  // namespace zelvo
