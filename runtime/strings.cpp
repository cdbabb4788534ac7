#include "runtime/strings.h"

#include <limits>

#include "runtime/errors.h"

namespace rt {
namespace {

// Integer arguments of string functions are 32-bit values.
int32_t arg32(int64_t v, Op op) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    raise_error(kOverflow, loc(op, 1));
  return static_cast<int32_t>(v);
}

}  // namespace

BytesView left(BytesView s, int64_t n) {
  int32_t count = arg32(n, Op::kLeft);
  if (count < 0) raise_error(kIllegalCall, loc(Op::kLeft, 2));
  return s.substr(0, static_cast<size_t>(count));
}

BytesView right(BytesView s, int64_t n) {
  int32_t count = arg32(n, Op::kRight);
  if (count < 0) raise_error(kIllegalCall, loc(Op::kRight, 2));
  size_t c = static_cast<size_t>(count);
  return c >= s.size() ? s : s.substr(s.size() - c);
}

BytesView mid(BytesView s, int64_t p, int64_t n) {
  int32_t pos = arg32(p, Op::kMid);
  int32_t count = arg32(n, Op::kMid);
  if (pos < 1) raise_error(kIllegalCall, loc(Op::kMid, 2));
  if (count < 0) raise_error(kIllegalCall, loc(Op::kMid, 3));
  size_t start = static_cast<size_t>(pos) - 1;
  if (start >= s.size()) return {};
  return s.substr(start, static_cast<size_t>(count));
}

BytesView mid(BytesView s, int64_t p) {
  int32_t pos = arg32(p, Op::kMid);
  if (pos < 1) raise_error(kIllegalCall, loc(Op::kMid, 2));
  size_t start = static_cast<size_t>(pos) - 1;
  if (start >= s.size()) return {};
  return s.substr(start);
}

int32_t instr(int64_t p, BytesView s, BytesView t) {
  int32_t pos = arg32(p, Op::kInstr);
  if (pos < 1) raise_error(kIllegalCall, loc(Op::kInstr, 2));
  size_t start = static_cast<size_t>(pos) - 1;
  if (s.empty() || start >= s.size() || t.size() > s.size()) return 0;
  if (t.empty()) return pos;
  size_t found = t.size() == 1 ? s.find(t[0], start) : s.find(t, start);
  return found == BytesView::npos ? 0 : static_cast<int32_t>(found + 1);
}

int32_t len(BytesView s) {
  return static_cast<int32_t>(s.size());
}

Bytes chr(std::initializer_list<int64_t> codes) {
  Bytes out;
  out.reserve(codes.size());
  for (int64_t c : codes) {
    if (c < 0 || c > 255) raise_error(kIllegalCall, loc(Op::kChr, 1));
    out.push_back(static_cast<char>(c));
  }
  return out;
}

Bytes concat(BytesView a, BytesView b) {
  if (a.size() + b.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    raise_error(kStringTooLong, loc(Op::kConcat, 1));
  Bytes out;
  out.reserve(a.size() + b.size());
  out.append(a);
  out.append(b);
  return out;
}

}  // namespace rt
