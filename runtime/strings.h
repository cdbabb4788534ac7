// Byte strings and their operations.
//
// Text is a sequence of bytes in code page 932; positions and lengths count
// bytes from 1, and a double-byte character occupies two positions. Strings
// are values: assigning copies. The cutting operations return views into
// their argument; storing a view into a Bytes variable makes the copy.
// Every invalid argument raises error 5; a count or position outside 32 bits
// raises error 6.
#pragma once

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "runtime/byte_words.h"
#include "runtime/base/cp932.h"

namespace rt {

namespace detail {
enum class Cut : uint8_t { kLeft, kRight, kMid };
// Raises the error for a bad count or position of a cut (5, or 6 beyond 32 bits).
[[noreturn]] void bad_cut(Cut cut, int64_t position, int64_t count);
}  // namespace detail

// LEFT$: the first n bytes (the whole string when n exceeds its length).
inline BytesView left(BytesView s, int64_t n) {
  if (n < 0 || n > INT32_MAX) [[unlikely]]
    detail::bad_cut(detail::Cut::kLeft, 1, n);
  return s.substr(0, static_cast<size_t>(n));
}
// RIGHT$: the last n bytes.
inline BytesView right(BytesView s, int64_t n) {
  if (n < 0 || n > INT32_MAX) [[unlikely]]
    detail::bad_cut(detail::Cut::kRight, 1, n);
  size_t c = static_cast<size_t>(n);
  return c >= s.size() ? s : s.substr(s.size() - c);
}
// MID$: n bytes from byte p; empty when p is beyond the end.
inline BytesView mid(BytesView s, int64_t p, int64_t n) {
  if (p < 1 || n < 0 || p > INT32_MAX || n > INT32_MAX) [[unlikely]]
    detail::bad_cut(detail::Cut::kMid, p, n);
  size_t start = static_cast<size_t>(p) - 1;
  if (start >= s.size()) return {};
  return s.substr(start, static_cast<size_t>(n));
}
// MID$ without a count: everything from byte p.
inline BytesView mid(BytesView s, int64_t p) {
  return mid(s, p, INT32_MAX);
}
// INSTR: first position of t in s at or after p, or 0. Plain byte search:
// a match may start on the trail byte of a double-byte character.
namespace detail {
int32_t instr_general(int64_t p, BytesView s, BytesView t);
// The search for one byte from s[start] (start < s's length), a word at a
// time: separators are usually a few bytes away, too near for the library
// search to pay for its call.
inline int32_t instr_byte(size_t start, BytesView s, char c) {
  const char* d = s.data();
  const size_t n = s.size();
  size_t k = start;
  for (; k + 8 <= n; k += 8)
    if (const uint64_t hit = words::has_byte(words::load(d + k), static_cast<unsigned char>(c)))
      return static_cast<int32_t>(k + static_cast<size_t>(__builtin_ctzll(hit)) / 8 + 1);
  for (; k < n; ++k)
    if (d[k] == c) return static_cast<int32_t>(k + 1);
  return 0;
}
}  // namespace detail
inline int32_t instr(int64_t p, BytesView s, BytesView t) {
  if (t.size() == 1 && p >= 1 && static_cast<uint64_t>(p) <= s.size() && p <= INT32_MAX)
    return detail::instr_byte(static_cast<size_t>(p) - 1, s, t[0]);
  return detail::instr_general(p, s, t);
}
// LEN.
int32_t len(BytesView s);
// CHR$ of one or more codes 0..255.
Bytes chr(std::initializer_list<int64_t> codes);
// Concatenation with the 2,147,483,647-byte limit (error 15).
Bytes concat(BytesView a, BytesView b);

}  // namespace rt
