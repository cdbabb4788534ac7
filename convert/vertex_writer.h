// The vertex line: a point's longitude through "####.######" directly
// followed by its latitude through "###.######", then the line end, written
// to the graphics file. The writer takes the point (a point-table entry or
// a mesh point's offsets) and decides by itself between two ways that give
// the same bytes: the line built from whole millionths of a degree with
// integer arithmetic, straight into the file's output, when they are
// certain; else the degrees of the 80-bit steps through PRINT # USING.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "convert/point_table.h"
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

// One coordinate in millionths of a degree, rounded as the six-decimal
// fields round the degrees of the 80-bit steps, when that is certain
// without them (the proof stands beside the definition). False otherwise.
// Raises nothing.
bool to_millionths(int64_t offset, const OriginUnits& origin, uint64_t& out);

// Both fields of a vertex line from millionths, "####.######" then
// "###.######" (21 bytes at `out`; returns their end), when the plain
// fields hold them: at least one degree, below 10000 (longitude) and 1000
// (latitude) degrees. nullptr otherwise, with nothing written.
char* millionth_fields(uint64_t longitude, uint64_t latitude, char* out);

// The vertex lines of point-table entries, formatted once: a point is a
// vertex of several objects (roads meet at it), and its line stays the
// same while the table and the sheet's origin do. Forgotten whenever
// either changes. Memory for the lines is taken at the first one (pages
// are touched only for the entries used); without it nothing is kept.
class VertexLines {
 public:
  static constexpr size_t kSlot = 24;  // the 21 bytes, CR LF and one spare
  // find() over a copy of where the lines are, for a loop that keeps no
  // line meanwhile: held in registers, the copy is not read again after
  // every byte the loop writes.
  class View {
   public:
    // Entry k's line (21 bytes and CR LF), or nullptr.
    const char* find(size_t k) const {
      return k < size_ && known_[k] ? lines_ + k * kSlot : nullptr;
    }

   private:
    friend class VertexLines;
    View(const uint8_t* known, size_t size, const char* lines)
        : known_(known), size_(size), lines_(lines) {}
    const uint8_t* known_;
    size_t size_;
    const char* lines_;
  };
  View view() const { return View(known_.data(), known_.size(), lines_.get()); }
  void forget() { std::fill(known_.begin(), known_.end(), uint8_t{0}); }
  // The slot for entry k's line of a table of `entries`, now kept; nullptr
  // when k is not an entry or there is no memory for the lines.
  char* keep(size_t k, size_t entries);

 private:
  std::vector<uint8_t> known_;
  std::unique_ptr<char[]> lines_;
  bool no_memory_ = false;
};

// Longest text that may stand before the fields on their line ("Point ").
constexpr size_t kLeadRoom = 16;

// Writes `lead` and the vertex line of a point-table entry to file
// `file_number`. The running routine's statement lines::kDegrees turns the
// point into degrees (the errors of VAL and of the arithmetic), its
// lines::kWrite writes; nothing is written when the first fails.
void write_vertex(int file_number, rt::BytesView lead, const PointLine& point);
// The vertex lines of a polyline's points, in order, each as write_vertex()
// without a lead.
void write_vertices(int file_number, std::span<const PointLine* const> points);
// The same for offsets already read as integers (mesh points), in the
// current statement: the degrees of such offsets cannot fail.
void write_vertex(int file_number, rt::BytesView lead, int32_t x, int32_t y);

}  // namespace convert
