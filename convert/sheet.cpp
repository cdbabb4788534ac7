#include "convert/sheet.h"

#include "convert/input_files.h"
#include "convert/job.h"
#include "convert/layers/layers.h"
#include "convert/statements.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/startup.h"

namespace convert {

namespace {
constexpr uint16_t kLine = lines::kSheet;
}  // namespace

Bytes input_path(BytesView suffix) {
  const Bytes& code = job().sheet_code;
  rt::files::require_name_part(code);
  Bytes path = job().drive;
  path += "\\DATA\\";
  path += code;
  path += "\\";
  path += code;
  path += suffix;
  return path;
}

void load_point_table() {
  using rt::statement;
  SheetState& s = sheet();
  statement(kLine + 1);
  rt::files::open(input_path(".slp"), rt::files::Mode::kInput, kInputFile);
  statement(kLine + 2);
  int32_t count = 0;
  Bytes line;
  for (;;) {
    statement(kLine + 3);
    if (rt::files::eof(kInputFile)) break;
    statement(kLine + 4);
    count = rt::to_int32(static_cast<long double>(count) + 1);
    statement(kLine + 5);
    rt::files::line_input(kInputFile, line);
    statement(kLine + 6);
    s.point_table[count] = line;
  }
  statement(kLine + 7);
  rt::files::close({kInputFile});
}

void read_sheet_origin() {
  using rt::statement;
  SheetState& s = sheet();
  Bytes line;
  statement(kLine + 11);
  rt::files::open(input_path(".slm"), rt::files::Mode::kInput, kInputFile);
  statement(kLine + 12);
  rt::files::line_input(kInputFile, line);
  statement(kLine + 13);
  int16_t c = rt::narrow16(rt::instr(1, line, ","));
  statement(kLine + 14);
  {
    long double x = rt::val(rt::left(line, int32_t{c} - 1)) / 10000.0L;
    rt::fp_check();
    s.set_x_origin(static_cast<double>(x));
  }
  statement(kLine + 15);
  {
    long double y = rt::val(rt::right(line, rt::len(line) - int32_t{c})) / 10000.0L;
    rt::fp_check();
    s.set_y_origin(static_cast<double>(y));
  }
  statement(kLine + 16);
  rt::files::close({kInputFile});
}

double to_degrees(long double offset, double origin) {
  long double d = (offset / 10000.0L + origin) / 3600.0L;
  rt::fp_check();
  return static_cast<double>(d);
}

Degrees point_to_degrees(BytesView point_line) {
  const SheetState& s = sheet();
  long double lon = (rt::val(rt::left(point_line, 8)) / 10000.0L + s.x_origin) / 3600.0L;
  long double lat = (rt::val(rt::right(point_line, 8)) / 10000.0L + s.y_origin) / 3600.0L;
  rt::fp_check();
  return {static_cast<double>(lon), static_cast<double>(lat)};
}

void SheetState::set_x_origin(double x) {
  x_origin = x;
  x_units = origin_units(x);
}

void SheetState::set_y_origin(double y) {
  y_origin = y;
  y_units = origin_units(y);
}

void sheet_pass() {
  using rt::statement;
  statement(kLine + 21);
  load_point_table();
  statement(kLine + 22);
  read_sheet_origin();
  statement(kLine + 23);
  convert_elevation();
  statement(kLine + 24);
  convert_tunnels();
  statement(kLine + 25);
  convert_bridges();
  statement(kLine + 26);
  convert_boundaries();
  statement(kLine + 27);
  convert_roads();
  statement(kLine + 28);
  convert_rivers();
  statement(kLine + 29);
  convert_waterlines();
  statement(kLine + 30);
  convert_place_names();
  statement(kLine + 31);
  convert_facilities();
  statement(kLine + 32);
  convert_control_points();
  statement(kLine + 33);
  convert_railways();
}

}  // namespace convert
