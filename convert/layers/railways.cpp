// TK: railway lines. The tail from byte 33 holds the name and the vertex
// list as for roads; the only column is the name. Its label ends the
// sheet's progress line.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "runtime/startup.h"

namespace convert {

namespace {

BytesView cut(const Bytes& r, mif::Row& row, uint16_t base) {
  rt::statement(base + 20);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 32);
  rt::statement(base + 21);
  BytesView name = tail_name(tail);
  rt::statement(base + 22);
  row.field(name);
  row.end();
  rt::statement(base + 23);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_railways() {
  static const LineLayer kLayer{
      "TK", "  鉄道ライン", rt::Sep::kNone, {"  name char(64)"}, "    Pen (2,2,0)", 1200, cut};
  convert_line_layer(kLayer);
}

}  // namespace convert
