#include "official/win_inet.h"

#include <curl/curl.h>

#include <chrono>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "support/error_report.h"
#include "support/platform.h"
#include "support/shared_library.h"
#include "support/text.h"

#ifndef ZELVO_CURL_SONAME
#define ZELVO_CURL_SONAME "libcurl.so.4"
#endif

namespace zelvo {
namespace {

constexpr const char* kClassName = "clsWinInet";

WinInetProgressSink* g_default_sink = nullptr;
WinInetTimeouts g_default_timeouts = {clsWinInet::kDefaultConnectTimeoutMs,
                                      clsWinInet::kDefaultReceiveTimeoutMs,
                                      clsWinInet::kDefaultTransferTimeoutMs};

// libcurl is loaded with the first request, not with the program: it brings
// some thirty libraries (TLS, Kerberos, LDAP, ...) that every start would
// otherwise pay for, and most commands never download.  It is initialised
// once per process, before any handle is made.
class Curl {
 public:
  Curl() : library_(ZELVO_CURL_SONAME) {
    ok_ = library_.Get("curl_global_init", global_init) &&
          library_.Get("curl_global_cleanup", global_cleanup) &&
          library_.Get("curl_easy_init", easy_init) &&
          library_.Get("curl_easy_setopt", easy_setopt) &&
          library_.Get("curl_easy_perform", easy_perform) &&
          library_.Get("curl_easy_getinfo", easy_getinfo) &&
          library_.Get("curl_easy_cleanup", easy_cleanup) &&
          library_.Get("curl_slist_append", slist_append) &&
          library_.Get("curl_slist_free_all", slist_free_all) &&
          library_.Get("curl_easy_strerror", easy_strerror) &&
          global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  }
  ~Curl() {
    if (ok_) global_cleanup();
  }
  bool ok() const { return ok_; }
  const std::string& error() const { return library_.error(); }

  decltype(&curl_global_init) global_init = nullptr;
  decltype(&curl_global_cleanup) global_cleanup = nullptr;
  decltype(&curl_easy_init) easy_init = nullptr;
  decltype(&curl_easy_setopt) easy_setopt = nullptr;
  decltype(&curl_easy_perform) easy_perform = nullptr;
  decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&curl_slist_append) slist_append = nullptr;
  decltype(&curl_slist_free_all) slist_free_all = nullptr;
  decltype(&curl_easy_strerror) easy_strerror = nullptr;

 private:
  SharedLibrary library_;
  bool ok_ = false;
};

Curl& curl() {
  static Curl library;
  return library;
}

bool CurlReady() { return curl().ok(); }

class BusyCursor {
 public:
  BusyCursor() { platform().SetBusyCursor(true); }
  ~BusyCursor() { platform().SetBusyCursor(false); }
};

using Clock = std::chrono::steady_clock;

// What the libcurl callbacks of one request share.  The callbacks are C
// entry points: nothing may be thrown through them, so each catches and
// turns a failure into an aborted transfer.
struct Transfer {
  std::string* buffer = nullptr;
  size_t max_bytes = 0;
  WinInetProgressSink* sink = nullptr;
  bool opened = false;  // the server has started to answer
  bool too_large = false;
  bool timed_out = false;
  bool failed = false;
  bool encoded = false;    // the body came compressed
  bool cancelled = false;  // the user's cancel in the progress window
  int receive_timeout_ms = 0;
  Clock::time_point last_activity = Clock::now();
  std::string status_line;  // of the last answer: "HTTP/1.1 503 Service Unavailable"

  void Line(const std::string& text) {
    if (sink) sink->AddLine(" " + text);
  }
  void Append(const std::string& text) {
    if (sink) sink->AppendToLastLine(text);
  }
  void Touch() { last_activity = Clock::now(); }
  void MarkOpened() {
    if (opened) return;
    opened = true;
    Line("受信中 ");
  }
};

// "Content-Encoding: gzip" and the like (not "identity").  The request asks
// for no encoding, so a compressed body is an answer to some other request.
bool IsEncodingHeader(std::string_view line) {
  constexpr std::string_view kName = "Content-Encoding:";
  if (!StartsWithNoCase(line, kName)) return false;
  std::string value = Trim(std::string(line.substr(kName.size())));
  while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.pop_back();
  value = Trim(value);
  return !value.empty() && !EqualsNoCase(value, "identity");
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  try {
    t->Touch();
    t->MarkOpened();
    // Headers of every answer on the way count only for their own answer:
    // a new status line starts over.
    std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
      t->encoded = false;
      t->status_line = Trim(std::string(line));
      while (!t->status_line.empty() &&
             (t->status_line.back() == '\r' || t->status_line.back() == '\n')) {
        t->status_line.pop_back();
      }
    }
    if (IsEncodingHeader(line)) t->encoded = true;
    return size * count;
  } catch (...) {
    t->failed = true;
    return 0;
  }
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  size_t len = size * count;
  try {
    t->Touch();
    t->MarkOpened();
    if (len > t->max_bytes - t->buffer->size()) {
      // Stop reading at once rather than collecting an endless body.
      t->too_large = true;
      return CURL_WRITEFUNC_ERROR;
    }
    t->buffer->append(data, len);
    // One mark per 1024-byte chunk, as the progress window always counted.
    size_t chunks = len == 0 ? 1 : (len + 1023) / 1024;
    t->Append(std::string(chunks, '.'));
    return len;
  } catch (...) {
    t->failed = true;
    return CURL_WRITEFUNC_ERROR;
  }
}

