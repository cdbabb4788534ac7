// KJ: control points. Bytes 7-14 id, 21-22 sr; the name from byte 27 stops
// one byte short of "}HK{"; H runs from "}HK{" to the next "}"; the point
// number is the first 6 of the last 34 bytes.
#include "convert/layers/layers.h"
#include "convert/point_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kTags = 1120, kFields = 1121, kPointNumber = 1122 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 1101,
                            .outputs = 1102,
                            .record_file = 1103,
                            .records = {1104, 1105},
                            .object = 1150,
                            .degrees = 1151,
                            .write = 1152,
                            .pen = 0,
                            .close = 1153};
static_assert(distinct(kLines, {kTags, kFields, kPointNumber}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTags);
  int64_t p = rt::instr(1, r, "}HK{");
  int64_t q = rt::instr(p + 4, r, "}");
  statement(kFields);
  id_and_class_fields(r, row);
  row.next();
  row.text(rt::mid(r, 27, p - 28));
  row.next();
  row.text(rt::mid(r, p + 4, q - p - 4));
  row.end();
  statement(kPointNumber);
  return point_number_text(r, 34);
}

}  // namespace

void convert_control_points(Job& job) {
  static const Layer kLayer{"KJ",
                            "  基準点ポイント",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sr char(2)", "  name char(16)", "  H char(12)"},
                            "    Symbol (49,16711680,12)",
                            kLines,
                            write_row};
  convert_point_layer(job, kLayer);
}

}  // namespace convert
