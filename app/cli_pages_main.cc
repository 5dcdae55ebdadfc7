// Writes the man page and the bash completion of zelvomini-cli from its
// table of commands, at build time:
//   zelvomini-cli-pages TEMPLATE.1.in OUT.1 OUT.bash "MONTH YEAR"
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/cli_table.h"
#include "support/version.h"

namespace {

bool Write(const char* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (!out) std::cerr << "zelvomini-cli-pages: cannot write " << path << "\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: zelvomini-cli-pages TEMPLATE.1.in OUT.1 OUT.bash DATE\n";
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream page_template;
  page_template << in.rdbuf();
  if (!in) {
    std::cerr << "zelvomini-cli-pages: cannot read " << argv[1] << "\n";
    return 1;
  }
  const std::string page =
      zelvo::CliManPage(page_template.str(), zelvo::ProgramVersionText(), argv[4]);
  return Write(argv[2], page) && Write(argv[3], zelvo::CliBashCompletion()) ? 0 : 1;
}
