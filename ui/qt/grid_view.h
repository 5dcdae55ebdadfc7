// The one widget that draws any Grid model (texts, alignment, colours,
// column widths, row heights, font size) and turns mouse clicks into the
// model's 1-based row and column clicks.
#ifndef ZELVOMINI_UI_QT_GRID_VIEW_H_
#define ZELVOMINI_UI_QT_GRID_VIEW_H_

#include <QWidget>
#include <functional>

#include "support/grid.h"

class QPainter;

namespace zelvo {

QColor ToQColor(Color c);

class GridView : public QWidget {
  Q_OBJECT

 public:
  explicit GridView(Grid* grid = nullptr, QWidget* parent = nullptr);
  ~GridView() override;

  void SetGrid(Grid* grid);
  Grid* grid() const { return grid_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The cell's rectangle in widget coordinates; empty outside the grid.
  QRect CellRect(int row, int col) const;
  // The cell under a point; false outside every cell.
  bool CellAt(const QPoint& pos, int& row, int& col) const;

  // Painted after the cells (the vote bars of the match table).
  std::function<void(QPainter&)> overlay;
  // A click the grid model also receives, for views that add behaviour of
  // their own (paging arrows drawn as cells).
  std::function<void(const GridClick&)> on_click;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Forward(QMouseEvent* event, bool double_click);
  void ModelChanged();

  Grid* grid_ = nullptr;
  QSize last_size_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_GRID_VIEW_H_
