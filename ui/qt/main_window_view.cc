#include "ui/qt/main_window_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/qt/archive_windows_view.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/controls.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/grid_view.h"
#include "ui/qt/model_window_view.h"
#include "ui/qt/odds_window_view.h"
#include "ui/qt/own_probs_window_view.h"
#include "ui/qt/print_window_view.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"
#include "ui/qt/screen_fit.h"
#include "ui/qt/small_windows_view.h"
#include "ui/shortcuts.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmMain";

QLabel* Label(const char* text, QWidget* parent) { return new QLabel(ToQt(text), parent); }

QHBoxLayout* Row(QWidget* parent = nullptr) {
  auto* l = new QHBoxLayout(parent);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  return l;
}

QVBoxLayout* Column(QWidget* parent = nullptr) {
  auto* l = new QVBoxLayout(parent);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(4);
  return l;
}

// The local file of a drag, empty when it carries none.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

MainWindowView::MainWindowView(QWidget* parent)
    : QMainWindow(parent), main_(std::make_unique<frmMain>(this)) {
  main_->on_changed = [this] { RefreshAll(); };
  BuildMenus();
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  auto* layout = Column(central);
  layout->setContentsMargins(2, 2, 2, 0);
  page_bar_ = new QTabBar(central);
  for (Cmd c : {Cmd::kPageHome, Cmd::kPageMulti, Cmd::kPageSingle, Cmd::kPageCheck}) {
    QString caption = ToQt(main_->State(c).caption);
    page_bar_->addTab(caption.left(caption.indexOf('(')));
  }
  connect(page_bar_, &QTabBar::tabBarClicked, this, [this](int index) {
    static const Cmd kPages[] = {Cmd::kPageHome, Cmd::kPageMulti, Cmd::kPageSingle,
                                 Cmd::kPageCheck};
    if (index >= 0 && index < 4) Act("tabPage_Click", [&] { main_->Execute(kPages[index]); });
  });
  layout->addWidget(page_bar_);
  pages_ = new QStackedWidget(central);
  pages_->addWidget(BuildHomePage());
  pages_->addWidget(BuildMultiPage());
  pages_->addWidget(BuildSinglePage());
  pages_->addWidget(BuildCheckPage());
  layout->addWidget(pages_, 1);
  // Each page asks for its own room only.
  ShowStackPage(pages_, 0);
  // On a screen smaller than the form the form scrolls, so that every
  // control stays within reach.
  auto* scroll = new QScrollArea(this);
  scroller_ = scroll;
  scroll->setObjectName("formScroller");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(central);
  setCentralWidget(scroll);

  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);

  FitToScreen();
}

// The client area of 1005 x 655 holds the pages and the status bar; the
// menu bar comes on top of it.  On a screen narrower than 1024 pixels the
// window takes the work area's width instead, and it is never taller than
// the work area: the form scrolls within.
void MainWindowView::FitToScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect work = screen->availableGeometry();
  const QMargins frame = WindowFrameOf(this);
  // A window manager reports its frame a moment after the showing.
  if (isVisible() && windowHandle() && windowHandle()->frameMargins().isNull() && fit_tries_ < 20) {
    ++fit_tries_;
    QTimer::singleShot(25, this, [this] { FitToScreen(); });
  }
  int width = frmMain::kClientWidth;
  if (work.width() < 1024) width = work.width() - frame.left() - frame.right();
  int height = frmMain::kClientHeight + menuBar()->sizeHint().height();
  height = std::min(height, work.height() - frame.top() - frame.bottom());
  resize(width, height);
  if (isVisible()) FitWindowToScreen(this);
}

MainWindowView::~MainWindowView() {
  main_->on_changed = nullptr;
  main_->Log().on_progress = nullptr;
  main_->MatchTable().Graph().on_changed = nullptr;
  for (KouseiWindowView* v : kousei_views_) {
    v->on_closed = nullptr;
    delete v;
  }
  // The widgets unbind themselves from the controller's models: they must go
  // before the controller does, not with the QWidget base after it.
  delete batch_.data();
  delete takeCentralWidget();
}

void MainWindowView::Load() {
  SafeCall(kView, "Form_Load", [this] { main_->Load(); });
  loaded_ = true;
  RefreshAll();
  // The remembered round is selected, so that typing replaces it.
  round_edit_->setFocus(Qt::OtherFocusReason);
  round_edit_->setSelection(0, 4);
}

void MainWindowView::Act(const char* proc, const std::function<void()>& action) {
  SafeCall(kView, proc, action);
  // What the user changed is one undo step; typing in a box becomes one when
  // the box is left, not per key.
  if (std::string(proc) != "NumberEdit_Change") {
    SafeCall(kView, proc, [this] { main_->CommitEdits(); });
  }
  RefreshAll();
}

