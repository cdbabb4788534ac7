#include "convert/point_layer.h"

#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/sheet.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/startup.h"

namespace convert {

BytesView point_number_text(BytesView record, int from_end) {
  return rt::left(rt::right(record, from_end), 6);
}

void convert_point_layer(const PointLayer& layer) {
  using rt::statement;
  namespace files = rt::files;
  const uint16_t base = layer.line_base;
  SheetState& s = sheet();
  statement(base + 1);
  rt::console::print(rt::sjis(layer.label), rt::Sep::kSemicolon);
  statement(base + 2);
  mif::Pair pair(layer.code, layer.columns, first_sheet());
  statement(base + 3);
  files::open(input_path(Bytes(layer.code) + ".sal"), files::Mode::kInput, kInputFile);
  Bytes record;
  for (;;) {
    statement(base + 4);
    if (files::eof(kInputFile)) break;
    statement(base + 5);
    files::line_input(kInputFile, record);
    mif::Row row = pair.row();
    BytesView number_text = layer.cut(record, row, base);
    statement(base + 50);
    int32_t number = rt::val_to_int32(number_text);
    pair.point(s.point_table[number], layer.symbol, base + 51);
  }
  statement(base + 53);
  files::close_all();
}

}  // namespace convert
