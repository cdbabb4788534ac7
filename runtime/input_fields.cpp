#include "runtime/input_fields.h"

#include <cmath>

#include "runtime/numbers.h"

namespace rt {
namespace {

bool is_separator(char c) {
  return c == ',' || c == ':';
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
        // Only an empty field and a blank inside are faults; anything else
        // is read as VAL reads it and must fit the variable.
        if (field.empty() || field.find(' ') != BytesView::npos) return false;
        if (!detail::read_number(field, value.number) || !fits(value.number, kinds[v]))
          return false;
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
