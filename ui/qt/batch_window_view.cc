#include "ui/qt/batch_window_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/qt/qt_platform.h"
#include "ui/qt/safe_call.h"
#include "ui/shortcuts.h"

namespace zelvo {
namespace {

constexpr const char* kView = "frmRenzoku";

Qt::Alignment ToQtAlign(Align a) {
  switch (a) {
    case Align::kLeft:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::kRight:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Align::kCenter:
      break;
  }
  return Qt::AlignCenter;
}

}  // namespace

BatchWindowView::BatchWindowView(BatchTarget& target, QWidget* parent)
    : QWidget(parent, Qt::Dialog), batch_(&target) {
  // A dialog of the main window: the window manager keeps it above the main
  // window, which takes the focus at every row of a run.
  setWindowTitle(ToQt(frmRenzoku::kTitle));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  menu_bar_ = new QMenuBar(this);
  layout->setMenuBar(menu_bar_);
  for (const BatchMenuEntry& top : frmRenzoku::MenuBar()) {
    QMenu* menu = menu_bar_->addMenu(ToQt(frmRenzoku::Caption(top.cmd)));
    for (BatchCmd cmd : top.children) {
      if (cmd == BatchCmd::kSeparator) {
        menu->addSeparator();
        continue;
      }
      QAction* a = menu->addAction(ToQt(frmRenzoku::Caption(cmd)));
      if (const char* keys = ShortcutOf(cmd)) a->setShortcut(QKeySequence(keys));
      connect(a, &QAction::triggered, this, [this, cmd] {
        SafeCall(kView, "mnu_Click", [&] { batch_.Execute(cmd); });
        Sync();
      });
      actions_[cmd] = a;
    }
    connect(menu, &QMenu::aboutToShow, this, [this] { Sync(); });
  }

  queue_ = new QTreeWidget(this);
  queue_->setObjectName("lvwFile");
  queue_->setRootIsDecorated(false);
  queue_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  queue_->setColumnCount(3);
  // Long paths lose their folders first: the file name is what tells rows
  // apart.
  queue_->setTextElideMode(Qt::ElideLeft);
  auto* header = new QTreeWidgetItem;
  for (int c = 0; c < 2; ++c) {
    header->setText(c, ToQt(frmRenzoku::kColumns[c]));
    header->setTextAlignment(c, ToQtAlign(frmRenzoku::kColumnAligns[c]));
  }
  header->setText(2, ToQt(frmRenzoku::kReasonColumn));
  queue_->setHeaderItem(header);
  for (int c = 0; c < 2; ++c) queue_->setColumnWidth(c, frmRenzoku::kColumnWidths[c]);
  queue_->setColumnWidth(2, frmRenzoku::kReasonWidth);
  queue_->header()->setStretchLastSection(false);
  connect(queue_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (syncing_) return;
    SafeCall(kView, "lvwFile_Click", [this] {
      for (int i = 0; i < queue_->topLevelItemCount(); ++i) {
        batch_.SetSelected(i, queue_->topLevelItem(i)->isSelected());
      }
    });
  });
  layout->addWidget(queue_);

  batch_.on_changed = [this] { Sync(); };
  batch_.on_close = [this] { close(); };
  resize(
      frmRenzoku::kColumnWidths[0] + frmRenzoku::kColumnWidths[1] + frmRenzoku::kReasonWidth + 40,
      300);
  Sync();
}

BatchWindowView::~BatchWindowView() {
  batch_.on_changed = nullptr;
  batch_.on_close = nullptr;
}

void BatchWindowView::Sync() {
  if (syncing_) return;
  syncing_ = true;
  SafeCall(kView, "Refresh", [this] {
    for (auto& [cmd, action] : actions_) action->setEnabled(batch_.Enabled(cmd));
    const std::vector<frmRenzoku::Row>& rows = batch_.Rows();
    const int n = static_cast<int>(rows.size());
    while (queue_->topLevelItemCount() > n) delete queue_->takeTopLevelItem(n);
    for (int i = 0; i < n; ++i) {
      QTreeWidgetItem* item = queue_->topLevelItem(i);
      if (!item) {
        item = new QTreeWidgetItem(queue_);
        for (int c = 0; c < 2; ++c)
          item->setTextAlignment(c, ToQtAlign(frmRenzoku::kColumnAligns[c]));
      }
      QString file = ToQt(rows[i].file);
      QString status = ToQt(rows[i].status);
      if (item->text(0) != file) {
        item->setText(0, file);
        item->setToolTip(0, file);
      }
      if (item->text(1) != status) item->setText(1, status);
      QString reason = ToQt(rows[i].reason);
      if (item->text(2) != reason) {
        item->setText(2, reason);
        item->setToolTip(2, reason);
        item->setToolTip(1, reason);
      }
      item->setSelected(rows[i].selected);
    }
    // A run moves the list along with the row it is on.
    for (int i = 0; i < n; ++i) {
      if (rows[i].status == frmRenzoku::kRunning) queue_->scrollToItem(queue_->topLevelItem(i));
    }
  });
  syncing_ = false;
}

QAction* BatchWindowView::ActionOf(BatchCmd cmd) const {
  auto it = actions_.find(cmd);
  return it == actions_.end() ? nullptr : it->second;
}

void BatchWindowView::closeEvent(QCloseEvent* event) {
  bool close = false;
  SafeCall(kView, "Form_QueryUnload", [&] { close = batch_.QueryClose(); });
  if (close) {
    event->accept();
  } else {
    event->ignore();
  }
}

BatchWindowView* ShowBatchWindow(BatchTarget& target, QWidget* parent) {
  auto* view = new BatchWindowView(target, parent);
  view->setAttribute(Qt::WA_DeleteOnClose);
  // Over the middle of the main window, not wherever the desktop puts a new
  // top-level window (a corner, without a window manager).
  if (parent != nullptr) {
    QRect frame = view->frameGeometry();
    frame.moveCenter(parent->frameGeometry().center());
    view->move(frame.topLeft());
  }
  view->show();
  return view;
}

}  // namespace zelvo
