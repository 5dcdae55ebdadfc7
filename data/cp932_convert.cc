// Build tool: turns a UTF-8 source with LF lines (as kept in the repository)
// into the CP932 file with CR LF lines that the program reads.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "support/text.h"
#include "support/text_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: zelvo-cp932 IN.utf8 OUT\n";
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  text = zelvo::ReplaceAll(text, "\r\n", "\n");
  text = zelvo::ReplaceAll(text, "\n", "\r\n");
  std::string bytes = zelvo::ToCp932(text);
  // A character CP932 cannot hold would silently become "?" in a data file.
  if (zelvo::FromCp932(bytes) != text) {
    std::cerr << argv[1] << ": text not representable in CP932\n";
    return 1;
  }
  return zelvo::WriteFileBytes(argv[2], bytes, false) ? 0 : 1;
}
