#include "convert/line_layer.h"

#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/sheet.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/startup.h"

namespace convert {

namespace {

// Gathers the vertices of a list into the vertex buffer; returns the count.
int16_t gather(BytesView list, uint16_t base) {
  using rt::statement;
  SheetState& s = sheet();
  int32_t k = 0;
  int16_t count = 0;
  for (;;) {
    statement(base + 40);
    int32_t comma = rt::instr(int64_t{k} + 1, list, ",");
    statement(base + 41);
    int32_t number = rt::val_to_int32(rt::mid(list, int64_t{k} + 1, 6));
    statement(base + 42);
    count = rt::narrow16(int32_t{count} + 1);
    statement(base + 43);
    s.vertices[count] = s.point_table[number];
    statement(base + 44);
    if (comma == 0) break;
    statement(base + 45);
    k = comma;
  }
  return count;
}

}  // namespace

BytesView tail_name(BytesView tail) {
  if (rt::left(tail, 2) == "}C") return {};
  return rt::left(tail, int64_t{rt::instr(1, tail, "}")} - 1);
}

BytesView tagged_vertex_list(BytesView tail) {
  int64_t p = rt::instr(1, tail, "}){");
  int64_t q = rt::instr(p + 3, tail, "}");
  return rt::mid(tail, p + 3, q - p - 3);
}

void convert_line_layer(const LineLayer& layer) {
  using rt::statement;
  namespace files = rt::files;
  const uint16_t base = layer.line_base;
  SheetState& s = sheet();
  statement(base + 1);
  rt::console::print(rt::sjis(layer.label), layer.label_sep);
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
    BytesView list = layer.cut(record, row, base);
    int16_t count = gather(list, base);
    statement(base + 50);
    pair.pline(count);
    for (int16_t t = 1; t <= count; ++t) pair.vertex(s.vertices[t], base + 51);
    statement(base + 53);
    pair.style(layer.pen);
  }
  statement(base + 54);
  files::close_all();
}

}  // namespace convert
