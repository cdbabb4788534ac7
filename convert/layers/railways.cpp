// TK: railway lines. The tail from byte 33 holds the name and the vertex
// list as for roads; the only column is the name. Its label ends the
// sheet's progress line.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"
#include "runtime/startup.h"

namespace convert {

namespace {

BytesView write_row(const Bytes& r, mif::Row& row, uint16_t base) {
  rt::statement(base + lines::kRow);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 32);
  rt::statement(base + lines::kRow + 1);
  BytesView name = tail_name(tail);
  rt::statement(base + lines::kRow + 2);
  row.field(name);
  row.end();
  rt::statement(base + lines::kRow + 3);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_railways() {
  static const Layer kLayer{"TK",
                            "  鉄道ライン",
                            rt::Sep::kNone,
                            {"  name char(64)"},
                            "    Pen (2,2,0)",
                            lines::kRailways,
                            write_row};
  convert_line_layer(kLayer);
}

}  // namespace convert
