// One synchronous HTTP GET on libcurl, read whole into bytes and optionally
// decoded to text, with its progress lines written to a progress sink (the
// download-progress window of the desktop program).
#ifndef ZELVOMINI_OFFICIAL_WIN_INET_H_
#define ZELVOMINI_OFFICIAL_WIN_INET_H_

#include <cstddef>
#include <string>
#include <vector>

namespace zelvo {

// The progress list of a download: the desktop program's " インターネット接続"
// window implements it over its list box, tests record it.  Calls come only
// while the client's ProgressOpen is true.
class WinInetProgressSink {
 public:
  virtual ~WinInetProgressSink() = default;
  // Shows the window (modeless; created on first use).
  virtual void Open() = 0;
  // Adds a new last line (already preceded by its blank) and selects it.
  virtual void AddLine(const std::string& line) = 0;
  // Appends text to the end of the last line.
  virtual void AppendToLastLine(const std::string& text) = 0;
  // Hides the window after a request (only when ProgressClose is true).
  virtual void Close() = 0;
  // Polled while a request runs (often while data arrives, about once a
  // second while none does); true ends the transfer, which then gives 0
  // bytes.  A window services its events here, so that its cancel button
  // can be pressed.
  virtual bool CancelRequested() { return false; }
  // A request failed; `reason` names the cause for the user ("接続できません
  // …", "サーバーエラー（HTTP 503 …）").  Called even while the client shows
  // no progress, so that a window of its own can name what went wrong.
  virtual void Failed(const std::string& reason) { (void)reason; }
};

// The sink a client without its own uses; nullptr (the default) means no
// progress window.  Returns the previous one; not owned.
WinInetProgressSink* SetDefaultWinInetProgressSink(WinInetProgressSink* sink);
WinInetProgressSink* DefaultWinInetProgressSink();

// A sink that keeps the lines as the window would show them.
class WinInetProgressLog : public WinInetProgressSink {
 public:
  void Open() override {
    open = true;
    ++opened;
  }
  void AddLine(const std::string& line) override { lines.push_back(line); }
  void AppendToLastLine(const std::string& text) override {
    if (lines.empty()) lines.emplace_back();
    lines.back() += text;
  }
  void Close() override {
    open = false;
    ++closed;
  }

  std::vector<std::string> lines;
  bool open = false;
  int opened = 0;
  int closed = 0;
};

// The time-outs a new client starts with (milliseconds; 0 or below: none).
struct WinInetTimeouts {
  int connect_ms;
  int receive_ms;
  int transfer_ms;
};
// Sets them for every client made afterwards and returns the previous ones;
// the tests of the scrapers shorten them to see a hostile server through.
WinInetTimeouts SetDefaultWinInetTimeouts(WinInetTimeouts timeouts);

class clsWinInet {
 public:
  static constexpr const char* kAgent = "Pendralcove WinInet";
  static constexpr int kDefaultConnectTimeoutMs = 15000;
  static constexpr int kDefaultReceiveTimeoutMs = 30000;
  // The whole transfer, however busy: a server that drips a byte every few
  // seconds never trips the receive time-out.
  static constexpr int kDefaultTransferTimeoutMs = 120000;
  // A larger body is refused: no page of the site comes near it, and reading
  // an endless body would exhaust memory.
  static constexpr size_t kMaxBodyBytes = size_t{32} << 20;

  clsWinInet();

  // True when a request can be attempted at all (the HTTP library is
  // usable); the network itself is not probed.
  bool Connection() const;

  // Number of bytes received; `buffer` holds exactly those bytes (emptied on
  // 0).  Any failure (no connection, bad address, time-out, oversized body, a
  // compressed body that was never asked for, a final answer that is not
  // 2xx) gives 0 without a message: an error page or a redirect that leads
  // nowhere must not be scraped as if it were the page.  An empty proxy
  // means the system's proxy settings (the environment); otherwise the named
  // proxy is used.
  int GetHttpData(const std::string& url, std::string& buffer, const std::string& proxy);
  // Code 0: the body in CP932; code 8: UTF-8 (invalid bytes become U+FFFD).
  // Any other code is reported and gives "".
  std::string GetHttpDataString(const std::string& url, const std::string& proxy, int code);
  std::string GetHttpDataStringUTF8(const std::string& url, const std::string& proxy);

  bool ProgressOpen() const { return progress_open_; }
  void SetProgressOpen(bool v) { progress_open_ = v; }
  bool ProgressClose() const { return progress_close_; }
  void SetProgressClose(bool v) { progress_close_ = v; }
  const std::string& ProgressDialogMessage() const { return progress_message_; }
  void SetProgressDialogMessage(const std::string& v) { progress_message_ = v; }

  // Time-outs in milliseconds; 0 or below leaves the library's default.  The
  // receive time-out fails a transfer that receives nothing for that long.
  int ConnectTimeoutMs() const { return connect_timeout_ms_; }
  void SetConnectTimeoutMs(int ms) { connect_timeout_ms_ = ms; }
  int ReceiveTimeoutMs() const { return receive_timeout_ms_; }
  void SetReceiveTimeoutMs(int ms) { receive_timeout_ms_ = ms; }
  int TransferTimeoutMs() const { return transfer_timeout_ms_; }
  void SetTransferTimeoutMs(int ms) { transfer_timeout_ms_ = ms; }
  // The HTTP status of the last request's final answer (0 when none came).
  int LastStatus() const { return last_status_; }
  // The last request ended because the user cancelled it in the progress
  // window: a choice, not a failure to report.
  bool Cancelled() const { return cancelled_; }
  // Why the last request gave nothing, for the user; empty after a success
  // or a cancel.
  const std::string& LastFailure() const { return last_failure_; }
  size_t MaxBodyBytes() const { return max_body_bytes_; }
  void SetMaxBodyBytes(size_t bytes) { max_body_bytes_ = bytes; }

  // This client's own sink; nullptr falls back to the default sink.
  void SetProgressSink(WinInetProgressSink* sink) { sink_ = sink; }
  WinInetProgressSink* ProgressSink() const;

 private:
  bool progress_open_ = true;
  bool progress_close_ = true;
  std::string progress_message_;
  int connect_timeout_ms_;
  int receive_timeout_ms_;
  int transfer_timeout_ms_;
  int last_status_ = 0;
  bool cancelled_ = false;
  std::string last_failure_;
  size_t max_body_bytes_ = kMaxBodyBytes;
  WinInetProgressSink* sink_ = nullptr;
};

}  // namespace zelvo

#endif  // ZELVOMINI_OFFICIAL_WIN_INET_H_
