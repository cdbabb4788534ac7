// The command line of a program run by the frame:
//
//   NAME [-C DIR | --directory DIR]... [-k | --keep-going] [--] [ANSWER...]
//   NAME --help | --version
//
// Each -C enters its folder in turn, relative to the one before, as make and
// tar do. -k asks the program to go on past a part of its work that fails
// (run_part() in startup.h). ANSWERs are the program's first answers, in order: each is read
// like a typed line (UTF-8, or CP932 when it is not UTF-8) and must be what
// its prompt takes as typed: at most 255 bytes, no control characters, no
// half of a double-byte character at its end; an answer to an INPUT of one
// string must pass INPUT's field rules (no comma or colon outside double
// quotes, nothing after a closing one).
#pragma once

#include <span>
#include <string>
#include <vector>

#include "runtime/strings.h"

namespace rt {

enum class AnswerRule { kLineInput, kInputString };

struct Question {
  const char* name;  // in messages, e.g. "job name"
  AnswerRule rule;
};

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  std::vector<std::string> folders;  // the -C folders, as given
  bool keep_going = false;           // -k, --keep-going
  std::vector<Bytes> answers;        // CP932
  std::string error;                 // UTF-8, for kError
  bool show_usage = false;           // with the error: the usage follows it
};

// An argument as UTF-8, for messages.
std::string shown_argument(const std::string& arg);

CommandLine parse_command_line(int argc, char** argv, std::span<const Question> answers);

}  // namespace rt
