// Text as the program holds it: bytes in code page 932 (Shift-JIS). The
// bottom of the run-time, which every other part (its operating-system
// layer and the conversion too) may use: the byte-string types, the
// lead-byte rule and the one walk over a text's characters. It includes
// nothing of the program's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

using Bytes = std::string;
using BytesView = std::string_view;

// Shift-JIS lead bytes: 81-9F and E0-FC hexadecimal.
constexpr bool is_lead_byte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the character that starts at byte i of text: 2 for a lead
// byte with a byte after it (that trail byte may be 5C or any other), 1
// otherwise; a lead byte at the very end stands alone.
constexpr size_t char_length(BytesView text, size_t i) {
  return is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// One character of a text: where it starts and its one or two bytes.
struct Character {
  size_t at;
  BytesView bytes;
  // Whether it is the single byte b (never true of a double-byte character).
  constexpr bool is(char b) const { return bytes.size() == 1 && bytes[0] == b; }
};

// The characters of a text, front to back:
//   for (const Character c : characters(text)) ...
class Characters {
 public:
  class Iterator {
   public:
    constexpr Iterator(BytesView text, size_t at) : text_(text), at_(at) {}
    constexpr Character operator*() const {
      return {at_, text_.substr(at_, char_length(text_, at_))};
    }
    constexpr Iterator& operator++() {
      at_ += char_length(text_, at_);
      return *this;
    }
    constexpr bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    BytesView text_;
    size_t at_;
  };

  constexpr explicit Characters(BytesView text) : text_(text) {}
  constexpr Iterator begin() const { return {text_, 0}; }
  constexpr Iterator end() const { return {text_, text_.size()}; }

 private:
  BytesView text_;
};

constexpr Characters characters(BytesView text) {
  return Characters(text);
}

// The parts of `text` between the single-byte characters listed in
// `separators` (a trail byte equal to one is part of its character), empty
// parts left out: the components of a path or a registry key.
std::vector<BytesView> split(BytesView text, BytesView separators);

}  // namespace rt
