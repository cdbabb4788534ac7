// The vertex line: a point's longitude through "####.######" directly
// followed by its latitude through "###.######", then the line end, written
// to the graphics file. The writer takes the point (a point-table entry or
// a mesh point's offsets) and decides by itself between two ways that give
// the same bytes: the line built from whole millionths of a degree with
// integer arithmetic (PRINT USING's own plain field), when they are
// certain; else the degrees of the 80-bit steps through PRINT # USING.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "convert/sheet_points.h"
#include "convert/statements.h"
#include "runtime/strings.h"

namespace convert {

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

// Longest text that may stand before the fields on their line ("Point ").
constexpr size_t kLeadRoom = 16;

// Writes `lead` and the vertex line of a point-table entry to file
// `file_number`. The layer's statement `degrees` turns the point into
// degrees (the errors of VAL and of the arithmetic), its `write` writes;
// nothing is written when the first fails.
void write_vertex(const SheetPoints& points, const LayerLines& lines, int file_number,
                  rt::BytesView lead, const SheetPoints::Entry& point);
// The vertex lines of a polyline's points (entries checked against the
// table's size), in order, each as write_vertex() without a lead. A
// decided entry's line is formatted once and kept by the table.
void write_vertices(SheetPoints& points, const LayerLines& lines, int file_number,
                    std::span<const uint32_t> entries);
// The same for offsets already read as integers (mesh points), in the
// current statement: the degrees of such offsets cannot fail.
void write_vertex(const SheetPoints& points, int file_number, rt::BytesView lead, int32_t x,
                  int32_t y);

}  // namespace convert
