// The line device: scripts, pipes and tests. Each entry is one line of
// standard input (LF or CR LF; UTF-8, or CP932 when the line is not UTF-8);
// the screen goes to standard output as
// UTF-8 lines, one per console row, as the console model lays it out (its
// line breaks and wraps). End of input while a key is awaited closes the
// console (input_ended() tells it from a hang-up or SIGTERM). Standard
// input is read only while the program waits for it.
#pragma once

#include <memory>
#include <string>

#include "runtime/platform/console_device.h"

namespace rt {

std::unique_ptr<ConsoleDevice> make_line_device(const ConsoleModel& model);

// A line as a person or a script gives it, as CP932: UTF-8 is converted; a
// line that is not UTF-8 is CP932 already (text from a Windows command
// line comes in the system's code page).
std::string typed_text(const std::string& line);

}  // namespace rt
