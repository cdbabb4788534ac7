// TK: railway lines. The tail from byte 33 holds the name and the vertex
// list as for roads; the only column is the name. Its label ends the
// sheet's progress line.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kTail = lines::kRow, kName, kFields, kVertexList };

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTail);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 32);
  statement(kName);
  BytesView name = tail_name(tail);
  statement(kFields);
  row.field(name);
  row.end();
  statement(kVertexList);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_railways(Job& job) {
  static const Layer kLayer{"TK",
                            "  鉄道ライン",
                            rt::Sep::kNone,
                            {"  name char(64)"},
                            "    Pen (2,2,0)",
                            lines::kRailways,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