// ---------------------------------------------------------------- building

void MainWindowView::BuildMenus() {
  std::function<void(QMenu*, const MenuNode&)> fill = [&](QMenu* menu, const MenuNode& node) {
    for (const MenuNode& child : node.children) {
      if (child.separator()) {
        menu->addSeparator();
      } else if (!child.children.empty()) {
        QMenu* sub = menu->addMenu(ToQt(ShownCaption(child.cmd, main_->State(child.cmd).caption)));
        menus_[child.cmd] = sub;
        fill(sub, child);
      } else {
        QAction* a =
            menu->addAction(ToQt(ShownCaption(child.cmd, main_->State(child.cmd).caption)));
        const Cmd cmd = child.cmd;
        if (const char* keys = ShortcutOf(cmd)) a->setShortcut(QKeySequence(keys));
        connect(a, &QAction::triggered, this, [this, cmd] {
          if (cmd == Cmd::kExit) {
            close();
            return;
          }
          Act("mnu_Click", [&] { main_->Execute(cmd); });
        });
        actions_[cmd] = a;
      }
    }
  };
  for (const MenuNode& top : main_->MenuBar()) {
    QMenu* menu = menuBar()->addMenu(ToQt(main_->State(top.cmd).caption));
    menus_[top.cmd] = menu;
    fill(menu, top);
    // The entries' states are those of the moment the menu opens.
    connect(menu, &QMenu::aboutToShow, this, [this] { RefreshAll(); });
  }
  // The run buttons' keys: actions of the window, enabled with the buttons.
  for (Cmd cmd : {Cmd::kRun, Cmd::kStop}) {
    auto* key = new QAction(this);
    key->setShortcut(QKeySequence(ShortcutOf(cmd)));
    connect(key, &QAction::triggered, this,
            [this, cmd] { Act("cmdRun_Click", [&] { main_->Execute(cmd); }); });
    addAction(key);
    actions_[cmd] = key;
  }
}

QPushButton* MainWindowView::Button(Cmd cmd, QWidget* parent) {
  auto* b = new QPushButton(ToQt(ShownCaption(cmd, main_->State(cmd).caption)), parent);
  connect(b, &QPushButton::clicked, this, [this, cmd] {
    Act("cmd_Click", [&] { main_->Execute(cmd); });
  });
  if (const char* keys = ShortcutOf(cmd)) {
    b->setToolTip(QKeySequence(keys).toString(QKeySequence::NativeText));
    // A key of its own where no menu entry or window action carries it: the
    // paging arrows, each live only while its page is shown.
    if (!FindMenuNode(main_->MenuBar(), cmd) && cmd != Cmd::kRun && cmd != Cmd::kStop) {
      b->setShortcut(QKeySequence(keys));
    }
  }
  buttons_[cmd] = b;
  return b;
}

NumberEdit* MainWindowView::Edit(NumberEntry* entry, QWidget* parent, int width) {
  auto* e = new NumberEdit(
      entry, [this](const char* proc, const std::function<void()>& a) { Act(proc, a); }, parent);
  e->setFixedWidth(width);
  edits_.push_back(e);
  return e;
}

CheckBoxView* MainWindowView::Check(CheckBox* box, QWidget* parent) {
  auto* c = new CheckBoxView(
      box, [this](const char* proc, const std::function<void()>& a) { Act(proc, a); }, parent);
  checks_.push_back(c);
  return c;
}

OptionGroupView* MainWindowView::Options(OptionGroup* group, QWidget* parent) {
  auto* o = new OptionGroupView(
      group, [this](const char* proc, const std::function<void()>& a) { Act(proc, a); }, parent);
  options_.push_back(o);
  return o;
}

GridView* MainWindowView::View(Grid* grid, QWidget* parent, const char* name) {
  // The panel's own name, where it gives one, is what a screen reader reads.
  if (grid->name.empty()) grid->name = name;
  auto* v = new GridView(grid, parent);
  v->on_click = [this](const GridClick&) {
    SafeCall(kView, "pic_Click", [this] { main_->CommitEdits(); });
    RefreshAll();
  };
  return v;
}

