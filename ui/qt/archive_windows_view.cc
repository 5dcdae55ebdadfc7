#include "ui/qt/archive_windows_view.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"
#include "ui/qt/screen_fit.h"

namespace zelvo {
namespace {

// A dialog that a running download keeps open: closing it (the title bar's
// button, Escape) asks the run to stop instead.
class ArchiveDialog : public QDialog {
 public:
  ArchiveDialog(frmArchive& archive, QWidget* parent) : QDialog(parent), archive_(archive) {}

 protected:
  void reject() override {
    if (archive_.Running()) {
      archive_.Cancel();
      return;
    }
    QDialog::reject();
  }

 private:
  frmArchive& archive_;
};

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  return label;
}

}  // namespace

void RunArchiveDialog(frmArchive& archive, QWidget* parent) {
  ArchiveDialog box(archive, parent);
  box.setWindowTitle(ToQt(frmArchive::kTitle));
  auto* layout = new QVBoxLayout(&box);
  std::vector<NumberEdit*> edits;
  std::vector<OptionGroupView*> options;
  QPushButton* start = nullptr;
  QPushButton* cancel = nullptr;
  QProgressBar* progress = new QProgressBar(&box);
  QLabel* status = new QLabel(&box);
  QListWidget* lines = new QListWidget(&box);
  auto sync = [&] {
    for (NumberEdit* e : edits) {
      e->Sync();
      e->setEnabled(!archive.Running());
    }
    for (OptionGroupView* o : options) {
      o->Sync();
      o->setEnabled(!archive.Running());
    }
    start->setEnabled(!archive.Running());
    cancel->setEnabled(archive.Running());
    progress->setMaximum(std::max(1, archive.Total()));
    progress->setValue(archive.Done());
    status->setText(ToQt(archive.Status()));
    if (lines->count() != static_cast<int>(archive.Lines().size())) {
      lines->clear();
      for (const std::string& l : archive.Lines()) lines->addItem(ToQt(l));
      lines->scrollToBottom();
    }
  };
  ActionRunner run = [&](const char* proc, const std::function<void()>& action) {
    SafeCall("frmArchive", proc, action);
    sync();
  };
  auto* form = new QFormLayout;
  auto add_edit = [&](const char* caption, NumberEntry& entry) {
    auto* edit = new NumberEdit(&entry, run, &box);
    edit->setMaximumWidth(80);
    edits.push_back(edit);
    form->addRow(ToQt(caption), edit);
  };
  add_edit("開始回", archive.From());
  add_edit("終了回", archive.To());
  auto* groups = new OptionGroupView(&archive.GroupOption(), run, &box);
  groups->SetColumns(3);
  options.push_back(groups);
  form->addRow(ToQt("組"), groups);
  add_edit("間隔（秒）", archive.Pause());
  layout->addLayout(form);
  layout->addWidget(WrappedLabel(
      ToQt("公式サイトには 1 ページずつ、間隔をあけて問い合わせます。キャッシュ済みのデータは"
           "取得しません。中止しても取得済みのデータは残り、同じ範囲で再開できます。"),
      &box));
  auto* buttons = new QHBoxLayout;
  start = new QPushButton(ToQt("開始(&S)"), &box);
  cancel = new QPushButton(ToQt("キャンセル(&A)"), &box);
  auto* close = new QPushButton(ToQt("閉じる(&C)"), &box);
  buttons->addWidget(start);
  buttons->addWidget(cancel);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addWidget(progress);
  layout->addWidget(status);
  layout->addWidget(lines, 1);
  layout->addLayout(buttons);
  QObject::connect(start, &QPushButton::clicked, &box,
                   [&] { run("cmdStart_Click", [&] { archive.Start(); }); });
  QObject::connect(cancel, &QPushButton::clicked, &box,
                   [&] { run("cmdCancel_Click", [&] { archive.Cancel(); }); });
  QObject::connect(close, &QPushButton::clicked, &box, &QDialog::reject);
  archive.on_changed = [&] { sync(); };
  sync();
  FitToScreen(box, 520, 480);
  box.exec();
  archive.on_changed = nullptr;
}

