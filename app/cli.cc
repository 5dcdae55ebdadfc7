#include "app/cli.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/cli_report.h"
#include "app/console_platform.h"
#include "app/gui_args.h"
#include "app/startup.h"
#include "support/paths.h"
#include "support/platform.h"

namespace zelvo {
namespace {

struct Command {
  const char* name;
  int (*run)(CliContext&, const CliArgs&);
  const char* usage;
};

const Command kCommands[] = {
    {"status", CmdStatus, "status                          program folder, data files and settings"},
    {"team", CmdTeam, "team LONG_NAME ROUND [YEAR]     short name (and league in YEAR) of a club"},
    {"team-add", CmdTeamAdd,
     "team-add LONG_NAME SHORT_NAME   add a club to the user table TeamName3.dat"},
    {"single", CmdSingle,
     "single N|DIGITS                 a single's number, outcomes and neighbours"},
    {"update-teams", CmdUpdateTeams,
     "update-teams [--yes] [--restore] newer TeamName2.dat, or the one the last update replaced"},
    {"download", CmdDownload,
     "download KIND ROUND GROUP       fetch schedule|vote|result [--yes] [--refresh] [--add-teams]"},
    {"show", CmdShow, "show ROUND GROUP                cached schedule, vote status and result"},
    {"compress", CmdCompress, "compress --engine N --targets all|FILE.csv [...]  search engines"},
    {"print", CmdPrint, "print DOC.tpd --pdf OUT.pdf     mark sheets (--printer NAME, --test, --pages A-B)"},
    {"check", CmdCheck, "check DOC.tpd [--all|--next N]  grades of the singles against the result"},
    {"search", CmdSearch, "search DOC.tpd [-o OUT.tpd] [--seed N]  reduce and compress a document"},
    {"batch", CmdBatch, "batch DOC.tpd...                search and save each document in turn"},
    {"csv", CmdCsv, "csv export DOC.tpd OUT.csv | csv import DOC.tpd IN.csv [--add|--del]"},
    {"info", CmdInfo, "info DOC.tpd                    round, multi, conditions, engine, singles"},
    {"report", CmdReport, "report DOC.tpd --form 0|1|3|4     the clipboard text of a document"},
    {"import", CmdImport, "import DOC.tpd < TEXT            singles from clipboard text into a document"},
    {"coverage", CmdCoverage, "coverage BOUGHT [--results all|reduced|FILE]  matches right per result"},
    {"chances", CmdChances, "chances BOUGHT [--probs FILE.csv [--odds]]  win chances, expected return"},
    {"minimum", CmdMinimum, "minimum DOC.tpd|--targets all|FILE [--grade 2|3]  proven fewest singles"},
    {"lines", CmdLines, "lines OP A [B] [-o OUT.csv|OUT.tpd]  union, intersect, diff, ... of singles"},
    {"probs", CmdProbs,
     "probs DOC.tpd [--set FILE.csv [--odds] | --model | --clear]  own probabilities in a document"},
    {"archive", CmdArchive,
     "archive list | download FROM TO [--group A|B|both] [--pause S]  past rounds in the cache"},
    {"model", CmdModel,
     "model [history] | add FILE.csv | predict ROUND GROUP | evaluate --test FILE.csv...  goal model"},
    {"backtest", CmdBacktest,
     "backtest STRATEGY.tpd|.tpj [--rounds A-B] [--group G] [--multi vote-order|all|doc] [--probs model] [--csv F]"},
    {"live", CmdLive,
     "live DOC.tpd|FOLDER... [--known 1=2-1,3=cancelled] [--playing 4=1-0@60] [--csv F]"},
};

void PrintHelp(std::ostream& out) {
  out << "Usage: zelvomini-cli COMMAND [ARGS]\n"
         "\n"
         "The command line of Zelvo mini, on the data in the program folder's SysData.\n"
         "\n"
         "Commands:\n";
  for (const Command& c : kCommands) out << "  " << c.usage << "\n";
  out << "  --help                          this text\n"
         "  --version                       the program's version\n"
         "\n"
      << kAnalysisHelp;
}

// Restores the previous platform when a command ends, also by exception.
class PlatformScope {
 public:
  explicit PlatformScope(Platform* p) : previous_(SetPlatform(p)) {}
  ~PlatformScope() { SetPlatform(previous_); }

 private:
  Platform* previous_;
};

}  // namespace

bool TakeFlag(CliArgs& args, const std::string& flag) {
  auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  args.erase(it);
  return true;
}

bool TakeOption(CliArgs& args, const std::string& flag, std::string& value, bool& missing) {
  auto it = std::find(args.begin(), args.end(), flag);
  if (it == args.end()) return false;
  if (it + 1 == args.end()) {
    missing = true;
    args.erase(it);
    return false;
  }
  value = *(it + 1);
  args.erase(it, it + 2);
  return true;
}

int RunCli(const std::vector<std::string>& args_in, std::istream& in, std::ostream& out,
           std::ostream& err) {
  CliArgs args = args_in;
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    PrintHelp(out);
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    PrintVersion(out, "zelvomini-cli");
    return 0;
  }
  AbortScope abort;
  ConsolePlatform console(in, err);
  PlatformScope scope(&console);
  console.assume_yes = TakeFlag(args, "--yes");
  if (!RunStartupChecks()) return 2;
  if (args.empty()) {
    PrintHelp(out);
    return 0;
  }
  std::string name = args[0];
  args.erase(args.begin());
  CliContext ctx{in, out, err, console};
  for (const Command& c : kCommands) {
    if (name == c.name) {
      int rc = 1;
      try {
        rc = c.run(ctx, args);
      } catch (const std::exception& e) {
        err << "zelvomini-cli: " << e.what() << "\n";
      }
      // A command interrupted where it could not tell still ends as
      // interrupted: a script must not go on as if it had run to its end.
      if (AbortSignal() != 0 && rc != AbortExitCode()) {
        err << "zelvomini-cli: " << name << " interrupted by " << AbortSignalName()
            << (rc == 0 ? "; it had done its work before it could stop\n" : "\n");
        rc = AbortExitCode();
      }
      return rc;
    }
  }
  err << "zelvomini-cli: unknown command '" << name << "' (see --help)\n";
  return 64;
}

}  // namespace zelvo
