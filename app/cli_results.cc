// The result check and the mark-sheet print on the command line.
#include "app/cli_results.h"

#include <cstdio>
#include <memory>
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/cli_json.h"
#include "core/single_number.h"
#include "files/tpd_file.h"
#include "official/services.h"
#include "output/mark_sheet.h"
#include "results/result_check.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/shared_library.h"
#include "support/text.h"
#include "support/text_file.h"
#include "ui/print/print_module.h"

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
  double TextWidth(const std::string& text, const std::string&, double points) override {
    return EstimatedTextWidth(text, points);
  }
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

// The print module, loaded once: from the program's own folder (a build, an
// unpacked folder), else from the installed module folder.  Null, with the
// reason in `why`, when there is none.
const PrintModuleApi* LoadPrintModule(std::string& why) {
#ifdef ZELVO_HAVE_QT_PRINT
  static const PrintModuleApi* api = nullptr;
  static std::string error;
  static bool tried = false;
  if (!tried) {
    tried = true;
    const std::string dir = ExecutableDir();
    std::string path = JoinPath(dir, "zelvomini-print.so");
    if (!FileExists(path))
      path = JoinPath(JoinPath(dir, ZELVO_MODULES_FROM_BIN), "zelvomini-print.so");
    static SharedLibrary module(path);
    const PrintModuleApi* (*entry)() = nullptr;
    if (!FileExists(path)) {
      error = "the print module zelvomini-print.so is not installed";
    } else if (module.Get("zelvo_print_module", entry) && entry()->version == kPrintModuleVersion) {
      api = entry();
    } else {
      error = "the print module " + path + " cannot be used: " +
              (module.error().empty() ? "it is of another build" : module.error());
    }
  }
  why = error;
  return api;
#else
  why = "printing needs the Qt print backend (build with -DZELVO_WITH_QT=ON)";
  return nullptr;
#endif
}

// The document of a command: DOC.tpd, or --singles FILE.csv with --round and
// --group.  `file_name` receives the name printed on sheets.  0, or the exit
// status: 64 for wrong arguments, 1 for a file that cannot be read.
int LoadDocumentArgs(CliContext& ctx, const CliArgs& args, DocumentRecord& doc,
                     std::string& file_name) {
  if (args.Has("--singles") == args.Has("DOC.tpd")) {
    return UsageError(ctx, args, "give either DOC.tpd or --singles FILE.csv");
  }
  if (args.Has("--singles")) {
    const std::string csv = args.Get("--singles");
    if (!ReadSinglesCsv(csv, doc.SingleData, ctx.err)) return 1;
    doc.SingleCount = static_cast<int>(doc.SingleData.size());
    file_name = FileNamePart(csv);
  } else {
    const std::string path = args.Get("DOC.tpd");
    if (!ResultsIo().load || !ResultsIo().load(path, doc, ctx.err)) return 1;
    file_name = FileNamePart(path);
  }
  if (args.Has("--round")) doc.Kaisaikai = static_cast<int>(args.Int("--round"));
  if (args.Has("--group")) doc.Kumi = args.Get("--group");
  return 0;
}

// A number of the screen's grids ("1,234 ", "") as JSON: null when empty.
Json CellNumber(const std::string& text) {
  std::string digits;
  for (char c : text) {
    if (c != ',' && c != ' ') digits += c;
  }
  long long n = 0;
  if (digits.empty() || !ParseInt64(digits, n))
    return digits.empty() ? Json(nullptr) : Json(digits);
  return n;
}