void RunBacktestDialog(frmBacktest& backtest, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(ToQt(frmBacktest::kTitle));
  QVBoxLayout* bottom = nullptr;
  QVBoxLayout* layout = ScrolledBody(&box, &bottom);
  std::vector<NumberEdit*> edits;
  std::vector<OptionGroupView*> options;
  QLabel* file = new QLabel(&box);
  QTableWidget* table = new QTableWidget(&box);
  QLabel* totals = new QLabel(&box);
  QLabel* shares = new QLabel(&box);
  QLabel* made_up = WrappedLabel(ToQt(kMadeUpNote), &box);
  made_up->setStyleSheet("color: #a04000;");
  QLabel* notes = WrappedLabel(QString(), &box);
  notes->setStyleSheet("color: #a04000;");
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* chart_view = new QChartView(chart, &box);
  chart_view->setRenderHint(QPainter::Antialiasing);
  chart_view->setMinimumHeight(220);
  chart->setMargins(QMargins(4, 4, 4, 4));

  auto sync_chart = [&] {
    chart->removeAllSeries();
    // A removed axis is the caller's to delete.
    for (QAbstractAxis* axis : chart->axes()) {
      chart->removeAxis(axis);
      delete axis;
    }
    // No axes before there is something to show on them.
    if (backtest.CumulativeStake().empty()) return;
    // Steps a label's height apart at the least, amounts short: in 万円 from
    // ten thousand yen on.
    const int plot_height = std::max(60, chart_view->height() - 90);
    const int plot_width = std::max(120, chart_view->width() - 120);
    const AxisScale along = backtest.RoundScale(std::clamp(plot_width / 60, 2, 10));
    const AxisScale up = backtest.YenScale(std::clamp(plot_height / 40, 2, 8));
    const QString unit = ToQt("（" + up.unit_name + "）");
    auto* stake = new QLineSeries;
    stake->setName(ToQt("累計購入額") + unit);
    auto* returned = new QLineSeries;
    returned->setName(ToQt("累計払戻額") + unit);
    for (size_t i = 0; i < backtest.CumulativeStake().size(); ++i) {
      stake->append(static_cast<double>(i + 1), backtest.CumulativeStake()[i] / up.unit);
      returned->append(static_cast<double>(i + 1), backtest.CumulativeReturn()[i] / up.unit);
    }
    chart->addSeries(stake);
    chart->addSeries(returned);
    auto axis = [](const AxisScale& scale) {
      auto* a = new QValueAxis;
      a->setRange(0, scale.top);
      a->setTickType(QValueAxis::TicksDynamic);
      a->setTickAnchor(0);
      a->setTickInterval(scale.step);
      a->setLabelFormat("%g");
      return a;
    };
    QValueAxis* x = axis(along);
    QValueAxis* y = axis(up);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : {stake, returned}) {
      s->attachAxis(x);
      s->attachAxis(y);
    }
  };
  auto sync = [&] {
    for (NumberEdit* e : edits) e->Sync();
    for (OptionGroupView* o : options) o->Sync();
    file->setText(backtest.ConditionsFile().empty() ? ToQt("（未選択）")
                                                    : ToQt(backtest.ConditionsFile()));
    const auto& rows = backtest.Rows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
        auto* item = new QTableWidgetItem(ToQt(rows[r][c]));
        item->setTextAlignment(c == 1 || c == 4 || c == 6 ? Qt::AlignCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(r, c, item);
      }
    }
    QString lines;
    for (const std::string& l : backtest.Totals()) lines += ToQt(l) + "\n";
    totals->setText(lines.trimmed());
    QString share_lines = ToQt("当せんシングルが通過した割合：\n");
    for (const std::string& l : backtest.Shares()) share_lines += "  " + ToQt(l) + "\n";
    shares->setText(backtest.Shares().empty() ? QString() : share_lines.trimmed());
    made_up->setVisible(backtest.ShowsMadeUpRounds() || backtest.Rows().empty());
    QString note_lines;
    for (const std::string& l : backtest.Notes()) note_lines += ToQt(l) + "\n";
    notes->setText(note_lines.trimmed());
    notes->setVisible(!backtest.Notes().empty());
    sync_chart();
  };
  ActionRunner run = [&](const char* proc, const std::function<void()>& action) {
    SafeCall("frmBacktest", proc, action);
    sync();
  };

  auto* top = new QHBoxLayout;
  auto* strategy = new OptionGroupView(&backtest.StrategyOption(), run, &box);
  strategy->SetColumns(1);
  options.push_back(strategy);
  auto* strategy_box = new QVBoxLayout;
  strategy_box->addWidget(new QLabel(ToQt("戦略"), &box));
  strategy_box->addWidget(strategy);
  auto* file_row = new QHBoxLayout;
  auto* browse = new QPushButton(ToQt("参照(&R)..."), &box);
  file_row->addWidget(browse);
  file_row->addWidget(file, 1);
  strategy_box->addLayout(file_row);
  top->addLayout(strategy_box);
  auto* form = new QFormLayout;
  for (auto [caption, entry] : {std::pair<const char*, NumberEntry*>{"開始回", &backtest.From()},
                                std::pair<const char*, NumberEntry*>{"終了回", &backtest.To()}}) {
    auto* edit = new NumberEdit(entry, run, &box);
    edit->setMaximumWidth(70);
    edit->setToolTip(ToQt("0 は制限なし"));
    edits.push_back(edit);
    form->addRow(ToQt(caption), edit);
  }
  auto* groups = new OptionGroupView(&backtest.GroupOption(), run, &box);
  groups->SetColumns(3);
  options.push_back(groups);
  form->addRow(ToQt("組"), groups);
  auto* multi = new OptionGroupView(&backtest.MultiOption(), run, &box);
  multi->SetColumns(3);
  options.push_back(multi);
  form->addRow(ToQt("マルチ"), multi);
  auto* data = new OptionGroupView(&backtest.DataOption(), run, &box);
  data->SetColumns(2);
  options.push_back(data);
  form->addRow(ToQt("データ"), data);
  auto* probs = new OptionGroupView(&backtest.ProbabilityOption(), run, &box);
  probs->SetColumns(2);
  probs->setToolTip(
      ToQt("モデルから：各回をその回より前の試合で推定したモデルの確率で評価します"
           "（期待値・確率比の条件が働きます）"));
  options.push_back(probs);
  form->addRow(ToQt("自分の確率"), probs);
  top->addLayout(form, 1);
  auto* go = new QPushButton(ToQt("検証(&K)"), &box);
  top->addWidget(go, 0, Qt::AlignBottom);
  layout->addLayout(top);

  table->setColumnCount(static_cast<int>(frmBacktest::Columns().size()));
  QStringList headers;
  for (const std::string& c : frmBacktest::Columns()) headers << ToQt(c);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->setVisible(false);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->setToolTip(
      ToQt("ダブルクリック（または Enter）でその回を新しいドキュメントとして開きます"));
  table->setMinimumHeight(120);
  auto* split = new QSplitter(Qt::Vertical, &box);
  split->addWidget(table);
  split->addWidget(chart_view);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  auto* figures = new QHBoxLayout;
  figures->addWidget(totals, 0, Qt::AlignTop);
  figures->addWidget(shares, 1, Qt::AlignTop);
  layout->addLayout(figures);
  layout->addWidget(notes);
  layout->addWidget(made_up);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &box);
  close->button(QDialogButtonBox::Close)->setText(ToQt("閉じる(&C)"));
  bottom->addWidget(close);

  QObject::connect(browse, &QPushButton::clicked, &box,
                   [&] { run("cmdBrowse_Click", [&] { backtest.ChooseConditionsFile(); }); });
  QObject::connect(go, &QPushButton::clicked, &box,
                   [&] { run("cmdRun_Click", [&] { backtest.Run(); }); });
  // The round opens in the main window behind; this window stays for the
  // next row.  A double click or Enter on a row (which therefore is no
  // default button's key here) opens it.
  auto open_row = [&](int row) {
    SafeCall("frmBacktest", "lstRounds_DblClick", [&] { backtest.OpenRound(row); });
  };
  QObject::connect(table, &QTableWidget::cellActivated, &box, [&](int row, int) { open_row(row); });
  QObject::connect(close, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  sync();
  FitToScreen(box, 780, 840);
  box.exec();
}

}  // namespace zelvo
