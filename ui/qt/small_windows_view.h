// The smaller windows on Qt: the team-name dialog, the download progress
// window and the about window.
#ifndef ZELVOMINI_UI_QT_SMALL_WINDOWS_VIEW_H_
#define ZELVOMINI_UI_QT_SMALL_WINDOWS_VIEW_H_

#include <QDialog>
#include <QWidget>

#include "ui/about_window.h"
#include "ui/download_window.h"
#include "ui/team_name_dialog.h"
#include "ui/team_names_dialog.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace zelvo {

class TeamNameDialog : public QDialog {
  Q_OBJECT

 public:
  TeamNameDialog(frmTeamName& dialog, QWidget* parent);
  QLineEdit* Meisho() const { return meisho_; }
  QLineEdit* Ryakusho() const { return ryakusho_; }
  QPushButton* AddButton() const { return add_; }

 private:
  frmTeamName& dialog_;
  QLineEdit* meisho_ = nullptr;
  QLineEdit* ryakusho_ = nullptr;
  QPushButton* add_ = nullptr;
};

// frmTeamName shown modally; true when a team was added (the caller then
// reloads the schedule service).
bool RunTeamNameDialog(frmTeamName& dialog, QWidget* parent);

class TeamNamesDialog : public QDialog {
  Q_OBJECT

 public:
  TeamNamesDialog(frmTeamNames& dialog, QWidget* parent);
  QTableWidget* Table() const { return table_; }
  QPushButton* AddButton() const { return add_; }

 private:
  frmTeamNames& dialog_;
  QTableWidget* table_ = nullptr;
  QPushButton* add_ = nullptr;
};

// frmTeamNames shown modally (already loaded with its names); true when the
// teams were added.
bool RunTeamNamesDialog(frmTeamNames& dialog, QWidget* parent);

// The progress window of every download.  While it is shown the other
// windows take no input: the program waits for the transfer, and only the
// cancel button may act meanwhile.
class DownloadWindowView : public QWidget {
  Q_OBJECT

 public:
  // Installs its controller as the default progress sink of the HTTP
  // client; the destructor puts the previous one back.
  explicit DownloadWindowView(QWidget* owner);
  ~DownloadWindowView() override;
  frmWinInet& controller() { return window_; }
  QListWidget* List() const { return list_; }
  QPushButton* CancelButton() const { return cancel_; }
  void Sync();

 private:
  frmWinInet window_;
  WinInetProgressSink* previous_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The desktop program's one call: the progress window over `owner`, owned
// by it, shown for every download from then on.
DownloadWindowView* InstallDownloadWindow(QWidget* owner);

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);
};

void RunAboutDialog(QWidget* parent);

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_SMALL_WINDOWS_VIEW_H_
