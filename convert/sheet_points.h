// The sheet's points: the point table, the sheet origin, and the vertex
// lines formatted from them.
//
// The table's entry k holds line k of the sheet's ".slp" (entries 0 to the
// DIM bound; entry 0 stays empty and reads as the sheet origin). Entries
// keep their line until a later sheet's line of the same number replaces
// it: the table is not cleared between sheets.
//
// A line is read once, when it is stored, into what the vertex writer
// needs: a point line whose first 8 bytes and last 8 bytes are both VAL's
// common case (a real line is 16 digits) is held as the two whole numbers
// VAL reads there, and nothing else of it is ever read; any other line is
// held as its text, in the table's own text store, for VAL to read when the
// point is used (where its errors belong).
//
// The only changes are storing a line and setting an origin. The vertex
// line kept for an entry is forgotten when the entry is stored, and all of
// them when an origin is set, so a kept line is always the one the entry
// and the origin give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "runtime/arrays.h"
#include "runtime/strings.h"

namespace convert {

// An origin in offset units (1/10000 second), as the millionths need it.
struct OriginUnits {
  int64_t units = -1;  // a whole number of units below 10^10 (to within 1/1000); -1: none
  bool exact = false;  // the origin is exactly units / 10000
};

// The origin's units: the whole number of them it is within 1/1000 of, in
// [0, 10^10), and whether it is exactly that.
OriginUnits origin_units(double origin);

// One axis of the sheet origin, in seconds.
struct Origin {
  double seconds = 0;
  OriginUnits units;
};

class SheetPoints {
 public:
  // A line held as the whole numbers VAL reads in its first and last 8 bytes.
  struct Offsets {
    uint32_t x, y;
  };
  // A line held as its text: where it stands in the text store.
  struct Text {
    uint32_t at = 0, size = 0;
  };
  using Entry = std::variant<Text, Offsets>;

  // The vertex line of an entry: both fields and CR LF in a slot of kSlot.
  static constexpr size_t kLineBytes = 21 + 2;
  static constexpr size_t kSlot = 24;

  // DIM of the table with entries 0..upper.
  void dim(int64_t upper) { entries_.dim(upper); }
  size_t size() const { return entries_.size(); }
  // Stores line k: error 9 outside the table.
  void store(int64_t k, rt::BytesView line);
  // Entry k: error 9 outside the table.
  const Entry& entry(int64_t k) { return entries_[k]; }
  // Entry k of a number checked against size().
  const Entry& entry_unchecked(size_t k) const { return entries_.data()[k]; }
  rt::BytesView text(const Text& t) const { return {texts_.data() + t.at, t.size}; }

  const Origin& x() const { return x_; }
  const Origin& y() const { return y_; }
  void set_x_origin(double seconds);
  void set_y_origin(double seconds);

  // Entry k's kept vertex line (kLineBytes), or nullptr.
  const char* kept_line(size_t k) const {
    return k < known_.size() && known_[k] ? lines_.get() + k * kSlot : nullptr;
  }
  // The slot for entry k's vertex line, now kept; nullptr when k is no
  // entry or there is no memory for the lines (taken at the first, so that
  // pages are touched only for the entries used; without it nothing is
  // kept).
  char* keep_line(size_t k);

  // What a sheet changes that a later sheet sees: the entries and the
  // origins. Saved before a sheet that may be left out (-k) and put back
  // when it is.
  struct Saved {
    rt::Array<Entry> entries;
    std::string texts;
    size_t live;
    double x, y;
  };
  Saved save() const { return {entries_, texts_, live_, x_.seconds, y_.seconds}; }
  void put_back(Saved saved);

 private:
  // The text store is squeezed when more than half of it is replaced text.
  static constexpr size_t kSqueezeFrom = size_t{1} << 20;
  void squeeze();
  void forget_lines() { std::fill(known_.begin(), known_.end(), uint8_t{0}); }

  rt::Array<Entry> entries_;
  std::string texts_;  // the texts of the entries held as Text, and replaced ones
  size_t live_ = 0;    // bytes of texts_ that entries hold
  Origin x_, y_;
  std::vector<uint8_t> known_;  // known_[k]: entry k's line is kept
  std::unique_ptr<char[]> lines_;
  bool no_memory_ = false;
};

}  // namespace convert
