// A local HTTP server for the tests of the HTTP client and the scrapers: it
// listens on 127.0.0.1 at a free port in a background thread, serves the
// routes a test sets, and logs every request it receives.  Nothing here
// reaches beyond the loopback address.
#ifndef ZELVOMINI_TESTS_COMMON_HTTP_TEST_SERVER_H_
#define ZELVOMINI_TESTS_COMMON_HTTP_TEST_SERVER_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::testing {

struct HttpRoute {
  std::string body;  // bytes sent as they are
  int status = 200;
  std::string content_type = "text/html; charset=UTF-8";
  // Extra response headers ("Location" for a redirect, ...).
  std::map<std::string, std::string> headers;
  // Waits this long before answering at all.
  int delay_ms = 0;
  // Sends the first half of the body, then waits this long before the rest.
  int stall_ms = 0;
  // Above 0: the body is instead this many bytes of 'x', streamed in chunks
  // and never held whole (an endless page).  With `chunked` no length is
  // announced, so the client learns the size only by reading.
  int64_t streamed_bytes = 0;
  bool chunked = false;
};

struct HttpLoggedRequest {
  std::string method;
  std::string path;   // without the query
  std::string query;  // the raw text after "?", "" when none
  // Header names folded to lower case; the first value of each.
  std::map<std::string, std::string> headers;
  std::string Header(std::string_view name) const;
};

class HttpTestServer {
 public:
  // Starts listening; throws std::runtime_error when no port can be bound.
  HttpTestServer();
  // Stops the server, also waking any delayed answer.
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  int port() const;
  // "http://127.0.0.1:PORT" followed by the path.
  std::string Url(std::string_view path = "/") const;

  // Routes are matched on the path and query as requested ("/vote?holdCntId=1487"),
  // then on the path alone (any query).  A path
  // without a route gets status 404 with an Apache-style "not found" page.
  void SetRoute(const std::string& path, HttpRoute route);
  void SetPage(const std::string& path, std::string body,
               std::string content_type = "text/html; charset=UTF-8");
  void SetRedirect(const std::string& path, const std::string& location, int status = 302);
  void RemoveRoute(const std::string& path);

  std::vector<HttpLoggedRequest> Requests() const;
  int RequestCount(const std::string& path) const;
  void ClearRequests();

  // The body of an unrouted path.
  static std::string NotFoundPage(const std::string& path);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace zelvo::testing

#endif  // ZELVOMINI_TESTS_COMMON_HTTP_TEST_SERVER_H_
