#include "ui/print_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "files/csv_file.h"
#include "support/data_location.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/output_target.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "frmPrint";

void InputError(const char* text) { platform().MessageBox(text, "入力エラー", MsgIcon::kWarning); }

bool ReadCount(const PrintField& field, int& value) { return ParseInt32(Trim(field.text), value); }

std::string Stem(const std::string& file_name) {
  size_t dot = file_name.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? file_name : file_name.substr(0, dot);
}

}  // namespace

frmPrint::frmPrint() : pages_({"全て(&A)", "ページ指定(&G)"}) {
  direction_.AddItem("A4(縦)");
  direction_.AddItem("A4(横)");
  kumi_.AddItem("Ａ組");
  kumi_.AddItem("Ｂ組");
  chk_open_no_.caption = "「開催回」を印刷";
  chk_open_text_.caption = "「対戦カード」を印刷";
  chk_page_text_.caption = "「ページ番号」を印刷";
  chk_file_text_.caption = "「ファイル名」を印刷";
  chk_send_data_.caption = " プリンタにまとめてデータを送る";
  pages_.on_change = [this] {
    start_.enabled = end_.enabled = pages_.Index() == 1;
    Changed();
  };
  start_.enabled = end_.enabled = false;
}

void frmPrint::ShowForm(int single_count, const std::vector<int>& singles, int kaisaikai,
                        const std::string& kumi, const std::string& file_name, const Teams& teams) {
  int n = std::clamp(single_count, 0, static_cast<int>(singles.size()));
  singles_.assign(singles.begin(), singles.begin() + n);
  kaisaikai_ = kaisaikai;
  kumi_text_ = kumi;
  file_name_ = file_name;
  teams_ = teams;
}

int frmPrint::SheetTotal() const {
  // One sheet even without singles, as the last-sheet box shows.
  return (static_cast<int>(singles_.size()) - 1) / kSinglesPerSheet + 1;
}

void frmPrint::Load(PrintDevices& devices) {
  devices_ = &devices;
  closed_ = false;
  try {
    loaded_ = ReadPrinterIni();
    printers_.Clear();
    std::vector<std::string> names = devices.PrinterNames();
    for (const std::string& n : names) printers_.AddItem(n);
    // The printer of the settings while it is installed, else the system's
    // default, else the first one.
    auto find = [&](const std::string& name) {
      auto it = std::find(names.begin(), names.end(), name);
      return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    };
    int index = loaded_.PrinterName.empty() ? -1 : find(loaded_.PrinterName);
    if (index < 0) index = find(devices.DefaultPrinterName());
    if (index < 0 && !names.empty()) index = 0;
    printers_.SetListIndex(index);
    direction_.SetListIndex(loaded_.PrinterOrientation == kPrintLandscape ? 1 : 0);
    pages_.SetIndex(0);
    start_ = {"1", false};
    end_ = {std::to_string(SheetTotal()), false};
    left_.text = FormatNumber(loaded_.PrinterLeftMargin, "##0.00");
    top_.text = FormatNumber(loaded_.PrinterTopMargin, "##0.00");
    open_no_.text = std::to_string(kaisaikai_);
    kumi_.SetListIndex(kumi_text_ == "B" ? 1 : kumi_text_ == "A" ? 0 : -1);
    chk_open_no_.SetChecked(loaded_.PrinterOpenNo);
    chk_open_text_.SetChecked(loaded_.PrinterOpenText);
    chk_page_text_.SetChecked(loaded_.PrinterPageText);
    chk_file_text_.SetChecked(loaded_.PrinterFileText);
    chk_send_data_.SetChecked(loaded_.PrinterSendDataA);
  } catch (const std::exception& e) {
    ReportException(kClassName, "Form_Load", e);
  }
  Changed();
}

bool frmPrint::NumberKeyAllowed(char32_t c) {
  return (c >= U'0' && c <= U'9') || c == U'.' || c == U'-' || c == U'\b';
}

bool frmPrint::ReadShift(const PrintField& field, double& value) const {
  std::string text = Trim(field.text);
  if (text.empty() || !IsNumeric(text)) return false;
  double v = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(v) || std::fabs(v) > kMaxShift) return false;
  value = RoundDecimal(v, 2);
  return true;
}

bool frmPrint::ReadJob(MarkSheetJob& job) const {
  // The boxes as they would be saved, except that a print needs shifts that
  // read.
  PrinterSettings s = SettingsForSaving();
  if (!ReadShift(left_, s.PrinterLeftMargin) || !ReadShift(top_, s.PrinterTopMargin)) {
    InputError(kShiftMessage);
    return false;
  }
  job = MarkSheetJob{};
  job.settings = s;
  job.all_pages = pages_.Index() == 0;
  if (!job.all_pages) {
    if (!ReadCount(start_, job.start_page) || !ReadCount(end_, job.end_page) ||
        job.start_page < 1 || job.end_page < job.start_page) {
      InputError(kPagesMessage);
      return false;
    }
  }
  int round = 0;
  if (s.PrinterOpenNo && (!ReadCount(open_no_, round) || round < 0)) {
    InputError(kRoundMessage);
    return false;
  }
  job.kaisaikai = round;
  job.kumi = kumi_.ListIndex() == 0 ? "A" : kumi_.ListIndex() == 1 ? "B" : "";
  job.singles = singles_;
  job.file_name = FileNamePart(file_name_);
  job.teams = teams_;
  return true;
}

