#include "output/mark_sheet.h"

#include <algorithm>

#include "core/single_number.h"
#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "frmPrint";
constexpr double kPageTextPoints = 9;
constexpr double kCardTextPoints = 6;
// Columns of each name on the match card: three full-width characters.
constexpr int kCardNameColumns = 6;

// Column of an outcome within a single's block: 1, 0, 2 and a gap.
int OutcomeColumn(int outcome) { return outcome == 1 ? 0 : outcome == 0 ? 1 : 2; }

}  // namespace

MarkSheetLayout::MarkSheetLayout(const PrinterSettings& settings)
    : dx_(-settings.PrinterLeftMargin),
      dy_(-settings.PrinterTopMargin +
          (settings.PrinterOrientation == kPrintLandscape ? kLandscapeOffset : 0.0)) {}

MarkPoint MarkSheetLayout::SingleMark(int position, int match, int outcome) const {
  return {dx_ + 58.5 + (4 * (position - 1) + OutcomeColumn(outcome)) * 3.5,
          dy_ + 9.75 + (match - 1) * 5.0};
}

std::vector<MarkPoint> MarkSheetLayout::RoundMarks(int kaisaikai) const {
  if (kaisaikai <= 0) return {};
  int tens = (kaisaikai % 100) / 10;
  int units = kaisaikai % 10;
  return {{dx_ + 30.5, dy_ + 19.75 + tens * 5.0}, {dx_ + 34.0, dy_ + 19.75 + units * 5.0}};
}

bool MarkSheetLayout::GroupMark(const std::string& kumi, MarkPoint& point) const {
  if (kumi == "A") {
    point = {dx_ + 44.5, dy_ + 34.75};
  } else if (kumi == "B") {
    point = {dx_ + 48.0, dy_ + 34.75};
  } else {
    return false;
  }
  return true;
}

int SheetCount(int singles) { return singles <= 0 ? 0 : (singles - 1) / kSinglesPerSheet + 1; }

std::string MatchCardText(const std::string& home, const std::string& away) {
  return PadCutColumns(home, kCardNameColumns) + " " +
         TrimRight(PadCutColumns(away, kCardNameColumns));
}

void MarkSheetPrinter::Mark(MarkPoint p, bool filled) {
  printer_.DrawRect(p.x - MarkSheetLayout::kMarkWidth / 2, p.y - MarkSheetLayout::kMarkHeight / 2,
                    MarkSheetLayout::kMarkWidth, MarkSheetLayout::kMarkHeight, filled);
}

void MarkSheetPrinter::Text(MarkPoint p, const std::string& text, double points, double width) {
  double height = printer_.TextHeight(kMarkSheetFont, points);
  std::string shown = text;
  if (width > 0) {
    // Whole characters only: half a glyph would read as another one.
    std::u32string chars = ToU32(text);
    while (!chars.empty() && printer_.TextWidth(shown, kMarkSheetFont, points) > width) {
      chars.pop_back();
      shown.clear();
      for (char32_t c : chars) shown += FromCodePoint(c);
    }
    if (shown.empty()) return;
  }
  printer_.DrawText(p.x, p.y - height / 2, shown, kMarkSheetFont, points);
}

bool MarkSheetPrinter::SelectPrinter(const PrinterSettings& settings) {
  // No name: the system's default printer.
  if (settings.PrinterName.empty() || printer_.SelectPrinter(settings.PrinterName)) return true;
  ReportError(kClassName, "Printer_Initialize", "プリンタの選択に失敗しました。");
  return false;
}

bool MarkSheetPrinter::PrinterInitialize(const PrinterSettings& settings) {
  const char* failed = nullptr;
  try {
    int orientation =
        settings.PrinterOrientation == kPrintLandscape ? kPrintLandscape : kPrintPortrait;
    if (!printer_.SetScaleMillimetres()) {
      failed = "スケールの設定";
    } else if (!printer_.SetPaperA4()) {
      failed = "用紙の設定";
    } else if (!printer_.SetOrientation(orientation)) {
      failed = "印刷方向の設定";
    } else if (printer_.Orientation() != orientation) {
      failed = "印刷方向の設定(2)";
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "Printer_Initialize", e);
    return false;
  }
  if (failed) {
    ReportError(kClassName, "Printer_Initialize", std::string(failed) + "に失敗しました。");
    return false;
  }
  return true;
}

