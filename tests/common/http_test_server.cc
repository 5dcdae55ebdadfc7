#include "tests/common/http_test_server.h"

#include <httplib.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace zelvo::testing {

struct HttpTestServer::Impl {
  httplib::Server server;
  std::thread thread;
  int port = 0;

  mutable std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  std::map<std::string, HttpRoute> routes;
  std::vector<HttpLoggedRequest> log;

  // Waits up to `ms`; false when the server is stopping meanwhile.
  bool Pause(int ms) {
    std::unique_lock<std::mutex> lock(mutex);
    return !wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
  }
  bool Stopping() {
    std::lock_guard<std::mutex> lock(mutex);
    return stopping;
  }

  void Handle(const httplib::Request& req, httplib::Response& res);
};

namespace {

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return s;
}

const std::string& StreamChunk() {
  static const std::string chunk(64 * 1024, 'x');
  return chunk;
}

}  // namespace

void HttpTestServer::Impl::Handle(const httplib::Request& req, httplib::Response& res) {
  HttpLoggedRequest entry;
  entry.method = req.method;
  entry.path = req.path;
  size_t q = req.target.find('?');
  if (q != std::string::npos) entry.query = req.target.substr(q + 1);
  for (const auto& [name, value] : req.headers) entry.headers.emplace(Lower(name), value);

  HttpRoute route;
  bool found = false;
  {
    std::lock_guard<std::mutex> lock(mutex);
    log.push_back(std::move(entry));
    // A route set for the path with its query wins over the path's own.
    auto it = routes.end();
    if (q != std::string::npos) it = routes.find(req.target);
    if (it == routes.end()) it = routes.find(req.path);
    if (it != routes.end()) {
      route = it->second;
      found = true;
    }
  }
  if (!found) {
    res.status = 404;
    res.set_content(NotFoundPage(req.path), "text/html; charset=iso-8859-1");
    return;
  }
  if (route.delay_ms > 0 && !Pause(route.delay_ms)) return;
  res.status = route.status;
  for (const auto& [name, value] : route.headers) res.set_header(name, value);

  if (route.streamed_bytes > 0 && route.chunked) {
    auto left = std::make_shared<int64_t>(route.streamed_bytes);
    res.set_chunked_content_provider(
        route.content_type, [this, left](size_t, httplib::DataSink& sink) {
          if (Stopping()) return false;
          if (*left <= 0) {
            sink.done();
            return true;
          }
          size_t n = static_cast<size_t>(std::min<int64_t>(*left, StreamChunk().size()));
          *left -= static_cast<int64_t>(n);
          return sink.write(StreamChunk().data(), n);
        });
    return;
  }
  if (route.streamed_bytes > 0) {
    res.set_content_provider(static_cast<size_t>(route.streamed_bytes), route.content_type,
                             [this](size_t, size_t length, httplib::DataSink& sink) {
                               if (Stopping()) return false;
                               return sink.write(StreamChunk().data(),
                                                 std::min(StreamChunk().size(), length));
                             });
    return;
  }
  if (route.stall_ms > 0 && route.body.size() >= 2) {
    auto body = std::make_shared<std::string>(route.body);
    int stall = route.stall_ms;
    res.set_content_provider(body->size(), route.content_type,
                             [this, body, stall](size_t offset, size_t, httplib::DataSink& sink) {
                               size_t half = body->size() / 2;
                               if (offset < half) {
                                 return sink.write(body->data() + offset, half - offset);
                               }
                               if (offset == half && !Pause(stall)) return false;
                               return sink.write(body->data() + offset, body->size() - offset);
                             });
    return;
  }
  res.set_content(route.body, route.content_type);
}

std::string HttpLoggedRequest::Header(std::string_view name) const {
  auto it = headers.find(Lower(std::string(name)));
  return it == headers.end() ? std::string() : it->second;
}

HttpTestServer::HttpTestServer() : impl_(std::make_unique<Impl>()) {
  // The library writes without MSG_NOSIGNAL: a client under test that hangs
  // up in the middle of an answer must not kill the test process.
  signal(SIGPIPE, SIG_IGN);
  Impl* impl = impl_.get();
  // One request per connection: a kept-alive socket would hold a worker
  // (and the shutdown) until its idle time-out.
  impl->server.set_keep_alive_max_count(1);
  impl->server.Get(".*", [impl](const httplib::Request& req, httplib::Response& res) {
    impl->Handle(req, res);
  });
  impl->port = impl->server.bind_to_any_port("127.0.0.1");
  if (impl->port <= 0) throw std::runtime_error("HttpTestServer: cannot bind 127.0.0.1");
  impl->thread = std::thread([impl] { impl->server.listen_after_bind(); });
  // stop() is ignored until the accept loop runs, so wait for it.
  for (int i = 0; i < 2000 && !impl->server.is_running(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

HttpTestServer::~HttpTestServer() {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->stopping = true;
  }
  impl_->wake.notify_all();
  impl_->server.stop();
  if (impl_->thread.joinable()) impl_->thread.join();
}

int HttpTestServer::port() const { return impl_->port; }

std::string HttpTestServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(impl_->port) + std::string(path);
}

void HttpTestServer::SetRoute(const std::string& path, HttpRoute route) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->routes[path] = std::move(route);
}

void HttpTestServer::SetPage(const std::string& path, std::string body, std::string content_type) {
  HttpRoute route;
  route.body = std::move(body);
  route.content_type = std::move(content_type);
  SetRoute(path, std::move(route));
}

void HttpTestServer::SetRedirect(const std::string& path, const std::string& location, int status) {
  HttpRoute route;
  route.status = status;
  route.headers["Location"] = location;
  route.body = "<html><body>Moved</body></html>";
  SetRoute(path, std::move(route));
}

void HttpTestServer::RemoveRoute(const std::string& path) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->routes.erase(path);
}

std::vector<HttpLoggedRequest> HttpTestServer::Requests() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->log;
}

int HttpTestServer::RequestCount(const std::string& path) const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return static_cast<int>(std::count_if(impl_->log.begin(), impl_->log.end(),
                                        [&path](const auto& r) { return r.path == path; }));
}

void HttpTestServer::ClearRequests() {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->log.clear();
}

std::string HttpTestServer::NotFoundPage(const std::string&) {
  return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
         "<html><head>\n<title>404 Not Found</title>\n</head><body>\n<h1>Not Found</h1>\n"
         "<p>The requested URL was not found on this server.</p>\n</body></html>\n";
}

}  // namespace zelvo::testing
