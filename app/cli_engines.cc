// compress: the engine driver over all singles or a CSV file of singles.
#include <ostream>
#include <string>
#include <vector>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/console_platform.h"
#include "core/multi_table.h"
#include "core/single_number.h"
#include "engines/engine_settings.h"
#include "engines/ms_engine.h"
#include "files/csv_file.h"
#include "files/line_reader.h"
#include "reduction/run_log.h"
#include "support/random.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kUsage =
    "usage: zelvomini-cli compress --engine N (--targets all | --targets FILE.csv)\n"
    "         [--begin N] [--end N] [--time S] [--se-begin N] [--se-time S]\n"
    "         [--ex2] [--ex3] [--extract N] [--seed N]\n";

bool TakeInt(CliArgs& args, const std::string& flag, int& value, bool& bad) {
  std::string text;
  bool missing = false;
  if (!TakeOption(args, flag, text, missing)) {
    bad = bad || missing;
    return false;
  }
  if (!ParseInt32(text, value)) bad = true;
  return !bad;
}

}  // namespace

// The singles of a CSV file, line by line as the window reads them (one
// single a line, the outcomes of matches 1 to 5 separated by ","), with the
// same words for a bad line or a file without one single.
bool ReadSinglesCsv(const std::string& path, std::vector<int>& singles, std::ostream& err) {
  LineReader reader(4096, true);
  if (!reader.Open(path)) {
    err << "zelvomini-cli: cannot read " << path << ": " << UnreadableFileReason(path) << "\n";
    return false;
  }
  auto fail = [&err](const std::string& message) {
    err << "zelvomini-cli: " << ReplaceAll(message, "\r\n", ": ") << "\n";
    return false;
  };
  std::vector<int> read;
  std::string line;
  for (;;) {
    LineReader::Result r = reader.Next(line);
    if (r == LineReader::Result::kEnd) break;
    if (r == LineReader::Result::kError) {
      err << "zelvomini-cli: cannot read " << path << "\n";
      return false;
    }
    if (r != LineReader::Result::kLine) continue;
    if (reader.LineNumber() == 1) StripByteOrderMark(line);
    int single = 0;
    CsvLineKind kind = ParseCsvLine(line, single);
    if (kind == CsvLineKind::kBad) return fail(CsvBadLineMessage(path, reader.LineNumber()));
    if (kind == CsvLineKind::kSingle) read.push_back(single);
  }
  if (read.empty()) return fail(CsvNoSingleMessage(path));
  singles.insert(singles.end(), read.begin(), read.end());
  return true;
}

std::string OutcomeDigits(int single) {
  std::string out;
  for (int m = 0; m < kMatches; ++m) out += static_cast<char>('0' + OutcomeOf(single, m));
  return out;
}

int CmdCompress(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  EngineSettings s;
  bool bad = false;
  bool have_engine = TakeInt(args, "--engine", s.MsEngine, bad);
  std::string targets_arg;
  bool missing = false;
  bool have_targets = TakeOption(args, "--targets", targets_arg, missing);
  bad = bad || missing;
  TakeInt(args, "--begin", s.BeginCount, bad);
  TakeInt(args, "--end", s.EndCount, bad);
  TakeInt(args, "--time", s.EndTime, bad);
  TakeInt(args, "--se-begin", s.SeBeginCount, bad);
  TakeInt(args, "--se-time", s.SeEndTime, bad);
  s.ExGrade2 = TakeFlag(args, "--ex2");
  s.ExGrade3 = TakeFlag(args, "--ex3");
  if (TakeInt(args, "--extract", s.ChushutsuCount, bad)) s.ChushutsuFlag = true;
  int seed = 0;
  bool have_seed = TakeInt(args, "--seed", seed, bad);
  if (bad || !have_engine || !have_targets || !args.empty() || s.MsEngine < 0 ||
      s.MsEngine >= kEngineChoiceCount) {
    ctx.err << kUsage;
    return 64;
  }

  std::vector<int> singles;
  if (targets_arg == "all") {
    for (int i = 0; i < kSingles; ++i) singles.push_back(i);
  } else if (!ReadSinglesCsv(targets_arg, singles, ctx.err)) {
    return 1;
  }
  // The multi whose chosen cells are exactly the outcomes the targets hold,
  // the source of the widened candidates.
  MultiTable multi{};
  for (int t : singles) {
    for (int m = 0; m < kMatches; ++m) multi[OutcomeOf(t, m)][m] = 1;
  }
  if (have_seed) SeedRandom(static_cast<uint64_t>(static_cast<uint32_t>(seed)));

  RunLogList log;
  log.on_line = [&](const std::string& line) { ctx.out << line << "\n" << std::flush; };
  clsTMsg stopwatch;
  stopwatch.Initialize(&log);
  stopwatch.Cls();

  clsTMsEngine driver;
  driver.Initialize(&log);
  auto previous_yield = ctx.console.on_yield;
  ctx.console.on_yield = [&] {
    if (previous_yield) previous_yield();
    if (AbortSignal() != 0) driver.EngineStop();
  };
  int count = static_cast<int>(singles.size());
  std::array<int, 6> tousen{};
  driver.Compress(count, singles, s, multi, tousen);
  ctx.console.on_yield = previous_yield;

  for (int i = 0; i < count; ++i) ctx.out << OutcomeDigits(singles[i]) << "\n";
  for (int i = 0; i < 6; ++i) ctx.out << (i ? " " : "") << tousen[i];
  ctx.out << "\n";
  if (AbortSignal() != 0) {
    // An interrupted engine still hands back the result it had confirmed,
    // which guards every target it claims to; the status tells a script that
    // the search did not run to its end.
    ctx.err << "zelvomini-cli: interrupted by " << AbortSignalName()
            << "; the singles above are the last confirmed result\n";
    return AbortExitCode();
  }
  return 0;
}

}  // namespace zelvo
