#include "runtime/platform/codepage.h"

#include <windows.h>

#include "runtime/cp932.h"

namespace rt::platform {
namespace {

constexpr UINT kShiftJis = 932;

// Converts between a code page and UTF-16. Returns false on an invalid
// sequence when `strict`.
bool to_wide(UINT cp, std::string_view in, std::wstring& out, bool strict) {
  out.clear();
  if (in.empty()) return true;
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int n = static_cast<int>(in.size());
  int len = MultiByteToWideChar(cp, flags, in.data(), n, nullptr, 0);
  if (len <= 0) return false;
  out.resize(static_cast<size_t>(len));
  return MultiByteToWideChar(cp, flags, in.data(), n, out.data(), len) == len;
}

std::string from_wide(UINT cp, const std::wstring& in) {
  if (in.empty()) return {};
  const int n = static_cast<int>(in.size());
  const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = cp == CP_UTF8 ? nullptr : "?";
  int len = WideCharToMultiByte(cp, flags, in.data(), n, nullptr, 0, fallback, nullptr);
  std::string out(static_cast<size_t>(len > 0 ? len : 0), '\0');
  if (len > 0) WideCharToMultiByte(cp, flags, in.data(), n, out.data(), len, fallback, nullptr);
  return out;
}

}  // namespace

bool cp932_to_utf8(std::string_view cp932, std::string& utf8) {
  std::wstring wide;
  if (!to_wide(kShiftJis, cp932, wide, true)) return false;
  utf8 = from_wide(CP_UTF8, wide);
  return true;
}

// Character by character, so that each byte that does not convert becomes
// one U+FFFD, as on every system.
std::string cp932_to_utf8_display(std::string_view cp932) {
  std::wstring wide, one;
  for (size_t i = 0; i < cp932.size();) {
    const size_t n = char_length(cp932, i);
    if (to_wide(kShiftJis, cp932.substr(i, n), one, true)) {
      wide += one;
      i += n;
    } else {
      wide += L'\xFFFD';
      ++i;
    }
  }
  return from_wide(CP_UTF8, wide);
}

std::string utf8_to_cp932(std::string_view utf8) {
  std::wstring wide;
  to_wide(CP_UTF8, utf8, wide, false);
  return from_wide(kShiftJis, wide);
}

}  // namespace rt::platform
