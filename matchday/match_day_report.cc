#include "matchday/match_day_report.h"

#include <algorithm>
#include <cmath>

#include "support/error_report.h"
#include "support/format.h"
#include "support/text.h"
#include "support/version.h"

namespace zelvo {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr int kDisplayOrder[] = {1, 0, 2};

std::string Rates(const GoalRates& r) {
  return FormatNumber(r.home, "0.00") + "・" + FormatNumber(r.away, "0.00");
}

std::string Score(const MatchEntry& e) {
  return std::to_string(e.home_goals) + "-" + std::to_string(e.away_goals);
}

std::string MatchNo(int match) {
  return ToFullWidth(FormatNumber(static_cast<int64_t>(match + 1), "00"));
}

}  // namespace

std::array<std::string, kMatches> MatchNames(const MatchDay& day) {
  std::array<std::string, kMatches> names;
  for (int m = 0; m < kMatches; ++m) {
    const VoteMatch& v = day.Vote().matches[m];
    const ResultMatch& r = day.OfficialResult().matches[m];
    if (!v.home.empty() || !v.away.empty()) {
      names[m] = v.home + " - " + v.away;
    } else if (!r.home.empty() || !r.away.empty()) {
      names[m] = r.home + " - " + r.away;
    }
  }
  return names;
}

std::string EntryText(const MatchEntry& entry) {
  switch (entry.state) {
    case MatchState::kNotStarted:
      return "試合前";
    case MatchState::kInPlay:
      return "試合中 " + Score(entry) + "（" + std::to_string(entry.minute) + "分）";
    case MatchState::kFinished:
      return "終了 " + Score(entry);
    case MatchState::kCancelled:
      return "中止";
  }
  return "";
}

std::string ChanceSourceText(const MatchDay& day, const MatchChances& chances) {
  switch (chances.source) {
    case ChanceSource::kFinished:
      return "結果";
    case ChanceSource::kCancelled:
      return "中止：どの結果も的中";
    case ChanceSource::kOwn: {
      const int d = day.OwnDocument();
      return "自分の確率" + (d >= 0 ? "（" + day.Documents()[d].name + "）" : std::string());
    }
    case ChanceSource::kModel:
      return "モデル" + (day.Model().name.empty() ? std::string() : "（" + day.Model().name + "）");
    case ChanceSource::kPublic:
      return "投票率";
    case ChanceSource::kUniform:
      return "投票率なし：各1/3";
    case ChanceSource::kInPlayModel:
      return "スコア＋モデルの得点率 " + Rates(chances.rates);
    case ChanceSource::kInPlayTypical:
      return "スコア＋Jリーグ平均得点率 " + Rates(chances.rates);
  }
  return "";
}

std::string PayingText(const MatchDayFigures& f) {
  std::string text = "残りの結果 " + std::to_string(f.combinations) + " 通り中 " +
                     std::to_string(f.paying.size()) + " 通りで当せん";
  if (f.paying.empty() || !f.priced) return text;
  int64_t low = f.paying[0].payout, high = low;
  for (const PayingResult& r : f.paying) {
    low = std::min(low, r.payout);
    high = std::max(high, r.payout);
  }
  return text + "（払戻 " +
         (low == high ? Yen(static_cast<double>(low))
                      : FormatNumber(low, "#,##0") + "～" + Yen(static_cast<double>(high))) +
         "）";
}

std::string InPlayNote(const MatchDayFigures& figures) {
  for (const MatchChances& c : figures.matches) {
    if (c.source == ChanceSource::kInPlayModel || c.source == ChanceSource::kInPlayTypical) {
      return "試合中の確率：現在のスコアに、残り時間の得点を加えて求めます。残りの得点は、"
             "１試合あたりの得点率（ホーム・アウェイ）を残り時間に比例させたポアソン分布です"
             "（試合は90分と後半の追加時間4分）。";
    }
  }
  return "";
}

std::string OutcomeLabel(int outcome) {
  return outcome == 1 ? "１" : outcome == 0 ? "０" : outcome == 2 ? "２" : "＊";
}

std::string Percent(double fraction, int decimals) {
  const char* pattern = decimals >= 2 ? "0.00" : decimals == 1 ? "0.0" : "0";
  return FormatNumber(fraction * 100, pattern) + "%";
}

std::string Yen(double yen) { return FormatNumber(std::round(yen), "#,##0") + " 円"; }

