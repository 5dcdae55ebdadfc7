// Singles files (CSV) as every command reads them: a file without one
// readable single is refused with its name and nothing is written, a UTF-8
// byte-order mark is read past, and the round and group come from the
// program's own file names, four-digit rounds included.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "analysis/minimum.h"
#include "app/cli.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/app/cli_fixture.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

using CliSinglesFilesTest = testing::CliTest;

TEST_F(CliSinglesFilesTest, AFileWithoutSinglesIsRefusedByEveryReader) {
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(Path("d.tpd"), true, testing::SampleDocument(5), true));
  const std::string doc_bytes = dir_.ReadBytes("d.tpd");
  const std::string mine = Write("mine.csv", "1,0,2,0,1\r\n2,2,2,2,2\r\n");
  for (const std::string& bytes : {std::string("1;0;2;0;1\r\n2;2;2;2;2\r\n"), std::string()}) {
    const std::string f = Write("f.csv", bytes);
    const std::vector<std::vector<std::string>> commands = {
        {"coverage", f},
        {"coverage", mine, "--results", f},
        {"chances", f, "--doc", Path("d.tpd")},
        {"minimum", "--targets", f},
        {"lines", "union", mine, f},
        {"lines", "intersect", mine, f, "-o", Path("new.csv")},
        {"lines", "unique", f, "-o", Path("new.csv")},
        {"compress", "--engine", "1", "--targets", f},
        {"check", "--singles", f},
        {"print", "--singles", f, "--list"},
        {"csv", "import", Path("d.tpd"), f},
        {"csv", "import", Path("d.tpd"), f, "--del"},
    };
    for (const auto& args : commands) {
      SCOPED_TRACE(args[0] + " " + args[1] + " " + std::to_string(bytes.size()));
      EXPECT_NE(Run(args), 0);
      if (args[0] != "minimum" || MinimumSolverBuiltIn()) {
        EXPECT_TRUE(Contains(err_.str(), f)) << err_.str();
        EXPECT_TRUE(Contains(err_.str(), "読み込めるシングルがありません。")) << err_.str();
      }
    }
    EXPECT_EQ(dir_.ReadBytes("mine.csv"), "1,0,2,0,1\r\n2,2,2,2,2\r\n");
    EXPECT_EQ(dir_.ReadBytes("d.tpd"), doc_bytes);
    EXPECT_FALSE(fs::exists(Path("new.csv")));
  }
}

TEST_F(CliSinglesFilesTest, AByteOrderMarkIsReadPast) {
  const std::string f = Write("bom.csv",
                              "\xEF\xBB\xBF"
                              "1,0,2,0,1\r\n2,2,2,2,2\r\n");
  ASSERT_EQ(Run({"lines", "unique", f}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "10201\n22222\n");
  ASSERT_EQ(Run({"csv", "import", Path("new.tpd"), f}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "Singles: 2")) << out_.str();
}

TEST_F(CliSinglesFilesTest, FourDigitRoundsInFileNames) {
  for (const char* group : {"A", "B"}) {
    const std::string name = std::string("minitoto_Vote/minitoto_vote_1487_") + group + ".xml";
    fs::create_directories(dir_.SysData("minitoto_Vote"));
    fs::copy_file(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/SysData/" + name,
                  dir_.SysData(name));
  }
  const std::string f = Write("Zmini-1487B.csv", "1,0,2,0,1\r\n2,2,2,2,2\r\n");
  ASSERT_EQ(Run({"csv", "import", Path("new.tpd"), f}), 0) << err_.str();
  clsTFileTPD tpd;
  DocumentRecord doc;
  ASSERT_TRUE(LoadDocumentFile(tpd, Path("new.tpd"), true, false, doc));
  EXPECT_EQ(doc.Kaisaikai, 1487);
  EXPECT_EQ(doc.Kumi, "B");
  EXPECT_EQ(doc.Vote.Kaisaikai, 1487);
  EXPECT_EQ(doc.Vote.Kumi, "B");

  ASSERT_EQ(Run({"chances", f}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "official vote rates of round 1487 B")) << out_.str();
}

}  // namespace
}  // namespace zelvo
