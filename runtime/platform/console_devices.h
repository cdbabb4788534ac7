// The console device a person types into: the terminal on POSIX (standard
// input and output are a terminal); on Windows the program's own console
// window. Redirected input always gets the line device
// (runtime/line_device.h).
#pragma once

#include <memory>

#include "runtime/base/cp932.h"
#include "runtime/platform/console_device.h"

namespace rt::platform {

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model);

}  // namespace rt::platform
