#include "app/cli_table.h"

#include <algorithm>

#include "app/cli_commands.h"
#include "app/cli_report.h"
#include "support/text.h"

namespace zelvo {

const std::vector<CliCommand>& CliCommands() {
  // A new command describes itself beside its code and joins here.
  static const std::vector<CliCommand> commands = {
      StatusCommand(),      TeamCommand(),     TeamAddCommand(), SingleCommand(),
      UpdateTeamsCommand(), DownloadCommand(), ShowCommand(),    CompressCommand(),
      PrintCommand(),       CheckCommand(),    SearchCommand(),  BatchCommand(),
      CsvCommand(),         InfoCommand(),     ReportCommand(),  ImportCommand(),
      CoverageCommand(),    ChancesCommand(),  MinimumCommand(), LinesCommand(),
      ProbsCommand(),       ArchiveCommand(),  ModelCommand(),   BacktestCommand(),
      LiveCommand(),
  };
  return commands;
}

const std::vector<CliOption>& CliCommonOptions() {
  static const std::vector<CliOption> options = {
      {"--help", "", {}, "this text"},
  };
  return options;
}

const std::vector<CliOption>& CliProgramOptions() {
  static const std::vector<CliOption> options = {
      {"--yes", "", {}, "answer yes to every question a command asks (downloads), for scripts"},
      {"--help", "", {}, "this text; after a command, that command's help (also: help COMMAND)"},
      {"--version", "", {}, "the program's version"},
  };
  return options;
}

const std::vector<CliExit>& CliCommonExits() {
  static const std::vector<CliExit> exits = {
      {0, "success"},
      {1, "the command failed (it says why)"},
      {2, "the data folder or a required team-name file is missing"},
      {64, "wrong arguments"},
      {130, "interrupted by Ctrl+C (SIGINT)"},
      {143, "ended by SIGTERM"},
  };
  return exits;
}

namespace {

const std::vector<std::string> kNone;

}  // namespace

void CliArgs::Set(const std::string& name, std::vector<std::string> values) {
  for (auto& [n, v] : values_) {
    if (n == name) {
      v = std::move(values);
      return;
    }
  }
  values_.emplace_back(name, std::move(values));
}

const std::vector<std::string>& CliArgs::All(std::string_view name) const {
  for (const auto& [n, v] : values_) {
    if (n == name) return v;
  }
  return kNone;
}

bool CliArgs::Has(std::string_view name) const { return !All(name).empty(); }

std::string CliArgs::Get(std::string_view name, const std::string& otherwise) const {
  const std::vector<std::string>& v = All(name);
  return v.empty() ? otherwise : v.front();
}

long long CliArgs::Int(std::string_view name, long long otherwise) const {
  const std::vector<std::string>& v = All(name);
  long long n = otherwise;
  if (!v.empty() && !ParseInt64(v.front(), n)) n = otherwise;
  return n;
}

double CliArgs::Number(std::string_view name, double otherwise) const {
  const std::vector<std::string>& v = All(name);
  if (v.empty()) return otherwise;
  double value = otherwise;
  return ParseExactDecimal(v.front(), value) ? value : otherwise;
}

void CliArgs::Range(std::string_view name, int& from, int& to) const {
  if (!ParseCliRange(Get(name), from, to)) from = to = 0;
}

}  // namespace zelvo
