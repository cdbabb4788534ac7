// KO: public facility points. Bytes 7-14 id; the code is the two bytes
// before "}NM{", the name runs from "}NM{" to "}JS{", the address from
// "}JS{" to "}PT("; the point number is the first 6 of the last 8 bytes.
#include "convert/layers/layers.h"
#include "convert/point_layer.h"
#include "convert/statements.h"

namespace convert {

namespace {

// The statements of the attribute row, in order.
enum : uint16_t {
  kTags = 1020,
  kCode = 1021,
  kName = 1022,
  kAddress = 1023,
  kFields = 1024,
  kPointNumber = 1025
};

// The routine's statements that the shared code runs.
constexpr LayerLines kLines{.label = 1001,
                            .outputs = 1002,
                            .record_file = 1003,
                            .records = {1004, 1005},
                            .object = 1050,
                            .degrees = 1051,
                            .write = 1052,
                            .pen = 0,
                            .close = 1053};
static_assert(distinct(kLines, {kTags, kCode, kName, kAddress, kFields, kPointNumber}));

BytesView write_row(BytesView r, mif::Row& row) {
  statement(kTags);
  int64_t p1 = rt::instr(1, r, "}NM{");
  int64_t p2 = rt::instr(1, r, "}JS{");
  int64_t p3 = rt::instr(1, r, "}PT(");
  statement(kCode);
  BytesView code = rt::mid(r, p1 - 2, 2);
  statement(kName);
  BytesView name = rt::mid(r, p1 + 4, p2 - p1 - 4);
  statement(kAddress);
  BytesView address = rt::mid(r, p2 + 4, p3 - p2 - 4);
  statement(kFields);
  row.field(rt::mid(r, 7, 8));
  row.field(code);
  row.field(name);
  row.field(address);
  row.end();
  statement(kPointNumber);
  return point_number_text(r, 8);
}

}  // namespace

void convert_facilities(Job& job) {
  static const Layer kLayer{
      "KO",
      "  公共施設ポイント",
      rt::Sep::kSemicolon,
      {"  id char(8)", "  code char(4)", "  name char(64)", "  adress char(64)"},
      "    Symbol (66,8388608,12)",
      kLines,
      write_row};
  convert_point_layer(job, kLayer);
}

}  // namespace convert
