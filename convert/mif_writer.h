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

#include "runtime/picture.h"
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

// "Point " + longitude + latitude, then the symbol line.
void write_point(double longitude, double latitude, BytesView symbol);
// "Pline" + the vertex count as a printed integer.
void write_pline(int16_t count);
// One vertex line.
void write_vertex(double longitude, double latitude);
// Coordinates already rounded to millionths of a degree (the fields' six
// decimals): whether both fit their plain fields, and then the vertex line
// write_vertex() gives for any values rounding to them.
bool vertex_fits_millionths(uint64_t longitude, uint64_t latitude);
void write_vertex_millionths(uint64_t longitude, uint64_t latitude);
void write_point_millionths(uint64_t longitude, uint64_t latitude, BytesView symbol);
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
