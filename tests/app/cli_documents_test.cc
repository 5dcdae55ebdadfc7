// The document commands of zelvomini-cli on documents in a temporary program
// folder: info, csv, search on the shipped samples, and the batch run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/cli.h"
#include "core/single_frame.h"
#include "files/csv_file.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/app/cli_fixture.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

class CliDocumentsTest : public testing::CliTest {
 protected:
  std::string SaveSample(const std::string& name, int singles = 7) {
    clsTFileTPD tpd;
    EXPECT_TRUE(tpd.SaveFile(Path(name), true, testing::SampleDocument(singles), true));
    return Path(name);
  }
  DocumentRecord Load(const std::string& path) {
    clsTFileTPD tpd;
    DocumentRecord doc;
    EXPECT_TRUE(LoadDocumentFile(tpd, path, true, false, doc)) << path;
    return doc;
  }
  // A shipped sample document, copied into the test's program folder.
  std::string ShippedSample(const std::string& name) {
    std::string from = std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/" + name;
    std::string to = Path(name);
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    return to;
  }
};

TEST_F(CliDocumentsTest, InfoShowsTheDocument) {
  std::string doc = SaveSample("d.tpd");
  ASSERT_EQ(Run({"info", doc}), 0) << err_.str();
  std::string out = out_.str();
  EXPECT_TRUE(Contains(out, "Round: 512\nGroup: B\n")) << out;
  EXPECT_TRUE(Contains(out, "Vote status: 2026/05/16 (最終)")) << out;
  EXPECT_TRUE(Contains(out, "  1: 1=◎ 0=- 2=-   FC東京 - 川崎F\n")) << out;
  EXPECT_TRUE(Contains(out, "  1等推定金額: 1000 - 250000.5\n")) << out;
  EXPECT_TRUE(Contains(out, "  本命/全て/◎: ×--△××  (matches 12345, outcomes 102)\n")) << out;
  // Ninki.3 has its own box cleared and the Mark table is off: neither shows.
  EXPECT_FALSE(Contains(out, "人気/")) << out;
  EXPECT_FALSE(Contains(out, "勝敗/")) << out;
  EXPECT_TRUE(Contains(out, "  条件間違い補正: mode 2, counts 0,1,3\n")) << out;
  EXPECT_TRUE(Contains(out, "Engine: 2 ２等保証　試行検索エンジン\n")) << out;
  EXPECT_TRUE(Contains(out, "Extraction: 5 ランダムで抽出\n")) << out;
  EXPECT_TRUE(Contains(out, "Singles: 7\n")) << out;

  EXPECT_EQ(Run({"info", Path("missing.tpd")}), 1);
  EXPECT_EQ(Run({"info"}), 64);
}

