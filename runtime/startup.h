// Start-up, the statement hook and the end of the program.
//
// run_program() is the process frame: it starts the run-time (floating-point
// state, signal and fault handlers, the console on the terminal or on plain
// lines), runs the program's main routine and ends it through the
// termination sequence, which closes every open file with its final 1A byte
// and restores the terminal. It is the only place that catches run-time
// errors; they are reported there.
//
// statement(line) runs before every statement of the program: the message
// queue gets a turn before the first statement and then before every
// eleventh, a pending break (Ctrl+C) stops the program with the interrupt
// report, a closed console ends it; then the line becomes current. On most
// statements this costs one counter test, and statements(first, last) takes
// a run of statements that cannot fail with one test.
//
// The command line (command_line.h) is read first: the -C folders are
// entered before the console opens, and the answers it gives are typed
// ahead into the program's first entries.
//
// Exit status: 0 normal end (or END's code), 1 a run-time error was reported,
// 2 bad command line (also a folder that cannot be entered or written, an
// answer its prompt would not take), 3 interrupted by the operator,
// 4 console closed, 5 normal end with parts left out (run_part).
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "runtime/base/requests.h"
#include "runtime/command_line.h"
#include "runtime/program_state.h"
#include "runtime/strings.h"

namespace rt {

namespace detail {
extern int poll_counter;
void statement_slow();
}  // namespace detail

inline void statement(uint16_t line) {
  if (detail::poll_counter == 0 || requests::attention) [[unlikely]]
    detail::statement_slow();
  else
    --detail::poll_counter;
  detail::line = line;
}

// Runs the statements `first` to `last` before their work, for statements
// that cannot fail before the last one (so that an error still shows the
// line of the statement that failed): those that give the message queue
// no turn and meet no pending request are counted with one test, the
// others run as statement() runs them.
inline void statements(uint16_t first, uint16_t last) {
  for (;;) {
    const int n = last - first + 1;
    if (detail::poll_counter >= n && !requests::attention) [[likely]] {
      detail::poll_counter -= n;
      detail::line = last;
      return;
    }
    if (!requests::attention) {
      first = static_cast<uint16_t>(first + detail::poll_counter);  // these pass without a turn
      detail::poll_counter = 0;
    }
    statement(first);
    if (first == last) return;
    ++first;
  }
}

// Repeats of the statements `first` to `last` for work that cannot fail,
// as many as pass without the message queue's turn and meet no pending
// request, up to `most`: `step(k)` does the work of repeat k, or returns
// false, having done nothing, to stop before it. Returns how many repeats
// ran, all counted at once; the current line is then `last` (unchanged
// when none ran). The caller runs what stopped the run through statement().
template <class Step>
inline int quiet_statements(uint16_t first, uint16_t last, int most, Step step) {
  if (requests::attention) return 0;
  const int n = last - first + 1;
  const int quiet = detail::poll_counter / n < most ? detail::poll_counter / n : most;
  int k = 0;
  while (k < quiet && step(k)) ++k;
  if (k > 0) {
    detail::poll_counter -= k * n;
    detail::line = last;
  }
  return k;
}

// One part of the program's work (a sheet of the job), run so that the
// program can go on without it. Without -k it runs as any statement does.
// With -k, a run-time error that belongs to the part alone leaves it out:
// every open file is dropped as it stands (pending output unwritten, no
// final byte), the error's report lines are shown without the wait,
// followed by the input file and record where it stopped, and recorded as
// the last error; in plain-line mode one line goes to standard error too
// ("NAME: LABEL: FILE record N: error C (TEXT)"). Then every output file
// the part opened is put back as it was before the part (files.h,
// begin_part), the caller's statement is current again, and false comes
// back; the program's normal end becomes exit status 5. Errors that are
// not the part's stop the program as before: an output file that exists or
// cannot be opened, a write the system refused, memory, a break, a closed
// console.
bool run_part(BytesView label, const std::function<void()>& part);
// Whether -k was given.
bool keep_going();

using MainRoutine = void (*)();
struct ProgramInfo {
  const char* name;  // for --help, --version and command-line messages
  const char* version;
  const char* usage;  // UTF-8
  // The answers the command line may give, in the order they are asked.
  std::span<const Question> answers = {};
};
int run_program(int argc, char** argv, const ProgramInfo& info, MainRoutine main_routine);

}  // namespace rt
