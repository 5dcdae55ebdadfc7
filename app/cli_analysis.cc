// The analysis of a purchase: coverage, chances, minimum and lines.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/chances.h"
#include "analysis/coverage.h"
#include "analysis/document_singles.h"
#include "analysis/minimum.h"
#include "analysis/single_sets.h"
#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "core/single_frame.h"
#include "files/csv_file.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {

const char kAnalysisHelp[] =
    "Analysing a purchase (BOUGHT, A, B: a document .tpd, whose singles are read, or a CSV\n"
    "file of singles as csv export writes them):\n"
    "  coverage BOUGHT [--results all|reduced|FILE] [--doc DOC.tpd]\n"
    "      matches right per result, the worst case and the results outside grade 2 / 3;\n"
    "      reduced = what the document's reduction keeps (BOUGHT's own or --doc's)\n"
    "  chances BOUGHT [--probs FILE.csv [--odds]] [--doc DOC.tpd] [--per-single]\n"
    "      probability of 5 / at least 4 / at least 3 right and the expected return per\n"
    "      100 yen, with the payout estimate of the document's vote status (--doc for a\n"
    "      CSV purchase; without it the round and group of a Zmini-123A.csv name);\n"
    "      FILE.csv: five lines home,draw,away, percentages or with --odds decimal odds\n"
    "      (p = (1/o) / sum of 1/o over the match's three outcomes)\n"
    "  minimum (DOC.tpd | --targets all|FILE) [--grade 2|3] [--time S] [--within]\n"
    "      fewest singles guaranteeing the grade over the document's reduced singles (or\n"
    "      the targets), chosen from all 243 or --within the targets; S seconds (10)\n"
    "  lines union|intersect|diff A B, unique A, expand A --grade 2|3,\n"
    "        complement A [--multi DOC.tpd]   [-o OUT.csv | -o OUT.tpd [--doc DOC.tpd]]\n"
    "      set algebra on singles: results ascending (unique keeps A's order); without -o\n"
    "      the singles are printed; a .tpd output is a copy of --doc's document, or of the\n"
    "      first input document, with these singles\n";

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

struct SinglesSource {
  std::string path;
  bool document = false;
  DocumentRecord doc;
  std::vector<int> singles;
};

bool IsDocumentFile(const std::string& path) {
  if (EndsWithNoCase(path, ".tpd")) return true;
  clsTFileTPD tpd;
  int version = 0;
  return FileExists(path) && tpd.DataTypeCheck(path, true, version, false);
}

bool LoadSource(CliContext& ctx, const std::string& path, SinglesSource& src) {
  src.path = path;
  src.document = IsDocumentFile(path);
  if (!src.document) return ReadSinglesCsv(path, src.singles, ctx.err);
  clsTFileTPD tpd;
  if (!OpenDocument(tpd, path, true, src.doc)) {
    ctx.err << "zelvomini-cli: cannot open the document " << path << "\n";
    return false;
  }
  const size_t count =
      std::min(static_cast<size_t>(std::max(src.doc.SingleCount, 0)), src.doc.SingleData.size());
  src.singles.assign(src.doc.SingleData.begin(), src.doc.SingleData.begin() + count);
  return true;
}

// The document a purchase is judged with: --doc's, the purchase's own, or
// for a CSV file named after its round and group (Zmini-123A.csv) a new one
// on that round with its cached vote status.  False when there is none.
bool DocumentFor(CliContext& ctx, const SinglesSource& bought, const std::string& doc_path,
                 DocumentRecord& doc, std::string& name, bool& failed) {
  failed = false;
  if (!doc_path.empty()) {
    clsTFileTPD tpd;
    if (!OpenDocument(tpd, doc_path, true, doc)) {
      ctx.err << "zelvomini-cli: cannot open the document " << doc_path << "\n";
      failed = true;
      return false;
    }
    name = doc_path;
    return true;
  }
  if (bought.document) {
    doc = bought.doc;
    name = bought.path;
    return true;
  }
  const int round = clsTFileCSV::GetKaisaikai(bought.path);
  const std::string group = clsTFileCSV::GetKumi(bought.path);
  if (round <= 0 || group.empty()) return false;
  ResetToNewDocument(doc);
  doc.Kaisaikai = round;
  doc.Kumi = group;
  CachedVote(doc);
  name = "round " + std::to_string(round) + " " + group;
  return doc.Vote.Kaisaikai > 0;
}

