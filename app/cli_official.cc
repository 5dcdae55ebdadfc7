// The official-data commands: download a kind into the cache through the
// same services the window uses, and show what the cache holds for a round.
#include <istream>
#include <ostream>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "core/round_document.h"
#include "core/team_name_add.h"
#include "official/official_service.h"
#include "official/round_archive.h"
#include "official/services.h"
#include "official/win_inet.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text.h"

namespace zelvo {
namespace {

// The download's progress lines on the terminal, as the progress window
// would list them.
class ConsoleProgress : public WinInetProgressSink {
 public:
  explicit ConsoleProgress(std::ostream& out) : out_(out) {}
  ~ConsoleProgress() override { EndLine(); }
  void Open() override {}
  void AddLine(const std::string& line) override {
    EndLine();
    out_ << TrimLeft(line);
    open_ = true;
  }
  void AppendToLastLine(const std::string& text) override {
    out_ << text;
    open_ = true;
  }
  void Close() override { EndLine(); }
  // Ctrl+C ends the transfer: a page cut short is never cached.
  bool CancelRequested() override { return AbortSignal() != 0; }

 private:
  void EndLine() {
    if (open_) out_ << "\n" << std::flush;
    open_ = false;
  }
  std::ostream& out_;
  bool open_ = false;
};

class ProgressScope {
 public:
  explicit ProgressScope(WinInetProgressSink* sink)
      : previous_(SetDefaultWinInetProgressSink(sink)) {}
  ~ProgressScope() { SetDefaultWinInetProgressSink(previous_); }

