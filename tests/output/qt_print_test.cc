// The Qt print backend writing PDF sheets on the offscreen platform.
#ifdef ZELVO_HAVE_QT_PRINT

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "output/mark_sheet.h"
#include "support/paths.h"
#include "support/text_file.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"
#include "ui/print/qt_printer.h"

namespace zelvo {
namespace {

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int PdfPageCount(const std::string& bytes) {
  static const std::regex kPage("/Type\\s*/Page(?![s])");
  return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), kPage),
                                        std::sregex_iterator()));
}

std::string ReadPdf(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes));
  return bytes;
}

MarkSheetJob Job(int singles) {
  MarkSheetJob job;
  for (int i = 0; i < singles; ++i) job.singles.push_back(i * 7 % 243);
  job.kaisaikai = 1234;
  job.kumi = "A";
  job.file_name = "第1234回.tpd";
  job.teams[0] = {"浦和", "Ｇ大阪"};
  job.settings.PrinterOpenNo = true;
  job.settings.PrinterOpenText = true;
  job.settings.PrinterPageText = true;
  job.settings.PrinterFileText = true;
  return job;
}

TEST(QtPrintTest, SheetsBecomeA4PagesOfOneFile) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  for (bool one_job : {true, false}) {
    std::string path = JoinPath(dir.path(), one_job ? "one.pdf" : "each.pdf");
    MarkSheetJob job = Job(25);
    job.settings.PrinterSendDataA = one_job;
    QtPdfPrinter pdf(path);
    MarkSheetPrinter print(pdf);
    ASSERT_TRUE(print.Print(job));
    ASSERT_TRUE(pdf.Finish());
    std::string bytes = ReadPdf(path);
    ASSERT_EQ(bytes.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(bytes), 3) << path;
    EXPECT_FALSE(FileExists(path + ".part"));
  }
  EXPECT_TRUE(fake.messages().empty());
}

TEST(QtPrintTest, TestPrintAndLandscapePages) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string path = JoinPath(dir.path(), "test.pdf");
  QtPdfPrinter pdf(path);
  MarkSheetPrinter print(pdf);
  MarkSheetJob job = Job(0);
  job.settings.PrinterOrientation = kPrintLandscape;
  fake.QueueAnswer(MsgAnswer::kYes);
  ASSERT_TRUE(print.TestPrint(job));
  EXPECT_EQ(pdf.Orientation(), kPrintLandscape);
  ASSERT_TRUE(pdf.Finish());
  std::string bytes = ReadPdf(path);
  EXPECT_EQ(PdfPageCount(bytes), 1);
  // A4 landscape in points: 842 x 595.
  EXPECT_TRUE(std::regex_search(bytes, std::regex("/MediaBox \\[0 0 84[12]\\.\\d* 59[45]")));
}

TEST(QtPrintTest, FailedPrintKeepsTheEarlierFile) {
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string path = JoinPath(dir.path(), "keep.pdf");
  ASSERT_TRUE(WriteFileBytes(path, "earlier"));
  {
    QtPdfPrinter pdf(path);
    MarkSheetPrinter print(pdf);
    EXPECT_FALSE(print.Print(Job(0)));  // nothing to print
    EXPECT_FALSE(pdf.Finish());
  }
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "earlier");

  // A file where the folder should be: the folder cannot be made.
  ASSERT_TRUE(WriteFileBytes(JoinPath(dir.path(), "plain"), "x"));
  QtPdfPrinter nowhere(JoinPath(dir.path(), "plain/x.pdf"));
  MarkSheetPrinter print(nowhere);
  print.Print(Job(3));
  EXPECT_FALSE(nowhere.Finish());
}

// 鹿 大 戸 田 share their glyphs with Kangxi radicals in the CJK fonts; the
// text layer must still name the ideographs, so that the names can be found
// and copied.
TEST(QtPrintTest, TeamNamesAreCopiedAsTheyWereDrawn) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext is not installed";
  }
  testing::TempProgramDir dir;
  testing::FakePlatform fake;
  std::string path = JoinPath(dir.path(), "names.pdf");
  MarkSheetJob job = Job(1);
  job.teams[0] = {"鹿島", "大阪"};
  job.teams[1] = {"神戸", "町田"};
  QtPdfPrinter pdf(path);
  MarkSheetPrinter print(pdf);
  ASSERT_TRUE(print.Print(job));
  ASSERT_TRUE(pdf.Finish());
  std::string text_path = path + ".txt";
  ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + path + "' '" + text_path + "'").c_str()), 0);
  std::string text;
  ASSERT_TRUE(ReadFileBytes(text_path, text));
  for (const char* name : {"鹿島", "大阪", "神戸", "町田", "第1234回.tpd"}) {
    EXPECT_NE(text.find(name), std::string::npos) << name << " in " << text;
  }
  // No Kangxi radical (U+2F00 to U+2FFF).
  for (const char* lead : {"\xE2\xBC", "\xE2\xBD", "\xE2\xBE", "\xE2\xBF"}) {
    EXPECT_EQ(text.find(lead), std::string::npos) << text;
  }
}

TEST(QtPrintTest, GothicFontStandsInForTheSheetFont) {
  EXPECT_TRUE(EnsureQtGuiApplication());
  std::string family = ResolveFontFamily(kMarkSheetFont);
  EXPECT_FALSE(family.empty());
  // A Japanese gothic, whichever is installed (Noto Sans CJK JP with the
  // project's packages).
  EXPECT_TRUE(family.find("CJK JP") != std::string::npos ||
              family.find("Gothic") != std::string::npos || family == kMarkSheetFont)
      << family;
}

}  // namespace
}  // namespace zelvo

#endif  // ZELVO_HAVE_QT_PRINT
