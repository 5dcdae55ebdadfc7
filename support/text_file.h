// Whole-file text reading and writing in CP932 with CR LF lines.
#ifndef ZELVOMINI_SUPPORT_TEXT_FILE_H_
#define ZELVOMINI_SUPPORT_TEXT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelvo {

// Why `path` cannot be opened as a file to read, in the user's words: it is
// missing, a folder, a named pipe, a device or a socket, or may not be read;
// "" when it can.  Every command and window that opens a file the user named
// says what stands in the way through here, not just "not found".
std::string UnreadableFileReason(const std::string& path);

// Reads the file whole and cuts the text at its first NUL.  The text is
// CP932, unless it begins with a byte-order mark: then it is UTF-8 or
// UTF-16, as a spreadsheet or an editor saves it when asked for Unicode.
// A file that cannot be opened (UnreadableFileReason) is reported through
// the common error report only when `err_message` is set; other read errors
// always are.  False on any failure.
bool ReadTextFile(const std::string& path, std::string& text, bool err_message = true);

// Raw bytes, at most `max_bytes` (false when the file is larger).
bool ReadFileBytes(const std::string& path, std::string& bytes,
                   size_t max_bytes = static_cast<size_t>(1) << 30);

// Opens `path` for reading when it is a regular file, with its size; -1
// for anything else.  A named pipe given as a file is refused at once rather
// than waited on for a writer that never comes.
int OpenRegularFile(const std::string& path, int64_t& size);

// Writes the text whole in CP932 (no byte-order mark), creating missing
// folders.  Every file the program writes goes through here; see
// WriteFileBytes for how.  Failures are reported through the common error
// report when `err_message`.
bool WriteTextFile(const std::string& path, std::string_view text, bool err_message = true);
// Writes the bytes to a temporary file beside the target and renames it over
// the target only once complete: rewriting the target in place would lose
// the previous file when the disk is full or the write fails half-way.  The
// temporary file has a name of its own (".NAME.XXXXXX.tmp"), created
// exclusively, so that no link, stray file or second writer can stand in for
// it.  The target keeps its permission bits; a symbolic link is written
// through (the file it names is replaced, the link stays); a target that is
// not a regular file, or that the user may not write, is refused.  A save
// removes the temporary files that killed saves of the same target left
// behind: its own pattern, the user's plain files, untouched for ten
// minutes and locked by no writer (each writer locks its temporary file
// until the rename).
bool WriteFileBytes(const std::string& path, std::string_view bytes, bool err_message = true);
// Why the last failed write failed, as the user is told ("" after a success).
const std::string& LastWriteError();
// Whether `path` could be written by WriteFileBytes; `reason` says why not.
// Lets a command refuse an output before it does any work.
bool CheckWritableTarget(const std::string& path, std::string& reason);
// Whether a file name is one of the writer's temporary names.
bool IsWriterTemporaryName(std::string_view file_name);

// Faults the tests put into every save, so that each file the program writes
// can be shown to survive them.
struct WriteFaults {
  // At or above 0: the bytes past this many fail to write, as on a full disk.
  int64_t fail_after_bytes = -1;
  // Called once the temporary file is complete, before it is renamed over
  // the target (a test ends the process there).
  std::function<void()> before_rename;
  // When set, the first temporary name tried uses these letters, so that a
  // test can put something in its way.
  std::string first_temp_letters;
};
WriteFaults& WriteFaultsForTesting();

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_TEXT_FILE_H_
