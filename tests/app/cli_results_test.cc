// The print and check commands, on hand-built records and through RunCli.
#include "app/cli_results.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "official/xml_result.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/document_fixtures.h"
#include "tests/common/fake_platform.h"
#include "tests/common/recording_printer.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

int S(int d1, int d2, int d3, int d4, int d5) { return d1 + 3 * d2 + 9 * d3 + 27 * d4 + 81 * d5; }

DocumentRecord Doc(int round, std::vector<int> singles) {
  DocumentRecord doc;
  doc.Kaisaikai = round;
  doc.SingleData = std::move(singles);
  doc.SingleCount = static_cast<int>(doc.SingleData.size());
  return doc;
}

ResultRecord Result(int round, std::array<int, 5> outcomes) {
  ResultRecord r;
  r.Kaisaikai = round;
  for (int m = 0; m < 5; ++m) {
    r.matches[m].result = static_cast<uint8_t>(outcomes[m]);
    // A score that agrees with the outcome: 1-0, 0-0 or 0-1.
    r.matches[m].home_score = outcomes[m] == 1 ? 1 : 0;
    r.matches[m].away_score = outcomes[m] == 2 ? 1 : 0;
  }
  r.prize[0] = Money::FromInt(1234560);
  r.winners[0] = Money::FromInt(3);
  return r;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CliResultsTest : public ::testing::Test {
 protected:
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
};

TEST_F(CliResultsTest, CheckWithTheWholeResult) {
  std::ostringstream out;
  DocumentRecord doc = Doc(1200, {S(1, 0, 2, 0, 1), S(1, 0, 2, 1, 2), S(1, 0, 2, 0, 1)});
  ASSERT_EQ(CheckDocumentResult(out, doc, Result(1200, {1, 0, 2, 0, 1}), {true, 0}), 0);
  std::string text = out.str();
  EXPECT_TRUE(Has(text, "第1200回 A組: 3 singles, official result, 5 of 5 matches revealed"));
  EXPECT_TRUE(Has(text, "    1  1 0 2 0 1  1等\n"));
  EXPECT_TRUE(Has(text, "    2  1 0 2 1 2  3等\n"));
  EXPECT_TRUE(Has(text, "1等        2   67%\n"));
  EXPECT_TRUE(Has(text, "3等        1   33%\n"));
  // The prize table: two winning singles of 1,234,560.
  EXPECT_TRUE(Has(text, "2,469,120 \n")) << text;
  EXPECT_TRUE(Has(text, "合計"));
  EXPECT_TRUE(Has(text, "3,703,680 "));
}

TEST_F(CliResultsTest, CheckWithPartOfTheResultHasNoPrizeTable) {
  std::ostringstream out;
  DocumentRecord doc = Doc(1200, {S(1, 0, 2, 0, 1), S(2, 0, 2, 0, 1)});
  ASSERT_EQ(CheckDocumentResult(out, doc, Result(1200, {1, 3, 2, 0, 1}), {false, 2}), 0);
  std::string text = out.str();
  EXPECT_TRUE(Has(text, "2 of 5 matches revealed"));
  EXPECT_TRUE(Has(text, "match 1 ◎  .  .\n"));
  EXPECT_TRUE(Has(text, "match 2 － － －\n")) << text;
  EXPECT_TRUE(Has(text, "    2  2 0 2 0 1  2等\n"));
  EXPECT_FALSE(Has(text, "合計"));
}

TEST_F(CliResultsTest, PrintThroughTheLayout) {
  std::ostringstream out, err;
  testing::RecordingPrinter printer;
  std::vector<int> singles(25, S(1, 0, 2, 0, 1));
  DocumentRecord doc = Doc(123, singles);
  ScheduleRecord schedule;
  schedule.matches[0].home = "浦和";
  schedule.matches[0].away = "鹿島";
  PrinterSettings settings;
  settings.PrinterFileText = true;
  settings.PrinterOpenText = true;
  PrintRequest request;
  request.file_name = "a.tpd";
  request.all_pages = false;
  request.start_page = 2;
  request.end_page = 2;
  ASSERT_EQ(PrintDocumentSheets(out, err, doc, &schedule, settings, request, printer), 0);
  EXPECT_EQ(out.str(), "1 of 3 sheets printed\n");
  EXPECT_EQ(printer.rects.size(), 50u);
  ASSERT_EQ(printer.texts.size(), 2u);
  EXPECT_EQ(printer.texts[0].text, "a.tpd");
  EXPECT_EQ(printer.texts[1].text, "浦和   鹿島");

  request.start_page = 4;
  request.end_page = 5;
  EXPECT_EQ(PrintDocumentSheets(out, err, doc, nullptr, settings, request, printer), 1);
  EXPECT_TRUE(Has(err.str(), "no sheet in pages 4-5 (of 3)"));
  EXPECT_EQ(PrintDocumentSheets(out, err, Doc(1, {}), nullptr, settings, PrintRequest(), printer),
            1);
}

TEST(PageRangeTest, Forms) {
  int a = 0, b = 0;
  EXPECT_TRUE(ParsePageRange("2-5", a, b));
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 5);
  EXPECT_TRUE(ParsePageRange("3", a, b));
  EXPECT_EQ(b, 3);
  EXPECT_FALSE(ParsePageRange("5-2", a, b));
  EXPECT_FALSE(ParsePageRange("0-2", a, b));
  EXPECT_FALSE(ParsePageRange("x", a, b));
  EXPECT_FALSE(ParsePageRange("1-2-3", a, b));
}

class CliResultsRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.MakeMinimalSysData();
    std::string csv;
    for (int i = 0; i < 12; ++i) csv += i % 2 ? "2,2,2,2,2\r\n" : "1,0,2,0,1\r\n";
    dir.WriteBytes("singles.csv", csv);
    csv_ = JoinPath(dir.path(), "singles.csv");
  }
  int Run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    return RunCli(args, in, out, err);
  }
  testing::TempProgramDir dir;
  std::string csv_;
  std::istringstream in;
  std::ostringstream out, err;
};

TEST_F(CliResultsRunTest, ListTheSheetLayout) {
  ASSERT_EQ(Run({"print", "--singles", csv_, "--round", "123", "--group", "A", "--list"}), 0)
      << err.str();
  std::string text = out.str();
  EXPECT_EQ(text.substr(0, text.find("mark 62.00 14.75")), "page 1 portrait\nmark 58.50 9.75\n");
  EXPECT_TRUE(Has(text, "page 2 portrait\n"));
  EXPECT_TRUE(Has(text, "2 of 2 sheets printed\n"));
}

TEST_F(CliResultsRunTest, BadInputIsRefused) {
  dir.WriteBytes("bad.csv", "1,0,2,0,1\r\n1,0,3,0,1\r\n");
  // A file that cannot be read is no wrong use of the command (1, not 64).
  EXPECT_EQ(Run({"print", "--singles", JoinPath(dir.path(), "bad.csv"), "--list"}), 1);
  EXPECT_TRUE(Has(err.str(), "bad.csv: 2行目")) << err.str();
  EXPECT_EQ(Run({"print", "--singles", csv_, "--list", "--pages", "x"}), 64);
  EXPECT_EQ(Run({"print", "--singles", csv_, "--list", "--pdf", "a.pdf"}), 64);
  EXPECT_EQ(Run({"check", "--singles", csv_, "--all", "--next", "2"}), 64);
  EXPECT_EQ(Run({"check", "--singles", csv_, "--group", "C"}), 64);
  EXPECT_EQ(Run({"check", "--singles", JoinPath(dir.path(), "missing.csv")}), 1);
  dir.WriteBytes("cut.tpd", ";Pendralcove Data File (.tpd)\r\n");
  EXPECT_EQ(Run({"check", JoinPath(dir.path(), "cut.tpd")}), 1);
  EXPECT_EQ(Run({"print", JoinPath(dir.path(), "cut.tpd"), "--list"}), 1);
}

