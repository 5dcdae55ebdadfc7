#include "app/cli_abort.h"

#include <ostream>

namespace zelvo {
namespace {

volatile std::sig_atomic_t g_abort_signal = 0;
// The handlers before the scope's, which a second signal falls back to.
struct sigaction g_previous_int;
struct sigaction g_previous_term;

extern "C" void OnAbortSignal(int signal_number) {
  g_abort_signal = signal_number;
  // A second Ctrl+C ends a command that is not polling the way the shell's
  // own handling would (sigaction is safe in a handler).
  sigaction(signal_number, signal_number == SIGINT ? &g_previous_int : &g_previous_term, nullptr);
}

void Install(int signal_number, struct sigaction& previous) {
  struct sigaction action {};
  action.sa_handler = OnAbortSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a question waiting on the terminal ends with the signal
  // instead of blocking on.
  action.sa_flags = 0;
  sigaction(signal_number, &action, &previous);
}

}  // namespace

AbortScope::AbortScope() {
  g_abort_signal = 0;
  Install(SIGINT, previous_int_);
  Install(SIGTERM, previous_term_);
  g_previous_int = previous_int_;
  g_previous_term = previous_term_;
}

AbortScope::~AbortScope() {
  sigaction(SIGINT, &previous_int_, nullptr);
  sigaction(SIGTERM, &previous_term_, nullptr);
}

int AbortSignal() { return g_abort_signal; }

int AbortExitCode() { return 128 + g_abort_signal; }

std::string AbortSignalName() {
  return g_abort_signal == SIGTERM  ? "SIGTERM"
         : g_abort_signal == SIGINT ? "SIGINT"
                                    : "signal " + std::to_string(g_abort_signal);
}

bool AbortedBeforeSave(std::ostream& err, const std::string& target) {
  if (g_abort_signal == 0) return false;
  err << "zelvomini-cli: interrupted by " << AbortSignalName() << "; nothing was written to "
      << target << "\n";
  return true;
}

}  // namespace zelvo
