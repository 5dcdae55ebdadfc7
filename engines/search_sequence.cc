#include "engines/search_sequence.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/single_frame.h"
#include "support/error_report.h"
#include "support/platform.h"

namespace zelvo {

SearchSequence::SearchSequence(RunLogList* log) : log_(log ? log : &own_log_) {
  tx_.Initialize(log_, nullptr, nullptr);
  engine_.Initialize(log_);
}

bool SearchSequence::Running() const { return tx_.Run() || engine_.Run(); }

void SearchSequence::Stop() {
  tx_.Cancel();
  engine_.EngineStop();
}

void SearchSequence::Pause(bool paused) { engine_.EnginePause(paused); }

MultiFlags SearchSequence::GetVisible(const MultiTable& multi) {
  MultiFlags visible{};
  for (int o = 0; o < 3; ++o) {
    for (int m = 0; m < 5; ++m) visible[o][m] = multi[o][m] > 0;
  }
  return visible;
}

bool SearchSequence::Run(DocumentRecord& doc) {
  if (Running()) return false;
  // A range that keeps nothing would replace the user's singles with none.
  if (const std::string problem = ValueRangeProblem(doc.Conditions.Value); !problem.empty()) {
    platform().MessageBox(problem, kAppTitle, MsgIcon::kWarning);
    return false;
  }
  const MultiTable multi = doc.Multi;
  if (!tx_.SetVote(doc.Vote)) return false;
  tx_.SetOwn(doc.OwnProbs);
  engine_.SetValue(&tx_.Passes().Value());
  tx_.CountMeisaiClear();
  int count = 0;
  std::vector<int> singles;
  tx_.Execute(doc.Conditions, multi, count, singles);
  const MultiFlags targets = GetVisible(multi);
  // Coverage counts describe the singles they came with; a search that
  // leaves none leaves none to describe.
  std::array<int, 6> tousen{};
  if (count >= 1) {
    engine_.Compress(count, singles, doc.Engine, multi, tousen);
    count = std::max(0, std::min<int>(count, static_cast<int>(singles.size())));
    singles.resize(static_cast<size_t>(count));
    if (count >= 1) std::sort(singles.begin(), singles.end());
  } else {
    count = 0;
    singles.clear();
  }
  const FrameTable frame = CountSingleFrame(singles);
  tx_.SetSingleFrame(frame, targets);
  doc.SingleCount = count;
  doc.SingleData = std::move(singles);
  doc.SingleFrame = frame;
  doc.MsSingleCount = count;
  doc.MsSingleFrame = frame;
  doc.MsTousen = tousen;
  tx_.SetMeisai(multi, count, tousen);
  tx_.EndMsg(count);
  doc.SakugenMessage = log_->Text();
  return true;
}

void NewDocument(SearchSequence& search, DocumentRecord& doc) {
  // The search runs before the reset, on the cleared multi, as the window
  // does it: with nothing to expand it only writes the log.
  doc.Multi = MultiTable{};
  search.Run(doc);
  std::string log = doc.SakugenMessage;
  ResetToNewDocument(doc);
  doc.SakugenMessage = std::move(log);
}

}  // namespace zelvo
