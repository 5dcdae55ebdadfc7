// The path rule and whole-file text reading and writing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
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

// The writer's temporary files left in a folder.
std::vector<std::string> Temporaries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    std::string name = e.path().filename().string();
    if (IsWriterTemporaryName(name)) names.push_back(name);
  }
  return names;
}

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
  EXPECT_TRUE(Temporaries(dir.path() + "/x/y").empty());
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

class SafeWriterTest : public ::testing::Test {
 protected:
  ~SafeWriterTest() override { WriteFaultsForTesting() = WriteFaults(); }
  std::string Path(const std::string& rel) const { return JoinPath(dir_.path(), rel); }
  mode_t Mode(const std::string& rel) const {
    struct stat st {};
    ::lstat(Path(rel).c_str(), &st);
    return st.st_mode;
  }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
};

// Whatever sits beside the target under a name the writer might pick (a
// user's own d.tpd.new, a link planted at a temporary name, the temporary
// file of a killed save) is neither followed, nor consumed, nor in the way.
TEST_F(SafeWriterTest, NothingBesideTheTargetIsFollowedConsumedOrInTheWay) {
  dir_.WriteBytes("d.tpd", "old");
  dir_.WriteBytes("d.tpd.new", "the user's own file");
  dir_.WriteBytes("victim", "not to be touched");
  ASSERT_EQ(::symlink(Path("victim").c_str(), Path(".d.tpd.AAAAAA.tmp").c_str()), 0);
  dir_.WriteBytes(".d.tpd.BBBBBB.tmp", "half a save");  // a killed save's leftover
  for (const char* letters : {"AAAAAA", "BBBBBB"}) {
    WriteFaultsForTesting().first_temp_letters = letters;
    ASSERT_TRUE(WriteFileBytes(Path("d.tpd"), std::string("new ") + letters));
    EXPECT_EQ(dir_.ReadBytes("d.tpd"), std::string("new ") + letters);
  }
  EXPECT_EQ(dir_.ReadBytes("d.tpd.new"), "the user's own file");
  EXPECT_EQ(dir_.ReadBytes("victim"), "not to be touched");
  EXPECT_TRUE(S_ISLNK(Mode(".d.tpd.AAAAAA.tmp")));
  EXPECT_EQ(dir_.ReadBytes(".d.tpd.BBBBBB.tmp"), "half a save");
  EXPECT_EQ(Temporaries(dir_.path()).size(), 2u);  // only the two planted ones
  EXPECT_TRUE(fake_.messages().empty());
}

// The temporary files of killed saves go with the next save of the same
// target once they are old and no writer holds them; nothing else does.
TEST_F(SafeWriterTest, OldLeftoversOfKilledSavesGoWithTheNextSave) {
  dir_.WriteBytes("d.tpd", "old");
  const char* const kept[] = {".d.tpd.Fresh1.tmp", ".e.tpd.Other1.tmp", ".d.tpd.Held01.tmp",
                              ".d.tpd.toolong.tmp", ".d.tpd.Link01.tmp"};
  for (const char* name : kept) dir_.WriteBytes(name, "x");
  dir_.WriteBytes(".d.tpd.Dead01.tmp", "half a save");
  dir_.WriteBytes(".d.tpd.Dead02.tmp", "half a save");
  ::unlink(Path(".d.tpd.Link01.tmp").c_str());
  ASSERT_EQ(::symlink("d.tpd", Path(".d.tpd.Link01.tmp").c_str()), 0);
  const timespec hour_ago[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
  for (const char* name : {".e.tpd.Other1.tmp", ".d.tpd.Held01.tmp", ".d.tpd.toolong.tmp",
                           ".d.tpd.Link01.tmp", ".d.tpd.Dead01.tmp", ".d.tpd.Dead02.tmp"}) {
    ASSERT_EQ(::utimensat(AT_FDCWD, Path(name).c_str(), hour_ago, AT_SYMLINK_NOFOLLOW), 0) << name;
  }
  // A save still under way in another process holds its file locked.
  const int held = ::open(Path(".d.tpd.Held01.tmp").c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  ASSERT_TRUE(WriteFileBytes(Path("d.tpd"), "new"));
  EXPECT_EQ(dir_.ReadBytes("d.tpd"), "new");
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir_.path())) {
    const std::string name = e.path().filename().string();
    if (name.starts_with(".") && name.ends_with(".tmp")) left.push_back(name);
  }
  std::sort(left.begin(), left.end());
  std::vector<std::string> expected(std::begin(kept), std::end(kept));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(left, expected);
  ::close(held);
}

