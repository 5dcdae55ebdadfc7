#include "support/error_report.h"

#include <new>

#include "support/platform.h"

namespace zelvo {

std::string ErrorDescription(int number) {
  switch (number) {
    case kErrInvalidCall: return "プロシージャの呼び出し、または引数が不正です。";
    case kErrOverflow: return "オーバーフローしました。";
    case kErrOutOfMemory: return "メモリが不足しています。";
    case kErrSubscript: return "インデックスが有効範囲にありません。";
    case kErrTypeMismatch: return "型が一致しません。";
    case kErrFileNotFound: return "ファイルが見つかりません。";
    case kErrFileIo: return "デバイス I/O エラーです。";
    case kErrPermission: return "書き込みできません。";
    case kErrPathNotFound: return "パスが見つかりません。";
    default: return "アプリケーション定義またはオブジェクト定義のエラーです。";
  }
}

RuntimeError::RuntimeError(int number, std::string description, std::string source)
    : std::runtime_error(description.empty() ? ErrorDescription(number) : description),
      number_(number),
      source_(source.empty() ? kProjectName : std::move(source)) {}

int ErrorNumberOf(const std::exception& e) {
  if (auto* r = dynamic_cast<const RuntimeError*>(&e)) return r->number();
  if (dynamic_cast<const std::bad_alloc*>(&e)) return kErrOutOfMemory;
  if (dynamic_cast<const std::out_of_range*>(&e)) return kErrSubscript;
  if (dynamic_cast<const std::length_error*>(&e)) return kErrSubscript;
  if (dynamic_cast<const std::overflow_error*>(&e)) return kErrOverflow;
  if (dynamic_cast<const std::invalid_argument*>(&e)) return kErrTypeMismatch;
  return 440;
}

std::string ErrorDescriptionOf(const std::exception& e) {
  if (auto* r = dynamic_cast<const RuntimeError*>(&e)) return r->what();
  int number = ErrorNumberOf(e);
  if (number == 440) return e.what();
  return ErrorDescription(number);
}

void ReportError(std::string_view class_name, std::string_view proc, std::string_view message) {
  std::string title = std::string(kAppTitle) + " / " + std::string(class_name) + " / " +
                      std::string(proc);
  platform().MessageBox(std::string(message), title, MsgIcon::kWarning);
}

void ReportException(std::string_view class_name, std::string_view proc, const std::exception& e) {
  std::string source = kProjectName;
  if (auto* r = dynamic_cast<const RuntimeError*>(&e)) source = r->source();
  std::string title = source + " / " + std::string(class_name) + " / " + std::string(proc);
  std::string text = ErrorDescriptionOf(e) + " ( " + std::to_string(ErrorNumberOf(e)) + " )";
  platform().MessageBox(text, title, MsgIcon::kCritical);
}

void ReportNotInitialized(std::string_view class_name, std::string_view proc) {
  ReportError(class_name, proc, "Initialize Err");
}

void ReportEngineError(std::string_view stage, const std::exception& e) {
  std::string text = ErrorDescriptionOf(e) + " ( " + std::to_string(ErrorNumberOf(e)) + " )";
  platform().MessageBox(text, std::string(stage), MsgIcon::kCritical);
}

}  // namespace zelvo
