// HM: the elevation mesh. Line N of the sheet's "MH.slp" is a point, line N
// of its "MH.sal" that point's record; the elevation is the number behind
// "{HK{" up to the next "}" (a record without the tag reads it from its
// fourth byte). One Point object and one integer row per point.
#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/mif_writer.h"
#include "convert/record_loop.h"
#include "runtime/numbers.h"

namespace convert {

void convert_elevation() {
  using rt::statement;
  constexpr uint16_t kLine = lines::kElevation;
  print_label("  標高メッシュ", rt::Sep::kSemicolon, kLine);
  statement(kLine + lines::kOutputs);
  mif::Pair pair("HM", {"  H Integer"}, first_sheet());
  statement(kLine + lines::kRecordFile);
  open_input("MH.slp", kInputFile);
  statement(kLine + 4);
  open_input("MH.sal", kSecondInputFile);
  Bytes record;
  read_records(kLine + 5, [&](const Bytes& point) {
    statement(kLine + 7);
    int32_t x = rt::val_to_int32(rt::left(point, 8));
    statement(kLine + 8);
    int32_t y = rt::val_to_int32(rt::right(point, 8));
    statement(kLine + 11);
    rt::files::line_input(kSecondInputFile, record);
    statement(kLine + 12);
    int16_t p = rt::narrow16(int64_t{rt::instr(1, record, "{HK{")} + 4);
    statement(kLine + 13);
    int32_t q = rt::instr(p, record, "}");
    statement(kLine + 14);
    int16_t h = rt::to_int16(rt::val(rt::mid(record, p, int64_t{q} - p + 1)));
    statement(kLine + 15);
    pair.point(x, y, "    Symbol (34,0,4)");
    statement(kLine + 16);
    pair.integer_row(h);
    return true;
  });
  close_layer(kLine + 17);
}

}  // namespace convert
