// A map layer (line or point objects) as its converter is told it: what
// differs from layer to layer, the rest is the record loop's.
#pragma once

#include <cstdint>
#include <vector>

#include "convert/job.h"
#include "convert/mif_writer.h"
#include "convert/statements.h"
#include "runtime/print_engine.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct Layer {
  const char* code;   // "GK"
  const char* label;  // progress label (UTF-8 here, CP932 on the console)
  rt::Sep label_sep;  // semicolon; the last layer of a sheet ends the line
  std::vector<const char*> columns;
  BytesView style;   // the pen line or the symbol line
  LayerLines lines;  // the routine's statements that the shared code runs
  // Cuts the record's attribute row, writes it, and returns the object's
  // text as a view into the record: the vertex list (line layers) or the
  // point number (point layers), under the layer's own statements.
  BytesView (*write_row)(BytesView record, mif::Row& row);
};

// The first two fields of most records: bytes 7-14 (the id) and 21-22
// (its class: jt, sb or sr).
void id_and_class_fields(BytesView record, mif::Row& row);

// The layer's statements label to record_file: the label, the outputs
// (returned), the record file sheet code + code + ".sal" as file 1.
mif::Pair open_layer(Job& job, const Layer& layer);

}  // namespace convert