TEST_F(CliDocumentsTest, CsvExportImportAddAndDelete) {
  std::string doc = SaveSample("d.tpd", 5);
  std::string csv = Path("out.csv");
  ASSERT_EQ(Run({"csv", "export", doc, csv}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "5 singles written to " + csv + "\n");
  std::vector<int> singles = testing::SampleDocument(5).SingleData;

  // Adding the file doubles the singles; deleting it removes them all.
  ASSERT_EQ(Run({"csv", "import", doc, csv, "--add"}), 0) << err_.str();
  DocumentRecord loaded = Load(doc);
  EXPECT_EQ(loaded.SingleCount, 10);
  EXPECT_EQ(loaded.SingleFrame, CountSingleFrame(loaded.SingleData));
  ASSERT_EQ(Run({"csv", "import", doc, csv, "--del"}), 0) << err_.str();
  EXPECT_EQ(Load(doc).SingleCount, 0);
  ASSERT_EQ(Run({"csv", "import", doc, csv}), 0) << err_.str();
  loaded = Load(doc);
  EXPECT_EQ(loaded.SingleData, singles);
  EXPECT_EQ(loaded.Kaisaikai, 512);  // the rest of the document stays

  // A new document takes its round and group from the file name.
  std::string named = Path("Zmini-077A.csv");
  std::filesystem::copy_file(csv, named);
  ASSERT_EQ(Run({"csv", "import", Path("new.tpd"), named}), 0) << err_.str();
  loaded = Load(Path("new.tpd"));
  EXPECT_EQ(loaded.Kaisaikai, 77);
  EXPECT_EQ(loaded.Kumi, "A");
  EXPECT_EQ(loaded.SingleData, singles);

  // A bad singles file leaves the document as it was.
  dir_.WriteBytes("bad.csv", "1,x,0,0,0\r\n");
  std::string before = dir_.ReadBytes("d.tpd");
  EXPECT_EQ(Run({"csv", "import", doc, Path("bad.csv")}), 1);
  EXPECT_EQ(dir_.ReadBytes("d.tpd"), before);
  EXPECT_EQ(Run({"csv", "import", doc, csv, "--add", "--del"}), 64);
}

TEST_F(CliDocumentsTest, SearchOnTheShippedSamplesPrintsTheLogAndSaves) {
  for (const char* name : {"sample-guarantee.tpd", "sample-tolerance.tpd"}) {
    SCOPED_TRACE(name);
    std::string doc = ShippedSample(name);
    DocumentRecord before = Load(doc);
    ASSERT_EQ(Run({"search", doc, "-o", Path("result.tpd"), "--seed", "7"}), 0) << err_.str();
    std::string out = out_.str();
    EXPECT_TRUE(out.starts_with("Zelvo mini  Version ")) << out;
    EXPECT_TRUE(Contains(out, "マルチ総数：")) << out;
    EXPECT_TRUE(Contains(out, "該当するパターンは ")) << out;
    DocumentRecord after = Load(Path("result.tpd"));
    EXPECT_TRUE(Contains(out, "Singles: " + std::to_string(after.SingleCount) + "\n")) << out;
    EXPECT_GT(after.SingleCount, 0);
    EXPECT_TRUE(std::is_sorted(after.SingleData.begin(), after.SingleData.end()));
    EXPECT_EQ(after.MsSingleCount, after.SingleCount);
    EXPECT_EQ(after.SingleFrame, CountSingleFrame(after.SingleData));
    EXPECT_EQ(after.SakugenMessage.substr(0, 18), "Zelvo mini  Versio");
    // The shipped file keeps what it had; the search gives the same singles again.
    EXPECT_EQ(Load(doc).SingleData, before.SingleData);
    EXPECT_EQ(after.SingleData, before.SingleData);
  }
}

TEST_F(CliDocumentsTest, SearchWritesBackToTheDocument) {
  std::string doc = ShippedSample("sample-guarantee.tpd");
  DocumentRecord emptied = Load(doc);
  emptied.SingleCount = 0;
  emptied.SingleData.clear();
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(doc, true, emptied, true));
  ASSERT_EQ(Run({"search", doc}), 0) << err_.str();
  EXPECT_GT(Load(doc).SingleCount, 0);
  EXPECT_EQ(Run({"search", Path("missing.tpd")}), 1);
  EXPECT_EQ(Run({"search", doc, "--seed", "x"}), 64);
}

// Vote counts whose total passes 2^31 - 1 once stopped the estimate and the
// search saved no singles over the document's.
TEST_F(CliDocumentsTest, SearchCountsBigVoteTotals) {
  std::string path = ShippedSample("sample-guarantee.tpd");
  DocumentRecord doc = Load(path);
  for (VoteMatch& m : doc.Vote.matches) {
    for (VoteOutcome& o : m.outcomes) o.count = o.count * Money::FromInt(100000);
  }
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(Path("big.tpd"), true, doc, true));
  ASSERT_EQ(Run({"search", Path("big.tpd"), "-o", Path("big-out.tpd"), "--seed", "7"}), 0)
      << err_.str();
  ASSERT_EQ(Run({"search", path, "-o", Path("small-out.tpd"), "--seed", "7"}), 0) << err_.str();
  EXPECT_GT(Load(Path("big-out.tpd")).SingleCount, 0);
  EXPECT_EQ(Load(Path("big-out.tpd")).SingleData, Load(Path("small-out.tpd")).SingleData);
}

// A singles file without one readable single is refused, as an import of such
// a text is: the document keeps its singles.  CR alone ends a line.
TEST_F(CliDocumentsTest, CsvImportRefusesFilesWithoutSingles) {
  std::string doc = SaveSample("d.tpd", 5);
  const std::string before = dir_.ReadBytes("d.tpd");
  dir_.WriteBytes("binary.csv", std::string("\x89PNG\r\n\x1a\n\0\xff\xfe", 12));
  dir_.WriteBytes("empty.csv", "");
  for (const char* file : {"binary.csv", "empty.csv"}) {
    for (const char* mode : {"", "--add", "--del"}) {
      SCOPED_TRACE(std::string(file) + " " + mode);
      std::vector<std::string> args = {"csv", "import", doc, Path(file)};
      if (*mode) args.push_back(mode);
      EXPECT_EQ(Run(args), 1);
      EXPECT_TRUE(Contains(err_.str(), Path(file) + "\n読み込めるシングルがありません。"))
          << err_.str();
      EXPECT_EQ(dir_.ReadBytes("d.tpd"), before);
    }
  }
  dir_.WriteBytes("cr.csv", "1,0,2,0,1\r2,2,2,2,2\r");
  ASSERT_EQ(Run({"csv", "import", doc, Path("cr.csv")}), 0) << err_.str();
  EXPECT_EQ(Load(doc).SingleData, (std::vector<int>{100, 242}));
}

