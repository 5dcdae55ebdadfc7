#include "ui/qt/small_windows_view.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt/controls.h"
#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"

namespace zelvo {

// ---------------------------------------------------------------- team name

TeamNameDialog::TeamNameDialog(frmTeamName& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQt(frmTeamName::kTitle));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQt(frmTeamName::kNote), this));
  auto* grid = new QGridLayout;
  meisho_ = new QLineEdit(ToQt(dialog.Meisho()), this);
  meisho_->setObjectName("txtMeisho");
  meisho_->setMinimumWidth(240);
  ryakusho_ = new QLineEdit(ToQt(dialog.Ryakusho()), this);
  ryakusho_->setObjectName("txtRyakusho");
  grid->addWidget(new QLabel(ToQt(frmTeamName::kMeishoLabel), this), 0, 0);
  grid->addWidget(meisho_, 0, 1);
  grid->addWidget(new QLabel(ToQt(frmTeamName::kRyakushoLabel), this), 1, 0);
  grid->addWidget(ryakusho_, 1, 1);
  layout->addLayout(grid);
  auto* note = new QLabel(ToQt(frmTeamName::kRyakushoNote), this);
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  add_ = new QPushButton(ToQt(frmTeamName::kAddButton), this);
  auto* cancel = new QPushButton(ToQt(frmTeamName::kCancelButton), this);
  add_->setDefault(true);
  buttons->addWidget(add_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(meisho_, &QLineEdit::textEdited, this, [this](const QString& t) {
    SafeCall("frmTeamName", "txtMeisho_Change", [&] { dialog_.Meisho() = FromQt(t); });
  });
  connect(ryakusho_, &QLineEdit::textEdited, this, [this](const QString& t) {
    SafeCall("frmTeamName", "txtRyakusho_Change", [&] { dialog_.Ryakusho() = FromQt(t); });
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    SafeCall("frmTeamName", "cmdAdd_Click", [this] { dialog_.Add(); });
    if (dialog_.Closed()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    SafeCall("frmTeamName", "cmdCancel_Click", [this] { dialog_.Cancel(); });
    reject();
  });
}

bool RunTeamNameDialog(frmTeamName& dialog, QWidget* parent) {
  SafeCall("frmTeamName", "Form_Load", [&] { dialog.Load(); });
  TeamNameDialog box(dialog, parent);
  box.exec();
  return dialog.Result();
}

// ---------------------------------------------------------------- team names

TeamNamesDialog::TeamNamesDialog(frmTeamNames& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(ToQt(frmTeamNames::kTitle));
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(ToQt(frmTeamNames::kNote), this);
  note->setWordWrap(true);
  layout->addWidget(note);
  table_ = new QTableWidget(dialog.Count(), 2, this);
  table_->setObjectName("lstTeams");
  table_->setHorizontalHeaderLabels(
      {ToQt(frmTeamNames::kMeishoLabel), ToQt(frmTeamNames::kRyakushoLabel)});
  table_->verticalHeader()->setVisible(true);
  for (int row = 0; row < dialog.Count(); ++row) {
    auto* meisho = new QTableWidgetItem(ToQt(dialog.Meisho(row)));
    meisho->setFlags(meisho->flags() & ~Qt::ItemIsEditable);
    table_->setItem(row, 0, meisho);
    table_->setItem(row, 1, new QTableWidgetItem(ToQt(dialog.Ryakusho(row))));
  }
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  // Room for six half-width characters and the editor's frame.
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  table_->setColumnWidth(1,
                         table_->fontMetrics().horizontalAdvance(QString(10, QChar(0xFF76))) + 24);
  table_->setMinimumSize(420, 120);
  table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  if (dialog.Count() > 0) table_->setCurrentCell(0, 1);
  layout->addWidget(table_);
  auto* ryakusho_note = new QLabel(ToQt(frmTeamNames::kRyakushoNote), this);
  ryakusho_note->setWordWrap(true);
  layout->addWidget(ryakusho_note);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  add_ = new QPushButton(ToQt(frmTeamNames::kAddButton), this);
  auto* cancel = new QPushButton(ToQt(frmTeamNames::kCancelButton), this);
  add_->setDefault(true);
  buttons->addWidget(add_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->column() != 1) return;
    SafeCall("frmTeamNames", "lstTeams_Change",
             [&] { dialog_.Ryakusho(item->row()) = FromQt(item->text()); });
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    SafeCall("frmTeamNames", "cmdAdd_Click", [this] { dialog_.Add(); });
    if (dialog_.Closed()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    SafeCall("frmTeamNames", "cmdCancel_Click", [this] { dialog_.Cancel(); });
    reject();
  });
  resize(560, 200 + 30 * std::min(dialog.Count(), 12));
}

