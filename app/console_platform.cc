#include "app/console_platform.h"

#include <istream>
#include <ostream>
#include <string>

#include "support/text.h"

namespace zelvo {

MsgAnswer ConsolePlatform::MessageBox(const std::string& text, const std::string& title,
                                      MsgIcon icon, MsgButtons buttons, int default_button) {
  std::string shown = ReplaceAll(text, "\r\n", "\n");
  const char* kind = icon == MsgIcon::kCritical  ? "エラー"
                     : icon == MsgIcon::kWarning ? "警告"
                     : icon == MsgIcon::kQuestion ? "確認"
                                                  : "情報";
  std::string head = Trim(title);
  err_ << "[" << kind << (head.empty() ? "" : ": " + head) << "] " << shown << "\n";
  if (buttons == MsgButtons::kSaveDiscardCancel) {
    if (assume_yes) return MsgAnswer::kYes;
    err_ << "(s: 保存 / d: 保存しない / c: キャンセル) " << std::flush;
    std::string answer;
    // No answer keeps what there is: cancel.
    if (!std::getline(in_, answer)) return MsgAnswer::kCancel;
    answer = Trim(answer);
    if (EqualsNoCase(answer, "s")) return MsgAnswer::kYes;
    if (EqualsNoCase(answer, "d")) return MsgAnswer::kNo;
    return MsgAnswer::kCancel;
  }
  if (buttons == MsgButtons::kReloadOverwriteCancel) {
    // Nothing on the command line asks it; a script's answer keeps the file.
    return MsgAnswer::kCancel;
  }
  if (buttons != MsgButtons::kYesNo && buttons != MsgButtons::kYesNoCancel) {
    return DefaultAnswer(buttons, default_button);
  }
  if (assume_yes) return MsgAnswer::kYes;
  err_ << "(y/n) " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) return MsgAnswer::kNo;
  answer = Trim(answer);
  return (answer == "y" || answer == "Y" || EqualsNoCase(answer, "yes")) ? MsgAnswer::kYes
                                                                         : MsgAnswer::kNo;
}

void ConsolePlatform::WaitBegin(const std::string& message, int64_t) {
  if (!message.empty()) err_ << message << "...\n";
}

void ConsolePlatform::WaitEnd() {}

}  // namespace zelvo
