// The console window's keys: what a key press or a typed character puts
// into the keyboard ring.
//
// A typed character (WM_CHAR in UTF-16, also as the input method sends it)
// goes into the ring as its CP932 bytes; one without a CP932 form, or one
// the ring has no room for, beeps and stores nothing. The keys without a
// character map to the console's codes; Ctrl+C is the break key and a
// break request.
#pragma once

#include <windows.h>

#include "runtime/base/console_model.h"

namespace rt::platform {

// The console code of a key without a character (WM_KEYDOWN); 0 for any
// other key.
int key_code(WPARAM vk);
// Puts the console code `code` into `ring`; beeps when there is no ring or
// no room.
void put_key(KeyRing* ring, int code);
// Puts a typed UTF-16 unit into `ring` as its CP932 bytes, both or none.
void put_typed(KeyRing* ring, wchar_t ch);

}  // namespace rt::platform
