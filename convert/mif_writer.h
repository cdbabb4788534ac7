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

// A point's coordinates for its vertex or point line: whole millionths of
// a degree (the fields' six decimals) when they were decided directly and
// fit the fields' plain form, else degrees from the exact steps.
struct Coordinates {
  bool direct = false;
  uint64_t x = 0, y = 0;               // millionths, when direct
  double longitude = 0, latitude = 0;  // degrees, otherwise
};
// Whether millionths fit both fields' plain form.
bool vertex_fits_millionths(uint64_t longitude, uint64_t latitude);

// "Point " + the vertex line's fields, then the symbol line.
void write_point(const Coordinates& c, BytesView symbol);
// "Pline" + the vertex count as a printed integer.
void write_pline(int16_t count);
// One vertex line: longitude and latitude fields. Millionths give the line
// the degrees rounding to them would give.
void write_vertex(const Coordinates& c);
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
