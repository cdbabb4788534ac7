// KK: river lines. Bytes 7-14 id, 21-22 sb; the tail from byte 27 holds the
// name and the vertex list as for roads.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"
#include "runtime/startup.h"

namespace convert {

namespace {

BytesView write_row(const Bytes& r, mif::Row& row, uint16_t base) {
  rt::statement(base + lines::kRow);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 26);
  rt::statement(base + lines::kRow + 1);
  BytesView name = tail_name(tail);
  rt::statement(base + lines::kRow + 2);
  id_and_class_fields(r, row);
  row.field(name);
  row.end();
  rt::statement(base + lines::kRow + 3);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_rivers() {
  static const Layer kLayer{"KK",
                            "  河川ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sb char(2)", "  name char(32)"},
                            "    Pen (1,2,65535)",
                            lines::kRivers,
                            write_row};
  convert_line_layer(kLayer);
}

}  // namespace convert
