// The singles a document's search guards: what its reduction keeps before
// the engine compresses them.
#ifndef ZELVOMINI_ANALYSIS_DOCUMENT_SINGLES_H_
#define ZELVOMINI_ANALYSIS_DOCUMENT_SINGLES_H_

#include <vector>

#include "files/document_record.h"

namespace zelvo {

// Runs the document's reduction (multi, conditions, vote status) again; the
// document itself stores only the final singles.  Ascending.
std::vector<int> ReducedSingles(const DocumentRecord& doc);

// The grade the document's engine guarantees (2 or 3), 0 for none.
int DocumentEngineGrade(const DocumentRecord& doc);

}  // namespace zelvo

#endif  // ZELVOMINI_ANALYSIS_DOCUMENT_SINGLES_H_
