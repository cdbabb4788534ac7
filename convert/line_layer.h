// The line-layer conversion: the record loop of every polyline layer.
//
// Per record: the attribute row, then the vertex list (six-character point
// numbers separated by commas) gathered into the vertex buffer from the
// point table, then "Pline n", n vertex lines and the layer's pen line.
// A layer describes only what differs: code, label, columns, pen, and how
// its row and vertex list are cut from a record.
#pragma once

#include <cstdint>
#include <vector>

#include "convert/mif_writer.h"
#include "runtime/print_engine.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct LineLayer {
  const char* code;   // "GK"
  const char* label;  // progress label (UTF-8 here, CP932 on the console)
  rt::Sep label_sep;  // semicolon; the last layer of a sheet ends the line
  std::vector<const char*> columns;
  BytesView pen;
  uint16_t line_base;  // the layer's block of statement numbers
  // Writes the record's attribute row and returns its vertex list (a view
  // into the record). Sets the statement numbers line_base + 20 onwards.
  BytesView (*cut)(const Bytes& record, mif::Row& row, uint16_t line_base);
};

void convert_line_layer(const LineLayer& layer);

// The vertex list of a named record's tail: from the first "}){" to the
// next "}" (roads, rivers, railways).
BytesView tagged_vertex_list(BytesView tail);
// A named record's name: empty for a tail beginning "}C", else the bytes
// before the tail's first "}".
BytesView tail_name(BytesView tail);

}  // namespace convert
