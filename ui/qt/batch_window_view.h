// The batch window on Qt: a window of its own beside the main window, with
// its menu bar and the queue as a two-column list.  It refuses to close while
// the queue runs.
#ifndef ZELVOMINI_UI_QT_BATCH_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_BATCH_WINDOW_VIEW_H_

#include <QWidget>
#include <map>
#include <memory>

#include "ui/batch_window.h"

class QAction;
class QMenuBar;
class QTreeWidget;

namespace zelvo {

class BatchWindowView : public QWidget {
  Q_OBJECT

 public:
  // The window's controller drives `target` (the main window).
  BatchWindowView(BatchTarget& target, QWidget* parent);
  ~BatchWindowView() override;

  frmRenzoku& controller() { return batch_; }
  void Sync();
  QAction* ActionOf(BatchCmd cmd) const;
  QTreeWidget* Queue() const { return queue_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  frmRenzoku batch_;
  QMenuBar* menu_bar_ = nullptr;
  QTreeWidget* queue_ = nullptr;
  std::map<BatchCmd, QAction*> actions_;
  bool syncing_ = false;
};

// Opens the batch window, modeless, deleted when it closes.
BatchWindowView* ShowBatchWindow(BatchTarget& target, QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_BATCH_WINDOW_VIEW_H_
