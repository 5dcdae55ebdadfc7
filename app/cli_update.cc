// The team-name update from the maker's server on the command line.
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/console_platform.h"
#include "core/pendralcove_download.h"
#include "official/win_inet.h"

namespace zelvo {
namespace {

// The progress lines of a download, written to the error stream as the
// download window would list them.
class ConsoleProgress : public WinInetProgressSink {
 public:
  explicit ConsoleProgress(std::ostream& err) : err_(err) {}
  ~ConsoleProgress() override { EndLine(); }
  void Open() override {}
  void AddLine(const std::string& line) override {
    EndLine();
    err_ << line;
    open_line_ = true;
  }
  void AppendToLastLine(const std::string& text) override { err_ << text; }
  void Close() override { EndLine(); }
  // Ctrl+C ends the transfer: a page cut short is never cached.
  bool CancelRequested() override { return AbortSignal() != 0; }

 private:
  void EndLine() {
    if (open_line_) err_ << "\n" << std::flush;
    open_line_ = false;
  }
  std::ostream& err_;
  bool open_line_ = false;
};

}  // namespace

int CmdUpdateTeams(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  bool yes = TakeFlag(args, "--yes") || ctx.console.assume_yes;
  bool restore = TakeFlag(args, "--restore");
  if (!args.empty()) {
    ctx.err << "usage: zelvomini-cli update-teams [--yes] [--restore]\n"
               "       (--restore puts back the TeamName2.dat the last update replaced)\n";
    return 64;
  }
  if (!CheckDownloadFolderRights()) return 1;
  if (restore) return clsPendralcoveDownload::RestoreTeamName2(!yes) ? 0 : 1;
  ConsoleProgress progress(ctx.err);
  clsPendralcoveDownload download;
  download.WinInet().SetProgressSink(&progress);
  return download.DownloadTeamName2(!yes) ? 0 : 1;
}

}  // namespace zelvo
