// The point-layer conversion: the record loop of every point layer.
//
// Per record: the attribute row, then the point number (six bytes near the
// record's end), its point-table entry turned into degrees, and the Point
// object with the layer's symbol line.
#pragma once

#include <cstdint>
#include <vector>

#include "convert/mif_writer.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct PointLayer {
  const char* code;
  const char* label;  // UTF-8 here, CP932 on the console
  std::vector<const char*> columns;
  BytesView symbol;
  uint16_t line_base;
  // Writes the record's attribute row and returns the point-number text.
  // Sets the statement numbers line_base + 20 onwards.
  BytesView (*cut)(const Bytes& record, mif::Row& row, uint16_t line_base);
};

void convert_point_layer(const PointLayer& layer);

// The first 6 of the record's last `from_end` bytes.
BytesView point_number_text(BytesView record, int from_end);

}  // namespace convert
