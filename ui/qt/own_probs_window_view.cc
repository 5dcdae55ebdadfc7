#include "ui/qt/own_probs_window_view.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
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

constexpr const char* kView = "frmOwnProbs";

}  // namespace

OwnProbField::OwnProbField(frmOwnProbs& window, int field, QWidget* parent)
    : QLineEdit(parent), window_(window), field_(field) {
  setAlignment(Qt::AlignRight);
  setFixedWidth(64);
  // The context menu's paste would put a whole block into one field.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    SafeCall(kView, "txtProb_Change", [&] { window_.SetFieldText(field_, FromQt(text)); });
  });
}

void OwnProbField::Sync() {
  QString text = ToQt(window_.FieldText(field_));
  if (this->text() != text) setText(text);
  QPalette p = palette();
  p.setColor(QPalette::Text, window_.FieldRed(field_) ? QColor(0xFF, 0, 0) : QColor(0, 0, 0));
  setPalette(p);
}

void OwnProbField::insertFromClipboard() {
  std::string refused;
  const std::string text = FromQt(QGuiApplication::clipboard()->text());
  SafeCall(kView, "txtProb_Paste", [&] { refused = window_.Paste(field_, text); });
  if (on_paste_refused) on_paste_refused(refused);
}

void OwnProbField::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    event->accept();
    insertFromClipboard();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    focusNextChild();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

OwnProbsDialog::OwnProbsDialog(frmOwnProbs& window, QWidget* parent)
    : QDialog(parent), window_(window) {
  setWindowTitle(ToQt(frmOwnProbs::kTitle));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  for (int c = 0; c < 5; ++c) {
    auto* header = new QLabel(ToQt(frmOwnProbs::kHeaders[c]), this);
    header->setAlignment(Qt::AlignCenter);
    grid->addWidget(header, 0, c + 1);
  }
  for (int m = 0; m < frmOwnProbs::kMatches; ++m) {
    grid->addWidget(new QLabel(QString::number(m + 1), this), m + 1, 0, Qt::AlignCenter);
    auto* home = new QLabel(ToQt(window.Team(m, 0)), this);
    home->setMinimumWidth(72);
    home->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(home, m + 1, 1);
    for (int c = 0; c < 3; ++c) {
      const int f = frmOwnProbs::FieldOf(m, c);
      auto* field = new OwnProbField(window, f, this);
      field->setObjectName(QString("txtProb%1").arg(f));
      field->on_paste_refused = [this](const std::string& why) { message_->setText(ToQt(why)); };
      fields_[f] = field;
      grid->addWidget(field, m + 1, c + 2);
    }
    auto* away = new QLabel(ToQt(window.Team(m, 1)), this);
    away->setMinimumWidth(72);
    grid->addWidget(away, m + 1, 5);
    errors_[m] = new QLabel(this);
    errors_[m]->setStyleSheet("color: #c00000");
    // Fixed, so that a message coming and going never moves the fields.
    errors_[m]->setFixedWidth(150);
    grid->addWidget(errors_[m], m + 1, 6);
  }
  layout->addLayout(grid);
  auto* note = new QLabel(ToQt("各試合の1・0・2を％（合計100）か、小数のオッズで入力します。"
                               "オッズは控除分を除いて確率に直します。\n"
                               "表計算ソフトからは3列×5行をそのまま貼り付けられます（Ctrl+V）。"
                               "すべて空でOKすると自分の確率を削除します。"),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  model_text_ = new QLabel(this);
  model_text_->setObjectName("lblModel");
  model_text_->setWordWrap(true);
  layout->addWidget(model_text_);
  message_ = new QLabel(this);
  message_->setStyleSheet("color: #c00000");
  layout->addWidget(message_);

  auto* bottom = new QHBoxLayout;
  form_view_ = new OptionGroupView(
      &window.FormOption(),
      [](const char* proc, const std::function<void()>& action) { SafeCall(kView, proc, action); },
      this);
  form_view_->SetColumns(2);
  bottom->addWidget(form_view_);
  auto* paste = new QPushButton(ToQt("貼り付け"), this);
  auto* clear = new QPushButton(ToQt("消去"), this);
  auto* file = new QPushButton(ToQt("ファイル..."), this);
  file->setAutoDefault(false);
  auto* model = new QPushButton(ToQt("モデルから(&M)"), this);
  model->setObjectName("cmdModel");
  model->setAutoDefault(false);
  model->setEnabled(window.ModelAvailable());
  bottom->addWidget(model);
  bottom->addWidget(file);
  bottom->addWidget(paste);
  bottom->addWidget(clear);
  bottom->addStretch();
  ok_ = new QPushButton("OK", this);
  auto* cancel = new QPushButton(ToQt("キャンセル"), this);
  for (QPushButton* b : {paste, clear, ok_, cancel}) {
    b->setAutoDefault(false);
    if (b == ok_ || b == cancel) bottom->addWidget(b);
  }
  layout->addLayout(bottom);
  for (int f = 1; f < frmOwnProbs::kFields; ++f) setTabOrder(fields_[f - 1], fields_[f]);

  connect(paste, &QPushButton::clicked, this, [this] {
    // From the first match unless a field of a later one has the focus.
    int field = 0;
    for (int f = 0; f < frmOwnProbs::kFields; ++f) {
      if (fields_[f]->hasFocus()) field = f - f % 3;
    }
    std::string refused;
    const std::string text = FromQt(QGuiApplication::clipboard()->text());
    SafeCall(kView, "cmdPaste_Click", [&] { refused = window_.Paste(field, text); });
    message_->setText(ToQt(refused));
  });
  connect(file, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdFile_Click", [&] { window_.LoadFile(); });
    message_->clear();
  });
  connect(model, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdModel_Click", [&] { window_.FromModel(); });
    message_->clear();
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdClear_Click", [&] { window_.Clear(); });
    message_->clear();
  });
  connect(ok_, &QPushButton::clicked, this, [this] {
    bool closed = false;
    SafeCall(kView, "cmdOK_Click", [&] { closed = window_.Ok(); });
    if (closed) accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    SafeCall(kView, "cmdCancel_Click", [&] { window_.Cancel(); });
    reject();
  });
  window_.on_changed = [this] { Sync(); };
  Sync();
}

OwnProbsDialog::~OwnProbsDialog() { window_.on_changed = nullptr; }

void OwnProbsDialog::Sync() {
  for (OwnProbField* f : fields_) f->Sync();
  for (int m = 0; m < frmOwnProbs::kMatches; ++m) {
    const bool empty_row = window_.FieldText(frmOwnProbs::FieldOf(m, 0)).empty() &&
                           window_.FieldText(frmOwnProbs::FieldOf(m, 1)).empty() &&
                           window_.FieldText(frmOwnProbs::FieldOf(m, 2)).empty();
    errors_[m]->setText(window_.AllEmpty() || empty_row ? QString() : ToQt(window_.MatchError(m)));
  }
  model_text_->setText(ToQt(window_.ModelText()));
  model_text_->setVisible(!window_.ModelText().empty());
  form_view_->Sync();
  ok_->setEnabled(window_.OkEnabled());
}

bool RunOwnProbsDialog(frmOwnProbs& window, QWidget* parent) {
  OwnProbsDialog dialog(window, parent);
  bool accepted = dialog.exec() == QDialog::Accepted;
  if (!accepted) window.Cancel();
  return accepted && window.Result();
}

}  // namespace zelvo
