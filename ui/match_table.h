// The match table at the top of the multi page: the five matches of the round
// and group with their dates, leagues and teams, and beside them the vote
// rates of each outcome as numbers and as proportional bars.
#ifndef ZELVOMINI_UI_MATCH_TABLE_H_
#define ZELVOMINI_UI_MATCH_TABLE_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/toto_data.h"
#include "official/schedule_record.h"
#include "official/vote_record.h"
#include "reduction/single_value.h"
#include "support/grid.h"

namespace zelvo {

// The group of five bar graphs, one per match.  Each bar is split into parts
// proportional to its values (three for the outcomes 1, 0, 2; four where a
// caller needs them); the view paints it over its row of the vote grid.
class clsTGraphEx {
 public:
  static constexpr int kBars = 5;

  struct Bar {
    std::vector<int64_t> values;  // whole numbers, one per part
    std::vector<Color> colors;
    bool visible = true;
  };

  clsTGraphEx();

  // Match 1 to 5; anything else is ignored.
  void Visible(int match, bool flag);
  void AllVisible(bool flag);
  void ShowText(bool flag);
  bool TextShown() const { return show_text_; }
  // Three parts (outcomes 1, 0, 2) in the bar colours; values reset to 0.
  void SetGraph3(int match);
  void SetValue3(int match, int64_t v1, int64_t v2, int64_t v3);
  void SetGraph4(int match);
  void SetValue4(int match, int64_t v1, int64_t v2, int64_t v3, int64_t v4);

  const Bar& bar(int match) const { return bars_.at(match - 1); }
  // Share of part `part` (from 0) of a bar, 0 when the bar sums to 0.
  double Share(int match, int part) const;

  // A click on the bar of a match (1 to 5).
  std::function<void(int match)> Click;
  std::function<void()> on_changed;

 private:
  bool Valid(int match) const { return match >= 1 && match <= kBars; }
  void Changed() const {
    if (on_changed) on_changed();
  }
  std::array<Bar, kBars> bars_;
  bool show_text_ = false;
};

class clsTGame {
 public:
  // Column widths of the match grid in the grid's units.
  static constexpr int kDateWidth = 44;
  static constexpr int kLeagueWidth = 20;
  static constexpr int kNoWidth = 20;
  static constexpr int kTeamWidth = 80;
  static constexpr int kVoteWidth = 203;
  static constexpr int kHeaderHeight = 21;
  // A match row holds two vote-grid rows: the percentages and the bar.
  static constexpr int kVoteRowHeight = 16;
  static constexpr int kMatchRowHeight = 2 * kVoteRowHeight;

  // Builds both grids and the five bars; `toto_data` (not owned, may be
  // null) answers the league of each home team.
  void Initialize(bool show_league, const clsTotoData* toto_data);
  // Error reports name these "Schedure" and "Vote".
  void SetSchedule(const ScheduleRecord& schedule);
  void SetVote(const VoteStatusRecord& vote);
  // Shown by the next SetVote: each rate then reads "public/own" in percent,
  // the outcomes the user rates above the public drawn red.
  void SetOwn(const OwnProbabilities& own) { own_ = own; }
  static constexpr const char* kOwnTitle = "投票率／自分の確率 (%)";
  // The own probabilities as the goal model proposed them.
  static constexpr const char* kModelTitle = "投票率／モデルの確率 (%)";

  Grid& MatchGrid() { return match_grid_; }
  Grid& VoteGrid() { return vote_grid_; }
  clsTGraphEx& Graph() { return graph_; }
  const std::string& VoteTitle() const { return match_grid_.Text(1, 6); }
  // The vote grid shows the vote counts the record holds instead of the
  // percentages.
  void ShowCounts(bool counts);
  bool CountsShown() const { return counts_shown_; }

  // A click on the vote grid or a bar.
  std::function<void()> Click;

  // "投票率 2024/05/10 13:00 [最終]", "投 票 率 (ユーザー定義)".
  static std::string VoteTitleText(const VoteStatusRecord& vote);

 private:
  void ColourRows();
  void ShowVoteFigures();

  Grid match_grid_;
  Grid vote_grid_;
  clsTGraphEx graph_;
  const clsTotoData* toto_data_ = nullptr;
  bool show_league_ = true;
  VoteStatusRecord vote_;
  bool counts_shown_ = false;
  OwnProbabilities own_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_MATCH_TABLE_H_
