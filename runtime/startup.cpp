#include "runtime/startup.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/line_device.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/console_devices.h"
#include "runtime/platform/process.h"
#include "runtime/platform/report_box.h"
#include "runtime/platform/signals.h"
#include "runtime/platform/std_streams.h"
#include "runtime/report.h"

namespace rt {
namespace detail {
constinit StatementHook program_hook{console::pump};
}  // namespace detail

namespace {

// What the frame knows of the run: set as the program starts (the module
// record by the program's first action), the count of parts left out as
// they fail.
struct Frame {
  Bytes module;
  Bytes executable;  // without folder and extension
  std::string program_name;
  bool keep_going = false;   // -k: parts of the work that fail are left out (run_part)
  bool plain_lines = false;  // the console is plain lines on standard output
  int parts_left_out = 0;
};
Frame g_frame;

}  // namespace

void register_module(BytesView module_name) {
  g_frame.module.assign(module_name);
  prepare_fault_report();
}
BytesView module_name() {
  return g_frame.module;
}
BytesView executable_name() {
  return g_frame.executable;
}

void end_program(int exit_code) {
  throw ProgramEnd{exit_code};
}

namespace {

// The file name without folder and extension. A Windows path is CP932: a
// trail byte 5C is not a separator.
Bytes executable_stem(const std::string& path) {
  size_t start = 0;
  for (const Character c : characters(path))
    if (c.is('/') || c.is('\\')) start = c.at + 1;
  std::string s = path.substr(start);
  size_t dot = s.find_last_of('.');
  if (dot != std::string::npos && dot > 0) s = s.substr(0, dot);
  return s;
}

// The termination sequence: the console closes (its window is destroyed,
// the terminal restored); nothing raised from here on is reported; every
// open file is closed with its final byte.
void terminate() {
  console::detach();
  files::close_all_quietly();
}

}  // namespace

namespace {

// Whether an error belongs to the part of the work it stopped: not an
// output file that cannot be opened or exists already, a write the system
// refused (or the cut-back after one), memory, a break, the console.
bool belongs_to_part(const RuntimeError& error) {
  switch (error.code()) {
    case kBreak:
    case kFileExists:
    case kOutOfMemory:
    case kNoPrintMemory:
      return false;
    default:
      break;
  }
  switch (static_cast<Op>(error.location() >> 8)) {
    case Op::kOpen:
      return !files::last_open_was_output();
    case Op::kPrint:
    case Op::kUsing:
    case Op::kFlush:
    case Op::kClose:
    case Op::kRestore:
    case Op::kConsole:
    case Op::kInput:
    case Op::kMemory:
      return false;
    default:
      return true;
  }
}

}  // namespace

bool keep_going() {
  return g_frame.keep_going;
}

bool run_part(BytesView label, const std::function<void()>& part) {
  if (!g_frame.keep_going) {
    part();
    return true;
  }
  const uint16_t caller_line = current_line();
  files::begin_part();
  try {
    part();
    files::end_part();
    return true;
  } catch (const RuntimeError& error) {
    if (!belongs_to_part(error)) throw;
    std::string note;
    try {
      files::abandon_all();
      note = report_notice(error, label);
    } catch (...) {
      throw error;  // memory or the console failed meanwhile: the part's error stops the program
    }
    ++g_frame.parts_left_out;
    if (g_frame.plain_lines) {
      const std::string line = g_frame.program_name + ": " + note + "\n";
      std::fputs(line.c_str(), stderr);
      std::fflush(stderr);
    }
  }
  // The part is over: its caller's statement is current again.
  program_hook().resume(caller_line);
  files::restore_part();
  return false;
}

namespace {

// A command-line error (UTF-8), with the usage when `usage` is given, on
// standard error. Without one (a Windows program started from a shortcut)
// it shows in a box titled like the error report's, with the usage's
// synopsis (up to its first blank line), and returns once it is closed.
void command_line_error(const std::string& message, const char* usage = nullptr) {
  const std::string help = usage ? usage : "";
  const std::string synopsis = help.substr(0, help.find("\n\n"));
  const std::string boxed = usage ? message + "\n\n" + synopsis : message;
  if (platform::error_in_box(Bytes(executable_name()) + ".EXE", platform::utf8_to_cp932(boxed)))
    return;
  const std::string text = message + "\n" + (usage ? "\n" + help : std::string());
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
}

// The console is plain lines on standard output, the way a script runs
// the program, when the console a person types into cannot run: standard
// input is redirected (a file or pipe gives the answers), or standard
// output is and the console draws there (`sardane > log` in a terminal;
// the Windows window draws itself and still serves).
bool plain_lines() {
  return platform::redirected(platform::StdStream::kInput) ||
         (platform::console_device_draws_on_output() &&
          platform::redirected(platform::StdStream::kOutput));
}

// Why the folder cannot hold the outputs, or nothing.
const char* folder_fault(platform::FolderProblem problem) {
  switch (problem) {
    case platform::FolderProblem::kNone:
      return nullptr;
    case platform::FolderProblem::kMissing:
      return "there is no such folder";
    case platform::FolderProblem::kNotAFolder:
      return "it is not a folder";
    case platform::FolderProblem::kNoAccess:
      return "no permission to write files there";
  }
  return nullptr;
}

}  // namespace

int run_program(int argc, char** argv, const ProgramInfo& info, MainRoutine main_routine) {
  const std::string name = info.name;
  std::vector<std::string> arguments = platform::program_arguments(argc, argv);
  std::vector<char*> argument_pointers;
  for (std::string& a : arguments) argument_pointers.push_back(a.data());
  g_frame.executable = executable_stem(platform::executable_path(argc > 0 ? argv[0] : info.name));
  const CommandLine command = parse_command_line(static_cast<int>(argument_pointers.size()),
                                                 argument_pointers.data(), info.answers);
  switch (command.action) {
    case CommandLine::Action::kHelp:
      platform::write_output(info.usage, std::strlen(info.usage));
      return kExitNormal;
    case CommandLine::Action::kVersion: {
      const std::string line = name + " " + info.version + "\n";
      platform::write_output(line.data(), line.size());
      return kExitNormal;
    }
    case CommandLine::Action::kError:
      command_line_error(name + ": " + command.error, command.show_usage ? info.usage : nullptr);
      return kExitUsage;
    case CommandLine::Action::kRun:
      break;
  }
  for (const std::string& folder : command.folders) {
    if (const char* fault = folder_fault(platform::enter_folder(folder))) {
      command_line_error(name + ": cannot run in '" + shown_argument(folder) + "': " + fault);
      return kExitUsage;
    }
  }
  console::type_ahead(command.answers);
  g_frame.keep_going = command.keep_going;
  g_frame.program_name = name;

  fp_reset();
  g_frame.plain_lines = plain_lines();
  if (g_frame.plain_lines)
    console::attach(make_line_device(console::model()));
  else
    console::attach(platform::make_console_device(g_frame.executable, console::model()));
  program_hook().enable_break(true);
  prepare_fault_report();
  platform::install_signal_handlers(report_fault, g_frame.executable.c_str());

  int status = kExitNormal;
  try {
    try {
      main_routine();
    } catch (ProgramEnd& end) {
      status = end.exit_code;
    } catch (console::Closed&) {
      status = kExitClosed;
    } catch (RuntimeError& error) {
      status = report_error(error);
    } catch (const std::bad_alloc&) {
      // Memory ran out outside the operations that name their own code:
      // the out-of-memory error at the current statement.
      try {
        raise_error(kOutOfMemory, loc(Op::kMemory, 1));
      } catch (RuntimeError& error) {
        status = report_error(error);
      }
    }
  } catch (...) {
    status = kExitError;
  }
  if (status == kExitNormal && g_frame.parts_left_out > 0) status = kExitLeftOut;
  terminate();
  return status;
}

}  // namespace rt
