#include "ui/qt/match_day_window_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmMatchDay";
// The share a cell's bar fills (0 to 1), and the bar's colour.
constexpr int kBarRole = Qt::UserRole;
constexpr int kBarColorRole = Qt::UserRole + 1;

// Draws a cell's bar under its text.
class BarDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QVariant share = index.data(kBarRole);
    if (share.isValid()) {
      QRect bar = option.rect.adjusted(2, 3, -2, -3);
      bar.setWidth(static_cast<int>(bar.width() * std::clamp(share.toDouble(), 0.0, 1.0)));
      painter->fillRect(bar, index.data(kBarColorRole).value<QColor>());
    }
    QStyledItemDelegate::paint(painter, option, index);
  }
};

QTableWidget* Table(const std::vector<std::string>& columns, QWidget* parent) {
  auto* t = new QTableWidget(0, static_cast<int>(columns.size()), parent);
  QStringList headers;
  for (const std::string& c : columns) headers << ToQt(c);
  t->setHorizontalHeaderLabels(headers);
  t->verticalHeader()->setVisible(false);
  t->verticalHeader()->setDefaultSectionSize(22);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  return t;
}

// The cell, made once and then only changed: the tables are refilled after
// every key typed.
QTableWidgetItem* Cell(QTableWidget* t, int row, int col) {
  QTableWidgetItem* item = t->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    t->setItem(row, col, item);
  }
  return item;
}

void SetCell(QTableWidget* t, int row, int col, const std::string& text, bool right = false) {
  QTableWidgetItem* item = Cell(t, row, col);
  const QString q = ToQt(text);
  if (item->text() != q) item->setText(q);
  item->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

// Columns `first_right` to `last_right` hold figures, aligned right.
void FillTable(QTableWidget* t, const std::vector<std::vector<std::string>>& rows, int first_right,
               int last_right) {
  t->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
      SetCell(t, r, c, rows[r][c], c >= first_right && c <= last_right);
    }
  }
}

QString LocalPath(const QUrl& url) { return url.isLocalFile() ? url.toLocalFile() : QString(); }

}  // namespace

MatchDayWindowView::MatchDayWindowView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAcceptDrops(true);
  const ActionRunner run = [this](const char* proc, const std::function<void()>& action) {
    Run(proc, action);
  };
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  // On a small screen the window scrolls rather than hide a control.
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  outer->addWidget(scroll);
  auto* content = new QWidget;
  scroll->setWidget(content);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(8, 8, 8, 8);

  auto* bought = new QHBoxLayout;
  documents_ = Table(frmMatchDay::DocumentColumns(), content);
  documents_->setMinimumHeight(90);
  documents_->setMaximumHeight(120);
  documents_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  documents_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  bought->addWidget(documents_, 1);
  auto* doc_buttons = new QVBoxLayout;
  auto button = [&](const char* caption, QWidget* parent, std::function<void()> action) {
    auto* b = new QPushButton(ToQt(caption), parent);
    connect(b, &QPushButton::clicked, this, [this, action] { Run("cmd_Click", action); });
    return b;
  };
  // Reading a document shows its wait box over the main window: this window
  // comes back to the front afterwards.
  doc_buttons->addWidget(button("文書を追加...", content, [this] {
    day_.AddFiles();
    ComeForward();
  }));
  same_folder_ = button("同じフォルダから追加", content, [this] {
    day_.AddSameFolder();
    ComeForward();
  });
  doc_buttons->addWidget(same_folder_);
  remove_ = button("削除", content, [this] { day_.RemoveDocument(documents_->currentRow()); });
  doc_buttons->addWidget(remove_);
  doc_buttons->addStretch();
  bought->addLayout(doc_buttons);
  layout->addLayout(bought);

  auto* matches = new QGroupBox(ToQt("試合"), content);
  auto* grid = new QGridLayout(matches);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  const char* headers[] = {"No", "対戦", "状況", "ホーム", "アウェイ", "分", "確率", "根拠"};
  for (int c = 0; c < 8; ++c) grid->addWidget(new QLabel(ToQt(headers[c]), matches), 0, c);
  for (int m = 0; m < kMatches; ++m) {
    const int row = m + 1;
    grid->addWidget(new QLabel(QString::number(m + 1), matches), row, 0);
    names_[m] = new QLabel(matches);
    names_[m]->setMinimumWidth(110);
    grid->addWidget(names_[m], row, 1);
    states_[m] = new ListCombo(&day_.State(m), run, matches);
    grid->addWidget(states_[m], row, 2);
    for (int side = 0; side < 2; ++side) {
      goals_[m][side] =
          new NumberEdit(side == 0 ? &day_.HomeGoals(m) : &day_.AwayGoals(m), run, matches);
      goals_[m][side]->setFixedWidth(40);
      grid->addWidget(goals_[m][side], row, 3 + side);
    }
    minutes_[m] = new NumberEdit(&day_.Minute(m), run, matches);
    minutes_[m]->setFixedWidth(44);
    grid->addWidget(minutes_[m], row, 5);
    chances_[m] = new QLabel(matches);
    chances_[m]->setMinimumWidth(170);
    grid->addWidget(chances_[m], row, 6);
    sources_[m] = new QLabel(matches);
    // A long source is cut at the window's edge rather than widen it; the
    // tip and the note under the figures tell it whole.
    sources_[m]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    sources_[m]->setMinimumWidth(80);
    grid->addWidget(sources_[m], row, 7);
  }
  grid->setColumnStretch(7, 1);
  auto* result_buttons = new QHBoxLayout;
  official_ = button("公式結果を使う", matches, [this] { day_.UseOfficialResult(); });
  result_buttons->addWidget(official_);
  result_buttons->addWidget(button("結果をクリア", matches, [this] { day_.ClearResults(); }));
  result_buttons->addStretch();
  grid->addLayout(result_buttons, kMatches + 1, 0, 1, 8);
  layout->addWidget(matches);

  summary_ = new QLabel(content);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(summary_);

  tabs_ = new QTabWidget(content);
  decisions_ = Table({"試合", "結果（確率）", "生存", "１等の確率", "期待値"}, tabs_);
  decisions_->setItemDelegate(new BarDelegate(decisions_));
  decisions_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  decisions_->setColumnWidth(1, 110);
  decisions_->setColumnWidth(2, 50);
  decisions_->setColumnWidth(3, 150);
  decisions_->setColumnWidth(4, 150);
  tabs_->addTab(decisions_, ToQt("残り試合の行方"));
  alive_ = Table(frmMatchDay::AliveColumns(), tabs_);
  alive_->horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);
  tabs_->addTab(alive_, ToQt("生存シングル"));
  tabs_->setMinimumHeight(200);
  layout->addWidget(tabs_, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(
      new QLabel(ToQt("文書やフォルダをこのウィンドウにドロップできます。"), content));
  bottom->addStretch();
  copy_ = button("クリップボードにコピー", content, [this] { day_.CopyReport(); });
  bottom->addWidget(copy_);
  bottom->addWidget(button("閉じる", content, [this] { close(); }));
  layout->addLayout(bottom);

  day_.on_changed = [this] { Sync(); };
  // The wanted size, or the screen's work area on a small screen.
  const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 960, 760);
  resize(std::min(960, area.width() - 20), std::min(760, area.height() - 40));
  Sync();
}

