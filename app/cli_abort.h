// Ctrl+C and kill on the command line.  For a command they are an abort, not
// the window's stop button: what the command had not finished is not written,
// its inputs stay as they were, and it exits 128 + the signal (130, 143).
#ifndef ZELVOMINI_APP_CLI_ABORT_H_
#define ZELVOMINI_APP_CLI_ABORT_H_

#include <csignal>
#include <iosfwd>
#include <string>

namespace zelvo {

// SIGINT and SIGTERM only raise the abort flag while the scope lives; the
// long loops see it at their next yield.  A second signal of the same kind
// meets the handling from before the scope (by default the end of the
// process), for a command that does not get to its next yield.  The
// previous handlers come back when the scope ends.
class AbortScope {
 public:
  AbortScope();
  ~AbortScope();
  AbortScope(const AbortScope&) = delete;
  AbortScope& operator=(const AbortScope&) = delete;

 private:
  struct sigaction previous_int_;
  struct sigaction previous_term_;
};

// The signal that asked for the abort, 0 while none did.
int AbortSignal();
// 128 + the signal.
int AbortExitCode();
// "SIGINT" or "SIGTERM".
std::string AbortSignalName();

// True after an abort, having told the user that `target` was not written:
// every save of a command asks first, so that nothing is written once the
// user has asked to stop.
bool AbortedBeforeSave(std::ostream& err, const std::string& target);

}  // namespace zelvo

#endif  // ZELVOMINI_APP_CLI_ABORT_H_
