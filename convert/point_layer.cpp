#include "convert/point_layer.h"

#include "convert/record_loop.h"
#include "runtime/numbers.h"

namespace convert {

BytesView point_number_text(BytesView record, int from_end) {
  return rt::left(rt::right(record, from_end), 6);
}

void convert_point_layer(Job& job, const Layer& layer) {
  mif::Pair pair = open_layer(job, layer);
  read_records(layer.lines.records, [&](BytesView record) {
    mif::Row row = pair.row();
    BytesView number_text = layer.write_row(record, row);
    statement(layer.lines.object);
    int32_t number = rt::val_to_int32(number_text);
    pair.point(job.points.entry(number), layer.style);
    return true;
  });
  statement(layer.lines.close);
  rt::files::close_all();
}

}  // namespace convert
