// Every window within the screen's work area: a window is never larger than
// the screen it opens on, never placed past its edges, and a window whose
// contents may not fit scrolls them instead of growing.
#ifndef ZELVOMINI_UI_QT_SCREEN_FIT_H_
#define ZELVOMINI_UI_QT_SCREEN_FIT_H_

#include <QScrollArea>

class QBoxLayout;
class QVBoxLayout;

namespace zelvo {

// Fits every window of the application as it is shown (the program's own
// and Qt's: message boxes, file dialogs, the print preview), and gives its
// buttons their mnemonics.  Once, at start.
void InstallScreenFit();

// The window manager's frame around `window`: known once it is shown,
// guessed from a title bar's usual height before.
QMargins WindowFrameOf(const QWidget* window);

// Makes `window` no larger than its screen's work area (its frame included)
// and moves it inside.
void FitWindowToScreen(QWidget* window);

// A scroll area that asks for the whole size of its contents, so that a
// window over it opens as large as its contents where the screen allows,
// and scrolls them where it does not.
class FitScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit FitScrollArea(QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

// Lays `window` out as a scrolled body over a fixed bottom row: returns the
// body's layout; `bottom` (may be null) receives the layout under it, for
// the buttons that stay in sight.
QVBoxLayout* ScrolledBody(QWidget* window, QVBoxLayout** bottom = nullptr);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_SCREEN_FIT_H_
