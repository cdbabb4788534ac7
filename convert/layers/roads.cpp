// DK: road lines. Bytes 7-14 id, 21-22 jt, 27-28 yu, 33-34 sb, 39-40 fi;
// the tail from byte 45 holds the name (up to "}", none for "}C") and the
// vertex list between "}){" and the next "}".
#include "convert/layers/layers.h"
#include "convert/line_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t { kTail = 620, kName = 621, kFields = 622, kVertexList = 623 };

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 601,
                            .outputs = 602,
                            .record_file = 603,
                            .records = {604, 605},
                            .object = 650,
                            .degrees = 651,
                            .write = 652,
                            .pen = 653,
                            .close = 654,
                            .gathering = {640, 641, 642, 643, 644, 645}};
static_assert(distinct(kLines, {kTail, kName, kFields, kVertexList}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTail);
  BytesView tail = rt::right(r, int64_t{rt::len(r)} - 44);
  statement(kName);
  BytesView name = tail_name(tail);
  statement(kFields);
  id_and_class_fields(r, row);
  row.field(rt::mid(r, 27, 2));
  row.field(rt::mid(r, 33, 2));
  row.field(rt::mid(r, 39, 2));
  row.field(name);
  row.end();
  statement(kVertexList);
  return tagged_vertex_list(tail);
}

}  // namespace

void convert_roads(Job& job) {
  static const Layer kLayer{"DK",
                            "  道路ライン",
                            rt::Sep::kSemicolon,
                            {"  id char(8)", "  jt char(2)", "  yu char(2)", "  sb char(2)",
                             "  fi char(2)", "  name char(32)"},
                            "    Pen (1,2,0)",
                            kLines,
                            write_row};
  convert_line_layer(job, kLayer);
}

}  // namespace convert
