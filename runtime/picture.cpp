#include "runtime/picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/errors.h"
#include "runtime/fixed_field.h"
#include "runtime/print_engine.h"

namespace rt {
namespace {

constexpr uint64_t kTen15 = 1000000000000000ull;
constexpr uint64_t kTen16 = 10000000000000000ull;


unsigned __int128 pow10_128(int n) {
  static const auto kTable = [] {
    std::array<unsigned __int128, 23> t{};
    t[0] = 1;
    for (int k = 1; k < 23; ++k) t[k] = t[k - 1] * 10;
    return t;
  }();
  return kTable[static_cast<size_t>(n)];
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
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  int biased = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t m = bits & ((uint64_t{1} << 52) - 1);
  int ex;
  if (biased == 0) {
    ex = -1074;
  } else {
    m |= uint64_t{1} << 52;
    ex = biased - 1075;
  }
  if (m == 0) return false;
  // floor(log10(value)): from the top bit, then checked against the exact
  // powers of ten (the loop below corrects the rare miss).
  int e;
  if (value >= 1 && value < 1e15) {
    // The integer part's digit count, exactly.
    uint64_t whole = static_cast<uint64_t>(value);
    e = 0;
    while (whole >= kPow10[e + 1]) ++e;
  } else {
    int top = 63 - __builtin_clzll(m) + ex;
    e = static_cast<int>(std::floor(top * 0.30102999566398120));
  }
  for (int tries = 0; tries < 4; ++tries) {
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

namespace {

// v / 10^k with a constant divisor for each k (a multiplication, not a
// hardware division).
uint64_t div_pow10(uint64_t v, int k) {
  switch (k) {
#define SARDANE_CASE(n) \
  case n:               \
    return v / kPow10[n];
    SARDANE_CASE(0)
    SARDANE_CASE(1)
    SARDANE_CASE(2)
    SARDANE_CASE(3)
    SARDANE_CASE(4)
    SARDANE_CASE(5)
    SARDANE_CASE(6)
    SARDANE_CASE(7)
    SARDANE_CASE(8)
    SARDANE_CASE(9)
    SARDANE_CASE(10)
    SARDANE_CASE(11)
    SARDANE_CASE(12)
    SARDANE_CASE(13)
    SARDANE_CASE(14)
    SARDANE_CASE(15)
    SARDANE_CASE(16)
    SARDANE_CASE(17)
    SARDANE_CASE(18) SARDANE_CASE(19)
#undef SARDANE_CASE
        default : return 0;
  }
}

// The plain field of a value in [1, 10^15): the same digits as the general
// path, by the same two roundings, in integers. Returns nullptr when the
// general path must decide (overflow).
template <int D>
char* plain_field(int I, bool point, double value, char* out) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int shift = 1075 - static_cast<int>((bits >> 52) & 0x7FF);  // value < 2^53: shift > 0
  const uint64_t whole = static_cast<uint64_t>(value);
  int e = 0;
  while (whole >= kPow10[e + 1]) ++e;
  const int drop = 15 - e - D;  // generated digits below 10^-D
  if (e + 1 > I || drop <= 0) return nullptr;
  // The 16 digits, rounded half up at the 17th (exact: m * 10^(15-e) / 2^shift).
  const unsigned __int128 num = static_cast<unsigned __int128>(m) * kPow10[15 - e];
  const uint64_t digits =
      static_cast<uint64_t>(num >> shift) + static_cast<uint64_t>((num >> (shift - 1)) & 1);
  if (digits >= kTen16) return nullptr;
  // Rounded half up by the first dropped digit.
  const uint64_t scaled = (div_pow10(digits, drop - 1) + 5) / 10;
  if (scaled >= kPow10[I + D]) return nullptr;
  return write_plain<D>(I, point, scaled, out);
}

using PlainFormat = char* (*)(int, bool, double, char*);
constexpr PlainFormat kPlainFields[10] = {
    plain_field<0>, plain_field<1>, plain_field<2>, plain_field<3>, plain_field<4>,
    plain_field<5>, plain_field<6>, plain_field<7>, plain_field<8>, plain_field<9>};
}  // namespace


namespace {

bool is_position(char c) {
  return c == '#' || c == '*' || c == '\\';
}

// Parses the field that starts at format[i]; i ends behind it.
NumericField parse_field(BytesView format, size_t& i) {
  const size_t n = format.size();
  NumericField f;
  if (format[i] == '+') {
    f.plus_sign = true;
    ++f.integer_positions;
    ++i;
  }
  if (i < n && format[i] == '*') f.asterisk_fill = true;
  for (; i < n; ++i) {
    const char c = format[i];
    if (c == '#' || (c == '*' && !f.point)) {
      ++(f.point ? f.decimals : f.integer_positions);
    } else if ((c == ',' || c == '\\') && !f.point) {
      (c == ',' ? f.thousands : f.currency) = true;
      ++f.integer_positions;
    } else if (c == '.' && !f.point) {
      f.point = true;
    } else {
      break;
    }
  }
  if (format.substr(i, 4) == "^^^^") {
    i += 4;
    f.exponent_digits = 2;
    if (i < n && format[i] == '^') ++i, f.exponent_digits = 3;
  }
  if (!f.plus_sign && i < n && (format[i] == '+' || format[i] == '-'))
    f.trailing_sign = format[i++];
  return f;
}

// Appends literal text, TABs as blanks up to the next multiple of 8 columns
// from `column`, which follows the bytes (CR to 0, LF keeps it).
void append_literal(BytesView text, int& column, Bytes& out) {
  for (char c : text) {
    const int next = next_column(column, c);
    if (c == '\t')
      out.append(static_cast<size_t>(next - column), ' ');
    else
      out.push_back(c);
    column = next;
  }
}

// The overflow form: '%' and the general form of the value.
void overflow_form(double value, Bytes& out) {
  out.push_back('%');
  general_form(value, out);
}

// The fixed form of one field.
void format_fixed_field(const NumericField& f, double value, Bytes& out) {
  const bool negative = value < 0;
  const double a = std::fabs(value);
  const int D = f.decimals;

  // scaled = the value times 10^D, rounded by the first dropped of its 16
  // generated digits. It has at most integer_positions + D digits, which a
  // field keeps below 20.
  bool overflow = !std::isfinite(a) || f.integer_positions + D > 19;
  uint64_t scaled = 0;
  if (!overflow && a != 0) {
    uint64_t digits;
    int e;
    decimal_digits16(a, digits, e);
    if (e + 1 > f.integer_positions) {
      overflow = true;
    } else {
      int t = e - 15 + D;
      if (t >= 0) {
        scaled = digits * kPow10[t];
      } else if (t >= -16) {
        uint64_t upto = div_pow10(digits, -t - 1);  // the kept digits and the first dropped one
        scaled = upto / 10 + (upto % 10 >= 5 ? 1 : 0);
      }
    }
  }
  uint64_t integer = overflow ? 0 : div_pow10(scaled, D);
  uint64_t fraction = overflow ? 0 : scaled - integer * kPow10[D];
  int integers = 0;
  while (integers < 20 && integer >= kPow10[integers]) ++integers;
  const bool lead_sign = f.plus_sign || (negative && !f.trailing_sign);
  int intlen = integers + (f.thousands && integers > 3 ? (integers - 1) / 3 : 0);
  int needed = intlen + (lead_sign ? 1 : 0) + (f.currency ? 1 : 0);
  const bool zero_digit = integers == 0 && needed < f.integer_positions;
  if (zero_digit) ++needed;
  if (overflow || needed > f.integer_positions) {
    overflow_form(value, out);
    return;
  }
  // Right to left, straight into the output: trailing sign, decimals, point,
  // integer digits, currency sign, sign, fill.
  const size_t width =
      static_cast<size_t>(f.integer_positions + (f.point ? 1 : 0) + D + (f.trailing_sign ? 1 : 0));
  const size_t at = out.size();
  out.resize(at + width);
  char* end = out.data() + at + width;
  char* p = end;
  if (f.trailing_sign) *--p = negative ? '-' : (f.trailing_sign == '+' ? '+' : ' ');
  if (D <= 9) {
    // 32-bit arithmetic, two digits a step.
    uint32_t small = static_cast<uint32_t>(fraction);
    int k = 0;
    for (; k + 2 <= D; k += 2, small /= 100) detail::put_pair(p, small % 100);
    if (k < D) *--p = static_cast<char>('0' + small % 10);
  } else {
    for (int k = 0; k < D; ++k, fraction /= 10) *--p = static_cast<char>('0' + fraction % 10);
  }
  if (f.point) *--p = '.';
  for (int k = 0; integer != 0; ++k, integer /= 10) {
    if (f.thousands && k > 0 && k % 3 == 0) *--p = ',';
    *--p = static_cast<char>('0' + integer % 10);
  }
  if (zero_digit) *--p = '0';
  if (f.currency) *--p = '\\';
  if (lead_sign) *--p = negative ? '-' : '+';
  for (int k = needed; k < f.integer_positions; ++k) *--p = f.asterisk_fill ? '*' : ' ';
}

// The exponent form: one position for the sign (the leading '+' is that
// position; a trailing sign needs none), the other integer positions and the
// decimals hold the mantissa's digits, rounded by the first dropped digit;
// then 'E', the exponent's sign and its digits. An exponent too wide for its
// digits gives '%' in front of the field.
void format_exponent_field(const NumericField& f, double value, Bytes& out) {
  const bool negative = value < 0;
  const double a = std::fabs(value);
  const int before = std::max(f.integer_positions - (f.trailing_sign ? 0 : 1), 0);
  const int significant = before + f.decimals;
  if (!std::isfinite(a) || significant == 0 || significant > 18) {
    overflow_form(value, out);
    return;
  }
  uint64_t mantissa = 0;  // `significant` digits
  int exponent = 0;
  if (a != 0) {
    uint64_t digits;
    int e;
    decimal_digits16(a, digits, e);
    if (significant >= 16) {
      mantissa = digits * kPow10[significant - 16];
    } else {
      uint64_t upto = div_pow10(digits, 15 - significant);
      mantissa = upto / 10 + (upto % 10 >= 5 ? 1 : 0);
      if (mantissa == kPow10[significant]) mantissa /= 10, ++e;
    }
    exponent = e - (before - 1);
  }
  char exp_text[8];
  const int exp_width =
      std::snprintf(exp_text, sizeof exp_text, "E%c%0*d", exponent < 0 ? '-' : '+',
                    f.exponent_digits, std::abs(exponent));
  if (exp_width > 2 + f.exponent_digits) out.push_back('%');
  const size_t width =
      static_cast<size_t>(before + (f.trailing_sign ? 0 : 1) + (f.point ? 1 : 0) + f.decimals);
  const size_t at = out.size();
  out.resize(at + width);
  char* p = out.data() + at + width;
  for (int k = 0; k < significant; ++k, mantissa /= 10) {
    if (k == f.decimals && f.point) *--p = '.';
    *--p = static_cast<char>('0' + mantissa % 10);
  }
  if (f.decimals == significant && f.point) *--p = '.';
  if (!f.trailing_sign) *--p = negative ? '-' : f.plus_sign ? '+' : f.asterisk_fill ? '*' : ' ';
  out.append(exp_text, static_cast<size_t>(exp_width));
  if (f.trailing_sign) out.push_back(negative ? '-' : f.trailing_sign == '+' ? '+' : ' ');
}

}  // namespace

Picture Picture::parse(BytesView format) {
  if (format.empty()) raise_error(kIllegalCall, loc(Op::kUsing, 1));
  Picture pic;
  size_t i = 0, n = format.size();
  auto starts_field = [&](size_t k) {
    char c = format[k];
    char d = k + 1 < n ? format[k + 1] : 0;
    return is_position(c) || (c == '+' && (is_position(d) || d == '.')) || (c == '.' && d == '#');
  };
  Bytes literal;
  for (;;) {
    while (i < n && !starts_field(i)) {
      if (format[i] == '_' && i + 1 < n) ++i;
      literal.push_back(format[i++]);
    }
    if (i == n) break;
    pic.literals_.push_back(std::move(literal));
    literal.clear();
    pic.fields_.push_back(parse_field(format, i));
  }
  if (pic.fields_.empty()) raise_error(kTypeMismatch, loc(Op::kUsing, 2));
  pic.literals_.push_back(std::move(literal));
  for (const Bytes& text : pic.literals_)
    if (text.find_first_of("\r\n\t\f") != Bytes::npos) pic.plain_ = false;
  const NumericField& f = pic.fields_[0];
  const bool bare = pic.fields_.size() == 1 && pic.literals_[0].empty() &&
                    pic.literals_[1].empty() && !f.plus_sign && !f.asterisk_fill && !f.thousands &&
                    !f.currency && !f.exponent_digits && !f.trailing_sign;
  if (bare && f.decimals <= 9 && f.integer_positions + f.decimals <= 18)
    pic.plain_format_ = kPlainFields[f.decimals];
  return pic;
}

void Picture::format(size_t index, double value, int column, Bytes& out) const {
  const size_t k = index % fields_.size();
  if (k == 0) {
    char buf[kFixedRoom];
    if (plain_format_ && value >= 1 && value < 1e15)
      if (char* end = plain_format_(fields_[0].integer_positions, fields_[0].point, value, buf)) {
        out.append(buf, static_cast<size_t>(end - buf));
        return;
      }
    append_literal(literals_[0], column, out);
  }
  const size_t field_start = out.size();
  if (fields_[k].exponent_digits)
    format_exponent_field(fields_[k], value, out);
  else
    format_fixed_field(fields_[k], value, out);
  column += static_cast<int>(out.size() - field_start);
  append_literal(literals_[k + 1], column, out);
}

}  // namespace rt
