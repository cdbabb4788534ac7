#include "convert/layer.h"

#include "convert/record_loop.h"

namespace convert {

void id_and_class_fields(BytesView record, mif::Row& row) {
  row.field(rt::mid(record, 7, 8));
  row.field(rt::mid(record, 21, 2));
}

mif::Pair open_layer(Job& job, const Layer& layer) {
  print_label(layer.lines.label, layer.label, layer.label_sep);
  statement(layer.lines.outputs);
  mif::Pair pair(job, layer.lines, layer.code, layer.columns);
  statement(layer.lines.record_file);
  open_input(job, Bytes(layer.code) + ".sal", kInputFile);
  return pair;
}

}  // namespace convert
