// GK: administrative boundary lines. Bytes 7-14 id, 21-22 jt, 27-28 sr;
// the vertex list from byte 47 up to the record's last two bytes.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The row's statements: the id, jt and sr fields, then the vertex list's cut.
enum : uint16_t { kFields = 520, kVertexList = 521 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 501,
                            .outputs = 502,
                            .record_file = 503,
                            .records = {504, 505},
                            .object = 550,
                            .degrees = 551,
                            .write = 552,
                            .pen = 553,
                            .close = 554,
                            .gathering = {540, 541, 542, 543, 544, 545}};
static_assert(distinct(kLines, {kFields, kVertexList}));

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
                            kLines,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