MatchDayWindowView::~MatchDayWindowView() {
  // The controller goes with this object, before Qt deletes the widgets
  // bound to its models.
  day_.on_changed = nullptr;
  UnbindModels(this);
}

void MatchDayWindowView::Run(const char* proc, const std::function<void()>& action) {
  SafeCall(kView, proc, action);
}

void MatchDayWindowView::ComeForward() {
  raise();
  activateWindow();
}

void MatchDayWindowView::Sync() {
  setWindowTitle(ToQt(day_.Title()));
  FillTable(documents_, day_.DocumentRows(), 1, 5);
  same_folder_->setEnabled(day_.SameFolderEnabled());
  remove_->setEnabled(day_.DocumentCount() > 0);
  official_->setEnabled(day_.OfficialAvailable());
  copy_->setEnabled(day_.DocumentCount() > 0);
  for (int m = 0; m < kMatches; ++m) {
    names_[m]->setText(ToQt(day_.MatchName(m)));
    states_[m]->Sync();
    for (NumberEdit* e : goals_[m]) {
      e->Sync();
      e->setEnabled(day_.GoalsEnabled(m));
    }
    minutes_[m]->Sync();
    minutes_[m]->setEnabled(day_.MinuteEnabled(m));
    chances_[m]->setText(ToQt(day_.ChanceText(m)));
    sources_[m]->setText(ToQt(day_.SourceText(m)));
    sources_[m]->setToolTip(ToQt(day_.SourceText(m)));
  }
  QStringList summary;
  for (const std::string& line : day_.SummaryLines()) summary << ToQt(line);
  summary_->setText(summary.join("\n"));

  const std::vector<frmMatchDay::DecisionRow> rows = day_.DecisionRows();
  decisions_->setRowCount(static_cast<int>(rows.size()));
  const QColor win_bar(0x9E, 0xC5, 0xFE), return_bar(0xA3, 0xD9, 0xA5), needed(0xFF, 0xE0, 0xE0);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const frmMatchDay::DecisionRow& d = rows[r];
    SetCell(decisions_, r, 0, d.first_of_match ? d.match : "");
    SetCell(decisions_, r, 1, d.outcome + (d.needed ? "　必要" : ""));
    SetCell(decisions_, r, 2, d.alive, true);
    SetCell(decisions_, r, 3, d.win, true);
    SetCell(decisions_, r, 4, d.expected, true);
    Cell(decisions_, r, 3)->setData(kBarRole, d.win_bar);
    Cell(decisions_, r, 3)->setData(kBarColorRole, win_bar);
    Cell(decisions_, r, 4)->setData(kBarRole, d.return_bar);
    Cell(decisions_, r, 4)->setData(kBarColorRole, return_bar);
    for (int c = 1; c < 5; ++c) {
      Cell(decisions_, r, c)->setBackground(d.needed ? QBrush(needed) : QBrush());
    }
  }
  FillTable(alive_, day_.AliveRows(), 1, 4);
}

void MatchDayWindowView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MatchDayWindowView::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    const QString path = LocalPath(url);
    if (!path.isEmpty()) paths.push_back(FromQt(path));
  }
  if (paths.empty()) return;
  event->acceptProposedAction();
  // Read once the drag has ended, as the main window does.
  QTimer::singleShot(0, this, [this, paths] {
    Run("Form_OLEDragDrop", [&] { day_.AddPaths(paths); });
    ComeForward();
  });
}

MatchDayWindowView* ShowMatchDayWindow(QWidget* parent) {
  auto* view = new MatchDayWindowView(parent);
  view->show();
  return view;
}

}  // namespace zelvo
