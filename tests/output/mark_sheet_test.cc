#include "output/mark_sheet.h"

#include <gtest/gtest.h>

#include <set>

#include "support/text.h"
#include "tests/common/fake_platform.h"
#include "tests/common/recording_printer.h"

namespace zelvo {
namespace {

using testing::RecordedRect;

// Single number of the outcome digits of matches 1 to 5.
int S(int d1, int d2, int d3, int d4, int d5) { return d1 + 3 * d2 + 9 * d3 + 27 * d4 + 81 * d5; }

MarkSheetJob Job(std::vector<int> singles) {
  MarkSheetJob job;
  job.singles = std::move(singles);
  return job;
}

std::vector<int> Range(int n) {
  std::vector<int> v(n);
  for (int i = 0; i < n; ++i) v[i] = i % 243;
  return v;
}

class MarkSheetTest : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  testing::RecordingPrinter printer;
  MarkSheetPrinter print{printer};
};

TEST_F(MarkSheetTest, SingleMarksSitInTheirColumnsAndRows) {
  ASSERT_TRUE(print.Print(Job({S(1, 0, 2, 0, 1)})));
  ASSERT_EQ(printer.rects.size(), 5u);
  const double xs[] = {58.5, 62.0, 65.5, 62.0, 58.5};
  for (int m = 0; m < 5; ++m) {
    const RecordedRect& r = printer.rects[m];
    EXPECT_DOUBLE_EQ(r.cx(), xs[m]);
    EXPECT_DOUBLE_EQ(r.cy(), 9.75 + 5 * m);
    EXPECT_DOUBLE_EQ(r.width, 1.0);
    EXPECT_DOUBLE_EQ(r.height, 3.5);
    EXPECT_TRUE(r.filled);
  }
  EXPECT_TRUE(printer.texts.empty());
  EXPECT_EQ(printer.calls, (std::vector<std::string>{"SetScaleMillimetres", "SetPaperA4",
                                                     "SetOrientation 1", "EndJob"}));
}

TEST_F(MarkSheetTest, PositionsMoveByFourColumns) {
  std::vector<int> singles(10, S(2, 2, 2, 2, 2));
  ASSERT_TRUE(print.Print(Job(singles)));
  ASSERT_EQ(printer.rects.size(), 50u);
  EXPECT_DOUBLE_EQ(printer.rects[5].cx(), 58.5 + 6 * 3.5);          // position 2
  EXPECT_DOUBLE_EQ(printer.rects[45].cx(), 58.5 + (36 + 2) * 3.5);  // position 10
}

TEST_F(MarkSheetTest, RoundAndGroupMarks) {
  MarkSheetJob job = Job({0});
  job.kaisaikai = 123;
  job.kumi = "B";
  job.settings.PrinterOpenNo = true;
  ASSERT_TRUE(print.Print(job));
  ASSERT_EQ(printer.rects.size(), 8u);
  EXPECT_DOUBLE_EQ(printer.rects[5].cx(), 30.5);
  EXPECT_DOUBLE_EQ(printer.rects[5].cy(), 29.75);
  EXPECT_DOUBLE_EQ(printer.rects[6].cx(), 34.0);
  EXPECT_DOUBLE_EQ(printer.rects[6].cy(), 34.75);
  EXPECT_DOUBLE_EQ(printer.rects[7].cx(), 48.0);
  EXPECT_DOUBLE_EQ(printer.rects[7].cy(), 34.75);

  MarkSheetLayout layout{PrinterSettings()};
  MarkPoint a;
  ASSERT_TRUE(layout.GroupMark("A", a));
  EXPECT_DOUBLE_EQ(a.x, 44.5);
  EXPECT_FALSE(layout.GroupMark("", a));
  EXPECT_TRUE(layout.RoundMarks(0).empty());
  EXPECT_TRUE(layout.RoundMarks(-5).empty());
  // Round 1205: the hundreds are not on the sheet.
  auto marks = layout.RoundMarks(1205);
  EXPECT_DOUBLE_EQ(marks[0].y, 19.75);
  EXPECT_DOUBLE_EQ(marks[1].y, 19.75 + 25);
}

TEST_F(MarkSheetTest, RoundMarksOnlyWhenChosen) {
  MarkSheetJob job = Job({0});
  job.kaisaikai = 123;
  job.kumi = "A";
  ASSERT_TRUE(print.Print(job));
  EXPECT_EQ(printer.rects.size(), 5u);
}

TEST_F(MarkSheetTest, ShiftsAndLandscape) {
  MarkSheetJob job = Job({S(1, 1, 1, 1, 1)});
  job.settings.PrinterLeftMargin = 2.0;
  job.settings.PrinterTopMargin = -1.5;  // a negative shift moves the other way
  ASSERT_TRUE(print.Print(job));
  EXPECT_DOUBLE_EQ(printer.rects[0].cx(), 56.5);
  EXPECT_DOUBLE_EQ(printer.rects[0].cy(), 11.25);

  testing::RecordingPrinter landscape;
  MarkSheetPrinter print2(landscape);
  job.settings = PrinterSettings();
  job.settings.PrinterOrientation = kPrintLandscape;
  job.settings.PrinterPageText = true;
  ASSERT_TRUE(print2.Print(job));
  EXPECT_DOUBLE_EQ(landscape.rects[0].cx(), 58.5);
  EXPECT_DOUBLE_EQ(landscape.rects[0].cy(), 9.75 + 127.5);
  EXPECT_DOUBLE_EQ(landscape.rects[4].cy(), 29.75 + 127.5);
  double h = landscape.TextHeight(kMarkSheetFont, 9);
  EXPECT_DOUBLE_EQ(landscape.texts[0].top + h / 2, 9.75 + 127.5);
  EXPECT_EQ(landscape.calls[2], "SetOrientation 2");
}

TEST_F(MarkSheetTest, TwentyFiveSinglesInOneJob) {
  MarkSheetJob job = Job(Range(25));
  job.settings.PrinterSendDataA = true;
  job.settings.PrinterPageText = true;
  ASSERT_TRUE(print.Print(job));
  EXPECT_EQ(print.sheets_printed(), 3);
  EXPECT_EQ(printer.jobs_ended, 1);
  EXPECT_EQ(printer.job_pages, (std::vector<int>{3}));
  int on_third = 0;
  for (const RecordedRect& r : printer.rects) on_third += r.page == 3;
  EXPECT_EQ(on_third, 25);  // five blocks of five marks
  ASSERT_EQ(printer.texts.size(), 3u);
  EXPECT_EQ(printer.texts[0].text, "1/3");
  EXPECT_EQ(printer.texts[2].text, "3/3");
  EXPECT_EQ(printer.texts[2].page, 3);
  EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "SetScaleMillimetres"), 3);
}

