// The probs command: the user's own outcome probabilities kept in a
// document, beside the public's vote shares.
#include <optional>
#include <ostream>
#include <string>

#include "analysis/chances.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "app/cli_json.h"
#include "files/tpd_file.h"
#include "reduction/single_value.h"
#include "support/file_lock.h"
#include "support/format.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

// Kept as given, to the last digit: a threshold of 0.00002 is not 0.
bool ParseNumber(const std::string& text, double& value) {
  return ParseExactDecimal(text, value) && value >= 0;
}

// "expected:80-200", "ratio:1.2", "off".
bool ParseValueCondition(const std::string& text, ValueConditions& v) {
  if (text == "off") {
    v.Enabled = false;
    return true;
  }
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = text.substr(0, colon), range = text.substr(colon + 1);
  if (kind != "expected" && kind != "ratio") return false;
  size_t dash = range.find('-');
  double min = 0, max = 0;
  if (!ParseNumber(range.substr(0, dash), min)) return false;
  if (dash != std::string::npos && dash + 1 < range.size() &&
      !ParseNumber(range.substr(dash + 1), max)) {
    return false;
  }
  v = ValueConditions{true, kind == "ratio" ? kValueRatio : kValueExpected, min, max};
  return true;
}

// "expected:10", "probability:5", "off".
bool ParseExtraction(const std::string& text, EngineSettings& e) {
  if (text == "off") {
    e.ChushutsuOrder = 0;
    e.ChushutsuFlag = false;
    return true;
  }
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = text.substr(0, colon);
  int n = 0;
  if ((kind != "expected" && kind != "probability") || !ParseInt32(text.substr(colon + 1), n) ||
      n < 1 || n > 9999) {
    return false;
  }
  e.ChushutsuFlag = true;
  e.ChushutsuCount = n;
  e.ChushutsuOrder = kind == "expected" ? 1 : 2;
  return true;
}

std::string Pct(double p) { return FormatNumber(p * 100, "##0.0") + "%"; }

}  // namespace

void PrintOwnProbabilities(std::ostream& out, const DocumentRecord& doc) {
  if (!doc.OwnProbs.set) {
    out << "Own probabilities: none\n";
    return;
  }
  clsTValue value;
  const bool priced = value.SetVote(doc.Vote);
  const OwnProbabilitySource& source = doc.OwnProbs.source;
  if (source.model) {
    out << "Own probabilities from the goal model, fitted on "
        << FormatNumber(static_cast<int64_t>(source.history_matches), "#,##0") << " matches before "
        << source.fit_date.Format("yyyy/mm/dd") << "\n";
  }
  out << "Own probabilities (own / public, + where own is higher):\n";
  out << "  No  " << PadCutColumns("Home - Away", 22) << PadCutColumns("1", 18)
      << PadCutColumns("0", 18) << "2\n";
  for (int m = 0; m < kMatches; ++m) {
    const VoteMatch& vm = doc.Vote.matches[m];
    out << "  " << m + 1 << "   "
        << PadCutColumns(vm.home.empty() ? "-" : vm.home + " - " + vm.away, 22);
    for (int o : {1, 0, 2}) {
      double own = doc.OwnProbs.p[m][o];
      std::string cell = Pct(own);
      if (priced) {
        double pub = value.PublicShare(m, o);
        cell += " / " + Pct(pub) + (own > pub ? " +" : "");
      }
      out << (o == 2 ? cell : PadCutColumns(cell, 18));
    }
    out << "\n";
  }
}

Json OwnProbabilitiesJson(const DocumentRecord& doc) {
  if (!doc.OwnProbs.set) return nullptr;
  clsTValue value;
  const bool priced = value.SetVote(doc.Vote);
  Json matches = Json::array();
  for (int m = 0; m < kMatches; ++m) {
    const VoteMatch& vm = doc.Vote.matches[m];
    Json row{{"match", m + 1}, {"home", vm.home}, {"away", vm.away}};
    for (int o : {1, 0, 2}) {
      row[std::to_string(o)] = {{"own", doc.OwnProbs.p[m][o]},
                                {"public", priced ? Json(value.PublicShare(m, o)) : Json(nullptr)}};
    }
    matches.push_back(row);
  }
  return matches;
}

