#include "convert/sheet.h"

#include <iterator>

#include "convert/input_files.h"
#include "convert/layers/layers.h"
#include "convert/statements.h"
#include "runtime/file_names.h"
#include "runtime/files.h"
#include "runtime/numbers.h"

namespace convert {

namespace {

// The statements of the sheet's block: the point table's load, the
// origin's read, then the sheet pass's steps from kFirstStep on.
enum : uint16_t {
  kTableFile = 1,
  kTableCountStart = 2,
  kTableEnd = 3,  // the end test
  kTableCount = 4,
  kTableRead = 5,
  kTableStore = 6,
  kTableClose = 7,
  kOriginFile = 11,
  kOriginRead = 12,
  kOriginComma = 13,
  kOriginX = 14,
  kOriginY = 15,
  kOriginClose = 16,
  kFirstStep = 21,
};

}  // namespace

Bytes input_path(const Job& job, BytesView suffix) {
  const Bytes& code = job.sheet_code;
  rt::files::require_name_part(code);
  Bytes path = job.drive;
  path += "\\DATA\\";
  path += code;
  path += "\\";
  path += code;
  path += suffix;
  return path;
}

void load_point_table(Job& job) {
  Routine routine(lines::kSheet);
  const Block block;
  block.statement(kTableFile);
  rt::files::open(input_path(job, ".slp"), rt::files::Mode::kInput, kInputFile);
  block.statement(kTableCountStart);
  int32_t count = 0;
  for (;;) {
    block.statement(kTableEnd);
    if (rt::files::eof(kInputFile)) break;
    block.statement(kTableCount);
    count = rt::to_int32(static_cast<long double>(count) + 1);
    block.statement(kTableRead);
    const BytesView line = rt::files::line_input(kInputFile);
    block.statement(kTableStore);
    job.points.store(count, line);
  }
  block.statement(kTableClose);
  rt::files::close({kInputFile});
}

void read_sheet_origin(Job& job) {
  Routine routine(lines::kSheet);
  statement(kOriginFile);
  rt::files::open(input_path(job, ".slm"), rt::files::Mode::kInput, kInputFile);
  statement(kOriginRead);
  const BytesView line = rt::files::line_input(kInputFile);
  statement(kOriginComma);
  int16_t c = rt::narrow16(rt::instr(1, line, ","));
  statement(kOriginX);
  {
    long double x = rt::val(rt::left(line, int32_t{c} - 1)) / 10000.0L;
    rt::fp_check();
    job.points.set_x_origin(static_cast<double>(x));
  }
  statement(kOriginY);
  {
    long double y = rt::val(rt::right(line, rt::len(line) - int32_t{c})) / 10000.0L;
    rt::fp_check();
    job.points.set_y_origin(static_cast<double>(y));
  }
  statement(kOriginClose);
  rt::files::close({kInputFile});
}

double to_degrees(long double offset, double origin) {
  long double d = (offset / 10000.0L + origin) / 3600.0L;
  rt::fp_check();
  return static_cast<double>(d);
}

Degrees point_to_degrees(const SheetPoints& points, BytesView point_line) {
  long double lon = (rt::val(rt::left(point_line, 8)) / 10000.0L + points.x().seconds) / 3600.0L;
  long double lat = (rt::val(rt::right(point_line, 8)) / 10000.0L + points.y().seconds) / 3600.0L;
  rt::fp_check();
  return {static_cast<double>(lon), static_cast<double>(lat)};
}

void sheet_pass(Job& job) {
  // The pass's steps in order, each run by statement kFirstStep + its index.
  static constexpr void (*kSteps[])(Job&) = {
      load_point_table,   read_sheet_origin,   convert_elevation,  convert_tunnels,
      convert_bridges,    convert_boundaries,  convert_roads,      convert_rivers,
      convert_waterlines, convert_place_names, convert_facilities, convert_control_points,
      convert_railways};
  Routine routine(lines::kSheet);
  for (size_t k = 0; k < std::size(kSteps); ++k) {
    statement(static_cast<uint16_t>(kFirstStep + k));
    kSteps[k](job);
  }
}

}  // namespace convert
