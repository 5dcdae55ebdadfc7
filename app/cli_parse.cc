// The command line read by CLI11 after the table: CLI11 splits the words
// (--group=A, options before arguments, "--" before a file named like an
// option), the table decides what each value may be and what is wrong.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <list>
#include <ostream>

#include "app/cli.h"
#include "app/cli_table.h"
#include "support/text.h"

namespace zelvo {
namespace {

// Edits (insert, delete, replace, swap of neighbours) from one word to the other.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The known word nearest to a mistyped one, or "" when none is near: a few
// letters wrong, or the start of exactly one word.
std::string Nearest(const std::string& typed, const std::vector<std::string>& known) {
  std::string best;
  size_t best_distance = std::max<size_t>(2, typed.size() / 3) + 1;
  std::vector<std::string> starting;
  for (const std::string& word : known) {
    if (word.starts_with(typed)) starting.push_back(word);
    const size_t d = EditDistance(typed, word);
    if (d < best_distance) {
      best_distance = d;
      best = word;
    }
  }
  if (best.empty() && starting.size() == 1) best = starting[0];
  return best;
}

std::string Suggest(const std::string& typed, const std::vector<std::string>& known) {
  const std::string near = Nearest(typed, known);
  return near.empty() ? std::string() : "; did you mean '" + near + "'?";
}

std::string Number(double v) {
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

bool Bounded(double v) { return v > -9e18 && v < 9e18; }

// Seconds as a plain decimal ("1", "0.5"): no exponent, sign, "nan" or
// "inf", which would pass a range check they are not in.
bool ParseSeconds(const std::string& text, double& value) {
  return !text.starts_with("-") && !text.starts_with("+") && ParseExactDecimal(text, value);
}

}  // namespace

// What a value of the kind is, as help and the error messages say it.
std::string DescribeValue(const CliValue& v) {
  auto bounds = [&v](const std::string& what) {
    const bool low = Bounded(v.min), high = Bounded(v.max);
    if (low && high) return what + " from " + Number(v.min) + " to " + Number(v.max);
    if (low) return what + (v.above_min ? " above " : " from ") + Number(v.min);
    if (high) return what + " up to " + Number(v.max);
    return what;
  };
  auto words = [](const std::vector<std::string>& choices) {
    std::string out;
    for (size_t i = 0; i < choices.size(); ++i) {
      out += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    }
    return out;
  };
  std::string file;
  switch (v.kind) {
    case CliKind::kText:
      return "text";
    case CliKind::kInt:
      return bounds("a whole number");
    case CliKind::kSeconds:
      return bounds("seconds");
    case CliKind::kRange:
      return "N or N-M, from 1";
    case CliKind::kWord:
      return words(v.choices);
    case CliKind::kRound:
      return "a round number from 1 to 9999";
    case CliKind::kGroup:
      return "A or B";
    case CliKind::kGroups:
      return "A, B or both";
    case CliKind::kDocument:
      file = "a document (.tpd)";
      break;
    case CliKind::kConditions:
      file = "a conditions file (.tpj)";
      break;
    case CliKind::kStrategy:
      file = "a document (.tpd) or a conditions file (.tpj)";
      break;
    case CliKind::kCsv:
      file = "a CSV file";
      break;
    case CliKind::kSingles:
      file = "singles: a document (.tpd) or a CSV file";
      break;
    case CliKind::kPdf:
      file = "a PDF file";
      break;
    case CliKind::kFile:
      file = "a file";
      break;
  }
  return v.choices.empty() ? file : words(v.choices) + ", or " + file;
}

// Empty when the text is a value of the kind, else what is wrong with it.
std::string CheckValue(const CliValue& v, const std::string& text) {
  const std::string wrong = "takes " + DescribeValue(v) + ", not '" + text + "'";
  auto in_bounds = [&v](double x) {
    return x >= v.min && x <= v.max && (!v.above_min || x > v.min);
  };
  auto chosen = [&v, &text] {
    return std::find(v.choices.begin(), v.choices.end(), text) != v.choices.end();
  };
  switch (v.kind) {
    case CliKind::kInt: {
      long long n = 0;
      return ParseInt64(text, n) && in_bounds(static_cast<double>(n)) ? "" : wrong;
    }
    case CliKind::kSeconds: {
      double s = 0;
      return ParseSeconds(text, s) && in_bounds(s) ? "" : wrong;
    }
    case CliKind::kRange: {
      int from = 0, to = 0;
      return ParseCliRange(text, from, to) ? "" : wrong;
    }
    case CliKind::kWord:
      return chosen() ? "" : wrong;
    case CliKind::kRound: {
      int round = 0;
      return ParseInt32(text, round) && round >= 1 && round <= 9999 ? "" : wrong;
    }
    case CliKind::kGroup:
      return text == "A" || text == "B" ? "" : wrong;
    case CliKind::kGroups:
      return text == "A" || text == "B" || text == "both" ? "" : wrong;
    default:
      return text.empty() ? "takes " + DescribeValue(v) + ", not an empty text" : "";
  }
}

bool ParseCliRange(std::string_view text, int& from, int& to) {
  const size_t dash = text.find('-');
  if (!ParseInt32(Trim(text.substr(0, dash)), from) || from < 1) return false;
  to = from;
  if (dash == std::string_view::npos) return true;
  return ParseInt32(Trim(text.substr(dash + 1)), to) && to >= from;
}

void PrintUsageError(std::ostream& err, const CliCommand* command, const std::string& path,
                     const std::string& what) {
  err << "zelvomini-cli: " << (path.empty() ? "" : path + ": ") << what << "\n";
  if (command) {
    err << "usage: zelvomini-cli " << CliSynopsis(*command, path) << "\n"
        << "Try 'zelvomini-cli " << path << " --help' for more.\n";
  } else {
    err << "Try 'zelvomini-cli --help' for the list of commands.\n";
  }
}

int UsageError(CliContext& ctx, const CliArgs& args, const std::string& what) {
  PrintUsageError(ctx.err, &args.command(), args.path(), what);
  return 64;
}

namespace {

struct Level {
  CLI::App* app;
  const CliCommand* command;  // null for the program itself
  std::vector<CLI::Option*> args;
  std::vector<CLI::Option*> options;
  std::vector<Level> children;
};

std::vector<std::string> OptionNames(const CliCommand& c) {
  std::vector<std::string> names;
  for (const CliOption& o : c.options) names.push_back(o.name);
  if (!c.json.empty()) names.push_back("--json");
  for (const CliOption& o : CliCommonOptions()) names.push_back(o.name);
  return names;
}

// The CLI11 form of one command and, beneath it, of its commands.  Values
// of repeated arguments need a place of their own; `storage` keeps them.
void AddCommand(CLI::App& parent, const CliCommand& command, Level& level,
                std::list<std::vector<std::string>>& storage) {
  CLI::App* app = parent.add_subcommand(command.name);
  app->set_help_flag();
  app->allow_extras();
  // An option the command lacks may be one of the program's (--yes, --help).
  app->fallthrough();
  level.app = app;
  level.command = &command;
  for (size_t i = 0; i < command.args.size(); ++i) {
    const std::string name = "arg" + std::to_string(i);
    if (command.args[i].count == CliCount::kMany) {
      level.args.push_back(app->add_option(name, storage.emplace_back()));
    } else {
      level.args.push_back(app->add_option(name));
    }
  }
  auto add = [&](const CliOption& o) {
    CLI::Option* option = nullptr;
    if (o.flag()) {
      option = app->add_flag(o.name);
    } else if (o.many) {
      option = app->add_option(o.name, storage.emplace_back())
                   ->expected(1, CLI::detail::expected_max_vector_size)
                   ->allow_extra_args();
    } else {
      option = app->add_option(o.name);
    }
    level.options.push_back(option);
  };
  for (const CliOption& o : command.options) add(o);
  if (!command.json.empty()) add({"--json"});
  for (const CliCommand& sub : command.subcommands) {
    AddCommand(*app, sub, level.children.emplace_back(), storage);
  }
}

}  // namespace

CliRequest ParseCommandLine(const std::vector<std::string>& words, std::ostream& err) {
  CliRequest request;
  CLI::App app;
  app.set_help_flag();
  app.allow_extras();
  CLI::Option* help = app.add_flag("--help,-h");
  CLI::Option* version = app.add_flag("--version");
  CLI::Option* yes = app.add_flag("--yes");
  Level root{&app, nullptr, {}, {}, {}};
  std::list<std::vector<std::string>> storage;
  for (const CliCommand& c : CliCommands())
    AddCommand(app, c, root.children.emplace_back(), storage);

  auto fail = [&](const CliCommand* command, const std::string& path, const std::string& what) {
    PrintUsageError(err, command, path, what);
    request.what = CliRequest::What::kUsageError;
    return request;
  };
  // "help" and "help COMMAND" as --help says them.
  std::vector<std::string> reversed(words.rbegin(), words.rend());
  if (!words.empty() && words[0] == "help") {
    reversed.pop_back();
    reversed.insert(reversed.begin(), "--help");
  }
  // The deepest command reached, even when the words fail to parse, so that
  // the message can say whose option lacks its value.
  Level* level = &root;
  std::string path;
  std::string parse_error;
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    parse_error = e.what();
  }
  std::vector<std::string> extras = app.remaining();
  for (bool deeper = true; deeper;) {
    deeper = false;
    for (Level& child : level->children) {
      if (child.app->parsed()) {
        level = &child;
        path += (path.empty() ? "" : " ") + child.command->name;
        const std::vector<std::string> more = child.app->remaining();
        extras.insert(extras.end(), more.begin(), more.end());
        deeper = true;
        break;
      }
    }
  }
  extras.erase(std::remove(extras.begin(), extras.end(), "--"), extras.end());
  const CliCommand* command = level->command;
  request.command = command;
  request.path = path;
  if (version->count() > 0) {
    request.what = CliRequest::What::kVersion;
    return request;
  }
  if (help->count() > 0 || words.empty()) {
    request.what = CliRequest::What::kHelp;
    return request;
  }
  if (!parse_error.empty()) {
    // CLI11 says "--group: 1 required TEXT missing" for an option at the end.
    const std::string option = parse_error.substr(0, parse_error.find(':'));
    if (command) {
      for (const CliOption& o : command->options) {
        if (o.name != option) continue;
        return fail(command, path,
                    parse_error.find("missing") != std::string::npos
                        ? option + " needs " + o.value_name
                        : option + " is given more than once");
      }
    }
    return fail(command, path, parse_error);
  }
  std::vector<std::string> names;
  const std::vector<CliCommand>& choices = command ? command->subcommands : CliCommands();
  for (const CliCommand& c : choices) names.push_back(c.name);
  for (const std::string& extra : extras) {
    if (extra.size() > 1 && extra[0] == '-') {
      const std::string name = extra.substr(0, extra.find('='));
      std::vector<std::string> known =
          command ? OptionNames(*command)
                  : std::vector<std::string>{"--help", "--version", "--yes"};
      // One of the command's own, given before the command's name.
      if (std::find(known.begin(), known.end(), name) != known.end()) {
        return fail(command, path, name + " goes after the command's name");
      }
      return fail(command, path, "unknown option '" + name + "'" + Suggest(name, known));
    }
    if (!command || !command->subcommands.empty()) {
      return fail(command, path, "unknown command '" + extra + "'" + Suggest(extra, names));
    }
    return fail(command, path, "unexpected argument '" + extra + "'");
  }
  // A command of commands that does something of its own without one.
  const bool runs_alone = command && !command->subcommands.empty() && command->run;
  if ((!command || !command->subcommands.empty()) && !runs_alone) {
    std::string list;
    for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
    return fail(command, path, "a command is missing: " + list);
  }

