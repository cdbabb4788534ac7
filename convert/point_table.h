// The sheet's point table: entries 0..200,000, entry k the text of line k of
// the sheet's ".slp". Entries keep their text until a later sheet's line of
// the same number replaces it. A point line (16 bytes in real data) is held
// inside its entry, so the whole table is one block and a lookup touches
// one place; longer lines go to the heap.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "runtime/arrays.h"
#include "runtime/strings.h"

namespace convert {

class PointLine {
 public:
  PointLine() = default;
  PointLine(PointLine&&) = default;
  PointLine& operator=(PointLine&&) = default;

  PointLine& operator=(rt::BytesView text) {
    size_ = static_cast<uint32_t>(text.size());
    if (size_ <= sizeof inline_) {
      std::memcpy(inline_, text.data(), text.size());
      heap_.reset();
    } else {
      heap_.reset(new char[text.size()]);
      std::memcpy(heap_.get(), text.data(), text.size());
    }
    return *this;
  }
  rt::BytesView view() const { return {heap_ ? heap_.get() : inline_, size_}; }
  operator rt::BytesView() const { return view(); }

 private:
  uint32_t size_ = 0;
  char inline_[20];
  std::unique_ptr<char[]> heap_;
};

using PointTable = rt::Array<PointLine>;

}  // namespace convert
