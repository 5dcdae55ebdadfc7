#include "ui/qt/controls.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include "support/format.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/qt_platform.h"

namespace zelvo {

// ---------------------------------------------------------------- NumberEdit

namespace {

// Keys that cannot make a number of the box's range are refused as they are
// typed: a letter, or a digit that takes the value over the maximum, leaves
// the box as it was.  An empty box is allowed while the user retypes it.
class NumberValidator : public QValidator {
 public:
  explicit NumberValidator(NumberEdit* edit) : QValidator(edit), edit_(edit) {}

  State validate(QString& input, int&) const override {
    const NumberEntry* entry = edit_->entry();
    if (!entry) return Acceptable;
    QString digits;
    bool fraction = false;
    for (int i = 0; i < input.size(); ++i) {
      const QChar c = input[i];
      if (c >= '0' && c <= '9') {
        // The whole part alone decides whether the maximum is passed.
        if (!fraction) digits += c;
      } else if (c == '.' && !fraction && entry->kind() == NumberEntry::Kind::kDecimal) {
        fraction = true;
      } else if (c == ',' && entry->kind() == NumberEntry::Kind::kMoney) {
        continue;
      } else if (c == '-' && i == 0 && entry->Min() < Money::FromInt(0)) {
        digits += c;
      } else if (c != ' ') {
        return Invalid;
      }
    }
    if (digits.isEmpty() || digits == "-") return Intermediate;
    bool ok = false;
    const long long value = digits.left(18).toLongLong(&ok);
    if (!ok || digits.size() > 18 || Money::FromInt(value) > entry->Max()) return Invalid;
    return Acceptable;
  }

 private:
  const NumberEdit* edit_;
};

}  // namespace

NumberEdit::NumberEdit(NumberEntry* entry, const ActionRunner& run, QWidget* parent)
    : QLineEdit(parent), entry_(entry), run_(run) {
  setAlignment(Qt::AlignRight);
  setValidator(new NumberValidator(this));
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (entry_) run_("NumberEdit_Change", [&] { entry_->SetText(FromQt(text)); });
  });
  // Leaving the box shows the value it stands for (clamped to its range).
  connect(this, &QLineEdit::editingFinished, this, [this] {
    // What was typed is the document's now: its undo is the window's.
    setModified(false);
    if (!entry_) return;
    run_("NumberEdit_LostFocus", [&] {
      if (entry_->kind() == NumberEntry::Kind::kDecimal) {
        entry_->SetExactValue(entry_->ExactValue());
      } else {
        entry_->SetValue(entry_->Value());
      }
    });
  });
  Sync();
}

// The box undoes its own typing while that typing is not yet an edit of the
// document; otherwise Ctrl+Z and Ctrl+Y go on to the window's undo and redo,
// as they do from every other control.
bool NumberEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const bool undo = key->matches(QKeySequence::Undo) || pressed == QKeySequence("Ctrl+Z");
    const bool redo = key->matches(QKeySequence::Redo) || pressed == QKeySequence("Ctrl+Y");
    if ((undo || redo) && !(isModified() && (undo ? isUndoAvailable() : isRedoAvailable()))) {
      event->ignore();
      return false;
    }
  }
  return QLineEdit::event(event);
}

void NumberEdit::Sync() {
  if (!entry_) return;
  QString text = ToQt(entry_->Text());
  if (this->text() != text) setText(text);
}

void NumberEdit::contextMenuEvent(QContextMenuEvent* event) {
  if (!on_right_click || !entry_) {
    QLineEdit::contextMenuEvent(event);
    return;
  }
  run_("NumberEdit_MouseUp", on_right_click);
}

// Tabbing into a box selects its text so that typing replaces it; a click
// puts the caret where the user clicked.
void NumberEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
      event->reason() == Qt::OtherFocusReason) {
    QTimer::singleShot(0, this, [this] { selectAll(); });
  }
}

