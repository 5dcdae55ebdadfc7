// The three panels of the result screen: the result marks, the counts per
// grade and the page of ten singles.
#ifndef ZELVOMINI_RESULTS_RESULT_PANELS_H_
#define ZELVOMINI_RESULTS_RESULT_PANELS_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "official/result_record.h"
#include "support/grid.h"

namespace zelvo {

// Result marks [match 0-4][outcome code 0-2]: 0 none, 1 "◎" (the official
// result, or a user mark agreeing with it), 2 "○" (a provisional user mark),
// 3 "－" (cancelled: every outcome right).  The hit table uses the same shape
// and adds 4 for a match without any mark (every outcome right as well).
using ResultMarks = std::array<std::array<int, 3>, 5>;
using ResultFlags = std::array<std::array<bool, 3>, 5>;

inline constexpr int kMarkNone = 0;
inline constexpr int kMarkOfficial = 1;
inline constexpr int kMarkProvisional = 2;
inline constexpr int kMarkCancelled = 3;
inline constexpr int kHitUndecided = 4;

// Grid column c (1-3) shows outcome code kOutcomeOfColumn[c - 1].
inline constexpr int kOutcomeOfColumn[3] = {1, 0, 2};

// The marks panel: a header row "1", "0", "2" and one row per match.
class clsTMultiResult {
 public:
  void Initialize();
  Grid& grid() { return grid_; }
  const Grid& grid() const { return grid_; }

  void Clear();
  // Takes a table from the screen; raises Change (not a click) when it
  // differs from the last table reported.
  void SetValue(const ResultMarks& marks);
  const ResultMarks& GetValue() const { return marks_; }
  ResultFlags GetVisible() const;
  // A choice from the pop-up menu of the last right-clicked match; 0 is "中止".
  void SetPopup(int index);
  // The official result, for telling a user mark that agrees with it.
  void SetResult(const ResultRecord& record) { record_ = record; }

  // Raised with `click` set when the change came from the user.
  std::function<void(bool click)> Change;

  static std::string MarkText(int mark);

 private:
  void OnClick(const GridClick& click);
  void Draw();
  void ReportIfChanged(bool click);

  Grid grid_;
  ResultMarks marks_{};
  ResultMarks reported_{};
  ResultRecord record_;
  int popup_match_ = -1;
};

// The counts per grade: a header "口数", "比率" and a row per grade 1-6.
class clsTResultGrade {
 public:
  void Initialize();
  Grid& grid() { return grid_; }
  const Grid& grid() const { return grid_; }

  void Clear();
  void SetValue(const std::array<int, 6>& counts, int kaisaikai);

 private:
  Grid grid_;
};

// The page of ten singles: five outcome digits coloured hit or miss, and the
// grade.
class clsTResultGrid {
 public:
  static constexpr int kRows = 10;

  void Initialize();
  Grid& grid() { return grid_; }
  const Grid& grid() const { return grid_; }
  // The column headers over the page: the five matches and the grade.
  Grid& header() { return header_; }

  void Clear();
  // Row 0-9 of the page.
  void SetClear(int row);
  // `hits` holds the hit-table value of each match for this single's outcome.
  void SetValue(int row, const std::array<uint8_t, 5>& digits, int grade,
                const std::array<int, 5>& hits, int kaisaikai);
  void Refresh() const { grid_.Refresh(); }

  // The legend pictures imgResult 0-3: hit, cancelled, miss, prize grade.
  static const std::array<Color, 4>& SetColorImage();
  static Color HitColor(int hit);

 private:
  Grid grid_;
  Grid header_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_RESULTS_RESULT_PANELS_H_
