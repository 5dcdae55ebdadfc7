// The table of commands and what is made from it: the words users type,
// the help of each command, the man page and the bash completion as built
// for the package, so that none of them can leave a command out.
#include "app/cli_table.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/cli.h"
#include "support/paths.h"
#include "support/text.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

struct Leaf {
  std::string path;
  const CliCommand* command;
};

std::vector<Leaf> Leaves() {
  std::vector<Leaf> out;
  for (const CliCommand& c : CliCommands()) {
    if (c.subcommands.empty()) out.push_back({c.name, &c});
    for (const CliCommand& s : c.subcommands) out.push_back({c.name + " " + s.name, &s});
  }
  return out;
}

std::vector<std::string> Options(const CliCommand& c) {
  std::vector<std::string> names;
  for (const CliOption& o : c.options) names.push_back(o.name);
  if (!c.json.empty()) names.push_back("--json");
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Roff(const std::string& text) { return ReplaceAll(text, "-", "\\-"); }

CliRequest Parse(const std::vector<std::string>& words, std::string* err = nullptr) {
  std::ostringstream e;
  CliRequest r = ParseCommandLine(words, e);
  if (err) *err = e.str();
  return r;
}

TEST(CliTableTest, FormsUsersTypeAreRead) {
  // An option before the arguments, with "=", and a file named like an
  // option after "--".
  CliRequest r = Parse({"check", "--group=B", "--next", "2", "--", "--odd.tpd"});
  ASSERT_EQ(r.what, CliRequest::What::kRun);
  EXPECT_EQ(r.path, "check");
  EXPECT_EQ(r.args.Get("--group"), "B");
  EXPECT_EQ(r.args.Int("--next"), 2);
  EXPECT_EQ(r.args.Get("DOC.tpd"), "--odd.tpd");
  r = Parse({"--yes", "archive", "download", "1450", "1460", "--pause=0.5"});
  ASSERT_EQ(r.what, CliRequest::What::kRun);
  EXPECT_EQ(r.path, "archive download");
  EXPECT_TRUE(r.yes);
  EXPECT_DOUBLE_EQ(r.args.Number("--pause"), 0.5);
  r = Parse({"batch", "a.tpd", "b.tpd", "c.tpd"});
  EXPECT_EQ(r.args.All("DOC.tpd"), (std::vector<std::string>{"a.tpd", "b.tpd", "c.tpd"}));
  EXPECT_EQ(Parse({"show", "1487", "B", "--help"}).what, CliRequest::What::kHelp);
  EXPECT_EQ(Parse({"help", "lines", "expand"}).path, "lines expand");
}

TEST(CliTableTest, WrongWordsAreNamedWithTheNearestKnownOne) {
  std::string err;
  struct Case {
    std::vector<std::string> words;
    std::string says;
  };
  for (const Case& c : std::vector<Case>{
           {{"shw", "1487", "A"}, "unknown command 'shw'; did you mean 'show'?"},
           {{"lines", "unoin", "a", "b"}, "lines: unknown command 'unoin'; did you mean 'union'?"},
           {{"check", "x.tpd", "--nxt", "2"},
            "check: unknown option '--nxt'; did you mean '--next'?"},
           {{"coverage", "x.tpd", "--reslts=all"}, "did you mean '--results'?"},
           {{"info", "x.tpd", "--xyzzy"}, "info: unknown option '--xyzzy'\n"},
           {{"show", "1487", "C"}, "show: GROUP takes A or B, not 'C'"},
           {{"show", "0", "A"}, "ROUND takes a round number from 1 to 9999, not '0'"},
           {{"minimum", "x.tpd", "--time", "nan"}, "--time takes seconds above 0, not 'nan'"},
           {{"show", "1487"}, "show: GROUP is missing"},
           {{"show", "1487", "A", "B"}, "unexpected argument 'B'"},
           {{"chances", "x.csv", "--odds"}, "--odds goes with --probs"},
           {{"check", "x.tpd", "--all", "--next", "1"}, "--all and --next exclude each other"},
           {{"report", "x.tpd", "--form"}, "report: --form needs 0|1|3|4"},
           {{"compress", "--engine", "1"}, "compress: --targets is missing"},
           {{"--json", "info", "x.tpd"}, "--json goes after the command's name"},
       }) {
    EXPECT_EQ(Parse(c.words, &err).what, CliRequest::What::kUsageError) << c.words[0];
    EXPECT_TRUE(Contains(err, c.says)) << err;
  }
  // The usage line names the command's form, and a wrong use is 64.
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  std::istringstream in;
  std::ostringstream out, e;
  EXPECT_EQ(RunCli({"show", "1487"}, in, out, e), 64);
  EXPECT_TRUE(Contains(e.str(), "usage: zelvomini-cli show ROUND GROUP [--json]\n")) << e.str();
}

TEST(CliTableTest, EveryCommandHasHelpAndIsInTheManPage) {
  const std::string man = ReadFile(ZELVO_PACKAGING_DIR_FOR_TESTS "/zelvomini-cli.1");
  ASSERT_FALSE(man.empty()) << "the man page was not built";
  EXPECT_FALSE(std::regex_search(man, std::regex("@[A-Z_]+@")))
      << "a placeholder was not filled in";
  std::istringstream in;
  std::ostringstream program_help, err;
  ASSERT_EQ(RunCli({"--help"}, in, program_help, err), 0);
  for (const Leaf& leaf : Leaves()) {
    EXPECT_FALSE(leaf.command->summary.empty()) << leaf.path;
    EXPECT_TRUE(Contains(program_help.str(), "  " + leaf.path + " ")) << leaf.path;
    std::vector<std::string> words = Split(leaf.path, " ");
    words.push_back("--help");
    std::ostringstream help;
    ASSERT_EQ(RunCli(words, in, help, err), 0) << leaf.path;
    EXPECT_TRUE(help.str().starts_with("Usage: zelvomini-cli " + leaf.path)) << help.str();
    EXPECT_TRUE(Contains(man, "\\fB" + Roff(leaf.path) + "\\fR")) << leaf.path;
    for (const std::string& option : Options(*leaf.command)) {
      EXPECT_TRUE(Contains(help.str(), "  " + option)) << leaf.path << " " << option;
      EXPECT_TRUE(Contains(man, "\\fB" + Roff(option) + "\\fR")) << leaf.path << " " << option;
    }
    if (!leaf.command->json.empty()) {
      EXPECT_TRUE(Contains(man, "\\fB" + Roff(leaf.path + " --json") + "\\fR")) << leaf.path;
    }
  }
  // groff reads the page without a warning.
  if (std::ifstream("/usr/bin/groff")) {
    const std::string command =
        "groff -man -ww -z -Tutf8 " ZELVO_PACKAGING_DIR_FOR_TESTS "/zelvomini-cli.1 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string warnings;
    for (int c; (c = std::fgetc(pipe)) != EOF;) warnings += static_cast<char>(c);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(warnings, "");
  }
}

// The words bash offers after `line` (the word being typed last, possibly
// empty), from the completion script as built, in a folder holding one file
// of each kind.
class CompletionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"a.tpd", "b.TPJ", "c.csv", "d.pdf", "e.txt", "sub/f.tpd"}) {
      dir_.WriteBytes(f, "x");
    }
  }
  // Each line of `lines` completed; the answers in the same order.
  std::vector<std::vector<std::string>> Complete(const std::vector<std::string>& lines) {
    std::string script = "set +o posix\nsource '" ZELVO_PACKAGING_DIR_FOR_TESTS
                         "/zelvomini-cli.bash'\ncd '" +
                         dir_.path() + "'\n";
    for (const std::string& line : lines) {
      script += "COMP_WORDS=(" + line + ")\n";
      script += line.ends_with(" ") || line.empty() ? "COMP_WORDS+=('')\n" : "";
      script +=
          "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=(); _zelvomini_cli\n"
          "printf '%s ' \"${COMPREPLY[@]}\"; echo\n";
    }
    const std::string path = JoinPath(dir_.path(), "complete.sh");
    dir_.WriteBytes("complete.sh", script);
    FILE* pipe = popen(("bash '" + path + "' 2>&1").c_str(), "r");
    std::string output;
    for (int c; (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
    EXPECT_EQ(pclose(pipe), 0) << output;
    std::vector<std::vector<std::string>> answers;
    for (const std::string& row : Split(output, "\n")) {
      if (answers.size() < lines.size()) answers.push_back(Split(TrimRight(row), " "));
    }
    EXPECT_EQ(answers.size(), lines.size()) << output;
    answers.resize(lines.size());
    return answers;
  }
  static bool Offers(const std::vector<std::string>& answer, const std::string& word) {
    return std::find(answer.begin(), answer.end(), word) != answer.end();
  }

  testing::TempProgramDir dir_;
};

TEST_F(CompletionTest, EveryCommandCompletesWithItsOptionsAndFiles) {
  std::vector<std::string> lines = {"zelvomini-cli "};
  struct Check {
    size_t line;
    std::string word;
    bool offered;
  };
  std::vector<Check> checks;
  auto ask = [&](const std::string& line) {
    lines.push_back(line);
    return lines.size() - 1;
  };
  for (const Leaf& leaf : Leaves()) {
    checks.push_back({0, Split(leaf.path, " ")[0], true});
    const size_t options = ask("zelvomini-cli " + leaf.path + " -");
    for (const std::string& o : Options(*leaf.command)) checks.push_back({options, o, true});
    checks.push_back({options, "--help", true});
    // Each argument offers the files of its kind, and not the others.
    std::string before = "zelvomini-cli " + leaf.path + " ";
    for (const CliArg& a : leaf.command->args) {
      const size_t at = ask(before);
      const char* file = nullptr;
      switch (a.value.kind) {
        case CliKind::kDocument:
          file = "a.tpd";
          break;
        case CliKind::kStrategy:
          checks.push_back({at, "b.TPJ", true});
          file = "a.tpd";
          break;
        case CliKind::kCsv:
          file = "c.csv";
          break;
        case CliKind::kSingles:
          checks.push_back({at, "a.tpd", true});
          file = "c.csv";
          break;
        default:
          checks.push_back({at, "e.txt", false});
          break;
      }
      if (file) {
        checks.push_back({at, file, true});
        checks.push_back({at, "sub", true});
        checks.push_back({at, "e.txt", false});
      }
      for (const std::string& w : a.value.choices) checks.push_back({at, w, true});
      before += "x ";
    }
  }
  // An option's value, also after "=" (bash makes that a word of its own).
  checks.push_back({ask("zelvomini-cli check --group "), "B", true});
  checks.push_back({ask("zelvomini-cli check --group = "), "B", true});
  checks.push_back({ask("zelvomini-cli check --group = A "), "a.tpd", true});
  checks.push_back({ask("zelvomini-cli print --pdf "), "d.pdf", true});
  checks.push_back({ask("zelvomini-cli print --pdf "), "a.tpd", false});
  checks.push_back({ask("zelvomini-cli coverage x --results "), "reduced", true});
  checks.push_back({ask("zelvomini-cli archive "), "download", true});

  const std::vector<std::vector<std::string>> answers = Complete(lines);
  for (const Check& c : checks) {
    EXPECT_EQ(Offers(answers[c.line], c.word), c.offered)
        << "'" << lines[c.line] << "' " << (c.offered ? "lacks " : "offers ") << c.word;
  }
}

}  // namespace
}  // namespace zelvo
