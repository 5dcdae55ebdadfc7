// Ctrl+C and kill against the real zelvomini-cli in a child process: a
// search or a batch run that is interrupted saves nothing, leaves every
// document as it was, says what was not done and exits 128 + the signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli.h"
#include "files/tpd_file.h"
#include "official/xml_result.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"
#include "tests/common/http_test_server.h"
#include "tests/common/official_fixtures.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

struct ChildResult {
  bool exited = false;
  int status = -1;  // the exit status, or the signal that ended it
  std::string out;
  std::string err;
};

class CliSignalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.MakeMinimalSysData();
    // The program folder is the executable's: a copy of it runs on this
    // test's SysData, never on the build's.
    cli_ = Path("zelvomini-cli");
    fs::copy_file(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/zelvomini-cli", cli_);
    fs::permissions(cli_, fs::perms::owner_all);
    // The shipped sample with the count optimisation over 3 singles, which
    // can never cover its targets and so searches for 100 seconds.
    clsTFileTPD tpd;
    DocumentRecord doc;
    ASSERT_TRUE(LoadDocumentFile(
        tpd, std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/UserData/Zelvomini/sample-guarantee.tpd",
        true, false, doc));
    doc.Engine.MsEngine = 5;
    doc.Engine.SeBeginCount = 3;
    doc.Engine.SeEndTime = 100;
    ASSERT_TRUE(tpd.SaveFile(Path("long.tpd"), true, doc, false));
    ASSERT_TRUE(ReadFileBytes(Path("long.tpd"), long_bytes_));
  }
  std::string Path(const std::string& name) const { return JoinPath(dir_.path(), name); }
  std::string Bytes(const std::string& name) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Path(name), bytes)) << name;
    return bytes;
  }

  // Runs the CLI, sends `signal_number` once its output (or its error
  // stream) holds `ready`, and
  // waits for it to end (at most 60 seconds).
  ChildResult RunAndSignal(const std::vector<std::string>& args, const std::string& ready,
                           int signal_number) {
    ChildResult r;
    int out_pipe[2], err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return r;
    pid_t pid = fork();
    if (pid == 0) {
      dup2(out_pipe[1], 1);
      dup2(err_pipe[1], 2);
      close(out_pipe[0]);
      close(err_pipe[0]);
      std::vector<char*> argv{const_cast<char*>(cli_.c_str())};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(cli_.c_str(), argv.data());
      _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    const auto start = std::chrono::steady_clock::now();
    bool sent = false;
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    int open_pipes = 2;
    while (open_pipes > 0) {
      if (std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
        kill(pid, SIGKILL);
        break;
      }
      if (poll(fds, 2, 100) <= 0) continue;
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
        char buf[4096];
        ssize_t n = read(fds[i].fd, buf, sizeof buf);
        if (n <= 0) {
          close(fds[i].fd);
          fds[i].fd = -1;
          --open_pipes;
          continue;
        }
        (i == 0 ? r.out : r.err).append(buf, static_cast<size_t>(n));
      }
      if (!sent && (Contains(r.out, ready) || Contains(r.err, ready))) {
        kill(pid, signal_number);
        sent = true;
      }
    }
    for (pollfd& f : fds) {
      if (f.fd >= 0) close(f.fd);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    r.exited = WIFEXITED(status);
    r.status = r.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    EXPECT_TRUE(sent) << "never reached: " << ready << "\n" << r.out << r.err;
    return r;
  }

  testing::TempProgramDir dir_;
  std::string cli_;
  std::string long_bytes_;
};

TEST_F(CliSignalTest, AnInterruptedSearchSavesNothing) {
  for (int sig : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(sig);
    // In place and to another file alike.
    ChildResult r = RunAndSignal({"search", Path("long.tpd")}, "キャッシュ構築中", sig);
    EXPECT_TRUE(r.exited) << r.status;
    EXPECT_EQ(r.status, 128 + sig) << r.err;
    EXPECT_FALSE(Contains(r.out, "Saved")) << r.out;
    EXPECT_TRUE(Contains(r.err, "nothing was written to " + Path("long.tpd"))) << r.err;
    EXPECT_EQ(Bytes("long.tpd"), long_bytes_);

    r = RunAndSignal({"search", Path("long.tpd"), "-o", Path("out.tpd")}, "キャッシュ構築中", sig);
    EXPECT_EQ(r.status, 128 + sig) << r.err;
    EXPECT_FALSE(FileExists(Path("out.tpd")));
  }
}