int OnPrereq(void* user, char*, char*, int, int) {
  // The connection stands: the receive time-out counts from here.
  static_cast<Transfer*>(user)->Touch();
  return CURL_PREREQFUNC_OK;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  try {
    // An aborted transfer ends with an error code: its bytes are dropped.
    if (t->sink && t->sink->CancelRequested()) {
      t->cancelled = true;
      return 1;
    }
  } catch (...) {
    t->failed = true;
    return 1;
  }
  if (t->receive_timeout_ms <= 0) return 0;
  auto idle =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t->last_activity);
  if (idle.count() >= t->receive_timeout_ms) {
    t->timed_out = true;
    return 1;  // aborts the transfer
  }
  return 0;
}

// "503 Service Unavailable" from the status line, or the bare code.
std::string StatusText(long status, const std::string& status_line) {
  size_t space = status_line.find(' ');
  std::string text = space == std::string::npos ? "" : Trim(status_line.substr(space + 1));
  return "HTTP " + (text.empty() ? std::to_string(status) : text);
}

// What a user is told of a request that gave nothing: whether the network
// or the server failed, or the server refused the page, and why.
std::string FailureReason(CURLcode rc, const char* detail, long status, const Transfer& t) {
  if (t.cancelled) return "";
  std::string why = detail && *detail ? detail : curl().easy_strerror(rc);
  if (t.too_large) return "ページが大きすぎます（上限を超えました）";
  if (t.timed_out || rc == CURLE_OPERATION_TIMEDOUT) {
    return "サーバーから応答がありません（時間切れ）";
  }
  switch (rc) {
    case CURLE_OK:
      break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
      return "接続できません（ネットワークに接続されていないか、サーバーに届きません：" + why +
             "）";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
      return "安全な接続ができません（" + why + "）";
    case CURLE_FILESIZE_EXCEEDED:
      return "ページが大きすぎます（上限を超えました）";
    default:
      if (status == 0) return "通信に失敗しました（" + why + "）";
      break;
  }
  if (status >= 500) return "サーバーエラー（" + StatusText(status, t.status_line) + "）";
  if (status >= 400) return "ページを拒否されました（" + StatusText(status, t.status_line) + "）";
  if (status >= 300) {
    return "転送先のページに届きません（" + StatusText(status, t.status_line) + "）";
  }
  if (t.encoded) return "頼んでいない圧縮形式で送られてきました";
  if (rc != CURLE_OK || t.failed) return "受信に失敗しました（" + why + "）";
  return "";
}

struct CurlDeleter {
  void operator()(CURL* h) const { curl().easy_cleanup(h); }
};
struct SlistDeleter {
  void operator()(curl_slist* l) const { curl().slist_free_all(l); }
};

}  // namespace

WinInetProgressSink* SetDefaultWinInetProgressSink(WinInetProgressSink* sink) {
  WinInetProgressSink* previous = g_default_sink;
  g_default_sink = sink;
  return previous;
}

WinInetProgressSink* DefaultWinInetProgressSink() { return g_default_sink; }

WinInetTimeouts SetDefaultWinInetTimeouts(WinInetTimeouts timeouts) {
  WinInetTimeouts previous = g_default_timeouts;
  g_default_timeouts = timeouts;
  return previous;
}

clsWinInet::clsWinInet()
    : connect_timeout_ms_(g_default_timeouts.connect_ms),
      receive_timeout_ms_(g_default_timeouts.receive_ms),
      transfer_timeout_ms_(g_default_timeouts.transfer_ms) {}

bool clsWinInet::Connection() const { return CurlReady(); }

WinInetProgressSink* clsWinInet::ProgressSink() const { return sink_ ? sink_ : g_default_sink; }

