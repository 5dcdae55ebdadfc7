// The path rule and whole-file text reading and writing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "files/csv_file.h"
#include "files/ini_file.h"
#include "files/line_reader.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

TEST(PathRuleTest, AbsoluteFormsAreKeptRelativeOnesJoined) {
  testing::TempProgramDir dir;
  EXPECT_EQ(ResolveProgramPath("C:\\Data\\SysData"), "C:\\Data\\SysData");
  EXPECT_EQ(ResolveProgramPath("\\\\server\\share\\x"), "\\\\server\\share\\x");
  EXPECT_EQ(ResolveProgramPath("/var/tmp/x"), "/var/tmp/x");
  EXPECT_EQ(ResolveProgramPath("SysData"), dir.path() + "/SysData");
  EXPECT_EQ(ResolveProgramPath("SysData\\totoSettings.ini"), dir.path() + "/SysData/totoSettings.ini");
  EXPECT_EQ(ResolveProgramPath("\\SysData"), dir.path() + "/SysData");  // exactly one separator
  EXPECT_EQ(FileNamePart("a\\b/c.tpd"), "c.tpd");
}

TEST(TextFileTest, ReadsCp932AndCutsAtTheFirstNul) {
  testing::TempProgramDir dir;
  dir.WriteBytes("a.txt", std::string("\x82\xa0\x81\x60" "x\0rest", 8));
  std::string text;
  ASSERT_TRUE(ReadTextFile(dir.path() + "/a.txt", text));
  EXPECT_EQ(text, "あ～x");
}

TEST(TextFileTest, MissingFileIsReportedOnlyWhenAsked) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string text = "kept";
  EXPECT_FALSE(ReadTextFile(dir.path() + "/none.txt", text, false));
  EXPECT_TRUE(fake.messages().empty());
  EXPECT_EQ(text, "kept");
  EXPECT_FALSE(ReadTextFile(dir.path() + "/none.txt", text, true));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvo mini / clsFileStream / ReadFile");
}

TEST(TextFileTest, WritesCp932CreatingFolders) {
  testing::TempProgramDir dir;
  std::string path = dir.path() + "/x/y/z.ini";
  ASSERT_TRUE(WriteTextFile(path, "a = ～\r\n"));
  EXPECT_EQ(dir.ReadBytes("x/y/z.ini"), "a = \x81\x60\r\n");
  EXPECT_FALSE(FileExists(path + ".new"));
}

// A named pipe given as a file would block open() until a writer came.
TEST(TextFileTest, NamedPipesAndFoldersAreRefusedWithoutWaiting) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string fifo = JoinPath(dir.path(), "pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string text, bytes;
  EXPECT_FALSE(ReadTextFile(fifo, text, false));
  EXPECT_FALSE(ReadFileBytes(fifo, bytes));
  EXPECT_FALSE(ReadFileBytes(dir.path(), bytes));
  LineReader reader;
  EXPECT_FALSE(reader.Open(fifo));
  clsTFileCSV csv;
  int count = 0;
  std::vector<int> singles;
  EXPECT_FALSE(csv.CsvLoad(fifo, count, singles));
  clsTFileTPD tpd;
  DocumentRecord doc;
  EXPECT_FALSE(LoadDocumentFile(tpd, fifo, true, false, doc));
  clsIniFile ini;
  ini.Initialize(fifo);
  EXPECT_FALSE(ini.Enabled());
}

TEST(TextFileTest, FailedWriteKeepsThePreviousFile) {
  // The temporary file cannot be created (its name is taken by a folder):
  // the old settings must survive and the failure must be reported.
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string path = dir.path() + "/s.ini";
  ASSERT_TRUE(WriteTextFile(path, "old\r\n"));
  std::filesystem::create_directories(path + ".new");
  EXPECT_FALSE(WriteTextFile(path, "new\r\n"));
  EXPECT_EQ(dir.ReadBytes("s.ini"), "old\r\n");
  EXPECT_EQ(fake.messages().size(), 1u);
}

TEST(TextFileTest, FailedRenameKeepsThePreviousFile) {
  // The target is a folder: the new text cannot replace it and nothing of the
  // old content may be lost.
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::filesystem::create_directories(dir.path() + "/target/inner");
  EXPECT_FALSE(WriteTextFile(dir.path() + "/target", "x"));
  EXPECT_TRUE(DirExists(dir.path() + "/target/inner"));
  EXPECT_FALSE(FileExists(dir.path() + "/target.new"));
}

}  // namespace
}  // namespace zelvo
