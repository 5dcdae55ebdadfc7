// The match-day view as text: the window's labels for a match's state and
// the source of its chances, and the view as clipboard text in the style of
// the other reports.
#ifndef ZELVOMINI_MATCHDAY_MATCH_DAY_REPORT_H_
#define ZELVOMINI_MATCHDAY_MATCH_DAY_REPORT_H_

#include <array>
#include <string>

#include "matchday/match_day.h"

namespace zelvo {

// "ホーム - アウェイ" of each match, from the vote status or the official
// result; empty where neither names the clubs.
std::array<std::string, kMatches> MatchNames(const MatchDay& day);

// "試合前", "試合中 1-0（60分）", "終了 2-1", "中止".
std::string EntryText(const MatchEntry& entry);
// Where a match's chances come from, for the window and the report.
std::string ChanceSourceText(const MatchDay& day, const MatchChances& chances);
// "残りの結果 27 通り中 15 通りで当せん（払戻 1,800～31,464 円）".
std::string PayingText(const MatchDayFigures& figures);
// How a match in play is reckoned, when one is; empty otherwise.
std::string InPlayNote(const MatchDayFigures& figures);
// "１", "０", "２" for outcome codes 1, 0, 2.
std::string OutcomeLabel(int outcome);

std::string Percent(double fraction, int decimals = 1);
std::string Yen(double yen);

// The view as clipboard text (CR LF lines).
std::string MatchDayReport(const MatchDay& day, const MatchEntries& entries,
                           const MatchDayFigures& figures);

}  // namespace zelvo

#endif  // ZELVOMINI_MATCHDAY_MATCH_DAY_REPORT_H_
