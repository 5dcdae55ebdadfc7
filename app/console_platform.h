// The command line's platform: message boxes go to the error stream, questions
// are asked on the terminal (or answered by --yes), the clipboard is a buffer.
#ifndef ZELVOMINI_APP_CONSOLE_PLATFORM_H_
#define ZELVOMINI_APP_CONSOLE_PLATFORM_H_

#include <functional>
#include <iosfwd>

#include "support/platform.h"

namespace zelvo {

class ConsolePlatform : public HeadlessPlatform {
 public:
  ConsolePlatform(std::istream& in, std::ostream& err) : in_(in), err_(err) {}

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons, int default_button) override;
  void Yield() override {
    if (on_yield) on_yield();
  }
  void WaitBegin(const std::string& message, int64_t max) override;
  void WaitEnd() override;

  // Yes/No questions get "Yes" without asking.
  bool assume_yes = false;
  // Called at every yield of a long loop (the Ctrl+C check of a command).
  std::function<void()> on_yield;

 private:
  std::istream& in_;
  std::ostream& err_;
};

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CONSOLE_PLATFORM_H_
