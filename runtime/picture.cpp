#include "runtime/picture.h"

#include <cmath>
#include <cstdio>

#include "runtime/errors.h"

namespace rt {
namespace {

constexpr uint64_t kTen15 = 1000000000000000ull;
constexpr uint64_t kTen16 = 10000000000000000ull;

unsigned __int128 pow10_128(int n) {
  unsigned __int128 r = 1;
  while (n-- > 0) r *= 10;
  return r;
}

// Exact digits through 128-bit integers: value * 10^s = m * 2^ex * 10^s.
// Returns false when the product does not fit.
bool scaled_exact(uint64_t m, int ex, int s, unsigned __int128& floor_part, bool& half_up) {
  if (s < 0 || s > 22) return false;
  unsigned __int128 num = static_cast<unsigned __int128>(m) * pow10_128(s);
  if (ex >= 0) {
    if (ex > 126 - 53 - 74) return false;
    floor_part = num << ex;
    half_up = false;
    return true;
  }
  int shift = -ex;
  if (shift >= 127) return false;
  floor_part = num >> shift;
  half_up = ((num >> (shift - 1)) & 1) != 0;
  return true;
}

bool digits_exact(double value, uint64_t& digits, int& exponent) {
  int ex = 0;
  double fr = std::frexp(value, &ex);
  uint64_t m = static_cast<uint64_t>(std::ldexp(fr, 53));
  ex -= 53;
  int e = static_cast<int>(std::floor(std::log10(value)));
  for (int tries = 0; tries < 3; ++tries) {
    unsigned __int128 fl;
    bool half;
    if (!scaled_exact(m, ex, 15 - e, fl, half)) return false;
    if (fl >= kTen16) {
      ++e;
      continue;
    }
    if (fl < kTen15) {
      --e;
      continue;
    }
    uint64_t n = static_cast<uint64_t>(fl) + (half ? 1 : 0);
    if (n == kTen16) {
      n = kTen15;
      ++e;
    }
    digits = n;
    exponent = e;
    return true;
  }
  return false;
}

void digits_printf(double value, uint64_t& digits, int& exponent) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.39e", value);
  uint64_t n = 0;
  int count = 0;
  const char* p = buf;
  int next = 0;
  for (; *p && *p != 'e'; ++p) {
    if (*p < '0' || *p > '9') continue;
    if (count < 16) {
      n = n * 10 + static_cast<uint64_t>(*p - '0');
    } else if (count == 16) {
      next = *p - '0';
    }
    ++count;
  }
  int e = std::atoi(p + 1);
  if (next >= 5) ++n;
  if (n == kTen16) {
    n = kTen15;
    ++e;
  }
  digits = n;
  exponent = e;
}

}  // namespace

void decimal_digits16(double value, uint64_t& digits, int& exponent) {
  if (!digits_exact(value, digits, exponent)) digits_printf(value, digits, exponent);
}

void general_form(double value, Bytes& out) {
  out.push_back(value < 0 ? '-' : ' ');
  double a = std::fabs(value);
  if (a == 0 || !std::isfinite(a)) {
    out.push_back('0');
    return;
  }
  uint64_t d;
  int e;
  decimal_digits16(a, d, e);
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llu", static_cast<unsigned long long>(d));
  int count = 16;
  while (count > 1 && digits[count - 1] == '0') --count;
  if (e >= 16 || e < -16) {
    out.push_back(digits[0]);
    if (count > 1) {
      out.push_back('.');
      out.append(digits + 1, static_cast<size_t>(count - 1));
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "D%+03d", e);
    out.append(exp);
  } else if (e >= 0) {
    for (int k = 0; k <= e || k < count; ++k) {
      if (k == e + 1) out.push_back('.');
      out.push_back(k < count ? digits[k] : '0');
      if (k >= e && k + 1 >= count) break;
    }
  } else {
    out.push_back('.');
    for (int k = -1; k > e; --k) out.push_back('0');
    out.append(digits, static_cast<size_t>(count));
  }
}

