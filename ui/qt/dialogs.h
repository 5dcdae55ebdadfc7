// The small windows the main window opens: the item dialog of a count-grid
// row, the composition-analysis window and the splash window.
#ifndef ZELVOMINI_UI_QT_DIALOGS_H_
#define ZELVOMINI_UI_QT_DIALOGS_H_

#include <QDialog>
#include <QWidget>
#include <functional>

#include "output/statistics_panels.h"
#include "reduction/item_dialog.h"
#include "ui/analysis_window.h"
#include "ui/splash.h"

class QPushButton;

namespace zelvo {

// frmJouken shown modally; true when closed with OK.
bool RunItemDialogView(frmJouken& dialog, QWidget* parent);

// The purchase analysis, modal over the main window.
void RunAnalysisView(frmAnalysis& analysis, QWidget* parent);

class KouseiWindowView : public QWidget {
  Q_OBJECT

 public:
  KouseiWindowView(frmKouseiBunseki& window, QWidget* parent);
  frmKouseiBunseki* model() const { return model_; }
  // The user closed the window (not called when the controller closes it).
  std::function<void(frmKouseiBunseki*)> on_closed;
  void CloseFromController();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  frmKouseiBunseki* model_;
  bool from_controller_ = false;
};

class SplashView : public QWidget {
  Q_OBJECT

 public:
  explicit SplashView(const frmLoadX& splash);
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_DIALOGS_H_
