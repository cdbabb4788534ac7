// The error report where no console shows it: a program whose standard
// input is redirected and which has no standard output at all (Windows: no
// handle, or an invalid one) gets the report in a message box with a
// warning icon; an error's box has a Help button that opens the help topic
// (help.h) as F1 does. The box is the report's key wait. A POSIX program's
// report always goes to its console.
#pragma once

#include <string_view>

namespace rt::platform {

// Shows the box (title and text CP932) and returns true once it is
// dismissed; false, showing nothing, when the console shows the report.
bool report_in_box(std::string_view title, std::string_view text, bool help);

}  // namespace rt::platform
