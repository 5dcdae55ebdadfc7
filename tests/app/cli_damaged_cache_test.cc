// A cache file of the official data that was cut short is no data: the
// commands that take a document's vote status from the cache (search,
// chances) report it and work as if nothing were cached.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

constexpr const char* kVoteCache = "SysData/minitoto_Vote/minitoto_vote_1487_A.xml";

class CliDamagedCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    const std::string shipped = ZELVO_PROGRAM_DIR_FOR_TESTS;
    whole_vote_ = ReadShipped(shipped + "/" + kVoteCache);
    // The shipped sample of round 1487 A as an old document, which brings
    // no vote status of its own: the commands turn to the archived file it
    // names, then to the cache.
    clsTFileTPD tpd;
    DocumentRecord doc;
    ASSERT_TRUE(LoadDocumentFile(tpd, shipped + "/UserData/Zelvomini/sample-guarantee.tpd", true,
                                 false, doc));
    ASSERT_TRUE(tpd.SaveFile(Path("novote.tpd"), true, doc, true));
    std::string text = dir_.ReadBytes("novote.tpd");
    text = ReplaceAll(text, "DataVersion = 6", "DataVersion = 4");
    text = ReplaceAll(text, "Kumi = A\r\n", "Kumi = A\r\nVoteTime = 2024/06/22\r\n");
    dir_.WriteBytes("novote.tpd", text);
    archived_vote_ = clsXmlVote::GetOldFileName(1487, DateTime::Date(2024, 6, 22));
  }
  // Both places an old document's vote status may come from hold `bytes`.
  void WriteVote(const std::string& bytes) {
    dir_.WriteBytes(kVoteCache, bytes);
    std::ofstream(archived_vote_, std::ios::binary) << bytes;
  }

  static std::string ReadShipped(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    std::istringstream in;
    return RunCli(args, in, out_, err_);
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  // The whole cache file, and cut in a match row, in the sales figures and
  // just before its closing tags: each of these still parses line by line.
  std::vector<std::string> Cuts() const {
    const size_t tail = whole_vote_.rfind("</", whole_vote_.rfind("</minitoto>") - 1);
    return {whole_vote_.substr(0, whole_vote_.size() / 3),
            whole_vote_.substr(0, whole_vote_.size() * 3 / 4), whole_vote_.substr(0, tail)};
  }
  DocumentRecord Load(const std::string& path) {
    clsTFileTPD tpd;
    DocumentRecord doc;
    EXPECT_TRUE(LoadDocumentFile(tpd, path, true, false, doc)) << path;
    return doc;
  }

  testing::TempProgramDir dir_;
  std::string whole_vote_;
  std::string archived_vote_;
  std::ostringstream out_, err_;
};

TEST_F(CliDamagedCacheTest, SearchNeverEmbedsACutVoteStatus) {
  WriteVote(whole_vote_);
  ASSERT_EQ(Run({"search", Path("novote.tpd"), "-o", Path("whole.tpd"), "--seed", "3"}), 0)
      << err_.str();
  EXPECT_EQ(Load(Path("whole.tpd")).Vote.Kaisaikai, 1487);
  for (const std::string& cut : Cuts()) {
    WriteVote(cut);
    Run({"search", Path("novote.tpd"), "-o", Path("cut.tpd"), "--seed", "3"});
    EXPECT_TRUE(Contains(err_.str(), "XMLデータが異常です。")) << cut.size() << err_.str();
    if (std::filesystem::exists(Path("cut.tpd"))) {
      EXPECT_EQ(Load(Path("cut.tpd")).Vote.Kaisaikai, 0) << cut.size();
    }
  }
}

TEST_F(CliDamagedCacheTest, ChancesTakeNoRatesFromACutVoteStatus) {
  WriteVote(whole_vote_);
  ASSERT_EQ(Run({"chances", Path("novote.tpd")}), 0) << err_.str();
  EXPECT_TRUE(Contains(out_.str(), "official vote rates")) << out_.str();
  for (const std::string& cut : Cuts()) {
    WriteVote(cut);
    Run({"chances", Path("novote.tpd")});
    EXPECT_TRUE(Contains(err_.str(), "XMLデータが異常です。")) << cut.size() << err_.str();
    EXPECT_FALSE(Contains(out_.str(), "official vote rates")) << cut.size() << out_.str();
  }
}

}  // namespace
}  // namespace zelvo
