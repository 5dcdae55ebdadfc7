// frmPrint, the print window: the printer and its orientation, the sheet
// range, the shift of the marks, what else goes on a sheet, and the buttons
// that print, test-print, preview or write a PDF file.  Its settings live in
// Printer.ini, read when the window opens and written when it closes.  The
// mark-sheet layout and printing are output/mark_sheet's; the devices come
// from the view, so this controller stays free of the window system.
#ifndef ZELVOMINI_UI_PRINT_WINDOW_H_
#define ZELVOMINI_UI_PRINT_WINDOW_H_

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "files/printer_ini.h"
#include "output/mark_sheet.h"
#include "output/printer.h"
#include "support/check_box.h"
#include "support/list_model.h"
#include "ui/option_group.h"

namespace zelvo {

// Where the window's prints go: the system's printers and PDF files.  The
// desktop program gives the Qt print backend, tests a recording printer.
class PrintDevices {
 public:
  virtual ~PrintDevices() = default;
  // The installed printers; none is a normal state (no printer set up).
  virtual std::vector<std::string> PrinterNames() = 0;
  // "" when the system names no default printer.
  virtual std::string DefaultPrinterName() { return ""; }
  // Runs `print` on the system's printer; its result.
  virtual bool WithSystemPrinter(const std::function<bool(Printer&)>& print) = 0;
  // Runs `print` on a new PDF document, then writes it to `path`; false when
  // printing or writing failed (no file is left then).
  virtual bool WithPdfFile(const std::string& path, const std::function<bool(Printer&)>& print) = 0;
};

// A text box of the window; the five number boxes share one key rule.
struct PrintField {
  std::string text;
  bool enabled = true;
};

class frmPrint {
 public:
  static constexpr const char* kTitle = " 印刷";
  static constexpr const char* kRangeFrame = "印刷範囲";
  static constexpr const char* kShiftFrame = "位置調整";
  static constexpr const char* kDetailFrame = "印刷詳細設定";
  static constexpr const char* kPrinterLabel = "プリンタ(&P)：";
  static constexpr const char* kDirectionLabel = "印刷方向：";
  static constexpr const char* kStartLabel = "ページから(&F)";
  static constexpr const char* kEndLabel = "ページまで(&T)";
  static constexpr const char* kLeftLabel = "左側に";
  static constexpr const char* kTopLabel = "上側に";
  static constexpr const char* kMillimetres = "mm";
  static constexpr const char* kTestButton = "テスト印刷";
  static constexpr const char* kPreviewButton = "印刷プレビュー";
  static constexpr const char* kPdfButton = "PDF に保存";
  // A shift beyond this moves the marks off the sheet's mark area.
  static constexpr double kMaxShift = 50.0;
  static constexpr const char* kShiftMessage =
      "位置調整は -50.00 ～ 50.00 mm の範囲で入力して下さい。";
  static constexpr const char* kPagesMessage = "ページ指定が正しくありません。";
  static constexpr const char* kRoundMessage = "開催回が正しくありません。";
  static constexpr const char* kNoPrinterMessage = "プリンタの選択に失敗しました。";

  using Teams = std::array<std::array<std::string, 2>, 5>;

  frmPrint();
  frmPrint(const frmPrint&) = delete;
  frmPrint& operator=(const frmPrint&) = delete;

  // What the main window hands over: a copy of the singles, the round, the
  // group ("A"/"B"), the document's file (the sheet shows its name without
  // folder; a PDF is never saved over it) and the schedule's short team
  // names for the match card.
  void ShowForm(int single_count, const std::vector<int>& singles, int kaisaikai,
                const std::string& kumi, const std::string& file_name, const Teams& teams);
  // Opening: the printers, Printer.ini, the document's round, group and
  // sheets.
  void Load(PrintDevices& devices);
  // The window closes, whichever way: Printer.ini is written from the boxes.
  bool Unload();

  ListModel& Printers() { return printers_; }
  ListModel& Direction() { return direction_; }
  OptionGroup& Pages() { return pages_; }
  PrintField& Start() { return start_; }
  PrintField& End() { return end_; }
  PrintField& Left() { return left_; }
  PrintField& Top() { return top_; }
  PrintField& OpenNo() { return open_no_; }
  ListModel& Kumi() { return kumi_; }
  CheckBox& OpenNoCheck() { return chk_open_no_; }
  CheckBox& OpenTextCheck() { return chk_open_text_; }
  CheckBox& PageTextCheck() { return chk_page_text_; }
  CheckBox& FileTextCheck() { return chk_file_text_; }
  CheckBox& SendDataCheck() { return chk_send_data_; }

  // The number boxes take digits, ".", "-" and backspace; every other
  // character typed is dropped.
  static bool NumberKeyAllowed(char32_t c);

  int SheetTotal() const;
  bool HasPrinter() const { return printers_.ListCount() > 0; }
  bool HasSingles() const { return !singles_.empty(); }
  // OK and the test print need a printer; without one the window offers the
  // PDF file and cancel.
  bool OkEnabled() const { return HasPrinter(); }
  bool TestEnabled() const { return HasPrinter(); }

  // OK: prints the chosen sheets and closes; without singles it just closes.
  // A box that does not read, no printer or a failed print keeps the window
  // open with its message.
  bool Ok();
  // "テスト印刷": the question before anything else, then every mark
  // position as outlines.
  bool TestPrint();
  // The preview draws the sheets OK would print onto the preview's page.
  bool CanPreview();
  bool PrintPreview(Printer& printer);
  // "PDF に保存": the save dialog, then the sheets into the file.
  bool SavePdf();
  void Cancel() { closed_ = true; }
  // OK or cancel ended the window.
  bool Closed() const { return closed_; }

  // The print as the boxes stand; false (with the message) when one does
  // not read.
  bool ReadJob(MarkSheetJob& job) const;

  // Raised after every change the window must show.
  std::function<void()> on_changed;

 private:
  PrinterSettings SettingsForSaving() const;
  // OK's print or the test print on the chosen system printer.
  bool PrintOnSystem(bool test);
  bool ReadShift(const PrintField& field, double& value) const;
  void Changed() {
    if (on_changed) on_changed();
  }

  PrintDevices* devices_ = nullptr;
  std::vector<int> singles_;
  int kaisaikai_ = 0;
  std::string kumi_text_;
  std::string file_name_;
  Teams teams_;
  PrinterSettings loaded_;

  ListModel printers_, direction_, kumi_;
  OptionGroup pages_;
  PrintField start_, end_, left_, top_, open_no_;
  CheckBox chk_open_no_, chk_open_text_, chk_page_text_, chk_file_text_, chk_send_data_;
  bool closed_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_PRINT_WINDOW_H_
