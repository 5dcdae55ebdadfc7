// Match day's speed: one update of the figures for ten documents of all 243
// singles each with a match in play, and the same update as a key typed into
// the match-day window (controller and, with Qt, its view redrawn).  Prints
// medians; run with
//   ninja -C build matchday_bench && QT_QPA_PLATFORM=offscreen build/bench/matchday_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "matchday/match_day.h"
#include "ui/match_day_window.h"

#ifdef ZELVO_BENCH_WITH_QT
#include <QApplication>

#include "ui/qt/match_day_window_view.h"
#include "ui/qt/qt_platform.h"
#endif

namespace zelvo {
namespace {

using Clock = std::chrono::steady_clock;

VoteStatusRecord BenchVote() {
  VoteStatusRecord vote;
  vote.Kaisaikai = 1487;
  vote.Kumi = "A";
  const int counts[5][3] = {
      {300, 500, 200}, {250, 400, 350}, {333, 333, 334}, {200, 600, 200}, {280, 420, 300}};
  for (int m = 0; m < 5; ++m) {
    for (int o = 0; o < 3; ++o) {
      vote.matches[m].outcomes[o].count = Money::FromInt(counts[m][o] * 1000);
    }
  }
  return vote;
}

DocumentRecord WholeDocument() {
  DocumentRecord doc;
  doc.Kaisaikai = 1487;
  doc.Kumi = "A";
  for (int s = 0; s < kSingles; ++s) doc.SingleData.push_back(s);
  doc.SingleCount = kSingles;
  doc.Vote = BenchVote();
  return doc;
}

// Median of `runs` timings of `work`, in microseconds.
double MedianMicros(int runs, const std::function<void(int)>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work(i);
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char* what, double micros) {
  std::printf("%-64s median %9.1f us (%.4f ms)\n", what, micros, micros / 1000);
}

MatchEntries Entries(int minute) {
  MatchEntries entries;
  entries[0] = {MatchState::kFinished, 2, 1, 0};
  entries[1] = {MatchState::kInPlay, 1, 1, minute};
  return entries;
}

void BenchEvaluate() {
  MatchDay day;
  const DocumentRecord whole = WholeDocument();
  for (int d = 0; d < 10; ++d) {
    PurchaseDocument doc;
    doc.path = "/bench/doc" + std::to_string(d) + ".tpd";
    doc.name = "doc" + std::to_string(d) + ".tpd";
    doc.round = 1487;
    doc.group = "A";
    doc.singles = whole.SingleData;
    doc.vote = whole.Vote;
    std::string error;
    day.AddDocument(doc, error);
  }
  double sink = 0;
  Report("update, 10 x 243 singles, 1 finished + 1 in play + 3 open",
         MedianMicros(2001, [&](int i) { sink += day.Evaluate(Entries(i % 90)).win_chance; }));
  Report("update, 10 x 243 singles, all five open, 1 in play", MedianMicros(2001, [&](int i) {
           MatchEntries e;
           e[2] = {MatchState::kInPlay, 0, 1, i % 90};
           sink += day.Evaluate(e).expected_return;
         }));
  if (sink < 0) std::printf("%f\n", sink);
}

// A key typed into a row's minute box: the controller's update and, with
// the view open, the window's redraw of its labels and tables.
void BenchTyping(frmMatchDay& window, const char* what) {
  const DocumentRecord whole = WholeDocument();
  for (int d = 0; d < 10; ++d) {
    window.AddOpenDocument(whole, "/bench/doc" + std::to_string(d) + ".tpd");
  }
  window.State(1).SetListIndex(1);
  window.HomeGoals(1).SetText("1");
  Report(what, MedianMicros(501, [&](int i) { window.Minute(1).SetText(std::to_string(i % 90)); }));
}

}  // namespace
}  // namespace zelvo

int main(int argc, char** argv) {
  zelvo::BenchEvaluate();
  {
    zelvo::frmMatchDay window;
    zelvo::BenchTyping(window, "key typed, controller only (10 x 243 singles, 1 in play)");
  }
#ifdef ZELVO_BENCH_WITH_QT
  QApplication app(argc, argv);
  zelvo::SetUpApplication();
  auto* view = zelvo::ShowMatchDayWindow(nullptr);
  zelvo::BenchTyping(view->controller(), "key typed, controller and window redraw");
  delete view;
#else
  (void)argc;
  (void)argv;
#endif
  return 0;
}
