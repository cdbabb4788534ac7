// The line device: scripts, pipes and tests. Each entry is one line of
// standard input (LF or CR LF; UTF-8, or CP932 when the line is not UTF-8);
// the screen goes to standard output as
// UTF-8 lines, one per console row, as the console model lays it out (its
// line breaks and wraps). End of input while a key is awaited closes the
// console. Standard input is read only while the program waits for it.
#pragma once

#include <memory>

#include "runtime/platform/console_device.h"

namespace rt {

std::unique_ptr<ConsoleDevice> make_line_device(const ConsoleModel& model);

}  // namespace rt
