// The live command: a round's purchases on match day, held against the
// results known so far.
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli_abort.h"
#include "app/cli_commands.h"
#include "matchday/match_day.h"
#include "matchday/match_day_report.h"
#include "matchday/model_forecast.h"
#include "matchday/purchase.h"
#include "support/format.h"
#include "support/paths.h"
#include "support/text.h"
#include "support/text_file.h"

namespace zelvo {
namespace {

constexpr const char* kUsage =
    "usage: zelvomini-cli live DOC.tpd|SINGLES.csv|FOLDER... [--known M=H-A|M=cancelled,...]\n"
    "         [--playing M=H-A@MINUTE,...] [--round N --group A|B] [--csv OUT.csv] [--no-model]\n"
    "       (M: match 1 to 5; a FOLDER adds its documents of the same round and group;\n"
    "        a CSV file of singles is of the documents' round, or of --round and --group;\n"
    "        without --known and --playing the cached official result is used; the goal model\n"
    "        prices the matches of clubs it knows, --no-model leaves them to the vote rates\n"
    "        and typical J-League scoring)\n";

int Usage(CliContext& ctx, const std::string& why = {}) {
  if (!why.empty()) ctx.err << "zelvomini-cli: " << why << "\n";
  ctx.err << kUsage;
  return 64;
}

bool ParseCount(const std::string& text, int max, int& value) {
  return !text.empty() && text.size() <= 3 && ParseInt32(text, value) && value >= 0 && value <= max;
}

// "2-1" into the entry's goals.
bool ParseScore(const std::string& text, MatchEntry& entry) {
  const size_t dash = text.find('-');
  return dash != std::string::npos && ParseCount(text.substr(0, dash), 99, entry.home_goals) &&
         ParseCount(text.substr(dash + 1), 99, entry.away_goals);
}

// "1=2-1,3=cancelled" (finished) or "4=1-0@60" (in play) into the entries;
// a match given twice, here or in the other list, is refused.
bool ParseEntries(const std::string& text, bool playing, MatchEntries& entries,
                  std::array<bool, kMatches>& given, std::string& error) {
  for (const std::string& item : Split(text, ",")) {
    const size_t eq = item.find('=');
    int match = 0;
    if (eq == std::string::npos || !ParseInt32(item.substr(0, eq), match) || match < 1 ||
        match > kMatches) {
      error = "'" + item + "': give the match (1 to 5), '=' and its score";
      return false;
    }
    if (given[match - 1]) {
      error = "match " + std::to_string(match) + " is given twice";
      return false;
    }
    given[match - 1] = true;
    std::string value = item.substr(eq + 1);
    MatchEntry& e = entries[match - 1];
    if (!playing && value == "cancelled") {
      e.state = MatchState::kCancelled;
      continue;
    }
    if (playing) {
      const size_t at = value.find('@');
      if (at == std::string::npos || !ParseCount(value.substr(at + 1), 130, e.minute)) {
        error = "'" + item + "': an open match is M=H-A@MINUTE (minute 0 to 130)";
        return false;
      }
      value.resize(at);
    }
    if (!ParseScore(value, e)) {
      error = "'" + item + "': the score is HOME-AWAY goals (0 to 99)";
      return false;
    }
    e.state = playing ? MatchState::kInPlay : MatchState::kFinished;
  }
  return true;
}

std::string DocumentList(const MatchDay& day, const std::vector<int>& documents) {
  std::vector<std::string> names;
  for (int d : documents) names.push_back(day.Documents()[d].name);
  return Join(names, ";");
}

std::string Pct(double fraction) { return FormatNumber(fraction * 100, "0.00") + "%"; }
std::string YenText(double yen) { return FormatNumber(yen, "#,##0") + " yen"; }

// A chance as a plain fraction, without an exponent: 0.01234567.
std::string Fraction(double p) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.10f", p);
  std::string s = buf;
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  return "\"" + ReplaceAll(text, "\"", "\"\"") + "\"";
}

std::string LiveCsv(const MatchDay& day, const MatchDayFigures& f) {
  std::string out = "single,documents,payout,chance\r\n";
  for (const AliveSingle& a : f.alive_singles) {
    out += OutcomeDigits(a.single) + "," + CsvField(DocumentList(day, a.documents)) + "," +
           std::to_string(a.payout) + "," + Fraction(a.chance) + "\r\n";
  }
  return out;
}

std::string StateText(const MatchEntry& e) {
  const std::string score = std::to_string(e.home_goals) + "-" + std::to_string(e.away_goals);
  switch (e.state) {
    case MatchState::kNotStarted:
      return "not started";
    case MatchState::kInPlay:
      return "in play " + score + " at " + std::to_string(e.minute) + "'";
    case MatchState::kFinished:
      return "finished " + score + " (" +
             std::to_string(OutcomeOfScore(e.home_goals, e.away_goals)) + ")";
    case MatchState::kCancelled:
      return "cancelled (every outcome right)";
  }
  return "";
}

std::string SourceText(const MatchDay& day, const MatchChances& c) {
  const std::string rates = FormatNumber(c.rates.home, "0.00") + " home, " +
                            FormatNumber(c.rates.away, "0.00") + " away goals a match";
  switch (c.source) {
    case ChanceSource::kOwn:
      return "own probabilities of " + day.Documents()[day.OwnDocument()].name;
    case ChanceSource::kModel:
      return "goal model" + (day.Model().name.empty() ? "" : " " + day.Model().name);
    case ChanceSource::kPublic:
      return "final vote rates";
    case ChanceSource::kUniform:
      return "no vote rates: a third each";
    case ChanceSource::kInPlayModel:
      return "Poisson on the time left, goal model's " + rates;
    case ChanceSource::kInPlayTypical:
      return "Poisson on the time left, typical J-League " + rates;
    case ChanceSource::kFinished:
    case ChanceSource::kCancelled:
      break;
  }
  return "";
}

void PrintFigures(std::ostream& out, const MatchDay& day, const MatchEntries& entries,
                  const MatchDayFigures& f, const std::string& results_from) {
  const auto names = MatchNames(day);
  out << "Round " << day.Round() << (day.Group().empty() ? "" : " " + day.Group())
      << (MadeUpSampleRound(day.Round(), day.Group()) ? " (made up, not history)" : "") << ": "
      << day.Documents().size() << (day.Documents().size() == 1 ? " document, " : " documents, ")
      << FormatNumber(f.tickets, "#,##0") << " singles (" << f.distinct << " different), stake "
      << YenText(static_cast<double>(f.stake)) << "\n";
  for (size_t d = 0; d < day.Documents().size(); ++d) {
    const DocumentFigures& df = f.documents[d];
    out << "  " << PadCutColumns(day.Documents()[d].name, 24) << " "
        << PadLeftColumns(FormatNumber(df.tickets, "#,##0"), 5) << " singles, alive "
        << PadLeftColumns(FormatNumber(df.alive, "#,##0"), 4) << ", best " << df.best_right
        << " right, win " << Pct(df.win_chance) << ", return " << YenText(df.expected_return)
        << "\n";
  }
  if (!f.repeated.empty()) {
    out << "Bought more than once: " << f.repeated.size() << " singles\n";
    for (const RepeatedSingle& r : f.repeated) {
      out << "  " << OutcomeDigits(r.single) << " x" << r.tickets << "  "
          << DocumentList(day, r.documents) << "\n";
    }
  }
  out << "Results: " << results_from << "\n";
  for (int m = 0; m < kMatches; ++m) {
    const MatchChances& c = f.matches[m];
    out << "  " << m + 1 << "  " << PadCutColumns(names[m].empty() ? "-" : names[m], 22) << " "
        << (Decided(entries[m]) ? StateText(entries[m]) : PadCutColumns(StateText(entries[m]), 22));
    if (!Decided(entries[m])) {
      for (int o : {1, 0, 2}) out << " " << o << " " << PadLeftColumns(Pct(c.p[o]), 7);
      out << "  (" << SourceText(day, c) << ")";
    }
    out << "\n";
  }
  out << "Payouts: "
      << (f.confirmed_prize ? "the official prize"
          : f.priced        ? "estimate of the final vote rates"
                            : "not known, no vote status")
      << "\n";
  out << "Alive for first prize: " << f.alive << " of " << f.distinct << " singles ("
      << FormatNumber(f.alive_tickets, "#,##0") << " tickets)\n";
  out << "Best still reachable: " << f.best_right << " right\n";
  out << "Open results: " << f.combinations << ", of which " << f.paying.size() << " pay\n";
  if (!f.paying.empty()) {
    out << "  result  singles          pays   chance\n";
    for (const PayingResult& r : f.paying) {
      out << "  " << ResultDigits(r.outcomes) << "   "
          << PadLeftColumns(std::to_string(r.singles), 7)
          << PadLeftColumns(YenText(static_cast<double>(r.payout)), 15) << " "
          << PadLeftColumns(Pct(r.chance), 8) << "\n";
    }
  }
  out << "Chance of first prize: " << FormatNumber(f.win_chance * 100, "0.0000") << "%\n";
  out << "Expected return now: " << YenText(f.expected_return) << " (stake "
      << YenText(static_cast<double>(f.stake)) << ")\n";
  if (!f.alive_singles.empty()) {
    out << "Alive singles:\n  single  tickets        payout    chance       expected  documents\n";
    for (const AliveSingle& a : f.alive_singles) {
      out << "  " << OutcomeDigits(a.single) << "   "
          << PadLeftColumns(std::to_string(a.tickets), 7)
          << PadLeftColumns(YenText(static_cast<double>(a.payout)), 14)
          << PadLeftColumns(Pct(a.chance), 10) << PadLeftColumns(YenText(a.expected_return), 15)
          << "  " << DocumentList(day, a.documents) << "\n";
    }
  }
  if (!f.decisions.empty()) out << "What each open match decides:\n";
  for (const MatchDecision& md : f.decisions) {
    out << "  match " << md.match + 1 << (names[md.match].empty() ? "" : " " + names[md.match])
        << ", " << StateText(entries[md.match]) << "\n";
    for (int o : {1, 0, 2}) {
      const OutcomeDecision& od = md.by_outcome[o];
      out << "    " << o << " " << PadLeftColumns(Pct(od.chance), 7) << "  alive "
          << PadLeftColumns(std::to_string(od.alive), 3) << "  win "
          << PadLeftColumns(Pct(od.win_chance), 7) << "  return "
          << PadLeftColumns(YenText(od.expected_return), 14) << "\n";
    }
    if (md.needed >= 0) {
      out << "    needed: " << md.needed << " in match " << md.match + 1 << "\n";
    }
  }
}

bool IsCsv(const std::string& path) {
  return path.size() > 4 && EqualsNoCase(std::string_view(path).substr(path.size() - 4), ".csv");
}

// A CSV file of singles as one more document of the purchase.
bool ReadCsvPurchase(CliContext& ctx, const std::string& path, int round, const std::string& group,
                     PurchaseDocument& doc) {
  doc = PurchaseDocument();
  if (!ReadSinglesCsv(path, doc.singles, ctx.err)) return false;
  doc.path = path;
  doc.name = FileNamePart(path);
  doc.round = round;
  doc.group = group;
  CachedRoundVote(round, group, doc.vote);
  return true;
}

}  // namespace

