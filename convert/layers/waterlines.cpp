// SK: waterlines. Bytes 7-14 id, 21-22 sr; the vertex list from byte 41 up
// to the record's last two bytes.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"
#include "runtime/startup.h"

namespace convert {

namespace {

BytesView write_row(const Bytes& r, mif::Row& row, uint16_t base) {
  rt::statement(base + lines::kRow);
  id_and_class_fields(r, row);
  row.end();
  rt::statement(base + lines::kRow + 1);
  return rt::mid(r, 41, int64_t{rt::len(r)} - 42);
}

}  // namespace

void convert_waterlines() {
  static const Layer kLayer{"SK",
                            "  水際ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sr char(2)"},
                            "    Pen (1,2,255)",
                            lines::kWaterlines,
                            write_row};
  convert_line_layer(kLayer);
}

}  // namespace convert
