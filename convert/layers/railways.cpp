// TK: railway lines. The tail from byte 33 holds the name and the vertex
// list as for roads; the only column is the name. Its label ends the
// sheet's progress line.
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kTail = 1220, kName = 1221, kFields = 1222, kVertexList = 1223 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 1201,
                            .outputs = 1202,
                            .record_file = 1203,
                            .records = {1204, 1205},
                            .object = 1250,
                            .degrees = 1251,
                            .write = 1252,
                            .pen = 1253,
                            .close = 1254,
                            .gathering = {1240, 1241, 1242, 1243, 1244, 1245}};
static_assert(distinct(kLines, {kTail, kName, kFields, kVertexList}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTail);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 32);
  statement(kName);
  BytesView name = tail_name(tail);
  statement(kFields);
  row.field(name);
  row.end();
  statement(kVertexList);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_railways(Job& job) {
  static const Layer kLayer{
      "TK",   "  鉄道ライン", rt::Sep::kNone, {"  name char(64)"}, "    Pen (2,2,0)",
      kLines, write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
