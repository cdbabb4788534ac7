// The console devices of this system: the terminal (standard input and
// output are a terminal) and plain lines (anything else: pipes, files).
#pragma once

#include <memory>

#include "runtime/console_device.h"
#include "runtime/strings.h"

namespace rt::platform {

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title);
std::unique_ptr<ConsoleDevice> make_terminal_device(BytesView title);
std::unique_ptr<ConsoleDevice> make_line_device();

}  // namespace rt::platform
