// The desktop program's speed, offscreen: start-up to the main window shown,
// opening a document of a million singles, a page turn of the single list at
// a million singles, an undo at a million singles and the snapshot's size,
// and the longest stretch without processed window events during a
// ten-second count-optimisation run.  Prints medians; run with
//   ninja -C build gui_bench && QT_QPA_PLATFORM=offscreen build/bench/gui_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

#include "app/startup.h"
#include "core/single_frame.h"
#include "files/tpd_file.h"
#include "support/paths.h"
#include "ui/qt/main_window_view.h"
#include "ui/qt/qt_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// This thread's processor time in milliseconds: what a step costs, however
// busy the machine is with other work.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The Qt platform with a stopwatch on its yields: the longest time between
// two passes through the event loop is how long the window looked frozen.
class TimedPlatform : public zelvo::QtPlatform {
 public:
  void Yield() override {
    Mark();
    zelvo::QtPlatform::Yield();
    last_ = Clock::now();
  }
  void Sleep(int ms) override {
    Mark();
    zelvo::QtPlatform::Sleep(ms);
    last_ = Clock::now();
  }
  void Start() {
    longest_ = 0;
    last_ = Clock::now();
    yields_ = 0;
  }
  double longest() const { return longest_; }
  long yields() const { return yields_; }

 private:
  void Mark() {
    ++yields_;
    longest_ = std::max(longest_, Ms(last_, Clock::now()));
  }
  Clock::time_point last_ = Clock::now();
  double longest_ = 0;
  long yields_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const auto process_start = Clock::now();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  zelvo::SetUpApplication();
  zelvo::SetProgramDir(ZELVO_PROGRAM_DIR_FOR_BENCH);
  TimedPlatform platform;
  platform.headless = true;
  if (!zelvo::RunStartupChecks()) return 2;

  // Start-up: the first window of the process, then nine more.
  std::vector<double> startups;
  for (int i = 0; i < 10; ++i) {
    auto t0 = Clock::now();
    zelvo::MainWindowView window;
    window.Load();
    window.show();
    QApplication::processEvents();
    auto t1 = Clock::now();
    if (i == 0) std::printf("start-up, process start to first window shown: %.1f ms\n", Ms(process_start, t1));
    startups.push_back(Ms(t0, t1));
  }
  std::printf("start-up, main window made, loaded and shown: median %.1f ms (10 runs)\n",
              Median(startups));

  zelvo::MainWindowView window;
  window.Load();
  window.show();
  QApplication::processEvents();
  zelvo::frmMain& main = window.controller();

  // A document of a million singles.
  const std::string sample = zelvo::ResolveProgramPath("UserData/Zelvomini/sample-guarantee.tpd");
  const std::string big = (std::filesystem::temp_directory_path() / "zelvo-bench-1m.tpd").string();
  {
    zelvo::clsTFileTPD tpd;
    zelvo::DocumentRecord doc;
    if (!tpd.LoadFile(sample, doc, true)) return 1;
    doc.SingleData.resize(1000000);
    for (size_t i = 0; i < doc.SingleData.size(); ++i) doc.SingleData[i] = static_cast<int>(i % 243);
    doc.SingleCount = static_cast<int>(doc.SingleData.size());
    doc.SingleFrame = zelvo::CountSingleFrame(doc.SingleData);
    // With own probabilities: the window then shows the purchase's own
    // chances and every single's value as well.
    doc.OwnProbs.set = true;
    for (auto& match : doc.OwnProbs.p) match = {0.3, 0.3, 0.4};
    if (!tpd.SaveFile(big, true, doc, true)) return 1;
  }
  std::vector<double> opens;
  for (int i = 0; i < 5; ++i) {
    auto t0 = Clock::now();
    bool ok = main.FileLoadTPD(big, true, true);
    QApplication::processEvents();
    auto t1 = Clock::now();
    if (!ok || main.SingleCount() != 1000000) return 1;
    opens.push_back(Ms(t0, t1));
  }
  std::printf("open a 1,000,000-single document into the window: median %.1f ms (5 runs)\n",
              Median(opens));

  main.ShowPage(2);
  QApplication::processEvents();
  // As the user turns it: the button, with the change check after the action.
  QPushButton* next = window.ButtonOf(zelvo::Cmd::kNextPage);
  std::vector<double> turns, turn_cpu;
  for (int i = 0; i < 200; ++i) {
    auto t0 = Clock::now();
    const double c0 = CpuMs();
    next->click();
    window.repaint();
    QApplication::processEvents();
    turn_cpu.push_back(CpuMs() - c0);
    turns.push_back(Ms(t0, Clock::now()));
  }
  std::printf(
      "single-list page turn at 1,000,000 singles with own probabilities, by its button, painted: "
      "median %.2f ms (processor %.2f ms), max %.2f ms (200 turns)\n",
      Median(turns), Median(turn_cpu), *std::max_element(turns.begin(), turns.end()));

  // Undo at a million singles: a sort is one step, its undo puts the singles
  // back and redraws the page.  Every user action also pays for the check
  // whether it changed the document.
  std::vector<double> undos, redos, commits;
  for (int i = 0; i < 5; ++i) {
    main.Execute(zelvo::Cmd::kSortMark0);
    QApplication::processEvents();
    auto t0 = Clock::now();
    main.Execute(zelvo::Cmd::kUndo);
    window.repaint();
    QApplication::processEvents();
    auto t1 = Clock::now();
    main.Execute(zelvo::Cmd::kRedo);
    window.repaint();
    QApplication::processEvents();
    auto t2 = Clock::now();
    main.CommitEdits();
    auto t3 = Clock::now();
    main.Execute(zelvo::Cmd::kUndo);
    undos.push_back(Ms(t0, t1));
    redos.push_back(Ms(t1, t2));
    commits.push_back(Ms(t2, t3));
  }
  std::printf(
      "undo of a sort at 1,000,000 singles, painted: median %.1f ms, redo %.1f ms (5 runs)\n",
      Median(undos), Median(redos));
  std::printf("change check after an action at 1,000,000 singles: median %.1f ms\n",
              Median(commits));
  std::printf(
      "snapshot of a 1,000,000-single document: %.2f MB; history after 5 sorts undone: %.2f MB\n",
      main.History().CurrentBytes() / 1e6, main.History().TotalBytes() / 1e6);
  std::filesystem::remove(big);

  // A ten-second count-optimisation run on the sample.
  if (!main.FileLoadTPD(sample, true, true)) return 1;
  main.EngineOption().Choose(5);
  // Fewer tickets than any cover needs, so the search runs to its time limit.
  main.Sakugen().SetSeBeginCount(zelvo::Money::FromInt(5));
  main.Sakugen().SetSeEndTime(zelvo::Money::FromInt(10));
  platform.Start();
  auto t0 = Clock::now();
  main.Execute(zelvo::Cmd::kRun);
  std::printf("count-optimisation run of %.1f s: longest gap between processed events %.1f ms (%ld passes)\n",
              Ms(t0, Clock::now()) / 1000, platform.longest(), platform.yields());
  return 0;
}
