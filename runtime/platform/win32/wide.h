// CP932 <-> UTF-16 for the system's wide (W) functions. The program holds
// its text as CP932 bytes whatever the system's ANSI code page is; every
// text handed to the system is turned into UTF-16 here, explicitly from
// code page 932, and every text the system hands back is turned into CP932.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace rt::platform {

constexpr UINT kCodePage932 = 932;

// CP932 bytes as UTF-16; a byte that does not convert becomes the system's
// replacement character, as the ANSI functions of a 932 system do.
inline std::wstring wide(std::string_view cp932) {
  std::wstring out;
  if (cp932.empty()) return out;
  const int n = static_cast<int>(cp932.size());
  const int len = MultiByteToWideChar(kCodePage932, 0, cp932.data(), n, nullptr, 0);
  if (len <= 0) return out;
  out.resize(static_cast<size_t>(len));
  MultiByteToWideChar(kCodePage932, 0, cp932.data(), n, out.data(), len);
  return out;
}

// UTF-16 as CP932 bytes; a character without a CP932 form becomes '?'.
inline std::string narrow(std::wstring_view utf16) {
  std::string out;
  if (utf16.empty()) return out;
  const int n = static_cast<int>(utf16.size());
  const int len = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, utf16.data(), n, nullptr,
                                      0, "?", nullptr);
  if (len <= 0) return out;
  out.resize(static_cast<size_t>(len));
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, utf16.data(), n, out.data(), len, "?",
                      nullptr);
  return out;
}

}  // namespace rt::platform
