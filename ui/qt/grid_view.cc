#include "ui/qt/grid_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <map>

#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {

QColor ToQColor(Color c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

namespace {

// A screen reader's view of one cell: its name is the panel's words for it.
class GridCellAccessible : public QAccessibleInterface {
 public:
  GridCellAccessible(GridView* view, int row, int col) : view_(view), row_(row), col_(col) {}
  bool isValid() const override { return view_ && view_->grid(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return ToQt(view_->grid()->CellName(row_, col_));
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    QRect r = view_->CellRect(row_, col_);
    return QRect(view_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.focusable = true;
    s.focused =
        view_ && view_->hasFocus() && view_->CurrentRow() == row_ && view_->CurrentCol() == col_;
    return s;
  }

 private:
  QPointer<GridView> view_;
  int row_, col_;
};

// The grid as a table of named cells; the keyboard's cell is its focus.
class GridAccessible : public QAccessibleWidget {
 public:
  explicit GridAccessible(GridView* view) : QAccessibleWidget(view, QAccessible::Table) {}
  ~GridAccessible() override {
    for (const auto& [index, id] : cells_) QAccessible::deleteAccessibleInterface(id);
  }
  GridView* view() const { return static_cast<GridView*>(widget()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && view()->grid() && !view()->grid()->name.empty()) {
      return ToQt(view()->grid()->name);
    }
    return QAccessibleWidget::text(t);
  }
  int childCount() const override {
    const Grid* g = view()->grid();
    return g ? g->Rows() * g->Cols() : 0;
  }
  QAccessibleInterface* child(int index) const override {
    const Grid* g = view()->grid();
    if (!g || index < 0 || index >= childCount()) return nullptr;
    auto it = cells_.find(index);
    if (it == cells_.end()) {
      auto* cell = new GridCellAccessible(view(), index / g->Cols() + 1, index % g->Cols() + 1);
      it = cells_.emplace(index, QAccessible::registerAccessibleInterface(cell)).first;
    }
    return QAccessible::accessibleInterface(it->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [index, id] : cells_) {
      if (QAccessible::accessibleInterface(id) == child) return index;
    }
    return -1;
  }
  QAccessibleInterface* focusChild() const override {
    const Grid* g = view()->grid();
    if (!g || !view()->hasFocus() || view()->CurrentRow() < 1) return nullptr;
    return child((view()->CurrentRow() - 1) * g->Cols() + view()->CurrentCol() - 1);
  }

 private:
  mutable std::map<int, QAccessible::Id> cells_;
};

QAccessibleInterface* GridAccessibleFactory(const QString&, QObject* object) {
  if (auto* view = qobject_cast<GridView*>(object)) return new GridAccessible(view);
  return nullptr;
}

}  // namespace

GridView::GridView(Grid* grid, QWidget* parent) : QWidget(parent) {
  static const bool factory = [] {
    QAccessible::installFactory(GridAccessibleFactory);
    return true;
  }();
  (void)factory;
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
  // Only a grid that takes input is a stop of the tab order.
  setFocusPolicy(grid_ && grid_->Interactive() ? Qt::StrongFocus : Qt::NoFocus);
  if (grid_ && !grid_->name.empty()) setAccessibleName(ToQt(grid_->name));
  if (grid_ && !grid_->Contains(row_, col_)) {
    row_ = col_ = 0;
  }
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

const QStaticText& GridView::LaidOut(const QString& text, const QFont& font) {
  if (font != laid_out_font_ || laid_out_.size() > 4096) {
    laid_out_.clear();
    laid_out_font_ = font;
  }
  auto it = laid_out_.find(text);
  if (it == laid_out_.end()) {
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    it = laid_out_.insert(text, laid);
  }
  return *it;
}

void GridView::paintEvent(QPaintEvent* event) {
  if (!grid_) return;
  QPainter p(this);
  QFont font = this->font();
  font.setPointSizeF(grid_->FontSize());
  p.setFont(font);
  const QRect exposed = event->rect();
  // Fills first, then every border, then the texts: the same pixels as cell
  // by cell (each cell's border lies over its neighbour's edge either way),
  // with far fewer pen changes.
  std::vector<QRect> borders;
  std::vector<std::pair<QRect, const GridCell*>> texts;
  int y = 0;
  for (int r = 1; r <= grid_->Rows(); ++r) {
    const int h = grid_->RowHeight(r);
    int x = 0;
    for (int c = 1; c <= grid_->Cols(); ++c) {
      const int w = grid_->ColWidth(c);
      // The border reaches one pixel past the cell.
      if (w > 0 && h > 0 && exposed.intersects(QRect(x, y, w + 1, h + 1))) {
        const GridCell& cell = grid_->Cell(r, c);
        QRect rect(x, y, w, h);
        p.fillRect(rect, ToQColor(cell.back));
        borders.push_back(rect);
        if (!cell.text.empty()) texts.emplace_back(rect.adjusted(3, 0, -3, 0), &cell);
      }
      x += w;
    }
    y += h;
  }
  // A one-pixel outline covers the cell's first and one past its last pixel
  // on each side; four solid fills draw it far faster than a stroked rect.
  const QColor line(0xA0, 0xA0, 0xA0);
  for (const QRect& b : borders) {
    p.fillRect(b.x(), b.y(), b.width() + 1, 1, line);
    p.fillRect(b.x(), b.y() + b.height(), b.width() + 1, 1, line);
    p.fillRect(b.x(), b.y() + 1, 1, b.height() - 1, line);
    p.fillRect(b.x() + b.width(), b.y() + 1, 1, b.height() - 1, line);
  }
  const qreal line_height = QFontMetricsF(font).height();
  Color pen = 0;
  bool pen_set = false;
  for (const auto& [rect, cell] : texts) {
    if (!pen_set || cell->fore != pen) {
      p.setPen(ToQColor(cell->fore));
      pen = cell->fore;
      pen_set = true;
    }
    const QString text = ToQt(cell->text);
    const QStaticText& laid = LaidOut(text, font);
    const qreal width = laid.size().width();
    if (width > rect.width()) {
      // Too wide for its cell: cut at the cell's edge as drawText does.
      int flags = Qt::AlignVCenter | Qt::TextSingleLine;
      flags |= cell->align == Align::kLeft    ? Qt::AlignLeft
               : cell->align == Align::kRight ? Qt::AlignRight
                                              : Qt::AlignHCenter;
      p.drawText(rect, flags, text);
      continue;
    }
    const qreal left = cell->align == Align::kLeft    ? rect.left()
                       : cell->align == Align::kRight ? rect.left() + rect.width() - width
                                                      : rect.left() + (rect.width() - width) / 2;
    p.drawStaticText(QPointF(left, rect.top() + (rect.height() - line_height) / 2), laid);
  }
  if (overlay) overlay(p);
  if (hasFocus() && grid_->Contains(row_, col_)) {
    QPen focus(palette().color(QPalette::Highlight), 2);
    p.setPen(focus);
    p.setBrush(Qt::NoBrush);
    p.drawRect(CellRect(row_, col_).adjusted(1, 1, -1, -1));
  }
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
    if (focusPolicy() != Qt::NoFocus) SetCurrent(row, col);
    Deliver(click);
  });
}

void GridView::Deliver(const GridClick& click) {
  // The model may be replaced by its own click (a page change): keep a copy.
  Grid* grid = grid_;
  grid->Click(click);
  if (on_click) on_click(click);
}

bool GridView::Shown(int row, int col) const {
  return grid_ && grid_->Contains(row, col) && grid_->RowHeight(row) > 0 &&
         grid_->ColWidth(col) > 0;
}

void GridView::SetCurrent(int row, int col) {
  if (!grid_ || !grid_->Contains(row, col)) return;
  if (row == row_ && col == col_) return;
  row_ = row;
  col_ = col;
  update();
  TellCurrent();
}

void GridView::TellCurrent() {
  if (!grid_ || !grid_->Contains(row_, col_) || !QAccessible::isActive()) return;
  QAccessibleEvent event(this, QAccessible::Focus);
  event.setChild((row_ - 1) * grid_->Cols() + col_ - 1);
  QAccessible::updateAccessibility(&event);
}

void GridView::ClickCurrent(MouseButton button, Qt::KeyboardModifiers mods) {
  SafeCall("GridView", "KeyDown", [&] {
    if (!grid_ || !grid_->Contains(row_, col_)) return;
    GridClick click;
    click.button = button;
    click.shift = mods & Qt::ShiftModifier;
    click.ctrl = mods & Qt::ControlModifier;
    click.row = row_;
    click.col = col_;
    Deliver(click);
  });
}

void GridView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // The keyboard starts on the first shown cell under the title row.
  if (grid_ && !grid_->Contains(row_, col_) && grid_->Rows() > 0 && grid_->Cols() > 0) {
    const int r = grid_->Rows() > 1 ? 2 : 1;
    int c = 1;
    while (c < grid_->Cols() && !Shown(r, c)) ++c;
    SetCurrent(r, c);
  }
  update();
  TellCurrent();
}

void GridView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (!grid_ || !grid_->Contains(row_, col_)) {
    QWidget::keyPressEvent(event);
    return;
  }
  auto step = [&](int dr, int dc) {
    int r = row_ + dr, c = col_ + dc;
    while (grid_->Contains(r, c) && !Shown(r, c)) {
      r += dr;
      c += dc;
    }
    if (grid_->Contains(r, c)) SetCurrent(r, c);
  };
  const Qt::KeyboardModifiers mods = event->modifiers();
  switch (event->key()) {
    case Qt::Key_Left:
      step(0, -1);
      break;
    case Qt::Key_Right:
      step(0, 1);
      break;
    case Qt::Key_Up:
      step(-1, 0);
      break;
    case Qt::Key_Down:
      step(1, 0);
      break;
    case Qt::Key_Home:
      for (int c = 1; c <= grid_->Cols(); ++c) {
        if (Shown(row_, c)) {
          SetCurrent(row_, c);
          break;
        }
      }
      break;
    case Qt::Key_End:
      for (int c = grid_->Cols(); c >= 1; --c) {
        if (Shown(row_, c)) {
          SetCurrent(row_, c);
          break;
        }
      }
      break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ClickCurrent(MouseButton::kLeft, mods);
      break;
    case Qt::Key_F10:
      if (!(mods & Qt::ShiftModifier)) {
        QWidget::keyPressEvent(event);
        return;
      }
      ClickCurrent(MouseButton::kRight, Qt::NoModifier);
      break;
    case Qt::Key_Menu:
      ClickCurrent(MouseButton::kRight, Qt::NoModifier);
      break;
    default: {
      const QString text = event->text();
      bool used = false;
      if (text.size() == 1 && text[0].unicode() < 128 && !(mods & Qt::ControlModifier)) {
        SafeCall("GridView", "KeyPress", [&] {
          Grid* grid = grid_;
          if (grid->Key(row_, col_, static_cast<char>(text[0].unicode()))) {
            used = true;
            GridClick done;
            done.row = row_;
            done.col = col_;
            if (on_click) on_click(done);
          }
        });
      }
      if (!used) QWidget::keyPressEvent(event);
      return;
    }
  }
  event->accept();
}

// The menu key arrives as a context-menu event on some platforms.
void GridView::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() == QContextMenuEvent::Keyboard && grid_ && grid_->Contains(row_, col_)) {
    ClickCurrent(MouseButton::kRight, Qt::NoModifier);
    event->accept();
    return;
  }
  QWidget::contextMenuEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event) { Forward(event, false); }

// The second press of a double click arrives as this event instead of a
// press: it counts as one more click, as the panels expect.
void GridView::mouseDoubleClickEvent(QMouseEvent* event) { Forward(event, true); }

}  // namespace zelvo
