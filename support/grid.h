// The owner-drawn grid as a plain model: every panel of the program (multi
// editor, condition grids, single list, result grids, statistics panels)
// owns Grid models and is tested on them; the window layer only draws a Grid
// and forwards mouse clicks to it.
#ifndef ZELVOMINI_SUPPORT_GRID_H_
#define ZELVOMINI_SUPPORT_GRID_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// Colours as 0xRRGGBB.
using Color = uint32_t;
inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorWhite = 0xFFFFFF;
inline constexpr Color kColorRed = 0xFF0000;
inline constexpr Color kColorGreen = 0x00FF00;
inline constexpr Color kColorBlue = 0x0000FF;
inline constexpr Color kColorYellow = 0xFFFF00;
// The light yellow of alternate rows (E0FFFF in the blue-green-red order).
inline constexpr Color kColorLightYellow = 0xFFFFE0;
// The system button-face colour of header rows and inactive cells.
inline constexpr Color kColorButtonFace = 0xF0F0F0;

enum class Align { kLeft, kCenter, kRight };
enum class MouseButton { kLeft, kRight, kMiddle };

struct GridCell {
  std::string text;
  Align align = Align::kCenter;
  Color fore = kColorBlack;
  Color back = kColorWhite;
};

struct GridClick {
  MouseButton button = MouseButton::kLeft;
  bool shift = false;
  bool ctrl = false;
  int row = 0;  // 1-based
  int col = 0;  // 1-based
  bool double_click = false;
};

class Grid {
 public:
  Grid() = default;
  Grid(int rows, int cols) { Resize(rows, cols); }

  // Keeps the cells that stay inside; new cells are default.
  void Resize(int rows, int cols);
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  bool Contains(int row, int col) const {
    return row >= 1 && row <= rows_ && col >= 1 && col <= cols_;
  }

  // Rows and columns are numbered from 1; out-of-range access throws
  // std::out_of_range (a run-time error of the caller).
  GridCell& Cell(int row, int col);
  const GridCell& Cell(int row, int col) const;
  const std::string& Text(int row, int col) const { return Cell(row, col).text; }
  void SetText(int row, int col, std::string text) { Cell(row, col).text = std::move(text); }
  void SetFore(int row, int col, Color c) { Cell(row, col).fore = c; }
  void SetBack(int row, int col, Color c) { Cell(row, col).back = c; }
  void SetAlign(int row, int col, Align a) { Cell(row, col).align = a; }
  void SetRowBack(int row, Color c);
  void SetColAlign(int col, Align a);
  void Clear();  // all texts emptied, colours and alignment kept

  // Sizes in the window's units; kDefaultSize means the grid default, and 0
  // hides the column or row (the league column of the match table).
  static constexpr int kDefaultSize = -1;
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight(int row) const;
  void SetRowHeight(int row, int height);
  void SetDefaultSize(int col_width, int row_height);
  int DefaultColWidth() const { return default_width_; }
  int DefaultRowHeight() const { return default_height_; }
  int TotalWidth() const;
  int TotalHeight() const;
  double FontSize() const { return font_size_; }
  void SetFontSize(double points) { font_size_ = points; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v);

  // Asks the view to redraw.
  void Refresh() const {
    if (on_changed) on_changed();
  }
  // A mouse click arriving from the view (or a test).
  void Click(const GridClick& click) {
    if (on_click) on_click(click);
  }
  // A character typed on a cell (a mark's digit); false when the grid has no
  // use for it.
  bool Key(int row, int col, char key) { return on_key && on_key(row, col, key); }
  // Whether the grid takes any input: a display-only grid is no stop of the
  // keyboard's tab order.
  bool Interactive() const { return static_cast<bool>(on_click); }

  // What a screen reader reads for the grid, and for a cell: the panel's own
  // words where it gives them ("第3試合 ホーム ◎"), else the cell's row and
  // column titles (first column, first row) and its text.
  std::string name;
  std::string CellName(int row, int col) const;

  std::function<void()> on_changed;
  std::function<void(const GridClick&)> on_click;
  std::function<bool(int row, int col, char key)> on_key;
  std::function<std::string(int row, int col)> cell_name;

 private:
  int rows_ = 0;
  int cols_ = 0;
  std::vector<GridCell> cells_;
  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  int default_width_ = 30;
  int default_height_ = 21;
  double font_size_ = 9;
  bool visible_ = true;
};

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_GRID_H_
