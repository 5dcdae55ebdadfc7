#include "ui/search_run.h"

#include <utility>
#include <vector>

#include "support/error_report.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {

SearchRun::SearchRun(MainShell& shell, const MultiPage& multi, SinglesPage& singles)
    : shell_(shell), multi_(multi), singles_(singles) {}

void SearchRun::Bind() {
  search_.Reduction().Initialize(&log_, &count_grid_, &meisai_grid_);
  log_.on_changed = [this] { shell_.Changed(); };
}

bool SearchRun::State(Cmd cmd, ActionState& s) const {
  switch (cmd) {
    case Cmd::kRun:
      s.caption = run_caption_;
      s.enabled = run_enabled_;
      return true;
    case Cmd::kStop:
      s.enabled = stop_enabled_;
      return true;
    default:
      return false;
  }
}

bool SearchRun::Execute(Cmd cmd) {
  switch (cmd) {
    case Cmd::kRun:
      StartOrPause();
      return true;
    case Cmd::kStop:
      StopSearch();
      return true;
    default:
      return false;
  }
}

void SearchRun::StartOrPause() {
  if (Running()) {
    // The run button of the trial and count engines pauses and resumes.
    run_caption_ = paused_ ? "一時停止" : "検索再開";
    paused_ = !paused_;
    search_.Pause(paused_);
    shell_.Changed();
    return;
  }
  if (shell_.CheckBusy()) return;
  paused_ = false;
  const EngineSettings settings = multi_.GatherEngineSettings();
  platform().SetBusyCursor(true);
  run_enabled_ = false;
  stop_enabled_ = true;
  if (EngineChoiceOf(settings.MsEngine).pause) {
    run_caption_ = "一時停止";
    run_enabled_ = true;
  }
  // No line stays selected from the last run, so the list follows the new one.
  log_selection_ = -1;
  shell_.Changed();
  RunSearch();
  FinishRun();
}

void SearchRun::FinishRun() {
  // The list shows its first line, then scrolls to the last one written (the
  // log always ends in an open empty line).
  log_selection_ = static_cast<int>(log_.Lines().size()) - 1;
  while (log_selection_ > 0 && log_.Lines()[log_selection_].empty()) --log_selection_;
  run_caption_ = "検索開始";
  run_enabled_ = true;
  stop_enabled_ = false;
  paused_ = false;
  platform().SetBusyCursor(false);
  shell_.Changed();
}

void SearchRun::RunSearch() {
  try {
    if (shell_.CheckBusy()) return;
    DocumentRecord doc = shell_.BuildDocument();
    // A search that could not be computed (a vote status the estimate cannot
    // use) leaves the singles the user has; its log tells why.
    if (!search_.Run(doc)) return;
    singles_.SetTargets(SearchSequence::GetVisible(doc.Multi));
    {
      OperationScope operation(shell_);
      singles_.SetSingles(doc.SingleCount, std::move(doc.SingleData));
      singles_.Refresh();
    }
    ms_count_ = doc.MsSingleCount;
    ms_frame_ = singles_.Frame();
    ms_tousen_ = doc.MsTousen;
  } catch (const std::exception& e) {
    ReportException(kMainWindowClass, "RunSearch", e);
  }
}

void SearchRun::FillDocument(DocumentRecord& doc) const {
  doc.MsSingleCount = ms_count_;
  doc.MsSingleFrame = ms_frame_;
  doc.MsTousen = ms_tousen_;
  doc.SakugenMessage = log_.Text();
}

void SearchRun::RestoreFigures(const DocumentRecord& doc) {
  ms_count_ = doc.MsSingleCount;
  ms_frame_ = doc.MsSingleFrame;
  ms_tousen_ = doc.MsTousen;
  search_.Reduction().MeisaiPanel().SetValue(doc.Multi);
  search_.Reduction().MeisaiPanel().SetSingleCount(doc.MsSingleCount);
  search_.Reduction().MeisaiPanel().SetTousen(doc.MsTousen);
  std::vector<std::string> lines = Split(doc.SakugenMessage, "\r\n");
  if (!lines.empty() && lines.back().empty()) lines.pop_back();  // after the last CR LF
  log_.SetLines(std::move(lines));
}

void SearchRun::ShowFrame(const FrameTable& frame, const MultiFlags& targets) {
  search_.Reduction().SetSingleFrame(frame, targets);
}

}  // namespace zelvo
