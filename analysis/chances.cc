#include "analysis/chances.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "analysis/single_sets.h"
#include "support/text.h"

namespace zelvo {
namespace {

// Outcome codes of a line's fields, in the screen's order home, draw, away.
constexpr int kFieldOutcome[3] = {1, 0, 2};

bool ParseNumber(std::string_view text, double& value) {
  const std::string t = Trim(text);
  if (t.empty()) return false;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (*first == '+') ++first;
  auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last && std::isfinite(value);
}

std::string Unquoted(std::string field) {
  field = Trim(field);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = Trim(field.substr(1, field.size() - 2));
  }
  return field;
}

ProbabilityParse Fail(int line, std::string error) {
  ProbabilityParse r;
  r.line = line;
  r.error = std::move(error);
  return r;
}

}  // namespace

std::vector<ProbabilityLine> ProbabilityLines(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<ProbabilityLine> out;
  const std::vector<std::string> lines =
      Split(ReplaceAll(ReplaceAll(text, "\r\n", "\n"), "\r", "\n"), "\n");
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string trimmed = Trim(ReplaceAll(lines[i], "\t", " "));
    if (trimmed.empty() || trimmed[0] == '#') continue;
    out.push_back({static_cast<int>(i) + 1, Trim(lines[i])});
  }
  return out;
}

std::vector<std::string> ProbabilityFields(std::string_view line) {
  const std::string text = Trim(line);
  const bool tabs = Contains(text, "\t");
  const bool semicolons = !tabs && Contains(text, ";");
  std::vector<std::string> fields;
  for (std::string field : Split(text, tabs ? "\t" : semicolons ? ";" : ",")) {
    field = ToHalfWidth(Unquoted(field));
    if (semicolons) field = ReplaceAll(field, ",", ".");
    fields.push_back(field);
  }
  while (fields.size() > 1 && fields.back().empty()) fields.pop_back();
  return fields;
}

ProbabilityParse ParseProbabilities(std::string_view text, ProbabilityForm form) {
  const bool odds = form == ProbabilityForm::kOdds;
  ProbabilityParse r;
  int match = 0;
  for (const ProbabilityLine& entry : ProbabilityLines(text)) {
    const int line = entry.number;
    if (match == kMatches) {
      return Fail(line, "more than five matches (one line per match: home,draw,away)");
    }
    const std::vector<std::string> fields = ProbabilityFields(entry.text);
    if (fields.size() != 3) {
      return Fail(line, "match " + std::to_string(match + 1) + " needs three values " +
                            "home,draw,away, found " + std::to_string(fields.size()));
    }
    std::array<double, 3> v{};
    for (int f = 0; f < 3; ++f) {
      std::string field = fields[f];
      if (!odds && !field.empty() && field.back() == '%') field.pop_back();
      if (!ParseNumber(field, v[f])) {
        // A heading row is the usual reason a first line does not read.
        return Fail(line, "'" + fields[f] + "' is not a number" +
                              (match == 0 ? " (a heading line must begin with #)" : ""));
      }
      if (odds && v[f] < 1) {
        return Fail(line, "odds must be at least 1, found " + Trim(fields[f]));
      }
      if (v[f] <= 0) {
        return Fail(line, "a rate must be above 0, found " + Trim(fields[f]));
      }
    }
    double sum = 0;
    for (int f = 0; f < 3; ++f) sum += odds ? 1 / v[f] : v[f];
    if (!odds && std::fabs(sum - 100) > kPercentTolerance) {
      return Fail(line, "the rates of match " + std::to_string(match + 1) + " sum to " +
                            DoubleToText(sum) + ", not 100");
    }
    for (int f = 0; f < 3; ++f) r.p[match][kFieldOutcome[f]] = (odds ? 1 / v[f] : v[f]) / sum;
    ++match;
  }
  if (match < kMatches) {
    return Fail(0, "the line of match " + std::to_string(match + 1) + " is missing (" +
                       std::to_string(match) + " of five lines home,draw,away given)");
  }
  r.ok = true;
  return r;
}

bool ProbabilitiesFromVote(const VoteStatusRecord& vote, OutcomeProbabilities& p,
                           std::string& error) {
  // The rates the payout estimate itself uses, so that the two agree.
  clsTMoney money;
  money.SetVote(vote);
  OutcomeProbabilities out{};
  for (int m = 0; m < kMatches; ++m) {
    double sum = 0;
    for (int o = 0; o < 3; ++o) sum += money.VoteRate(m, o);
    if (sum <= 0) {
      error = "the vote status has no votes for match " + std::to_string(m + 1);
      return false;
    }
    for (int o = 0; o < 3; ++o) out[m][o] = money.VoteRate(m, o) / sum;
  }
  p = out;
  return true;
}

double ResultProbability(const OutcomeProbabilities& p, int single) {
  double q = 1;
  for (int m = 0; m < kMatches; ++m) q *= p[m][OutcomeOf(single, m)];
  return q;
}

ChancesReport AnalyseChances(std::span<const int> bought, const OutcomeProbabilities& p,
                             const clsTMoney* payout) {
  ChancesReport r;
  const SingleCounts counts = CountSingles(bought);
  const std::vector<int> held = SinglesOf(MaskOf(bought));
  r.tickets = static_cast<int64_t>(bought.size());
  r.bought_distinct = static_cast<int>(held.size());
  r.stake = 100.0 * static_cast<double>(r.tickets);
  r.has_payout = payout != nullptr;
  if (held.empty()) return r;
  for (int res = 0; res < kSingles; ++res) {
    int nearest = kMatches;
    for (int s : held) nearest = std::min(nearest, SingleDistance(res, s));
    const double q = ResultProbability(p, res);
    if (nearest == 0) r.win += q;
    if (nearest <= 1) r.at_least4 += q;
    if (nearest <= 2) r.at_least3 += q;
  }
  for (int s : held) {
    SingleChance c;
    c.single = s;
    c.tickets = counts[s];
    c.probability = ResultProbability(p, s);
    if (payout) {
      std::array<int, kMatches> kousei{};
      for (int m = 0; m < kMatches; ++m) kousei[m] = OutcomeOf(s, m);
      c.payout = payout->GetMoney1(kousei).Floor();
      c.value = c.probability * static_cast<double>(c.payout);
      r.expected_return += c.value * static_cast<double>(c.tickets);
    }
    r.singles.push_back(c);
  }
  r.per_100 = r.expected_return / static_cast<double>(r.tickets);
  return r;
}

}  // namespace zelvo
