#include "ui/qt/dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "ui/qt/controls.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"
#include "ui/qt/screen_fit.h"

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

void RunAnalysisView(frmAnalysis& analysis, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(ToQt(frmAnalysis::kTitle));
  QVBoxLayout* bottom = nullptr;
  QVBoxLayout* layout = ScrolledBody(&box, &bottom);
  QLabel* summary = new QLabel(&box);
  QLabel* note = new QLabel(&box);
  QLabel* minimum = new QLabel(&box);
  minimum->setObjectName("lblMinimum");
  minimum->setWordWrap(true);
  QLabel* minimum_singles = new QLabel(&box);
  minimum_singles->setObjectName("lblMinimumSingles");
  minimum_singles->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* take = new QPushButton(ToQt("このシングルに置き換える(&T)"), &box);
  take->setObjectName("cmdTake");
  auto* vote_rates = new QPushButton(ToQt("投票率に戻す(&V)"), &box);
  std::vector<OptionGroupView*> options;
  auto sync = [&] {
    summary->setText(ToQt(analysis.Summary()));
    note->setText(ToQt(analysis.ChancesNote()));
    minimum->setText(ToQt(analysis.MinimumText()));
    minimum_singles->setText(ToQt(analysis.MinimumSinglesText()));
    minimum_singles->setVisible(!analysis.MinimumSingles().empty());
    take->setEnabled(analysis.TakeMinimumEnabled());
    vote_rates->setEnabled(analysis.OwnProbabilities());
    for (OptionGroupView* o : options) o->Sync();
  };
  ActionRunner run = [&](const char* proc, const std::function<void()>& action) {
    SafeCall("frmAnalysis", proc, action);
    sync();
  };
  auto* results = new OptionGroupView(&analysis.ResultsOption(), run, &box);
  results->SetColumns(2);
  options.push_back(results);
  layout->addWidget(results);
  layout->addWidget(summary);
  auto* tables = new QHBoxLayout;
  tables->addWidget(new GridView(&analysis.CoverageGrid(), &box), 0, Qt::AlignTop);
  auto* chances = new QVBoxLayout;
  chances->addWidget(new GridView(&analysis.ChancesGrid(), &box));
  chances->addWidget(note);
  // The user's own chances: a file of percentages or of odds.
  auto* own = new QHBoxLayout;
  auto* form = new OptionGroupView(&analysis.ProbabilityFormOption(), run, &box);
  form->SetColumns(2);
  options.push_back(form);
  own->addWidget(form);
  auto* load = new QPushButton(ToQt("確率ファイル(&P)..."), &box);
  load->setObjectName("cmdProbabilities");
  QObject::connect(load, &QPushButton::clicked, &box,
                   [&] { run("cmdProbabilities_Click", [&] { analysis.LoadProbabilities(); }); });
  QObject::connect(vote_rates, &QPushButton::clicked, &box,
                   [&] { run("cmdVoteRates_Click", [&] { analysis.UseVoteRates(); }); });
  own->addWidget(load);
  own->addWidget(vote_rates);
  chances->addLayout(own);
  chances->addStretch();
  tables->addLayout(chances);
  tables->addStretch();
  layout->addLayout(tables);
  auto* scroll = new QScrollArea(&box);
  scroll->setWidget(new GridView(&analysis.ValueGrid(), scroll));
  scroll->setMinimumHeight(200);
  layout->addWidget(scroll, 1);
  auto* grade = new OptionGroupView(&analysis.GradeOption(), run, &box);
  grade->SetColumns(2);
  options.push_back(grade);
  layout->addWidget(grade);
  auto* minimum_row = new QHBoxLayout;
  auto* compute = new QPushButton(ToQt("最小口数を計算(&M)"), &box);
  QObject::connect(compute, &QPushButton::clicked, &box,
                   [&] { run("cmdMinimum_Click", [&] { analysis.ComputeMinimum(); }); });
  minimum_row->addWidget(compute);
  minimum_row->addWidget(minimum, 1);
  layout->addLayout(minimum_row);
  auto* singles_row = new QHBoxLayout;
  singles_row->addWidget(minimum_singles, 1);
  QObject::connect(take, &QPushButton::clicked, &box,
                   [&] { run("cmdTake_Click", [&] { analysis.TakeMinimum(); }); });
  singles_row->addWidget(take, 0, Qt::AlignTop);
  layout->addLayout(singles_row);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &box);
  close->button(QDialogButtonBox::Close)->setText(ToQt("閉じる(&C)"));
  QObject::connect(close, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  bottom->addWidget(close);
  sync();
  box.resize(620, 680);
  box.exec();
}

KouseiWindowView::KouseiWindowView(frmKouseiBunseki& window, QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(&window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQt(window.Title()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(new GridView(&window.grid(), this), 0, Qt::AlignHCenter);
  // The panel alone is narrower than the title, which names the condition:
  // the window is as wide as its title with the frame's buttons beside it.
  const int title =
      QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(windowTitle()) +
      110;
  setFixedSize(std::max(window.Width(), title), window.Height());
}

void KouseiWindowView::CloseFromController() {
  from_controller_ = true;
  UnbindModels(this);
  close();
}

void KouseiWindowView::closeEvent(QCloseEvent* event) {
  // The controller drops the window's state at once, while Qt deletes this
  // view only later.
  UnbindModels(this);
  if (!from_controller_ && on_closed) on_closed(model_);
  event->accept();
}

void KouseiWindowView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
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
