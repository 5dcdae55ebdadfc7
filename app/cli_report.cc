#include "app/cli_report.h"

#include <iostream>
#include <istream>
#include <iterator>
#include <ostream>

#include "app/cli_abort.h"
#include "core/single_frame.h"
#include "files/tpd_file.h"
#include "official/services.h"
#include "output/clipboard.h"
#include "support/file_lock.h"
#include "support/text.h"

namespace zelvo {

ReportDocumentIo& ReportIo() {
  static ReportDocumentIo io = [] {
    ReportDocumentIo d;
    d.load = [](const std::string& path, DocumentRecord& doc) {
      clsTFileTPD tpd;
      return LoadDocumentFile(tpd, path, true, true, doc);
    };
    d.save = [](const std::string& path, const DocumentRecord& doc) {
      clsTFileTPD tpd;
      return tpd.SaveFile(path, true, doc, true);
    };
    d.schedule = [](int round, const std::string& group) {
      clsSchedule service;
      service.Initialize();
      return service.GetSchedule(round, group, kSourceFile, false) ? service.Record()
                                                                   : ScheduleRecord{};
    };
    return d;
  }();
  return io;
}

namespace {

int CmdReport(CliContext& ctx, const CliArgs& args) {
  const std::string path = args.Get("DOC.tpd");
  const int form = static_cast<int>(args.Int("--form"));
  DocumentRecord doc;
  if (!ReportIo().load || !ReportIo().load(path, doc)) {
    ctx.err << "zelvomini-cli: cannot read the document " << path << "\n";
    return 1;
  }
  bool singles_form =
      form == clsTClipboard::kFormSinglesPerLine || form == clsTClipboard::kFormSinglesPerColumn;
  if (singles_form && doc.SingleCount > clsTClipboard::kMaxSingles) {
    ctx.err << "1万口以上は出力出来ません\n";
    return 1;
  }
  ScheduleRecord schedule;
  if (ReportIo().schedule) schedule = ReportIo().schedule(doc.Kaisaikai, doc.Kumi);
  // The text exactly as the clipboard would hold it (CR LF line ends).
  ctx.out << clsTClipboard::GetText(form, doc, schedule);
  return 0;
}

int CmdImport(CliContext& ctx, const CliArgs& args) {
  const std::string path = args.Get("DOC.tpd");
  std::vector<std::string> inputs;
  if (&ctx.in == &std::cin) inputs.push_back("/dev/stdin");
  if (!CheckOutput(ctx, path, inputs, true)) return 1;
  // The text first: a terminal's input may take a while, and the document is
  // locked only from its read to its write.
  std::string text((std::istreambuf_iterator<char>(ctx.in)), std::istreambuf_iterator<char>());
  DocumentLock lock(path);
  if (!lock.Locked()) return 1;
  DocumentRecord doc;
  if (!ReportIo().load || !ReportIo().load(path, doc)) {
    ctx.err << "zelvomini-cli: cannot read the document " << path << "\n";
    return 1;
  }
  std::vector<int> singles = clsTClipImport::ParseSingles(text);
  if (singles.empty()) {
    // As in the window, a text without singles changes nothing.
    ctx.err << "zelvomini-cli: no single found in the input; " << path << " is unchanged\n";
    return 1;
  }
  doc.SingleData = singles;
  doc.SingleCount = static_cast<int>(singles.size());
  doc.SingleFrame = CountSingleFrame(singles);
  if (AbortedBeforeSave(ctx.err, path)) return AbortExitCode();
  if (!ReportIo().save || !ReportIo().save(path, doc)) {
    ctx.err << "zelvomini-cli: cannot write the document " << path << "\n";
    return 1;
  }
  ctx.out << singles.size() << "口取り込みしました\n";
  return 0;
}

}  // namespace

CliCommand ReportCommand() {
  return {.name = "report",
          .summary = "the clipboard text of a document",
          .args = {{"DOC.tpd", {CliKind::kDocument}}},
          .options = {{"--form",
                       "0|1|3|4",
                       {CliKind::kWord, {"0", "1", "3", "4"}},
                       "0 the prediction report, 1 with the conditions, 3 the singles a line "
                       "each, 4 the singles in columns",
                       {},
                       {},
                       true}},
          .details = "Writes the text exactly as the clipboard would hold it (CR LF line ends).",
          .exits = {{1, "the document cannot be read, or it holds too many singles for the form"}},
          .run = CmdReport};
}

CliCommand ImportCommand() {
  return {.name = "import",
          .summary = "singles from clipboard text on standard input into a document",
          .args = {{"DOC.tpd", {CliKind::kDocument}}},
          .details =
              "Reads the text as the window's clipboard import does and replaces the "
              "document's singles; a text without a single changes nothing.",
          .exits = {{1, "the document cannot be read or written, or the text holds no single"}},
          .run = CmdImport};
}

}  // namespace zelvo
