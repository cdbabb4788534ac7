#include "runtime/numbers.h"

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime/errors.h"

namespace rt {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// &H and &O literals: up to 16 bits read as a 16-bit integer, up to 32 bits
// as a 32-bit integer (the bit pattern gives the sign); false for more.
bool val_radix(BytesView s, size_t i, int radix, long double& value) {
  uint64_t v = 0;
  for (; i < s.size(); ++i) {
    int d = hex_value(s[i]);
    if (d < 0 || d >= radix) break;
    v = v * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
    if (v > 0xFFFFFFFFu) return false;
  }
  if (v <= 0xFFFF)
    value = static_cast<int16_t>(static_cast<uint16_t>(v));
  else
    value = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
}

// 10^n for n <= 27, exact in 80 bits.
long double pow10_exact(int n) {
  static const auto kTable = [] {
    std::array<long double, 28> t{};
    t[0] = 1;
    for (size_t k = 1; k < t.size(); ++k) t[k] = t[k - 1] * 10;
    return t;
  }();
  return kTable[static_cast<size_t>(n)];
}

long double to_single_or_double(long double v) {
  if (std::fabs(v) <= std::numeric_limits<float>::max()) return static_cast<float>(v);
  return static_cast<double>(v);
}

}  // namespace

bool detail::read_number(BytesView s, long double& value) {
  value = 0;
  size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i == n) return true;

  if (s[i] == '&') {
    if (i + 1 < n && (s[i + 1] == 'H' || s[i + 1] == 'h')) return val_radix(s, i + 2, 16, value);
    if (i + 1 < n && (s[i + 1] == 'O' || s[i + 1] == 'o')) return val_radix(s, i + 2, 8, value);
    return true;
  }

  bool negative = false;
  size_t j = i;
  if (s[j] == '+' || s[j] == '-') {
    negative = s[j] == '-';
    ++j;
    if (j >= n || !(is_digit(s[j]) || s[j] == '.')) return true;
  }
  if (s[j] == '.' && !(j + 1 < n && is_digit(s[j + 1])) && j == i) return true;
  if (!is_digit(s[j]) && s[j] != '.') return true;

  // General form: mantissa digits, optional fraction, optional exponent.
  char buf[80];
  size_t b = 0;
  auto put = [&](char c) {
    if (b < sizeof buf - 8) buf[b++] = c;
  };
  if (negative) put('-');
  int significant = 0, dropped = 0;
  bool seen_nonzero = false, fraction = false;
  int exponent_adjust = 0;
  for (; j < n; ++j) {
    char c = s[j];
    if (c == '.' && !fraction) {
      fraction = true;
      continue;
    }
    if (!is_digit(c)) break;
    if (c != '0') seen_nonzero = true;
    if (!seen_nonzero) {
      if (fraction) --exponent_adjust;
      continue;
    }
    if (fraction) --exponent_adjust;
    ++significant;
    if (significant <= 40) {
      put(c);
    } else {
      ++dropped;
    }
  }
  int exponent = 0;
  char letter = 0;
  if (j < n && (s[j] == 'E' || s[j] == 'e' || s[j] == 'D' || s[j] == 'd')) {
    letter = static_cast<char>(s[j] == 'e' ? 'E' : s[j] == 'd' ? 'D' : s[j]);
    ++j;
    bool exp_negative = false;
    if (j < n && (s[j] == '+' || s[j] == '-')) exp_negative = s[j++] == '-';
    while (j < n && is_digit(s[j])) {
      if (exponent < 100000) exponent = exponent * 10 + (s[j] - '0');
      ++j;
    }
    if (exp_negative) exponent = -exponent;
  }
  if (!seen_nonzero) return true;
  // buf holds the sign and the significant digits d1 d2 ...: value =
  // d1d2... * 10^scale, correctly rounded to 80 bits.
  int scale = exponent + exponent_adjust + dropped;
  long double v;
  const size_t first = negative ? 1 : 0;
  if (b - first <= 19 && scale >= -27 && scale <= 27) {
    // Both factors exact (19 digits and 10^27 fit the 64-bit mantissa), so
    // one multiplication or division rounds once, as the library's reading
    // does, and cannot overflow.
    uint64_t digits = 0;
    for (size_t k = first; k < b; ++k) digits = digits * 10 + static_cast<uint64_t>(buf[k] - '0');
    const long double p = pow10_exact(scale < 0 ? -scale : scale);
    v = scale < 0 ? static_cast<long double>(digits) / p : static_cast<long double>(digits) * p;
    if (negative) v = -v;
  } else {
    b += static_cast<size_t>(std::snprintf(buf + b, sizeof buf - b, "E%d", scale));
    buf[b] = 0;
    v = std::strtold(buf, nullptr);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (std::isinf(v)) return false;
  }

  // The type: E single precision, D double precision, whole values that fit
  // 32 bits exactly, then by the count of significant digits.
  if (letter == 'E' || (letter == 0 && significant < 8 && std::truncl(v) != v))
    v = to_single_or_double(v);
  else if (!(letter == 0 && std::truncl(v) == v && v >= -2147483648.0L && v <= 2147483647.0L))
    v = static_cast<double>(v);
  if (std::isinf(v)) return false;
  value = v;
  return true;
}

long double detail::val_general(BytesView s) {
  long double v;
  if (!read_number(s, v)) raise_error(kOverflow, loc(Op::kVal, 1));
  return v;
}

// Just outside the range a tie may still round into it (-32768.5 -> -32768).
int16_t detail::to_int16_outside(long double v) {
  long double r = std::nearbyintl(v);
  if (!(r >= -32768.0L && r <= 32767.0L)) raise_error(kOverflow, loc(Op::kStoreInt, 1));
  return static_cast<int16_t>(r);
}

int32_t to_int32_rounded(long double v) {
  long double r = std::nearbyintl(v);
  if (!(r >= -2147483648.0L && r <= 2147483647.0L)) raise_error(kOverflow, loc(Op::kStoreLong, 1));
  return static_cast<int32_t>(r);
}

int32_t int_arg(long double v) {
  long double r = v >= 0 ? std::truncl(v + 0.5L) : std::truncl(v - 0.5L);
  if (!(r >= -2147483648.0L && r <= 2147483647.0L)) raise_error(kOverflow, loc(Op::kIntArg, 1));
  return static_cast<int32_t>(r);
}

void detail::narrow_overflow() {
  raise_error(kOverflow, loc(Op::kNarrow, 1));
}

void detail::fp_raise() {
  int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  std::feclearexcept(FE_ALL_EXCEPT);
  if (flags & FE_INVALID) raise_error(kIllegalCall, loc(Op::kFloatCheck, 1));
  if (flags & FE_DIVBYZERO) raise_error(kDivisionByZero, loc(Op::kFloatCheck, 2));
  raise_error(kOverflow, loc(Op::kFloatCheck, 3));
}

void fp_reset() {
#if defined(__x86_64__) || defined(__i386__)
  // x87: 64-bit mantissa, round to nearest, every exception masked (0x037F),
  // set explicitly: Windows starts programs with a 53-bit mantissa. SSE:
  // round to nearest, exceptions masked (0x1F80).
  const unsigned short x87 = 0x037F;
  const unsigned int mxcsr = 0x1F80;
  __asm__ volatile("fldcw %0" : : "m"(x87));
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
#endif
  std::fesetround(FE_TONEAREST);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace rt
