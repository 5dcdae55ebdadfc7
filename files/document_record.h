// Everything a document (.tpd) stores; a conditions file (.tpj) holds only
// the conditions part.
#ifndef ZELVOMINI_FILES_DOCUMENT_RECORD_H_
#define ZELVOMINI_FILES_DOCUMENT_RECORD_H_

#include <array>
#include <string>
#include <vector>

#include "core/multi_table.h"
#include "engines/engine_settings.h"
#include "official/vote_record.h"
#include "reduction/conditions.h"
#include "reduction/single_value.h"
#include "support/date_time.h"

namespace zelvo {

// The fields follow the order of the document's keys.
struct DocumentRecord {
  int Kaisaikai = 0;
  std::string Kumi = "A";
  DateTime VoteTime;  // read from old documents only
  MultiTable Multi{};
  OwnProbabilities OwnProbs;  // the user's own view of the matches, when set
  ReductionConditions Conditions = DefaultReductionConditions();
  EngineSettings Engine;
  int MsSingleCount = 0;          // singles the last search produced
  FrameTable MsSingleFrame{};     // their outcome frame, [outcome][match]
  std::array<int, 6> MsTousen{};  // their coverage counts
  int SingleCount = 0;
  FrameTable SingleFrame{};     // outcome frame of the current singles
  std::vector<int> SingleData;  // the current singles (SingleCount of them)
  std::string SakugenMessage;   // the run log's lines, each ended by CR LF
  VoteStatusRecord Vote;        // the vote status at save time

  bool operator==(const DocumentRecord&) const = default;
};

// What a new document starts from: the multi, the singles and the last
// search's figures and log emptied, the conditions and engine settings at
// their defaults.  The round, the group and the vote status in force stay, as
// a new document is begun on the round at hand.
void ResetToNewDocument(DocumentRecord& doc);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_DOCUMENT_RECORD_H_
