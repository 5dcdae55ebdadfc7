#include "ui/qt/qt_platform.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTranslator>
#include <QUrl>
#include <iostream>

#include "ui/qt/screen_fit.h"

namespace zelvo {

QString ToQt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

void SetUpApplication() {
  // Also the window's X11 class: the menu entry names it as its
  // StartupWMClass, so that docks tie the window to the entry.
  QApplication::setApplicationName("Zelvo mini");
  // Qt's own buttons and dialogs ("はい", "キャンセル", the file dialog) in
  // Japanese, like every text of the program.
  static QTranslator translator;
  if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  QFont font(QStringList{"MS UI Gothic", "Meiryo UI", "Noto Sans CJK JP", "Noto Sans JP"}, 9);
  QApplication::setFont(font);
  InstallScreenFit();
}

namespace {

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kInformation: return QMessageBox::Information;
    case MsgIcon::kWarning: return QMessageBox::Warning;
    case MsgIcon::kCritical: return QMessageBox::Critical;
    case MsgIcon::kQuestion: return QMessageBox::Question;
    case MsgIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

// The buttons of a set, in their order; the default button indexes it.
std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::kOk: return {{QMessageBox::Ok, MsgAnswer::kOk}};
    case MsgButtons::kOkCancel:
      return {{QMessageBox::Ok, MsgAnswer::kOk}, {QMessageBox::Cancel, MsgAnswer::kCancel}};
    case MsgButtons::kYesNo:
      return {{QMessageBox::Yes, MsgAnswer::kYes}, {QMessageBox::No, MsgAnswer::kNo}};
    case MsgButtons::kYesNoCancel:
    case MsgButtons::kReloadOverwriteCancel:
      return {{QMessageBox::Yes, MsgAnswer::kYes},
              {QMessageBox::No, MsgAnswer::kNo},
              {QMessageBox::Cancel, MsgAnswer::kCancel}};
    case MsgButtons::kSaveDiscardCancel:
      return {{QMessageBox::Save, MsgAnswer::kYes},
              {QMessageBox::Discard, MsgAnswer::kNo},
              {QMessageBox::Cancel, MsgAnswer::kCancel}};
  }
  return {{QMessageBox::Ok, MsgAnswer::kOk}};
}

// The save question names its buttons after what they do, whatever Qt's
// translation calls "Discard".
const char* ButtonCaption(MsgButtons buttons, size_t index) {
  static const char* const kSave[] = {"保存(&S)", "保存しない(&N)", "キャンセル(&C)"};
  static const char* const kReload[] = {"再読み込み(&R)", "上書き(&O)", "キャンセル(&C)"};
  if (buttons == MsgButtons::kSaveDiscardCancel && index < 3) return kSave[index];
  if (buttons == MsgButtons::kReloadOverwriteCancel && index < 3) return kReload[index];
  return nullptr;
}

// Fills a Qt menu from entries; each leaf action carries (index, sub index).
void FillMenu(QMenu& menu, const std::vector<MenuEntry>& entries, int parent) {
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const MenuEntry& e = entries[i];
    if (e.separator) {
      menu.addSeparator();
      continue;
    }
    if (!e.submenu.empty()) {
      QMenu* sub = menu.addMenu(ToQt(e.text));
      sub->setEnabled(e.enabled);
      FillMenu(*sub, e.submenu, i);
      continue;
    }
    QAction* a = menu.addAction(ToQt(e.text));
    a->setEnabled(e.enabled);
    if (e.checked) {
      a->setCheckable(true);
      a->setChecked(true);
    }
    a->setData(parent < 0 ? QPoint(i, -1) : QPoint(parent, i));
  }
}

}  // namespace

QtPlatform::QtPlatform() : previous_(SetPlatform(this)) { clock_.start(); }

QtPlatform::~QtPlatform() {
  WaitEnd();
  while (busy_depth_ > 0) SetBusyCursor(false);
  SetPlatform(previous_);
}

QWidget* QtPlatform::Owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (owner_) return owner_;
  return QApplication::activeWindow();
}

MsgAnswer QtPlatform::MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons, int default_button) {
  if (headless) {
    std::cerr << "[" << title << "] " << text << "\n";
    return DefaultAnswer(buttons, default_button);
  }
  QMessageBox box(IconOf(icon), ToQt(title), ToQt(text), QMessageBox::NoButton, Owner());
  // A message box is answered, not minimised or maximised.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowCloseButtonHint);
  // The titles of error reports name the class and the procedure: the box is
  // made wide enough for the whole title, with room for the frame's buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int width =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(ToQt(title)) +
        120;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  auto set = ButtonsOf(buttons);
  for (size_t i = 0; i < set.size(); ++i) {
    QPushButton* b = box.addButton(set[i].first);
    if (const char* caption = ButtonCaption(buttons, i)) {
      box.button(set[i].first)->setText(ToQt(caption));
    }
    if (static_cast<int>(i) == default_button) box.setDefaultButton(b);
  }
  // The busy pointer of a run must not hide the pointer over the box.
  bool busy = busy_depth_ > 0;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (busy) QApplication::restoreOverrideCursor();
  auto clicked = box.standardButton(box.clickedButton());
  for (const auto& [button, answer] : set) {
    if (button == clicked) return answer;
  }
  // Closed with Escape or the title bar: the answer of "cancel" where there
  // is one, else of the last button.
  return set.back().second;
}

void QtPlatform::Yield() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPlatform::Sleep(int milliseconds) {
  // A paused engine sleeps here: the window keeps answering meanwhile, so
  // the user can resume or stop it.
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    qint64 left = milliseconds - t.elapsed();
    if (left > 0) QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 10)));
  }
}