std::string MatchDayReport(const MatchDay& day, const MatchEntries& entries,
                           const MatchDayFigures& f) {
  const std::string rule = std::string(Repeat("―", 30)) + kCrLf;
  const auto names = MatchNames(day);
  std::string out = "第 " + std::to_string(day.Round()) + " 回 mini toto";
  if (!day.Group().empty()) out += " " + day.Group() + "組";
  out += "　試合当日" + std::string(kCrLf) + rule;
  out += "購入：" + std::to_string(day.Documents().size()) + " 文書　" +
         FormatNumber(f.tickets, "#,##0") + " 口（異なる " + std::to_string(f.distinct) +
         " 口）　" + Yen(static_cast<double>(f.stake)) + kCrLf;
  for (size_t d = 0; d < day.Documents().size(); ++d) {
    const DocumentFigures& df = f.documents[d];
    out += "　" + day.Documents()[d].name + "：" + FormatNumber(df.tickets, "#,##0") +
           " 口　生存 " + FormatNumber(df.alive, "#,##0") + " 口　最高 " +
           std::to_string(df.best_right) + " 試合的中　当せん確率 " + Percent(df.win_chance, 2) +
           "　期待値 " + Yen(df.expected_return) + kCrLf;
  }
  for (const RepeatedSingle& r : f.repeated) {
    std::vector<std::string> in;
    for (int d : r.documents) in.push_back(day.Documents()[d].name);
    out += "　重複：" + SingleDigits(r.single) + " ×" + std::to_string(r.tickets) + "（" +
           Join(in, "、") + "）" + kCrLf;
  }
  out += rule;
  for (int m = 0; m < kMatches; ++m) {
    const MatchChances& c = f.matches[m];
    out += MatchNo(m) + "　" + (names[m].empty() ? "試合" + std::to_string(m + 1) : names[m]) +
           "　" + EntryText(entries[m]);
    if (!Decided(entries[m])) {
      for (int o : kDisplayOrder) out += "　" + OutcomeLabel(o) + " " + Percent(c.p[o]);
      out += "（" + ChanceSourceText(day, c) + "）";
    }
    out += kCrLf;
  }
  if (const std::string note = InPlayNote(f); !note.empty()) out += note + kCrLf;
  out += rule;
  out += "１等の生存：" + std::to_string(f.alive) + " / " + std::to_string(f.distinct) + " 口（" +
         FormatNumber(f.alive_tickets, "#,##0") + " 枚）　最高 " + std::to_string(f.best_right) +
         " 試合的中" + kCrLf;
  out += PayingText(f) + kCrLf;
  out += "１等の確率：" + Percent(f.win_chance, 2) + "　現在の期待値：" + Yen(f.expected_return) +
         "（" +
         (f.confirmed_prize ? "確定当せん金"
          : f.priced        ? "最終投票率による推定"
                            : "投票状況なし：金額不明") +
         "）" + kCrLf;
  if (!f.alive_singles.empty()) {
    out += rule + "生存シングル　推定金額　確率　期待値　文書" + kCrLf;
    for (const AliveSingle& a : f.alive_singles) {
      std::vector<std::string> in;
      for (int d : a.documents) in.push_back(day.Documents()[d].name);
      out += SingleDigits(a.single) + (a.tickets > 1 ? " ×" + std::to_string(a.tickets) : "") +
             "　" + Yen(static_cast<double>(a.payout)) + "　" + Percent(a.chance, 2) + "　" +
             Yen(a.expected_return) + "　" + Join(in, "、") + kCrLf;
    }
  }
  if (!f.decisions.empty()) {
    out += rule + "残り試合の行方（その結果なら：生存　当せん確率　期待値）" + kCrLf;
    for (const MatchDecision& md : f.decisions) {
      out += MatchNo(md.match) + "　" + names[md.match] + kCrLf;
      for (int o : kDisplayOrder) {
        const OutcomeDecision& od = md.by_outcome[o];
        out += "　" + OutcomeLabel(o) + "（" + Percent(od.chance) + "）：生存 " +
               std::to_string(od.alive) + "　" + Percent(od.win_chance, 2) + "　" +
               Yen(od.expected_return) + (md.needed == o ? "　← 必要" : "") + kCrLf;
      }
    }
  }
  out += rule;
  out += std::string("システム：") + kAppTitle + " Version " + ProgramVersionText() + kCrLf;
  return out;
}

}  // namespace zelvo