TEST_F(MarkSheetTest, OneJobPerSheet) {
  ASSERT_TRUE(print.Print(Job(Range(25))));
  EXPECT_EQ(printer.jobs_ended, 3);
  EXPECT_EQ(printer.job_pages, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "NewPage"), 0);
}

TEST_F(MarkSheetTest, PageRanges) {
  MarkSheetJob job = Job(Range(25));
  job.all_pages = false;
  job.start_page = 3;
  job.end_page = 7;  // beyond the last sheet: nothing for 4 to 7
  job.settings.PrinterSendDataA = true;
  ASSERT_TRUE(print.Print(job));
  EXPECT_EQ(print.sheets_printed(), 1);
  EXPECT_EQ(printer.rects.size(), 25u);
  EXPECT_EQ(printer.job_pages, (std::vector<int>{1}));
  EXPECT_DOUBLE_EQ(printer.rects[0].cx(), 58.5 + 2 * 3.5);  // single 20: outcome 2 in match 1

  testing::RecordingPrinter none;
  MarkSheetPrinter print2(none);
  job.start_page = 4;
  EXPECT_FALSE(print2.Print(job));
  EXPECT_TRUE(none.calls.empty());

  testing::RecordingPrinter second;
  MarkSheetPrinter print3(second);
  job.start_page = 2;
  job.end_page = 2;
  ASSERT_TRUE(print3.Print(job));
  EXPECT_EQ(second.rects.size(), 50u);
  EXPECT_TRUE(fake.messages().empty());
}

