// GK: administrative boundary lines. Bytes 7-14 id, 21-22 jt, 27-28 sr;
// the vertex list from byte 47 up to the record's last two bytes.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The row's statements: the id, jt and sr fields, then the vertex list's cut.
enum : uint16_t { kFields = lines::kRow, kVertexList };

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kFields);
  id_and_class_fields(r, row);
  row.field(rt::mid(r, 27, 2));
  row.end();
  statement(kVertexList);
  return rt::mid(r, 47, int64_t{rt::len(r)} - 48);
}

}  // namespace

void convert_boundaries(Job& job) {
  static const Layer kLayer{"GK",
                            "  行政界ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  jt char(2)", "  sr char(2)"},
                            "    Pen (1,2,16732240)",
                            lines::kBoundaries,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
