// The MIF/MID output files of a layer.
//
// Names: job name + layer code + ".mif" (file 2) and ".mid" (file 4) in the
// current folder. On the first sheet both are created (an existing file
// stops the program with error 64 and is left as it was) and the header
// block goes to the .mif; later sheets append to them without a header.
// Lines end in CR LF; each file ends with one 1A byte written by CLOSE.
//
// Header: "Version 300", Charset "WindowsJapanese", Delimiter ",",
// "CoordSys Earth Projection 1, 0", "Columns n", the column lines, "Data",
// an empty line. Coordinates are written with "####.######" (longitude)
// directly followed by "###.######" (latitude).
#pragma once

#include <vector>

#include "runtime/strings.h"

namespace convert::mif {

using rt::Bytes;
using rt::BytesView;

constexpr int kGraphics = 2;
constexpr int kAttributes = 4;
constexpr int kInput = 1;

// Opens the layer's pair: created with the header on the first sheet,
// appended otherwise. `columns` are the column lines ("  id char(8)").
void open_pair(BytesView code, const std::vector<const char*>& columns);
// Opens an extract's text file (job name + code + ".txt") as file 2.
void open_text(BytesView code);

// "Point " and the vertex line of a point line, then the symbol line;
// statement `line` turns the point into degrees, `line` + 1 writes.
void write_point(BytesView point_line, BytesView symbol, uint16_t line);
// The same for a mesh point's offsets, in the current statement.
void write_point(int32_t x, int32_t y, BytesView symbol);
// "Pline" + the vertex count as a printed integer.
void write_pline(int16_t count);
// One vertex line of a point line; statements as for write_point.
void write_vertex(BytesView point_line, uint16_t line);
// A style line ("    Pen (1,2,0)").
void write_style(BytesView style);

// An attribute row written field by field: each field's separator is
// written before the field is cut, so a cut that fails leaves the row's
// earlier fields and separators in the file.
class Row {
 public:
  // Writes the opening quote (first field) or the "," between fields.
  void next();
  void text(BytesView value);
  // Closing quote and the line end.
  void end();
  // A field whose value is already cut.
  void field(BytesView value) {
    next();
    text(value);
  }

 private:
  bool first_ = true;
};

}  // namespace convert::mif
