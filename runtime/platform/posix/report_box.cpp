// A POSIX program's report goes to its console and a command-line error to
// its standard error: there is no message box.
#include "runtime/platform/report_box.h"

namespace rt::platform {

bool report_in_box(std::string_view, std::string_view, bool) {
  return false;
}

bool error_in_box(std::string_view, std::string_view) {
  return false;
}

}  // namespace rt::platform
