// The plain fixed field: a number already rounded to its decimals, as
// whole units of its last decimal, written right to left into its field
// with blanks before the digits. PRINT USING's fixed fields take this path
// whenever they can (picture.cpp), and so do the vertex lines: one
// formatter for both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rt {

inline constexpr uint64_t kPow10[20] = {1ull,
                                        10ull,
                                        100ull,
                                        1000ull,
                                        10000ull,
                                        100000ull,
                                        1000000ull,
                                        10000000ull,
                                        100000000ull,
                                        1000000000ull,
                                        10000000000ull,
                                        100000000000ull,
                                        1000000000000ull,
                                        10000000000000ull,
                                        100000000000000ull,
                                        1000000000000000ull,
                                        10000000000000000ull,
                                        100000000000000000ull,
                                        1000000000000000000ull,
                                        10000000000000000000ull};

// Room a plain field takes at its start: its width (I + point + D) is at
// most 19 bytes, the rest is filled with blanks.
constexpr size_t kFixedRoom = 32;

namespace detail {

// Writes the two digits of n < 100 just before p and moves p back.
inline void put_pair(char*& p, uint32_t n) {
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  p -= 2;
  std::memcpy(p, kPairs + n * 2, 2);
}

// The three digits of every n < 1000, each in four bytes (a blank first),
// so that a group is one four-byte store.
struct Triples {
  char bytes[4000];
  constexpr Triples() : bytes() {
    for (int n = 0; n < 1000; ++n) {
      bytes[4 * n] = ' ';
      bytes[4 * n + 1] = static_cast<char>('0' + n / 100);
      bytes[4 * n + 2] = static_cast<char>('0' + n / 10 % 10);
      bytes[4 * n + 3] = static_cast<char>('0' + n % 10);
    }
  }
};
inline constexpr Triples kTriples;

// Writes the three digits of n < 1000 just before p and moves p back; the
// byte before them gets a blank, so p - 4 must still be inside the field.
inline void put_triple(char*& p, uint32_t n) {
  p -= 3;
  std::memcpy(p - 1, kTriples.bytes + n * 4, 4);
}

}  // namespace detail

// Writes the plain field (I positions before the point, D decimals, D a
// constant so that the digit splits divide by constants) of a value already
// rounded to it, given as value * 10^D with 10^D <= scaled < 10^(I+D), at
// `out` (which has room for kFixedRoom bytes); returns its end.
template <int D>
inline char* write_plain(int I, bool point, uint64_t scaled, char* out) {
  uint64_t integer = scaled / kPow10[D];
  uint32_t fraction = static_cast<uint32_t>(scaled - integer * kPow10[D]);
  // Right to left in place, over a fill of blanks.
  std::memset(out, ' ', kFixedRoom);
  char* const end = out + I + (point ? 1 : 0) + D;
  char* p = end;
  // Decimals three at a time (the byte before a group is the point or a
  // digit, written afterwards), then the one or two left over.
  for (int k = 0; k + 3 <= D; k += 3, fraction /= 1000) detail::put_triple(p, fraction % 1000);
  if (D % 3 == 2)
    detail::put_pair(p, fraction);
  else if (D % 3 == 1)
    *--p = static_cast<char>('0' + fraction);
  if (point) *--p = '.';
  // Integer digits: whole groups while more digits follow, then the top
  // one to three.
  for (; integer >= 1000; integer /= 1000)
    detail::put_triple(p, static_cast<uint32_t>(integer % 1000));
  const uint32_t top = static_cast<uint32_t>(integer);
  if (top >= 100) {
    p -= 3;
    std::memcpy(p, detail::kTriples.bytes + top * 4 + 1, 3);
  } else if (top >= 10) {
    detail::put_pair(p, top);
  } else {
    *--p = static_cast<char>('0' + top);
  }
  return end;
}

// The field "####.######" (integer_positions 4) or "###.######" (3) of a
// value given as whole millionths, 10^6 <= millionths < 10^(positions + 6).
inline char* fixed_millionths(int integer_positions, uint64_t millionths, char* out) {
  return write_plain<6>(integer_positions, true, millionths, out);
}

}  // namespace rt