QWidget* MainWindowView::BuildHomePage() {
  auto* page = new QWidget;
  auto* layout = Column(page);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(10);
  auto run = [this](const char* proc, const std::function<void()>& a) { Act(proc, a); };

  auto* round_box = new QGroupBox(ToQt("開催回"), page);
  auto* round_row = Row(round_box);
  round_row->setContentsMargins(8, 8, 8, 8);
  round_row->addWidget(Label("第", round_box));
  NumberEdit* round = Edit(&main_->Round().RoundEntry(), round_box, 60);
  round->setObjectName("txtKaisaikai");
  round_edit_ = round;
  // Enter takes the typed round: one whose schedule is not cached yet is
  // fetched as the 開催情報 button would.
  round->on_enter = [this] {
    SafeCall("frmMain", "txtKaisaikai_KeyPress", [this] { main_->RoundEntered(); });
  };
  round_row->addWidget(round);
  round_row->addWidget(new UpDown(&main_->Round().RoundEntry(), run, round_box));
  round_row->addWidget(Label("回", round_box));
  group_combo_ = new ListCombo(&main_->Round().GroupList(), run, round_box);
  round_row->addWidget(group_combo_);
  round_row->addStretch();
  layout->addWidget(round_box);

  auto* sale = new QGroupBox(ToQt("開催情報"), page);
  sale_panel_ = sale;
  auto* sale_grid = new QGridLayout(sale);
  sale_start_ = new QLabel(sale);
  sale_end_ = new QLabel(sale);
  sale_result_ = new QLabel(sale);
  sale_status_ = new QLabel(sale);
  QFont bold = sale_status_->font();
  bold.setBold(true);
  sale_status_->setFont(bold);
  sale_grid->addWidget(Label("販売開始", sale), 0, 0);
  sale_grid->addWidget(sale_start_, 0, 1);
  sale_grid->addWidget(Label("販売終了", sale), 1, 0);
  sale_grid->addWidget(sale_end_, 1, 1);
  sale_grid->addWidget(Label("結果発表", sale), 2, 0);
  sale_grid->addWidget(sale_result_, 2, 1);
  sale_grid->addWidget(sale_status_, 3, 0, 1, 2);
  sale_grid->setColumnStretch(1, 1);
  layout->addWidget(sale);

  auto* official = new QGroupBox(ToQt("オフィシャルサイトよりダウンロード"), page);
  auto* official_row = Row(official);
  official_row->setContentsMargins(8, 8, 8, 8);
  for (Cmd c : {Cmd::kDownloadSchedule, Cmd::kDownloadVote, Cmd::kDownloadResult}) {
    official_row->addWidget(Button(c, official));
  }
  official_row->addSpacing(16);
  official_row->addWidget(Check(&main_->DownloadConfirm(), official));
  official_row->addStretch();
  layout->addWidget(official);

  auto* lower = Row();
  auto* user = new QGroupBox(ToQt("ユーザー定義"), page);
  auto* user_row = Row(user);
  user_row->setContentsMargins(8, 8, 8, 8);
  user_row->addWidget(Button(Cmd::kUserVoteButton, user));
  user_row->addWidget(Button(Cmd::kUserTeamsButton, user));
  lower->addWidget(user);
  auto* maker = new QGroupBox(ToQt("Pendralcoveよりダウンロード"), page);
  auto* maker_row = Row(maker);
  maker_row->setContentsMargins(8, 8, 8, 8);
  maker_row->addWidget(Button(Cmd::kMakerTeams, maker));
  maker_row->addWidget(Button(Cmd::kMakerTeamsRestore, maker));
  lower->addWidget(maker);
  lower->addStretch();
  layout->addLayout(lower);

  auto* link = new QLabel("<a href=\"#\">" + ToQt(main_->State(Cmd::kSaleSchedule).caption) + "</a>",
                          page);
  connect(link, &QLabel::linkActivated, this,
          [this] { Act("lblSchedule_Click", [&] { main_->Execute(Cmd::kSaleSchedule); }); });
  layout->addWidget(link);
  layout->addStretch();
  return page;
}