uint32_t QtPlatform::TickCount() { return static_cast<uint32_t>(clock_.elapsed()); }

DateTime QtPlatform::Now() {
  QDateTime now = QDateTime::currentDateTime();
  DateTime d;
  DateTime::FromParts(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                      now.time().minute(), now.time().second(), d);
  return d;
}

std::string QtPlatform::ClipboardText() { return FromQt(QGuiApplication::clipboard()->text()); }

void QtPlatform::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(ToQt(text));
}

QString QtPlatform::InitialPath(const FileDialogRequest& request) const {
  QString dir = ToQt(request.initial_dir);
  if (request.initial_name.empty()) return dir;
  return dir.isEmpty() ? ToQt(request.initial_name) : QDir(dir).filePath(ToQt(request.initial_name));
}

std::string QtPlatform::OpenFileDialog(const FileDialogRequest& request) {
  if (headless) return {};
  QString name = QFileDialog::getOpenFileName(Owner(), ToQt(request.title), InitialPath(request),
                                              ToQt(request.filter));
  return FromQt(name);
}

std::vector<std::string> QtPlatform::OpenFilesDialog(const FileDialogRequest& request) {
  if (headless) return {};
  QStringList names = QFileDialog::getOpenFileNames(Owner(), ToQt(request.title),
                                                    InitialPath(request), ToQt(request.filter));
  std::vector<std::string> out;
  for (const QString& n : names) out.push_back(FromQt(n));
  return out;
}

std::string QtPlatform::SaveFileDialog(const FileDialogRequest& request) {
  if (headless) return {};
  QFileDialog dialog(Owner(), ToQt(request.title), ToQt(request.initial_dir), ToQt(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ToQt(request.default_ext));
  if (!request.initial_name.empty()) dialog.selectFile(ToQt(request.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return FromQt(dialog.selectedFiles().first());
}

int QtPlatform::PopupMenu(const std::string& title, const std::vector<MenuEntry>& entries) {
  std::vector<MenuEntry> flat = entries;
  for (MenuEntry& e : flat) e.submenu.clear();
  return PopupMenuTree(title, flat).index;
}

MenuChoice QtPlatform::PopupMenuTree(const std::string& title,
                                     const std::vector<MenuEntry>& entries) {
  if (headless) return {};
  QMenu menu(Owner());
  if (!title.empty()) {
    // A pop-up menu shows no title of its own: it heads the entries as a
    // bold line that cannot be chosen.
    menu.setTitle(ToQt(title));
    QAction* heading = menu.addAction(ToQt(title));
    heading->setObjectName("menuTitle");
    heading->setEnabled(false);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    menu.addSeparator();
  }
  FillMenu(menu, entries, -1);
  bool busy = busy_depth_ > 0;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  QAction* chosen = menu.exec(QCursor::pos());
  if (busy) QApplication::restoreOverrideCursor();
  MenuChoice choice;
  if (!chosen || !chosen->data().isValid()) return choice;
  QPoint p = chosen->data().toPoint();
  choice.index = p.x();
  choice.sub_index = p.y();
  return choice;
}

bool QtPlatform::OpenUrl(const std::string& url) {
  if (headless) return false;
  const QUrl target(ToQt(url));
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // QDesktopServices counts a started xdg-open as an opened page, so a
  // system without a browser looked like success.  The helper's own exit
  // status tells: non-zero when nothing could take the address.
  const QString helper = QStandardPaths::findExecutable("xdg-open");
  if (!helper.isEmpty()) {
    auto* process = new QProcess(QCoreApplication::instance());
    // Nobody reads what the helper or a browser in its place writes.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(helper, {target.toString(QUrl::FullyEncoded)});
    if (!process->waitForStarted(3000)) {
      delete process;
      return false;
    }
    if (process->waitForFinished(3000)) {
      const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
      process->deleteLater();
      return opened;
    }
    // Still running: the browser it started runs in its place.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
  }
#endif
  return QDesktopServices::openUrl(target);
}

bool QtPlatform::IsAdministrator() { return geteuid() == 0; }

void QtPlatform::WaitBegin(const std::string& message, int64_t max) {
  if (headless) return;
  if (!wait_) {
    wait_ = new QProgressDialog(Owner());
    wait_->setCancelButton(nullptr);
    wait_->setWindowTitle(ToQt(kWaitTitle));
    wait_->setMinimumDuration(0);
    wait_->setAutoClose(false);
    wait_->setAutoReset(false);
    wait_->setWindowModality(Qt::WindowModal);
  }
  wait_->setLabelText(ToQt(message));
  wait_->setRange(0, static_cast<int>(std::min<int64_t>(max, INT32_MAX)));
  wait_->setValue(0);
  wait_->show();
  QCoreApplication::processEvents();
}

void QtPlatform::WaitProgress(const std::string& message, int64_t max, int64_t value) {
  if (!wait_) return;
  wait_->setLabelText(ToQt(message));
  wait_->setRange(0, static_cast<int>(std::min<int64_t>(max, INT32_MAX)));
  wait_->setValue(static_cast<int>(std::min<int64_t>(value, INT32_MAX)));
}

void QtPlatform::WaitEnd() {
  if (wait_) {
    wait_->hide();
    wait_->deleteLater();
    wait_ = nullptr;
  }
}

void QtPlatform::SetBusyCursor(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    ++busy_depth_;
  } else if (busy_depth_ > 0) {
    QApplication::restoreOverrideCursor();
    --busy_depth_;
  }
}

}  // namespace zelvo
