#include "convert/point_layer.h"

#include "convert/record_loop.h"
#include "convert/sheet.h"
#include "runtime/numbers.h"

namespace convert {

BytesView point_number_text(BytesView record, int from_end) {
  return rt::left(rt::right(record, from_end), 6);
}

void convert_point_layer(const Layer& layer) {
  Routine routine(layer.block);
  SheetState& s = sheet();
  mif::Pair pair = open_layer(layer);
  read_records([&](BytesView record) {
    mif::Row row = pair.row();
    BytesView number_text = layer.write_row(record, row);
    statement(lines::kObject);
    int32_t number = rt::val_to_int32(number_text);
    pair.point(s.point_table[number], layer.style);
    return true;
  });
  statement(lines::kPointClose);
  rt::files::close_all();
}

}  // namespace convert
