#include "convert/line_layer.h"

#include <climits>

#include "convert/record_loop.h"
#include "convert/sheet.h"
#include "runtime/byte_words.h"
#include "runtime/numbers.h"

namespace convert {

namespace {

// The statements of gather(), for each vertex.
enum : uint16_t {
  kComma = lines::kGather,  // the comma searched
  kNumber,                  // the point number read
  kCount,                   // counted
  kEntry,                   // its entry taken
  kListEnd,                 // the end tested
  kNext,                    // the search moved on
};

// Gathers the vertices of a list into the vertex buffer; returns the count.
// A point number that VAL reads as a whole number, inside the table, with
// room in the buffer, cannot fail: its statements are taken at once. The
// common vertex, six digits and a comma, is read as one word: the comma is
// then the search's answer and the digits VAL's.
int16_t gather(BytesView list) {
  namespace words = rt::words;
  constexpr unsigned kDigits = 6;
  SheetState& s = sheet();
  const int64_t table_size = static_cast<int64_t>(s.point_table.size());
  const int64_t buffer_size = static_cast<int64_t>(s.vertices.size());
  PointLine* const table = s.point_table.data();
  const PointLine** const buffer = s.vertices.data();
  const Block block;
  // The common vertex at `at`, six digits and a comma, read as one word.
  auto common_vertex = [list](int32_t at, uint32_t& number) {
    if (static_cast<size_t>(at) + 8 > list.size()) return false;
    const uint64_t w = words::load(list.data() + at);
    if (words::leading_digits(w) != kDigits || static_cast<char>(w >> 48) != ',') return false;
    number = words::digits_value(w, kDigits);
    return true;
  };
  int32_t k = 0;
  int16_t count = 0;
  for (;;) {
    // The common vertices that follow, as many as pass their statements
    // without a turn, taken as one run: read, stored, counted together.
    const int most = rt::quiet_runs(kNext - kComma + 1, INT_MAX);
    int run = 0;
    uint32_t number;
    while (run < most && count + 1 < buffer_size && common_vertex(k, number) &&
           number < table_size) {
      ++count;
      buffer[count] = table + number;
      __builtin_prefetch(table + number);  // read when the object is written, soon after
      k += kDigits + 1;
      ++run;
    }
    block.take_quiet_runs(kComma, kNext, run);
    int32_t comma;
    bool whole = common_vertex(k, number);
    if (whole) comma = k + kDigits + 1;
    BytesView number_text;
    if (!whole) {
      comma = rt::instr(int64_t{k} + 1, list, ",");
      number_text = rt::mid(list, int64_t{k} + 1, kDigits);
      whole = rt::whole_number(number_text, number);
    }
    if (whole && number < table_size && count + 1 < buffer_size) {
      block.statements(kComma, comma == 0 ? kListEnd : kNext);
      ++count;
      const PointLine* const entry = table + number;
      buffer[count] = entry;
      __builtin_prefetch(entry);  // read when the object is written, soon after
      if (comma == 0) break;
      k = comma;
      continue;
    }
    if (number_text.empty()) number_text = rt::mid(list, int64_t{k} + 1, kDigits);
    block.statement(kComma);
    block.statement(kNumber);
    const int32_t value = rt::val_to_int32(number_text);
    block.statement(kCount);
    count = rt::narrow16(int32_t{count} + 1);
    block.statement(kEntry);
    s.vertices[count] = &s.point_table[value];
    block.statement(kListEnd);
    if (comma == 0) break;
    block.statement(kNext);
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

void convert_line_layer(const Layer& layer) {
  Routine routine(layer.block);
  SheetState& s = sheet();
  mif::Pair pair = open_layer(layer);
  read_records([&](BytesView record) {
    mif::Row row = pair.row();
    const int16_t count = gather(layer.write_row(record, row));
    statement(lines::kObject);
    pair.pline(count);
    pair.vertices({&s.vertices[1], static_cast<size_t>(count)});
    statement(lines::kPen);
    pair.style(layer.style);
    return true;
  });
  statement(lines::kLineClose);
  rt::files::close_all();
}

}  // namespace convert
