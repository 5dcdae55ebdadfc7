#include "ui/qt/screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "ui/qt/mnemonics.h"

namespace zelvo {
namespace {

// Fits the window again once the window manager has put its frame around
// it, which it reports a moment after the showing.
void RefitOnceFramed(QWidget* window, int tries) {
  QTimer::singleShot(tries == 0 ? 0 : 25, window, [window, tries] {
    if (!window->isVisible()) return;
    const bool framed = window->windowHandle() && !window->windowHandle()->frameMargins().isNull();
    if (framed || tries >= 20) {
      FitWindowToScreen(window);
    } else {
      RefitOnceFramed(window, tries + 1);
    }
  });
}

class ScreenFitFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* widget = qobject_cast<QWidget*>(object);
      if (widget && widget->isWindow()) {
        const Qt::WindowType type = widget->windowType();
        if (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool || type == Qt::Sheet) {
          GiveMnemonics(widget);
          FitWindowToScreen(widget);
          RefitOnceFramed(widget, 0);
        }
      }
    }
    return QObject::eventFilter(object, event);
  }
};

}  // namespace

QMargins WindowFrameOf(const QWidget* window) {
  if (window->isVisible() && window->windowHandle()) {
    QMargins m = window->windowHandle()->frameMargins();
    if (!m.isNull()) return m;
  }
  return QMargins(4, 30, 4, 4);
}

void InstallScreenFit() {
  static ScreenFitFilter* filter = nullptr;
  if (filter || !qApp) return;
  filter = new ScreenFitFilter(qApp);
  qApp->installEventFilter(filter);
}

void FitWindowToScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect work = screen->availableGeometry();
  const QMargins frame = WindowFrameOf(window);
  const QSize most(work.width() - frame.left() - frame.right(),
                   work.height() - frame.top() - frame.bottom());
  // A minimum larger than the screen is lowered to it: the contents then
  // scroll (or, in a window without a scroll area, are squeezed) instead of
  // running off the screen.
  const QSize min = window->minimumSize();
  if (min.width() > most.width() || min.height() > most.height()) {
    window->setMinimumSize(std::min(min.width(), most.width()),
                           std::min(min.height(), most.height()));
  }
  const QSize size = window->size().boundedTo(most);
  if (size != window->size()) window->resize(size);
  // The whole frame inside the work area.  A window that nobody placed is
  // left to the window manager, except a dialog, which Qt centres over its
  // parent before this size was known.
  const bool placed = window->testAttribute(Qt::WA_Moved);
  if (!placed && !window->parentWidget()) return;
  QRect outer(window->pos(), QSize(size.width() + frame.left() + frame.right(),
                                   size.height() + frame.top() + frame.bottom()));
  if (!placed) outer.moveCenter(window->parentWidget()->window()->frameGeometry().center());
  const int x = std::clamp(outer.left(), work.left(), work.right() + 1 - outer.width());
  const int y = std::clamp(outer.top(), work.top(), work.bottom() + 1 - outer.height());
  if (x != window->x() || y != window->y()) window->move(x, y);
  if (!placed) window->setAttribute(Qt::WA_Moved, false);
}

FitScrollArea::FitScrollArea(QWidget* parent) : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
}

QSize FitScrollArea::sizeHint() const {
  if (!widget()) return QScrollArea::sizeHint();
  const int f = 2 * frameWidth();
  return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(f, f);
}

QSize FitScrollArea::minimumSizeHint() const {
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return QSize(6 * bar, 4 * bar);
}

QVBoxLayout* ScrolledBody(QWidget* window, QVBoxLayout** bottom) {
  auto* outer = new QVBoxLayout(window);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  auto* area = new FitScrollArea(window);
  area->setObjectName("bodyScroller");
  auto* body = new QWidget(area);
  auto* layout = new QVBoxLayout(body);
  area->setWidget(body);
  outer->addWidget(area, 1);
  if (bottom) {
    auto* row = new QVBoxLayout;
    const QMargins m = layout->contentsMargins();
    row->setContentsMargins(m.left(), 0, m.right(), m.bottom());
    outer->addLayout(row);
    *bottom = row;
  }
  return layout;
}

}  // namespace zelvo
