#include "files/document_record.h"

namespace zelvo {

void ResetToNewDocument(DocumentRecord& doc) {
  doc.VoteTime = DateTime();
  doc.Multi = MultiTable{};
  doc.OwnProbs = OwnProbabilities{};
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

}  // namespace zelvo
