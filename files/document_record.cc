#include "files/document_record.h"

#include "core/single_number.h"

namespace zelvo {

void ResetToNewDocument(DocumentRecord& doc) {
  doc.VoteTime = DateTime();
  doc.Multi = MultiTable{};
  doc.Conditions = DefaultReductionConditions();
  doc.Engine = EngineSettings{};
  doc.MsSingleCount = 0;
  doc.MsSingleFrame = FrameTable{};
  doc.MsTousen = {};
  doc.SingleCount = 0;
  doc.SingleFrame = FrameTable{};
  doc.SingleData.clear();
  doc.SakugenMessage.clear();
}

FrameTable CountOutcomeFrame(int count, const std::vector<int>& singles) {
  FrameTable frame{};
  int n = count < 0 ? 0 : count;
  if (static_cast<size_t>(n) > singles.size()) n = static_cast<int>(singles.size());
  for (int i = 0; i < n; ++i) {
    int s = singles[i];
    if (s < 0 || s >= kSingles) continue;
    for (int m = 0; m < kMatches; ++m) ++frame[OutcomeOf(s, m)][m];
  }
  return frame;
}

}  // namespace zelvo