bool MarkSheetPrinter::Print(const MarkSheetJob& job) {
  sheets_printed_ = 0;
  int count = static_cast<int>(job.singles.size());
  if (count == 0) return false;
  try {
    const PrinterSettings& s = job.settings;
    MarkSheetLayout layout(s);
    int sheets = SheetCount(count);
    int first = job.all_pages ? 1 : std::max(job.start_page, 1);
    int last = job.all_pages ? sheets : std::min(job.end_page, sheets);
    if (first > last) return false;
    // A bad single stops the print before anything reaches the printer.
    for (int single : job.singles) {
      if (single < 0 || single >= kSingles) throw RuntimeError(kErrSubscript);
    }
    if (!SelectPrinter(s)) return false;
    bool page_open = false;
    for (int p = first; p <= last; ++p) {
      // With one job the sheets are pages of it; the page break goes
      // between sheets, so the job never ends on an empty page.
      if (page_open && !printer_.NewPage()) throw RuntimeError(kErrFileIo);
      if (!PrinterInitialize(s)) {
        printer_.AbortJob();
        return false;
      }
      for (int a = 1; a <= kSinglesPerSheet; ++a) {
        int index = (p - 1) * kSinglesPerSheet + (a - 1);
        if (index >= count) break;
        int single = job.singles[index];
        for (int m = 1; m <= 5; ++m) Mark(layout.SingleMark(a, m, OutcomeOf(single, m - 1)), true);
      }
      if (s.PrinterPageText) {
        Text(layout.PageText(), std::to_string(p) + "/" + std::to_string(sheets), kPageTextPoints);
      }
      if (s.PrinterFileText && !job.file_name.empty()) {
        Text(layout.FileText(), job.file_name, kPageTextPoints, MarkSheetLayout::kFileTextWidth);
      }
      if (s.PrinterOpenText) {
        for (int m = 1; m <= 5; ++m) {
          const auto& t = job.teams[m - 1];
          if (t[0].empty() && t[1].empty()) continue;
          Text(layout.CardText(m), MatchCardText(t[0], t[1]), kCardTextPoints);
        }
      }
      if (s.PrinterOpenNo) {
        for (MarkPoint mp : layout.RoundMarks(job.kaisaikai)) Mark(mp, true);
        MarkPoint g;
        if (layout.GroupMark(job.kumi, g)) Mark(g, true);
      }
      if (s.PrinterSendDataA) {
        page_open = true;
      } else if (!printer_.EndJob()) {
        throw RuntimeError(kErrFileIo);
      }
      ++sheets_printed_;
    }
    if (page_open && !printer_.EndJob()) throw RuntimeError(kErrFileIo);
    return true;
  } catch (const std::exception& e) {
    printer_.AbortJob();
    ReportException(kClassName, "cmdOK_Click", e);
    return false;
  }
}

bool MarkSheetPrinter::TestPrint(const MarkSheetJob& job) {
  sheets_printed_ = 0;
  try {
    if (platform().MessageBox(kTestPrintQuestion, kAppTitle, MsgIcon::kQuestion,
                              MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "cmdTest_Click", e);
    return false;
  }
  return PrintTestSheet(job);
}

bool MarkSheetPrinter::PrintTestSheet(const MarkSheetJob& job) {
  sheets_printed_ = 0;
  try {
    const PrinterSettings& s = job.settings;
    MarkSheetLayout layout(s);
    if (!SelectPrinter(s) || !PrinterInitialize(s)) {
      printer_.AbortJob();
      return false;
    }
    Text(layout.PageText(), "9999/9999", kPageTextPoints);
    Text(layout.FileText(), "XXXXXXXXXX", kPageTextPoints);
    for (int m = 1; m <= 5; ++m) Text(layout.CardText(m), "ＸＸＸ ＸＸＸ", kCardTextPoints);
    // 11, 22, ..., 99 and 100 between them mark every digit row of both
    // columns.
    for (int n = 11; n <= 99; n += 11) {
      for (MarkPoint mp : layout.RoundMarks(n)) Mark(mp, false);
    }
    for (MarkPoint mp : layout.RoundMarks(100)) Mark(mp, false);
    if (!job.kumi.empty()) {
      MarkPoint g;
      layout.GroupMark("A", g);
      Mark(g, false);
      layout.GroupMark("B", g);
      Mark(g, false);
    }
    for (int a = 1; a <= kSinglesPerSheet; ++a) {
      for (int m = 1; m <= 5; ++m) {
        for (int o : {1, 0, 2}) Mark(layout.SingleMark(a, m, o), false);
      }
    }
    if (!printer_.EndJob()) throw RuntimeError(kErrFileIo);
    sheets_printed_ = 1;
    return true;
  } catch (const std::exception& e) {
    printer_.AbortJob();
    ReportException(kClassName, "cmdTest_Click", e);
    return false;
  }
}

}  // namespace zelvo
