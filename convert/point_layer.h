// The point-layer conversion: the record loop of every point layer.
//
// Per record: the attribute row, then the point number (six bytes near the
// record's end), its point-table entry turned into degrees, and the Point
// object with the layer's symbol line.
#pragma once

#include "convert/layer.h"

namespace convert {

void convert_point_layer(Job& job, const Layer& layer);

// The first 6 of the record's last `from_end` bytes.
BytesView point_number_text(BytesView record, int from_end);

}  // namespace convert
