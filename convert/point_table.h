// The sheet's point table: entries 0..200,000, entry k line k of the
// sheet's ".slp". Entries keep their line until a later sheet's line of the
// same number replaces it.
//
// A line is read once, when it is stored, into what the vertex writer
// needs: a point line whose first 8 bytes and last 8 bytes are both VAL's
// common case (a real line is 16 digits) is held as the two whole numbers
// VAL reads there, and nothing else of it is ever read; any other line is
// held as its text, for VAL to read when the point is used (where its
// errors belong). The whole table is one block of 16-byte entries: a
// lookup of a line held as numbers touches only its entry, one held as text
// its entry and the text.
#pragma once

#include <cstdint>
#include <cstring>

#include "runtime/arrays.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

namespace convert {

class PointLine {
 public:
  PointLine() = default;
  PointLine(PointLine&& other) noexcept : u_(other.u_), size_(other.size_) { other.size_ = 0; }
  PointLine& operator=(PointLine&& other) noexcept {
    if (this != &other) {
      release();
      u_ = other.u_;
      size_ = other.size_;
      other.size_ = 0;
    }
    return *this;
  }
  ~PointLine() { release(); }

  PointLine& operator=(rt::BytesView line) {
    constexpr int64_t kOffsetBytes = 8;
    uint32_t x, y;
    if (rt::whole_number(rt::left(line, kOffsetBytes), x) &&
        rt::whole_number(rt::right(line, kOffsetBytes), y)) {
      release();
      u_.offsets = {x, y};
      size_ = kOffsets;
      return *this;
    }
    char* text = line.empty() ? nullptr : new char[line.size()];
    if (text) std::memcpy(text, line.data(), line.size());
    release();
    u_.text = text;
    size_ = static_cast<uint32_t>(line.size());
    return *this;
  }

  // A copy of the entry, its text copied too.
  PointLine copy() const {
    PointLine c;
    if (size_ == kOffsets) {
      c.u_.offsets = u_.offsets;
      c.size_ = kOffsets;
    } else {
      c = text();
    }
    return c;
  }

  // True, with the offsets, when the line was held as them.
  bool offsets(uint32_t& x, uint32_t& y) const {
    if (size_ != kOffsets) return false;
    x = u_.offsets.x;
    y = u_.offsets.y;
    return true;
  }
  // The text of a line not held as offsets.
  rt::BytesView text() const {
    return size_ == kOffsets ? rt::BytesView() : rt::BytesView(u_.text, size_);
  }

 private:
  static constexpr uint32_t kOffsets = UINT32_MAX;  // no line is that long
  void release() {
    if (size_ != kOffsets && size_ != 0) delete[] u_.text;
  }
  union {
    struct {
      uint32_t x, y;
    } offsets;
    char* text = nullptr;
  } u_;
  uint32_t size_ = 0;
};

using PointTable = rt::Array<PointLine>;

}  // namespace convert
