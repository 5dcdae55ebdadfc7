// The probs command: the user's own outcome probabilities kept in a
// document, beside the public's vote shares.
#include <optional>
#include <ostream>
#include <string>

#include "analysis/chances.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "files/tpd_file.h"
#include "reduction/single_value.h"
#include "support/file_lock.h"
#include "support/format.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

int Usage(CliContext& ctx) {
  ctx.err << "usage: zelvomini-cli probs DOC.tpd [--set FILE.csv [--odds] | --model | --clear]\n"
             "         [--value expected|ratio:MIN[-MAX] | --value off]\n"
             "         [--extract expected|probability:N | --extract off]\n"
             "       (FILE.csv: five lines home,draw,away, percentages or decimal odds)\n";
  return 64;
}

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

int CmdProbs(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string csv_path;
  bool missing = false;
  const bool set = TakeOption(args, "--set", csv_path, missing);
  const bool odds = TakeFlag(args, "--odds");
  const bool clear = TakeFlag(args, "--clear");
  const bool model = TakeFlag(args, "--model");
  std::string value_text, extract_text;
  const bool value = TakeOption(args, "--value", value_text, missing);
  const bool extract = TakeOption(args, "--extract", extract_text, missing);
  if (missing || args.size() != 1 || set + clear + model > 1 || (odds && !set)) return Usage(ctx);
  // A change holds the document from its read to its write, so that two
  // changes at once both reach the file.
  std::optional<DocumentLock> lock;
  if (set || clear || model || value || extract) {
    lock.emplace(args[0]);
    if (!lock->Locked()) return 1;
  }
  clsTFileTPD tpd;
  DocumentRecord doc;
  if (!OpenDocument(tpd, args[0], true, doc)) return 64;
  if ((value && !ParseValueCondition(value_text, doc.Conditions.Value)) ||
      (extract && !ParseExtraction(extract_text, doc.Engine))) {
    return Usage(ctx);
  }
  if (const std::string problem = ValueRangeProblem(doc.Conditions.Value);
      value && !problem.empty()) {
    ctx.err << "zelvomini-cli: " << problem << " (" << value_text << ")\n";
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
      ctx.err << ": " << parse.error << "; " << args[0] << " is unchanged\n";
      return 1;
    }
    doc.OwnProbs = OwnProbabilities{};  // the user's own from now on
    doc.OwnProbs.set = true;
    doc.OwnProbs.p = parse.p;
  } else if (model) {
    if (!OwnProbabilitiesFromModel(ctx, doc)) {
      ctx.err << "zelvomini-cli: " << args[0] << " is unchanged\n";
      return 1;
    }
  } else if (clear) {
    doc.OwnProbs = OwnProbabilities{};
  }
  if (AbortedBeforeSave(ctx.err, args[0])) return AbortExitCode();
  if (!tpd.SaveFile(args[0], true, doc, true)) return 1;
  if (set) PrintOwnProbabilities(ctx.out, doc);
  ctx.out << (clear ? "Own probabilities removed from " : "Stored in ") << args[0] << "\n";
  return 0;
}

}  // namespace zelvo