TEST_F(MarkSheetTest, NothingToPrint) {
  EXPECT_FALSE(print.Print(Job({})));
  EXPECT_TRUE(printer.calls.empty());
}

TEST_F(MarkSheetTest, PrintedTexts) {
  MarkSheetJob job = Job(Range(12));
  job.file_name = "第1200回.tpd";
  job.teams[0] = {"浦和", "Ｇ大阪"};
  job.teams[1] = {"川崎Ｆ", "横浜ＦＭ"};
  job.teams[2] = {"FC東京", "鹿島"};
  job.settings.PrinterPageText = true;
  job.settings.PrinterFileText = true;
  job.settings.PrinterOpenText = true;
  job.settings.PrinterSendDataA = true;
  ASSERT_TRUE(print.Print(job));
  std::vector<testing::RecordedText> first;
  for (const auto& t : printer.texts) {
    if (t.page == 1) first.push_back(t);
  }
  ASSERT_EQ(first.size(), 5u);  // page, file name, three matches of the card
  double h9 = printer.TextHeight(kMarkSheetFont, 9);
  double h6 = printer.TextHeight(kMarkSheetFont, 6);
  EXPECT_EQ(first[0].text, "1/2");
  EXPECT_DOUBLE_EQ(first[0].x, 3.0);
  EXPECT_DOUBLE_EQ(first[0].top, 9.75 - h9 / 2);
  EXPECT_DOUBLE_EQ(first[0].points, 9);
  EXPECT_EQ(first[0].font, "ＭＳ ゴシック");
  EXPECT_EQ(first[1].text, "第1200回.tpd");
  EXPECT_DOUBLE_EQ(first[1].top, 14.75 - h9 / 2);
  EXPECT_EQ(first[2].text, "浦和   Ｇ大阪");
  EXPECT_DOUBLE_EQ(first[2].x, 37.5);
  EXPECT_DOUBLE_EQ(first[2].top, 9.75 - h6 / 2);
  EXPECT_DOUBLE_EQ(first[2].points, 6);
  EXPECT_EQ(first[3].text, "川崎Ｆ 横浜Ｆ");  // cut to three full-width characters
  EXPECT_DOUBLE_EQ(first[3].top, 14.75 - h6 / 2);
  EXPECT_EQ(first[4].text, "FC東京 鹿島");
}

TEST_F(MarkSheetTest, ALongFileNameStopsBeforeTheMatchCard) {
  MarkSheetJob job = Job(Range(3));
  job.file_name = "第1200回_保証２等_本命党の最終版_その２.tpd";
  job.settings.PrinterFileText = true;
  ASSERT_TRUE(print.Print(job));
  ASSERT_EQ(printer.texts.size(), 1u);
  const std::string& shown = printer.texts[0].text;
  EXPECT_TRUE(job.file_name.starts_with(shown)) << shown;
  EXPECT_GT(shown.size(), 10u);
  EXPECT_LE(3.0 + printer.TextWidth(shown, kMarkSheetFont, 9), 37.5 - 0.5);
  // One more character would not have fitted.
  std::string longer = LeftChars(job.file_name, CharCount(shown) + 1);
  EXPECT_GT(printer.TextWidth(longer, kMarkSheetFont, 9), MarkSheetLayout::kFileTextWidth);
}