int CmdLive(CliContext& ctx, const CliArgs& args_in) {
  CliArgs args = args_in;
  std::string known_text, playing_text, csv_path;
  bool missing = false;
  const bool has_known = TakeOption(args, "--known", known_text, missing);
  const bool has_playing = TakeOption(args, "--playing", playing_text, missing);
  TakeOption(args, "--csv", csv_path, missing);
  const bool no_model = TakeFlag(args, "--no-model");
  std::string round_text, group;
  const bool has_round = TakeOption(args, "--round", round_text, missing);
  const bool has_group = TakeOption(args, "--group", group, missing);
  int round = 0;
  if (missing || args.empty()) return Usage(ctx);
  if (has_round != has_group || (has_round && (!ParseInt32(round_text, round) || round <= 0)) ||
      (has_group && group != "A" && group != "B")) {
    return Usage(ctx, "--round N and --group A|B go together");
  }
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') return Usage(ctx, "unknown option " + a);
  }
  MatchEntries entries;
  std::array<bool, kMatches> given{};
  std::string error;
  if ((has_known && !ParseEntries(known_text, false, entries, given, error)) ||
      (has_playing && !ParseEntries(playing_text, true, entries, given, error))) {
    return Usage(ctx, error);
  }
  if (!csv_path.empty() && !CheckOutput(ctx, csv_path, args)) return 1;

  MatchDay day;
  // Documents named one by one come first: they set the round and group that
  // singles files and the folders' documents take.
  for (int pass = 0; pass < 3; ++pass) {
    for (const std::string& path : args) {
      const bool folder = DirExists(path);
      if ((folder ? 2 : IsCsv(path) ? 1 : 0) != pass) continue;
      if (pass == 1) {
        if (!has_round && day.Documents().empty()) {
          ctx.err << "zelvomini-cli: " << path << ": give --round and --group for singles files\n";
          return 64;
        }
        PurchaseDocument doc;
        if (!ReadCsvPurchase(ctx, path, has_round ? round : day.Round(),
                             has_round ? group : day.Group(), doc)) {
          return 1;
        }
        if (!day.AddDocument(std::move(doc), error)) {
          ctx.err << "zelvomini-cli: " << error << "\n";
          return 1;
        }
        continue;
      }
      if (folder) {
        std::vector<std::string> skipped;
        const int added = AddFolderDocuments(day, path, skipped);
        ctx.out << path << ": " << added << " documents";
        if (!skipped.empty()) ctx.out << ", passed over: " << Join(skipped, ", ");
        ctx.out << "\n";
        continue;
      }
      PurchaseDocument doc;
      if (!ReadPurchaseDocument(path, doc, error) || !day.AddDocument(std::move(doc), error)) {
        ctx.err << "zelvomini-cli: " << error << "\n";
        return 1;
      }
    }
  }
  if (day.Documents().empty()) {
    ctx.err << "zelvomini-cli: no document to follow\n";
    return 1;
  }
  const bool official = UseCachedRoundData(day);
  if (!no_model)
    day.SetModel(GoalModelForecast(day.Round(), day.Group(), day.Vote(), clsTotoData()));
  std::string results_from = "as given";
  if (!has_known && !has_playing) {
    if (official) {
      entries = EntriesFromResult(day.OfficialResult());
      results_from = "the official result in the cache";
    } else {
      results_from = "none yet (no --known, no official result in the cache)";
    }
  }
  const MatchDayFigures figures = day.Evaluate(entries);
  PrintFigures(ctx.out, day, entries, figures, results_from);
  if (!csv_path.empty()) {
    if (AbortedBeforeSave(ctx.err, csv_path)) return AbortExitCode();
    if (!WriteTextFile(csv_path, LiveCsv(day, figures))) return 1;
    ctx.out << "Saved " << csv_path << "\n";
  }
  return 0;
}

}  // namespace zelvo
