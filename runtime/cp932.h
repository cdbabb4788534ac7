// Text as the program holds it: bytes in code page 932 (Shift-JIS). The
// bottom of the run-time, which every other part (its operating-system
// layer and the conversion too) may use: the byte-string types, the
// lead-byte rule, and the program's own texts as CP932.
#pragma once

#include <string>
#include <string_view>

namespace rt {

using Bytes = std::string;
using BytesView = std::string_view;

// Shift-JIS lead bytes: 81-9F and E0-FC hexadecimal.
constexpr bool is_lead_byte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A text of the program, written in UTF-8 in the source, as CP932 bytes
// (converted by the operating-system layer's code page).
std::string sjis(std::string_view utf8);

}  // namespace rt
