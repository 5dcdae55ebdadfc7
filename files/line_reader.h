// Reads a text file line by line without holding it whole.  Documents and
// singles files can hold millions of lines, and a damaged one can hold a
// single line of hundreds of megabytes; reading in chunks with a cap on the
// line length keeps memory bounded by what the caller keeps.
#ifndef ZELVOMINI_FILES_LINE_READER_H_
#define ZELVOMINI_FILES_LINE_READER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

class LineReader {
 public:
  enum class Result { kLine, kEnd, kTooLong, kError };

  // With `cr_ends_line` a CR alone also ends a line (files saved by old Mac
  // programs); CR LF stays one line end.
  explicit LineReader(size_t max_line = 64 * 1024, bool cr_ends_line = false)
      : max_line_(max_line), cr_ends_line_(cr_ends_line) {}
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False when the file cannot be opened or is not a regular file.
  bool Open(const std::string& path);
  void Close();
  // Size in bytes at the time of opening.
  int64_t FileSize() const { return size_; }

  // The next line as raw bytes, without its LF or CR LF.  The text ends at
  // the first NUL, as every text file of the program is read.  A last line
  // without a line end still counts; an empty file has no lines.  A line
  // longer than the cap is read past and answered kTooLong; reading can go
  // on with the next line.
  Result Next(std::string& line);
  // Lines read so far (overlong ones included).
  int64_t LineNumber() const { return lines_; }

 private:
  bool Fill();

  size_t max_line_;
  bool cr_ends_line_;
  bool skip_lf_ = false;  // the last line ended at a CR: an LF right after belongs to it
  int fd_ = -1;
  int64_t size_ = 0;
  int64_t lines_ = 0;
  std::vector<char> buf_;
  size_t pos_ = 0;
  size_t len_ = 0;
  bool eof_ = false;
  bool error_ = false;
};

// True when every byte is ASCII (the line needs no code-page conversion).
bool IsAsciiBytes(const std::string& bytes);

}  // namespace zelvo

#endif  // ZELVOMINI_FILES_LINE_READER_H_