TEST_F(CliDocumentsTest, BatchMarksFailuresAndGoesOn) {
  std::string good = ShippedSample("sample-tolerance.tpd");
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(Path("conditions.tpj"), false, testing::SampleDocument(), true));
  dir_.WriteBytes("damaged.tpd", dir_.ReadBytes("sample-tolerance.tpd").substr(0, 3000));
  std::string second = ShippedSample("sample-guarantee.tpd");
  // A second name of a file already queued (a link, "./") runs nothing more.
  ::symlink(second.c_str(), Path("link.tpd").c_str());
  std::string dotted = ReplaceAll(second, "/sample-guarantee", "/./sample-guarantee");
  EXPECT_EQ(Run({"batch", good, Path("conditions.tpj"), Path("damaged.tpd"), second,
                 Path("link.tpd"), dotted}),
            1);
  EXPECT_EQ(out_.str(), good + "\t実行中\n" + good + "\t成功\n" +                             //
                            Path("conditions.tpj") + "\t実行中\n" + Path("conditions.tpj") +  //
                            "\t失敗\n" + Path("damaged.tpd") + "\t実行中\n" +                 //
                            Path("damaged.tpd") + "\t失敗\n" + second + "\t実行中\n" +        //
                            second + "\t成功\n");
  // Failures are silent: no message reaches the console.
  EXPECT_FALSE(Contains(err_.str(), "[警告")) << err_.str();
  EXPECT_FALSE(Contains(err_.str(), "[エラー")) << err_.str();
  EXPECT_GT(Load(good).SingleCount, 0);
}

// A folder, a pipe or a device where a file is wanted is named for what it
// is by every command that opens one, never "not found".
TEST_F(CliDocumentsTest, WhatStandsWhereAFileIsWantedIsNamed) {
  std::filesystem::create_directory(Path("folder.tpd"));
  ASSERT_EQ(::mkfifo(Path("pipe.tpd").c_str(), 0600), 0);
  const std::string doc = SaveSample("d.tpd");
  const struct {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{"info", Path("folder.tpd")}, "フォルダです。"},
      {{"search", Path("pipe.tpd"), "-o", Path("out.tpd")}, "名前付きパイプ(FIFO)です。"},
      {{"probs", doc, "--set", "/dev/null"}, "デバイスです。"},
      {{"chances", doc, "--probs", Path("folder.tpd")}, "フォルダです。"},
      {{"csv", "import", doc, Path("folder.tpd")}, "フォルダです。"},
      {{"info", Path("missing.tpd")}, "ファイルが見つかりません。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    EXPECT_NE(Run(c.args), 0);
    EXPECT_TRUE(Contains(err_.str(), c.reason)) << err_.str();
    EXPECT_FALSE(Contains(err_.str(), "Zelvo miniのファイルではありません")) << err_.str();
  }
}

// A threshold is stored as given; a range the search could not use, and a
// pause that is no number of seconds, are refused.
TEST_F(CliDocumentsTest, FiguresAreStoredAsGivenOrRefused) {
  const std::string doc = SaveSample("d.tpd");
  ASSERT_EQ(Run({"probs", doc, "--value", "ratio:0.00002-1.23456789012345"}), 0) << err_.str();
  EXPECT_EQ(Load(doc).Conditions.Value,
            (ValueConditions{true, kValueRatio, 0.00002, 1.23456789012345}));
  const std::string before = dir_.ReadBytes("d.tpd");
  EXPECT_EQ(Run({"probs", doc, "--value", "expected:200-80"}), 64);
  EXPECT_TRUE(Contains(err_.str(), "期待値の範囲の下限(200)が上限(80)を超えています。"))
      << err_.str();
  for (const char* bad : {"expected:1e-5", "expected:nan", "expected:inf-"}) {
    EXPECT_EQ(Run({"probs", doc, "--value", bad}), 64) << bad;
  }
  EXPECT_EQ(dir_.ReadBytes("d.tpd"), before);
  for (const char* pause : {"nan", "inf", "-1", "1e1", "601"}) {
    EXPECT_EQ(Run({"archive", "download", "1", "2", "--pause", pause, "--yes"}), 64) << pause;
  }
}

}  // namespace
}  // namespace zelvo
