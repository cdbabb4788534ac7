// Start-up, the statement hook and the end of the program.
//
// run_program() is the process frame: it starts the run-time (floating-point
// state, signal and fault handlers, the console on the terminal or on plain
// lines), runs the program's main routine and ends it through the
// termination sequence, which closes every open file with its final 1A byte
// and restores the terminal. It is the only place that catches run-time
// errors; they are reported there.
//
// statement(line) runs before every statement of the program: the
// program's statement hook (statement_hook.h).
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

#include "runtime/command_line.h"
#include "runtime/program_state.h"
#include "runtime/strings.h"

namespace rt {

// The program's statements (statement_hook.h): statement(line) before
// every statement, statements(first, last) for a run that cannot fail
// before its last, quiet_statements() for repeats of such a run.
inline void statement(uint16_t line) {
  detail::program_hook.statement(line);
}
inline void statements(uint16_t first, uint16_t last) {
  detail::program_hook.statements(first, last);
}
template <class Step>
inline int quiet_statements(uint16_t first, uint16_t last, int most, Step step) {
  return detail::program_hook.quiet_statements(first, last, most, step);
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