TEST_F(CliSignalTest, AnInterruptedBatchListsTheRowsNotRun) {
  for (const char* name : {"b1.tpd", "b2.tpd", "b3.tpd"}) {
    ASSERT_TRUE(WriteFileBytes(Path(name), long_bytes_));
  }
  ChildResult r = RunAndSignal({"batch", Path("b1.tpd"), Path("b2.tpd"), Path("b3.tpd")},
                               "b1.tpd\t実行中", SIGINT);
  EXPECT_TRUE(r.exited);
  EXPECT_EQ(r.status, 130) << r.err;
  EXPECT_TRUE(Contains(r.out, Path("b1.tpd") + "\t中止\n")) << r.out;
  EXPECT_FALSE(Contains(r.out, "成功")) << r.out;
  EXPECT_TRUE(Contains(r.err, "not run, unchanged:\n  " + Path("b1.tpd") + "\n  " + Path("b2.tpd") +
                                  "\n  " + Path("b3.tpd") + "\n"))
      << r.err;
  for (const char* name : {"b1.tpd", "b2.tpd", "b3.tpd"}) EXPECT_EQ(Bytes(name), long_bytes_);
}

// Ctrl+C in a backtest stops inside the round in progress (a round of the
// count optimisation lasts a second here), prints the rounds done and exits
// 130, long before the remaining rounds would have run.
TEST_F(CliSignalTest, AnInterruptedBacktestShowsTheRoundsDone) {
  // The shipped cache of made-up rounds, with the tables that name its clubs.
  fs::copy(std::string(ZELVO_PROGRAM_DIR_FOR_TESTS) + "/SysData", Path("SysData"),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const auto start = std::chrono::steady_clock::now();
  ChildResult r = RunAndSignal({"backtest", Path("long.tpd"), "--rounds", "9001-9012", "--multi",
                                "doc", "--round-time", "1", "--csv", Path("b.csv")},
                               "[2/24] rounds replayed, at most 1 s", SIGINT);
  EXPECT_TRUE(r.exited);
  EXPECT_EQ(r.status, 130) << r.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
  EXPECT_TRUE(Contains(r.out, " 9001 A ")) << r.out;
  EXPECT_TRUE(Contains(r.out, " 9001 B ")) << r.out;
  EXPECT_FALSE(Contains(r.out, " 9012 B ")) << r.out;
  EXPECT_TRUE(Contains(r.err, "backtest interrupted by SIGINT after ")) << r.err;
  EXPECT_FALSE(FileExists(Path("b.csv")));
}

// A download that Ctrl+C interrupts ends at once and caches nothing: the page
// stalls halfway for longer than the test waits.
TEST(CliSignalDownloadTest, AnInterruptedDownloadCachesNothing) {
  testing::TempProgramDir dir;
  testing::HttpTestServer server;
  testing::InstallShippedTeamNames(dir);
  testing::WriteSettingsFor(dir, server);
  testing::HttpRoute route;
  route.body = testing::ReadPage("result_1487.html");
  route.stall_ms = 60000;
  server.SetRoute("/result", route);
  // Signals outside the command's own handler are ignored, not fatal.
  auto previous = std::signal(SIGINT, SIG_IGN);
  std::atomic<bool> done{false};
  std::thread sender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    while (!done) {
      kill(getpid(), SIGINT);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  });
  std::istringstream in;
  std::ostringstream out, err;
  const auto start = std::chrono::steady_clock::now();
  int rc = RunCli({"download", "result", "1487", "A", "--yes"}, in, out, err);
  done = true;
  sender.join();
  std::signal(SIGINT, previous);
  EXPECT_EQ(rc, 130) << out.str() << err.str();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_FALSE(FileExists(clsXmlResult::GetFileName(1487, "A")));
}

}  // namespace
}  // namespace zelvo
