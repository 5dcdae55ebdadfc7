// The texts made from the table of commands: --help, the help of each
// command, the man page and the bash completion.
#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "app/cli_table.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr int kWidth = 79;

// The words of a synopsis, each an argument or an option with its value, so
// that a line is never broken inside one.
std::vector<std::string> SynopsisUnits(const CliCommand& c, const std::string& path) {
  std::vector<std::string> units = {path};
  if (!c.subcommands.empty()) {
    std::string names;
    for (const CliCommand& s : c.subcommands) names += (names.empty() ? "" : "|") + s.name;
    units.push_back(c.run ? "[" + names + " ...]" : names + " ...");
    return units;
  }
  for (const CliArg& a : c.args) {
    std::string name = a.value.kind == CliKind::kWord ? Join(a.value.choices, "|") : a.name;
    if (a.count == CliCount::kOptional) name = "[" + name + "]";
    if (a.count == CliCount::kMany) name += "...";
    units.push_back(name);
  }
  for (const CliOption& o : c.options) {
    std::string unit = o.name + (o.flag() ? "" : " " + o.value_name);
    units.push_back(o.required ? unit : "[" + unit + "]");
  }
  if (!c.json.empty()) units.push_back("[--json]");
  return units;
}

// Words joined into lines of at most kWidth columns; lines after the first
// start with `indent` blanks.
std::string WrapUnits(const std::vector<std::string>& units, size_t first, size_t indent) {
  std::string out;
  size_t column = first;
  for (size_t i = 0; i < units.size(); ++i) {
    const size_t width = units[i].size();
    if (i > 0 && column + 1 + width > kWidth) {
      out += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (i > 0) {
      out += " ";
      ++column;
    }
    out += units[i];
    column += width;
  }
  return out;
}

std::string Wrap(const std::string& text, size_t first, size_t indent) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return WrapUnits(words, first, indent);
}

// Two columns: a name and its text, the text wrapped beside the names.
void PrintRows(std::ostream& out, const std::vector<std::pair<std::string, std::string>>& rows) {
  size_t column = 0;
  for (const auto& [name, text] : rows) column = std::max(column, name.size());
  column = std::min<size_t>(column, 24) + 4;
  for (const auto& [name, text] : rows) {
    out << "  " << name;
    if (name.size() + 2 + 2 > column) {
      out << "\n" << std::string(column, ' ');
    } else {
      out << std::string(column - 2 - name.size(), ' ');
    }
    out << Wrap(text, column, column) << "\n";
  }
}

void Paragraphs(std::ostream& out, const std::string& text) {
  for (const std::string& p : Split(text, "\n\n")) out << Wrap(p, 0, 0) << "\n\n";
}

// What help adds to an option's own words: the values it takes, where
// the value's name does not already say it.
std::string ValueNote(const CliValue& v) {
  switch (v.kind) {
    case CliKind::kInt:
    case CliKind::kSeconds:
      return v.min > -9e18 || v.max < 9e18 ? DescribeValue(v) : "";
    case CliKind::kRange:
    case CliKind::kRound:
      return DescribeValue(v);
    default:
      return "";
  }
}

std::string OptionText(const CliOption& o) {
  std::string text = o.help;
  const std::string note = ValueNote(o.value);
  if (!note.empty()) text += (text.empty() ? "" : "; ") + note;
  return text;
}

// A summary as a sentence of its own: a capital first letter and a full stop.
std::string Sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text.ends_with(".") ? text : text + ".";
}

const char kJsonHelp[] =
    "one JSON document on standard output instead of the text, with the same figures (man "
    "zelvomini-cli, JSON OUTPUT)";

}  // namespace

std::string CliSynopsis(const CliCommand& command, const std::string& path) {
  return Join(SynopsisUnits(command, path), " ");
}

void PrintProgramHelp(std::ostream& out) {
  out << "Usage: zelvomini-cli [--yes] COMMAND [ARGS]\n"
         "       zelvomini-cli COMMAND --help\n"
         "       zelvomini-cli --help | --version\n"
         "\n"
         "The command line of Zelvo mini, on the data in the program folder's SysData.\n"
         "\n"
         "Commands:\n";
  std::vector<std::pair<std::string, std::string>> rows;
  for (const CliCommand& c : CliCommands()) {
    if (c.subcommands.empty()) rows.emplace_back(c.name, c.summary);
    for (const CliCommand& s : c.subcommands) rows.emplace_back(c.name + " " + s.name, s.summary);
  }
  PrintRows(out, rows);
  out << "\nOptions:\n";
  rows.clear();
  for (const CliOption& o : CliProgramOptions()) rows.emplace_back(o.name, o.help);
  PrintRows(out, rows);
  out << "\nThe commands that report take --json: one JSON document on standard output\n"
         "with the same figures as the text, described in the man page.\n"
         "\nExit status:\n";
  rows.clear();
  for (const CliExit& e : CliCommonExits()) rows.emplace_back(std::to_string(e.status), e.meaning);
  PrintRows(out, rows);
}