TEST_F(MarkSheetTest, TestPrintShowsEveryPosition) {
  MarkSheetJob job = Job({});
  job.kumi = "A";
  fake.QueueAnswer(MsgAnswer::kNo);
  EXPECT_FALSE(print.TestPrint(job));
  EXPECT_TRUE(printer.calls.empty());
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "テスト印刷しますがよろしいですか？");
  EXPECT_EQ(fake.messages()[0].buttons, MsgButtons::kYesNo);

  fake.QueueAnswer(MsgAnswer::kYes);
  ASSERT_TRUE(print.TestPrint(job));
  EXPECT_EQ(printer.jobs_ended, 1);
  EXPECT_EQ(printer.rects.size(), 150u + 20u + 2u);
  for (const RecordedRect& r : printer.rects) EXPECT_FALSE(r.filled);
  // Every digit row of both round columns.
  std::set<std::pair<double, double>> round_marks;
  for (const RecordedRect& r : printer.rects) {
    if (r.cx() < 40) round_marks.insert({r.cx(), r.cy()});
  }
  EXPECT_EQ(round_marks.size(), 20u);
  std::vector<std::string> texts;
  for (const auto& t : printer.texts) texts.push_back(t.text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"9999/9999", "XXXXXXXXXX", "ＸＸＸ ＸＸＸ", "ＸＸＸ ＸＸＸ",
                                      "ＸＸＸ ＸＸＸ", "ＸＸＸ ＸＸＸ", "ＸＸＸ ＸＸＸ"}));

  testing::RecordingPrinter no_group;
  MarkSheetPrinter print2(no_group);
  job.kumi.clear();
  fake.QueueAnswer(MsgAnswer::kYes);
  ASSERT_TRUE(print2.TestPrint(job));
  EXPECT_EQ(no_group.rects.size(), 170u);
}

TEST_F(MarkSheetTest, PreparationFailuresAreReportedAndStopThePrint) {
  struct Case {
    bool testing::RecordingPrinter::*flag;
    const char* message;
  };
  for (Case c :
       {Case{&testing::RecordingPrinter::fail_scale, "スケールの設定に失敗しました。"},
        Case{&testing::RecordingPrinter::fail_paper, "用紙の設定に失敗しました。"},
        Case{&testing::RecordingPrinter::fail_orientation, "印刷方向の設定に失敗しました。"},
        Case{&testing::RecordingPrinter::ignore_orientation,
             "印刷方向の設定(2)に失敗しました。"}}) {
    testing::FakePlatform local;
    testing::RecordingPrinter failing;
    failing.*(c.flag) = true;
    MarkSheetPrinter p(failing);
    MarkSheetJob job = Job({1, 2});
    job.settings.PrinterOrientation = kPrintLandscape;
    EXPECT_FALSE(p.Print(job));
    ASSERT_EQ(local.messages().size(), 1u) << c.message;
    EXPECT_EQ(local.messages()[0].text, c.message);
    EXPECT_EQ(local.messages()[0].title, "Zelvo mini / frmPrint / Printer_Initialize");
    EXPECT_TRUE(failing.rects.empty());
    EXPECT_EQ(failing.jobs_ended, 0);
  }
}

TEST_F(MarkSheetTest, NamedPrinter) {
  MarkSheetJob job = Job({1});
  job.settings.PrinterName = "PDF";
  ASSERT_TRUE(print.Print(job));
  EXPECT_EQ(printer.selected, "PDF");
  job.settings.PrinterName = "Gone";
  EXPECT_FALSE(print.Print(job));
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].text, "プリンタの選択に失敗しました。");
}

TEST_F(MarkSheetTest, BadSingleStopsThePrintBeforeAnythingIsDrawn) {
  EXPECT_FALSE(print.Print(Job({1, 2, 300})));
  EXPECT_TRUE(printer.rects.empty());
  EXPECT_EQ(printer.jobs_ended, 0);
  ASSERT_EQ(fake.messages().size(), 1u);
  EXPECT_EQ(fake.messages()[0].title, "Zelvomini / frmPrint / cmdOK_Click");
}

TEST(SheetCountTest, TenPerSheet) {
  EXPECT_EQ(SheetCount(0), 0);
  EXPECT_EQ(SheetCount(1), 1);
  EXPECT_EQ(SheetCount(10), 1);
  EXPECT_EQ(SheetCount(11), 2);
  EXPECT_EQ(SheetCount(25), 3);
}

}  // namespace
}  // namespace zelvo
