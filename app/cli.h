// The command line, as a function over streams so that tests can drive it.
#ifndef ZELVOMINI_APP_CLI_H_
#define ZELVOMINI_APP_CLI_H_

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zelvo {

class ConsolePlatform;

struct CliContext {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  ConsolePlatform& console;
};

// args excludes the program name.  Returns the process exit code.
// `prepare_data`, when given, is called once the words ask for a command to
// run, before the start-up checks; false ends the run with status 2.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const std::function<bool()>& prepare_data = {});

// One command on a context the caller made: no start-up checks, no signal
// handling.  For tests that stand in for the files.
int RunCommand(CliContext& ctx, const std::vector<std::string>& args);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_H_
