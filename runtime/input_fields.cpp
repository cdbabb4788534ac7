#include "runtime/input_fields.h"

#include <cmath>

#include "runtime/numbers.h"

namespace rt {
namespace {

bool is_separator(char c) {
  return c == ',' || c == ':';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// A whole field that reads as one number: [+-] digits [. digits] [E|D [+-] digits],
// or &H / &O digits.
bool is_number(BytesView f) {
  size_t i = 0, n = f.size();
  if (n >= 2 && f[0] == '&') {
    int radix = (f[1] == 'H' || f[1] == 'h') ? 16 : (f[1] == 'O' || f[1] == 'o') ? 8 : 0;
    if (radix == 0 || n == 2) return false;
    uint64_t value = 0;
    for (i = 2; i < n; ++i) {
      char c = f[i];
      bool ok = radix == 16 ? (is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
                            : (c >= '0' && c <= '7');
      if (!ok) return false;
      int d = is_digit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
      value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
      if (value > 0xFFFFFFFFu) return false;  // beyond 32 bits: not a value INPUT can take
    }
    return true;
  }
  if (i < n && (f[i] == '+' || f[i] == '-')) ++i;
  size_t digits = 0;
  long magnitude = 0;  // decimal places before the point, for the range check
  while (i < n && f[i] == '0') ++i, ++digits;
  while (i < n && is_digit(f[i])) ++i, ++digits, ++magnitude;
  if (i < n && f[i] == '.') {
    ++i;
    while (i < n && is_digit(f[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (f[i] == 'E' || f[i] == 'e' || f[i] == 'D' || f[i] == 'd')) {
    ++i;
    bool negative = i < n && f[i] == '-';
    if (i < n && (f[i] == '+' || f[i] == '-')) ++i;
    long exponent = 0;
    while (i < n && is_digit(f[i])) {
      if (exponent < 100000) exponent = exponent * 10 + (f[i] - '0');
      ++i;
    }
    magnitude += negative ? -exponent : exponent;
  }
  // Values beyond double range are not numbers an INPUT can take.
  return i == n && magnitude < 300;
}

bool fits(long double v, InputKind kind) {
  long double r = std::nearbyintl(v);
  switch (kind) {
    case InputKind::kInt16:
      return r >= -32768 && r <= 32767;
    case InputKind::kInt32:
      return r >= -2147483648.0L && r <= 2147483647.0L;
    default:
      return std::isfinite(v);
  }
}

}  // namespace

bool split_input(BytesView line, const std::vector<InputKind>& kinds,
                 std::vector<InputValue>& out) {
  out.clear();
  size_t pos = 0, n = line.size();
  for (size_t v = 0; v < kinds.size(); ++v) {
    while (pos < n && line[pos] == ' ') ++pos;
    InputValue value{};
    const bool text = kinds[v] == InputKind::kString;
    if (pos < n && line[pos] == '"') {
      if (!text) return false;
      size_t close = line.find('"', pos + 1);
      if (close == BytesView::npos) {
        value.text.assign(line.substr(pos + 1));
        pos = n;
      } else {
        value.text.assign(line.substr(pos + 1, close - pos - 1));
        pos = close + 1;
        while (pos < n && line[pos] == ' ') ++pos;
        if (pos < n && !is_separator(line[pos])) return false;
      }
    } else {
      size_t end = pos;
      while (end < n && !is_separator(line[end])) ++end;
      BytesView field = line.substr(pos, end - pos);
      while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
      pos = end;
      if (text) {
        value.text.assign(field);
      } else {
        if (field.empty() || !is_number(field)) return false;
        value.number = val(field);
        if (!fits(value.number, kinds[v])) return false;
      }
    }
    out.push_back(std::move(value));
    if (v + 1 < kinds.size()) {
      if (pos >= n) return false;  // fewer fields than variables
      ++pos;                       // the separator
    }
  }
  return pos >= n;  // anything behind the last field is extra input
}

}  // namespace rt
