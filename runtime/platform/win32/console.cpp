// The process's console, until the program has a window of its own: read
// and written as plain lines in UTF-8, like redirected input.
#include <windows.h>

#include "runtime/line_device.h"
#include "runtime/platform/console_devices.h"

namespace rt::platform {

std::unique_ptr<ConsoleDevice> make_console_device(BytesView title, const ConsoleModel& model) {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  SetConsoleTitleA(Bytes(title).c_str());
  return make_line_device(model);
}

}  // namespace rt::platform