QWidget* MainWindowView::BuildMultiPage() {
  auto* page = new QWidget;
  auto* layout = Column(page);
  layout->setContentsMargins(2, 4, 2, 2);

  // The match table with the vote grid laid over its vote column.
  auto* top = Row();
  GridView* match_view = View(&main_->MatchTable().MatchGrid(), page, "試合");
  match_view->setObjectName("picGame");
  vote_view_ = View(&main_->MatchTable().VoteGrid(), match_view, "投票率");
  vote_view_->move(clsTGame::kDateWidth + clsTGame::kLeagueWidth + clsTGame::kNoWidth +
                       2 * clsTGame::kTeamWidth,
                   clsTGame::kHeaderHeight);
  vote_view_->overlay = [this](QPainter& p) {
    PaintVoteBars(p, *vote_view_, main_->MatchTable().Graph());
  };
  main_->MatchTable().Graph().on_changed = [this] { vote_view_->update(); };
  top->addWidget(match_view, 0, Qt::AlignTop);
  multi_view_ = View(&main_->MultiGrid(), page, "マルチ");
  multi_view_->setObjectName("picMulti");
  top->addWidget(multi_view_, 0, Qt::AlignTop);
  top->addWidget(View(&main_->CountGrid(), page, "シングル数"), 0, Qt::AlignTop);
  top->addWidget(View(&main_->MeisaiGrid(), page, "削減明細"), 0, Qt::AlignTop);
  top->addStretch();
  auto* run_column = Column();
  QPushButton* run = Button(Cmd::kRun, page);
  run->setObjectName("cmdRun");
  QPushButton* stop = Button(Cmd::kStop, page);
  stop->setObjectName("cmdCancel");
  QPushButton* own = Button(Cmd::kOwnProbsButton, page);
  own->setObjectName("cmdOwnProbs");
  for (QPushButton* b : {run, stop, own}) {
    b->setFixedSize(76, 34);
    run_column->addWidget(b);
  }
  run_column->addStretch();
  top->addLayout(run_column);
  layout->addLayout(top);
  own_chances_ = new QLabel(page);
  own_chances_->setObjectName("lblOwnChances");
  layout->addWidget(own_chances_);

  auto* middle = Row();
  auto* left = Column();
  condition_tabs_ = new QTabWidget(page);
  condition_tabs_->addTab(BuildMoneyTab(), ToQt("金額"));
  condition_tabs_->addTab(BuildCountTab(1), ToQt("本命"));
  condition_tabs_->addTab(BuildCountTab(2), ToQt("人気"));
  condition_tabs_->addTab(BuildCountTab(3), ToQt("勝敗"));
  condition_tabs_->addTab(BuildMachigaiTab(), ToQt("補正"));
  connect(condition_tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (!refreshing_) Act("tabJouken_Click", [&] { main_->SelectConditionTab(index); });
  });
  left->addWidget(condition_tabs_);
  log_list_ = new QListWidget(page);
  log_list_->setObjectName("lstMessage");
  QFont mono(QStringList{"Noto Sans Mono CJK JP", "MS Gothic", "Monospace"}, 9);
  log_list_->setFont(mono);
  left->addWidget(log_list_, 1);
  progress_ = new ProgressView(page);
  main_->Log().on_progress = [this](int value, int max) { progress_->SetValue(value, max); };
  left->addWidget(progress_);
  middle->addLayout(left, 1);

  auto* right = Column();
  auto* engine_tabs = new QTabWidget(page);
  engine_tabs->addTab(BuildEnginePanel(), ToQt("抽出圧縮"));
  right->addWidget(engine_tabs);
  right->addStretch();
  middle->addLayout(right);
  layout->addLayout(middle, 1);
  return page;
}

QWidget* MainWindowView::BuildMoneyTab() {
  auto* tab = new QWidget;
  auto* layout = Column(tab);
  layout->setContentsMargins(8, 8, 8, 8);
  for (int g = 1; g <= 3; ++g) {
    auto* row_widget = new QWidget(tab);
    auto* row = Row(row_widget);
    row->addWidget(Check(&main_->MoneyCheck(g), row_widget));
    NumberEdit* min = Edit(&main_->MoneyMin(g), row_widget, 110);
    NumberEdit* max = Edit(&main_->MoneyMax(g), row_widget, 110);
    for (NumberEdit* e : {min, max}) {
      // The panel tags its fields when it binds them, after this view is built.
      NumberEntry* entry = e->entry();
      e->on_right_click = [this, entry] { main_->Joken().MoneyRightClick(entry->tag); };
    }
    row->addWidget(min);
    row->addWidget(Label("円以上", row_widget));
    row->addWidget(max);
    row->addWidget(Label("円以下", row_widget));
    row->addStretch();
    money_rows_.push_back(row_widget);
    layout->addWidget(row_widget);
  }
  auto* value_row = Row();
  value_row->addWidget(Check(&main_->ValueCheck(), tab));
  OptionGroupView* value_kind = Options(&main_->ValueKind(), tab);
  value_kind->SetColumns(2);
  value_row->addWidget(value_kind);
  value_row->addStretch();
  layout->addLayout(value_row);
  auto* range_row = Row();
  range_row->addSpacing(20);
  range_row->addWidget(Edit(&main_->ValueMin(), tab, 70));
  range_row->addWidget(Label("以上", tab));
  range_row->addWidget(Edit(&main_->ValueMax(), tab, 70));
  range_row->addWidget(Label("以下（0は上限なし）", tab));
  range_row->addStretch();
  layout->addLayout(range_row);
  layout->addSpacing(8);
  for (const char* note : kHaitouNotes) layout->addWidget(Label(note, tab));
  layout->addStretch();
  return tab;
}

QWidget* MainWindowView::BuildCountTab(int kind) {
  CountConditionModels& m = main_->CountCondition(kind);
  auto* tab = new QWidget;
  auto* layout = Column(tab);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(View(&m.tab, tab, "条件グループ"));
  auto* targets = Row();
  targets->addWidget(View(&m.match, tab, "対象試合"));
  targets->addWidget(View(&m.outcome, tab, "対象勝敗"));
  targets->addWidget(Check(&m.group_check, tab));
  targets->addStretch();
  layout->addLayout(targets);
  layout->addWidget(View(&m.count, tab, "条件の数"));
  layout->addStretch();
  return tab;
}

