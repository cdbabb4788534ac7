#include "runtime/platform/codepage.h"

#include <windows.h>

#include "runtime/base/cp932.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {

bool cp932_to_utf8(std::string_view cp932, std::string& utf8) {
  std::wstring utf16;
  if (!to_utf16(kCodePage932, cp932, utf16, true)) return false;
  utf8 = from_utf16(CP_UTF8, utf16);
  return true;
}

// Character by character, so that each byte that does not convert becomes
// one U+FFFD, as on every system.
std::string cp932_to_utf8_display(std::string_view cp932) {
  std::wstring utf16, one;
  for (size_t i = 0; i < cp932.size();) {
    const size_t n = char_length(cp932, i);
    if (to_utf16(kCodePage932, cp932.substr(i, n), one, true)) {
      utf16 += one;
      i += n;
    } else {
      utf16 += L'\xFFFD';
      ++i;
    }
  }
  return from_utf16(CP_UTF8, utf16);
}

std::string utf8_to_cp932(std::string_view utf8) {
  std::wstring utf16;
  to_utf16(CP_UTF8, utf8, utf16, false);
  return from_utf16(kCodePage932, utf16);
}

}  // namespace rt::platform
