// The read-only summaries of the current selection: the detail panel (how
// the multi is built and how far it was compressed), the count panel (how
// many singles pick each outcome of each match) and the composition grid (how
// many singles have each value 0 to 5 of a per-single count).
#ifndef ZELVOMINI_OUTPUT_STATISTICS_PANELS_H_
#define ZELVOMINI_OUTPUT_STATISTICS_PANELS_H_

#include <array>
#include <functional>
#include <string>

#include "core/multi_table.h"
#include "support/grid.h"

namespace zelvo {

// The detail panel: 2 columns x 8 rows.
class clsTMeisai {
 public:
  // Binds the grid (not owned): label column, value column and row height.
  void Initialize(Grid* grid, int label_width, int value_width, int row_height);
  void Clear();
  // Tallies the matches by how many outcomes the multi selects in them.
  void SetValue(const MultiTable& multi);
  void SetSingleCount(int value);
  // The coverage counts of the last search; kept for the document and
  // redraws the panel.
  void SetTousen(const std::array<int, 6>& tousen);
  const std::array<int, 6>& Tousen() const { return tousen_; }
  // Singles of the multi, or 0 while no single is bought.
  long long MultiSize() const;
  void Refresh();

 private:
  Grid* grid_ = nullptr;
  std::array<int, 5> histogram_{};  // matches by selected outcomes 0 to 4
  int single_count_ = 0;
  std::array<int, 6> tousen_{};
};

// The count panel: 3 columns x 6 rows, outcome columns "1" "0" "2".
class clsTCount {
 public:
  // Binds the grid (not owned) with its cell size.
  void Initialize(Grid* grid, int width, int height);
  void Clear();
  // Counts by [outcome code][match]; redraws.
  void SetValue(const FrameTable& counts);
  // Cells shown even with a count of 0.
  void SetVisible(const MultiFlags& shown) { shown_ = shown; }
  // Cells written in blue.
  void SetColor(const MultiFlags& colored) { colored_ = colored; }
  void Refresh();

  bool Visible() const { return grid_ && grid_->Visible(); }
  void SetVisibleProperty(bool visible);
  bool Percent() const { return percent_; }
  void SetPercent(bool percent);
  const FrameTable& Value() const { return counts_; }

  // A click on a match row, after percent mode was toggled.
  std::function<void(const GridClick&)> Click;

 private:
  void OnClick(const GridClick& click);

  Grid* grid_ = nullptr;
  FrameTable counts_{};
  MultiFlags shown_{};
  MultiFlags colored_{};
  bool percent_ = false;
};

// The composition grid: 3 columns x 7 rows, values 0 to 5.
class clsTKouseiBunseki {
 public:
  void Initialize(Grid* grid);
  void Clear();
  void SetValue(const std::array<int, 6>& counts);
  void ForeColorRow(int row, Color color);
  void GridRefresh();
  int Width() const;
  int Height() const;

 private:
  void Draw();

  Grid* grid_ = nullptr;
  std::array<int, 6> counts_{};
};

// The composition analysis window's logic: caption, grid, the red rows of
// counts that cannot occur, and the window size that fits the grid.
class frmKouseiBunseki {
 public:
  // The tag the main window finds these windows by to close them.
  static constexpr const char* kTag = "構成分析";

  frmKouseiBunseki();
  frmKouseiBunseki(const frmKouseiBunseki&) = delete;
  frmKouseiBunseki& operator=(const frmKouseiBunseki&) = delete;
  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& Title() const { return title_; }
  void SetValue(const std::array<int, 6>& counts) { panel_.SetValue(counts); }
  // Rows of the values n and above turn red.
  void SetMarkMax(int n);
  int Width() const { return panel_.Width() + 6; }
  int Height() const { return panel_.Height() + 24; }
  Grid& grid() { return grid_; }

 private:
  std::string title_;
  Grid grid_;
  clsTKouseiBunseki panel_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OUTPUT_STATISTICS_PANELS_H_