void PrintCommandHelp(std::ostream& out, const CliCommand& c, const std::string& path) {
  out << "Usage: zelvomini-cli " << WrapUnits(SynopsisUnits(c, path), 21, 8) << "\n\n";
  out << Wrap(Sentence(c.summary), 0, 0) << "\n\n";
  if (!c.details.empty()) Paragraphs(out, c.details);
  std::vector<std::pair<std::string, std::string>> rows;
  if (!c.subcommands.empty()) {
    out << "Commands:\n";
    for (const CliCommand& s : c.subcommands) {
      rows.emplace_back(CliSynopsis(s, s.name), s.summary);
    }
    PrintRows(out, rows);
    out << "\n'zelvomini-cli " << path << " COMMAND --help' tells more of each.\n";
    return;
  }
  if (!c.args.empty()) {
    out << "Arguments:\n";
    for (const CliArg& a : c.args) {
      std::string text = DescribeValue(a.value);
      if (!a.help.empty()) text += "; " + a.help;
      rows.emplace_back(a.name, text);
    }
    PrintRows(out, rows);
    out << "\n";
  }
  rows.clear();
  out << "Options:\n";
  for (const CliOption& o : c.options) {
    rows.emplace_back(o.name + (o.flag() ? "" : " " + o.value_name), OptionText(o));
  }
  if (!c.json.empty()) rows.emplace_back("--json", kJsonHelp);
  for (const CliOption& o : CliCommonOptions()) rows.emplace_back(o.name, o.help);
  PrintRows(out, rows);
  out << "\nExit status:\n";
  rows = {{"0", "success"}};
  for (const CliExit& e : c.exits) rows.emplace_back(std::to_string(e.status), e.meaning);
  rows.emplace_back("2, 64, 130, 143", "as for every command (zelvomini-cli --help)");
  PrintRows(out, rows);
}

