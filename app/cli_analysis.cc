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
#include "app/cli_json.h"
#include "core/single_frame.h"
#include "core/single_number.h"
#include "files/csv_file.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {

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

Json DigitsJson(const std::vector<int>& singles) {
  Json list = Json::array();
  for (int s : singles) list.push_back(OutcomeDigits(s));
  return list;
}

int CmdCoverage(CliContext& ctx, const CliArgs& args) {
  const std::string bought_path = args.Get("BOUGHT");
  const std::string results_arg = args.Get("--results", "all");
  const std::string doc_path = args.Get("--doc");

  SinglesSource bought;
  if (!LoadSource(ctx, bought_path, bought)) return 1;
  if (bought.singles.empty()) {
    ctx.err << "zelvomini-cli: " << bought_path << " holds no singles\n";
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
  if (args.json()) {
    Json right = Json::object();
    for (int k = kMatches; k >= 0; --k) right[std::to_string(k)] = r.right[k];
    PrintJson(ctx.out, {{"bought", r.tickets},
                        {"bought_distinct", r.bought_distinct},
                        {"results", r.results},
                        {"results_source", results_name},
                        {"repeated_results", r.duplicate_results},
                        {"right", right},
                        {"worst_right", r.worst_right < 0 ? Json(nullptr) : Json(r.worst_right)},
                        {"outside_grade2", DigitsJson(r.outside_grade2)},
                        {"outside_grade3", DigitsJson(r.outside_grade3)}});
    return 0;
  }
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

int CmdChances(CliContext& ctx, const CliArgs& args) {
  const std::string bought_path = args.Get("BOUGHT");
  const std::string probs_path = args.Get("--probs");
  const std::string doc_path = args.Get("--doc");
  const bool have_probs = args.Has("--probs");
  const bool odds = args.Has("--odds");
  const bool per_single = args.Has("--per-single");

  SinglesSource bought;
  if (!LoadSource(ctx, bought_path, bought)) return 1;
  if (bought.singles.empty()) {
    ctx.err << "zelvomini-cli: " << bought_path << " holds no singles\n";
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
  std::vector<SingleChance> rows = r.singles;
  std::stable_sort(rows.begin(), rows.end(),
                   [](const SingleChance& a, const SingleChance& b) { return a.value > b.value; });
  // The value ratio sets the chance against the public's share of the
  // single; with the official rates as the chance it is 1 everywhere.
  auto share = [&](int single) { return have_vote ? ResultProbability(official, single) : 0.0; };

  if (args.json()) {
    Json j{{"bought", r.tickets},
           {"bought_distinct", r.bought_distinct},
           {"stake", r.stake},
           {"probabilities", source},
           {"win", r.win},
           {"at_least4", r.at_least4},
           {"at_least3", r.at_least3},
           {"expected_return", r.has_payout ? Json(r.expected_return) : Json(nullptr)},
           {"per_100", r.has_payout ? Json(r.per_100) : Json(nullptr)},
           {"payout_estimate", r.has_payout ? Json(doc_name) : Json(nullptr)}};
    if (per_single) {
      Json& list = j["singles"] = Json::array();
      for (const SingleChance& c : rows) {
        list.push_back({{"single", OutcomeDigits(c.single)},
                        {"tickets", c.tickets},
                        {"probability", c.probability},
                        {"payout", r.has_payout ? Json(c.payout) : Json(nullptr)},
                        {"value", r.has_payout ? Json(c.value) : Json(nullptr)},
                        {"value_ratio", share(c.single) > 0 ? Json(c.probability / share(c.single))
                                                            : Json(nullptr)}});
      }
    }
    PrintJson(ctx.out, j);
    return 0;
  }
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
    out << "single\ttickets\tprobability\tpayout\tvalue per 100 yen\tvalue ratio\n";
    for (const SingleChance& c : rows) {
      const double s = share(c.single);
      out << OutcomeDigits(c.single) << "\t" << c.tickets << "\t" << Percent(c.probability) << "\t"
          << (r.has_payout ? FormatNumber(c.payout, "#,##0") : std::string("-")) << "\t"
          << (r.has_payout ? FormatNumber(c.value, "#,##0.00") : std::string("-")) << "\t"
          << (s > 0 ? FormatNumber(c.probability / s, "0.00") : std::string("-")) << "\n";
    }
  }
  return 0;
}

int CmdMinimum(CliContext& ctx, const CliArgs& args) {
  const std::string doc_path = args.Get("DOC.tpd");
  const std::string targets_arg = args.Get("--targets");
  const bool have_targets = args.Has("--targets");
  const bool have_grade = args.Has("--grade");
  const std::string grade_text = args.Get("--grade");
  MinimumRequest request;
  request.time_limit = args.Number("--time", 10);
  request.within_targets = args.Has("--within");
  if (have_targets == args.Has("DOC.tpd")) {
    return UsageError(ctx, args, "give either DOC.tpd or --targets");
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
    if (!LoadSource(ctx, doc_path, source)) return 1;
    if (!source.document) {
      ctx.err << "zelvomini-cli: " << doc_path
              << " is no document; a CSV file goes with --targets\n";
      return 1;
    }
    request.targets = ReducedSingles(source.doc);
    request.reference = source.singles;
    reference = true;
    targets_name = "the reduced singles of " + doc_path;
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
  if (args.json()) {
    static const char* kVerdicts[] = {nullptr, "not covering", "optimal", "not optimal", "unknown"};
    Json j{{"targets", r.targets},
           {"targets_source", targets_name},
           {"grade", grade},
           {"candidates", request.within_targets ? r.candidates : kSingles},
           {"known_value", r.known_value},
           {"proven", r.status == MinimumStatus::kProven},
           {"seconds", r.known_value || r.targets == 0 ? Json(nullptr) : Json(r.seconds)},
           {"minimum", r.best},
           {"lower_bound", r.lower_bound},
           {"singles", DigitsJson(r.singles)}};
    if (reference) {
      const char* verdict = kVerdicts[static_cast<int>(r.reference)];
      j["document"] = {{"singles", r.reference_size},
                       {"verdict", verdict ? Json(verdict) : Json(nullptr)},
                       {"missed", r.reference_missed},
                       {"not_targets", r.reference_outside}};
    }
    PrintJson(ctx.out, j);
    return 0;
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

int CmdLines(CliContext& ctx, const CliArgs& args) {
  const std::string op = args.command().name;
  const std::string out_path = args.Get("-o");
  const std::string doc_path = args.Get("--doc");
  const std::string multi_path = args.Get("--multi");
  const bool have_multi = args.Has("--multi");
  const std::string grade_text = args.Get("--grade");
  std::vector<std::string> inputs = {args.Get("A")};
  if (args.Has("B")) inputs.push_back(args.Get("B"));
  if (!out_path.empty()) {
    std::vector<std::string> read = inputs;
    for (const std::string* extra : {&doc_path, &multi_path}) {
      if (!extra->empty()) read.push_back(*extra);
    }
    if (!CheckOutput(ctx, out_path, read)) return 1;
  }
  std::vector<SinglesSource> sources(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    if (!LoadSource(ctx, inputs[i], sources[i])) return 1;
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

}  // namespace

CliCommand CoverageCommand() {
  return {.name = "coverage",
          .summary = "matches right per possible result of a purchase",
          .args = {{"BOUGHT", {CliKind::kSingles}, CliCount::kOne, "the purchase"}},
          .options = {{"--results",
                       "all|reduced|FILE",
                       {CliKind::kSingles, {"all", "reduced"}},
                       "the results counted: all 243 singles (the default), what the document's "
                       "reduction keeps, or the singles of a file"},
                      {"--doc",
                       "DOC.tpd",
                       {CliKind::kDocument},
                       "the document whose reduction --results reduced means, for a CSV purchase"}},
          .details =
              "For each result, the most matches right of a bought single; then the worst "
              "case and the results outside grade 2 and grade 3.  The closing lines keep "
              "one form for scripts (right 5: N, ..., outside grade 3: N).",
          .exits = {{1, "a file cannot be read or holds no singles"}},
          .json =
              "An object: bought (tickets), bought_distinct, results, results_source, "
              "repeated_results, right (results per number of matches right, \"5\" to \"0\"), "
              "worst_right (null without results), outside_grade2 and outside_grade3 (the "
              "singles as five outcome digits).",
          .run = CmdCoverage};
}

CliCommand ChancesCommand() {
  return {.name = "chances",
          .summary = "win chances and the expected return of a purchase",
          .args = {{"BOUGHT", {CliKind::kSingles}, CliCount::kOne, "the purchase"}},
          .options = {{"--probs",
                       "FILE.csv",
                       {CliKind::kCsv},
                       "the outcome probabilities: five lines home,draw,away in percent"},
                      {"--odds",
                       "",
                       {},
                       "the file holds decimal odds: p = (1/o) / the sum of 1/o "
                       "over the match's three outcomes",
                       {"--probs"}},
                      {"--doc",
                       "DOC.tpd",
                       {CliKind::kDocument},
                       "the document whose vote status prices the payout, for a CSV purchase"},
                      {"--per-single", "", {}, "a table of each bought single's chance and value"}},
          .details =
              "The probability of 5, at least 4 and at least 3 right and the expected return "
              "per 100 yen, with the payout estimate of the document's vote status.  The "
              "probabilities are --probs's, else the document's own ones, else the "
              "official vote rates.  A CSV purchase named Zmini-123A.csv is priced on round "
              "123 A without --doc.",
          .exits = {{1, "a file cannot be read, or there are no probabilities"}},
          .json =
              "An object: bought, bought_distinct, stake (yen), probabilities (their source), "
              "win, at_least4, at_least3 (probabilities from 0 to 1), expected_return and "
              "per_100 (yen; null without a payout estimate), payout_estimate (the document "
              "priced with), and with --per-single singles: single, tickets, probability, "
              "payout, value (yen per 100 yen) and value_ratio, best value first.",
          .run = CmdChances};
}

CliCommand MinimumCommand() {
  return {.name = "minimum",
          .summary = "the proven fewest singles guaranteeing a grade",
          .args = {{"DOC.tpd",
                    {CliKind::kDocument},
                    CliCount::kOptional,
                    "its reduced singles are the targets, its engine the grade"}},
          .options = {{"--targets",
                       "all|FILE",
                       {CliKind::kSingles, {"all"}},
                       "the targets instead of a document's: all 243 singles or a file's"},
                      {"--grade",
                       "2|3",
                       {CliKind::kWord, {"2", "3"}},
                       "every target within one (2) or two (3) matches of a chosen single"},
                      {"--time",
                       "S",
                       {CliKind::kSeconds, {}, 0, 9.2e18, true},
                       "the solver's time limit (10 by default)"},
                      {"--within", "", {}, "choose among the targets only, not all 243 singles"}},
          .details =
              "Needs the CBC solver (built with -DZELVO_WITH_CBC=ON).  With a document it "
              "also says whether the document's own singles are optimal.",
          .exits = {{1, "a file cannot be read, the solver is missing or failed"}},
          .json =
              "An object: targets, targets_source, grade, candidates, known_value (answered "
              "from the known covering-code sizes), proven, seconds (null when no solver "
              "ran), minimum, lower_bound, singles, and for a document document: singles, "
              "verdict (\"not covering\", \"optimal\", \"not optimal\", \"unknown\" or null), "
              "missed, not_targets.",
          .run = CmdMinimum};
}

CliCommand LinesCommand() {
  const CliArg a{"A", {CliKind::kSingles}};
  const CliArg b{"B", {CliKind::kSingles}};
  const std::vector<CliOption> out = {
      {"-o",
       "OUT.csv|OUT.tpd",
       {CliKind::kSingles},
       "write the result there instead of printing it; a .tpd output is a copy of --doc's "
       "document, or of the first input document, with these singles"},
      {"--doc", "DOC.tpd", {CliKind::kDocument}, "the document a .tpd output copies"}};
  auto with = [&out](std::vector<CliOption> more) {
    more.insert(more.begin(), out.begin(), out.end());
    return more;
  };
  const std::vector<CliExit> exits = {{1, "a file cannot be read or written"}};
  auto op = [&](const char* name, const char* summary, std::vector<CliArg> args,
                std::vector<CliOption> options) {
    return CliCommand{.name = name,
                      .summary = summary,
                      .args = std::move(args),
                      .options = std::move(options),
                      .exits = exits,
                      .run = CmdLines};
  };
  return {.name = "lines",
          .summary = "set algebra on singles",
          .details =
              "Results are in ascending order (unique keeps A's order); without -o the "
              "singles are printed one a line as five outcome digits.",
          .subcommands = {op("union", "the singles of A or B", {a, b}, out),
                          op("intersect", "the singles of both A and B", {a, b}, out),
                          op("diff", "the singles of A that B lacks", {a, b}, out),
                          op("unique", "A without repeated singles", {a}, out),
                          op("expand", "every single within the grade of one of A", {a},
                             with({{"--grade",
                                    "2|3",
                                    {CliKind::kWord, {"2", "3"}},
                                    "within one (2) or two (3) matches",
                                    {},
                                    {},
                                    true}})),
                          op("complement", "the singles A lacks", {a},
                             with({{"--multi",
                                    "DOC.tpd",
                                    {CliKind::kDocument},
                                    "among the singles of this document's multi, not all 243"}}))}};
}

}  // namespace zelvo
