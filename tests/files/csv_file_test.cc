// CSV singles files: the written lines, which lines a read takes, merging and
// removing, and the names.
#include "files/csv_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "support/paths.h"
#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

std::string DataFile(const std::string& name) {
  return std::string(ZELVO_TEST_DATA_DIR) + "/" + name;
}

std::string ReadData(const std::string& name) {
  std::ifstream in(DataFile(name), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class CsvFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }

  testing::TempProgramDir dir_;
  testing::FakePlatform fake_;
  clsTFileCSV csv_;
};

TEST_F(CsvFileTest, SaveWritesOneLinePerSingleInOrder) {
  std::vector<int> singles{0, 1, 242, 100, 100, 5};
  ASSERT_TRUE(csv_.CsvSave(Path("s.csv"), 5, singles));
  EXPECT_EQ(dir_.ReadBytes("s.csv"), ReadData("save-ref.csv"));
  EXPECT_EQ(fake_.wait().message, "CSVファイルに保存中");
  EXPECT_EQ(fake_.wait().max, 4);
  EXPECT_EQ(fake_.wait().value, 4);
  EXPECT_FALSE(fake_.wait().open);
}

TEST_F(CsvFileTest, LoadTakesOnlyLinesOfFiveOutcomes) {
  int count = -1;
  std::vector<int> singles;
  ASSERT_TRUE(csv_.CsvLoad(DataFile("messy.csv"), count, singles));
  // Blank, four- and six-field lines are skipped; blanks around a field and
  // a fraction are read as numbers.
  EXPECT_EQ(count, 5);
  EXPECT_EQ(singles, (std::vector<int>{100, 242, 121, 100, 3, 0, 0, 0}));
  EXPECT_EQ(fake_.wait().message, "CSVファイルの読込中");
  EXPECT_EQ(fake_.wait().max, 8);
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(CsvFileTest, FailedLoadLeavesTheOutputs) {
  // A number that is no outcome fails the read as a field that is no number.
  dir_.WriteBytes("three.csv", "1,0,2,0,1\r\n1,0,3,0,1\r\n");
  dir_.WriteBytes("bad.csv", "1,0,2,0,1\r\n1,x,0,0,0\r\n");
  int count = 3;
  std::vector<int> singles{7, 8, 9};
  EXPECT_FALSE(csv_.CsvLoad(Path("three.csv"), count, singles));
  fake_.ClearRecords();
  EXPECT_FALSE(csv_.CsvLoad(Path("bad.csv"), count, singles));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(singles, (std::vector<int>{7, 8, 9}));
  // The file and the line, not a bare "type mismatch".
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_EQ(fake_.messages()[0].title, "Zelvo mini / clsTFileCSV / CsvLoad_Sub");
  EXPECT_EQ(fake_.messages()[0].text,
            Path("bad.csv") + "\r\n2行目：試合の結果は 1, 0, 2 のいずれかです。");
  EXPECT_FALSE(fake_.wait().open);

  // Text without one single, and an empty file, are no list of singles.
  dir_.WriteBytes("none.csv", "1;0;2;0;1\r\n\r\n");
  dir_.WriteBytes("empty.csv", "");
  for (const char* name : {"none.csv", "empty.csv"}) {
    fake_.ClearRecords();
    EXPECT_FALSE(csv_.CsvLoad(Path(name), count, singles));
    EXPECT_FALSE(csv_.CsvAdd(Path(name), count, singles));
    EXPECT_FALSE(csv_.CsvDel(Path(name), count, singles));
    ASSERT_EQ(fake_.messages().size(), 3u);
    EXPECT_EQ(fake_.messages()[0].text, Path(name) + "\r\n読み込めるシングルがありません。");
  }
  EXPECT_EQ(count, 3);
  EXPECT_EQ(singles, (std::vector<int>{7, 8, 9}));

  fake_.ClearRecords();
  EXPECT_FALSE(csv_.CsvAdd(Path("missing.csv"), count, singles));
  ASSERT_EQ(fake_.messages().size(), 1u);
  EXPECT_TRUE(Contains(fake_.messages()[0].text, Path("missing.csv") + "\r\n"));
  EXPECT_FALSE(csv_.CsvDel(Path("missing.csv"), count, singles));
  EXPECT_EQ(singles, (std::vector<int>{7, 8, 9}));

  // An overlong line is read past like any other line that is not a single.
  dir_.WriteBytes("long.csv", "2,2,2,2,2\r\n" + std::string(1 << 20, '1') + "\r\n0,0,0,0,1\r\n");
  ASSERT_TRUE(csv_.CsvLoad(Path("long.csv"), count, singles));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(singles, (std::vector<int>{242, 81, 0}));
}

TEST_F(CsvFileTest, AByteOrderMarkIsReadPast) {
  dir_.WriteBytes("bom.csv",
                  "\xEF\xBB\xBF"
                  "1,0,2,0,1\r\n2,2,2,2,2\r\n");
  int count = 0;
  std::vector<int> singles;
  ASSERT_TRUE(csv_.CsvLoad(Path("bom.csv"), count, singles));
  EXPECT_EQ(singles, (std::vector<int>{100, 242}));
}

TEST_F(CsvFileTest, CrAloneEndsALineAsCrLfAndLfDo) {
  // CR LF across the reader's buffer boundary stays one line end.
  std::string filler(256 * 1024 - 11, ' ');
  dir_.WriteBytes("cr.csv", "1,0,2,0,1\r2,2,2,2,2\r\n0,0,0,0,1\n1,1,1,1,1\r\r" + filler +
                                "\r\n0,1,0,0,0\r");
  int count = 0;
  std::vector<int> singles;
  ASSERT_TRUE(csv_.CsvLoad(Path("cr.csv"), count, singles));
  EXPECT_EQ(count, 6 - 1);
  singles.resize(static_cast<size_t>(count));
  EXPECT_EQ(singles, (std::vector<int>{100, 242, 81, 121, 3}));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST_F(CsvFileTest, AddAppendsAndDeleteRemoves) {
  dir_.WriteBytes("f.csv", "1,0,0,0,0\r\n2,0,0,0,0\r\n1,0,0,0,0\r\n");
  int count = 0;
  std::vector<int> singles;
  ASSERT_TRUE(csv_.CsvAdd(Path("f.csv"), count, singles));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(singles, (std::vector<int>{1, 2, 1}));

  // Entries past the count (as a load leaves them) are not carried along.
  count = 2;
  singles = {5, 6, 0, 0};
  ASSERT_TRUE(csv_.CsvAdd(Path("f.csv"), count, singles));
  EXPECT_EQ(count, 5);
  EXPECT_EQ(singles, (std::vector<int>{5, 6, 1, 2, 1}));

  ASSERT_TRUE(csv_.CsvDel(Path("f.csv"), count, singles));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(singles, (std::vector<int>{5, 6}));

  count = 3;
  singles = {2, 1, 1};
  ASSERT_TRUE(csv_.CsvDel(Path("f.csv"), count, singles));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(singles.empty());

  // Nothing to remove from: the file is not even read.
  EXPECT_TRUE(csv_.CsvDel(Path("missing.csv"), count, singles));
  EXPECT_TRUE(fake_.messages().empty());
}

TEST(CsvFileNameTest, RoundAndGroupFromTheName) {
  EXPECT_EQ(clsTFileCSV::GetCsvFileName(123, "A"), "Zmini-123A.csv");
  EXPECT_EQ(clsTFileCSV::GetCsvFileName(7, "B"), "Zmini-007B.csv");
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("/home/u/Zmini-123A.csv"), 123);
  EXPECT_EQ(clsTFileCSV::GetKumi("/home/u/Zmini-123A.csv"), "A");
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("zmini-045b.csv"), 45);
  EXPECT_EQ(clsTFileCSV::GetKumi("zmini-045b.csv"), "B");
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("Z200A.csv"), 200);
  EXPECT_EQ(clsTFileCSV::GetKumi("Z200A.csv"), "");
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("C:\\data\\77.csv"), 77);
  // No non-digit after the number, or no number at all.
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("Zmini-123"), 0);
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("Zmini-A12.csv"), 0);
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("-5.csv"), 0);
  // The program's names of current rounds have four digits.
  EXPECT_EQ(clsTFileCSV::GetCsvFileName(1487, "B"), "Zmini-1487B.csv");
  EXPECT_EQ(clsTFileCSV::GetKaisaikai("/home/u/Zmini-1487B.csv"), 1487);
  EXPECT_EQ(clsTFileCSV::GetKumi("/home/u/Zmini-1487B.csv"), "B");
  EXPECT_EQ(clsTFileCSV::GetKumi("zmini-1234a.csv"), "A");
  EXPECT_EQ(clsTFileCSV::GetKumi("Zmini-123C.csv"), "");
}

}  // namespace
}  // namespace zelvo
