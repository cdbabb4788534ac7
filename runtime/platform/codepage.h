// Code page 932 <-> UTF-8, at the operating-system boundary only (file
// names, terminal output, typed input). Inside the program text is CP932;
// the program's own texts are converted here too (sjis, runtime/base/cp932.h).
#pragma once

#include <string>
#include <string_view>

namespace rt::platform {

// Converts CP932 bytes to UTF-8. Returns false (and leaves out partial) when
// the bytes are not valid CP932.
bool cp932_to_utf8(std::string_view cp932, std::string& utf8);
// Lenient form for display: a byte that does not convert becomes U+FFFD.
std::string cp932_to_utf8_display(std::string_view cp932);
// Converts UTF-8 to CP932; a character without a CP932 form becomes '?'.
std::string utf8_to_cp932(std::string_view utf8);

}  // namespace rt::platform
