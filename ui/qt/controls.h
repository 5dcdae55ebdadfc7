// Small widgets over the controllers' models: a number entry box with its
// up-down buttons, a check box, a group of option buttons, a list as a combo
// box, the painted progress bar and the painter of the match table's
// proportional vote bars, and the refresh of a list box from its lines.  Each widget forwards the user's input to its model
// and shows the model again on Sync().
#ifndef ZELVOMINI_UI_QT_CONTROLS_H_
#define ZELVOMINI_UI_QT_CONTROLS_H_

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <vector>

#include "support/check_box.h"
#include "support/list_model.h"
#include "support/number_entry.h"
#include "ui/match_table.h"
#include "ui/option_group.h"

class QLabel;
class QListWidget;
class QStackedWidget;
class QRadioButton;
class QToolButton;
class QDialog;
class QPainter;

namespace zelvo {

class GridView;

// Runs a user action on the models, then lets the window show the result.
using ActionRunner = std::function<void(const char* proc, const std::function<void()>& action)>;

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  NumberEdit(NumberEntry* entry, const ActionRunner& run, QWidget* parent = nullptr);
  void Sync();
  NumberEntry* entry() const { return entry_; }
  void Unbind() { entry_ = nullptr; }
  // A right click (the money menu of the payout boxes); unset, Qt's own
  // context menu shows.
  std::function<void()> on_right_click;
  // Enter in the box; unset, the key goes on to the window.
  std::function<void()> on_enter;

 protected:
  bool event(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  NumberEntry* entry_;
  ActionRunner run_;
  bool select_on_release_ = false;
};

// The up-down buttons beside a number entry.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(NumberEntry* entry, const ActionRunner& run, QWidget* parent = nullptr);
  void Unbind() { entry_ = nullptr; }

 private:
  NumberEntry* entry_;
};

class CheckBoxView : public QCheckBox {
  Q_OBJECT

 public:
  CheckBoxView(CheckBox* model, const ActionRunner& run, QWidget* parent = nullptr);
  void Sync();
  void Unbind() { model_ = nullptr; }

 private:
  CheckBox* model_;
};

class OptionGroupView : public QWidget {
  Q_OBJECT

 public:
  OptionGroupView(OptionGroup* model, const ActionRunner& run, QWidget* parent = nullptr);
  void Sync();
  void Unbind() { model_ = nullptr; }
  // Lays the buttons out in `columns` columns, filled row by row, or column
  // by column with `by_column`.
  void SetColumns(int columns, bool by_column = false);

 private:
  OptionGroup* model_;
  std::vector<QRadioButton*> buttons_;
};

class ListCombo : public QComboBox {
  Q_OBJECT

 public:
  ListCombo(ListModel* model, const ActionRunner& run, QWidget* parent = nullptr);
  void Sync();
  void Unbind() { model_ = nullptr; }

 private:
  ListModel* model_;
};

class ProgressView : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressView(QWidget* parent = nullptr);
  void SetValue(int value, int max);
  QSize sizeHint() const override { return QSize(200, 16); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int value_ = 0;
  int max_ = 100;
};

// Shows page `index` of `stack`, which then takes the room of that page only:
// a page not shown neither widens nor lengthens it.
void ShowStackPage(QStackedWidget* stack, int index);

// A label whose "(&X)" is the mnemonic of `buddy`: Alt+X moves there, and the
// "&" is not shown.
QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent);

// Detaches every widget under `root` (itself included) from the model it
// shows.  A window whose controller closes calls it before the controller
// goes: Qt deletes the widgets later, and whatever reaches them until then
// (their deletion, a focus change, a queued click) finds no model to touch.
void UnbindModels(QWidget* root);

// Paints the five bars of `graph` over the bar rows of the vote grid view.
void PaintVoteBars(QPainter& p, const GridView& view, const clsTGraphEx& graph);

// Makes the list box hold `lines`, touching only the items that changed:
// the lists grow a line at a time during a run or a download.
void SyncListLines(QListWidget* list, const std::vector<std::string>& lines);

// Resizes a dialog to the wanted size, or to the screen's work area on a
// small screen.
void FitToScreen(QDialog& box, int width, int height);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_CONTROLS_H_