PrinterSettings frmPrint::SettingsForSaving() const {
  PrinterSettings s = loaded_;
  // A printer that is not installed here stays in the file for the day it is.
  if (printers_.ListIndex() >= 0) s.PrinterName = printers_.List(printers_.ListIndex());
  s.PrinterOrientation = direction_.ListIndex() == 1 ? kPrintLandscape : kPrintPortrait;
  // A shift that does not read keeps the one the window opened with.
  double v = 0;
  if (ReadShift(left_, v)) s.PrinterLeftMargin = v;
  if (ReadShift(top_, v)) s.PrinterTopMargin = v;
  s.PrinterOpenNo = chk_open_no_.Checked();
  s.PrinterOpenText = chk_open_text_.Checked();
  s.PrinterPageText = chk_page_text_.Checked();
  s.PrinterFileText = chk_file_text_.Checked();
  s.PrinterSendDataA = chk_send_data_.Checked();
  return s;
}

bool frmPrint::Unload() {
  try {
    return WritePrinterIni(SettingsForSaving());
  } catch (const std::exception& e) {
    ReportException(kClassName, "Form_Unload", e);
    return false;
  }
}

bool frmPrint::PrintOnSystem(bool test) {
  MarkSheetJob job;
  if (!ReadJob(job)) return false;
  if (!HasPrinter() || !devices_) {
    ReportError(kClassName, "Printer_Initialize", kNoPrinterMessage);
    return false;
  }
  return devices_->WithSystemPrinter([&](Printer& printer) {
    MarkSheetPrinter sheets(printer);
    return test ? sheets.PrintTestSheet(job) : sheets.Print(job);
  });
}

bool frmPrint::Ok() {
  bool printed = false;
  try {
    if (singles_.empty()) {
      closed_ = true;
    } else {
      printed = PrintOnSystem(false);
      if (printed) closed_ = true;
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "cmdOK_Click", e);
  }
  Changed();
  return printed;
}

bool frmPrint::TestPrint() {
  bool printed = false;
  try {
    if (!TestEnabled()) return false;
    if (platform().MessageBox(kTestPrintQuestion, kAppTitle, MsgIcon::kQuestion,
                              MsgButtons::kYesNo) != MsgAnswer::kYes) {
      return false;
    }
    printed = PrintOnSystem(true);
  } catch (const std::exception& e) {
    ReportException(kClassName, "cmdTest_Click", e);
  }
  Changed();
  return printed;
}

bool frmPrint::CanPreview() {
  MarkSheetJob job;
  return HasSingles() && ReadJob(job);
}

bool frmPrint::PrintPreview(Printer& printer) {
  try {
    MarkSheetJob job;
    if (!HasSingles() || !ReadJob(job)) return false;
    // The preview is its own device: no printer is chosen on it.
    job.settings.PrinterName.clear();
    return MarkSheetPrinter(printer).Print(job);
  } catch (const std::exception& e) {
    ReportException(kClassName, "cmdPreview_Click", e);
    return false;
  }
}

bool frmPrint::SavePdf() {
  bool saved = false;
  try {
    if (!HasSingles() || !devices_) return false;
    MarkSheetJob job;
    if (!ReadJob(job)) return false;
    FileDialogRequest request;
    request.title = kPdfButton;
    request.filter = "PDFファイル(*.pdf)";
    request.initial_dir = DocumentsDir();
    request.initial_name = (file_name_.empty() ? clsTFileCSV::GetBaseName(kaisaikai_, kumi_text_)
                                               : Stem(FileNamePart(file_name_))) +
                           ".pdf";
    request.default_ext = "pdf";
    std::string path = platform().SaveFileDialog(request);
    if (path.empty()) return false;
    std::vector<std::string> inputs;
    if (!file_name_.empty()) inputs.push_back(file_name_);
    const OutputVerdict verdict = CheckOutputTarget(path, inputs);
    if (verdict.refusal != OutputRefusal::kNone) {
      platform().MessageBox(OutputRefusalMessage(verdict, path), kAppTitle, MsgIcon::kWarning);
      return false;
    }
    // The file is the printer: the one chosen in the list is not asked.
    job.settings.PrinterName.clear();
    saved = devices_->WithPdfFile(
        path, [&](Printer& printer) { return MarkSheetPrinter(printer).Print(job); });
    if (saved) {
      platform().MessageBox("PDF ファイルに保存しました。\r\n" + path, kAppTitle,
                            MsgIcon::kInformation);
    } else {
      platform().MessageBox("PDF ファイルに保存できませんでした。\r\n" + path, kAppTitle,
                            MsgIcon::kWarning);
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "cmdPdf_Click", e);
  }
  Changed();
  return saved;
}

}  // namespace zelvo
