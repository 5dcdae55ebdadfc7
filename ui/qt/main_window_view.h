// The main window's Qt view: builds the menu bar, the page selector, the four
// pages and the status bar over frmMain's models, shows the controller's
// state after every change and forwards each user action as one call.
#ifndef ZELVOMINI_UI_QT_MAIN_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_MAIN_WINDOW_VIEW_H_

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/main_window.h"
#include "ui/qt/batch_window_view.h"
#include "ui/qt/match_day_window_view.h"
#include "ui/window_host.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabBar;
class QTabWidget;

namespace zelvo {

class CheckBoxView;
class GridView;
class KouseiWindowView;
class ListCombo;
class NumberEdit;
class OptionGroupView;
class ProgressView;

class MainWindowView : public QMainWindow, public WindowHost {
  Q_OBJECT

 public:
  explicit MainWindowView(QWidget* parent = nullptr);
  ~MainWindowView() override;

  frmMain& controller() { return *main_; }
  // The controller's loading, then the first showing of its state.
  void Load();
  // Shows the controller's state in every widget.
  void RefreshAll();

  // WindowHost
  bool RunItemDialog(frmJouken& dialog) override;
  void ShowKouseiBunseki(frmKouseiBunseki& window) override;
  void CloseKouseiBunseki(frmKouseiBunseki& window) override;
  void ShowAnalysis(frmAnalysis& analysis) override;
  bool RunOdds(frmOdds& odds) override;
  bool RunOwnProbs(frmOwnProbs& window) override;
  void RunPrint(frmPrint& print) override;
  bool RunTeamName(frmTeamName& dialog) override;
  bool RunTeamNames(frmTeamNames& dialog) override;
  void ShowBatch(BatchTarget& target) override;
  void ShowAbout() override;
  void RunArchive(frmArchive& archive) override;
  void RunBacktest(frmBacktest& backtest) override;
  void ShowMatchDay(const DocumentRecord* doc, const std::string& path) override;
  MatchDayWindowView* MatchDayWindow() const { return match_day_; }
  void RunModelEvaluation(frmModelEvaluation& evaluation) override;
  BatchWindowView* BatchWindow() const { return batch_; }

  // For tests and the screenshot script.
  QAction* ActionOf(Cmd cmd) const;
  QMenu* MenuOf(Cmd cmd) const;
  QPushButton* ButtonOf(Cmd cmd) const;
  QTabBar* PageBar() const { return page_bar_; }
  QStackedWidget* Pages() const { return pages_; }
  QTabWidget* ConditionTabs() const { return condition_tabs_; }
  QListWidget* LogList() const { return log_list_; }
  QLabel* StatusLabel() const { return status_; }
  GridView* MultiGridView() const { return multi_view_; }
  GridView* SingleMarksView() const { return single_marks_view_; }
  const std::vector<KouseiWindowView*>& KouseiViews() const { return kousei_views_; }

 protected:
  // Documents, conditions and CSV files dropped on the window open as from
  // the File menu.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Act(const char* proc, const std::function<void()>& action);
  void BuildMenus();
  QWidget* BuildHomePage();
  QWidget* BuildMultiPage();
  QWidget* BuildMoneyTab();
  QWidget* BuildCountTab(int kind);
  QWidget* BuildMachigaiTab();
  QWidget* BuildEnginePanel();
  QWidget* BuildSinglePage();
  QWidget* BuildCheckPage();
  QPushButton* Button(Cmd cmd, QWidget* parent);
  NumberEdit* Edit(NumberEntry* entry, QWidget* parent, int width);
  CheckBoxView* Check(CheckBox* box, QWidget* parent);
  OptionGroupView* Options(OptionGroup* group, QWidget* parent);
  GridView* View(Grid* grid, QWidget* parent, const char* name);
  void SyncLog();
  void FitToScreen();

  std::unique_ptr<frmMain> main_;
  std::map<Cmd, QAction*> actions_;
  std::map<Cmd, QMenu*> menus_;
  std::map<Cmd, QPushButton*> buttons_;
  std::vector<NumberEdit*> edits_;
  std::vector<CheckBoxView*> checks_;
  std::vector<OptionGroupView*> options_;
  std::vector<KouseiWindowView*> kousei_views_;
  ListCombo* group_combo_ = nullptr;
  NumberEdit* round_edit_ = nullptr;
  QTabBar* page_bar_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QScrollArea* scroller_ = nullptr;
  QLabel* status_ = nullptr;
  QWidget* sale_panel_ = nullptr;
  QLabel* sale_start_ = nullptr;
  QLabel* sale_end_ = nullptr;
  QLabel* sale_result_ = nullptr;
  QLabel* sale_status_ = nullptr;
  QTabWidget* condition_tabs_ = nullptr;
  QStackedWidget* engine_frames_ = nullptr;
  std::vector<QWidget*> money_rows_;
  QLabel* own_chances_ = nullptr;
  QListWidget* log_list_ = nullptr;
  ProgressView* progress_ = nullptr;
  GridView* multi_view_ = nullptr;
  GridView* vote_view_ = nullptr;
  GridView* single_marks_view_ = nullptr;
  QLabel* single_count_ = nullptr;
  QLabel* single_page_ = nullptr;
  QLabel* result_count_ = nullptr;
  QLabel* result_page_ = nullptr;
  QWidget* result_counts_ = nullptr;
  QPointer<BatchWindowView> batch_;
  QPointer<MatchDayWindowView> match_day_;
  bool refreshing_ = false;
  bool loaded_ = false;
  bool fitted_ = false;
  int fit_tries_ = 0;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_MAIN_WINDOW_VIEW_H_
