// The common error report every class uses at its procedures' boundaries.
// Procedures catch here and return normally with what they had produced.
#ifndef ZELVOMINI_SUPPORT_ERROR_REPORT_H_
#define ZELVOMINI_SUPPORT_ERROR_REPORT_H_

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zelvo {

inline constexpr const char* kAppTitle = "Zelvo mini";
inline constexpr const char* kProjectName = "Zelvomini";

// Run-time error numbers and their descriptions, as the user sees them.
enum ErrorNumber {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrTypeMismatch = 13,
  kErrFileNotFound = 53,
  kErrFileIo = 57,
  kErrPermission = 70,
  kErrPathNotFound = 76,
};

// A run-time error with its number; `source` defaults to the project name.
class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(int number, std::string description = {}, std::string source = {});
  int number() const { return number_; }
  const std::string& source() const { return source_; }

 private:
  int number_;
  std::string source_;
};

std::string ErrorDescription(int number);
// Number and description of any exception (bad_alloc -> 7, out_of_range -> 9, ...).
int ErrorNumberOf(const std::exception& e);
std::string ErrorDescriptionOf(const std::exception& e);

// With a message: warning box "message", titled "Zelvo mini / class / proc".
void ReportError(std::string_view class_name, std::string_view proc, std::string_view message);
// Unexpected run-time error: "description ( number )", critical icon, titled
// "source / class / proc".
void ReportException(std::string_view class_name, std::string_view proc, const std::exception& e);
// A class used before its Initialize.
void ReportNotInitialized(std::string_view class_name, std::string_view proc);
// The engines' own box: critical icon, the stage as title ("MsEngine Err").
void ReportEngineError(std::string_view stage, const std::exception& e);

}  // namespace zelvo

#endif  // ZELVOMINI_SUPPORT_ERROR_REPORT_H_