std::string Count(int64_t n) { return FormatNumber(n, "#,##0"); }

std::string Percent(double p) {
  std::ostringstream s;
  s << std::setprecision(6) << p * 100 << "%";
  return s.str();
}

// Listed singles, eight to a line so that a long list stays readable.
void PrintSingleList(std::ostream& out, const std::vector<int>& singles) {
  for (size_t i = 0; i < singles.size(); ++i) {
    out << (i % 8 == 0 ? "  " : " ") << OutcomeDigits(singles[i]);
    if (i % 8 == 7 || i + 1 == singles.size()) out << "\n";
  }
}

int Usage(CliContext& ctx) {
  ctx.err << kAnalysisHelp;
  return 64;
}

}  // namespace

int CmdCoverage(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string results_arg = "all", doc_path;
  bool missing = false;
  TakeOption(args, "--results", results_arg, missing);
  TakeOption(args, "--doc", doc_path, missing);
  if (missing || args.size() != 1) return Usage(ctx);

  SinglesSource bought;
  if (!LoadSource(ctx, args[0], bought)) return 1;
  if (bought.singles.empty()) {
    ctx.err << "zelvomini-cli: " << args[0] << " holds no singles\n";
    return 1;
  }
  std::vector<int> results;
  std::string results_name;
  if (results_arg == "all") {
    results = AllSingles();
    results_name = "all singles";
  } else if (results_arg == "reduced") {
    DocumentRecord doc;
    std::string name;
    bool failed = false;
    if (doc_path.empty() && !bought.document) {
      ctx.err << "zelvomini-cli: --results reduced needs a document: BOUGHT as .tpd or --doc\n";
      return 1;
    }
    if (!DocumentFor(ctx, bought, doc_path, doc, name, failed)) return 1;
    results = ReducedSingles(doc);
    results_name = "the reduced singles of " + name;
  } else {
    SinglesSource source;
    if (!LoadSource(ctx, results_arg, source)) return 1;
    results = std::move(source.singles);
    results_name = results_arg;
  }

  const CoverageReport r = AnalyseCoverage(bought.singles, results);
  std::ostream& out = ctx.out;
  out << "Bought: " << Count(r.tickets) << " singles (" << r.bought_distinct << " different)\n";
  out << "Results: " << r.results << " (" << results_name << ")";
  if (r.duplicate_results > 0) out << ", " << r.duplicate_results << " repeated ones counted once";
  out << "\n";
  out << "Most matches right of a bought single, per result:\n";
  for (int k = kMatches; k >= 0; --k) {
    out << "  " << k << " right: " << std::setw(4) << r.right[k];
    if (r.results > 0) out << "  " << FormatNumber(100.0 * r.right[k] / r.results, "##0.0") << "%";
    out << "\n";
  }
  if (r.worst_right < 0) {
    out << "Worst case: no results\n";
  } else {
    out << "Worst case: " << r.worst_right << " right\n";
  }
  out << "Outside grade 2 (3 right or fewer): " << r.outside_grade2.size() << "\n";
  PrintSingleList(out, r.outside_grade2);
  out << "Outside grade 3 (2 right or fewer): " << r.outside_grade3.size() << "\n";
  PrintSingleList(out, r.outside_grade3);
  // The closing lines keep one form for scripts.
  for (int k = kMatches; k >= 0; --k) out << "right " << k << ": " << r.right[k] << "\n";
  out << "outside grade 2: " << r.outside_grade2.size() << "\n";
  out << "outside grade 3: " << r.outside_grade3.size() << "\n";
  return 0;
}

