// The MIF/MID output files of a layer.
//
// Names: job name + layer code + ".mif" and ".mid" in the current folder.
// On the first sheet both are created (an existing file stops the program
// with error 64 and is left as it was) and the header block goes to the
// .mif; later sheets append to them without a header. Lines end in CR LF;
// each file ends with one 1A byte written by CLOSE.
//
// Header: "Version 300", Charset "WindowsJapanese", Delimiter ",",
// "CoordSys Earth Projection 1, 0", "Columns n", the column lines, "Data",
// an empty line. Coordinates are written with "####.######" (longitude)
// directly followed by "###.######" (latitude).
//
// The writers own their files' numbers: 2 the .mif (or an extract's .txt),
// 4 the .mid. Every converter ends with CLOSE of all files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "convert/job.h"
#include "convert/statements.h"
#include "runtime/strings.h"

namespace convert::mif {

using rt::Bytes;
using rt::BytesView;

// An attribute row written field by field. The bytes of fields already
// cut are kept together and handed to the file as one item; a separator
// written with next() is handed over at once, so a cut that follows it and
// fails leaves the row's earlier fields and separators in the file.
class Row {
 public:
  explicit Row(int file_number) : file_(file_number) {}
  // Writes the opening quote (first field) or the "," between fields.
  void next();
  void text(BytesView value);
  // Closing quote and the line end.
  void end();
  // A field whose value is already cut.
  void field(BytesView value) {
    separator();
    put(value);
  }

 private:
  static constexpr size_t kRoom = 256;
  void separator();
  void put(BytesView bytes);
  void hand_over();
  int file_;
  bool first_ = true;
  size_t size_ = 0;
  char bytes_[kRoom];
};

// A layer's .mif and .mid as files 2 and 4: constructing the object opens
// them; the object writes to the numbers and owns no file, so they stay
// open until the converter's CLOSE of all files.
class Pair {
 public:
  // Opens the pair of the job's name and `code`: created with the header on
  // the job's first sheet, appended otherwise. `columns` are the column
  // lines ("  id char(8)"). Its points are the job's; `lines` are the
  // layer's statements.
  Pair(Job& job, const LayerLines& lines, BytesView code, const std::vector<const char*>& columns);

  // "Point " and the vertex line of a point-table entry, then the symbol line;
  // statements as for write_vertex().
  void point(const SheetPoints::Entry& point, BytesView symbol);
  // The same for a mesh point's offsets, in the current statement.
  void point(int32_t x, int32_t y, BytesView symbol);
  // "Pline" + the vertex count as a printed integer.
  void pline(int16_t count);
  // The vertex lines of a polyline's points; statements as for point(),
  // for each vertex.
  void vertices(std::span<const uint32_t> entries);
  // A style line ("    Pen (1,2,0)").
  void style(BytesView style);
  // The next attribute row.
  Row row() const { return Row(kAttributes); }
  // An integer attribute row: the printed integer and the line end.
  void integer_row(int32_t value);

 private:
  static constexpr int kGraphics = 2;
  static constexpr int kAttributes = 4;
  SheetPoints& points_;
  const LayerLines& lines_;
};

// An extract's text file (job name + code + ".txt"): created on the first
// sheet, appended otherwise; one line per call.
class TextFile {
 public:
  TextFile(const Job& job, BytesView code);
  void line(BytesView text);

 private:
  static constexpr int kNumber = 2;
};

}  // namespace convert::mif
