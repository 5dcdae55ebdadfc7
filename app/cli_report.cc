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

int CmdReport(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string form_text;
  bool missing = false;
  TakeOption(args, "--form", form_text, missing);
  int form = -1;
  if (missing || args.size() != 1 || !ParseInt32(form_text, form) ||
      (form != clsTClipboard::kFormReport && form != clsTClipboard::kFormReportWithConditions &&
       form != clsTClipboard::kFormSinglesPerLine &&
       form != clsTClipboard::kFormSinglesPerColumn)) {
    ctx.err << "usage: zelvomini-cli report FILE --form 0|1|3|4\n";
    return 64;
  }
  DocumentRecord doc;
  if (!ReportIo().load || !ReportIo().load(args[0], doc)) {
    ctx.err << "zelvomini-cli: cannot read the document " << args[0] << "\n";
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
  if (args.size() != 1) {
    ctx.err << "usage: zelvomini-cli import FILE < TEXT\n";
    return 64;
  }
  std::vector<std::string> inputs;
  if (&ctx.in == &std::cin) inputs.push_back("/dev/stdin");
  if (!CheckOutput(ctx, args[0], inputs, true)) return 1;
  // The text first: a terminal's input may take a while, and the document is
  // locked only from its read to its write.
  std::string text((std::istreambuf_iterator<char>(ctx.in)), std::istreambuf_iterator<char>());
  DocumentLock lock(args[0]);
  if (!lock.Locked()) return 1;
  DocumentRecord doc;
  if (!ReportIo().load || !ReportIo().load(args[0], doc)) {
    ctx.err << "zelvomini-cli: cannot read the document " << args[0] << "\n";
    return 1;
  }
  std::vector<int> singles = clsTClipImport::ParseSingles(text);
  if (singles.empty()) {
    // As in the window, a text without singles changes nothing.
    ctx.err << "zelvomini-cli: no single found in the input; " << args[0] << " is unchanged\n";
    return 1;
  }
  doc.SingleData = singles;
  doc.SingleCount = static_cast<int>(singles.size());
  doc.SingleFrame = CountSingleFrame(singles);
  if (AbortedBeforeSave(ctx.err, args[0])) return AbortExitCode();
  if (!ReportIo().save || !ReportIo().save(args[0], doc)) {
    ctx.err << "zelvomini-cli: cannot write the document " << args[0] << "\n";
    return 1;
  }
  ctx.out << singles.size() << "口取り込みしました\n";
  return 0;
}

}  // namespace zelvo