namespace {

// Text for groff: backslashes and minus signs escaped, characters beyond
// ASCII as their code points (groff reads its input as Latin-1 unless told
// otherwise), no line starting with a control character.
std::string Roff(const std::string& text) {
  std::string out;
  for (char32_t c : ToU32(text)) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c >= 0x80) {
      char code[16];
      std::snprintf(code, sizeof code, "\\[u%04X]", static_cast<unsigned>(c));
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::string Bold(const std::string& t) { return "\\fB" + Roff(t) + "\\fR"; }
std::string Italic(const std::string& t) { return "\\fI" + Roff(t) + "\\fR"; }

std::string ManSynopsis(const CliCommand& c, const std::string& path) {
  std::string out = Bold(path);
  if (!c.subcommands.empty()) {
    return out + " " + (c.run ? "[" + Italic("COMMAND") + " ...]" : Italic("COMMAND") + " ...");
  }
  for (const CliArg& a : c.args) {
    std::string name;
    if (a.value.kind == CliKind::kWord) {
      for (const std::string& w : a.value.choices) name += (name.empty() ? "" : "|") + Bold(w);
    } else {
      name = Italic(a.name);
    }
    if (a.count == CliCount::kOptional) name = "[" + name + "]";
    if (a.count == CliCount::kMany) name += "...";
    out += " " + name;
  }
  for (const CliOption& o : c.options) {
    std::string unit = Bold(o.name) + (o.flag() ? "" : " " + Italic(o.value_name));
    out += " " + (o.required ? unit : "[" + unit + "]");
  }
  if (!c.json.empty()) out += " [" + Bold("--json") + "]";
  return out;
}

// Paragraphs as .TP body text: the first one follows the tag, the others
// start with .IP so that they keep the indent.
std::string ManParagraphs(const std::string& text) {
  std::string out;
  for (const std::string& p : Split(text, "\n\n")) {
    out += (out.empty() ? "" : ".IP\n") + Roff(Wrap(p, 0, 0)) + "\n";
  }
  return out;
}

void ManCommand(std::string& out, const CliCommand& c, const std::string& path) {
  if (!c.subcommands.empty()) {
    out += ".TP\n" + ManSynopsis(c, path) + "\n" + ManParagraphs(Sentence(c.summary));
    if (!c.details.empty()) out += ".IP\n" + ManParagraphs(c.details);
    for (const CliCommand& s : c.subcommands) ManCommand(out, s, path + " " + s.name);
    return;
  }
  out += ".TP\n" + ManSynopsis(c, path) + "\n";
  out += ManParagraphs(Sentence(c.summary));
  if (!c.details.empty()) out += ".IP\n" + ManParagraphs(c.details);
  std::vector<std::pair<std::string, std::string>> rows;
  for (const CliArg& a : c.args) {
    rows.emplace_back(Italic(a.name),
                      DescribeValue(a.value) + (a.help.empty() ? "" : "; " + a.help));
  }
  for (const CliOption& o : c.options) {
    rows.emplace_back(Bold(o.name) + (o.flag() ? "" : " " + Italic(o.value_name)), OptionText(o));
  }
  if (!c.json.empty()) rows.emplace_back(Bold("--json"), "the report as JSON (JSON OUTPUT)");
  if (!rows.empty()) {
    out += ".RS\n";
    for (const auto& [tag, text] : rows) out += ".TP\n" + tag + "\n" + Roff(text) + "\n";
    out += ".RE\n";
  }
  if (!c.exits.empty()) {
    std::string exits = "Exit status";
    for (const CliExit& e : c.exits) exits += ", " + std::to_string(e.status) + ": " + e.meaning;
    out += ".IP\n" + Roff(exits) + ".\n";
  }
}

void ManJson(std::string& out, const CliCommand& c, const std::string& path) {
  for (const CliCommand& s : c.subcommands) ManJson(out, s, path + " " + s.name);
  if (c.json.empty()) return;
  out += ".TP\n" + Bold(path + " --json") + "\n" + ManParagraphs(c.json);
}

std::string Replace(std::string text, const std::string& key, const std::string& value) {
  const size_t at = text.find(key);
  if (at != std::string::npos) text.replace(at, key.size(), value);
  return text;
}

}  // namespace

std::string CliManPage(const std::string& page_template, const std::string& version,
                       const std::string& date) {
  std::string commands, options, exits, json;
  for (const CliCommand& c : CliCommands()) ManCommand(commands, c, c.name);
  for (const CliOption& o : CliProgramOptions()) {
    options += ".TP\n" + Bold(o.name) + "\n" + Roff(o.help) + "\n";
  }
  for (const CliExit& e : CliCommonExits()) {
    exits += ".TP\n" + Bold(std::to_string(e.status)) + "\n" + Roff(e.meaning) + "\n";
  }
  for (const CliCommand& c : CliCommands()) ManJson(json, c, c.name);
  std::string page = page_template;
  for (const auto& [key, value] :
       std::vector<std::pair<std::string, std::string>>{{"@VERSION@", version},
                                                        {"@DATE@", date},
                                                        {"@COMMANDS@\n", commands},
                                                        {"@OPTIONS@\n", options},
                                                        {"@EXIT_STATUS@\n", exits},
                                                        {"@JSON@\n", json}}) {
    page = Replace(page, key, value);
  }
  return page;
}

namespace {

// How the completion offers a value: "WORDS/EXTENSIONS", the words to offer
// and the file extensions to list ("*" any file), either part empty.
std::string CompletionKind(const CliValue& v) {
  std::string words = Join(v.choices, " ");
  switch (v.kind) {
    case CliKind::kGroup:
      return "A B/";
    case CliKind::kGroups:
      return "A B both/";
    case CliKind::kDocument:
      return words + "/tpd";
    case CliKind::kConditions:
      return words + "/tpj";
    case CliKind::kStrategy:
      return words + "/tpd|tpj";
    case CliKind::kCsv:
      return words + "/csv";
    case CliKind::kSingles:
      return words + "/tpd|csv";
    case CliKind::kPdf:
      return words + "/pdf";
    case CliKind::kFile:
      return words + "/*";
    default:
      return words + "/";
  }
}

std::string Quote(const std::string& s) { return "'" + ReplaceAll(s, "'", "'\\''") + "'"; }

void CompletionCase(std::string& out, const CliCommand& c, const std::string& path) {
  std::string subs, opts, args, vals, many;
  for (const CliCommand& s : c.subcommands) subs += " " + s.name;
  for (const CliOption& o : c.options) {
    opts += " " + o.name;
    if (!o.flag()) vals += " [" + o.name + "]=" + Quote(CompletionKind(o.value));
    if (o.many) many += " " + o.name;
  }
  if (!c.json.empty()) opts += " --json";
  for (const CliOption& o : CliCommonOptions()) opts += " " + o.name;
  // The program's --yes is taken after any command.
  if (!Contains(opts + " ", " --yes ")) opts += " --yes";
  for (const CliArg& a : c.args) {
    args += " " + Quote(CompletionKind(a.value));
    if (a.count == CliCount::kMany) args += " +";
  }
  out += "    " + Quote(path) + ")\n      subs=(" + subs + " ) opts=(" + opts + " ) args=(" + args +
         " ) vals=(" + vals + " ) many=(" + many + " ) ;;\n";
  for (const CliCommand& s : c.subcommands) CompletionCase(out, s, path + " " + s.name);
}

}  // namespace

std::string CliBashCompletion() {
  std::string cases;
  std::string top, program;
  for (const CliCommand& c : CliCommands()) top += " " + c.name;
  for (const CliOption& o : CliProgramOptions()) program += " " + o.name;
  cases +=
      "    '')\n      subs=(" + top + " ) opts=(" + program + " ) args=( ) vals=( ) many=( ) ;;\n";
  for (const CliCommand& c : CliCommands()) CompletionCase(cases, c, c.name);
  return R"(# bash completion for zelvomini-cli, made from its table of commands: the
# commands, each command's options, and the kind of value each argument and
# option takes (files by their extension, words, nothing).

# The table of one command ("" the program, "archive list"): its commands,
# options, the kinds of its arguments in order ("+" repeats the one before),
# of its options' values, and the options that take every value up to the
# next option.  A kind is WORDS/EXTENSIONS.
_zelvomini_cli_table() {
  case $1 in
)" + cases +
         R"(    *) subs=() opts=() args=() vals=() many=() ;;
  esac
}

# Offers the words and the files of a kind for the word being typed.
_zelvomini_cli_offer() {
  local words=${1%%/*} exts=${1#*/} f IFS=$'\n'
  if [[ -n $words ]]; then
    IFS=' ' read -r -a words <<<"$words"
    COMPREPLY+=($(compgen -W "${words[*]}" -- "$cur"))
  fi
  [[ -z $exts ]] && return
  compopt -o filenames 2>/dev/null
  for f in $(compgen -f -- "$cur"); do
    if [[ -d $f ]]; then
      COMPREPLY+=("$f")
    elif [[ $exts == '*' || ${f,,} =~ \.($exts)$ ]]; then
      COMPREPLY+=("$f")
    fi
  done
}

_zelvomini_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local path="" positional=0 dashdash=0 i word option listing=""
  local -a subs opts args many
  local -A vals
  COMPREPLY=()
  # "--option=value": bash splits the word at "=".
  if [[ $prev == = ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  elif [[ $cur == = ]]; then
    cur=""
  fi
  _zelvomini_cli_table ""
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if ((!dashdash)) && [[ $word == -- ]]; then
      dashdash=1
    elif ((!dashdash)) && [[ $word == -* ]]; then
      listing=""
      # An option's value is the next word, or the one after "="; an
      # option of many values takes every word up to the next option.
      if [[ " ${many[*]} " == *" $word "* ]]; then
        listing=$word
      elif [[ ${COMP_WORDS[i + 1]} == = ]]; then
        ((i += 2))
      elif [[ -n ${vals[$word]+set} ]]; then
        ((i += 1))
      fi
    elif [[ -n $listing ]]; then
      :
    elif [[ ${#subs[@]} -gt 0 && " ${subs[*]} " == *" $word "* ]]; then
      path=${path:+$path }$word
      _zelvomini_cli_table "$path"
    else
      ((positional++))
    fi
  done
  if ((!dashdash)) && [[ -n ${vals[$prev]+set} ]]; then
    _zelvomini_cli_offer "${vals[$prev]}"
    return
  fi
  if [[ -n $listing && $cur != -* ]]; then
    _zelvomini_cli_offer "${vals[$listing]}"
    return
  fi
  if ((!dashdash)) && [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "${opts[*]}" -- "$cur"))
    return
  fi
  if ((${#subs[@]} > 0)); then
    COMPREPLY=($(compgen -W "${subs[*]}" -- "$cur"))
    return
  fi
  local kind=""
  if ((positional < ${#args[@]})) && [[ ${args[positional]} != + ]]; then
    kind=${args[positional]}
  elif ((${#args[@]} > 1)) && [[ ${args[-1]} == + ]]; then
    kind=${args[-2]}
  fi
  [[ -n $kind ]] && _zelvomini_cli_offer "$kind"
}
complete -F _zelvomini_cli zelvomini-cli
)";
}

}  // namespace zelvo
