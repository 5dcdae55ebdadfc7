// The desktop program's command line: --help, --version and the files to open.
#ifndef ZELVOMINI_APP_GUI_ARGS_H_
#define ZELVOMINI_APP_GUI_ARGS_H_

#include <iosfwd>
#include <string>
#include <vector>

namespace zelvo {

struct GuiArgs {
  bool help = false;
  bool version = false;
  // Absolute paths, in the order given.
  std::vector<std::string> files;
  // Set for an option the program does not know.
  std::string error;
};

// args excludes the program name (and any option Qt took for itself).
// Relative paths are taken from cwd, so that a running window handed them
// by a second start opens the files the user named; file:// addresses
// (from desktops that pass them) become paths.
GuiArgs ParseGuiArgs(const std::vector<std::string>& args, const std::string& cwd);

void PrintGuiHelp(std::ostream& out);
void PrintVersion(std::ostream& out, const char* program);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_GUI_ARGS_H_
