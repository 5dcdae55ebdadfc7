#include "matchday/match_day.h"

#include <algorithm>

#include "support/output_target.h"

namespace zelvo {
namespace {

constexpr int kPow3[] = {1, 3, 9, 27, 81, 243};

bool ValidSingle(int single) { return single >= 0 && single < kSingles; }

// A purchase's different singles with their tickets and documents.
struct Bought {
  std::array<int64_t, kSingles> tickets{};
  std::array<std::vector<int>, kSingles> documents;
  std::vector<std::array<int64_t, kSingles>> per_document;
};

Bought Gather(const std::vector<PurchaseDocument>& documents) {
  Bought b;
  b.per_document.resize(documents.size());
  for (size_t d = 0; d < documents.size(); ++d) {
    for (int s : documents[d].singles) {
      if (!ValidSingle(s)) continue;
      ++b.tickets[s];
      ++b.per_document[d][s];
      std::vector<int>& in = b.documents[s];
      if (in.empty() || in.back() != static_cast<int>(d)) in.push_back(static_cast<int>(d));
    }
  }
  return b;
}

}  // namespace

int OutcomeOfScore(int home_goals, int away_goals) {
  return home_goals > away_goals ? 1 : home_goals < away_goals ? 2 : 0;
}

bool Decided(const MatchEntry& entry) {
  return entry.state == MatchState::kFinished || entry.state == MatchState::kCancelled;
}

MatchEntries EntriesFromResult(const ResultRecord& result) {
  MatchEntries entries;
  for (int m = 0; m < kMatches; ++m) {
    const ResultMatch& r = result.matches[m];
    if (r.result == kResultCancelled) {
      entries[m].state = MatchState::kCancelled;
      continue;
    }
    entries[m].state = MatchState::kFinished;
    entries[m].home_goals = r.home_score;
    entries[m].away_goals = r.away_score;
  }
  return entries;
}

std::string ResultDigits(const std::array<int, kMatches>& outcomes) {
  std::string digits;
  for (int o : outcomes) digits += o == kResultCancelled ? '*' : static_cast<char>('0' + o);
  return digits;
}

std::string SingleDigits(int single) {
  std::string digits;
  for (int m = 0; m < kMatches; ++m) digits += static_cast<char>('0' + OutcomeOf(single, m));
  return digits;
}

bool MatchDay::AddDocument(PurchaseDocument doc, std::string& error) {
  if (!documents_.empty()) {
    if (doc.round != Round() || doc.group != Group()) {
      error = doc.name + " は第" + std::to_string(doc.round) + "回" + doc.group +
              "組の文書です。この買い目は第" + std::to_string(Round()) + "回" + Group() +
              "組です。";
      return false;
    }
    for (const PurchaseDocument& held : documents_) {
      if (held.path == doc.path || SameFile(doc.path, held.path)) {
        error = doc.name + " は既に加えてあります。";
        return false;
      }
    }
  }
  documents_.push_back(std::move(doc));
  if (!vote_) Price();
  return true;
}

void MatchDay::RemoveDocument(size_t index) {
  if (index >= documents_.size()) return;
  documents_.erase(documents_.begin() + static_cast<std::ptrdiff_t>(index));
  if (!vote_) Price();
}

void MatchDay::Clear() {
  documents_.clear();
  vote_.reset();
  official_ = ResultRecord();
  model_ = MatchModelForecast();
  Price();
}

void MatchDay::SetVote(const VoteStatusRecord& vote) {
  vote_ = vote;
  Price();
}

const VoteStatusRecord& MatchDay::Vote() const {
  static const VoteStatusRecord kNone;
  if (vote_) return *vote_;
  return documents_.empty() ? kNone : documents_[0].vote;
}

void MatchDay::Price() {
  clsTValue value;
  priced_ = value.SetVote(Vote());
  shares_ = {};
  money_ = clsTMoney();
  if (!priced_) return;
  money_.SetVote(Vote());
  for (int m = 0; m < kMatches; ++m) {
    for (int o = 0; o < 3; ++o) shares_[m][o] = value.PublicShare(m, o);
    // A match nobody voted on tells nothing.
    if (shares_[m][0] + shares_[m][1] + shares_[m][2] <= 0) shares_[m].fill(1.0 / 3);
  }
}

int MatchDay::OwnDocument() const {
  for (size_t d = 0; d < documents_.size(); ++d) {
    if (documents_[d].own.set) return static_cast<int>(d);
  }
  return -1;
}

MatchChances MatchDay::ChancesOf(int match, const MatchEntry& entry) const {
  MatchChances c;
  switch (entry.state) {
    case MatchState::kFinished:
      c.source = ChanceSource::kFinished;
      c.outcome = OutcomeOfScore(entry.home_goals, entry.away_goals);
      c.p[c.outcome] = 1;
      return c;
    case MatchState::kCancelled:
      c.source = ChanceSource::kCancelled;
      c.p.fill(1);
      return c;
    case MatchState::kInPlay: {
      const auto& rates = model_.rates[match];
      c.source = rates ? ChanceSource::kInPlayModel : ChanceSource::kInPlayTypical;
      c.rates = rates ? *rates : kTypicalJLeagueRates;
      c.p = InPlayChances(entry.home_goals, entry.away_goals, entry.minute, c.rates);
      return c;
    }
    case MatchState::kNotStarted:
      break;
  }
  if (int own = OwnDocument(); own >= 0) {
    c.source = ChanceSource::kOwn;
    c.p = documents_[own].own.p[match];
  } else if (model_.chances[match]) {
    c.source = ChanceSource::kModel;
    c.p = *model_.chances[match];
  } else if (priced_) {
    c.source = ChanceSource::kPublic;
    c.p = shares_[match];
  } else {
    c.source = ChanceSource::kUniform;
    c.p.fill(1.0 / 3);
  }
  return c;
}

bool MatchDay::EntriesAreOfficial(const MatchEntries& entries) const {
  if (official_.Kaisaikai <= 0 || official_.Kaisaikai != Round() || official_.cancelled) {
    return false;
  }
  return entries == EntriesFromResult(official_);
}

MatchDayFigures MatchDay::Evaluate(const MatchEntries& entries) const {
  MatchDayFigures f;
  std::vector<int> remaining;
  std::array<bool, 5> cancelled{};
  for (int m = 0; m < kMatches; ++m) {
    f.matches[m] = ChancesOf(m, entries[m]);
    cancelled[m] = entries[m].state == MatchState::kCancelled;
    if (Decided(entries[m])) {
      ++f.decided;
    } else {
      remaining.push_back(m);
    }
  }
  f.remaining = static_cast<int>(remaining.size());
  f.combinations = kPow3[f.remaining];
  f.confirmed_prize = EntriesAreOfficial(entries);
  f.priced = f.confirmed_prize || priced_;
  const int64_t prize = official_.prize.empty() ? 0 : official_.prize[0].Floor();

  // A single's chance to win: its outcomes on the matches still open.
  auto chance_of = [&](int single, int skip) {
    double p = 1;
    for (int m : remaining) {
      if (m != skip) p *= f.matches[m].p[OutcomeOf(single, m)];
    }
    return p;
  };
  auto right_on_decided = [&](int single) {
    int right = 0;
    for (int m = 0; m < kMatches; ++m) {
      if (cancelled[m] || (Decided(entries[m]) && OutcomeOf(single, m) == f.matches[m].outcome)) {
        ++right;
      }
    }
    return right;
  };
  // The remaining matches' outcomes of a single: the result it needs there.
  auto key_of = [&](int single) {
    int key = 0;
    for (int m : remaining) key += OutcomeOf(single, m) * kPow3[m];
    return key;
  };

  const Bought bought = Gather(documents_);
  f.documents.resize(documents_.size());
  std::vector<std::array<bool, kSingles>> doc_keys(documents_.size());
  std::array<int, kSingles> paying_index;
  paying_index.fill(-1);
  for (int s = 0; s < kSingles; ++s) {
    const int64_t tickets = bought.tickets[s];
    if (tickets == 0) continue;
    ++f.distinct;
    f.tickets += tickets;
    if (tickets > 1) f.repeated.push_back({s, tickets, bought.documents[s]});
    const int right = right_on_decided(s);
    const bool alive = right == f.decided;
    AliveSingle a;
    if (alive) {
      std::array<int, kMatches> kousei;
      for (int m = 0; m < kMatches; ++m) kousei[m] = OutcomeOf(s, m);
      a.single = s;
      a.tickets = tickets;
      a.documents = bought.documents[s];
      if (f.confirmed_prize) {
        a.payout = prize;
      } else if (priced_) {
        a.payout = money_.GetMoney1(kousei, cancelled).Floor();
      }
      a.chance = chance_of(s, -1);
      a.expected_return = static_cast<double>(tickets) * static_cast<double>(a.payout) * a.chance;
      ++f.alive;
      f.alive_tickets += tickets;
      f.expected_return += a.expected_return;
      const int key = key_of(s);
      if (paying_index[key] < 0) {
        paying_index[key] = static_cast<int>(f.paying.size());
        PayingResult r;
        for (int m = 0; m < kMatches; ++m) {
          r.outcomes[m] = cancelled[m] ? kResultCancelled : OutcomeOf(s, m);
        }
        r.chance = a.chance;
        f.paying.push_back(r);
        f.win_chance += a.chance;
      }
      PayingResult& r = f.paying[paying_index[key]];
      ++r.singles;
      r.tickets += tickets;
      r.payout += tickets * a.payout;
    }
    f.best_right = std::max(f.best_right, right + f.remaining);
    for (int d : bought.documents[s]) {
      DocumentFigures& df = f.documents[d];
      df.tickets += bought.per_document[d][s];
      df.best_right = std::max(df.best_right, right + f.remaining);
      if (!alive) continue;
      const int64_t in_doc = bought.per_document[d][s];
      df.alive += in_doc;
      df.expected_return += static_cast<double>(in_doc) * static_cast<double>(a.payout) * a.chance;
      const int key = key_of(s);
      if (!doc_keys[d][key]) {
        doc_keys[d][key] = true;
        df.win_chance += a.chance;
      }
    }
    if (alive) f.alive_singles.push_back(std::move(a));
  }
  f.stake = f.tickets * kTicketPrice;

  for (int m : remaining) {
    MatchDecision md;
    md.match = m;
    for (int o = 0; o < 3; ++o) md.by_outcome[o].chance = f.matches[m].p[o];
    for (const PayingResult& r : f.paying) {
      double p = 1;
      for (int x : remaining) {
        if (x != m) p *= f.matches[x].p[r.outcomes[x]];
      }
      md.by_outcome[r.outcomes[m]].win_chance += p;
    }
    std::array<bool, 3> used{};
    for (const AliveSingle& a : f.alive_singles) {
      const int o = OutcomeOf(a.single, m);
      used[o] = true;
      ++md.by_outcome[o].alive;
      md.by_outcome[o].expected_return +=
          static_cast<double>(a.tickets) * static_cast<double>(a.payout) * chance_of(a.single, m);
    }
    if (used[0] + used[1] + used[2] == 1) {
      md.needed = used[1] ? 1 : used[0] ? 0 : 2;
    }
    f.decisions.push_back(md);
  }

  auto likelier = [](const auto& a, const auto& b) { return a.chance > b.chance; };
  std::stable_sort(f.alive_singles.begin(), f.alive_singles.end(), likelier);
  std::stable_sort(f.paying.begin(), f.paying.end(), likelier);
  return f;
}

}  // namespace zelvo
