// The outputs of the commands: checked before any work, so that a command
// never writes over what it reads.
#include <sys/stat.h>

#include <filesystem>
#include <ostream>

#include "app/cli_commands.h"
#include "support/paths.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

namespace fs = std::filesystem;

// The path with every link and "." or ".." resolved, as far as it exists.
std::string Resolved(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  return ec ? std::string() : p.string();
}

bool Inside(const std::string& path, const std::string& folder) {
  return !path.empty() && !folder.empty() && path.size() > folder.size() &&
         path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

}  // namespace

bool SameFile(const std::string& output, const std::string& input) {
  struct stat in {};
  // A name that is no file (a round number, a missing input) has nothing to lose.
  if (::stat(input.c_str(), &in) != 0) return false;
  struct stat out {};
  if (::stat(output.c_str(), &out) == 0) return out.st_dev == in.st_dev && out.st_ino == in.st_ino;
  std::string resolved = Resolved(output);
  return !resolved.empty() && resolved == Resolved(input);
}

bool CheckOutput(CliContext& ctx, const std::string& output, const std::vector<std::string>& inputs,
                 bool in_place) {
  for (const std::string& input : inputs) {
    if (SameFile(output, input)) {
      ctx.err << "zelvomini-cli: the output " << output << " is the input " << input
              << "; nothing was written\n";
      return false;
    }
  }
  // Every command reads the team tables and settings in SysData, and most
  // read its caches: an output there would replace the program's own data.
  // A document kept there by the user may still be updated in place.
  if (!in_place && Inside(Resolved(output), Resolved(SysDataPath()))) {
    ctx.err << "zelvomini-cli: the output " << output
            << " is in the program's data folder SysData; nothing was written\n";
    return false;
  }
  std::string reason;
  if (!CheckWritableTarget(output, reason)) {
    ctx.err << "zelvomini-cli: cannot write " << output << ": " << reason << "\n";
    return false;
  }
  return true;
}

}  // namespace zelvo