QWidget* MainWindowView::BuildMachigaiTab() {
  auto* tab = new QWidget;
  auto* layout = Column(tab);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* inner = new QTabWidget(tab);
  auto* page = new QWidget;
  auto* l = Column(page);
  l->setContentsMargins(6, 6, 6, 6);
  l->addWidget(Options(&main_->MachigaiType(), page));
  l->addWidget(View(&main_->MachigaiGrid(), page, "間違補正"));
  for (const char* note : kMachigaiNotes) l->addWidget(Label(note, page));
  l->addStretch();
  inner->addTab(page, ToQt("間違補正"));
  layout->addWidget(inner);
  return tab;
}

QWidget* MainWindowView::BuildEnginePanel() {
  auto* panel = new QWidget;
  auto* layout = Column(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  OptionGroupView* engines = Options(&main_->EngineOption(), panel);
  engines->SetColumns(2, true);
  layout->addWidget(engines);

  engine_frames_ = new QStackedWidget(panel);
  engine_frames_->addWidget(new QWidget);
  auto field_row = [this](QWidget* parent, QGridLayout* grid, int row, int field, const char* label,
                          int col = 0) {
    NumberEntry* entry = &main_->Sakugen().Field(field);
    grid->addWidget(Edit(entry, parent, 56), row, col);
    grid->addWidget(
        new UpDown(
            entry, [this](const char* p, const std::function<void()>& a) { Act(p, a); }, parent),
        row, col + 1);
    grid->addWidget(Label(label, parent), row, col + 2);
  };
  auto* trial = new QGroupBox(ToQt("試行検索エンジン"));
  auto* trial_grid = new QGridLayout(trial);
  trial_grid->setContentsMargins(6, 4, 6, 4);
  trial_grid->setVerticalSpacing(2);
  // Two fields a row: the page keeps its height with this engine chosen.
  field_row(trial, trial_grid, 0, kFieldBeginCount, kLabelBeginCount);
  field_row(trial, trial_grid, 0, kFieldEndCount, kLabelEndCount, 3);
  field_row(trial, trial_grid, 1, kFieldEndTime, kLabelEndTime);
  trial_grid->addWidget(Label(kLabelEndTimeNote, trial), 1, 3, 1, 3);
  auto* widen = Row();
  widen->addWidget(Check(&main_->ExGrade2(), trial));
  widen->addWidget(Check(&main_->ExGrade3(), trial));
  widen->addStretch();
  trial_grid->addLayout(widen, 2, 0, 1, 6);
  trial_grid->setColumnStretch(5, 1);
  engine_frames_->addWidget(trial);
  auto* count = new QGroupBox(ToQt("口数最適化エンジン"));
  auto* count_grid = new QGridLayout(count);
  count_grid->setContentsMargins(6, 4, 6, 4);
  field_row(count, count_grid, 0, kFieldSeBeginCount, kLabelSeBeginCount);
  field_row(count, count_grid, 1, kFieldSeEndTime, kLabelSeEndTime);
  count_grid->setColumnStretch(2, 1);
  count_grid->setRowStretch(2, 1);
  engine_frames_->addWidget(count);
  ShowStackPage(engine_frames_, 0);
  layout->addWidget(engine_frames_);

  auto* extraction = new QGroupBox(ToQt("抽出"));
  auto* ex = new QGridLayout(extraction);
  ex->setContentsMargins(6, 4, 6, 4);
  ex->setVerticalSpacing(2);
  ex->addWidget(Check(&main_->Chushutsu(), extraction), 0, 0);
  NumberEntry* amount = &main_->Sakugen().Field(kFieldExtraction);
  auto* amount_row = Row();
  amount_row->addWidget(Edit(amount, extraction, 56));
  amount_row->addWidget(new UpDown(
      amount, [this](const char* p, const std::function<void()>& a) { Act(p, a); }, extraction));
  amount_row->addWidget(Label("口を抽出", extraction));
  amount_row->addStretch();
  ex->addLayout(amount_row, 0, 1);
  OptionGroupView* kinds = Options(&main_->ChushutsuType(), extraction);
  kinds->SetColumns(2);
  ex->addWidget(kinds, 1, 0, 1, 2);
  ex->addWidget(Label(kExtractionNote, extraction), 2, 0, 1, 2);
  layout->addWidget(extraction);
  return panel;
}

QWidget* MainWindowView::BuildSinglePage() {
  clsTSingle& single = main_->SingleList();
  auto* page = new QWidget;
  auto* layout = Column(page);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(6);

  auto* bar = Row();
  bar->addWidget(Label("シングル数", page));
  single_count_ = new QLabel(page);
  single_count_->setMinimumWidth(70);
  bar->addWidget(single_count_);
  bar->addWidget(Button(Cmd::kPreviousPage, page));
  single_page_ = new QLabel(page);
  single_page_->setAlignment(Qt::AlignCenter);
  single_page_->setMinimumWidth(80);
  bar->addWidget(single_page_);
  bar->addWidget(Button(Cmd::kNextPage, page));
  bar->addStretch();
  bar->addWidget(Button(Cmd::kAddSingleButton, page));
  bar->addWidget(Button(Cmd::kDeleteSinglesButton, page));
  bar->addWidget(Button(Cmd::kSortButton, page));
  bar->addWidget(Check(&main_->EditLockBox(), page));
  layout->addLayout(bar);

  // The slots' numbers over the marks, the match header beside them and the
  // figures under them, all on one column grid so that the slots line up.
  auto* body = Row();
  auto* sheet = Column();
  sheet->setSpacing(0);
  auto* numbers = Row();
  numbers->setSpacing(0);
  numbers->addSpacing(clsTSingleList::kHeaderWidth);
  numbers->addWidget(View(&single.NumberGrid(), page, "シングル番号"));
  numbers->addStretch();
  sheet->addLayout(numbers);
  auto* marks = Row();
  marks->setSpacing(0);
  marks->addWidget(View(&single.Game().grid(), page, "シングルの試合"), 0, Qt::AlignTop);
  single_marks_view_ = View(&single.Draw().grid(), page, "シングル");
  single_marks_view_->setObjectName("picSingle");
  marks->addWidget(single_marks_view_, 0, Qt::AlignTop);
  marks->addStretch();
  sheet->addLayout(marks);
  sheet->addSpacing(6);
  sheet->addWidget(View(&single.List().grid(), page, "シングルの推定金額"), 0, Qt::AlignLeft);
  sheet->addSpacing(10);
  sheet->addWidget(Label("シングル構成", page));
  sheet->addSpacing(2);
  sheet->addWidget(View(&single.CountGrid(), page, "シングル構成"), 0, Qt::AlignLeft);
  sheet->addStretch();
  body->addLayout(sheet);
  body->addStretch();
  layout->addLayout(body);
  layout->addStretch();
  return page;
}

QWidget* MainWindowView::BuildCheckPage() {
  clsTResult& result = main_->ResultCheck();
  auto* page = new QWidget;
  auto* layout = Column(page);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(8);

  auto* top = Row();
  auto* marks = Column();
  marks->addWidget(Label("くじ結果", page));
  marks->addWidget(View(&result.MultiResult().grid(), page, "くじ結果"));
  marks->addStretch();
  top->addLayout(marks);
  auto* counts_box = new QWidget(page);
  result_counts_ = counts_box;
  auto* counts = Column(counts_box);
  counts->addWidget(Label("シングル構成", counts_box));
  counts->addWidget(View(&main_->ResultCount().grid(), counts_box, "結果のシングル構成"));
  counts->addStretch();
  top->addWidget(counts_box);
  auto* grades = Column();
  grades->addWidget(Label("当せん状況", page));
  grades->addWidget(View(&result.ResultGrade().grid(), page, "当せん状況"));
  grades->addStretch();
  top->addLayout(grades);
  auto* prize = Column();
  prize->addWidget(Label("確定当せん金", page));
  prize->addWidget(View(&result.Kakutei().grid(), page, "確定当せん金"));
  prize->addStretch();
  top->addLayout(prize);
  top->addStretch();
  layout->addLayout(top);

  auto* controls = Row();
  controls->addWidget(Check(&main_->ResultAll(), page));
  controls->addWidget(Button(Cmd::kShowAllResults, page));
  controls->addWidget(Button(Cmd::kShowNextResult, page));
  controls->addWidget(Button(Cmd::kSortByHits, page));
  controls->addWidget(Button(Cmd::kMatchDayButton, page));
  controls->addStretch();
  layout->addLayout(controls);

  auto* list_bar = Row();
  list_bar->addWidget(Label("シングル数", page));
  result_count_ = new QLabel(page);
  result_count_->setMinimumWidth(70);
  list_bar->addWidget(result_count_);
  list_bar->addWidget(Button(Cmd::kResultPreviousPage, page));
  result_page_ = new QLabel(page);
  result_page_->setMinimumWidth(80);
  result_page_->setAlignment(Qt::AlignCenter);
  list_bar->addWidget(result_page_);
  list_bar->addWidget(Button(Cmd::kResultNextPage, page));
  list_bar->addSpacing(16);
  static const char* const kLegend[] = {"的中", "中止", "はずれ", "当せん"};
  for (int i = 0; i < 4; ++i) {
    auto* swatch = new QLabel(page);
    swatch->setFixedSize(14, 14);
    swatch->setStyleSheet(QString("background: %1; border: 1px solid #888;")
                              .arg(ToQColor(clsTResultGrid::SetColorImage()[i]).name()));
    list_bar->addWidget(swatch);
    list_bar->addWidget(Label(kLegend[i], page));
  }
  list_bar->addStretch();
  layout->addLayout(list_bar);
  auto* sheet = Column();
  sheet->setSpacing(0);
  sheet->addWidget(View(&result.ResultGrid().header(), page, "チェックの見出し"));
  sheet->addWidget(View(&result.ResultGrid().grid(), page, "チェック"));
  layout->addLayout(sheet);
  layout->addStretch();
  return page;
}

// ---------------------------------------------------------------- showing the state

void MainWindowView::SyncLog() {
  SyncListLines(log_list_, main_->Log().Lines());
  const int n = log_list_->count();
  const int selected = main_->LogSelection();
  if (selected >= 0 && selected < n) {
    log_list_->setCurrentRow(selected);
  } else if (selected < 0) {
    log_list_->clearSelection();
    // During a run the list follows its newest line.
    if (!main_->IsIdle() && n > 0) log_list_->scrollToBottom();
  }
  progress_->SetValue(main_->Log().ProgressValue(), main_->Log().ProgressMax());
}

void MainWindowView::RefreshAll() {
  if (refreshing_ || !loaded_) return;
  refreshing_ = true;
  SafeCall(kView, "Refresh", [this] {
    frmMain& m = *main_;
    QString title = ToQt(m.Title());
    if (windowTitle() != title) setWindowTitle(title);
    status_->setText(ToQt(m.StatusText()));
    if (page_bar_->currentIndex() != m.CurrentPage()) page_bar_->setCurrentIndex(m.CurrentPage());
    if (pages_->currentIndex() != m.CurrentPage()) {
      ShowStackPage(pages_, m.CurrentPage());
      // A page shown anew starts at its top left, whatever the last one
      // was scrolled to.
      scroller_->horizontalScrollBar()->setValue(0);
      scroller_->verticalScrollBar()->setValue(0);
    }

    for (auto& [cmd, action] : actions_) {
      ActionState s = m.State(cmd);
      // Only the recent files' entries change their text.
      if (cmd >= Cmd::kRecent1 && cmd <= Cmd::kRecent8) action->setText(ToQt(s.caption));
      action->setEnabled(s.enabled);
      action->setVisible(s.visible);
      const bool checkable = cmd == Cmd::kPercent || cmd == Cmd::kSortAscending ||
                             (cmd >= Cmd::kPageHome && cmd <= Cmd::kPageCheck);
      action->setCheckable(checkable);
      if (checkable) action->setChecked(s.checked);
    }
    for (auto& [cmd, menu] : menus_) menu->setEnabled(m.State(cmd).enabled);
    for (auto& [cmd, button] : buttons_) {
      ActionState s = m.State(cmd);
      QString caption = ToQt(ShownCaption(cmd, s.caption));
      if (button->text() != caption) button->setText(caption);
      button->setEnabled(s.enabled);
      button->setVisible(s.visible);
    }
    for (NumberEdit* e : edits_) e->Sync();
    for (CheckBoxView* c : checks_) c->Sync();
    for (OptionGroupView* o : options_) o->Sync();
    group_combo_->Sync();

    const SaleStatusView& sale = m.SaleStatus();
    sale_panel_->setVisible(sale.visible);
    sale_start_->setText(ToQt(sale.sale_start));
    sale_end_->setText(ToQt(sale.sale_end));
    sale_result_->setText(ToQt(sale.result));
    sale_status_->setText(ToQt(sale.status));

    condition_tabs_->setCurrentIndex(m.ConditionTab());
    ShowStackPage(engine_frames_, m.EngineFrame());
    for (int g = 2; g <= 3; ++g) money_rows_[g - 1]->setVisible(m.MoneyCheck(g).visible);
    const QString own = ToQt(m.OwnChancesText());
    own_chances_->setText(own);
    own_chances_->setVisible(!own.isEmpty());
    SyncLog();

    single_count_->setText(ToQt(m.SingleList().SingleCountLabel()));
    single_page_->setText(ToQt(m.SingleList().PageLabel()));
    result_count_->setText(ToQt(m.ResultCheck().SingleCountLabel()));
    result_page_->setText(ToQt(m.ResultCheck().PageLabel()));
    result_counts_->setVisible(m.ResultCount().grid().Visible());
  });
  refreshing_ = false;
}

// ---------------------------------------------------------------- the host

bool MainWindowView::RunItemDialog(frmJouken& dialog) { return RunItemDialogView(dialog, this); }

void MainWindowView::ShowKouseiBunseki(frmKouseiBunseki& window) {
  auto* view = new KouseiWindowView(window, this);
  view->on_closed = [this](frmKouseiBunseki* model) {
    kousei_views_.erase(std::remove_if(kousei_views_.begin(), kousei_views_.end(),
                                       [model](KouseiWindowView* v) { return v->model() == model; }),
                        kousei_views_.end());
    main_->KouseiWindowClosed(model);
  };
  kousei_views_.push_back(view);
  view->move(mapToGlobal(QPoint(width() - view->width() - 40, 120 + 24 * static_cast<int>(kousei_views_.size()))));
  view->show();
}

void MainWindowView::ShowAnalysis(frmAnalysis& analysis) { RunAnalysisView(analysis, this); }

bool MainWindowView::RunOdds(frmOdds& odds) { return RunOddsDialog(odds, this); }
bool MainWindowView::RunOwnProbs(frmOwnProbs& window) { return RunOwnProbsDialog(window, this); }

void MainWindowView::RunPrint(frmPrint& print) { RunPrintDialog(print, this); }

bool MainWindowView::RunTeamName(frmTeamName& dialog) { return RunTeamNameDialog(dialog, this); }
bool MainWindowView::RunTeamNames(frmTeamNames& dialog) { return RunTeamNamesDialog(dialog, this); }

void MainWindowView::ShowBatch(BatchTarget& target) {
  // One batch window at a time: a second "連続実行" brings it forward.
  if (!batch_) batch_ = ShowBatchWindow(target, this);
  batch_->show();
  batch_->raise();
  batch_->activateWindow();
}

void MainWindowView::ShowAbout() { RunAboutDialog(this); }

void MainWindowView::RunArchive(frmArchive& archive) { RunArchiveDialog(archive, this); }

void MainWindowView::RunBacktest(frmBacktest& backtest) { RunBacktestDialog(backtest, this); }

void MainWindowView::ShowMatchDay(const DocumentRecord* doc, const std::string& path) {
  // One match-day window: asked again, it takes the open document too.
  if (!match_day_) match_day_ = ShowMatchDayWindow(this);
  if (doc && !match_day_->controller().Holds(path)) {
    match_day_->controller().AddOpenDocument(*doc, path);
  }
  match_day_->show();
  match_day_->raise();
  match_day_->activateWindow();
}

void MainWindowView::RunModelEvaluation(frmModelEvaluation& evaluation) {
  RunModelEvaluationDialog(evaluation, this);
}

void MainWindowView::CloseKouseiBunseki(frmKouseiBunseki& window) {
  for (auto it = kousei_views_.begin(); it != kousei_views_.end(); ++it) {
    if ((*it)->model() == &window) {
      KouseiWindowView* v = *it;
      kousei_views_.erase(it);
      v->on_closed = nullptr;
      v->CloseFromController();
      return;
    }
  }
}

QAction* MainWindowView::ActionOf(Cmd cmd) const {
  auto it = actions_.find(cmd);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindowView::MenuOf(Cmd cmd) const {
  auto it = menus_.find(cmd);
  return it == menus_.end() ? nullptr : it->second;
}

QPushButton* MainWindowView::ButtonOf(Cmd cmd) const {
  auto it = buttons_.find(cmd);
  return it == buttons_.end() ? nullptr : it->second;
}

void MainWindowView::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (fitted_) return;
  fitted_ = true;
  // Once the window manager has put its frame around the window, the size
  // is fitted again with the frame's real width.
  QTimer::singleShot(0, this, [this] { FitToScreen(); });
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  // The batch window drives this one row by row: closing between two rows
  // would pull the main window from under it.
  if (batch_ && batch_->controller().Running()) {
    SafeCall(kView, "Form_QueryUnload", [] {
      platform().MessageBox(frmRenzoku::kRunningMessage, kAppTitle, MsgIcon::kWarning);
    });
    event->ignore();
    return;
  }
  bool close = false;
  SafeCall(kView, "Form_QueryUnload", [&] { close = main_->QueryClose(); });
  if (!close) {
    event->ignore();
    RefreshAll();
    return;
  }
  SafeCall(kView, "Form_Unload", [&] { main_->Unload(); });
  event->accept();
}

void MainWindowView::dragEnterEvent(QDragEnterEvent* event) {
  // Any local file is taken: one of another kind is told why it does not open.
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindowView::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drag has ended: the program the file came from waits for
  // the drop to finish, not for the save question this may ask.
  QTimer::singleShot(
      0, this, [this, file] { Act("Form_OLEDragDrop", [&] { main_->OpenFile(FromQt(file)); }); });
}

}  // namespace zelvo
