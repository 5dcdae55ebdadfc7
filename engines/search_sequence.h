// One search from a document's multi, conditions and engine settings to its
// new singles, as the main window's run button, the batch run and the command
// line all start it: the reduction, the engine driver, the ascending sort,
// the outcome frame and the closing lines of the log.
#ifndef ZELVOMINI_ENGINES_SEARCH_SEQUENCE_H_
#define ZELVOMINI_ENGINES_SEARCH_SEQUENCE_H_

#include "core/multi_table.h"
#include "engines/ms_engine.h"
#include "files/document_record.h"
#include "reduction/reduction_run.h"
#include "reduction/run_log.h"

namespace zelvo {

class SearchSequence {
 public:
  // Binds the reduction and the engines to `log` (one continuous report per
  // search); a null log keeps the sequence's own.
  explicit SearchSequence(RunLogList* log = nullptr);
  SearchSequence(const SearchSequence&) = delete;
  SearchSequence& operator=(const SearchSequence&) = delete;

  // Runs the search on the document's round, group, vote status, multi,
  // conditions and engine settings, and stores the result in it: the singles
  // in ascending order with their outcome frame, the last-run count and
  // frame, the coverage counts and the run log.  False, with nothing
  // changed, while a search is already running, when the payout estimate
  // cannot use the vote status or the value range keeps nothing (both
  // reported): a search on broken figures would
  // replace the user's singles with none.  A cancelled search leaves no
  // singles.
  bool Run(DocumentRecord& doc);

  // A search is in progress (the reduction or an engine reports Run).
  bool Running() const;
  // The stop button: the reduction cancels and the running engine stops at
  // their next poll.
  void Stop();
  // The pause button of the trial and count-optimisation engines.
  void Pause(bool paused);

  RunLogList& Log() { return *log_; }
  clsTX& Reduction() { return tx_; }
  clsTMsEngine& Engine() { return engine_; }

  // The chosen cells of a multi (mark above 0): the targets of a search.
  static MultiFlags GetVisible(const MultiTable& multi);

 private:
  RunLogList own_log_;
  RunLogList* log_;
  clsTX tx_;
  clsTMsEngine engine_;
};

// A new document: the reset of the record, then the search over its empty
// multi, which finds nothing and leaves the log's header and closing lines.
void NewDocument(SearchSequence& search, DocumentRecord& doc);

}  // namespace zelvo

#endif  // ZELVOMINI_ENGINES_SEARCH_SEQUENCE_H_
