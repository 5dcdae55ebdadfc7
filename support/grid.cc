#include "support/grid.h"

#include <stdexcept>

namespace zelvo {

void Grid::Resize(int rows, int cols) {
  if (rows < 0 || cols < 0) throw std::out_of_range("Grid::Resize");
  std::vector<GridCell> cells(static_cast<size_t>(rows) * cols);
  for (int r = 1; r <= rows && r <= rows_; ++r) {
    for (int c = 1; c <= cols && c <= cols_; ++c) {
      cells[(r - 1) * cols + (c - 1)] = std::move(cells_[(r - 1) * cols_ + (c - 1)]);
    }
  }
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
  col_widths_.resize(cols, kDefaultSize);
  row_heights_.resize(rows, kDefaultSize);
}

GridCell& Grid::Cell(int row, int col) {
  if (!Contains(row, col)) throw std::out_of_range("Grid::Cell");
  return cells_[(row - 1) * cols_ + (col - 1)];
}

const GridCell& Grid::Cell(int row, int col) const {
  if (!Contains(row, col)) throw std::out_of_range("Grid::Cell");
  return cells_[(row - 1) * cols_ + (col - 1)];
}

void Grid::SetRowBack(int row, Color c) {
  for (int col = 1; col <= cols_; ++col) Cell(row, col).back = c;
}

void Grid::SetColAlign(int col, Align a) {
  for (int row = 1; row <= rows_; ++row) Cell(row, col).align = a;
}

void Grid::Clear() {
  for (auto& cell : cells_) cell.text.clear();
}

int Grid::ColWidth(int col) const {
  if (col < 1 || col > cols_) throw std::out_of_range("Grid::ColWidth");
  int w = col_widths_[col - 1];
  return w >= 0 ? w : default_width_;
}

void Grid::SetColWidth(int col, int width) {
  if (col < 1 || col > cols_) throw std::out_of_range("Grid::SetColWidth");
  col_widths_[col - 1] = width;
}

int Grid::RowHeight(int row) const {
  if (row < 1 || row > rows_) throw std::out_of_range("Grid::RowHeight");
  int h = row_heights_[row - 1];
  return h >= 0 ? h : default_height_;
}

void Grid::SetRowHeight(int row, int height) {
  if (row < 1 || row > rows_) throw std::out_of_range("Grid::SetRowHeight");
  row_heights_[row - 1] = height;
}

void Grid::SetDefaultSize(int col_width, int row_height) {
  default_width_ = col_width;
  default_height_ = row_height;
}

int Grid::TotalWidth() const {
  int w = 0;
  for (int c = 1; c <= cols_; ++c) w += ColWidth(c);
  return w;
}

int Grid::TotalHeight() const {
  int h = 0;
  for (int r = 1; r <= rows_; ++r) h += RowHeight(r);
  return h;
}

std::string Grid::CellName(int row, int col) const {
  if (!Contains(row, col)) return "";
  if (cell_name) return cell_name(row, col);
  std::string out;
  auto add = [&out](const std::string& part) {
    if (part.empty()) return;
    if (!out.empty()) out += ' ';
    out += part;
  };
  if (col > 1) add(Text(row, 1));
  if (row > 1) add(Text(1, col));
  add(Text(row, col));
  return out;
}

void Grid::SetVisible(bool v) {
  visible_ = v;
  Refresh();
}

}  // namespace zelvo