Picture Picture::parse(BytesView format) {
  if (format.empty()) raise_error(kIllegalCall, loc(Op::kUsing, 1));
  Picture pic;
  size_t i = 0, n = format.size();
  auto starts_field = [&](size_t k) {
    char c = format[k];
    char d = k + 1 < n ? format[k + 1] : 0;
    return c == '#' || c == '\\' || (c == '*' && d == '*') ||
           (c == '+' && (d == '#' || d == '.' || d == '*')) || (c == '.' && d == '#');
  };
  while (i < n && !starts_field(i)) {
    if (format[i] == '_' && i + 1 < n) ++i;
    pic.before_.push_back(format[i++]);
  }
  if (i == n) raise_error(kTypeMismatch, loc(Op::kUsing, 2));
  NumericField& f = pic.field_;
  if (format[i] == '+') {
    f.plus_sign = true;
    ++f.integer_positions;
    ++i;
  }
  if (i + 1 < n && format[i] == '*' && format[i + 1] == '*') {
    f.asterisk_fill = true;
    f.integer_positions += 2;
    i += 2;
  }
  for (; i < n; ++i) {
    char c = format[i];
    if (c == '#' || c == '\\') {
      if (f.point)
        ++f.decimals;
      else
        ++f.integer_positions;
    } else if (c == ',' && !f.point) {
      f.thousands = true;
      ++f.integer_positions;
    } else if (c == '.' && !f.point) {
      f.point = true;
    } else {
      break;
    }
  }
  if (!f.plus_sign && i < n && (format[i] == '+' || format[i] == '-')) f.trailing_sign = format[i++];
  while (i < n) {
    if (format[i] == '_' && i + 1 < n) ++i;
    pic.after_.push_back(format[i++]);
  }
  return pic;
}

void Picture::format(double value, Bytes& out) const {
  out.append(before_);
  const NumericField& f = field_;
  const bool negative = value < 0;
  const double a = std::fabs(value);
  const int D = f.decimals;

  // M = the value times 10^D, rounded by the first dropped of its 16
  // generated digits; then split into integer and fraction digits.
  bool overflow = !std::isfinite(a);
  unsigned __int128 scaled = 0;
  if (!overflow && a != 0) {
    uint64_t digits;
    int e;
    decimal_digits16(a, digits, e);
    if (e + 1 > f.integer_positions || D > 30) {
      overflow = true;
    } else {
      int t = e - 15 + D;
      if (t >= 0) {
        scaled = static_cast<unsigned __int128>(digits) * pow10_128(t);
      } else if (-t <= 16) {
        unsigned __int128 p = pow10_128(-t - 1);
        unsigned __int128 upto = digits / p;  // kept digits and the first dropped one
        scaled = upto / 10 + (upto % 10 >= 5 ? 1 : 0);
      }
    }
  }
  char intdigits[48];
  int intlen = 0;
  char fracdigits[48];
  if (!overflow) {
    unsigned __int128 unit = pow10_128(D);
    unsigned __int128 ip = scaled / unit, fp = scaled % unit;
    for (int k = D - 1; k >= 0; --k, fp /= 10) fracdigits[k] = static_cast<char>('0' + fp % 10);
    char rev[48];
    int rlen = 0;
    for (; ip != 0 && rlen < 40; ip /= 10) rev[rlen++] = static_cast<char>('0' + ip % 10);
    for (int k = 0; k < rlen; ++k) {
      if (f.thousands && k > 0 && (rlen - k) % 3 == 0) intdigits[intlen++] = ',';
      intdigits[intlen++] = rev[rlen - 1 - k];
    }
  }
  const bool lead_sign = f.plus_sign || (negative && !f.trailing_sign);
  int needed = intlen + (lead_sign ? 1 : 0);
  const bool zero_digit = intlen == 0 && needed < f.integer_positions;
  if (zero_digit) ++needed;
  if (overflow || needed > f.integer_positions) {
    out.push_back('%');
    general_form(value, out);
  } else {
    out.append(static_cast<size_t>(f.integer_positions - needed), f.asterisk_fill ? '*' : ' ');
    if (lead_sign) out.push_back(negative ? '-' : '+');
    if (zero_digit) out.push_back('0');
    out.append(intdigits, static_cast<size_t>(intlen));
    if (f.point) out.push_back('.');
    out.append(fracdigits, static_cast<size_t>(D));
    if (f.trailing_sign) out.push_back(negative ? '-' : (f.trailing_sign == '+' ? '+' : ' '));
  }
  out.append(after_);
}

}  // namespace rt
