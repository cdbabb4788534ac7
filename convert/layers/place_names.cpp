// CM: place-name points. Bytes 7-14 id, 21-22 sr, the name from byte 27 up
// to the next "}"; the point number is the first 6 of the last 8 bytes.
// The name is cut before the row is written: a record without its "}"
// stops the program before any byte of its row reaches the .mid.
#include "convert/layers/layers.h"
#include "convert/point_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kName = 920, kFields = 921, kPointNumber = 922 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 901,
                            .outputs = 902,
                            .record_file = 903,
                            .records = {904, 905},
                            .object = 950,
                            .degrees = 951,
                            .write = 952,
                            .pen = 0,
                            .close = 953};
static_assert(distinct(kLines, {kName, kFields, kPointNumber}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kName);
  int32_t p = rt::instr(27, r, "}");
  BytesView name = rt::mid(r, 27, int64_t{p} - 27);
  statement(kFields);
  id_and_class_fields(r, row);
  row.field(name);
  row.end();
  statement(kPointNumber);
  return point_number_text(r, 8);
}

}  // namespace

void convert_place_names(Job& job) {
  static const Layer kLayer{"CM",
                            "  地名ポイント",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sr char(2)", "  name char(32)"},
                            "    Symbol (67,16711680,12)",
                            kLines,
                            write_row};
  convert_point_layer(job, kLayer);
}

}  // namespace convert