namespace {

int CmdProbs(CliContext& ctx, const CliArgs& args) {
  const std::string doc_path = args.Get("DOC.tpd");
  const std::string csv_path = args.Get("--set");
  const bool set = args.Has("--set");
  const bool odds = args.Has("--odds");
  const bool clear = args.Has("--clear");
  const bool value = args.Has("--value");
  const bool extract = args.Has("--extract");
  const bool model = args.Has("--model");
  // A change holds the document from its read to its write, so that two
  // changes at once both reach the file.
  std::optional<DocumentLock> lock;
  if (set || clear || model || value || extract) {
    lock.emplace(doc_path);
    if (!lock->Locked()) return 1;
  }
  clsTFileTPD tpd;
  DocumentRecord doc;
  if (!OpenDocument(tpd, doc_path, true, doc)) return 64;
  if (value && !ParseValueCondition(args.Get("--value"), doc.Conditions.Value)) {
    return UsageError(ctx, args, "--value takes expected:MIN[-MAX], ratio:MIN[-MAX] or off");
  }
  if (extract && !ParseExtraction(args.Get("--extract"), doc.Engine)) {
    return UsageError(ctx, args,
                      "--extract takes expected:N, probability:N (N from 1 to 9999) or off");
  }
  if (const std::string problem = ValueRangeProblem(doc.Conditions.Value);
      value && !problem.empty()) {
    ctx.err << "zelvomini-cli: " << problem << " (" << args.Get("--value") << ")\n";
    return 64;
  }
  if (!set && !clear && !model && !value && !extract) {
    PrintOwnProbabilities(ctx.out, doc);
    return 0;
  }
  if (set) {
    std::string text;
    if (!ReadTextFile(csv_path, text, false)) {
      ctx.err << "zelvomini-cli: cannot read " << csv_path << ": " << UnreadableFileReason(csv_path)
              << "\n";
      return 1;
    }
    ProbabilityParse parse =
        ParseProbabilities(text, odds ? ProbabilityForm::kOdds : ProbabilityForm::kPercent);
    if (!parse.ok) {
      ctx.err << "zelvomini-cli: " << csv_path;
      if (parse.line > 0) ctx.err << ":" << parse.line;
      ctx.err << ": " << parse.error << "; " << doc_path << " is unchanged\n";
      return 1;
    }
    doc.OwnProbs = OwnProbabilities{};  // the user's own from now on
    doc.OwnProbs.set = true;
    doc.OwnProbs.p = parse.p;
  } else if (model) {
    if (!OwnProbabilitiesFromModel(ctx, doc)) {
      ctx.err << "zelvomini-cli: " << doc_path << " is unchanged\n";
      return 1;
    }
  } else if (clear) {
    doc.OwnProbs = OwnProbabilities{};
  }
  if (AbortedBeforeSave(ctx.err, doc_path)) return AbortExitCode();
  if (!tpd.SaveFile(doc_path, true, doc, true)) return 1;
  if (set) PrintOwnProbabilities(ctx.out, doc);
  ctx.out << (clear ? "Own probabilities removed from " : "Stored in ") << doc_path << "\n";
  return 0;
}

}  // namespace

CliCommand ProbsCommand() {
  return {
      .name = "probs",
      .summary = "own probabilities, the value condition and extraction of a document",
      .args = {{"DOC.tpd", {CliKind::kDocument}}},
      .options = {{"--set",
                   "FILE.csv",
                   {CliKind::kCsv},
                   "store the probabilities of the file: five lines home,draw,away in percent",
                   {},
                   {"--clear", "--model"}},
                  {"--odds",
                   "",
                   {},
                   "the file holds decimal odds, the margin removed per match",
                   {"--set"}},
                  {"--clear", "", {}, "remove the document's own probabilities", {}, {"--model"}},
                  {"--model",
                   "",
                   {},
                   "store the goal model's probabilities for the document's round (a match "
                   "of clubs it does not know keeps what it had)"},
                  {"--value",
                   "KIND:MIN[-MAX]|off",
                   {},
                   "the value condition: expected (yen per 100 yen) or ratio (own against "
                   "public), from MIN to MAX; off turns it off"},
                  {"--extract",
                   "KIND:N|off",
                   {},
                   "extract the N best singles by expected value or probability; off turns it "
                   "off"}},
      .details =
          "Without an option, shows the own probabilities beside the public's shares "
          "(+ where the own one is higher); with one, changes the document and saves it.",
      .exits = {{1,
                 "the file cannot be read, the model knows none of the round's clubs, or "
                 "the document cannot be saved; it is unchanged"},
                {64, "the document cannot be read"}},
      .run = CmdProbs};
}

}  // namespace zelvo
