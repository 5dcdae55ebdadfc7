#include "app/cli.h"

#include <istream>
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_table.h"
#include "app/console_platform.h"
#include "app/gui_args.h"
#include "app/startup.h"
#include "support/platform.h"

namespace zelvo {
namespace {

// Restores the previous platform when a command ends, also by exception.
class PlatformScope {
 public:
  explicit PlatformScope(Platform* p) : previous_(SetPlatform(p)) {}
  ~PlatformScope() { SetPlatform(previous_); }

 private:
  Platform* previous_;
};

// Help, the version or a wrong use: answered here with the exit status;
// -1 for a command to run.
int Answer(const CliRequest& request, std::ostream& out) {
  switch (request.what) {
    case CliRequest::What::kUsageError:
      return 64;
    case CliRequest::What::kVersion:
      PrintVersion(out, "zelvomini-cli");
      return 0;
    case CliRequest::What::kHelp:
      if (request.command) {
        PrintCommandHelp(out, *request.command, request.path);
      } else {
        PrintProgramHelp(out);
      }
      return 0;
    case CliRequest::What::kRun:
      break;
  }
  return -1;
}

int RunRequest(CliContext& ctx, const CliRequest& request) {
  int rc = 1;
  try {
    rc = request.command->run(ctx, request.args);
  } catch (const std::exception& e) {
    ctx.err << "zelvomini-cli: " << e.what() << "\n";
  }
  // A command interrupted where it could not tell still ends as
  // interrupted: a script must not go on as if it had run to its end.
  if (AbortSignal() != 0 && rc != AbortExitCode()) {
    ctx.err << "zelvomini-cli: " << request.path << " interrupted by " << AbortSignalName()
            << (rc == 0 ? "; it had done its work before it could stop\n" : "\n");
    rc = AbortExitCode();
  }
  return rc;
}

}  // namespace

int RunCommand(CliContext& ctx, const std::vector<std::string>& args) {
  CliRequest request = ParseCommandLine(args, ctx.err);
  if (int rc = Answer(request, ctx.out); rc >= 0) return rc;
  ctx.console.assume_yes = ctx.console.assume_yes || request.yes;
  return RunRequest(ctx, request);
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const std::function<bool()>& prepare_data) {
  // The words are read before anything is touched: help, the version and a
  // wrong use need no data folder.
  CliRequest request = ParseCommandLine(args, err);
  if (int rc = Answer(request, out); rc >= 0) return rc;
  if (prepare_data && !prepare_data()) return 2;
  AbortScope abort;
  ConsolePlatform console(in, err);
  PlatformScope scope(&console);
  console.assume_yes = request.yes;
  if (!RunStartupChecks()) return 2;
  CliContext ctx{in, out, err, console};
  return RunRequest(ctx, request);
}

}  // namespace zelvo