int CmdChances(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string probs_path, doc_path;
  bool missing = false;
  const bool have_probs = TakeOption(args, "--probs", probs_path, missing);
  TakeOption(args, "--doc", doc_path, missing);
  const bool odds = TakeFlag(args, "--odds");
  const bool per_single = TakeFlag(args, "--per-single");
  if (missing || args.size() != 1 || (odds && !have_probs)) return Usage(ctx);

  SinglesSource bought;
  if (!LoadSource(ctx, args[0], bought)) return 1;
  if (bought.singles.empty()) {
    ctx.err << "zelvomini-cli: " << args[0] << " holds no singles\n";
    return 1;
  }
  DocumentRecord doc;
  std::string doc_name;
  bool failed = false;
  bool have_doc = DocumentFor(ctx, bought, doc_path, doc, doc_name, failed);
  if (failed) return 1;
  OutcomeProbabilities official{};
  std::string vote_error;
  const bool have_vote = have_doc && ProbabilitiesFromVote(doc.Vote, official, vote_error);

  OutcomeProbabilities p{};
  std::string source;
  if (have_probs) {
    std::string text;
    if (!ReadTextFile(probs_path, text, false)) {
      ctx.err << "zelvomini-cli: cannot read " << probs_path << ": "
              << UnreadableFileReason(probs_path) << "\n";
      return 1;
    }
    ProbabilityParse parse =
        ParseProbabilities(text, odds ? ProbabilityForm::kOdds : ProbabilityForm::kPercent);
    if (!parse.ok) {
      ctx.err << "zelvomini-cli: " << probs_path;
      if (parse.line > 0) ctx.err << ":" << parse.line;
      ctx.err << ": " << parse.error << "\n";
      return 1;
    }
    p = parse.p;
    source = odds ? "odds of " + probs_path + ", the margin removed per match"
                  : "percentages of " + probs_path;
  } else if (have_doc && doc.OwnProbs.set) {
    p = doc.OwnProbs.p;
    source = "own probabilities of " + doc_name;
  } else if (have_vote) {
    p = official;
    source = "official vote rates of " + doc_name;
  } else {
    ctx.err << "zelvomini-cli: no probabilities: "
            << (have_doc ? vote_error + " (" + doc_name + ")"
                         : std::string("give --probs FILE.csv, or --doc DOC.tpd for a CSV "
                                       "purchase"))
            << "\n";
    return 1;
  }
  clsTMoney money;
  if (have_vote) money.SetVote(doc.Vote);
  const ChancesReport r = AnalyseChances(bought.singles, p, have_vote ? &money : nullptr);

  std::ostream& out = ctx.out;
  out << "Bought: " << Count(r.tickets) << " singles (" << r.bought_distinct
      << " different), stake " << FormatNumber(r.stake, "#,##0") << " yen\n";
  out << "Probabilities: " << source << "\n";
  out << "5 right (a win): " << Percent(r.win) << "\n";
  out << "At least 4 right: " << Percent(r.at_least4) << "\n";
  out << "At least 3 right: " << Percent(r.at_least3) << "\n";
  if (r.has_payout) {
    out << "Expected return: " << FormatNumber(r.expected_return, "#,##0") << " yen, "
        << FormatNumber(r.per_100, "#,##0.00") << " yen per 100 yen staked (payout estimate of "
        << doc_name << ")\n";
  } else {
    out << "Expected return: not known, no vote status for the payout estimate"
        << (have_doc ? " (" + vote_error + ")" : std::string(" (give --doc DOC.tpd)")) << "\n";
  }
  if (per_single) {
    std::vector<SingleChance> rows = r.singles;
    std::stable_sort(rows.begin(), rows.end(), [](const SingleChance& a, const SingleChance& b) {
      return a.value > b.value;
    });
    // The value ratio sets the chance against the public's share of the
    // single; with the official rates as the chance it is 1 everywhere.
    out << "single\ttickets\tprobability\tpayout\tvalue per 100 yen\tvalue ratio\n";
    for (const SingleChance& c : rows) {
      const double share = have_vote ? ResultProbability(official, c.single) : 0;
      out << OutcomeDigits(c.single) << "\t" << c.tickets << "\t" << Percent(c.probability) << "\t"
          << (r.has_payout ? FormatNumber(c.payout, "#,##0") : std::string("-")) << "\t"
          << (r.has_payout ? FormatNumber(c.value, "#,##0.00") : std::string("-")) << "\t"
          << (share > 0 ? FormatNumber(c.probability / share, "0.00") : std::string("-")) << "\n";
    }
  }
  return 0;
}

