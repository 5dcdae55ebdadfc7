// One desktop window per user and data folder: a second start hands its
// files to the running window over a local socket and ends.
#ifndef ZELVOMINI_UI_QT_SINGLE_INSTANCE_H_
#define ZELVOMINI_UI_QT_SINGLE_INSTANCE_H_

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

namespace zelvo {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket is named after the user and the program folder, so a build
  // tree's program and the installed one do not take each other's files.
  explicit SingleInstance(const std::string& program_dir, QObject* parent = nullptr);

  // Gives the files (absolute paths; none just raises the window) to a
  // running instance.  True when it confirmed; false when none runs.
  bool HandOver(const QStringList& files, int timeout_ms = 3000);
  // Becomes the running instance.  A socket left behind by a crashed one
  // (nobody answers on it) is removed first.  False when another instance
  // listens already (it started meanwhile: hand over to it) or the socket
  // cannot be made (run alone).
  bool Listen();

  const QString& server_name() const { return name_; }

 signals:
  // Files from a second start (possibly none).
  void FilesReceived(const QStringList& files);

 private:
  void Accept();

  QString name_;
  QLocalServer server_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_UI_QT_SINGLE_INSTANCE_H_
