// The result check and the mark-sheet print on the command line.
#include "app/cli_results.h"

#include <cstdio>
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "core/single_number.h"
#include "files/tpd_file.h"
#include "official/services.h"
#include "output/mark_sheet.h"
#include "results/result_check.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

#ifdef ZELVO_HAVE_QT_PRINT
#include "ui/print/qt_printer.h"
#endif

namespace zelvo {
namespace {

std::string Mm(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

// A printer that lists what would be printed, one line per mark or text:
// the sheet positions in millimetres, for checking the layout without paper.
class ListingPrinter : public Printer {
 public:
  explicit ListingPrinter(std::ostream& out) : out_(out) {}
  std::vector<std::string> PrinterNames() override { return {}; }
  bool SelectPrinter(const std::string&) override { return true; }
  bool SetScaleMillimetres() override { return true; }
  bool SetPaperA4() override { return true; }
  bool SetOrientation(int orientation) override {
    orientation_ = orientation;
    return true;
  }
  int Orientation() const override { return orientation_; }
  void DrawRect(double x, double y, double w, double h, bool filled) override {
    StartPage();
    out_ << (filled ? "mark " : "outline ") << Mm(x + w / 2) << " " << Mm(y + h / 2) << "\n";
  }
  double TextHeight(const std::string&, double points) override { return points * 25.4 / 72; }
  void DrawText(double x, double top, const std::string& text, const std::string&,
                double points) override {
    StartPage();
    out_ << "text " << Mm(x) << " " << Mm(top + TextHeight("", points) / 2) << " " << points
         << "pt " << text << "\n";
  }
  bool NewPage() override {
    page_started_ = false;
    return true;
  }
  bool EndJob() override {
    page_started_ = false;
    out_ << "end of job\n";
    return true;
  }
  void AbortJob() override { page_started_ = false; }

 private:
  void StartPage() {
    if (page_started_) return;
    page_started_ = true;
    out_ << "page " << ++pages_ << (orientation_ == kPrintLandscape ? " landscape" : " portrait")
         << "\n";
  }
  std::ostream& out_;
  int orientation_ = kPrintPortrait;
  int pages_ = 0;
  bool page_started_ = false;
};

// The document of a command: DOC.tpd, or --singles FILE.csv with --round and
// --group.  `file_name` receives the name printed on sheets.  0, or the exit
// status: 64 for wrong arguments, 1 for a file that cannot be read.
int LoadDocumentArgs(CliContext& ctx, CliArgs& args, DocumentRecord& doc, std::string& file_name,
                     const char* usage) {
  std::string csv, round_text, group;
  bool missing = false;
  bool has_csv = TakeOption(args, "--singles", csv, missing);
  bool has_round = TakeOption(args, "--round", round_text, missing);
  bool has_group = TakeOption(args, "--group", group, missing);
  if (missing) {
    ctx.err << usage;
    return 64;
  }
  if (has_csv) {
    if (!args.empty()) {
      ctx.err << usage;
      return 64;
    }
    if (!ReadSinglesCsv(csv, doc.SingleData, ctx.err)) return 1;
    doc.SingleCount = static_cast<int>(doc.SingleData.size());
    file_name = FileNamePart(csv);
  } else {
    if (args.size() != 1) {
      ctx.err << usage;
      return 64;
    }
    if (!ResultsIo().load || !ResultsIo().load(args[0], doc, ctx.err)) return 1;
    file_name = FileNamePart(args[0]);
  }
  if (has_round && (!ParseInt32(round_text, doc.Kaisaikai) || doc.Kaisaikai < 0)) {
    ctx.err << "zelvomini-cli: --round takes a round number\n";
    return 64;
  }
  if (has_group) {
    if (group != "A" && group != "B" && !group.empty()) {
      ctx.err << "zelvomini-cli: --group takes A or B\n";
      return 64;
    }
    doc.Kumi = group;
  }
  return 0;
}

const char* kPrintUsage =
    "usage: zelvomini-cli print DOC.tpd|--singles FILE.csv [--round N] [--group A|B]\n"
    "         (--pdf OUT.pdf | --printer NAME | --list) [--test] [--pages A-B]\n";
const char* kCheckUsage =
    "usage: zelvomini-cli check DOC.tpd|--singles FILE.csv [--round N] [--group A|B]\n"
    "         [--all | --next N]\n";

}  // namespace

ResultsCliIo& ResultsIo() {
  static ResultsCliIo io{[](const std::string& path, DocumentRecord& doc, std::ostream&) {
                           // The document file tells the user itself why one fails.
                           clsTFileTPD tpd;
                           return LoadDocumentFile(tpd, path, true, true, doc);
                         },
                         // Through the services, so that a damaged cache file is
                         // reported and graded against as no result at all.
                         [](int round, const std::string& group) {
                           clsResult service;
                           service.Initialize();
                           return service.GetResult(round, group, kSourceFile, false)
                                      ? service.Record()
                                      : ResultRecord();
                         },
                         [](int round, const std::string& group, ScheduleRecord& schedule) {
                           clsSchedule service;
                           service.Initialize();
                           if (!service.GetSchedule(round, group, kSourceFile, false)) return false;
                           schedule = service.Record();
                           return true;
                         }};
  return io;
}

bool ParsePageRange(const std::string& text, int& start, int& end) {
  std::vector<std::string> parts = Split(text, "-");
  if (parts.size() > 2) return false;
  if (!ParseInt32(Trim(parts[0]), start) || start < 1) return false;
  end = start;
  if (parts.size() == 2 && (!ParseInt32(Trim(parts[1]), end) || end < start)) return false;
  return true;
}

int PrintDocumentSheets(std::ostream& out, std::ostream& err, const DocumentRecord& doc,
                        const ScheduleRecord* schedule, const PrinterSettings& settings,
                        const PrintRequest& request, Printer& printer) {
  MarkSheetJob job;
  int count = std::min<int>(doc.SingleCount, static_cast<int>(doc.SingleData.size()));
  job.singles.assign(doc.SingleData.begin(), doc.SingleData.begin() + std::max(count, 0));
  job.kaisaikai = doc.Kaisaikai;
  job.kumi = doc.Kumi;
  job.file_name = request.file_name;
  if (schedule) {
    for (int m = 0; m < 5; ++m)
      job.teams[m] = {schedule->matches[m].home, schedule->matches[m].away};
  }
  job.settings = settings;
  job.all_pages = request.all_pages;
  job.start_page = request.start_page;
  job.end_page = request.end_page;
  MarkSheetPrinter print(printer);
  if (request.test) {
    if (!print.TestPrint(job)) return 1;
    out << "test sheet printed\n";
    return 0;
  }
  if (job.singles.empty()) {
    err << "zelvomini-cli: the document has no singles to print\n";
    return 1;
  }
  if (!print.Print(job)) {
    if (print.sheets_printed() == 0 && !job.all_pages) {
      err << "zelvomini-cli: no sheet in pages " << job.start_page << "-" << job.end_page << " (of "
          << SheetCount(count) << ")\n";
    }
    return 1;
  }
  out << print.sheets_printed() << " of " << SheetCount(count) << " sheets printed\n";
  return 0;
}

int CheckDocumentResult(std::ostream& out, const DocumentRecord& doc, const ResultRecord& result,
                        const RevealRequest& reveal) {
  clsTResult screen;
  screen.Initialize();
  screen.SetResultData(doc.Kaisaikai, doc.Kumi, result, reveal.all);
  for (int i = 0; i < reveal.next && !screen.FullResult(); ++i) screen.SetNextData();
  int count = std::min<int>(doc.SingleCount, static_cast<int>(doc.SingleData.size()));
  std::vector<int> singles(doc.SingleData.begin(), doc.SingleData.begin() + std::max(count, 0));
  screen.SetSingle(static_cast<int>(singles.size()), singles);

  out << "第" << doc.Kaisaikai << "回" << (doc.Kumi.empty() ? "" : " " + doc.Kumi + "組") << ": "
      << screen.SingleCountLabel() << " singles, ";
  if (screen.Official()) {
    out << "official result, " << screen.RevealedCount() << " of 5 matches revealed\n";
  } else {
    out << "no official result (provisional marks)\n";
  }
  out << "result   1  0  2\n";
  const Grid& marks = screen.MultiResult().grid();
  for (int m = 1; m <= 5; ++m) {
    out << "match " << m;
    for (int c = 1; c <= 3; ++c) {
      const std::string& t = marks.Text(m + 1, c);
      out << " " << PadLeftColumns(t.empty() ? "." : t, 2);
    }
    out << "\n";
  }
  out << "\n  No.  1 2 3 4 5  grade\n";
  for (int i = 0; i < screen.SingleCount(); ++i) {
    out << PadLeftColumns(std::to_string(i + 1), 5) << " ";
    for (int m = 0; m < 5; ++m) out << " " << OutcomeOf(singles[i], m);
    out << "  " << screen.Grade(i) << "等\n";
  }
  out << "\ngrade    口数  比率\n";
  const Grid& grades = screen.ResultGrade().grid();
  for (int r = 2; r <= 7; ++r) {
    out << PadCutColumns(grades.Text(r, 1), 4) << PadLeftColumns(grades.Text(r, 2), 8)
        << PadLeftColumns(grades.Text(r, 3), 6) << "\n";
  }
  if (screen.DecidedCount() == 5) {
    out << "\n";
    const Grid& prize = screen.Kakutei().grid();
    const int widths[] = {4, 16, 12, 16, 12, 16};
    for (int r = 1; r <= prize.Rows(); ++r) {
      for (int c = 1; c <= prize.Cols(); ++c) {
        out << (c == 1 ? PadCutColumns(prize.Text(r, c), widths[0])
                       : PadLeftColumns(prize.Text(r, c), widths[c - 1]));
      }
      out << "\n";
    }
  }
  return 0;
}

int CmdPrint(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  PrintRequest request;
  request.test = TakeFlag(args, "--test");
  bool list = TakeFlag(args, "--list");
  std::string pdf, printer_name, pages;
  bool missing = false;
  bool has_pdf = TakeOption(args, "--pdf", pdf, missing);
  bool has_printer = TakeOption(args, "--printer", printer_name, missing);
  bool has_pages = TakeOption(args, "--pages", pages, missing);
  if (missing || (has_pdf + has_printer + list) > 1) {
    ctx.err << kPrintUsage;
    return 64;
  }
  if (has_pages) {
    request.all_pages = false;
    if (!ParsePageRange(pages, request.start_page, request.end_page)) {
      ctx.err << "zelvomini-cli: --pages takes A-B (sheets from 1)\n";
      return 64;
    }
  }
  // What the command reads: the document, or the singles file of --singles.
  CliArgs inputs = args;
  std::string ignored;
  bool no_value = false;
  TakeOption(inputs, "--round", ignored, no_value);
  TakeOption(inputs, "--group", ignored, no_value);
  DocumentRecord doc;
  if (int rc = LoadDocumentArgs(ctx, args, doc, request.file_name, kPrintUsage)) return rc;
  if (has_pdf && !CheckOutput(ctx, pdf, inputs)) return 1;
  PrinterSettings settings = ReadPrinterIni();
  ScheduleRecord schedule_record;
  const ScheduleRecord* schedule = nullptr;
  if (ResultsIo().schedule && ResultsIo().schedule(doc.Kaisaikai, doc.Kumi, schedule_record)) {
    schedule = &schedule_record;
  }
  if (list) {
    settings.PrinterName.clear();
    ListingPrinter listing(ctx.out);
    return PrintDocumentSheets(ctx.out, ctx.err, doc, schedule, settings, request, listing);
  }
#ifdef ZELVO_HAVE_QT_PRINT
  if (has_pdf) {
    // The file is the printer: the printer chosen in the settings is not used.
    settings.PrinterName.clear();
    if (AbortedBeforeSave(ctx.err, pdf)) return AbortExitCode();
    QtPdfPrinter printer(pdf);
    int rc = PrintDocumentSheets(ctx.out, ctx.err, doc, schedule, settings, request, printer);
    if (rc != 0) return rc;
    if (!printer.Finish()) {
      ctx.err << "zelvomini-cli: cannot write " << pdf
              << (LastWriteError().empty() ? "" : ": " + LastWriteError()) << "\n";
      return 1;
    }
    ctx.out << "written " << pdf << " (" << printer.pages() << " pages)\n";
    return 0;
  }
  QtSystemPrinter printer;
  if (printer.PrinterNames().empty()) {
    ctx.err
        << "zelvomini-cli: no printer is installed; --pdf OUT.pdf writes the sheets to a file\n";
    return 1;
  }
  if (has_printer) settings.PrinterName = printer_name;
  return PrintDocumentSheets(ctx.out, ctx.err, doc, schedule, settings, request, printer);
#else
  (void)has_pdf;
  (void)has_printer;
  ctx.err << "zelvomini-cli: printing needs the Qt print backend (build with -DZELVO_WITH_QT=ON); "
             "--list shows the sheet layout\n";
  return 1;
#endif
}

int CmdCheck(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  RevealRequest reveal;
  reveal.all = TakeFlag(args, "--all");
  std::string next;
  bool missing = false;
  bool has_next = TakeOption(args, "--next", next, missing);
  if (missing || (reveal.all && has_next) ||
      (has_next && (!ParseInt32(next, reveal.next) || reveal.next < 0))) {
    ctx.err << kCheckUsage;
    return 64;
  }
  DocumentRecord doc;
  std::string file_name;
  if (int rc = LoadDocumentArgs(ctx, args, doc, file_name, kCheckUsage)) return rc;
  ResultRecord result;
  if (ResultsIo().result) result = ResultsIo().result(doc.Kaisaikai, doc.Kumi);
  return CheckDocumentResult(ctx.out, doc, result, reveal);
}

}  // namespace zelvo