bool RunTeamNamesDialog(frmTeamNames& dialog, QWidget* parent) {
  TeamNamesDialog box(dialog, parent);
  box.exec();
  return dialog.Result();
}

// ---------------------------------------------------------------- download progress

DownloadWindowView::DownloadWindowView(QWidget* owner) : QWidget(owner, Qt::Dialog) {
  setWindowTitle(ToQt(frmWinInet::kTitle));
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setObjectName("lstMsg");
  layout->addWidget(list_);
  auto* row = new QHBoxLayout;
  row->addStretch();
  cancel_ = new QPushButton(ToQt(frmWinInet::kCancelButton), this);
  row->addWidget(cancel_);
  layout->addLayout(row);
  connect(cancel_, &QPushButton::clicked, this,
          [this] { SafeCall("frmWinInet", "cmdCancel_Click", [this] { window_.Cancel(); }); });
  resize(420, 220);
  window_.on_changed = [this] { Sync(); };
  previous_ = SetDefaultWinInetProgressSink(&window_);
}

DownloadWindowView::~DownloadWindowView() {
  if (DefaultWinInetProgressSink() == &window_) SetDefaultWinInetProgressSink(previous_);
  window_.on_changed = nullptr;
}

// The program waits inside the transfer: every change is painted at once.
void DownloadWindowView::Sync() {
  SafeCall("frmWinInet", "Refresh", [this] {
    SyncListLines(list_, window_.Lines());
    if (list_->count() > 0) list_->setCurrentRow(window_.SelectedLine());
    cancel_->setEnabled(window_.CancelEnabled());
    if (window_.Visible() && !isVisible()) {
      show();
      raise();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else if (!window_.Visible() && isVisible()) {
      hide();
      if (parentWidget()) parentWidget()->repaint();
    }
    if (isVisible()) repaint();
  });
}

DownloadWindowView* InstallDownloadWindow(QWidget* owner) { return new DownloadWindowView(owner); }

// ---------------------------------------------------------------- about

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  frmAbout about;
  setWindowTitle(ToQt(frmAbout::kTitle));
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(ToQt(about.ProgramName()), this);
  QFont big = name->font();
  big.setPointSize(16);
  big.setBold(true);
  name->setFont(big);
  layout->addWidget(name);
  layout->addWidget(new QLabel(ToQt(about.VersionText()), this));
  layout->addWidget(new QLabel(ToQt(about.Copyright()), this));
  auto* tabs = new QTabWidget(this);
  auto* text = new QTextBrowser(tabs);
  text->setObjectName("txtAttribution");
  text->setOpenExternalLinks(true);
  text->setMarkdown(ToQt(about.Description()));
  tabs->addTab(text, ToQt("概要"));
  for (const frmAbout::LicenceText& licence : about.Licences()) {
    auto* full = new QPlainTextEdit(ToQt(licence.text), tabs);
    full->setReadOnly(true);
    tabs->addTab(full, ToQt(licence.title));
  }
  layout->addWidget(tabs, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(620, 520);
}

void RunAboutDialog(QWidget* parent) {
  AboutDialog dialog(parent);
  dialog.exec();
}

}  // namespace zelvo
