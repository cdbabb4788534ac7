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

// The statements of the point table's load and the origin's read; the
// sheet pass's steps are 221 to 233 (sheet_pass()).
enum : uint16_t {
  kTableFile = 201,
  kTableCountStart = 202,
  kTableEnd = 203,  // the end test
  kTableCount = 204,
  kTableRead = 205,
  kTableStore = 206,
  kTableClose = 207,
  kOriginFile = 211,
  kOriginRead = 212,
  kOriginComma = 213,
  kOriginX = 214,
  kOriginY = 215,
  kOriginClose = 216,
};

// A step of the sheet pass: its statement and what it runs.
struct Step {
  uint16_t line;
  void (*run)(Job&);
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
  statement(kTableFile);
  rt::files::open(input_path(job, ".slp"), rt::files::Mode::kInput, kInputFile);
  statement(kTableCountStart);
  int32_t count = 0;
  for (;;) {
    statement(kTableEnd);
    if (rt::files::eof(kInputFile)) break;
    statement(kTableCount);
    count = rt::to_int32(static_cast<long double>(count) + 1);
    statement(kTableRead);
    const BytesView line = rt::files::line_input(kInputFile);
    statement(kTableStore);
    job.points.store(count, line);
  }
  statement(kTableClose);
  rt::files::close({kInputFile});
}

void read_sheet_origin(Job& job) {
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
  static constexpr Step kSteps[] = {
      {221, load_point_table},    {222, read_sheet_origin},  {223, convert_elevation},
      {224, convert_tunnels},     {225, convert_bridges},    {226, convert_boundaries},
      {227, convert_roads},       {228, convert_rivers},     {229, convert_waterlines},
      {230, convert_place_names}, {231, convert_facilities}, {232, convert_control_points},
      {233, convert_railways}};
  static_assert(
      distinct({kTableFile,     kTableCountStart, kTableEnd,      kTableCount,     kTableRead,
                kTableStore,    kTableClose,      kOriginFile,    kOriginRead,     kOriginComma,
                kOriginX,       kOriginY,         kOriginClose,   kSteps[0].line,  kSteps[1].line,
                kSteps[2].line, kSteps[3].line,   kSteps[4].line, kSteps[5].line,  kSteps[6].line,
                kSteps[7].line, kSteps[8].line,   kSteps[9].line, kSteps[10].line, kSteps[11].line,
                kSteps[12].line}));
  for (const Step& step : kSteps) {
    statement(step.line);
    step.run(job);
  }
}

}  // namespace convert
