// Whole-file text reading and writing in CP932 with CR LF lines.
#ifndef ZELVOMINI_SUPPORT_TEXT_FILE_H_
#define ZELVOMINI_SUPPORT_TEXT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelvo {

// Reads the file whole, decodes CP932 and cuts the text at its first NUL.
// A missing file is reported through the common error report only when
// `err_message` is set; other read errors always are.  False on any failure.
bool ReadTextFile(const std::string& path, std::string& text, bool err_message = true);

// Raw bytes, at most `max_bytes` (false when the file is larger).
bool ReadFileBytes(const std::string& path, std::string& bytes,
                   size_t max_bytes = static_cast<size_t>(1) << 30);

// Writes the text whole in CP932 (no byte-order mark), creating missing
// folders.  The text is written to a temporary file beside the target and
// renamed over it only once complete: rewriting the target in place would
// lose the previous file when the disk is full or the write fails half-way.
// Failures are reported through the common error report when `err_message`.
// Opens `path` for reading when it is a regular file, with its size; -1
// for anything else.  A named pipe given as a file is refused at once rather
// than waited on for a writer that never comes.
int OpenRegularFile(const std::string& path, int64_t& size);

bool WriteTextFile(const std::string& path, std::string_view text, bool err_message = true);
bool WriteFileBytes(const std::string& path, std::string_view bytes, bool err_message = true);

// Faults the tests put into every save, so that each file the program writes
// can be shown to survive them.
struct WriteFaults {
  // At or above 0: the bytes past this many fail to write, as on a full disk.
  int64_t fail_after_bytes = -1;
  // Called once the temporary file is complete, before it is renamed over
  // the target (a test ends the process there).
  std::function<void()> before_rename;
};
WriteFaults& WriteFaultsForTesting();

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_TEXT_FILE_H_
