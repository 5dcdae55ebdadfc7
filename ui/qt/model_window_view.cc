#include "ui/qt/model_window_view.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"
#include "ui/qt/screen_fit.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmModelEvaluation";

// Predicted probability against how often it happened, per tenth: on the
// diagonal a forecast means what it says.
void SyncCalibrationChart(QChart* chart, const frmModelEvaluation& evaluation) {
  chart->removeAllSeries();
  // A removed axis is the caller's to delete.
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  // Both axes are probabilities from 0 to 1.
  auto axis = [](const char* title) {
    auto* a = new QValueAxis;
    a->setRange(0, 1);
    a->setTickCount(6);
    a->setMinorTickCount(1);
    a->setLabelFormat("%.1f");
    a->setTitleText(ToQt(title));
    return a;
  };
  QValueAxis* x = axis("予測した確率");
  QValueAxis* y = axis("実際に起きた割合");
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  auto attach = [&](QAbstractSeries* s) {
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  };
  auto* diagonal = new QLineSeries;
  diagonal->setName(ToQt("予測どおり"));
  diagonal->append(0, 0);
  diagonal->append(1, 1);
  QPen pen(QColor(0x90, 0x90, 0x90));
  pen.setStyle(Qt::DashLine);
  diagonal->setPen(pen);
  attach(diagonal);
  // The tenths with enough forecasts joined by a line; the others as
  // hollow dots, as what happened there says little.
  auto add_points = [&](const std::vector<frmModelEvaluation::CalibrationPoint>& points,
                        const char* name, QColor color) {
    if (points.empty()) return;
    auto* line = new QLineSeries;
    auto* dots = new QScatterSeries;
    auto* sparse = new QScatterSeries;
    line->setColor(color);
    dots->setColor(color);
    dots->setBorderColor(color);
    dots->setMarkerSize(8);
    dots->setName(ToQt(name));
    sparse->setColor(Qt::white);
    sparse->setBorderColor(color);
    sparse->setMarkerSize(8);
    sparse->setName(ToQt(std::string(name) + "（予測" +
                         std::to_string(frmModelEvaluation::kSparseBelow) + "件未満）"));
    for (const frmModelEvaluation::CalibrationPoint& p : points) {
      (p.sparse ? sparse : dots)->append(p.predicted, p.observed);
      if (!p.sparse) line->append(p.predicted, p.observed);
    }
    attach(line);
    attach(dots);
    attach(sparse);
    // One legend entry per kind of dot.
    chart->legend()->markers(line).front()->setVisible(false);
    if (sparse->count() == 0) chart->legend()->markers(sparse).front()->setVisible(false);
  };
  add_points(evaluation.ModelCalibration(), "モデル", QColor(0x1f, 0x5f, 0xbf));
  add_points(evaluation.PublicCalibration(), "投票率", QColor(0xd0, 0x60, 0x10));
}

}  // namespace

void RunModelEvaluationDialog(frmModelEvaluation& evaluation, QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(ToQt(frmModelEvaluation::kTitle));
  // The figures and the chart scroll on a small screen; the buttons stay.
  QVBoxLayout* bottom = nullptr;
  QVBoxLayout* layout = ScrolledBody(&box, &bottom);
  std::vector<NumberEdit*> edits;
  std::vector<CheckBoxView*> checks;
  auto* table = new QTableWidget(&box);
  table->setObjectName("tblScores");
  table->setAccessibleName(ToQt("予測の成績"));
  auto* lines = new QLabel(&box);
  lines->setWordWrap(true);
  lines->setObjectName("lblLines");
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  auto* chart_view = new QChartView(chart, &box);
  chart_view->setObjectName("chtCalibration");
  chart_view->setRenderHint(QPainter::Antialiasing);
  chart_view->setMinimumHeight(260);
  QPushButton* save = nullptr;

  auto sync = [&] {
    for (NumberEdit* e : edits) e->Sync();
    for (CheckBoxView* c : checks) c->Sync();
    const auto& rows = evaluation.ScoreRows();
    table->setRowCount(static_cast<int>(rows.size()));
    // As high as its rows (three before a run): the chart takes the rest.
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          std::max<int>(3, static_cast<int>(rows.size())) *
                              table->verticalHeader()->defaultSectionSize() +
                          4);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
        auto* item = new QTableWidgetItem(ToQt(rows[r][c]));
        item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                      : Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(r, c, item);
      }
    }
    QString text;
    for (const std::string& l : evaluation.Lines()) text += ToQt(l) + "\n";
    lines->setText(text.trimmed());
    save->setEnabled(evaluation.HasReport());
    SyncCalibrationChart(chart, evaluation);
  };
  ActionRunner run = [&](const char* proc, const std::function<void()>& action) {
    SafeCall(kView, proc, action);
    sync();
  };

  auto* top = new QHBoxLayout;
  auto* season = new NumberEdit(&evaluation.Season(), run, &box);
  season->setMaximumWidth(60);
  edits.push_back(season);
  top->addWidget(BuddyLabel("検証する年(&Y)", season, &box));
  top->addWidget(season);
  top->addSpacing(12);
  for (int league = 1; league <= 3; ++league) {
    auto* check = new CheckBoxView(&evaluation.League(league), run, &box);
    checks.push_back(check);
    top->addWidget(check);
  }
  top->addSpacing(12);
  auto* half_life = new NumberEdit(&evaluation.HalfLife(), run, &box);
  half_life->setMaximumWidth(60);
  edits.push_back(half_life);
  top->addWidget(BuddyLabel("半減期（日）(&L)", half_life, &box));
  top->addWidget(half_life);
  top->addStretch();
  auto* go = new QPushButton(ToQt("検証(&K)"), &box);
  go->setObjectName("cmdRun");
  go->setDefault(true);
  top->addWidget(go);
  layout->addLayout(top);
  auto* history = new QLabel(ToQt(evaluation.HistoryText()), &box);
  history->setWordWrap(true);
  layout->addWidget(history);
  auto* note = new QLabel(ToQt("その年の試合を、月の初めごとにそれより前の試合だけで推定し直した"
                               "モデルで予測し、結果と比べます（未来の結果は使いません）。"
                               "対数損失・RPS・ブライアスコアは小さいほど良い予測です。"),
                          &box);
  note->setWordWrap(true);
  layout->addWidget(note);

  table->setColumnCount(static_cast<int>(frmModelEvaluation::ScoreColumns().size()));
  QStringList headers;
  for (const std::string& c : frmModelEvaluation::ScoreColumns()) headers << ToQt(c);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->setVisible(false);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
  layout->addWidget(table);
  layout->addWidget(lines);
  layout->addWidget(chart_view, 1);

  auto* buttons = new QHBoxLayout;
  save = new QPushButton(ToQt("CSVに保存(&S)..."), &box);
  save->setObjectName("cmdSave");
  buttons->addWidget(save);
  buttons->addStretch();
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &box);
  close->button(QDialogButtonBox::Close)->setText(ToQt("閉じる(&C)"));
  buttons->addWidget(close);
  bottom->addLayout(buttons);

  QObject::connect(go, &QPushButton::clicked, &box,
                   [&] { run("cmdRun_Click", [&] { evaluation.Run(); }); });
  QObject::connect(save, &QPushButton::clicked, &box,
                   [&] { run("cmdSave_Click", [&] { evaluation.SaveCsv(); }); });
  QObject::connect(close, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  evaluation.on_changed = [&] { sync(); };
  sync();
  FitToScreen(box, 720, 720);
  box.exec();
  evaluation.on_changed = nullptr;
}

}  // namespace zelvo
