// GK: administrative boundary lines. Bytes 7-14 id, 21-22 jt, 27-28 sr;
// the vertex list from byte 47 up to the record's last two bytes.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"
#include "runtime/startup.h"

namespace convert {

namespace {

BytesView write_row(const Bytes& r, mif::Row& row, uint16_t base) {
  rt::statement(base + lines::kRow);
  id_and_class_fields(r, row);
  row.field(rt::mid(r, 27, 2));
  row.end();
  rt::statement(base + lines::kRow + 1);
  return rt::mid(r, 47, int64_t{rt::len(r)} - 48);
}

}  // namespace

void convert_boundaries() {
  static const Layer kLayer{"GK",
                            "  行政界ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  jt char(2)", "  sr char(2)"},
                            "    Pen (1,2,16732240)",
                            lines::kBoundaries,
                            write_row};
  convert_line_layer(kLayer);
}

}  // namespace convert
