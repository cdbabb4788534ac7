// The console device a person types into: the terminal on POSIX (standard
// input and output are a terminal); on Windows the program's own console
// window. A run with either standard stream redirected gets the line
// device instead (runtime/line_device.h; the rule is the start-up frame's).
#pragma once

#include <memory>

#include "runtime/base/cp932.h"
#include "runtime/platform/console_device.h"

namespace rt::platform {

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model);

}  // namespace rt::platform
