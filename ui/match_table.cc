#include "ui/match_table.h"

#include "support/error_report.h"
#include "support/format.h"

namespace zelvo {
namespace {

constexpr const char* kGame = "clsTGame";

// Outcome codes in the order the table shows them side by side.
constexpr int kDisplayOrder[3] = {1, 0, 2};

// Home win, draw, away win; the fourth part of a four-part bar in grey.
constexpr Color kBarColors[4] = {0xE05050, 0x50A050, 0x5070D0, 0xA0A0A0};

bool EvenMatchRow(int match) { return match == 2 || match == 4; }

}  // namespace

// ---------------------------------------------------------------- clsTGraphEx

clsTGraphEx::clsTGraphEx() {
  for (int m = 1; m <= kBars; ++m) SetGraph3(m);
}

void clsTGraphEx::Visible(int match, bool flag) {
  if (!Valid(match)) return;
  bars_[match - 1].visible = flag;
  Changed();
}

void clsTGraphEx::AllVisible(bool flag) {
  for (Bar& b : bars_) b.visible = flag;
  Changed();
}

void clsTGraphEx::ShowText(bool flag) {
  show_text_ = flag;
  Changed();
}

void clsTGraphEx::SetGraph3(int match) {
  if (!Valid(match)) return;
  Bar& b = bars_[match - 1];
  b.values.assign(3, 0);
  b.colors.assign(kBarColors, kBarColors + 3);
  Changed();
}

void clsTGraphEx::SetGraph4(int match) {
  if (!Valid(match)) return;
  Bar& b = bars_[match - 1];
  b.values.assign(4, 0);
  b.colors.assign(kBarColors, kBarColors + 4);
  Changed();
}

void clsTGraphEx::SetValue3(int match, int64_t v1, int64_t v2, int64_t v3) {
  if (!Valid(match)) return;
  Bar& b = bars_[match - 1];
  if (b.values.size() != 3) SetGraph3(match);
  b.values = {v1, v2, v3};
  Changed();
}

void clsTGraphEx::SetValue4(int match, int64_t v1, int64_t v2, int64_t v3, int64_t v4) {
  if (!Valid(match)) return;
  Bar& b = bars_[match - 1];
  if (b.values.size() != 4) SetGraph4(match);
  b.values = {v1, v2, v3, v4};
  Changed();
}

double clsTGraphEx::Share(int match, int part) const {
  if (!Valid(match)) return 0;
  const Bar& b = bars_[match - 1];
  if (part < 0 || part >= static_cast<int>(b.values.size())) return 0;
  // Negative counts (a damaged record) draw as nothing rather than as a
  // bar that runs backwards.
  double total = 0;
  for (int64_t v : b.values) total += v > 0 ? static_cast<double>(v) : 0;
  if (total <= 0 || b.values[part] <= 0) return 0;
  return static_cast<double>(b.values[part]) / total;
}

// ---------------------------------------------------------------- clsTGame

void clsTGame::Initialize(bool show_league, const clsTotoData* toto_data) {
  try {
    show_league_ = show_league;
    toto_data_ = toto_data;
    match_grid_.Resize(6, 6);
    static const char* const kHeaders[] = {"開催日", "Jx", "No", "ホーム", "アウェイ", "投 票 率"};
    for (int c = 1; c <= 6; ++c) {
      match_grid_.SetText(1, c, kHeaders[c - 1]);
      match_grid_.SetBack(1, c, kColorButtonFace);
    }
    match_grid_.SetColWidth(1, kDateWidth);
    match_grid_.SetColWidth(2, show_league ? kLeagueWidth : 0);
    match_grid_.SetColWidth(3, kNoWidth);
    match_grid_.SetColWidth(4, kTeamWidth);
    match_grid_.SetColWidth(5, kTeamWidth);
    match_grid_.SetColWidth(6, kVoteWidth);
    match_grid_.SetRowHeight(1, kHeaderHeight);
    for (int r = 2; r <= 6; ++r) match_grid_.SetRowHeight(r, kMatchRowHeight);
    match_grid_.SetColAlign(4, Align::kLeft);
    match_grid_.SetColAlign(5, Align::kLeft);
    match_grid_.SetAlign(1, 4, Align::kCenter);
    match_grid_.SetAlign(1, 5, Align::kCenter);

    vote_grid_.Resize(10, 3);
    const int third = kVoteWidth / 3;
    vote_grid_.SetColWidth(1, third);
    vote_grid_.SetColWidth(2, third);
    vote_grid_.SetColWidth(3, kVoteWidth - 2 * third);
    for (int r = 1; r <= 10; ++r) vote_grid_.SetRowHeight(r, kVoteRowHeight);
    vote_grid_.on_click = [this](const GridClick&) {
      if (Click) Click();
    };
    graph_.Click = [this](int) {
      if (Click) Click();
    };
    ColourRows();
    SetSchedule(ScheduleRecord());
    SetVote(VoteStatusRecord());
  } catch (const std::exception& e) {
    ReportException(kGame, "Initialize", e);
  }
}

void clsTGame::ColourRows() {
  for (int m = 1; m <= 5; ++m) {
    Color back = EvenMatchRow(m) ? kColorLightYellow : kColorWhite;
    match_grid_.SetRowBack(m + 1, back);
    vote_grid_.SetRowBack(2 * m - 1, back);
    vote_grid_.SetRowBack(2 * m, back);
  }
}

void clsTGame::SetSchedule(const ScheduleRecord& schedule) {
  try {
    for (int m = 0; m < 5; ++m) {
      const ScheduleMatch& match = schedule.matches[m];
      int row = m + 2;
      match_grid_.SetText(row, 1,
                          match.match_date.IsZero() ? "" : match.match_date.Format("mm/dd"));
      std::string league;
      if (toto_data_ && !match.home.empty() && !match.match_date.IsZero()) {
        league = toto_data_->GetShortToJ1J2String(match.home, match.match_date.Year());
      }
      match_grid_.SetText(row, 2, league);
      match_grid_.SetText(row, 3, std::to_string(m + 1));
      match_grid_.SetText(row, 4, match.home);
      match_grid_.SetText(row, 5, match.away);
    }
    match_grid_.Refresh();
  } catch (const std::exception& e) {
    ReportException(kGame, "Schedure", e);
  }
}

std::string clsTGame::VoteTitleText(const VoteStatusRecord& vote) {
  if (!vote.as_of.IsZero()) {
    return "投票率 " + vote.as_of.Format("yyyy/mm/dd hh:nn") + " " +
           (vote.as_of == vote.sale_end ? "[最終]" : "");
  }
  return std::string("投 票 率") + (vote.Kaisaikai > 0 ? " (ユーザー定義)" : "");
}

void clsTGame::ShowCounts(bool counts) {
  try {
    counts_shown_ = counts;
    ShowVoteFigures();
    vote_grid_.Refresh();
  } catch (const std::exception& e) {
    ReportException(kGame, "Vote", e);
  }
}

void clsTGame::ShowVoteFigures() {
  for (int m = 0; m < 5; ++m) {
    const VoteMatch& match = vote_.matches[m];
    for (int c = 0; c < 3; ++c) {
      const VoteOutcome& o = match.outcomes[kDisplayOrder[c]];
      if (counts_shown_ || !own_.set) {
        vote_grid_.SetText(
            2 * m + 1, c + 1,
            counts_shown_ ? FormatNumber(o.count, "#,##0") : FormatNumber(o.rate, "0.00"));
        vote_grid_.SetFore(2 * m + 1, c + 1, kColorBlack);
        continue;
      }
      const double own = own_.p[m][kDisplayOrder[c]] * 100;
      vote_grid_.SetText(2 * m + 1, c + 1,
                         FormatNumber(o.rate, "0.0") + "/" + FormatNumber(own, "0.0"));
      // Where the user sees more than the public pays for.
      vote_grid_.SetFore(2 * m + 1, c + 1, own > o.rate.ToDouble() ? kColorRed : kColorBlack);
    }
  }
}

void clsTGame::SetVote(const VoteStatusRecord& vote) {
  try {
    vote_ = vote;
    ShowVoteFigures();
    for (int m = 0; m < 5; ++m) {
      const VoteMatch& match = vote.matches[m];
      graph_.SetValue3(m + 1, match.outcomes[1].count.RoundToInt(),
                       match.outcomes[0].count.RoundToInt(), match.outcomes[2].count.RoundToInt());
    }
    // The column is too narrow for both; the status bar still names the rates.
    match_grid_.SetText(1, 6,
                        !own_.set           ? VoteTitleText(vote)
                        : own_.source.model ? std::string(kModelTitle)
                                            : std::string(kOwnTitle));
    match_grid_.Refresh();
    vote_grid_.Refresh();
  } catch (const std::exception& e) {
    ReportException(kGame, "Vote", e);
  }
}

}  // namespace zelvo
