// The one widget that draws any Grid model (texts, alignment, colours,
// column widths, row heights, font size) and turns mouse clicks into the
// model's 1-based row and column clicks.
#ifndef ZELVOMINI_UI_QT_GRID_VIEW_H_
#define ZELVOMINI_UI_QT_GRID_VIEW_H_

#include <QFont>
#include <QHash>
#include <QStaticText>
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
  // their own (paging arrows drawn as cells); a key that acts on a cell
  // arrives here as its click.
  std::function<void(const GridClick&)> on_click;

  // The keyboard's cell: the arrows move it, Space and Enter click it, the
  // menu key and Shift+F10 right-click it, a digit goes to the model.
  int CurrentRow() const { return row_; }
  int CurrentCol() const { return col_; }
  void SetCurrent(int row, int col);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Forward(QMouseEvent* event, bool double_click);
  void ClickCurrent(MouseButton button, Qt::KeyboardModifiers mods);
  void Deliver(const GridClick& click);
  void ModelChanged();
  // Whether a row or column is shown (a zero size hides it).
  bool Shown(int row, int col) const;
  void TellCurrent();
  // A cell's text laid out once: a page turn of the single list redraws
  // hundreds of cells holding a few dozen distinct texts.
  const QStaticText& LaidOut(const QString& text, const QFont& font);

  QHash<QString, QStaticText> laid_out_;
  QFont laid_out_font_;

  Grid* grid_ = nullptr;
  QSize last_size_;
  int row_ = 0, col_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_GRID_VIEW_H_
