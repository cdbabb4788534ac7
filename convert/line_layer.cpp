#include "convert/line_layer.h"

#include <climits>

#include "convert/record_loop.h"
#include "runtime/byte_words.h"
#include "runtime/numbers.h"

namespace convert {

namespace {

// Gathers the vertices of a list into the vertex buffer, under the
// layer's gathering statements `g`; returns the count.
// A point number that VAL reads as a whole number, inside the table, with
// room in the buffer, cannot fail: its statements are taken at once. The
// common vertex, six digits and a comma, is read as one word: the comma is
// then the search's answer and the digits VAL's.
int16_t gather(Job& job, const Gathering& g, BytesView list) {
  namespace words = rt::words;
  constexpr unsigned kDigits = 6;
  const int64_t table_size = static_cast<int64_t>(job.points.size());
  const int64_t buffer_size = static_cast<int64_t>(job.vertices.size());
  uint32_t* const buffer = job.vertices.data();
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
    uint32_t number;
    rt::quiet_statements(g.comma, g.next, INT_MAX, [&](int) {
      if (count + 1 >= buffer_size || !common_vertex(k, number) || number >= table_size)
        return false;
      ++count;
      buffer[count] = number;
      __builtin_prefetch(&job.points.entry_unchecked(number));  // read soon after, for the object
      k += kDigits + 1;
      return true;
    });
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
      rt::statements(g.comma, comma == 0 ? g.list_end : g.next);
      ++count;
      buffer[count] = number;
      if (comma == 0) break;
      k = comma;
      continue;
    }
    if (number_text.empty()) number_text = rt::mid(list, int64_t{k} + 1, kDigits);
    statement(g.comma);
    statement(g.number);
    const int32_t value = rt::val_to_int32(number_text);
    statement(g.count);
    count = rt::narrow16(int32_t{count} + 1);
    statement(g.entry);
    job.points.entry(value);
    job.vertices[count] = static_cast<uint32_t>(value);
    statement(g.list_end);
    if (comma == 0) break;
    statement(g.next);
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

void convert_line_layer(Job& job, const Layer& layer) {
  mif::Pair pair = open_layer(job, layer);
  read_records(layer.lines.records, [&](BytesView record) {
    mif::Row row = pair.row();
    const int16_t count = gather(job, layer.lines.gathering, layer.write_row(record, row));
    statement(layer.lines.object);
    pair.pline(count);
    pair.vertices({&job.vertices[1], static_cast<size_t>(count)});
    statement(layer.lines.pen);
    pair.style(layer.style);
    return true;
  });
  statement(layer.lines.close);
  rt::files::close_all();
}

}  // namespace convert
