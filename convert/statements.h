// The conversion's statement numbers: every statement sets its number
// before it runs, and an error report shows the number of the statement
// that failed ("Sardane [652行]:エラー[9]").
//
// Each routine lists all its numbers where it runs them, in full, so that
// a number from a report can be found by searching the code for it; a
// compile-time check keeps each routine's numbers distinct. The ranges
// (README, "Statement numbers"):
//   101-122  the main routine (job.cpp)
//   201-233  the sheet's inputs and the sheet pass (sheet.cpp)
//   301-317  elevation points (layers/elevation.cpp)
//   401-408, 451-458  tunnel and bridge extracts (layers/extracts.cpp)
//   501-554, 601-654, 701-754, 801-854, 1201-1254  boundary, road, river,
//            waterline, railway lines
//   901-953, 1001-1053, 1101-1153  place-name, facility, control points
// A layer's numbers follow one plan: x01 the progress label, x02 the
// outputs, x03 the record file, x04 the end test, x05 the read of a record;
// x20.. the layer's own cut of the attribute row; x40-x45 the vertex list
// gathered (line layers); x50 the point number (point layers) or "Pline"
// (line layers); x51, x52 a point turned into degrees, then written (with
// a point layer's symbol line); x53 the pen line (line layers) or the
// closing (point layers); x54 the closing (line layers). The elevation
// routine opens its second input at 304 and reads at 305-306; the
// extracts test for the empty record at x06, copy at x07 and close at x08.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "runtime/startup.h"

namespace convert {

using rt::statement;

// A record loop's statements: the end test of file 1, then the read.
struct RecordLoop {
  uint16_t end_test;
  uint16_t read;
};

// The statements of a line layer's vertex gathering, for each vertex, in
// order and consecutive.
struct Gathering {
  uint16_t comma;     // the comma searched
  uint16_t number;    // the point number read
  uint16_t count;     // counted
  uint16_t entry;     // its entry taken
  uint16_t list_end;  // the end tested
  uint16_t next;      // the search moved on
};

// The statements of a layer routine that the shared code runs for it
// (0 where the routine has no such statement).
struct LayerLines {
  uint16_t label;        // the progress label
  uint16_t outputs;      // the output files opened
  uint16_t record_file;  // the record file opened as file 1
  RecordLoop records;
  uint16_t object;           // the point number read (point layers), "Pline" (line layers)
  uint16_t degrees;          // a point turned into degrees
  uint16_t write;            // its vertex line written (and a point layer's symbol line)
  uint16_t pen;              // the pen line (line layers)
  uint16_t close;            // CLOSE
  Gathering gathering = {};  // line layers
};

// Whether the nonzero numbers among the first `n` at `numbers` are all
// different.
constexpr bool distinct(const uint16_t* numbers, size_t n) {
  for (size_t a = 0; a < n; ++a)
    for (size_t b = a + 1; b < n; ++b)
      if (numbers[a] != 0 && numbers[a] == numbers[b]) return false;
  return true;
}
constexpr bool distinct(std::initializer_list<uint16_t> numbers) {
  return distinct(numbers.begin(), numbers.size());
}

// Whether a layer routine's numbers, its table's and its own (at most
// kMostOwn), are all different, and its gathering's are consecutive.
constexpr size_t kTableNumbers = 16;  // the fields of a LayerLines
constexpr size_t kMostOwn = 16;
constexpr bool distinct(const LayerLines& l, std::initializer_list<uint16_t> own) {
  const Gathering& g = l.gathering;
  const bool consecutive = g.comma == 0 || (g.number == g.comma + 1 && g.count == g.comma + 2 &&
                                            g.entry == g.comma + 3 && g.list_end == g.comma + 4 &&
                                            g.next == g.comma + 5);
  if (!consecutive || own.size() > kMostOwn) return false;
  uint16_t all[kTableNumbers + kMostOwn] = {
      l.label,        l.outputs, l.record_file, l.records.end_test,
      l.records.read, l.object,  l.degrees,     l.write,
      l.pen,          l.close,   g.comma,       g.number,
      g.count,        g.entry,   g.list_end,    g.next};
  size_t n = kTableNumbers;
  for (uint16_t k : own) all[n++] = k;
  return distinct(all, n);
}

}  // namespace convert
