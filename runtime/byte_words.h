// Eight bytes at a time: the word tests behind the run-time's hot scans
// (line ends, print columns, searches) and the digits of VAL.
//
// A word is eight bytes loaded little-endian: byte 0 of the text is the
// lowest byte of the word. Each test is exact: it reports a byte only when
// one is there.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rt::words {

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHighs = 0x8080808080808080ull;

inline uint64_t load(const char* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// Non-zero when some byte of w is zero. Bytes above a zero byte may be
// flagged too, so the lowest flagged byte is the first zero byte.
inline uint64_t zero_byte(uint64_t w) {
  return (w - kOnes) & ~w & kHighs;
}

// Non-zero when some byte of w equals b.
inline uint64_t has_byte(uint64_t w, unsigned char b) {
  return zero_byte(w ^ (kOnes * b));
}

// Non-zero when some byte of w is below n (n <= 128).
inline uint64_t byte_below(uint64_t w, unsigned char n) {
  return (w - kOnes * n) & ~w & kHighs;
}

// The number of digit bytes ('0' to '9') at the start of w, 0 to 8. A
// carry or borrow starts only at a non-digit byte and runs upwards, so the
// bytes below the first non-digit, and that byte itself, are tested exactly.
inline unsigned leading_digits(uint64_t w) {
  const uint64_t other = ((w + 0x4646464646464646ull) | (w - 0x3030303030303030ull)) & kHighs;
  return other ? static_cast<unsigned>(__builtin_ctzll(other)) / 8 : 8;
}

// The value of the first c digit bytes of w (1 <= c <= 8, first byte most
// significant): moved to the top with '0's below them, then pairs, fours and
// the eight by multiplications.
inline uint32_t digits_value(uint64_t w, unsigned c) {
  constexpr uint64_t kZeros = 0x3030303030303030ull;
  constexpr uint64_t kMask = 0x000000FF000000FFull;
  constexpr uint64_t kMul1 = 100 + (1000000ull << 32);
  constexpr uint64_t kMul2 = 1 + (10000ull << 32);
  const unsigned pad = 8 * (8 - c);
  if (pad) w = (w << pad) | (kZeros >> (64 - pad));
  w -= kZeros;
  w = w * 10 + (w >> 8);
  return static_cast<uint32_t>((((w & kMask) * kMul1) + (((w >> 16) & kMask) * kMul2)) >> 32);
}

// The text p[0..n) (1 <= n <= 8) as the low bytes of a word, zero bytes
// above it: overlapping loads inside the text, never past p + n.
inline uint64_t load_upto8(const char* p, size_t n) {
  if (n >= 8) return load(p);
  if (n >= 4) {
    uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + n - 4, 4);
    return lo | uint64_t{hi} << (8 * (n - 4));
  }
  if (n >= 2) {
    uint16_t lo, hi;
    std::memcpy(&lo, p, 2);
    std::memcpy(&hi, p + n - 2, 2);
    return lo | uint64_t{hi} << (8 * (n - 2));
  }
  return static_cast<unsigned char>(p[0]);
}

// True when some byte of p[0..n) is below b (b <= 128). Short texts and
// the tail are read by overlapping loads inside the text (a partial word
// built in memory would stall the load that reads it back).
inline bool any_below(const char* p, size_t n, unsigned char b) {
  if (n >= 8) {
    for (size_t k = 0; k + 8 <= n; k += 8)
      if (byte_below(load(p + k), b)) return true;
    return n % 8 != 0 && byte_below(load(p + n - 8), b) != 0;
  }
  uint64_t w;
  if (n >= 4) {
    uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + n - 4, 4);
    w = lo | uint64_t{hi} << 32;
  } else if (n >= 2) {
    uint16_t lo, hi;
    std::memcpy(&lo, p, 2);
    std::memcpy(&hi, p + n - 2, 2);
    w = lo | uint64_t{hi} << 16 | 0xFFFFFFFF00000000ull;  // FF: never below b
  } else if (n == 1) {
    w = static_cast<unsigned char>(p[0]) | 0xFFFFFFFFFFFFFF00ull;
  } else {
    return false;
  }
  return byte_below(w, b) != 0;
}

// Copies n <= 16 bytes with at most four loads and stores, overlapping.
inline void copy_short(char* d, const char* s, size_t n) {
  if (n >= 8) {
    const uint64_t a = load(s), b = load(s + n - 8);
    std::memcpy(d, &a, 8);
    std::memcpy(d + n - 8, &b, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, s, 4);
    std::memcpy(&b, s + n - 4, 4);
    std::memcpy(d, &a, 4);
    std::memcpy(d + n - 4, &b, 4);
  } else if (n > 0) {
    d[0] = s[0];
    d[n / 2] = s[n / 2];
    d[n - 1] = s[n - 1];
  }
}

// Copies n <= 32 bytes: two overlapping halves of at most 16.
inline void copy_upto32(char* d, const char* s, size_t n) {
  if (n <= 16) return copy_short(d, s, n);
  char a[16], b[16];
  std::memcpy(a, s, 16);
  std::memcpy(b, s + n - 16, 16);
  std::memcpy(d, a, 16);
  std::memcpy(d + n - 16, b, 16);
}

// The index of the first CR, 00 or 1A byte in p[0..n), or n: sixteen bytes
// a step where SSE2 is there, else a word a step, exact in both.
inline size_t line_stop(const char* p, size_t n) {
  size_t k = 0;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), nul = _mm_setzero_si128(), sub = _mm_set1_epi8(0x1A);
  for (; k + 16 <= n; k += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, nul)),
                                     _mm_cmpeq_epi8(v, sub));
    if (const int bits = _mm_movemask_epi8(hit))
      return k + static_cast<size_t>(__builtin_ctz(bits));
  }
#endif
  for (; k + 8 <= n; k += 8) {
    const uint64_t w = load(p + k);
    // The lowest flagged byte of each test is exact.
    if (const uint64_t hit = has_byte(w, '\r') | zero_byte(w) | has_byte(w, 0x1A))
      return k + static_cast<size_t>(__builtin_ctzll(hit)) / 8;
  }
  while (k < n && p[k] != '\r' && p[k] != 0 && p[k] != 0x1A) ++k;
  return k;
}

// The index of the first place where t[0..k) (2 <= k <= n) occurs in
// p[0..n), or n. Where SSE2 is there, sixteen places a step are tested on
// their first and last byte at once and only those passing both are
// compared; else, and for the last places, the library's search.
inline size_t find(const char* p, size_t n, const char* t, size_t k) {
  const size_t places = n - k + 1;
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(t[0]), last = _mm_set1_epi8(t[k - 1]);
  for (; i + 16 <= places; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + k - 1));
    for (unsigned bits = static_cast<unsigned>(
             _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
         bits != 0; bits &= bits - 1) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(bits));
      if (k == 2 || std::memcmp(p + at + 1, t + 1, k - 2) == 0) return at;
    }
  }
#endif
  const size_t rest = std::string_view(p + i, n - i).find(std::string_view(t, k));
  return rest == std::string_view::npos ? n : i + rest;
}

}  // namespace rt::words