int clsWinInet::GetHttpData(const std::string& url, std::string& buffer, const std::string& proxy) {
  BusyCursor busy;
  buffer.clear();
  last_status_ = 0;
  cancelled_ = false;
  last_failure_.clear();
  if (url.empty()) return 0;
  WinInetProgressSink* sink = progress_open_ ? ProgressSink() : nullptr;
  Transfer t;
  t.buffer = &buffer;
  t.max_bytes = max_body_bytes_;
  t.sink = sink;
  t.receive_timeout_ms = receive_timeout_ms_;
  try {
    if (sink) {
      sink->Open();
      if (!progress_message_.empty()) t.Line(progress_message_);
    }
    if (!CurlReady()) {
      throw std::runtime_error("libcurl cannot be loaded, nothing can be downloaded: " +
                               curl().error());
    }
    std::unique_ptr<CURL, CurlDeleter> handle(curl().easy_init());
    if (handle) {
      CURL* h = handle.get();
      curl().easy_setopt(h, CURLOPT_USERAGENT, kAgent);
      curl().easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
      if (!proxy.empty()) curl().easy_setopt(h, CURLOPT_PROXY, proxy.c_str());
      if (connect_timeout_ms_ > 0) {
        curl().easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connect_timeout_ms_));
      }
      if (transfer_timeout_ms_ > 0) {
        curl().easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(transfer_timeout_ms_));
      }
      t.Line("[コネクション開始]");
      t.Line(url);

      std::unique_ptr<curl_slist, SlistDeleter> headers;
      for (const char* header :
           {"Accept-Language: ja-JP", "Cache-Control: no-cache", "Pragma: no-cache"}) {
        curl_slist* next = curl().slist_append(headers.get(), header);
        if (!next) throw std::bad_alloc();
        headers.release();
        headers.reset(next);
      }
      curl().easy_setopt(h, CURLOPT_URL, url.c_str());
      curl().easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
      // Only web addresses: a page link must never read a local file.
      curl().easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
      curl().easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
      curl().easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
      curl().easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
      curl().easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
      curl().easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
      curl().easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(max_body_bytes_));
      curl().easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
      curl().easy_setopt(h, CURLOPT_HEADERDATA, &t);
      curl().easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
      curl().easy_setopt(h, CURLOPT_WRITEDATA, &t);
      curl().easy_setopt(h, CURLOPT_PREREQFUNCTION, OnPrereq);
      curl().easy_setopt(h, CURLOPT_PREREQDATA, &t);
      curl().easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
      curl().easy_setopt(h, CURLOPT_XFERINFODATA, &t);
      curl().easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
      char error[CURL_ERROR_SIZE] = "";
      curl().easy_setopt(h, CURLOPT_ERRORBUFFER, error);

      t.Touch();
      CURLcode rc = curl().easy_perform(h);
      long status = 0;
      curl().easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
      last_status_ = static_cast<int>(status);
      cancelled_ = t.cancelled;
      // A transfer that did not finish gives nothing: half a page would be
      // scraped as if it were the whole one.  Nor does an answer other than
      // 2xx: an error page can look like the page (a cached copy, a
      // maintenance notice), and a 3xx that ends here led nowhere.
      bool answered = status >= 200 && status < 300;
      if (rc != CURLE_OK || !answered || t.too_large || t.timed_out || t.failed || t.encoded) {
        buffer.clear();
        buffer.shrink_to_fit();
        last_failure_ = FailureReason(rc, error, status, t);
      }
      if (t.opened) {
        t.Append(".");
        t.Line("[コネクション終了]");
      }
    }
  } catch (const std::exception& e) {
    buffer.clear();
    ReportException(kClassName, "GetHttpData", e);
  }
  // The default sink hears the cause even when this client shows no
  // progress: the archive window names it.
  WinInetProgressSink* told = sink ? sink : ProgressSink();
  if (told && !last_failure_.empty()) {
    try {
      told->Failed(last_failure_);
    } catch (const std::exception& e) {
      ReportException(kClassName, "GetHttpData", e);
    }
  }
  if (sink && progress_close_) {
    try {
      sink->Close();
    } catch (const std::exception& e) {
      ReportException(kClassName, "GetHttpData", e);
    }
  }
  return static_cast<int>(buffer.size());
}

std::string clsWinInet::GetHttpDataString(const std::string& url, const std::string& proxy,
                                          int code) {
  try {
    // A wrong code is a caller's mistake: told before any request is made.
    if (code != 0 && code != 8) {
      ReportError(kClassName, "GetHttpDataString",
                  "コード番号が異常です（" + std::to_string(code) + "）");
      return "";
    }
    std::string bytes;
    if (GetHttpData(url, bytes, proxy) == 0) return "";
    return code == 0 ? FromCp932(bytes) : SanitizeUtf8(bytes);
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetHttpDataString", e);
    return "";
  }
}

std::string clsWinInet::GetHttpDataStringUTF8(const std::string& url, const std::string& proxy) {
  try {
    std::string bytes;
    if (GetHttpData(url, bytes, proxy) == 0) return "";
    return SanitizeUtf8(bytes);
  } catch (const std::exception& e) {
    ReportException(kClassName, "GetHttpDataStringUTF8", e);
    return "";
  }
}

}  // namespace zelvo