// A link, or a chain of them, is written through: the file it names gets the
// text, the link stays a link.  A dangling link creates the file it names.
TEST_F(SafeWriterTest, SymbolicLinksAreWrittenThrough) {
  std::filesystem::create_directories(Path("real"));
  dir_.WriteBytes("real/doc.tpd", "old");
  ASSERT_EQ(::symlink("real/doc.tpd", Path("link1").c_str()), 0);
  ASSERT_EQ(::symlink("link1", Path("link2").c_str()), 0);
  ASSERT_EQ(::symlink("real/new.csv", Path("dangling").c_str()), 0);
  ASSERT_TRUE(WriteFileBytes(Path("link2"), "through two links"));
  ASSERT_TRUE(WriteFileBytes(Path("dangling"), "created"));
  EXPECT_EQ(dir_.ReadBytes("real/doc.tpd"), "through two links");
  EXPECT_EQ(dir_.ReadBytes("real/new.csv"), "created");
  for (const char* link : {"link1", "link2", "dangling"}) EXPECT_TRUE(S_ISLNK(Mode(link))) << link;
  EXPECT_TRUE(Temporaries(dir_.path()).empty());
  EXPECT_TRUE(Temporaries(Path("real")).empty());
}

// What is not a regular file the user may write is refused with its reason,
// and stays what it was: a read-only file (also for root, whom the
// permission checks let through), a folder, a named pipe, a device.
TEST_F(SafeWriterTest, ReadOnlyAndSpecialTargetsAreRefused) {
  dir_.WriteBytes("ro.tpd", "kept");
  ::chmod(Path("ro.tpd").c_str(), 0444);
  std::filesystem::create_directories(Path("folder"));
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0666), 0);
  ASSERT_EQ(::symlink("ro.tpd", Path("ro-link").c_str()), 0);
  // A private /dev/null: a writer that replaced devices would otherwise take
  // the machine's own with it.  Without root the node cannot be made and a
  // second pipe stands in.
  if (::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    ASSERT_EQ(::mkfifo(Path("null").c_str(), 0666), 0);
  }
  struct Case {
    std::string path;
    const char* reason;
  };
  for (const Case& c : {Case{Path("ro.tpd"), "読み取り専用のファイルのため保存できません。"},
                        Case{Path("ro-link"), "読み取り専用のファイルのため保存できません。"},
                        Case{Path("folder"), "通常のファイルではないため保存できません。"},
                        Case{Path("pipe"), "通常のファイルではないため保存できません。"},
                        Case{Path("null"), "通常のファイルではないため保存できません。"}}) {
    SCOPED_TRACE(c.path);
    fake_.ClearRecords();
    std::string reason;
    EXPECT_FALSE(CheckWritableTarget(c.path, reason));
    EXPECT_EQ(reason, c.reason);
    EXPECT_FALSE(WriteFileBytes(c.path, "x"));
    EXPECT_EQ(LastWriteError(), c.reason);
    ASSERT_EQ(fake_.messages().size(), 1u);
    EXPECT_EQ(fake_.messages()[0].text, c.path + "\r\n" + c.reason);
  }
  EXPECT_EQ(dir_.ReadBytes("ro.tpd"), "kept");
  EXPECT_EQ(Mode("ro.tpd") & 0777, 0444u);
  EXPECT_TRUE(S_ISFIFO(Mode("pipe")));
  EXPECT_FALSE(S_ISREG(Mode("null")));
  EXPECT_TRUE(Temporaries(dir_.path()).empty());
}

// An in-place save keeps the file's own bits; a new file gets 0666 less the
// umask, as any program's new file does.
TEST_F(SafeWriterTest, PermissionBitsAreKept) {
  for (mode_t bits : {0600u, 0640u, 0664u}) {
    dir_.WriteBytes("doc.tpd", "old");
    ::chmod(Path("doc.tpd").c_str(), bits);
    ASSERT_TRUE(WriteFileBytes(Path("doc.tpd"), "new"));
    EXPECT_EQ(Mode("doc.tpd") & 07777, bits);
  }
  mode_t previous = ::umask(027);
  bool written = WriteFileBytes(Path("fresh.csv"), "x");
  ::umask(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(Mode("fresh.csv") & 07777, 0640u);
}

TEST(TextFileTest, FailedRenameKeepsThePreviousFile) {
  // The target is a folder: the new text cannot replace it and nothing of the
  // old content may be lost.
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::filesystem::create_directories(dir.path() + "/target/inner");
  EXPECT_FALSE(WriteTextFile(dir.path() + "/target", "x"));
  EXPECT_TRUE(DirExists(dir.path() + "/target/inner"));
  EXPECT_TRUE(Temporaries(dir.path()).empty());
}

}  // namespace
}  // namespace zelvo
