// What the start-up frame keeps for the run-time's operations: the
// program's statement hook (the current line, set by every statement and
// shown by every report, and the switch of the break key, on from
// start-up) and its module record.
#pragma once

#include <cstdint>

#include "runtime/base/cp932.h"
#include "runtime/statement_hook.h"

namespace rt {

enum ExitStatus : int {
  kExitNormal = 0,
  kExitError = 1,
  kExitUsage = 2,
  kExitInterrupted = 3,
  kExitClosed = 4,
  kExitLeftOut = 5,  // the job ran to its end with parts left out (run_part)
};

// END: unwinds to the frame, which ends the program with the status.
struct ProgramEnd {
  int exit_code;
};
[[noreturn]] void end_program(int exit_code);

namespace detail {
extern StatementHook program_hook;
}  // namespace detail

// The program's statement hook.
inline StatementHook& program_hook() {
  return detail::program_hook;
}
inline uint16_t current_line() {
  return detail::program_hook.line();
}

// GOSUB bookkeeping: the line of the calling statement is current again
// when the subroutine returns.
class Gosub {
 public:
  explicit Gosub(StatementHook& hook = program_hook()) : hook_(hook), saved_(hook.line()) {}
  ~Gosub() { hook_.resume(saved_); }
  Gosub(const Gosub&) = delete;
  Gosub& operator=(const Gosub&) = delete;

 private:
  StatementHook& hook_;
  uint16_t saved_;
};

// The program's first action: its module record.
void register_module(BytesView module_name);
BytesView module_name();
// The executable's name without folder and extension (the window's title,
// the report box's title).
BytesView executable_name();

}  // namespace rt
