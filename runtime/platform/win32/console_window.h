// The console window of this process, for the parts of the Windows layer
// that need it (the fault box and the help window are owned by it). Null
// while there is none.
#pragma once

#include <windows.h>

namespace rt::platform {

HWND console_window();
// Opens the help file at the current topic (help.h), when there is one.
void open_help();

}  // namespace rt::platform
