#include "analysis/document_singles.h"

#include "engines/engine_settings.h"
#include "reduction/reduction_run.h"

namespace zelvo {

std::vector<int> ReducedSingles(const DocumentRecord& doc) {
  RunLogList log;
  clsTX tx;
  tx.Initialize(&log, nullptr, nullptr);
  tx.SetVote(doc.Vote);
  int count = 0;
  std::vector<int> singles;
  tx.Execute(doc.Conditions, doc.Multi, count, singles);
  singles.resize(static_cast<size_t>(count));
  return singles;
}

int DocumentEngineGrade(const DocumentRecord& doc) {
  const EngineChoice& choice = EngineChoiceOf(doc.Engine.MsEngine);
  // The count optimisation aims at grade-2 reach without promising it.
  return choice.engine == EngineKind::kCountOptimisation ? 0 : choice.grade;
}

}  // namespace zelvo