int CmdMinimum(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string targets_arg, grade_text, time_text = "10";
  bool missing = false;
  const bool have_targets = TakeOption(args, "--targets", targets_arg, missing);
  const bool have_grade = TakeOption(args, "--grade", grade_text, missing);
  TakeOption(args, "--time", time_text, missing);
  MinimumRequest request;
  request.within_targets = TakeFlag(args, "--within");
  if (missing || have_targets == (args.size() == 1) || args.size() > 1 ||
      (have_grade && grade_text != "2" && grade_text != "3") ||
      !ParseSeconds(time_text, request.time_limit) || request.time_limit <= 0) {
    return Usage(ctx);
  }
  if (!MinimumSolverBuiltIn()) {
    ctx.err << "zelvomini-cli: minimum is not built in: this build has no solver "
               "(configure with -DZELVO_WITH_CBC=ON and coinor-libcbc-dev installed)\n";
    return 1;
  }

  std::string targets_name;
  int grade = 2;
  bool reference = false;
  if (have_targets) {
    if (targets_arg == "all") {
      request.targets = AllSingles();
      targets_name = "all singles";
    } else {
      SinglesSource source;
      if (!LoadSource(ctx, targets_arg, source)) return 1;
      request.targets = std::move(source.singles);
      targets_name = targets_arg;
    }
  } else {
    SinglesSource source;
    if (!LoadSource(ctx, args[0], source)) return 1;
    if (!source.document) {
      ctx.err << "zelvomini-cli: " << args[0]
              << " is no document; a CSV file goes with --targets\n";
      return 1;
    }
    request.targets = ReducedSingles(source.doc);
    request.reference = source.singles;
    reference = true;
    targets_name = "the reduced singles of " + args[0];
    if (DocumentEngineGrade(source.doc) != 0) grade = DocumentEngineGrade(source.doc);
  }
  if (have_grade) grade = grade_text == "3" ? 3 : 2;
  request.grade = grade;

  request.stop_requested = [] { return AbortSignal() != 0; };
  const MinimumResult r = FindMinimum(request);
  if (r.stopped) {
    ctx.err << "zelvomini-cli: minimum interrupted by " << AbortSignalName()
            << "; nothing was proven\n";
    return AbortExitCode();
  }
  if (r.status == MinimumStatus::kFailed || r.status == MinimumStatus::kNotBuiltIn) {
    ctx.err << "zelvomini-cli: " << r.error << "\n";
    return 1;
  }
  std::ostream& out = ctx.out;
  out << "Targets: " << r.targets << " (" << targets_name << ")\n";
  out << "Grade " << grade << ": every target within " << (grade == 2 ? "one match" : "two matches")
      << " of a chosen single (at least " << (grade == 2 ? 4 : 3) << " right)\n";
  out << "Candidates: "
      << (request.within_targets ? "the " + std::to_string(r.candidates) + " targets only"
                                 : std::string("all 243 singles"))
      << "\n";
  if (r.known_value) {
    out << "Solver: not needed, the minimum over all singles is the known covering code size\n";
  } else if (r.targets > 0) {
    out << "Solver: " << (r.status == MinimumStatus::kProven ? "proven" : "time limit reached")
        << " in " << FormatNumber(r.seconds, "0.00") << " s\n";
  }
  if (!r.singles.empty()) {
    out << "Singles (" << r.singles.size() << "):\n";
    PrintSingleList(out, r.singles);
  }
  if (reference) {
    out << "Document's singles: " << r.reference_size;
    switch (r.reference) {
      case ReferenceVerdict::kNone:
        break;
      case ReferenceVerdict::kNotCovering:
        out << ", they leave " << r.reference_missed << " targets outside grade " << grade;
        break;
      case ReferenceVerdict::kOptimal:
        out << ", optimal";
        break;
      case ReferenceVerdict::kNotOptimal:
        out << ", not optimal (" << r.best << " do)";
        break;
      case ReferenceVerdict::kUnknown:
        if (r.reference_size < r.best) {
          out << ", fewer than the minimum among the targets: " << r.reference_outside
              << " of them are not targets";
        } else {
          out << ", optimal not known (the minimum is " << r.lower_bound << " to " << r.best << ")";
        }
        break;
    }
    out << "\n";
  }
  if (r.status == MinimumStatus::kProven) {
    out << "minimum: " << r.best << " proven\n";
  } else {
    out << "minimum: at most " << r.best << ", at least " << r.lower_bound << "\n";
  }
  return 0;
}