// The document's options shared by print and check.
std::vector<CliOption> DocumentOptions() {
  return {{"--singles",
           "FILE.csv",
           {CliKind::kCsv},
           "the singles of a CSV file instead of a document",
           {},
           {"DOC.tpd"}},
          {"--round", "N", {CliKind::kInt, {}, 0}, "the round, over the document's"},
          {"--group", "A|B", {CliKind::kGroup}, "the group, over the document's"}};
}

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
                        const RevealRequest& reveal, bool json) {
  clsTResult screen;
  screen.Initialize();
  screen.SetResultData(doc.Kaisaikai, doc.Kumi, result, reveal.all);
  for (int i = 0; i < reveal.next && !screen.FullResult(); ++i) screen.SetNextData();
  int count = std::min<int>(doc.SingleCount, static_cast<int>(doc.SingleData.size()));
  std::vector<int> singles(doc.SingleData.begin(), doc.SingleData.begin() + std::max(count, 0));
  screen.SetSingle(static_cast<int>(singles.size()), singles);

  if (json) {
    Json j{{"round", doc.Kaisaikai},
           {"group", doc.Kumi},
           {"singles", screen.SingleCount()},
           {"official", screen.Official()},
           {"revealed", screen.Official() ? Json(screen.RevealedCount()) : Json(nullptr)}};
    const Grid& marks = screen.MultiResult().grid();
    Json& matches = j["matches"] = Json::array();
    for (int m = 1; m <= 5; ++m) {
      Json row{{"match", m}};
      for (int c = 1; c <= 3; ++c) row[std::string(1, "102"[c - 1])] = marks.Text(m + 1, c);
      matches.push_back(row);
    }
    Json& grades = j["grades"] = Json::array();
    for (int i = 0; i < screen.SingleCount(); ++i) {
      grades.push_back(
          {{"no", i + 1}, {"single", OutcomeDigits(singles[i])}, {"grade", screen.Grade(i)}});
    }
    Json& counts = j["counts"] = Json::object();
    for (int g = 0; g < 6; ++g) counts[std::to_string(g + 1)] = screen.GradeCounts()[g];
    j["prize_table"] = nullptr;
    if (screen.DecidedCount() == 5) {
      const Grid& prize = screen.Kakutei().grid();
      Json& rows = j["prize_table"] = Json::array();
      for (int r = 2; r <= prize.Rows(); ++r) {
        if (prize.Text(r, 1).empty()) continue;
        rows.push_back({{"grade", prize.Text(r, 1)},
                        {"prize", CellNumber(prize.Text(r, 2))},
                        {"winners", CellNumber(prize.Text(r, 3))},
                        {"carryover", CellNumber(prize.Text(r, 4))},
                        {"bought", CellNumber(prize.Text(r, 5))},
                        {"won", CellNumber(prize.Text(r, 6))}});
      }
    }
    PrintJson(out, j);
    return 0;
  }
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

namespace {

int CmdPrint(CliContext& ctx, const CliArgs& args) {
  PrintRequest request;
  request.test = args.Has("--test");
  const bool list = args.Has("--list");
  const std::string pdf = args.Get("--pdf");
  const bool has_pdf = args.Has("--pdf");
  const bool has_printer = args.Has("--printer");
  const std::string printer_name = args.Get("--printer");
  if (has_pdf + has_printer + list > 1) {
    return UsageError(ctx, args, "give one of --pdf, --printer and --list");
  }
  if (args.Has("--pages")) {
    request.all_pages = false;
    args.Range("--pages", request.start_page, request.end_page);
  }
  // What the command reads: the document, or the singles file of --singles.
  const std::vector<std::string> inputs = {
      args.Get(args.Has("--singles") ? "--singles" : "DOC.tpd")};
  DocumentRecord doc;
  if (int rc = LoadDocumentArgs(ctx, args, doc, request.file_name)) return rc;
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
  std::string why;
  const PrintModuleApi* module = LoadPrintModule(why);
  if (!module) {
    ctx.err << "zelvomini-cli: " << why << "; --list shows the sheet layout\n";
    return 1;
  }
  if (has_pdf) {
    // The file is the printer: the printer chosen in the settings is not used.
    settings.PrinterName.clear();
    if (AbortedBeforeSave(ctx.err, pdf)) return AbortExitCode();
    std::unique_ptr<Printer, void (*)(Printer*)> document(module->new_pdf_document(),
                                                          module->destroy);
    int rc = PrintDocumentSheets(ctx.out, ctx.err, doc, schedule, settings, request, *document);
    if (rc != 0) return rc;
    std::string bytes;
    int pages = 0;
    if (!module->take_pdf(document.get(), &bytes, &pages) || !WriteFileBytes(pdf, bytes, false)) {
      ctx.err << "zelvomini-cli: cannot write " << pdf
              << (LastWriteError().empty() ? "" : ": " + LastWriteError()) << "\n";
      return 1;
    }
    ctx.out << "written " << pdf << " (" << pages << " pages)\n";
    return 0;
  }
  std::unique_ptr<Printer, void (*)(Printer*)> printer(module->new_system_printer(),
                                                       module->destroy);
  if (printer->PrinterNames().empty()) {
    ctx.err
        << "zelvomini-cli: no printer is installed; --pdf OUT.pdf writes the sheets to a file\n";
    return 1;
  }
  if (has_printer) settings.PrinterName = printer_name;
  return PrintDocumentSheets(ctx.out, ctx.err, doc, schedule, settings, request, *printer);
}

int CmdCheck(CliContext& ctx, const CliArgs& args) {
  RevealRequest reveal;
  reveal.all = args.Has("--all");
  reveal.next = static_cast<int>(args.Int("--next"));
  DocumentRecord doc;
  std::string file_name;
  if (int rc = LoadDocumentArgs(ctx, args, doc, file_name)) return rc;
  ResultRecord result;
  if (ResultsIo().result) result = ResultsIo().result(doc.Kaisaikai, doc.Kumi);
  return CheckDocumentResult(ctx.out, doc, result, reveal, args.json());
}

}  // namespace

CliCommand PrintCommand() {
  std::vector<CliOption> options = DocumentOptions();
  const std::vector<CliOption> more = {
      {"--pdf", "OUT.pdf", {CliKind::kPdf}, "write the sheets to a PDF file"},
      {"--printer", "NAME", {}, "print on this printer instead of the one in the settings"},
      {"--list", "", {}, "list what would be printed: marks and texts in millimetres"},
      {"--test", "", {}, "print the test sheet"},
      {"--pages", "A-B", {CliKind::kRange}, "only these sheets"}};
  options.insert(options.end(), more.begin(), more.end());
  return {.name = "print",
          .summary = "mark sheets of a document",
          .args = {{"DOC.tpd", {CliKind::kDocument}, CliCount::kOptional}},
          .options = options,
          .details =
              "Prints on the printer of SysData/Printer.ini (or --printer), writes a PDF "
              "file with --pdf, or lists the layout with --list.  Printing needs the Qt "
              "print backend.",
          .exits = {{1,
                     "a file cannot be read or written, there is no printer, or no sheet is "
                     "in the pages"}},
          .run = CmdPrint};
}

CliCommand CheckCommand() {
  std::vector<CliOption> options = DocumentOptions();
  options.push_back({"--all", "", {}, "reveal every match of the result at once", {}, {"--next"}});
  options.push_back({"--next", "N", {CliKind::kInt, {}, 0}, "reveal the first N matches"});
  return {.name = "check",
          .summary = "grades of a document's singles against the result",
          .args = {{"DOC.tpd", {CliKind::kDocument}, CliCount::kOptional}},
          .options = options,
          .details =
              "Grades the singles against the cached result of the round and group, or "
              "against the provisional marks kept for the round when there is no official "
              "result; once every match is decided it shows the prize table.",
          .exits = {{1, "a file cannot be read"}},
          .json =
              "An object: round, group, singles, official, revealed, matches (the marks of "
              "outcomes \"1\", \"0\", \"2\" per match), grades (no, single, grade per single), "
              "counts (singles per grade \"1\" to \"6\"), and prize_table (null until every "
              "match is decided; else grade, prize, winners, carryover, bought and won per "
              "row).",
          .run = CmdCheck};
}

}  // namespace zelvo