void NumberEdit::mousePressEvent(QMouseEvent* event) { QLineEdit::mousePressEvent(event); }

void NumberEdit::keyPressEvent(QKeyEvent* event) {
  // Shift+F10 opens the box's menu as the menu key does.
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier && on_right_click &&
      entry_) {
    run_("NumberEdit_MouseUp", on_right_click);
    event->accept();
    return;
  }
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || !on_enter || !entry_) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // The box shows the value it stands for before the action takes it.
  run_("NumberEdit_KeyPress", [&] {
    entry_->SetValue(entry_->Value());
    on_enter();
  });
  selectAll();
  event->accept();
}

// ---------------------------------------------------------------- UpDown

UpDown::UpDown(NumberEntry* entry, const ActionRunner& run, QWidget* parent)
    : QWidget(parent), entry_(entry) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (int delta : {1, -1}) {
    auto* b = new QToolButton(this);
    b->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
    b->setFixedSize(16, 10);
    b->setAutoRepeat(true);
    connect(b, &QToolButton::clicked, this, [this, run, delta] {
      if (entry_) run("UpDown_Change", [&] { StepNumberEntry(*entry_, delta); });
    });
    layout->addWidget(b);
  }
}

// ---------------------------------------------------------------- CheckBoxView

CheckBoxView::CheckBoxView(CheckBox* model, const ActionRunner& run, QWidget* parent)
    : QCheckBox(parent), model_(model) {
  connect(this, &QCheckBox::clicked, this, [this, run] {
    if (model_) run("CheckBox_Click", [this] { model_->Click(); });
  });
  Sync();
}

void CheckBoxView::Sync() {
  if (!model_) return;
  QString caption = ToQt(model_->caption);
  if (text() != caption) setText(caption);
  setChecked(model_->Checked());
  setEnabled(model_->enabled);
  setVisible(model_->visible);
}

// ---------------------------------------------------------------- OptionGroupView

OptionGroupView::OptionGroupView(OptionGroup* model, const ActionRunner& run, QWidget* parent)
    : QWidget(parent), model_(model) {
  for (int i = 0; i < model_->Count(); ++i) {
    auto* b = new QRadioButton(ToQt(model_->Caption(i)), this);
    connect(b, &QRadioButton::clicked, this, [this, run, i] {
      if (model_) run("Option_Click", [this, i] { model_->Choose(i); });
    });
    buttons_.push_back(b);
  }
  SetColumns(1);
  Sync();
}

void OptionGroupView::SetColumns(int columns, bool by_column) {
  delete layout();
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  const int n = static_cast<int>(buttons_.size());
  const int rows = (n + columns - 1) / columns;
  for (int i = 0; i < n; ++i) {
    if (by_column) {
      grid->addWidget(buttons_[i], i % rows, i / rows);
    } else {
      grid->addWidget(buttons_[i], i / columns, i % columns);
    }
  }
}

void OptionGroupView::Sync() {
  if (!model_) return;
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    buttons_[i]->setEnabled(model_->Enabled(i));
    buttons_[i]->setChecked(model_->Index() == i);
  }
}

// ---------------------------------------------------------------- ListCombo

ListCombo::ListCombo(ListModel* model, const ActionRunner& run, QWidget* parent)
    : QComboBox(parent), model_(model) {
  connect(this, &QComboBox::activated, this, [this, run](int index) {
    if (model_) run("List_Click", [&] { model_->SetListIndex(index); });
  });
  Sync();
}

void ListCombo::Sync() {
  if (!model_) return;
  bool same = count() == model_->ListCount();
  for (int i = 0; same && i < count(); ++i) same = itemText(i) == ToQt(model_->List(i));
  if (!same) {
    QSignalBlocker block(this);
    clear();
    for (int i = 0; i < model_->ListCount(); ++i) addItem(ToQt(model_->List(i)));
  }
  if (currentIndex() != model_->ListIndex()) {
    QSignalBlocker block(this);
    setCurrentIndex(model_->ListIndex());
  }
}

