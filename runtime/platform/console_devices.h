// The console device a person types into: the terminal on POSIX (standard
// input and output are a terminal); on Windows the program's own console
// window. A run whose standard input is redirected, or whose standard
// output is while the device draws there, gets the line device instead
// (runtime/line_device.h; the rule is the start-up frame's).
#pragma once

#include <memory>

#include "runtime/base/cp932.h"
#include "runtime/platform/console_device.h"

namespace rt::platform {

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model);
// Whether that device draws on standard output (the terminal does; the
// window draws itself), so that it cannot run when standard output is
// redirected.
bool console_device_draws_on_output();

}  // namespace rt::platform