  CliArgs& args = request.args;
  args.SetCommand(path, command);
  for (size_t i = 0; i < command->args.size(); ++i) {
    const CliArg& a = command->args[i];
    std::vector<std::string> values = level->args[i]->results();
    if (values.empty() && a.count != CliCount::kOptional) {
      return fail(command, path, a.name + " is missing");
    }
    for (const std::string& v : values) {
      std::string wrong = CheckValue(a.value, v);
      if (!wrong.empty()) return fail(command, path, a.name + " " + wrong);
    }
    args.Set(a.name, std::move(values));
  }
  std::vector<CliOption> options = command->options;
  if (!command->json.empty()) options.push_back({"--json"});
  for (size_t i = 0; i < options.size(); ++i) {
    const CliOption& o = options[i];
    CLI::Option* parsed = level->options[i];
    if (parsed->count() == 0) {
      if (o.required) return fail(command, path, o.name + " is missing");
      continue;
    }
    std::vector<std::string> values = parsed->results();
    if (!o.flag()) {
      for (const std::string& v : values) {
        std::string wrong = CheckValue(o.value, v);
        if (!wrong.empty()) return fail(command, path, o.name + " " + wrong);
      }
    }
    args.Set(o.name, std::move(values));
  }
  for (const CliOption& o : options) {
    if (!args.Has(o.name)) continue;
    for (const std::string& other : o.needs) {
      if (!args.Has(other)) return fail(command, path, o.name + " goes with " + other);
    }
    for (const std::string& other : o.excludes) {
      if (args.Has(other))
        return fail(command, path, o.name + " and " + other + " exclude each other");
    }
  }
  request.yes = yes->count() > 0 || args.Has("--yes");
  request.what = CliRequest::What::kRun;
  return request;
}

}  // namespace zelvo
