#include "app/gui_args.h"

#include <filesystem>
#include <ostream>

#include "support/paths.h"
#include "support/version.h"

namespace zelvo {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// file:///home/u/a%20b.tpd -> /home/u/a b.tpd; "" for another host or scheme.
std::string FileUriPath(const std::string& uri) {
  std::string rest = uri.substr(7);  // after "file://"
  if (rest.rfind("localhost/", 0) == 0) rest.erase(0, 9);
  if (rest.empty() || rest[0] != '/') return {};
  std::string path;
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 &&
        HexValue(rest[i + 2]) >= 0) {
      char c = static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      if (c == '\0') return {};
      path += c;
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return path;
}

}  // namespace

GuiArgs ParseGuiArgs(const std::vector<std::string>& args, const std::string& cwd) {
  GuiArgs parsed;
  bool options = true;
  for (const std::string& arg : args) {
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h")) {
      parsed.help = true;
    } else if (options && arg == "--version") {
      parsed.version = true;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      if (parsed.error.empty()) parsed.error = "unknown option '" + arg + "'";
    } else if (arg.rfind("file://", 0) == 0) {
      std::string path = FileUriPath(arg);
      if (path.empty()) {
        if (parsed.error.empty()) parsed.error = "not a local file: " + arg;
      } else {
        parsed.files.push_back(path);
      }
    } else if (!arg.empty()) {
      std::string path = arg[0] == '/' ? arg : JoinPath(cwd, arg);
      parsed.files.push_back(std::filesystem::path(path).lexically_normal().string());
    }
  }
  return parsed;
}

void PrintGuiHelp(std::ostream& out) {
  out << "Usage: zelvomini [FILE...]\n"
         "\n"
         "The desktop program of Zelvo mini.  Each FILE (a document .tpd, a condition\n"
         "file .tpj or a singles file .csv) is opened as by the File menu.  While the\n"
         "program runs, a second start hands its files to the open window.\n"
         "\n"
         "  --help     this text\n"
         "  --version  the program's version\n";
}

void PrintVersion(std::ostream& out, const char* program) {
  out << program << " (Zelvo mini) " << ProgramVersionText() << "\n" << CopyrightNotice() << "\n";
}

}  // namespace zelvo
