#include "ui/qt/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QUrl>

namespace zelvo {
namespace {

// The exchange: a greeting line, one percent-encoded path per line (so no
// file name can end the list early), an empty line; the answer "OK".
constexpr char kGreeting[] = "ZELVOMINI-OPEN 1";

QString SocketFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && runtime.startsWith('/')) return QString::fromLocal8Bit(runtime);
  return QDir::tempPath();
}

// A socket in a shared folder that another user made is not ours to talk to
// or to remove.
bool OwnedByOthers(const QString& path) {
  struct stat st;
  if (lstat(QFile::encodeName(path).constData(), &st) != 0) return false;
  return st.st_uid != getuid();
}

}  // namespace

SingleInstance::SingleInstance(const std::string& program_dir, QObject* parent) : QObject(parent) {
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(program_dir), QCryptographicHash::Sha1)
          .toHex()
          .left(12);
  name_ = SocketFolder() + QStringLiteral("/zelvomini-%1-%2").arg(getuid()).arg(QString(hash));
  // No socket options: with them Qt binds elsewhere and renames the socket
  // into place, which would silently replace a running instance's socket.
  // The folder (the user's runtime folder) and the umask keep others out.
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

bool SingleInstance::HandOver(const QStringList& files, int timeout_ms) {
  if (OwnedByOthers(name_)) return false;
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeout_ms)) return false;
  QByteArray message = QByteArray(kGreeting) + "\n";
  for (const QString& file : files) message += QUrl::toPercentEncoding(file) + "\n";
  message += "\n";
  socket.write(message);
  if (!socket.waitForBytesWritten(timeout_ms)) return false;
  QByteArray answer;
  while (!answer.contains('\n') && socket.waitForReadyRead(timeout_ms)) answer += socket.readAll();
  return answer.startsWith("OK\n");
}

bool SingleInstance::Listen() {
  if (OwnedByOthers(name_)) return false;
  if (server_.listen(name_)) return true;
  // Either an instance that started a moment ago (two files opened at once)
  // or the socket of one that died: only the dead one's is removed.
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(1000)) return false;
  QLocalServer::removeServer(name_);
  return server_.listen(name_);
}

void SingleInstance::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      // A peer that sends more than any list of paths would is dropped.
      QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
      if (buffer.size() > (1 << 20)) {
        socket->abort();
        return;
      }
      socket->setProperty("buffer", buffer);
      if (!buffer.endsWith("\n\n")) return;
      QList<QByteArray> lines = buffer.split('\n');
      if (lines.isEmpty() || lines.front() != kGreeting) {
        socket->abort();
        return;
      }
      QStringList files;
      for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].isEmpty()) files << QUrl::fromPercentEncoding(lines[i]);
      }
      socket->write("OK\n");
      socket->flush();
      socket->disconnectFromServer();
      emit FilesReceived(files);
    });
  }
}

}  // namespace zelvo
