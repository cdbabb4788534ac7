// The console window of this process, for the parts of the Windows layer
// that need it (the fault box is owned by it). Null while there is none.
#pragma once

#include <windows.h>

namespace rt::platform {

HWND console_window();

}  // namespace rt::platform
