// The report and import commands over stubbed document and schedule access.
#include "app/cli_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "app/console_platform.h"
#include "output/clipboard.h"

namespace zelvo {
namespace {

class CliReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_io_ = ReportIo();
    ReportIo().load = [this](const std::string& path, DocumentRecord& doc) {
      loaded_path_ = path;
      if (path != "round.tpd") return false;
      doc = doc_;
      return true;
    };
    ReportIo().save = [this](const std::string& path, const DocumentRecord& doc) {
      saved_path_ = path;
      saved_ = doc;
      ++saves_;
      return true;
    };
    ReportIo().schedule = [](int round, const std::string& group) {
      ScheduleRecord s;
      if (round == 512 && group == "A") {
        for (auto& m : s.matches) m = {"鹿島", "浦和", {}, {}, "", "VS"};
      }
      return s;
    };
    doc_.Kaisaikai = 512;
    doc_.Kumi = "A";
    doc_.SingleData = {0, 242};
    doc_.SingleCount = 2;
  }
  void TearDown() override { ReportIo() = saved_io_; }

  int Run(std::vector<std::string> args, const std::string& input = "") {
    in_.str(input);
    out_.str("");
    err_.str("");
    ConsolePlatform console(in_, err_);
    CliContext ctx{in_, out_, err_, console};
    return RunCommand(ctx, args);
  }

  ReportDocumentIo saved_io_;
  DocumentRecord doc_;
  DocumentRecord saved_;
  std::string loaded_path_, saved_path_;
  int saves_ = 0;
  std::istringstream in_;
  std::ostringstream out_, err_;
};

TEST_F(CliReportTest, ReportWritesTheClipboardText) {
  EXPECT_EQ(Run({"report", "round.tpd", "--form", "3"}), 0);
  EXPECT_EQ(out_.str(), "1:00000\r\n2:22222\r\n");
  EXPECT_EQ(Run({"report", "--form", "0", "round.tpd"}), 0);
  EXPECT_NE(out_.str().find("０１　鹿　島－－－浦　和"), std::string::npos);

  EXPECT_EQ(Run({"report", "round.tpd", "--form", "2"}), 64);
  EXPECT_EQ(Run({"report", "round.tpd"}), 64);
  EXPECT_EQ(Run({"report", "round.tpd", "--form"}), 64);
  EXPECT_EQ(Run({"report", "other.tpd", "--form", "1"}), 1);
  EXPECT_NE(err_.str().find("other.tpd"), std::string::npos);

  doc_.SingleCount = 10001;
  doc_.SingleData.assign(10001, 0);
  EXPECT_EQ(Run({"report", "round.tpd", "--form", "4"}), 1);
  EXPECT_EQ(err_.str(), "1万口以上は出力出来ません\n");
  EXPECT_EQ(out_.str(), "");
}

TEST_F(CliReportTest, ImportReplacesTheSinglesAndTheirFrame) {
  EXPECT_EQ(Run({"import", "round.tpd"}, "1: 1 0 2 2 1\r\n2:10221\nnoise\r\n3:00000\r\n"), 0);
  EXPECT_EQ(out_.str(), "3口取り込みしました\n");
  ASSERT_EQ(saves_, 1);
  EXPECT_EQ(saved_path_, "round.tpd");
  int s10221 = 1 + 2 * 9 + 2 * 27 + 81;
  EXPECT_EQ(saved_.SingleData, (std::vector<int>{s10221, s10221, 0}));
  EXPECT_EQ(saved_.SingleCount, 3);
  EXPECT_EQ(saved_.SingleFrame[1], (std::array<int, 5>{2, 0, 0, 0, 2}));
  EXPECT_EQ(saved_.SingleFrame[0], (std::array<int, 5>{1, 3, 1, 1, 1}));
  EXPECT_EQ(saved_.SingleFrame[2], (std::array<int, 5>{0, 0, 2, 2, 0}));
  EXPECT_EQ(saved_.Kaisaikai, 512);  // the rest of the document kept

  EXPECT_EQ(Run({"import", "round.tpd"}, "1022\r\n10223\r\n"), 1);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(Run({"import", "missing.tpd"}, "10221\r\n"), 1);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(Run({"import"}), 64);
}

}  // namespace
}  // namespace zelvo
