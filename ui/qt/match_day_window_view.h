// The match-day window on Qt: a window of its own beside the main window,
// taking documents and folders dropped on it, with a row of entry boxes per
// match and the figures redrawn after every key typed.
#ifndef ZELVOMINI_UI_QT_MATCH_DAY_WINDOW_VIEW_H_
#define ZELVOMINI_UI_QT_MATCH_DAY_WINDOW_VIEW_H_

#include <QWidget>
#include <array>
#include <functional>

#include "ui/match_day_window.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace zelvo {

class ListCombo;
class NumberEdit;

class MatchDayWindowView : public QWidget {
  Q_OBJECT

 public:
  explicit MatchDayWindowView(QWidget* parent);
  ~MatchDayWindowView() override;

  frmMatchDay& controller() { return day_; }
  void Sync();

  // For tests and the screenshot script.
  QTableWidget* DocumentTable() const { return documents_; }
  QTableWidget* DecisionTable() const { return decisions_; }
  QTableWidget* AliveTable() const { return alive_; }
  QTabWidget* Tabs() const { return tabs_; }
  QLabel* Summary() const { return summary_; }
  NumberEdit* GoalEdit(int match, int side) const { return goals_[match][side]; }
  ListCombo* StateCombo(int match) const { return states_[match]; }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Run(const char* proc, const std::function<void()>& action);
  void ComeForward();

  frmMatchDay day_;
  QTableWidget* documents_ = nullptr;
  QTableWidget* decisions_ = nullptr;
  QTableWidget* alive_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* same_folder_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* official_ = nullptr;
  QPushButton* copy_ = nullptr;
  std::array<QLabel*, kMatches> names_{};
  std::array<ListCombo*, kMatches> states_{};
  std::array<std::array<NumberEdit*, 2>, kMatches> goals_{};
  std::array<NumberEdit*, kMatches> minutes_{};
  std::array<QLabel*, kMatches> chances_{};
  std::array<QLabel*, kMatches> sources_{};
};

// Opens the match-day window, modeless, deleted when it closes.
MatchDayWindowView* ShowMatchDayWindow(QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_MATCH_DAY_WINDOW_VIEW_H_
