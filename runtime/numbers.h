// Numbers: VAL, the integer conversions and the floating-point check.
//
// Expressions are evaluated in the processor's 80-bit extended format
// (long double); fp_check() is called after each floating-point expression
// and turns the sticky exception flags into run-time errors. Stores to 16-
// and 32-bit variables round to nearest with ties to even; integer
// arguments of string functions round half away from zero.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>

#include "runtime/byte_words.h"
#include "runtime/strings.h"

namespace rt {

// VAL: reads the number at the start of s (after leading blanks) and returns
// it typed as the run-time types it: whole values that fit 16 or 32 bits
// exactly, an E exponent or fewer than 8 significant digits as single
// precision, a D exponent or 8 or more digits as double precision.
long double val(BytesView s);
namespace detail {
long double val_general(BytesView s);
// VAL without its overflow error: false (value 0) when the number is beyond
// the range of the type it takes, or an &H/&O number beyond 32 bits.
bool read_number(BytesView s, long double& value);
[[noreturn]] void fp_raise();
}  // namespace detail

// VAL's common case, read as one word: one to eight digits at the very
// start of s, ended by its end or by a byte that cannot continue a number
// (anything but a digit, '.', 'E', 'e', 'D' and 'd'). True, with the value
// VAL gives them: a whole number, typed as an integer, so exact.
inline bool whole_number(BytesView s, uint32_t& value) {
  const size_t n = s.size();
  if (n == 0) return false;
  const uint64_t w = words::load_upto8(s.data(), n);
  const unsigned c = words::leading_digits(w);
  if (c == 0) return false;
  if (c < n) {
    const char next = s[c];
    const char lower = static_cast<char>(next | 0x20);
    if ((next >= '0' && next <= '9') || next == '.' || lower == 'e' || lower == 'd') return false;
  }
  value = words::digits_value(w, c);
  return true;
}

inline long double val(BytesView s) {
  if (uint32_t v; whole_number(s, v)) return v;
  return detail::val_general(s);
}

namespace detail {
// v rounded to nearest, ties to even (the rounding mode is always nearest:
// fp_reset keeps it so), for v inside the 32-bit range. On x87 a plain
// FISTP, without the control-word switch a C++ conversion would make.
inline int32_t round_in_range(long double v) {
#if defined(__x86_64__) || defined(__i386__)
  int32_t r;
  __asm__("fistpl %0" : "=m"(r) : "t"(v) : "st");
  return r;
#else
  return static_cast<int32_t>(std::lrintl(v));
#endif
}
int16_t to_int16_outside(long double v);
[[noreturn]] void narrow_overflow();
}  // namespace detail

// Store into a 16-bit integer variable: ties to even, error 6 outside range.
inline int16_t to_int16(long double v) {
  if (v >= -32768.0L && v <= 32767.0L) return static_cast<int16_t>(detail::round_in_range(v));
  return detail::to_int16_outside(v);
}
// Store into a 32-bit long variable: ties to even, error 6 outside range.
int32_t to_int32_rounded(long double v);
inline int32_t to_int32(long double v) {
  if (v >= -2147483648.0L && v <= 2147483647.0L) return detail::round_in_range(v);
  return to_int32_rounded(v);
}
// VAL stored into a 32-bit variable, to_int32(val(s)): a whole number of
// VAL's common case (which always fits) goes straight to the integer.
inline int32_t val_to_int32(BytesView s) {
  if (uint32_t v; whole_number(s, v)) return static_cast<int32_t>(v);
  return to_int32(val(s));
}
// Numeric argument that must be an integer: ties away from zero, 32 bits.
int32_t int_arg(long double v);
// A 32-bit result stored into a 16-bit integer: checked, not rounded.
inline int16_t narrow16(int64_t v) {
  if (v < -32768 || v > 32767) [[unlikely]]
    detail::narrow_overflow();
  return static_cast<int16_t>(v);
}

// Floating check after an expression: invalid operation raises 5, division
// by zero 11, overflow 6. Underflow and inexact results pass.
inline void fp_check() {
#if defined(__x86_64__)
  // The x87 status word and MXCSR keep invalid (01), zero-divide (04) and
  // overflow (08) in the same bits.
  unsigned short status;
  unsigned int mxcsr;
  __asm__ volatile("fnstsw %0" : "=m"(status));
  __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
  if ((status | mxcsr) & 0x0D) detail::fp_raise();
#else
  if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW)) detail::fp_raise();
#endif
}

// Puts the floating-point unit into its start state: round to nearest,
// exceptions masked, flags clear.
void fp_reset();

}  // namespace rt
