#include "runtime/strings.h"

#include <limits>

#include "runtime/byte_words.h"
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

void detail::bad_cut(Cut cut, int64_t position, int64_t count) {
  const Op which = cut == Cut::kLeft ? Op::kLeft : cut == Cut::kRight ? Op::kRight : Op::kMid;
  arg32(position, which);
  arg32(count, which);
  raise_error(kIllegalCall, loc(which, position < 1 ? 2 : 3));
}

int32_t detail::instr_general(int64_t p, BytesView s, BytesView t) {
  int32_t pos = arg32(p, Op::kInstr);
  if (pos < 1) raise_error(kIllegalCall, loc(Op::kInstr, 2));
  size_t start = static_cast<size_t>(pos) - 1;
  if (s.empty() || start >= s.size() || t.size() > s.size()) return 0;
  if (t.empty()) return pos;
  // One byte from a start inside s is instr's own; from here on t has two
  // bytes or more.
  const size_t n = s.size() - start;
  if (t.size() > n) return 0;
  const size_t found = words::find(s.data() + start, n, t.data(), t.size());
  return found == n ? 0 : static_cast<int32_t>(start + found + 1);
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
