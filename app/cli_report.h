// The clipboard commands of zelvomini-cli: "report" writes a document's
// clipboard text to the output, "import" reads singles from the input into a
// document.  The document files and the schedule cache are reached through
// replaceable functions, so that the commands can be tested on records.
#ifndef ZELVOMINI_APP_CLI_REPORT_H_
#define ZELVOMINI_APP_CLI_REPORT_H_

#include <functional>
#include <string>

#include "app/cli_commands.h"
#include "files/document_record.h"
#include "official/schedule_record.h"

namespace zelvo {

struct ReportDocumentIo {
  // Reads a .tpd document; false (after telling why) when it cannot.
  std::function<bool(const std::string& path, DocumentRecord& doc)> load;
  // Writes a .tpd document; false when it cannot.
  std::function<bool(const std::string& path, const DocumentRecord& doc)> save;
  // The cached schedule of a round and group; an empty record when none.
  std::function<ScheduleRecord(int round, const std::string& group)> schedule;
};

// The functions the commands use; tests replace them.
ReportDocumentIo& ReportIo();

// report DOC.tpd --form 0|1|3|4
CliCommand ReportCommand();
// import DOC.tpd < TEXT
CliCommand ImportCommand();

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_REPORT_H_
