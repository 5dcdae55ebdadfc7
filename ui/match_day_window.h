// frmMatchDay, the match-day window: a round's purchases (documents added,
// dropped, or gathered from their folder) and the results as they come in,
// one row per match; after every entry it shows what is still alive for
// first prize, what the purchase is worth now and what each open match
// decides.  Nothing is saved: the entries live in the window, and the view
// can be copied as text.
#ifndef ZELVOMINI_UI_MATCH_DAY_WINDOW_H_
#define ZELVOMINI_UI_MATCH_DAY_WINDOW_H_

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "files/document_record.h"
#include "matchday/match_day.h"
#include "support/list_model.h"
#include "support/number_entry.h"

namespace zelvo {

class frmMatchDay {
 public:
  static constexpr const char* kTitle = "試合当日";
  static constexpr std::array<const char*, 4> kStates = {"試合前", "試合中", "終了", "中止"};
  static const std::vector<std::string>& DocumentColumns();
  static const std::vector<std::string>& AliveColumns();

  frmMatchDay();
  frmMatchDay(const frmMatchDay&) = delete;
  frmMatchDay& operator=(const frmMatchDay&) = delete;

  // The main window's document as it stands (saved or not); `path` is its
  // file, empty for a new one.  False, with a message, when it cannot join.
  bool AddOpenDocument(const DocumentRecord& doc, const std::string& path);
  // 文書を追加...: documents chosen in the file dialog.
  void AddFiles();
  // Dropped on the window: documents, and folders whose documents of the
  // purchase's round and group are added.  One message lists what did not
  // join.
  void AddPaths(const std::vector<std::string>& paths);
  // 同じフォルダから追加: the other documents of the round and group in the
  // folder of the first document.
  void AddSameFolder();
  bool SameFolderEnabled() const;
  void RemoveDocument(int index);
  int DocumentCount() const { return static_cast<int>(day_.Documents().size()); }
  // A document of this file is in the purchase (false for an empty path).
  bool Holds(const std::string& path) const;

  // The entry row of each match.  A change of any of them shows at once.
  ListModel& State(int match) { return rows_.at(match).state; }
  NumberEntry& HomeGoals(int match) { return rows_.at(match).home; }
  NumberEntry& AwayGoals(int match) { return rows_.at(match).away; }
  NumberEntry& Minute(int match) { return rows_.at(match).minute; }
  bool GoalsEnabled(int match) const;
  bool MinuteEnabled(int match) const;
  MatchEntries Entries() const;
  // 公式結果: the cached official result fills all five rows.
  void UseOfficialResult();
  bool OfficialAvailable() const { return day_.OfficialResult().Kaisaikai > 0; }
  // 結果をクリア: every match back to not started.
  void ClearResults();
  // コピー: the view as clipboard text.
  void CopyReport();
  std::string ReportText() const;

  // What the window shows.
  std::string Title() const;
  const MatchDay& Day() const { return day_; }
  const MatchDayFigures& Figures() const { return figures_; }
  std::string MatchName(int match) const;
  // "１ 52.2%　０ 26.4%　２ 21.4%" for an open match, empty for a decided one.
  std::string ChanceText(int match) const;
  std::string SourceText(int match) const;
  std::vector<std::string> SummaryLines() const;
  std::vector<std::vector<std::string>> DocumentRows() const;
  std::vector<std::vector<std::string>> AliveRows() const;

  // One row of the table of what the open matches decide, with its bars.
  struct DecisionRow {
    bool first_of_match = false;  // carries the match's name
    std::string match, outcome, chance, alive, win, expected;
    double win_bar = 0;     // the win chance, 0 to 1
    double return_bar = 0;  // the expected return against the largest of the table
    bool needed = false;    // every alive single needs this outcome
  };
  std::vector<DecisionRow> DecisionRows() const;

  std::function<void()> on_changed;
  // The goal model's forecast for the round, when one is set.
  std::function<MatchModelForecast(int round, const std::string& group)> model_source;

 private:
  bool MadeUp() const;
  struct Row {
    ListModel state;
    NumberEntry home, away, minute;
  };

  bool Take(PurchaseDocument doc, std::string& error);
  // The purchase got its first document: the round's data and model.
  void RoundSet();
  void SetEntries(const MatchEntries& entries);
  void Recompute();

  MatchDay day_;
  // Whether the purchase's round is a made-up sample round, read from disk
  // once per round and group, not on every redraw.
  mutable std::pair<int, std::string> made_up_for_{-1, ""};
  mutable bool made_up_ = false;
  std::array<Row, kMatches> rows_;
  MatchDayFigures figures_;
  bool holding_ = false;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MATCH_DAY_WINDOW_H_
