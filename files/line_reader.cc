#include "files/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/text_file.h"

namespace zelvo {

namespace {
constexpr size_t kChunk = 256 * 1024;
}  // namespace

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::string& path) {
  Close();
  fd_ = OpenRegularFile(path, size_);
  if (fd_ < 0) return false;
  buf_.assign(kChunk, '\0');
  pos_ = len_ = 0;
  lines_ = 0;
  eof_ = error_ = false;
  skip_lf_ = false;
  return true;
}

void LineReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool LineReader::Fill() {
  if (eof_ || fd_ < 0) return false;
  pos_ = 0;
  len_ = 0;
  while (true) {
    ssize_t n = ::read(fd_, buf_.data(), buf_.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = true;
      eof_ = true;
      return false;
    }
    if (n == 0) {
      eof_ = true;
      return false;
    }
    len_ = static_cast<size_t>(n);
    // The text ends at its first NUL: what follows is never read.
    if (const void* nul = std::memchr(buf_.data(), '\0', len_)) {
      len_ = static_cast<size_t>(static_cast<const char*>(nul) - buf_.data());
      eof_ = true;
    }
    return true;
  }
}

LineReader::Result LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  bool too_long = false;
  while (true) {
    if (pos_ >= len_) {
      if (!Fill()) {
        if (error_) return Result::kError;
        if (!any) return Result::kEnd;
        break;
      }
      continue;
    }
    if (skip_lf_) {
      skip_lf_ = false;
      if (buf_[pos_] == '\n') {
        ++pos_;
        continue;
      }
    }
    any = true;
    const char* start = buf_.data() + pos_;
    size_t avail = len_ - pos_;
    const char* lf = static_cast<const char*>(std::memchr(start, '\n', avail));
    if (cr_ends_line_) {
      const char* cr = static_cast<const char*>(std::memchr(start, '\r', lf ? lf - start : avail));
      if (cr) {
        lf = cr;
        skip_lf_ = true;
      }
    }
    size_t take = lf ? static_cast<size_t>(lf - start) : avail;
    if (!too_long && line.size() + take > max_line_ + 1) {
      // The rest of an overlong line is read past, never kept.
      too_long = true;
      line.clear();
    }
    if (!too_long) line.append(start, take);
    pos_ += take;
    if (lf) {
      ++pos_;
      break;
    }
  }
  ++lines_;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (too_long || line.size() > max_line_) {
    line.clear();
    return Result::kTooLong;
  }
  return Result::kLine;
}

bool IsAsciiBytes(const std::string& bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace zelvo
