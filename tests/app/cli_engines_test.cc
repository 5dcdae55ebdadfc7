// The compress command over streams.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli.h"
#include "core/single_number.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

struct CliResult {
  int code = 0;
  std::vector<std::string> singles;  // the five-digit lines
  std::string counts;                // the last line
  std::string out, err;
};

bool IsDigits(const std::string& line) {
  return line.size() == 5 && line.find_first_not_of("012") == std::string::npos;
}

int FromDigits(const std::string& digits) {
  int no = 0, p = 1;
  for (char c : digits) {
    no += (c - '0') * p;
    p *= 3;
  }
  return no;
}

int Distance(int a, int b) {
  int d = 0;
  for (int m = 0; m < kMatches; ++m) d += OutcomeOf(a, m) != OutcomeOf(b, m);
  return d;
}

class CliEnginesTest : public ::testing::Test {
 protected:
  CliEnginesTest() { dir_.MakeMinimalSysData(); }

  CliResult Run(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    CliResult r;
    r.code = RunCli(args, in, out, err);
    r.out = out.str();
    r.err = err.str();
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
      if (IsDigits(line)) r.singles.push_back(line);
      r.counts = line;
    }
    return r;
  }

  testing::TempProgramDir dir_;
};

TEST_F(CliEnginesTest, FastEngineOverAllSinglesPrintsLogSinglesAndCounts) {
  CliResult r = Run({"compress", "--engine", "1", "--targets", "all"});
  ASSERT_EQ(r.code, 0) << r.err;
  ASSERT_EQ(r.singles.size(), 36u);
  const int first[] = {0, 13, 26, 32, 42, 46, 61, 65, 75, 82, 93, 114};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(FromDigits(r.singles[i]), first[i]) << i;
  EXPECT_EQ(r.singles[0], "00000");
  EXPECT_EQ(r.singles[1], "11100");  // 13 = 1 + 1*3 + 1*9, match 1 first
  EXPECT_EQ(r.counts.substr(0, 7), "243 36 ");
  EXPECT_NE(r.out.find("0000 候補の検索中...\n"), std::string::npos);
}

TEST_F(CliEnginesTest, TrialEngineIsReproducibleFromItsSeed) {
  std::vector<std::string> args = {"compress", "--engine", "2",  "--targets", "all", "--begin",
                                   "36",       "--end",    "27", "--seed",    "5"};
  CliResult a = Run(args);
  ASSERT_EQ(a.code, 0) << a.err;
  EXPECT_EQ(a.singles.size(), 27u);
  EXPECT_NE(a.out.find("27を検索中...確定"), std::string::npos);
  EXPECT_NE(a.out.find("指定口数に達したので検索を終了します"), std::string::npos);
  EXPECT_EQ(Run(args).singles, a.singles);
}

TEST_F(CliEnginesTest, TargetsFromACsvFile) {
  // Blank and four-field lines are skipped.
  dir_.WriteBytes("t.csv", "1,0,2,0,1\r\n\r\n1,1,1,1\r\n0,0,0,0,0\r\n2,2,2,2,2\r\n1,0,2,0,2\r\n");
  std::string path = dir_.path() + "/t.csv";
  CliResult r = Run({"compress", "--engine", "3", "--targets", path});
  ASSERT_EQ(r.code, 0) << r.err;
  std::vector<int> targets = {FromDigits("10201"), 0, 242, FromDigits("10202")};
  ASSERT_FALSE(r.singles.empty());
  for (int t : targets) {
    bool reached = false;
    for (const std::string& s : r.singles) reached = reached || Distance(FromDigits(s), t) <= 2;
    EXPECT_TRUE(reached) << t;
  }
  for (const std::string& s : r.singles) {
    EXPECT_NE(std::find(targets.begin(), targets.end(), FromDigits(s)), targets.end()) << s;
  }
  EXPECT_EQ(r.counts.substr(0, 2), "4 ");

  // No engine, extraction of two.
  r = Run({"compress", "--engine", "0", "--targets", path, "--extract", "2", "--seed", "1"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.singles.size(), 2u);
  EXPECT_EQ(r.counts.substr(0, 4), "4 2 ");
  EXPECT_NE(r.out.find("抽出"), std::string::npos);
}

TEST_F(CliEnginesTest, BadInputIsRefusedWithAClearMessage) {
  dir_.WriteBytes("bad.csv", "1,0,2,0,1\r\n1,0,3,0,1\r\n");
  CliResult r = Run({"compress", "--engine", "1", "--targets", dir_.path() + "/bad.csv"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("bad.csv: 2行目：試合の結果は 1, 0, 2 のいずれかです。"), std::string::npos);
  EXPECT_TRUE(r.singles.empty());

  r = Run({"compress", "--engine", "1", "--targets", dir_.path() + "/none.csv"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("cannot read"), std::string::npos);

  EXPECT_EQ(Run({"compress", "--engine", "1"}).code, 64);
  EXPECT_EQ(Run({"compress", "--targets", "all"}).code, 64);
  EXPECT_EQ(Run({"compress", "--engine", "6", "--targets", "all"}).code, 64);
  EXPECT_EQ(Run({"compress", "--engine", "x", "--targets", "all"}).code, 64);
  EXPECT_EQ(Run({"compress", "--engine", "1", "--targets", "all", "--begin"}).code, 64);
  EXPECT_EQ(Run({"compress", "--engine", "1", "--targets", "all", "--fast"}).code, 64);
}

TEST_F(CliEnginesTest, InterruptStopsTheSearchAndPrintsTheConfirmedResult) {
  // Signals that arrive before the command installs its handler, or after it
  // restores this one, are ignored instead of ending the test process.
  auto previous = std::signal(SIGINT, SIG_IGN);
  std::atomic<bool> done{false};
  std::thread sender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    while (!done) {
      kill(getpid(), SIGINT);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  // 26 singles never cover all 243 at grade 2: without the interrupt the
  // search would not end.
  CliResult r =
      Run({"compress", "--engine", "2", "--targets", "all", "--begin", "30", "--seed", "2"});
  done = true;
  sender.join();
  std::signal(SIGINT, previous);
  ASSERT_EQ(r.code, 130) << r.err;
  EXPECT_NE(r.out.find("を検索中...中断"), std::string::npos);
  EXPECT_GE(r.singles.size(), 27u);
  EXPECT_LE(r.singles.size(), 30u);
  for (int t = 0; t < kSingles; ++t) {
    bool reached = false;
    for (const std::string& s : r.singles) reached = reached || Distance(FromDigits(s), t) <= 1;
    EXPECT_TRUE(reached) << t;
  }
}

}  // namespace
}  // namespace zelvo
