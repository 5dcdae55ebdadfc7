#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "support/paths.h"
#include "support/platform.h"
#include "support/text_file.h"

namespace zelvo::fuzz {
namespace {

int g_messages = 0;

// Answers every question with its default and never blocks; the clock stands
// still so that a date without a year reads the same in every run.
class QuietPlatform : public HeadlessPlatform {
 public:
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons buttons,
                       int default_button) override {
    ++g_messages;
    return DefaultAnswer(buttons, default_button);
  }
  void Sleep(int) override {}
  uint32_t TickCount() override { return 0; }
  DateTime Now() override { return DateTime::Date(2024, 6, 1); }
};

}  // namespace

void Setup() {
  static bool done = false;
  if (done) return;
  done = true;
  static QuietPlatform quiet;
  SetPlatform(&quiet);
  // A memory-backed folder where there is one: every input is written to a
  // file and read back.
  std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
  std::filesystem::path dir = base / ("zelvo-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "SysData");
  std::error_code ec;
  for (const char* name : {"TeamName.dat", "TeamName1.dat", "TeamName2.dat", "J1J2.dat"}) {
    std::filesystem::copy_file(std::filesystem::path(ZELVO_SHIPPED_SYSDATA) / name,
                               dir / "SysData" / name,
                               std::filesystem::copy_options::overwrite_existing, ec);
  }
  SetProgramDir(dir.string());
  static std::string remove_at_exit = dir.string();
  std::atexit([] {
    std::error_code e;
    std::filesystem::remove_all(remove_at_exit, e);
  });
}

std::string WriteInput(std::string_view relative, std::string_view bytes) {
  std::string path = JoinPath(ProgramDir(), relative);
  Require(WriteFileBytes(path, bytes, false), "the input file could not be written");
  return path;
}

int TakeMessageCount() {
  int n = g_messages;
  g_messages = 0;
  return n;
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace zelvo::fuzz
