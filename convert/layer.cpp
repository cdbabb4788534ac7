#include "convert/layer.h"

#include "convert/record_loop.h"

namespace convert {

void id_and_class_fields(BytesView record, mif::Row& row) {
  row.field(rt::mid(record, 7, 8));
  row.field(rt::mid(record, 21, 2));
}

mif::Pair open_layer(Job& job, const Layer& layer) {
  print_label(layer.label, layer.label_sep);
  statement(lines::kOutputs);
  mif::Pair pair(job, layer.code, layer.columns);
  statement(lines::kRecordFile);
  open_input(job, Bytes(layer.code) + ".sal", kInputFile);
  return pair;
}

}  // namespace convert
