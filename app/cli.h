// The command line, as a function over streams so that tests can drive it.
#ifndef ZELVOMINI_APP_CLI_H_
#define ZELVOMINI_APP_CLI_H_

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
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_H_
