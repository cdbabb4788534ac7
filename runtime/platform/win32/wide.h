// The one conversion between the program's text and UTF-16, for the
// system's wide (W) functions. The program holds its text as CP932 bytes
// whatever the system's ANSI code page is; every text handed to the system
// is turned into UTF-16 here, explicitly from code page 932, and every text
// the system hands back is turned into CP932. The code-page layer
// (codepage.cpp) goes through UTF-16 here too, for UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace rt::platform {

constexpr UINT kCodePage932 = 932;

// Bytes in code page `cp` (932 or UTF-8) as UTF-16. Strict: false at a
// sequence that does not convert; otherwise such bytes become the system's
// replacement character, as the ANSI functions of a 932 system do.
inline bool to_utf16(UINT cp, std::string_view in, std::wstring& out, bool strict) {
  out.clear();
  if (in.empty()) return true;
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int n = static_cast<int>(in.size());
  const int len = MultiByteToWideChar(cp, flags, in.data(), n, nullptr, 0);
  if (len <= 0) return false;
  out.resize(static_cast<size_t>(len));
  return MultiByteToWideChar(cp, flags, in.data(), n, out.data(), len) == len;
}

// UTF-16 in code page `cp` (932 or UTF-8). In code page 932 a character
// without a CP932 form becomes '?', and `lost` (when given) tells whether
// one did.
inline std::string from_utf16(UINT cp, std::wstring_view in, BOOL* lost = nullptr) {
  std::string out;
  if (in.empty()) return out;
  const int n = static_cast<int>(in.size());
  const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = cp == CP_UTF8 ? nullptr : "?";
  const int len = WideCharToMultiByte(cp, flags, in.data(), n, nullptr, 0, fallback, nullptr);
  if (len <= 0) return out;
  out.resize(static_cast<size_t>(len));
  WideCharToMultiByte(cp, flags, in.data(), n, out.data(), len, fallback, lost);
  return out;
}

// CP932 bytes as UTF-16.
inline std::wstring wide(std::string_view cp932) {
  std::wstring out;
  to_utf16(kCodePage932, cp932, out, false);
  return out;
}

// UTF-16 as CP932 bytes.
inline std::string narrow(std::wstring_view utf16, BOOL* lost = nullptr) {
  return from_utf16(kCodePage932, utf16, lost);
}

// A NUL-terminated CP932 text as UTF-16 into a buffer of `units`, without
// allocating (for the fault filter); empty when it does not fit.
inline void wide_into(const char* cp932, wchar_t* buffer, int units) {
  if (MultiByteToWideChar(kCodePage932, 0, cp932, -1, buffer, units) == 0) buffer[0] = L'\0';
}

}  // namespace rt::platform
