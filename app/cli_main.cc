#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/data_location.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // --help and --version answer without making the user's data folder.
  const bool informational =
      !args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "--version");
  if (!informational) {
    zelvo::PrepareResult prepared = zelvo::SetUpDataLocation();
    if (!prepared.ok) {
      std::cerr << "zelvomini-cli: " << prepared.error << "\n";
      return 2;
    }
  }
  return zelvo::RunCli(args, std::cin, std::cout, std::cerr);
}
