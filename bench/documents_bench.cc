// Saving and loading a document of a million singles (duplicates, as adding
// CSV files makes them), and a CSV file of the same size.  Run with
//   ninja -C build -j2 documents_bench &&
//   build/bench/documents_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only
// The peak resident size is reported per benchmark (kilobytes, whole process).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/csv_file.h"
#include "files/tpd_file.h"
#include "support/paths.h"

namespace zelvo {
namespace {

constexpr int kSingles = 1000000;

std::string BenchDir() {
  static const std::string dir = [] {
    std::string d = (std::filesystem::temp_directory_path() /
                     ("zelvo-documents-bench-" + std::to_string(::getpid())))
                        .string();
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

DocumentRecord BigDocument(int count) {
  DocumentRecord doc;
  doc.Kaisaikai = 512;
  doc.Kumi = "A";
  doc.SingleCount = count;
  doc.SingleData.resize(count);
  for (int i = 0; i < count; ++i) doc.SingleData[i] = (i * 97) % 243;
  doc.SingleFrame = CountOutcomeFrame(count, doc.SingleData);
  doc.SakugenMessage = "Zelvo mini  Version 1.00\r\n";
  return doc;
}

void SetPeakRss(benchmark::State& state) {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  state.counters["peak_rss_kb"] = static_cast<double>(ru.ru_maxrss);
}

void BM_SaveDocument(benchmark::State& state) {
  DocumentRecord doc = BigDocument(static_cast<int>(state.range(0)));
  clsTFileTPD tpd;
  std::string path = JoinPath(BenchDir(), "big.tpd");
  for (auto _ : state) {
    if (!tpd.SaveFile(path, true, doc, true)) state.SkipWithError("save failed");
  }
  SetPeakRss(state);
}

void BM_LoadDocument(benchmark::State& state) {
  DocumentRecord doc = BigDocument(static_cast<int>(state.range(0)));
  clsTFileTPD tpd;
  std::string path = JoinPath(BenchDir(), "load.tpd");
  if (!tpd.SaveFile(path, true, doc, true)) state.SkipWithError("save failed");
  doc = DocumentRecord();
  for (auto _ : state) {
    DocumentRecord loaded;
    if (!LoadDocumentFile(tpd, path, true, true, loaded)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(loaded.SingleData.data());
  }
  SetPeakRss(state);
}

void BM_CsvSaveLoad(benchmark::State& state) {
  DocumentRecord doc = BigDocument(static_cast<int>(state.range(0)));
  clsTFileCSV csv;
  std::string path = JoinPath(BenchDir(), "big.csv");
  for (auto _ : state) {
    if (!csv.CsvSave(path, doc.SingleCount, doc.SingleData)) state.SkipWithError("save failed");
    int count = 0;
    std::vector<int> singles;
    if (!csv.CsvLoad(path, count, singles)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(singles.data());
  }
  SetPeakRss(state);
}

BENCHMARK(BM_SaveDocument)->Arg(kSingles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadDocument)->Arg(kSingles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CsvSaveLoad)->Arg(kSingles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zelvo

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(zelvo::BenchDir(), ec);
  return 0;
}
