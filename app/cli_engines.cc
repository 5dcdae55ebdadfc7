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

namespace {

int CmdCompress(CliContext& ctx, const CliArgs& args) {
  EngineSettings s;
  s.MsEngine = static_cast<int>(args.Int("--engine"));
  const std::string targets_arg = args.Get("--targets");
  auto set = [&args](const char* option, int& value) {
    if (args.Has(option)) value = static_cast<int>(args.Int(option));
  };
  set("--begin", s.BeginCount);
  set("--end", s.EndCount);
  set("--time", s.EndTime);
  set("--se-begin", s.SeBeginCount);
  set("--se-time", s.SeEndTime);
  s.ExGrade2 = args.Has("--ex2");
  s.ExGrade3 = args.Has("--ex3");
  if (args.Has("--extract")) {
    s.ChushutsuCount = static_cast<int>(args.Int("--extract"));
    s.ChushutsuFlag = true;
  }
  const bool have_seed = args.Has("--seed");
  const int seed = static_cast<int>(args.Int("--seed"));

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

}  // namespace

CliCommand CompressCommand() {
  const CliValue count{CliKind::kInt, {}, -2147483648.0, 2147483647.0};
  return {
      .name = "compress",
      .summary = "run a compression engine on its own",
      .options = {{"--engine",
                   "N",
                   {CliKind::kInt, {}, 0, kEngineChoiceCount - 1},
                   "the engine: 0 none (every single kept), 1 and 2 the fast and the trial search "
                   "for grade 2, 3 and 4 the same for grade 3, 5 the count optimisation",
                   {},
                   {},
                   true},
                  {"--targets",
                   "all|FILE.csv",
                   {CliKind::kCsv, {"all"}},
                   "the singles to guard: all 243, or a CSV file of singles",
                   {},
                   {},
                   true},
                  {"--begin", "N", count, "singles to start the search from"},
                  {"--end", "N", count, "singles at which the search ends"},
                  {"--time", "S", count, "seconds after which a search for one fewer ends"},
                  {"--se-begin", "N", count, "singles the count optimisation starts with"},
                  {"--se-time", "S", count, "seconds the count optimisation runs"},
                  {"--ex2", "", {}, "widen the candidates to grade 2"},
                  {"--ex3", "", {}, "widen the candidates to grade 3"},
                  {"--extract", "N", count, "draw N singles at random from the result"},
                  {"--seed", "N", count, "the random generator's seed, for a repeatable run"}},
      .details =
          "Prints the run log, then the chosen singles one a line as five outcome "
          "digits (match 1 first), then the six coverage counts.  Interrupted, it "
          "prints the last confirmed result and ends with 130 or 143.",
      .exits = {{1, "the targets file cannot be read"}},
      .run = CmdCompress};
}

}  // namespace zelvo