int CmdLines(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string out_path, doc_path, multi_path, grade_text;
  bool missing = false;
  TakeOption(args, "-o", out_path, missing);
  TakeOption(args, "--doc", doc_path, missing);
  const bool have_multi = TakeOption(args, "--multi", multi_path, missing);
  const bool have_grade = TakeOption(args, "--grade", grade_text, missing);
  if (missing || args.empty()) return Usage(ctx);
  const std::string op = args[0];
  const size_t inputs = args.size() - 1;
  const bool binary = op == "union" || op == "intersect" || op == "diff";
  const bool unary = op == "unique" || op == "expand" || op == "complement";
  if ((!binary && !unary) || inputs != (binary ? 2u : 1u) || (have_multi && op != "complement") ||
      (op == "expand") != have_grade || (have_grade && grade_text != "2" && grade_text != "3")) {
    return Usage(ctx);
  }

  if (!out_path.empty()) {
    std::vector<std::string> read(args.begin() + 1, args.end());
    for (const std::string* extra : {&doc_path, &multi_path}) {
      if (!extra->empty()) read.push_back(*extra);
    }
    if (!CheckOutput(ctx, out_path, read)) return 1;
  }
  std::vector<SinglesSource> sources(inputs);
  for (size_t i = 0; i < inputs; ++i) {
    if (!LoadSource(ctx, args[i + 1], sources[i])) return 1;
  }
  const std::vector<int>& a = sources[0].singles;
  std::vector<int> result;
  if (op == "union") {
    result = UnionOf(a, sources[1].singles);
  } else if (op == "intersect") {
    result = IntersectionOf(a, sources[1].singles);
  } else if (op == "diff") {
    result = DifferenceOf(a, sources[1].singles);
  } else if (op == "unique") {
    result = UniqueOf(a);
  } else if (op == "expand") {
    result = ExpandOf(a, grade_text == "3" ? 3 : 2);
  } else {
    std::vector<int> within = AllSingles();
    if (have_multi) {
      clsTFileTPD tpd;
      DocumentRecord doc;
      if (!OpenDocument(tpd, multi_path, true, doc)) {
        ctx.err << "zelvomini-cli: cannot open the document " << multi_path << "\n";
        return 1;
      }
      within = MultiSingles(doc.Multi);
    }
    result = ComplementOf(a, within);
  }

  if (out_path.empty()) {
    for (int s : result) ctx.out << OutcomeDigits(s) << "\n";
    return 0;
  }
  const int count = static_cast<int>(result.size());
  if (AbortedBeforeSave(ctx.err, out_path)) return AbortExitCode();
  if (EndsWithNoCase(out_path, ".tpd")) {
    DocumentRecord doc;
    if (!doc_path.empty()) {
      clsTFileTPD tpd;
      if (!OpenDocument(tpd, doc_path, true, doc)) {
        ctx.err << "zelvomini-cli: cannot open the document " << doc_path << "\n";
        return 1;
      }
    } else {
      auto it = std::find_if(sources.begin(), sources.end(),
                             [](const SinglesSource& s) { return s.document; });
      if (it == sources.end()) {
        ctx.err << "zelvomini-cli: a .tpd output is a copy of a document: give --doc DOC.tpd "
                   "or a document as an input\n";
        return 1;
      }
      doc = it->doc;
    }
    doc.SingleCount = count;
    doc.SingleData = result;
    doc.SingleFrame = CountSingleFrame(doc.SingleData);
    clsTFileTPD tpd;
    if (!tpd.SaveFile(out_path, true, doc, true)) return 1;
  } else {
    clsTFileCSV csv;
    if (!csv.CsvSave(out_path, count, result)) return 1;
  }
  ctx.out << count << " singles written to " << out_path << "\n";
  return 0;
}

}  // namespace zelvo
