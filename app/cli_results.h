// The print and check commands over records, so that they run on documents
// and results however those were obtained (files, tests).
#ifndef ZELVOMINI_APP_CLI_RESULTS_H_
#define ZELVOMINI_APP_CLI_RESULTS_H_

#include <functional>
#include <iosfwd>
#include <string>

#include "files/document_record.h"
#include "files/printer_ini.h"
#include "official/result_record.h"
#include "official/schedule_record.h"
#include "output/printer.h"

namespace zelvo {

struct PrintRequest {
  std::string file_name;  // printed on the sheet: the document's name without folder
  bool test = false;
  bool all_pages = true;
  int start_page = 1;
  int end_page = 1;
};

// Prints the document's singles (or the test sheet) on `printer` with the
// settings; the schedule, when given, supplies the match card.  Writes what
// was printed to `out`; returns the exit code.
int PrintDocumentSheets(std::ostream& out, std::ostream& err, const DocumentRecord& doc,
                        const ScheduleRecord* schedule, const PrinterSettings& settings,
                        const PrintRequest& request, Printer& printer);

// How much of an official result to reveal: none, all, or the first N.
struct RevealRequest {
  bool all = false;
  int next = 0;
};

// Grades the document's singles against the result (or the provisional
// marks of the round when the record holds no result) and writes the grades,
// the counts per grade and, once every match is decided, the prize table; as
// one JSON document with `json`.
int CheckDocumentResult(std::ostream& out, const DocumentRecord& doc, const ResultRecord& result,
                        const RevealRequest& reveal, bool json = false);

// How the commands reach the files: the document reader and the result and
// schedule caches.  Replaceable, so that tests run the commands on records.
struct ResultsCliIo {
  // Reads a .tpd document; false (after telling why on `err`) when it cannot.
  std::function<bool(const std::string& path, DocumentRecord& doc, std::ostream& err)> load;
  // The cached result of a round and group; an empty record when none.
  std::function<ResultRecord(int round, const std::string& group)> result;
  // The cached schedule of a round and group; false when none.
  std::function<bool(int round, const std::string& group, ScheduleRecord& schedule)> schedule;
};
ResultsCliIo& ResultsIo();

// "A-B" or "A" into a 1-based page range; false on anything else.
bool ParsePageRange(const std::string& text, int& start, int& end);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_RESULTS_H_
