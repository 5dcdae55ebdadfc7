#include "ui/qt/dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "ui/qt/grid_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {

bool RunItemDialogView(frmJouken& dialog, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(ToQt(frmJouken::kTitle));
  auto* layout = new QVBoxLayout(&box);
  std::vector<QCheckBox*> checks;
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  auto sync = [&] {
    for (int i = 0; i < dialog.ItemCount(); ++i) checks[i]->setChecked(dialog.Item(i).Checked());
    ok->setEnabled(dialog.OkEnabled());
  };
  for (int i = 0; i < dialog.ItemCount(); ++i) {
    auto* c = new QCheckBox(ToQt(dialog.Item(i).caption), &box);
    QObject::connect(c, &QCheckBox::clicked, &box, [&, i] {
      SafeCall("frmJouken", "chkItem_Click", [&] { dialog.Item(i).Click(); });
      sync();
    });
    checks.push_back(c);
    layout->addWidget(c);
  }
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, [&] {
    bool closed = false;
    SafeCall("frmJouken", "cmdOK_Click", [&] { closed = dialog.Ok(); });
    if (closed) box.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, [&] {
    SafeCall("frmJouken", "cmdCancel_Click", [&] { dialog.Cancel(); });
    box.reject();
  });
  sync();
  bool accepted = box.exec() == QDialog::Accepted;
  if (!accepted) dialog.Cancel();
  return accepted && dialog.Result();
}

KouseiWindowView::KouseiWindowView(frmKouseiBunseki& window, QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(&window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQt(window.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(new GridView(&window.grid(), this));
  setFixedSize(window.Width(), window.Height());
}

void KouseiWindowView::CloseFromController() {
  from_controller_ = true;
  close();
}

void KouseiWindowView::closeEvent(QCloseEvent* event) {
  if (!from_controller_ && on_closed) on_closed(model_);
  event->accept();
}

SplashView::SplashView(const frmLoadX& splash)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setFixedSize(360, 160);
  setStyleSheet("background: #1f3b63; color: white;");
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(ToQt(splash.Title()), this);
  QFont big = title->font();
  big.setPointSize(20);
  big.setBold(true);
  title->setFont(big);
  auto* version = new QLabel(ToQt(splash.Version()), this);
  auto* lblCopyright = new QLabel(ToQt(splash.lblCopyright), this);
  lblCopyright->setObjectName("lblCopyright");
  layout->addStretch();
  layout->addWidget(title, 0, Qt::AlignCenter);
  layout->addWidget(version, 0, Qt::AlignCenter);
  layout->addStretch();
  layout->addWidget(lblCopyright, 0, Qt::AlignCenter);
}

}  // namespace zelvo
