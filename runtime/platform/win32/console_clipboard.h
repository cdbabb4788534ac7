// The console window's copy: the system menu's "コピー(&Y)" puts the
// screen's 24 rows on the clipboard as text, trailing blanks trimmed, each
// row ended by CR LF: as CP932 (CF_TEXT, with the Japanese CF_LOCALE) and
// as its UTF-16 (CF_UNICODETEXT), so that old and new programs paste it
// right.
#pragma once

#include <windows.h>

#include "runtime/base/console_model.h"

namespace rt::platform {

// Copies the screen of `model` to the clipboard, opened for `owner`;
// nothing when the clipboard cannot be opened.
void copy_screen(HWND owner, const ConsoleModel& model);

}  // namespace rt::platform