TEST_F(CliResultsRunTest, CheckWithoutResultUsesTheProvisionalMarks) {
  dir.WriteBytes("SysData/Temp/Zelvomini_Result_300_A.dat",
                 "0,2,0\r\n0,0,0\r\n0,0,0\r\n0,0,0\r\n0,0,0\r\n");
  ASSERT_EQ(Run({"check", "--singles", csv_, "--round", "300", "--group", "A"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "no official result (provisional marks)"));
  EXPECT_TRUE(Has(out.str(), "1等        6   50%\n")) << out.str();
  EXPECT_TRUE(Has(out.str(), "2等        6   50%\n"));
}

TEST_F(CliResultsRunTest, CheckAgainstTheCachedResult) {
  clsXmlResult xml;
  ResultRecord r = Result(1300, {1, 0, 2, 0, 1});
  r.Kumi = std::string(1, 'B');
  for (auto& m : r.matches) {
    m.stadium = "国立";
    m.home = "浦和";
    m.away = "鹿島";
  }
  r.sale_start = r.sale_end = r.result_announcement = r.payout_start = r.payout_deadline =
      DateTime::Date(2026, 5, 1);
  xml.SetRecord(r);
  ASSERT_TRUE(xml.XmlSave());
  ASSERT_EQ(Run({"check", "--singles", csv_, "--round", "1300", "--group", "B", "--all"}), 0)
      << err.str();
  EXPECT_TRUE(Has(out.str(), "official result, 5 of 5 matches revealed"));
  // Six of the twelve singles win 1,234,560 each.
  EXPECT_TRUE(Has(out.str(), "7,407,360 \n")) << out.str();
  ASSERT_EQ(Run({"check", "--singles", csv_, "--round", "1300", "--group", "A", "--all"}), 0);
  EXPECT_TRUE(Has(out.str(), "no official result"));
  // A cut cache file is no result: cut in the header, in a match, or with
  // every value there but the closing tags, it is reported and graded as
  // absent.
  const std::string file = "SysData/minitoto_Result/minitoto_result_1300_B.xml";
  const std::string whole = dir.ReadBytes(file);
  const size_t tail = whole.rfind("</", whole.rfind("</minitoto>") - 1);
  for (size_t cut : {size_t{150}, whole.size() / 2, tail}) {
    dir.WriteBytes(file, whole.substr(0, cut));
    ASSERT_EQ(Run({"check", "--singles", csv_, "--round", "1300", "--group", "B", "--all"}), 0);
    EXPECT_TRUE(Has(out.str(), "no official result (provisional marks)")) << cut;
    EXPECT_TRUE(Has(err.str(), "XMLデータが異常です。")) << cut << err.str();
  }
}

TEST_F(CliResultsRunTest, PrintAndCheckASavedDocument) {
  DocumentRecord doc = testing::SampleDocument(25);
  std::string path = JoinPath(dir.path(), "第512回.tpd");
  clsTFileTPD tpd;
  ASSERT_TRUE(tpd.SaveFile(path, true, doc, true));
  dir.WriteCp932("SysData/Printer.ini", testing::CrLf({"PrinterFileText = True"}));
  ASSERT_EQ(Run({"print", path, "--list", "--pages", "3"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "text 3.00 14.75 9pt 第512回.tpd\n")) << out.str();
  EXPECT_TRUE(Has(out.str(), "1 of 3 sheets printed\n"));
  ASSERT_EQ(Run({"check", path}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "第512回 B組: 25 singles, no official result"));
  EXPECT_NE(Run({"check", JoinPath(dir.path(), "none.tpd")}), 0);
}

// The document and the caches reached through the replaceable functions.
class CliResultsIoTest : public CliResultsRunTest {
 protected:
  void SetUp() override {
    CliResultsRunTest::SetUp();
    saved_ = ResultsIo();
    ResultsIo().load = [](const std::string& path, DocumentRecord& doc, std::ostream& err) {
      if (path != "round.tpd") {
        err << "cannot read " << path << "\n";
        return false;
      }
      doc = Doc(1200, {S(1, 0, 2, 0, 1), S(2, 2, 2, 2, 2)});
      doc.Kumi = "B";
      return true;
    };
    ResultsIo().result = [](int round, const std::string& group) {
      return round == 1200 && group == "B" ? Result(1200, {1, 0, 2, 0, 1}) : ResultRecord();
    };
    ResultsIo().schedule = [](int round, const std::string&, ScheduleRecord& schedule) {
      schedule.matches[1].home = "浦和";
      schedule.matches[1].away = "鹿島";
      return round == 1200;
    };
  }
  void TearDown() override { ResultsIo() = saved_; }
  ResultsCliIo saved_;
};

TEST_F(CliResultsIoTest, CheckAndPrintADocument) {
  ASSERT_EQ(Run({"check", "round.tpd", "--all"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "第1200回 B組: 2 singles, official result, 5 of 5 matches revealed"));
  EXPECT_TRUE(Has(out.str(), "    2  2 2 2 2 2  5等\n")) << out.str();
  EXPECT_TRUE(Has(out.str(), "1,234,560 "));
  EXPECT_EQ(Run({"check", "other.tpd"}), 1);
  EXPECT_TRUE(Has(err.str(), "cannot read other.tpd"));

  dir.WriteCp932("SysData/Printer.ini",
                 testing::CrLf({"PrinterOpenText = True", "PrinterFileText = True"}));
  ASSERT_EQ(Run({"print", "round.tpd", "--list"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "text 3.00 14.75 9pt round.tpd\n")) << out.str();
  EXPECT_TRUE(Has(out.str(), "text 37.50 14.75 6pt 浦和   鹿島\n"));
}

#ifdef ZELVO_HAVE_QT_PRINT
TEST_F(CliResultsRunTest, PrintPdfSheets) {
  std::string pdf = JoinPath(dir.path(), "out.pdf");
  ASSERT_EQ(Run({"print", "--singles", csv_, "--round", "5", "--pdf", pdf}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "(2 pages)"));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(pdf, bytes));
  static const std::regex kPage("/Type\\s*/Page(?!s)");
  EXPECT_EQ(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), kPage),
                          std::sregex_iterator()),
            2);
  // The test sheet after the question, answered by --yes.
  ASSERT_EQ(Run({"--yes", "print", "--singles", csv_, "--pdf", pdf, "--test"}), 0) << err.str();
  EXPECT_TRUE(Has(out.str(), "(1 pages)"));
  // Without CUPS printers the command says so; with some, an unknown name is refused.
  EXPECT_EQ(Run({"print", "--singles", csv_, "--printer", "No Such Printer"}), 1);
  EXPECT_TRUE(Has(err.str(), "no printer is installed") ||
              Has(err.str(), "プリンタの選択に失敗しました。"))
      << err.str();
}
#endif

}  // namespace
}  // namespace zelvo
