// Messages where nothing else would show them, in a message box with a
// warning icon. The error report: a program whose standard input is
// redirected and which has no standard output at all (Windows: no handle,
// or an invalid one) gets the report in a box; an error's box has a Help
// button that opens the help topic (help.h) as F1 does. The box is the
// report's key wait. A command-line error: a program without standard
// error (a Windows program started from a shortcut) gets it in a box. A
// POSIX program always has its console and its standard error.
#pragma once

#include <string_view>

namespace rt::platform {

// Shows the box (title and text CP932) and returns true once it is
// dismissed; false, showing nothing, when the console shows the report.
bool report_in_box(std::string_view title, std::string_view text, bool help);
// Shows the box (title and text CP932) and returns true once it is
// dismissed; false, showing nothing, when standard error takes the text.
bool error_in_box(std::string_view title, std::string_view text);

}  // namespace rt::platform
