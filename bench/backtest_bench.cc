// The backtest over 1,000 made-up cached rounds with the shipped sample
// document (a grade-2 fast guarantee engine), split into loading the caches
// and computing; and the archive download's own time per round against a
// local server answering at once (no pause).  Run with
//   ninja -C build backtest_bench && build/bench/backtest_bench
#include <httplib.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "analysis/backtest.h"
#include "bench/made_up_rounds.h"
#include "files/toto_settings.h"
#include "files/tpd_file.h"
#include "official/round_archive.h"
#include "official/xml_result.h"
#include "official/xml_schedule.h"
#include "official/xml_vote.h"
#include "support/paths.h"
#include "support/text.h"

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::string Page(const std::string& name) {
  std::ifstream in(fs::path(ZELVO_SOURCE_DIR_FOR_BENCH) / "tests/official/testdata/pages" / name);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

int main() {
  char pattern[] = "/tmp/zelvo-backtest-bench-XXXXXX";
  fs::path dir = mkdtemp(pattern);
  fs::create_directories(dir / "SysData");
  for (const char* f : {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"}) {
    fs::copy_file(fs::path(ZELVO_PROGRAM_DIR_FOR_BENCH) / "SysData" / f, dir / "SysData" / f);
  }
  SetProgramDir(dir.string());

  constexpr int kRounds = 500;  // x 2 groups
  for (int round = 1; round <= kRounds; ++round) {
    for (const char* group : {"A", "B"}) {
      ArchivedRound r = MakeUpRound(round, group, 1);
      clsXmlSchedule s;
      clsXmlVote v;
      clsXmlResult res;
      s.SetRecord(r.schedule);
      v.SetRecord(r.vote);
      res.SetRecord(r.result);
      if (!s.XmlSave() || !v.XmlSave() || !res.XmlSave()) return 1;
    }
  }
  clsTFileTPD tpd;
  DocumentRecord strategy;
  std::string sample =
      (fs::path(ZELVO_PROGRAM_DIR_FOR_BENCH) / "UserData/Zelvomini/sample-guarantee.tpd").string();
  if (!LoadDocumentFile(tpd, sample, true, false, strategy)) return 1;

  std::vector<double> load, compute;
  size_t count = 0;
  BacktestReport report;
  for (int rep = 0; rep < 3; ++rep) {
    auto t0 = std::chrono::steady_clock::now();
    std::vector<ArchivedRound> rounds = LoadArchive(0, 0, {"A", "B"}).rounds;
    load.push_back(Seconds(t0));
    count = rounds.size();
    clsTotoData toto_data;
    auto t1 = std::chrono::steady_clock::now();
    report = RunBacktest(strategy, rounds, BacktestOptions{BacktestMulti::kDocument, 1}, toto_data);
    compute.push_back(Seconds(t1));
  }
  std::printf(
      "backtest of %zu rounds (engine %d): load %.3f s, compute %.3f s, total %.3f s "
      "(medians of 3); %d hits, %.2f yen per 100\n",
      count, strategy.Engine.MsEngine, Median(load), Median(compute),
      Median(load) + Median(compute), report.hits, report.ReturnPer100());

  // The download's own time per round, the pages answered at once.
  fs::remove_all(dir / "SysData/minitoto_Schedule");
  fs::remove_all(dir / "SysData/minitoto_Vote");
  fs::remove_all(dir / "SysData/minitoto_Result");
  httplib::Server server;
  const std::string schedule = Page("schedule_1487.html"), vote = Page("vote_1487_A.html"),
                    result = Page("result_1487.html");
  auto serve = [](const std::string& page) {
    return [page](const httplib::Request& req, httplib::Response& res) {
      res.set_content(ReplaceAll(page, "1487", req.get_param_value("holdCntId")),
                      "text/html; charset=UTF-8");
    };
  };
  server.Get("/schedule", serve(schedule));
  server.Get("/vote", serve(vote));
  server.Get("/result", serve(result));
  int port = server.bind_to_any_port("127.0.0.1");
  std::thread listener([&server] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  TotoSettings settings = totoSettings();
  std::string host = "http://127.0.0.1:" + std::to_string(port);
  settings.totoOfficialScheduleUrl = host + "/schedule?holdCntId=";
  settings.totoOfficialVoteUrl = host + "/vote?holdCntId=";
  settings.totoOfficialResultUrl = host + "/result?holdCntId=";
  totoSettings() = settings;
  ArchiveDownloadOptions options;
  options.from = 1001;
  options.to = 1040;
  options.groups = {"A"};
  options.pause_ms = 0;
  auto t0 = std::chrono::steady_clock::now();
  ArchiveDownloadReport fetched = ArchiveDownload().Run(options);
  double per_round = Seconds(t0) / (options.to - options.from + 1);
  std::printf("archive download: %d files for %d rounds, %.1f ms per round (3 pages each)\n",
              fetched.fetched, fetched.total, per_round * 1000);
  server.stop();
  listener.join();
  fs::remove_all(dir);
  return 0;
}
