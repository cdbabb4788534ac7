// KK: river lines. Bytes 7-14 id, 21-22 sb; the tail from byte 27 holds the
// name and the vertex list as for roads.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kTail = 720, kName = 721, kFields = 722, kVertexList = 723 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 701,
                            .outputs = 702,
                            .record_file = 703,
                            .records = {704, 705},
                            .object = 750,
                            .degrees = 751,
                            .write = 752,
                            .pen = 753,
                            .close = 754,
                            .gathering = {740, 741, 742, 743, 744, 745}};
static_assert(distinct(kLines, {kTail, kName, kFields, kVertexList}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTail);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 26);
  statement(kName);
  BytesView name = tail_name(tail);
  statement(kFields);
  id_and_class_fields(r, row);
  row.field(name);
  row.end();
  statement(kVertexList);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_rivers(Job& job) {
  static const Layer kLayer{"KK",
                            "  河川ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  sb char(2)", "  name char(32)"},
                            "    Pen (1,2,65535)",
                            kLines,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
