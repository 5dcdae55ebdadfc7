// Files from the command line or a second start open as the File menu opens
// them, with its guards.
#include <gtest/gtest.h>

#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "tests/ui/ui_fixtures.h"
#include "ui/main_window.h"

namespace zelvo {
namespace {

class OpenFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::InstallShippedProgramFolder(dir_);
    main_.Load();
    fake_.ClearRecords();
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  testing::FakePlatform fake_;
  testing::TempProgramDir dir_;
  frmMain main_;
};

TEST_F(OpenFileTest, EachKindOpensAsItsMenuEntry) {
  const std::string doc = testing::SampleDocumentPath();
  ASSERT_TRUE(main_.OpenFile(doc));
  EXPECT_EQ(main_.FileName(), doc);
  EXPECT_EQ(main_.CurrentPage(), 1);
  const std::vector<int> singles = main_.Singles();
  ASSERT_FALSE(singles.empty());
  ASSERT_TRUE(main_.FileSaveTPD(Path("COND.TPJ"), false, false));
  fake_.QueueFileName(Path("Zmini-1487A.csv"));
  main_.Execute(Cmd::kCsvSave);

  // Conditions only: the document and its singles stay.
  const bool checked = main_.MoneyCheck(1).Checked();
  main_.MoneyCheck(1).SetChecked(!checked);
  ASSERT_TRUE(main_.OpenFile(Path("COND.TPJ")));
  EXPECT_EQ(main_.MoneyCheck(1).Checked(), checked);
  EXPECT_EQ(main_.FileName(), doc);
  EXPECT_EQ(main_.Singles(), singles);

  main_.NewDocument();
  ASSERT_TRUE(main_.OpenFile(Path("Zmini-1487A.csv")));
  EXPECT_EQ(main_.Singles(), singles);
  EXPECT_EQ(main_.Kaisaikai(), 1487);
  EXPECT_EQ(main_.CurrentPage(), 2);
  EXPECT_TRUE(fake_.MessageTexts().empty());
}

TEST_F(OpenFileTest, OtherFilesAndBusyWindowsChangeNothing) {
  const std::string doc = testing::SampleDocumentPath();
  ASSERT_TRUE(main_.OpenFile(doc));
  const std::vector<int> singles = main_.Singles();
  dir_.WriteBytes("notes.txt", "1,2,3\r\n");
  EXPECT_FALSE(main_.OpenFile(Path("notes.txt")));
  EXPECT_EQ(fake_.MessageTexts(),
            std::vector<std::string>{"このファイルは開けません。\r\n" + Path("notes.txt") +
                                     "\r\n開けるのはデータファイル(*.tpd)、条件ファイル(*.tpj)、"
                                     "CSVファイル(*.csv)です。"});
  EXPECT_FALSE(main_.OpenFile(Path("missing.tpd")));
  EXPECT_FALSE(main_.OpenFile(Path("missing.csv")));
  EXPECT_EQ(main_.FileName(), doc);
  EXPECT_EQ(main_.Singles(), singles);

  // A file handed over while a search runs is refused with the busy message.
  bool refused = false;
  fake_.on_yield = [&] {
    if (main_.IsIdle() || refused) return;
    fake_.ClearRecords();
    refused = !main_.OpenFile(Path("Zmini-1487A.csv"));
    EXPECT_EQ(fake_.MessageTexts(), std::vector<std::string>{frmMain::kBusyMessage});
  };
  main_.Execute(Cmd::kRun);
  EXPECT_TRUE(refused);
  EXPECT_EQ(main_.FileName(), doc);
}

}  // namespace
}  // namespace zelvo
