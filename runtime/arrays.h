// Dimensioned arrays.
//
// Lower bounds are 0: an upper bound N gives indexes 0..N. An index outside
// raises error 9, dimensioning twice error 10, a bound outside 0 to
// 2,147,483,646 error 5, a total size beyond 2,147,483,647 bytes error 9, no
// memory for it error 7. Elements start zero-filled (strings empty). An
// array used before DIM is dimensioned implicitly with indexes 0..10.
#pragma once

#include <climits>
#include <cstdint>
#include <new>
#include <vector>

#include "runtime/errors.h"

namespace rt {

namespace detail {
inline size_t checked_count(int64_t upper) {
  if (upper < 0 || upper > 2147483646) raise_error(kIllegalCall, loc(Op::kDim, 1));
  return static_cast<size_t>(upper) + 1;
}
// The total byte size must be a non-negative 32-bit number.
inline void check_size(unsigned __int128 elements, size_t element_size) {
  if (elements * element_size > INT32_MAX) raise_error(kSubscript, loc(Op::kDim, 3));
}
template <class T>
void allocate(std::vector<T>& data, size_t count) {
  try {
    data.clear();
    data.resize(count);
  } catch (const std::bad_alloc&) {
    raise_error(kOutOfMemory, loc(Op::kDim, 4));
  }
}
}  // namespace detail

template <class T>
class Array {
 public:
  void dim(int64_t upper) {
    if (dimensioned_) raise_error(kDimensioned, loc(Op::kDim, 2));
    size_t count = detail::checked_count(upper);
    detail::check_size(count, sizeof(T));
    detail::allocate(data_, count);
    dimensioned_ = true;
  }
  T& operator[](int64_t index) {
    if (!dimensioned_) dim(10);
    if (static_cast<uint64_t>(index) >= data_.size()) raise_error(kSubscript, loc(Op::kElement, 1));
    return data_[static_cast<size_t>(index)];
  }
  size_t size() const { return data_.size(); }
  // The elements, for a loop that has checked its indexes against size().
  T* data() { return data_.data(); }
  const T* data() const { return data_.data(); }

 private:
  std::vector<T> data_;
  bool dimensioned_ = false;
};

// Two dimensions; the first index varies fastest.
template <class T>
class Array2 {
 public:
  void dim(int64_t upper0, int64_t upper1) {
    if (dimensioned_) raise_error(kDimensioned, loc(Op::kDim, 2));
    n0_ = detail::checked_count(upper0);
    n1_ = detail::checked_count(upper1);
    detail::check_size(static_cast<unsigned __int128>(n0_) * n1_, sizeof(T));
    detail::allocate(data_, n0_ * n1_);
    dimensioned_ = true;
  }
  T& operator()(int64_t i, int64_t j) {
    if (!dimensioned_) dim(10, 10);
    if (static_cast<uint64_t>(i) >= n0_ || static_cast<uint64_t>(j) >= n1_)
      raise_error(kSubscript, loc(Op::kElement, 2));
    return data_[static_cast<size_t>(i) + n0_ * static_cast<size_t>(j)];
  }

 private:
  std::vector<T> data_;
  size_t n0_ = 0, n1_ = 0;
  bool dimensioned_ = false;
};

}  // namespace rt
