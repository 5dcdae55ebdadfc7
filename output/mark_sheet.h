// Printing singles onto the lottery's A4 mark sheets: ten singles per sheet,
// with the optional round and group marks and printed texts, and the test
// print that shows every mark position.
#ifndef ZELVOMINI_OUTPUT_MARK_SHEET_H_
#define ZELVOMINI_OUTPUT_MARK_SHEET_H_

#include <array>
#include <string>
#include <vector>

#include "files/printer_ini.h"
#include "output/printer.h"

namespace zelvo {

inline constexpr const char* kMarkSheetFont = "ＭＳ ゴシック";
inline constexpr const char* kTestPrintQuestion = "テスト印刷しますがよろしいですか？";
inline constexpr int kSinglesPerSheet = 10;

// One print as the print window hands it over.
struct MarkSheetJob {
  std::vector<int> singles;
  int kaisaikai = 0;  // the round marked on the sheet (0: none)
  std::string kumi;   // "A", "B" or "" (no group mark)
  std::string file_name;
  // The short team names of the match card, home and away per match; an
  // empty pair prints nothing for that match.
  std::array<std::array<std::string, 2>, 5> teams;
  PrinterSettings settings;
  bool all_pages = true;
  int start_page = 1;  // 1-based, used when !all_pages
  int end_page = 1;
};

struct MarkPoint {
  double x = 0;
  double y = 0;
};

// The sheet's geometry, in millimetres, shifted by the settings.
class MarkSheetLayout {
 public:
  explicit MarkSheetLayout(const PrinterSettings& settings);

  // Position a 1-10, match m 1-5, outcome code 0-2.
  MarkPoint SingleMark(int position, int match, int outcome) const;
  // The tens and units marks of a round (none for a round of 0 or less).
  std::vector<MarkPoint> RoundMarks(int kaisaikai) const;
  // Group "A" or "B"; false for anything else.
  bool GroupMark(const std::string& kumi, MarkPoint& point) const;
  MarkPoint PageText() const { return {dx_ + 3.0, dy_ + 9.75}; }
  MarkPoint FileText() const { return {dx_ + 3.0, dy_ + 14.75}; }
  MarkPoint CardText(int match) const { return {dx_ + 37.5, dy_ + 9.75 + (match - 1) * 5.0}; }

  // The file name's box ends a millimetre before the match card's column,
  // whose second match shares the file name's line.
  static constexpr double kFileTextWidth = 37.5 - 3.0 - 1.0;
  static constexpr double kMarkWidth = 1.0;
  static constexpr double kMarkHeight = 3.5;
  static constexpr double kLandscapeOffset = 127.5;

 private:
  double dx_;
  double dy_;
};

// Sheets needed for a number of singles (0 for none).
int SheetCount(int singles);
// The match card text of one match: the two short names, each cut to three
// full-width characters, the home name padded so that the away names align.
std::string MatchCardText(const std::string& home, const std::string& away);

// The print window's printing.  Failures are reported through the common
// error report under the window's name; the result says whether every
// chosen sheet went to the printer.
class MarkSheetPrinter {
 public:
  explicit MarkSheetPrinter(Printer& printer) : printer_(printer) {}

  // Prints the sheets of the range (OK button); false when nothing printed
  // or a step failed.
  bool Print(const MarkSheetJob& job);
  // Asks first, then prints every mark position as outlines.
  bool TestPrint(const MarkSheetJob& job);
  // The test sheet without the question (the print window has asked).
  bool PrintTestSheet(const MarkSheetJob& job);
  // Sets up the printer for one sheet ("Printer_Initialize").
  bool PrinterInitialize(const PrinterSettings& settings);

  int sheets_printed() const { return sheets_printed_; }

 private:
  void Mark(MarkPoint p, bool filled);
  // A text; with a width above 0 cut to the characters that fit in it.
  void Text(MarkPoint p, const std::string& text, double points, double width = 0);
  bool SelectPrinter(const PrinterSettings& settings);

  Printer& printer_;
  int sheets_printed_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OUTPUT_MARK_SHEET_H_
