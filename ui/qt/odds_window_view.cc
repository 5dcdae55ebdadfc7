#include "ui/qt/odds_window_view.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmOdds";

frmOdds::Key KeyOf(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Backspace:
      return frmOdds::Key::kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return frmOdds::Key::kEnter;
    default:
      break;
  }
  const QString text = event->text();
  if ((event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0 && text.size() == 1 &&
      text[0] >= '0' && text[0] <= '9') {
    return frmOdds::Key::kDigit;
  }
  return frmOdds::Key::kOther;
}

// Keys that move the caret or the selection but never change the text.
bool IsCaretKey(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
      return (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    default:
      return false;
  }
}

}  // namespace

OddsField::OddsField(frmOdds& odds, int field, QWidget* parent)
    : QLineEdit(parent), odds_(odds), field_(field) {
  setAlignment(Qt::AlignRight);
  setFixedWidth(56);
  // Text arrives by keys only; a paste or drop that slips through still
  // meets the controller's rule in SetFieldText.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    SafeCall(kView, "txtOdds_Change", [&] { odds_.SetFieldText(field_, FromQt(text)); });
  });
}

void OddsField::Sync() {
  QString text = ToQt(odds_.FieldText(field_));
  if (this->text() != text) setText(text);
  QPalette p = palette();
  p.setColor(QPalette::Text, odds_.FieldRed(field_) ? QColor(0xFF, 0, 0) : QColor(0, 0, 0));
  setPalette(p);
}

void OddsField::keyPressEvent(QKeyEvent* event) {
  // Escape is the window's: it closes it as キャンセル does.
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  if (IsCaretKey(event)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  frmOdds::KeyAction action = frmOdds::KeyAction::kIgnore;
  SafeCall(kView, "txtOdds_KeyPress", [&] {
    const bool whole = !text().isEmpty() && selectedText() == text();
    action = odds_.KeyPress(field_, KeyOf(event), whole);
  });
  switch (action) {
    case frmOdds::KeyAction::kEdit:
      QLineEdit::keyPressEvent(event);
      break;
    case frmOdds::KeyAction::kNextField:
      event->accept();
      focusNextChild();
      break;
    case frmOdds::KeyAction::kIgnore:
      event->accept();
      break;
  }
}

// Entered by keyboard (or as the window's first field) the whole text is
// selected, so that typing replaces it; a click puts the caret where the
// user clicked.
void OddsField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason) {
    selectAll();
  }
}

OddsDialog::OddsDialog(frmOdds& odds, QWidget* parent) : QDialog(parent), odds_(odds) {
  setWindowTitle(ToQt(frmOdds::kTitle));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  for (int c = 0; c < 5; ++c) {
    auto* header = new QLabel(ToQt(frmOdds::kHeaders[c]), this);
    header->setAlignment(Qt::AlignCenter);
    grid->addWidget(header, 0, c + 1);
  }
  for (int m = 0; m < frmOdds::kMatches; ++m) {
    grid->addWidget(new QLabel(QString::number(m + 1), this), m + 1, 0, Qt::AlignCenter);
    auto* home = new QLabel(ToQt(odds.Team(m, 0)), this);
    home->setMinimumWidth(72);
    home->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(home, m + 1, 1);
    for (int c = 0; c < 3; ++c) {
      auto* f = new OddsField(odds, frmOdds::FieldOf(m, c), this);
      f->setObjectName(QString("txtOdds%1").arg(frmOdds::FieldOf(m, c)));
      fields_[frmOdds::FieldOf(m, c)] = f;
      grid->addWidget(f, m + 1, c + 2);
    }
    auto* away = new QLabel(ToQt(odds.Team(m, 1)), this);
    away->setMinimumWidth(72);
    grid->addWidget(away, m + 1, 5);
  }
  layout->addLayout(grid);

  auto* bottom = new QHBoxLayout;
  mode_view_ = new OptionGroupView(
      &odds.ModeOption(),
      [](const char* proc, const std::function<void()>& action) { SafeCall(kView, proc, action); },
      this);
  mode_view_->SetColumns(2);
  bottom->addWidget(mode_view_);
  bottom->addStretch();
  ok_ = new QPushButton("OK", this);
  auto* cancel = new QPushButton(ToQt("キャンセル"), this);
  for (QPushButton* b : {ok_, cancel}) {
    // Enter belongs to the fields: it moves on and never closes the window.
    b->setAutoDefault(false);
    bottom->addWidget(b);
  }
  layout->addLayout(bottom);
  // The tab order is the fields' order, then the unit buttons and OK.
  for (int f = 1; f < frmOdds::kFields; ++f) setTabOrder(fields_[f - 1], fields_[f]);

  connect(ok_, &QPushButton::clicked, this, [this] {
    bool closed = false;
    SafeCall(kView, "cmdOK_Click", [&] { closed = odds_.Ok(); });
    if (closed) accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdCancel_Click", [&] { odds_.Cancel(); });
    reject();
  });
  odds_.on_changed = [this] { Sync(); };
  Sync();
}

OddsDialog::~OddsDialog() { odds_.on_changed = nullptr; }

void OddsDialog::Sync() {
  for (OddsField* f : fields_) f->Sync();
  mode_view_->Sync();
  ok_->setEnabled(odds_.OkEnabled());
}

bool RunOddsDialog(frmOdds& odds, QWidget* parent) {
  OddsDialog dialog(odds, parent);
  bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted) odds.Cancel();
  return accepted && odds.Result();
}

}  // namespace zelvo
