#include "ui/qt/grid_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {

QColor ToQColor(Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

GridView::GridView(Grid* grid, QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  SetGrid(grid);
}

GridView::~GridView() {
  if (grid_) grid_->on_changed = nullptr;
}

void GridView::SetGrid(Grid* grid) {
  if (grid_) grid_->on_changed = nullptr;
  grid_ = grid;
  if (grid_) grid_->on_changed = [this] { ModelChanged(); };
  ModelChanged();
}

void GridView::ModelChanged() {
  QSize size = sizeHint();
  if (size != last_size_) {
    last_size_ = size;
    setFixedSize(size);
    updateGeometry();
  }
  if (grid_) setVisible(grid_->Visible());
  update();
}

QSize GridView::sizeHint() const {
  if (!grid_) return QSize(0, 0);
  // One pixel more for the closing grid lines.
  return QSize(grid_->TotalWidth() + 1, grid_->TotalHeight() + 1);
}

QRect GridView::CellRect(int row, int col) const {
  if (!grid_ || !grid_->Contains(row, col)) return QRect();
  int x = 0, y = 0;
  for (int c = 1; c < col; ++c) x += grid_->ColWidth(c);
  for (int r = 1; r < row; ++r) y += grid_->RowHeight(r);
  return QRect(x, y, grid_->ColWidth(col), grid_->RowHeight(row));
}

bool GridView::CellAt(const QPoint& pos, int& row, int& col) const {
  if (!grid_ || pos.x() < 0 || pos.y() < 0) return false;
  int x = 0;
  col = 0;
  for (int c = 1; c <= grid_->Cols(); ++c) {
    int w = grid_->ColWidth(c);
    if (w > 0 && pos.x() >= x && pos.x() < x + w) {
      col = c;
      break;
    }
    x += w;
  }
  int y = 0;
  row = 0;
  for (int r = 1; r <= grid_->Rows(); ++r) {
    int h = grid_->RowHeight(r);
    if (h > 0 && pos.y() >= y && pos.y() < y + h) {
      row = r;
      break;
    }
    y += h;
  }
  return row > 0 && col > 0;
}

void GridView::paintEvent(QPaintEvent*) {
  if (!grid_) return;
  QPainter p(this);
  QFont font = this->font();
  font.setPointSizeF(grid_->FontSize());
  p.setFont(font);
  const QColor line(0xA0, 0xA0, 0xA0);
  int y = 0;
  for (int r = 1; r <= grid_->Rows(); ++r) {
    const int h = grid_->RowHeight(r);
    int x = 0;
    for (int c = 1; c <= grid_->Cols(); ++c) {
      const int w = grid_->ColWidth(c);
      if (w > 0 && h > 0) {
        const GridCell& cell = grid_->Cell(r, c);
        QRect rect(x, y, w, h);
        p.fillRect(rect, ToQColor(cell.back));
        p.setPen(line);
        p.drawRect(rect);
        if (!cell.text.empty()) {
          p.setPen(ToQColor(cell.fore));
          int flags = Qt::AlignVCenter | Qt::TextSingleLine;
          flags |= cell.align == Align::kLeft    ? Qt::AlignLeft
                   : cell.align == Align::kRight ? Qt::AlignRight
                                                 : Qt::AlignHCenter;
          p.drawText(rect.adjusted(3, 0, -3, 0), flags, ToQt(cell.text));
        }
      }
      x += w;
    }
    y += h;
  }
  if (overlay) overlay(p);
}

void GridView::Forward(QMouseEvent* event, bool double_click) {
  SafeCall("GridView", "Click", [&] {
    int row = 0, col = 0;
    if (!grid_ || !CellAt(event->position().toPoint(), row, col)) return;
    GridClick click;
    click.button = event->button() == Qt::RightButton    ? MouseButton::kRight
                   : event->button() == Qt::MiddleButton ? MouseButton::kMiddle
                                                         : MouseButton::kLeft;
    click.shift = event->modifiers() & Qt::ShiftModifier;
    click.ctrl = event->modifiers() & Qt::ControlModifier;
    click.row = row;
    click.col = col;
    click.double_click = double_click;
    // The model may be replaced by its own click (a page change): keep a copy.
    Grid* grid = grid_;
    grid->Click(click);
    if (on_click) on_click(click);
  });
}

void GridView::mousePressEvent(QMouseEvent* event) { Forward(event, false); }

// The second press of a double click arrives as this event instead of a
// press: it counts as one more click, as the panels expect.
void GridView::mouseDoubleClickEvent(QMouseEvent* event) { Forward(event, true); }

}  // namespace zelvo
