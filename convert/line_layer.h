// The line-layer conversion: the record loop of every polyline layer.
//
// Per record: the attribute row, then the vertex list (six-character point
// numbers separated by commas) gathered into the vertex buffer from the
// point table, then "Pline n", n vertex lines and the layer's pen line.
#pragma once

#include "convert/layer.h"

namespace convert {

void convert_line_layer(Job& job, const Layer& layer);

// The vertex list of a named record's tail: from the first "}){" to the
// next "}" (roads, rivers, railways).
BytesView tagged_vertex_list(BytesView tail);
// A named record's name: empty for a tail beginning "}C", else the bytes
// before the tail's first "}".
BytesView tail_name(BytesView tail);

}  // namespace convert