// ---------------------------------------------------------------- unbinding

void ShowStackPage(QStackedWidget* stack, int index) {
  for (int i = 0; i < stack->count(); ++i) {
    const QSizePolicy::Policy p = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    stack->widget(i)->setSizePolicy(p, p);
  }
  if (stack->currentIndex() != index) stack->setCurrentIndex(index);
  stack->updateGeometry();
}

QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(ToQt(text), parent);
  label->setBuddy(buddy);
  return label;
}

void UnbindModels(QWidget* root) {
  QList<QWidget*> all = root->findChildren<QWidget*>();
  all.push_back(root);
  for (QWidget* w : all) {
    if (auto* g = qobject_cast<GridView*>(w)) g->SetGrid(nullptr);
    if (auto* e = qobject_cast<NumberEdit*>(w)) e->Unbind();
    if (auto* u = qobject_cast<UpDown*>(w)) u->Unbind();
    if (auto* c = qobject_cast<CheckBoxView*>(w)) c->Unbind();
    if (auto* o = qobject_cast<OptionGroupView*>(w)) o->Unbind();
    if (auto* l = qobject_cast<ListCombo*>(w)) l->Unbind();
  }
}

// ---------------------------------------------------------------- ProgressView

ProgressView::ProgressView(QWidget* parent) : QWidget(parent) { setMinimumHeight(14); }

void ProgressView::SetValue(int value, int max) {
  if (value == value_ && max == max_) return;
  value_ = value;
  max_ = max;
  update();
}

void ProgressView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(r, QColor(0xFF, 0xFF, 0xFF));
  if (max_ > 0 && value_ > 0) {
    double share = std::min(1.0, static_cast<double>(value_) / max_);
    QRect bar = r.adjusted(1, 1, 0, 0);
    bar.setWidth(static_cast<int>(bar.width() * share));
    p.fillRect(bar, QColor(0x30, 0x90, 0x30));
  }
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(r);
}

// ---------------------------------------------------------------- vote bars

void PaintVoteBars(QPainter& p, const GridView& view, const clsTGraphEx& graph) {
  for (int m = 1; m <= clsTGraphEx::kBars; ++m) {
    const clsTGraphEx::Bar& bar = graph.bar(m);
    if (!bar.visible) continue;
    QRect row = view.CellRect(2 * m, 1).united(view.CellRect(2 * m, 3)).adjusted(3, 2, -3, -2);
    if (row.isEmpty()) continue;
    p.fillRect(row, QColor(0xF4, 0xF4, 0xF4));
    double x = row.left();
    for (int part = 0; part < static_cast<int>(bar.values.size()); ++part) {
      double w = row.width() * graph.Share(m, part);
      if (w <= 0) continue;
      QRectF piece(x, row.top(), w, row.height());
      p.fillRect(piece, ToQColor(bar.colors[part]));
      if (graph.TextShown() && w > 24) {
        p.setPen(Qt::white);
        p.drawText(piece, Qt::AlignCenter,
                   QString::number(graph.Share(m, part) * 100, 'f', 0) + "%");
      }
      x += w;
    }
    p.setPen(QColor(0x90, 0x90, 0x90));
    p.drawRect(row);
  }
}

void SyncListLines(QListWidget* list, const std::vector<std::string>& lines) {
  const int n = static_cast<int>(lines.size());
  while (list->count() > n) delete list->takeItem(list->count() - 1);
  for (int i = 0; i < n; ++i) {
    QString text = ToQt(lines[i]);
    if (i < list->count()) {
      if (list->item(i)->text() != text) list->item(i)->setText(text);
    } else {
      list->addItem(text);
    }
  }
}

void FitToScreen(QDialog& box, int width, int height) {
  QRect area = box.screen() ? box.screen()->availableGeometry() : QRect(0, 0, width, height);
  box.resize(std::min(width, area.width() - 20), std::min(height, area.height() - 40));
}

}  // namespace zelvo
