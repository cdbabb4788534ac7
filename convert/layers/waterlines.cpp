// SK: waterlines. Bytes 7-14 id, 21-22 sr; the vertex list from byte 41 up
// to the record's last two bytes.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The row's statements: the id and sr fields, then the vertex list's cut.
enum : uint16_t { kIdAndSr = 820, kVertexList = 821 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 801,
                            .outputs = 802,
                            .record_file = 803,
                            .records = {804, 805},
                            .object = 850,
                            .degrees = 851,
                            .write = 852,
                            .pen = 853,
                            .close = 854,
                            .gathering = {840, 841, 842, 843, 844, 845}};
static_assert(distinct(kLines, {kIdAndSr, kVertexList}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kIdAndSr);
  id_and_class_fields(r, row);
  row.end();
  statement(kVertexList);
  return rt::mid(r, 41, int64_t{rt::len(r)} - 42);
}

}  // namespace

void convert_waterlines(Job& job) {
  static const Layer kLayer{"SK",
                            "  水際ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sr char(2)"},
                            "    Pen (1,2,255)",
                            kLines,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
