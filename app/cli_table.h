// The description of the command line: every command once, with its
// arguments, options, help and exit statuses.  The parsing, --help, the man
// page and the bash completion are all made from it, so they cannot tell a
// different story.  A command describes itself beside its implementation
// (a function returning its CliCommand) and is listed in cli_table.cc.
#ifndef ZELVOMINI_APP_CLI_TABLE_H_
#define ZELVOMINI_APP_CLI_TABLE_H_

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

struct CliContext;
class CliArgs;

// What a value is: how it is checked, how help names it and which files the
// shell offers for it.
enum class CliKind {
  kText,        // any text
  kInt,         // a whole number, within min and max
  kSeconds,     // a number of seconds, within min and max
  kRange,       // N or N-M, from 1, M not below N
  kWord,        // one of the choices
  kRound,       // a round number, 1 to 9999
  kGroup,       // A or B
  kGroups,      // A, B or both
  kDocument,    // a document (.tpd)
  kConditions,  // a conditions file (.tpj)
  kStrategy,    // a document or a conditions file
  kCsv,         // a CSV file
  kSingles,     // singles: a document or a CSV file
  kPdf,         // a PDF file
  kFile,        // any file
};

struct CliValue {
  CliKind kind = CliKind::kText;
  // kWord: the words it takes.  A file kind: words it takes besides a file
  // ("all" for every single).
  std::vector<std::string> choices = {};
  double min = -9.2e18;
  double max = 9.2e18;
  // The value must be above min, not just at least min (a time limit).
  bool above_min = false;
};

enum class CliCount { kOne, kOptional, kMany };

struct CliArg {
  std::string name = {};  // as help shows it: "DOC.tpd", "ROUND"
  CliValue value = {};
  CliCount count = CliCount::kOne;
  std::string help = {};  // beside what the kind says
};

struct CliOption {
  std::string name = {};        // "--group", "-o"
  std::string value_name = {};  // "A|B"; empty for a flag
  CliValue value = {};
  std::string help = {};
  // Options that must (needs) or must not (excludes) be given with this one.
  std::vector<std::string> needs = {};
  std::vector<std::string> excludes = {};
  bool required = false;
  // Takes every value up to the next option ("--test a.csv b.csv").
  bool many = false;
  bool flag() const { return value_name.empty(); }
};

struct CliExit {
  int status;
  std::string meaning;
};

struct CliCommand {
  std::string name;
  std::string summary;  // one line: the list of commands, the head of its help
  std::vector<CliArg> args = {};
  std::vector<CliOption> options = {};
  // Paragraphs (separated by an empty line) for its --help and the man page.
  std::string details = {};
  // Statuses besides 0 and the ones every command has (2, 64, 130, 143).
  std::vector<CliExit> exits = {};
  // What --json writes, for the man page; a command with this text takes
  // --json.
  std::string json = {};
  int (*run)(CliContext&, const CliArgs&) = nullptr;
  // A command of commands ("archive list"): its own args and options stay
  // empty; its run, when set, is what it does without one of them.
  std::vector<CliCommand> subcommands = {};
};

// Every command, in the order help lists them.
const std::vector<CliCommand>& CliCommands();

// The options every command takes, and the ones of the program alone.
const std::vector<CliOption>& CliCommonOptions();
const std::vector<CliOption>& CliProgramOptions();
// The exit statuses every command has.
const std::vector<CliExit>& CliCommonExits();

// The values a command was given, by the names the table gives them.
class CliArgs {
 public:
  // The command as typed without options: "show", "archive list".
  const std::string& path() const { return path_; }
  const CliCommand& command() const { return *command_; }

  // True when the argument or option was given (a flag: at least once).
  bool Has(std::string_view name) const;
  // Its value; `otherwise` when it was not given.
  std::string Get(std::string_view name, const std::string& otherwise = "") const;
  // Every value of a repeated argument, in order.
  const std::vector<std::string>& All(std::string_view name) const;
  // Values of numeric kinds, already checked against the table.
  long long Int(std::string_view name, long long otherwise = 0) const;
  double Number(std::string_view name, double otherwise = 0) const;
  // N or N-M of a kRange value.
  void Range(std::string_view name, int& from, int& to) const;
  bool json() const { return Has("--json"); }

  void Set(const std::string& name, std::vector<std::string> values);
  void SetCommand(const std::string& path, const CliCommand* command) {
    path_ = path;
    command_ = command;
  }

 private:
  std::string path_;
  const CliCommand* command_ = nullptr;
  std::vector<std::pair<std::string, std::vector<std::string>>> values_;
};

// What the words of a command line ask for.
struct CliRequest {
  enum class What { kRun, kHelp, kVersion, kUsageError };
  What what = What::kUsageError;
  const CliCommand* command = nullptr;  // null: the program itself
  std::string path;                     // "archive list"
  CliArgs args;
  bool yes = false;  // --yes anywhere
};
// Parses `words` (without the program name) after the table; a wrong use is
// told on `err` (kUsageError).
CliRequest ParseCommandLine(const std::vector<std::string>& words, std::ostream& err);

// What a value of the kind is ("A or B"), and why a text is none ("" when
// it is one).
std::string DescribeValue(const CliValue& value);
std::string CheckValue(const CliValue& value, const std::string& text);

// A wrong use found by a command itself: says what and how the command is
// used on ctx.err, and gives the status for wrong arguments (64).
int UsageError(CliContext& ctx, const CliArgs& args, const std::string& what);
void PrintUsageError(std::ostream& err, const CliCommand* command, const std::string& path,
                     const std::string& what);

// "N" or "N-M" with 1 <= N <= M.
bool ParseCliRange(std::string_view text, int& from, int& to);

// The texts made from the table.
std::string CliSynopsis(const CliCommand& command, const std::string& path);
void PrintProgramHelp(std::ostream& out);
void PrintCommandHelp(std::ostream& out, const CliCommand& command, const std::string& path);
// The man page: `page_template` with @VERSION@, @DATE@ and the sections
// @COMMANDS@, @OPTIONS@, @EXIT_STATUS@ and @JSON@ filled in.
std::string CliManPage(const std::string& page_template, const std::string& version,
                       const std::string& date);
std::string CliBashCompletion();

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_TABLE_H_
