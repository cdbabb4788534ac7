// HM: the elevation mesh. Line N of the sheet's "MH.slp" is a point, line N
// of its "MH.sal" that point's record; the elevation is the number behind
// "{HK{" up to the next "}" (a record without the tag reads it from its
// fourth byte). One Point object and one integer row per point.
#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/mif_writer.h"
#include "convert/sheet.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/platform/codepage.h"
#include "runtime/startup.h"

namespace convert {

void convert_elevation() {
  using rt::statement;
  namespace files = rt::files;
  constexpr uint16_t kLine = 300;
  statement(kLine + 1);
  rt::console::print(rt::sjis("  標高メッシュ"), rt::Sep::kSemicolon);
  statement(kLine + 2);
  mif::Pair pair("HM", {"  H Integer"}, first_sheet());
  statement(kLine + 3);
  files::open(input_path("MH.slp"), files::Mode::kInput, kInputFile);
  statement(kLine + 4);
  files::open(input_path("MH.sal"), files::Mode::kInput, kSecondInputFile);
  Bytes point, record;
  for (;;) {
    statement(kLine + 5);
    if (files::eof(kInputFile)) break;
    statement(kLine + 6);
    files::line_input(kInputFile, point);
    statement(kLine + 7);
    int32_t x = rt::val_to_int32(rt::left(point, 8));
    statement(kLine + 8);
    int32_t y = rt::val_to_int32(rt::right(point, 8));
    statement(kLine + 11);
    files::line_input(kSecondInputFile, record);
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
  }
  statement(kLine + 17);
  files::close_all();
}

}  // namespace convert
