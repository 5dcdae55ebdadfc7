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
#include "support/date_time.h"

namespace zelvo {

struct DocumentRecord {
  int Kaisaikai = 0;
  std::string Kumi = "A";
  DateTime VoteTime;                  // read from old documents only
  MultiTable Multi{};
  ReductionConditions Conditions = DefaultReductionConditions();
  EngineSettings Engine;
  int MsSingleCount = 0;
  FrameTable MsSingleFrame{};
  std::array<int, 6> MsTousen{};
  int SingleCount = 0;
  FrameTable SingleFrame{};
  std::vector<int> SingleData;        // the current singles (SingleCount of them)
  std::string SakugenMessage;         // the run log's lines, each ended by CR LF
  VoteStatusRecord Vote;              // the vote status at save time
};

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_DOCUMENT_RECORD_H_
