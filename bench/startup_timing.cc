// How fast the command line starts: the processor time (user + system) of
// `zelvomini-cli --version`, `status` and `info` on the shipped sample
// document, side by side with /bin/true, as the median of many runs, and the
// shared libraries each start loads.  Run with
//   cmake --build build --target startup_timing zelvomini-cli zelvomini_sysdata &&
//   build/bench/startup_timing [RUNS] [-- PROGRAM ARGS...]
// With a program after "--" only that command is timed (for trying a change
// of the build by hand).
// A command that only prints its version should cost little more than
// /bin/true; what it costs beyond that is mostly the dynamic loader.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double cpu_ms = 0;
  double wall_ms = 0;
};

// One run with its output thrown away; false when it could not start or failed.
bool RunOnce(const std::vector<std::string>& argv, char** env, Sample& sample) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  const auto end = std::chrono::steady_clock::now();
  auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  sample.cpu_ms = ms(usage.ru_utime) + ms(usage.ru_stime);
  sample.wall_ms = std::chrono::duration<double, std::milli>(end - start).count();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The shared objects the dynamic loader maps for `program`, as ldd lists them.
int LibraryCount(const std::string& program) {
  std::string command = "LD_TRACE_LOADED_OBJECTS=1 '" + program + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  int lines = 0;
  for (int c = 0; (c = std::fgetc(pipe)) != EOF;) lines += c == '\n';
  return pclose(pipe) == 0 ? lines : -1;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 && argv[1][0] != '-' ? std::max(1, std::atoi(argv[1])) : 101;
  std::vector<std::string> own;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--") own.assign(argv + i + 1, argv + argc);
  }
  const std::string dir = ZELVO_PROGRAM_DIR_FOR_BENCH;
  const std::string cli = dir + "/zelvomini-cli";
  const std::string sample = dir + "/UserData/Zelvomini/sample-guarantee.tpd";
  if (own.empty() && (!std::ifstream(cli) || !std::ifstream(sample))) {
    std::fprintf(stderr, "build zelvomini-cli and zelvomini_sysdata first (%s)\n", cli.c_str());
    return 1;
  }
  struct Case {
    const char* label;
    std::vector<std::string> argv;
  };
  std::vector<Case> cases = {
      {"/bin/true", {"/bin/true"}},
      {"zelvomini-cli --version", {cli, "--version"}},
      {"zelvomini-cli status", {cli, "status"}},
      {"zelvomini-cli info SAMPLE", {cli, "info", sample}},
      {"zelvomini-cli info SAMPLE --json", {cli, "info", sample, "--json"}},
  };
  if (!own.empty()) cases = {{"the command given", own}};
  std::printf("%-34s %12s %12s %6s   (median of %d runs)\n", "command", "cpu ms", "wall ms", "libs",
              runs);
  int failed = 0;
  for (const Case& c : cases) {
    std::vector<double> cpu, wall;
    Sample s;
    bool ok = true;
    for (int i = 0; i < runs + 3 && ok; ++i) {
      ok = RunOnce(c.argv, environ, s);
      // The first runs fill the page cache and are not counted.
      if (i >= 3) {
        cpu.push_back(s.cpu_ms);
        wall.push_back(s.wall_ms);
      }
    }
    if (!ok) {
      std::printf("%-34s failed\n", c.label);
      ++failed;
      continue;
    }
    std::printf("%-34s %12.2f %12.2f %6d\n", c.label, Median(cpu), Median(wall),
                LibraryCount(c.argv[0]));
  }
  return failed ? 1 : 0;
}
