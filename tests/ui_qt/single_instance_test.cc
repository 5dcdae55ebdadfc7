// One window per user: a second start's files reach the running one, and a
// socket left by a crashed one does not stop the next start.
#include "ui/qt/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <cstring>
#include <thread>

namespace zelvo {
namespace {

// What a killed instance leaves: the socket file, with nobody listening.
void LeaveStaleSocket(const QString& name) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const QByteArray path = QFile::encodeName(name);
  ASSERT_LT(static_cast<size_t>(path.size()), sizeof(addr.sun_path));
  std::memcpy(addr.sun_path, path.constData(), path.size());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
  close(fd);
}

TEST(SingleInstanceTest, SecondStartHandsItsFilesToTheFirst) {
  const std::string key = "/single-instance-test/" + std::to_string(getpid());
  SingleInstance first(key);
  QLocalServer::removeServer(first.server_name());
  LeaveStaleSocket(first.server_name());
  ASSERT_TRUE(QFile::exists(first.server_name()));
  EXPECT_FALSE(first.HandOver({"/x.tpd"}, 500));
  ASSERT_TRUE(first.Listen());

  QSignalSpy received(&first, &SingleInstance::FilesReceived);
  // The second start blocks on its answer, as its own process would.
  bool handed = false;
  const QStringList files = {"/home/u/a b.tpd", "/home/u/odd\nname%.csv", "/c.tpj"};
  std::thread second([&] { handed = SingleInstance(key).HandOver(files); });
  EXPECT_TRUE(received.wait(5000));
  second.join();
  EXPECT_TRUE(handed);
  ASSERT_EQ(received.size(), 1);
  EXPECT_EQ(received[0][0].toStringList(), files);

  // A start without files only brings the window forward.
  std::thread bare([&] { handed = SingleInstance(key).HandOver({}); });
  EXPECT_TRUE(received.wait(5000));
  bare.join();
  EXPECT_TRUE(handed);
  EXPECT_TRUE(received[1][0].toStringList().isEmpty());

  // A start racing the first one finds it alive and leaves its socket be.
  EXPECT_FALSE(SingleInstance(key).Listen());
  std::thread late([&] { handed = SingleInstance(key).HandOver({"/late.tpd"}); });
  EXPECT_TRUE(received.wait(5000));
  late.join();
  EXPECT_TRUE(handed);

  // Anything else on the socket opens nothing.
  QLocalSocket stranger;
  stranger.connectToServer(first.server_name());
  ASSERT_TRUE(stranger.waitForConnected(1000));
  stranger.write("GET / HTTP/1.0\n/etc/passwd\n\n");
  stranger.flush();
  EXPECT_FALSE(received.wait(300));
  EXPECT_EQ(received.size(), 3);
}

}  // namespace
}  // namespace zelvo