 private:
  WinInetProgressSink* previous_;
};

bool ParseRoundAndGroup(const CliArgs& args, size_t at, int& round, std::string& group) {
  if (args.size() != at + 2 || !ParseInt32(args[at], round) || round < 1 || round > 9999) {
    return false;
  }
  group = args[at + 1];
  return group == "A" || group == "B";
}

std::string ProgramRelative(const std::string& path) {
  const std::string& dir = ProgramDir();
  return path.starts_with(dir + "/") ? path.substr(dir.size() + 1) : path;
}

std::string Count(Money v) { return FormatNumber(v, "#,##0"); }
std::string Date(DateTime d) { return d.IsZero() ? "-" : d.ToString(); }
std::string Col(const std::string& text, int width) { return PadCutColumns(text, width); }

// Reports how a Get ended: what came from where, or why nothing came.
template <typename Service>
int Finish(CliContext& ctx, Service& service, bool ok, bool had_file, bool refresh,
           const std::string& label, int round, const std::string& group, const std::string& path,
           bool cache_optional = false) {
  std::string head = label + " " + std::to_string(round) + " " + group + ": ";
  if (ok && service.FromFile()) {
    ctx.out << head << "already cached in " << ProgramRelative(path)
            << " (--refresh fetches it again)\n";
    return 0;
  }
  if (ok && service.Saved()) {
    ctx.out << head << "downloaded and cached in " << ProgramRelative(path)
            << (had_file ? ", replacing the file it held" : "") << "\n";
    return 0;
  }
  if (ok) {
    ctx.out << head << "downloaded (not cached)\n";
    // A file the cache cannot use is replaced by the first usable page that
    // may be cached; interim figures may not.
    if (had_file && !refresh) {
      ctx.out << "  the cached file " << ProgramRelative(path)
              << " is unusable; a usable final page replaces it\n";
      return 1;
    }
    // Only an interim vote status is never cached; any other record that
    // was not is a save that failed (and was reported).
    return cache_optional ? 0 : 1;
  }
  service.FalseDialog(round);
  ctx.out << head
          << (service.Cancel()            ? "download cancelled"
              : service.OtherRound() != 0 ? "the site answered with round " +
                                                std::to_string(service.OtherRound()) + "'s page"
                                          : "nothing usable")
          << "\n";
  if (refresh && had_file) ctx.out << "  the cached file is kept\n";
  return 1;
}

// What `show` shows of a round: its records, and whether each kind's file
// is there at all.
struct ShownRound {
  ScheduleRecord schedule;
  VoteStatusRecord vote;
  ResultRecord result;
  bool no_game = false;
  bool schedule_file = false, vote_file = false, result_file = false;
};

// False when a cached file exists but could not be read.
bool ShowSchedule(CliContext& ctx, const ShownRound& shown) {
  const ScheduleRecord& s = shown.schedule;
  if (shown.no_game) {
    ctx.out << "Schedule: marked as not held\n";
    return true;
  }
  if (s.Kaisaikai == 0) {
    ctx.out << "Schedule: " << (shown.schedule_file ? "cached file unusable" : "not cached")
            << "\n";
    return !shown.schedule_file;
  }
  ctx.out << "Schedule" << (s.holding_state == kHoldingCancelled ? " (round cancelled)" : "")
          << "\n";
  ctx.out << "  Sale " << Date(s.sale_start) << " to " << Date(s.sale_end) << ", result "
          << Date(s.result_announcement) << ", payout " << Date(s.payout_start) << " to "
          << Date(s.payout_deadline) << "\n";
  ctx.out << "  No  " << Col("Date", 11) << Col("Kick-off", 9) << Col("Stadium", 11)
          << Col("Home", 11) << Col("", 6) << "Away\n";
  for (int n = 0; n < 5; ++n) {
    const ScheduleMatch& m = s.matches[n];
    ctx.out << "  " << n + 1 << "   " << Col(m.match_date.Format("yyyy/mm/dd"), 11)
            << Col(m.kickoff.Format("h:nn"), 9) << Col(m.stadium, 11) << Col(m.home, 11)
            << Col(m.state, 6) << m.away << "\n";
  }
  return true;
}

// False when a cached file exists but could not be read.
bool ShowVote(CliContext& ctx, const ShownRound& shown) {
  const VoteStatusRecord& v = shown.vote;
  if (v.Kaisaikai == 0) {
    ctx.out << "Vote status: " << (shown.vote_file ? "cached file unusable" : "not cached") << "\n";
    return !shown.vote_file;
  }
  ctx.out << "Vote status as of " << Date(v.as_of) << "\n";
  ctx.out << "  No  " << Col("Home", 11) << Col("Away", 11) << PadLeftColumns("1", 19)
          << PadLeftColumns("0", 19) << PadLeftColumns("2", 19) << "\n";
  for (int n = 0; n < 5; ++n) {
    const VoteMatch& m = v.matches[n];
    ctx.out << "  " << n + 1 << "   " << Col(m.home, 11) << Col(m.away, 11);
    for (int code : {1, 0, 2}) {
      const VoteOutcome& o = m.outcomes[code];
      ctx.out << PadLeftColumns(Count(o.count) + " (" + FormatNumber(o.rate, "0.00") + "%)", 19);
    }
    ctx.out << "\n";
  }
  struct Line {
    const char* name;
    const std::array<Money, 3>& figures;
    const char* unit;
  };
  for (const Line& l : {Line{"Sales", v.sales, " yen"}, Line{"Tickets", v.tickets, ""},
                        Line{"Cards", v.cards, ""}}) {
    ctx.out << "  " << Col(l.name, 9) << Count(l.figures[kTotal]) << l.unit << " (multi "
            << Count(l.figures[kMulti]) << ", single " << Count(l.figures[kSingle]) << ")\n";
  }
  return true;
}

// False when a cached file exists but could not be read.
bool ShowResult(CliContext& ctx, const ShownRound& shown) {
  const ResultRecord& r = shown.result;
  if (r.Kaisaikai == 0) {
    ctx.out << "Result: " << (shown.result_file ? "cached file unusable" : "not cached") << "\n";
    return !shown.result_file;
  }
  ctx.out << "Result" << (r.cancelled ? " (round cancelled)" : "") << "\n";
  ctx.out << "  No  " << Col("Home", 11) << Col("Score", 8) << Col("Away", 11) << "Outcome\n";
  for (int n = 0; n < 5; ++n) {
    const ResultMatch& m = r.matches[n];
    bool off = m.result == kResultCancelled;
    ctx.out << "  " << n + 1 << "   " << Col(m.home, 11)
            << Col(off ? "中止" : std::to_string(m.home_score) + "-" + std::to_string(m.away_score),
                   8)
            << Col(m.away, 11) << (off ? "*" : std::to_string(m.result)) << "\n";
  }
  if (r.cancelled) {
    ctx.out << "  Refund from " << Date(r.payout_start) << " to " << Date(r.payout_deadline)
            << "\n";
    return true;
  }
  ctx.out << "  Prize " << Count(r.prize[0]) << " yen, winners " << Count(r.winners[0])
          << ", carryover " << Count(r.carryover[0]) << " yen\n";
  return true;
}

// The command line's form of the dialog of unknown clubs: the list with the
// suggested short names, then one question (a row number edits that row's
// short name first).  With `without_asking` the suggestions are added as
// they are, for scripts.
bool AddUnknownTeams(CliContext& ctx, bool without_asking, const std::vector<std::string>& names) {
  std::vector<TeamNameEntry> entries;
  for (const std::string& name : names) entries.push_back({name, SuggestShortTeamName(name)});
  auto read_line = [&ctx](std::string& line) {
    if (!std::getline(ctx.in, line)) return false;
    if (line.ends_with('\r')) line.pop_back();
    return true;
  };
  for (;;) {
    ctx.err << "チーム名が登録されていません (" << entries.size() << "):\n";
    for (size_t i = 0; i < entries.size(); ++i) {
      ctx.err << "  " << i + 1 << "  " << entries[i].short_name << " = " << entries[i].long_name
              << "\n";
    }
    if (!without_asking) {
      ctx.err << "追加しますか？ (y: 追加 / n: キャンセル / 番号: 略称を変更) " << std::flush;
      std::string answer;
      if (!read_line(answer)) return false;
      answer = Trim(answer);
      int row = 0;
      if (ParseInt32(answer, row) && row >= 1 && row <= static_cast<int>(entries.size())) {
        ctx.err << "略称 (" << entries[row - 1].long_name << "): " << std::flush;
        if (!read_line(entries[row - 1].short_name)) return false;
        continue;
      }
      if (answer == "n" || answer == "N" || EqualsNoCase(answer, "no")) return false;
      if (answer != "y" && answer != "Y" && !EqualsNoCase(answer, "yes")) continue;
    }
    if (AddTeamNames(entries)) {
      ctx.out << "Team names added to " << ProgramRelative(SysDataPath("TeamName3.dat")) << ": "
              << entries.size() << "\n";
      return true;
    }
    if (without_asking) return false;
  }
}

}  // namespace

int CmdDownload(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  const bool refresh = TakeFlag(args, "--refresh");
  const bool add_teams = TakeFlag(args, "--add-teams");
  int round = 0;
  std::string group;
  if (args.empty() || !ParseRoundAndGroup(args, 1, round, group) ||
      (args[0] != "schedule" && args[0] != "vote" && args[0] != "result") ||
      (add_teams && args[0] != "schedule")) {
    ctx.err
        << "usage: zelvomini-cli download schedule|vote|result ROUND GROUP [--yes] [--refresh]\n"
           "       zelvomini-cli download schedule ROUND GROUP --add-teams [--yes]\n"
           "       (ROUND from 1 to 9999, GROUP A or B; --refresh fetches again over a\n"
           "        cached file, which only a usable page replaces; --add-teams adds the\n"
           "        clubs the page names but the tables lack under their suggested short names)\n";
    return 64;
  }
  ConsoleProgress progress(ctx.out);
  ProgressScope scope(&progress);
  const int mode = refresh ? kSourceRefresh : kSourceFile | kSourceDownload;
  if (args[0] == "schedule") {
    clsSchedule service;
    service.Initialize();
    service.SetUnknownTeams([&ctx, add_teams](const std::vector<std::string>& names) {
      return AddUnknownTeams(ctx, add_teams, names);
    });
    std::string path = clsXmlSchedule::GetFileName(round, group);
    bool had = FileExists(path);
    bool ok = service.GetSchedule(round, group, mode, true);
    if (!ok && service.NoGame()) {
      ctx.out << "Schedule " << round << " " << group << ": marked as not held\n";
      return 1;
    }
    return Finish(ctx, service, ok, had, refresh, "Schedule", round, group, path);
  }
  if (args[0] == "vote") {
    clsVote service;
    service.Initialize();
    std::string path = clsXmlVote::GetFileName(round, group);
    bool had = FileExists(path);
    bool ok = service.GetVote(round, group, mode, true);
    int rc = Finish(ctx, service, ok, had, refresh, "Vote status", round, group, path, true);
    if (ok && !service.FromFile() && !service.Saved() && (!had || refresh)) {
      ctx.out << "  interim figures as of " << Date(service.Record().as_of)
              << "; cached once the sale has ended\n";
    }
    return rc;
  }
  clsResult service;
  service.Initialize();
  std::string path = clsXmlResult::GetFileName(round, group);
  bool had = FileExists(path);
  bool ok = service.GetResult(round, group, mode, true);
  return Finish(ctx, service, ok, had, refresh, "Result", round, group, path);
}

int CmdShow(CliContext& ctx, const CliArgs& args) {
  int round = 0;
  std::string group;
  if (!ParseRoundAndGroup(args, 0, round, group)) {
    ctx.err << "usage: zelvomini-cli show ROUND GROUP   (ROUND from 1 to 9999, GROUP A or B)\n";
    return 64;
  }
  ShownRound shown;
  // The cache's copies of the made-up rounds are shown as what they are; a
  // made-up round the cache lacks is shown from the sample archive.
  ArchivedRound cached, sample;
  const bool made_up_copy = ReadArchivedRound(ArchiveSource::kCache, round, group, cached).made_up;
  const CachedRound in_sample = ReadArchivedRound(ArchiveSource::kSample, round, group, sample);
  clsTMain doc;
  doc.Initialize();
  doc.SetKumi(group);
  doc.SetKaisaikai(round);
  shown = {doc.Schedule(),          doc.Vote(),          doc.Result(),         doc.NoGame(),
           doc.CheckScheduleFile(), doc.CheckVoteFile(), doc.CheckResultFile()};
  const bool from_sample =
      !shown.schedule_file && !shown.vote_file && !shown.result_file && in_sample.Complete();
  if (from_sample) shown = {sample.schedule, sample.vote, sample.result, false, true, true, true};
  ctx.out << "Round " << round << " group " << group << "\n";
  if (made_up_copy || from_sample) {
    ctx.out << "A shipped sample round: made up for trying the program, not history"
            << (from_sample ? " (from the sample archive; not in the cache)" : "") << "\n";
  }
  // Each kind is shown; a damaged cache file (already reported) fails the command.
  bool ok = ShowSchedule(ctx, shown);
  ok = ShowVote(ctx, shown) && ok;
  ok = ShowResult(ctx, shown) && ok;
  return ok ? 0 : 1;
}

}  // namespace zelvo
