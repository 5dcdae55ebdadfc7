#include <iostream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "support/data_location.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // Help, the version and a wrong use answer without making the user's data
  // folder.
  return zelvo::RunCli(args, std::cin, std::cout, std::cerr, [] {
    zelvo::PrepareResult prepared = zelvo::SetUpDataLocation();
    if (!prepared.ok) std::cerr << "zelvomini-cli: " << prepared.error << "\n";
    return prepared.ok;
  });
}
