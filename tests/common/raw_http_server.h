// A byte-level HTTP server on 127.0.0.1 for answers a real server library
// will not send: headers that trickle in one byte at a time, a body that
// never ends.  Each connection reads the request head, then writes the
// script's pieces with their pauses and closes.  Every pause wakes on stop,
// so a test never outlives its server.
#ifndef ZELVOMINI_TESTS_COMMON_RAW_HTTP_SERVER_H_
#define ZELVOMINI_TESTS_COMMON_RAW_HTTP_SERVER_H_

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zelvo::testing {

struct RawPiece {
  std::string bytes;
  int pause_ms_before = 0;
  // Sends `bytes` this many times, pausing before each (a drip).
  int repeat = 1;
};

class RawHttpServer {
 public:
  explicit RawHttpServer(std::vector<RawPiece> script);
  ~RawHttpServer();
  RawHttpServer(const RawHttpServer&) = delete;
  RawHttpServer& operator=(const RawHttpServer&) = delete;

  std::string Url(const std::string& path = "/") const;
  int Connections() const { return connections_; }

 private:
  void Serve();
  bool Pause(int ms);

  std::vector<RawPiece> script_;
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_RAW_HTTP_SERVER_H_
