#include "ui/match_day_window.h"

#include <algorithm>

#include "matchday/match_day_report.h"
#include "matchday/model_forecast.h"
#include "matchday/purchase.h"
#include "support/data_location.h"
#include "support/error_report.h"
#include "support/format.h"
#include "support/output_target.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/text.h"

namespace zelvo {
namespace {

constexpr const char* kClassName = "frmMatchDay";
constexpr int kDisplayOrder[] = {1, 0, 2};

void Warn(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  platform().MessageBox(Join(lines, "\n"), std::string(kAppTitle) + " / " + frmMatchDay::kTitle,
                        MsgIcon::kWarning, MsgButtons::kOk, 0);
}

std::string Names(const MatchDay& day, const std::vector<int>& documents) {
  std::vector<std::string> names;
  for (int d : documents) names.push_back(day.Documents()[d].name);
  return Join(names, "、");
}

}  // namespace

const std::vector<std::string>& frmMatchDay::DocumentColumns() {
  static const std::vector<std::string> kColumns = {"文書",     "口数",       "生存",
                                                    "最高的中", "１等の確率", "期待値"};
  return kColumns;
}

const std::vector<std::string>& frmMatchDay::AliveColumns() {
  static const std::vector<std::string> kColumns = {"シングル", "口数",   "推定金額",
                                                    "確率",     "期待値", "文書"};
  return kColumns;
}

frmMatchDay::frmMatchDay() {
  // The goal model prices what it knows of the round; the view names it.
  model_source = [this](int round, const std::string& group) {
    const clsTotoData toto;
    return GoalModelForecast(round, group, day_.Vote(), toto);
  };
  for (Row& r : rows_) {
    for (const char* s : kStates) r.state.AddItem(s);
    r.state.SetListIndex(0);
    r.home.SetRange(Money(), Money::FromInt(99));
    r.away.SetRange(Money(), Money::FromInt(99));
    r.minute.SetRange(Money(), Money::FromInt(130));
    r.state.on_select = [this] { Recompute(); };
    for (NumberEntry* e : {&r.home, &r.away, &r.minute}) e->on_change = [this] { Recompute(); };
  }
  Recompute();
}

bool frmMatchDay::Take(PurchaseDocument doc, std::string& error) {
  const bool first = day_.Documents().empty();
  if (!day_.AddDocument(std::move(doc), error)) return false;
  if (first) RoundSet();
  return true;
}

void frmMatchDay::RoundSet() {
  // The round's final vote status and, once published, its result come from
  // the cache; the result fills the rows unless the user has begun.
  UseCachedRoundData(day_);
  if (model_source) day_.SetModel(model_source(day_.Round(), day_.Group()));
  if (OfficialAvailable() && Entries() == MatchEntries{}) {
    SetEntries(EntriesFromResult(day_.OfficialResult()));
  }
}

bool frmMatchDay::AddOpenDocument(const DocumentRecord& doc, const std::string& path) {
  try {
    std::string error;
    const bool ok = Take(PurchaseFromDocument(doc, path), error);
    if (!ok) Warn({error});
    Recompute();
    return ok;
  } catch (const std::exception& e) {
    ReportException(kClassName, "AddOpenDocument", e);
    return false;
  }
}

void frmMatchDay::AddFiles() {
  FileDialogRequest request;
  request.title = "ファイルを開く";
  request.filter = "データファイル(*.tpd)";
  request.initial_dir = day_.Documents().empty() || day_.Documents()[0].path.empty()
                            ? DocumentsDir()
                            : ParentDir(day_.Documents()[0].path);
  request.default_ext = "tpd";
  AddPaths(platform().OpenFilesDialog(request));
}

void frmMatchDay::AddPaths(const std::vector<std::string>& paths) {
  try {
    std::vector<std::string> refused;
    // Documents first: they set the round and group a folder's must share.
    for (int pass = 0; pass < 2; ++pass) {
      for (const std::string& path : paths) {
        const bool folder = DirExists(path);
        if (folder != (pass == 1)) continue;
        if (folder) {
          const bool first = day_.Documents().empty();
          if (AddFolderDocuments(day_, path, refused) > 0 && first) RoundSet();
          continue;
        }
        PurchaseDocument doc;
        std::string error;
        if (!ReadPurchaseDocument(path, doc, error) || !Take(std::move(doc), error)) {
          refused.push_back(error);
        }
      }
    }
    Recompute();
    if (!refused.empty()) {
      refused.insert(refused.begin(), "次の文書は加えませんでした。");
      Warn(refused);
    }
  } catch (const std::exception& e) {
    ReportException(kClassName, "AddPaths", e);
  }
}

bool frmMatchDay::Holds(const std::string& path) const {
  if (path.empty()) return false;
  return std::any_of(
      day_.Documents().begin(), day_.Documents().end(),
      [&](const PurchaseDocument& d) { return d.path == path || SameFile(path, d.path); });
}

bool frmMatchDay::SameFolderEnabled() const {
  return !day_.Documents().empty() && !day_.Documents()[0].path.empty();
}

void frmMatchDay::AddSameFolder() {
  if (!SameFolderEnabled()) return;
  const std::string folder = ParentDir(day_.Documents()[0].path);
  AddPaths({folder.empty() ? "." : folder});
}

void frmMatchDay::RemoveDocument(int index) {
  if (index < 0 || index >= DocumentCount()) return;
  day_.RemoveDocument(static_cast<size_t>(index));
  // An empty purchase may take another round.
  if (day_.Documents().empty()) day_.Clear();
  Recompute();
}

bool frmMatchDay::GoalsEnabled(int match) const {
  const int s = rows_.at(match).state.ListIndex();
  return s == 1 || s == 2;
}

bool frmMatchDay::MinuteEnabled(int match) const { return rows_.at(match).state.ListIndex() == 1; }

MatchEntries frmMatchDay::Entries() const {
  MatchEntries entries;
  for (int m = 0; m < kMatches; ++m) {
    const Row& r = rows_[m];
    static constexpr MatchState kFromIndex[] = {MatchState::kNotStarted, MatchState::kInPlay,
                                                MatchState::kFinished, MatchState::kCancelled};
    MatchEntry& e = entries[m];
    e.state = kFromIndex[std::clamp(r.state.ListIndex(), 0, 3)];
    if (GoalsEnabled(m)) {
      e.home_goals = r.home.IntValue();
      e.away_goals = r.away.IntValue();
    }
    if (MinuteEnabled(m)) e.minute = r.minute.IntValue();
  }
  return entries;
}

void frmMatchDay::SetEntries(const MatchEntries& entries) {
  holding_ = true;
  for (int m = 0; m < kMatches; ++m) {
    Row& r = rows_[m];
    r.state.SetListIndex(static_cast<int>(entries[m].state));
    r.home.SetIntValue(entries[m].home_goals);
    r.away.SetIntValue(entries[m].away_goals);
    r.minute.SetIntValue(entries[m].minute);
  }
  holding_ = false;
  Recompute();
}

void frmMatchDay::UseOfficialResult() {
  if (OfficialAvailable()) SetEntries(EntriesFromResult(day_.OfficialResult()));
}

void frmMatchDay::ClearResults() { SetEntries(MatchEntries{}); }

void frmMatchDay::Recompute() {
  if (holding_) return;
  try {
    figures_ = day_.Evaluate(Entries());
  } catch (const std::exception& e) {
    ReportException(kClassName, "Recompute", e);
  }
  if (on_changed) on_changed();
}

std::string frmMatchDay::ReportText() const { return MatchDayReport(day_, Entries(), figures_); }

void frmMatchDay::CopyReport() {
  if (day_.Documents().empty()) return;
  platform().SetClipboardText(ReportText());
}

bool frmMatchDay::MadeUp() const {
  const std::pair<int, std::string> key{day_.Round(), day_.Group()};
  if (made_up_for_ != key) {
    made_up_for_ = key;
    made_up_ = MadeUpSampleRound(key.first, key.second);
  }
  return made_up_;
}

std::string frmMatchDay::Title() const {
  if (day_.Documents().empty()) return kTitle;
  return std::string(kTitle) + " - 第" + std::to_string(day_.Round()) + "回" +
         (day_.Group().empty() ? "" : " " + day_.Group() + "組") + (MadeUp() ? "（架空の回）" : "");
}

std::string frmMatchDay::MatchName(int match) const {
  const std::string name = MatchNames(day_)[match];
  return name.empty() ? "試合" + std::to_string(match + 1) : name;
}

std::string frmMatchDay::ChanceText(int match) const {
  const MatchChances& c = figures_.matches.at(match);
  if (c.source == ChanceSource::kFinished || c.source == ChanceSource::kCancelled) return "";
  std::vector<std::string> parts;
  for (int o : kDisplayOrder) parts.push_back(OutcomeLabel(o) + " " + Percent(c.p[o]));
  return zelvo::Join(parts, "　");
}

std::string frmMatchDay::SourceText(int match) const {
  return ChanceSourceText(day_, figures_.matches.at(match));
}

std::vector<std::string> frmMatchDay::SummaryLines() const {
  const MatchDayFigures& f = figures_;
  if (day_.Documents().empty()) {
    return {
        "文書を追加するか、ウィンドウにドロップしてください（同じ回・組の文書、またはフォルダ）。"};
  }
  std::vector<std::string> lines;
  std::string bought = "購入：" + std::to_string(day_.Documents().size()) + " 文書　" +
                       FormatNumber(f.tickets, "#,##0") + " 口（異なる " +
                       std::to_string(f.distinct) + " 口）　" + Yen(static_cast<double>(f.stake));
  lines.push_back(bought);
  // The singles bought more than once, by the documents they are in; a long
  // list is cut here (the copied text has it whole).
  std::vector<std::pair<std::vector<int>, std::vector<std::string>>> groups;
  for (const RepeatedSingle& r : f.repeated) {
    auto it = std::find_if(groups.begin(), groups.end(),
                           [&](const auto& g) { return g.first == r.documents; });
    if (it == groups.end()) it = groups.insert(groups.end(), {r.documents, {}});
    it->second.push_back(SingleDigits(r.single) +
                         (r.documents.size() == 1 ? "×" + std::to_string(r.tickets) : ""));
  }
  for (auto& [documents, singles] : groups) {
    constexpr size_t kShown = 8;
    const size_t more = singles.size() > kShown ? singles.size() - kShown : 0;
    singles.resize(std::min(singles.size(), kShown));
    lines.push_back("重複 " + std::to_string(singles.size() + more) + " 口（" +
                    Names(day_, documents) + "）：" + zelvo::Join(singles, " ") +
                    (more > 0 ? " ほか " + std::to_string(more) + " 口" : ""));
  }
  std::string payouts = f.confirmed_prize ? "確定当せん金"
                        : f.priced        ? "最終投票率による推定金額"
                                          : "投票状況がないため金額は不明";
  lines.push_back("１等の生存：" + std::to_string(f.alive) + " / " + std::to_string(f.distinct) +
                  " 口　最高 " + std::to_string(f.best_right) + " 試合的中　" + PayingText(f));
  lines.push_back("１等の確率：" + Percent(f.win_chance, 2) + "　現在の期待値：" +
                  Yen(f.expected_return) + "（" + payouts + "）");
  if (const std::string note = InPlayNote(f); !note.empty()) lines.push_back(note);
  return lines;
}

std::vector<std::vector<std::string>> frmMatchDay::DocumentRows() const {
  std::vector<std::vector<std::string>> rows;
  for (size_t d = 0; d < day_.Documents().size(); ++d) {
    const DocumentFigures& df = figures_.documents.at(d);
    rows.push_back({day_.Documents()[d].name, FormatNumber(df.tickets, "#,##0"),
                    FormatNumber(df.alive, "#,##0"), std::to_string(df.best_right),
                    Percent(df.win_chance, 2), Yen(df.expected_return)});
  }
  return rows;
}

std::vector<std::vector<std::string>> frmMatchDay::AliveRows() const {
  std::vector<std::vector<std::string>> rows;
  for (const AliveSingle& a : figures_.alive_singles) {
    rows.push_back({SingleDigits(a.single), std::to_string(a.tickets),
                    Yen(static_cast<double>(a.payout)), Percent(a.chance, 2),
                    Yen(a.expected_return), Names(day_, a.documents)});
  }
  return rows;
}

std::vector<frmMatchDay::DecisionRow> frmMatchDay::DecisionRows() const {
  double largest = 0;
  for (const MatchDecision& md : figures_.decisions) {
    for (const OutcomeDecision& od : md.by_outcome) largest = std::max(largest, od.expected_return);
  }
  std::vector<DecisionRow> rows;
  for (const MatchDecision& md : figures_.decisions) {
    for (int o : kDisplayOrder) {
      const OutcomeDecision& od = md.by_outcome[o];
      DecisionRow r;
      r.first_of_match = o == kDisplayOrder[0];
      r.match = ToFullWidth(FormatNumber(static_cast<int64_t>(md.match + 1), "00")) + " " +
                MatchName(md.match);
      r.outcome = OutcomeLabel(o) + "（" + Percent(od.chance) + "）";
      r.chance = Percent(od.chance);
      r.alive = std::to_string(od.alive);
      r.win = Percent(od.win_chance, 2);
      r.expected = Yen(od.expected_return);
      r.win_bar = std::clamp(od.win_chance, 0.0, 1.0);
      r.return_bar = largest > 0 ? od.expected_return / largest : 0;
      r.needed = md.needed == o;
      rows.push_back(r);
    }
  }
  return rows;
}

}  // namespace zelvo
