// The sheet's shared inputs and the sheet pass.
//
// Every input path is drive text + "\DATA\" + sheet code + "\" + sheet code
// + suffix. The point table holds line k of the sheet's ".slp" in entry k
// (entries 0..200,000, not cleared between sheets: entry 0 stays empty and
// reads as the sheet origin). The sheet origin comes from the first line of
// the ".slm": the numbers before and after its first comma, each / 10000.
// A point line's X is its first 8 bytes, Y its last 8 bytes, in 1/10000
// arc-second; degrees = (offset / 10000 + origin) / 3600 in 80-bit precision.
#pragma once

#include "convert/mif_writer.h"
#include "convert/point_table.h"
#include "runtime/arrays.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

// An origin in offset units (1/10000 second), as the direct millionths
// below need it.
struct OriginUnits {
  int64_t units = -1;  // a whole number of units below 10^10 (to within 1/1000); -1: none
  bool exact = false;  // the origin is exactly units / 10000
};

struct SheetState {
  PointTable point_table;  // 0..200000
  // The vertex buffer, 0..30000: the point-table lines of the object being
  // built. The table does not change while an object is built, so an entry
  // refers to the table's text rather than copying it.
  rt::Array<BytesView> vertices;
  double x_origin = 0;
  double y_origin = 0;
  OriginUnits x_units;
  OriginUnits y_units;

  void set_x_origin(double x);
  void set_y_origin(double y);
};

namespace detail {
constinit inline SheetState g_sheet;  // constant-initialized: no start-up order to mind
}
inline SheetState& sheet() {
  return detail::g_sheet;
}

struct Degrees {
  double longitude;
  double latitude;
};

// drive text + "\DATA\" + sheet code + "\" + sheet code + suffix
Bytes input_path(BytesView suffix);

void load_point_table();
void read_sheet_origin();

// One coordinate in degrees: (offset / 10000 + origin) / 3600, checked.
double to_degrees(long double offset, double origin);
// A point line's longitude and latitude, checked once for the pair.
Degrees point_to_degrees(BytesView point_line);

// One coordinate in millionths of a degree, rounded as the six-decimal
// fields round to_degrees(offset, origin), when that is certain without the
// 80-bit steps: the origin in whole units, the coordinate at least one
// degree and not a rounding tie the steps alone decide. False otherwise
// (the exact steps then decide). Raises nothing.
//
// Millionths of a degree are (offset + 10000 * origin) / 36 exactly, and
// 10000 * origin is within 1/1000 of the units. So (offset + units) / 36 is
// off by less than 1/36000 of a millionth; between the exact value and the
// printed six-decimal field lie the 80-bit steps, the double result and the
// field's 16-digit rounding, less than 2e-7 of a millionth in all. The
// quotient's fraction is k/36: unless k = 18 it is at least 1/36 from one
// half, so it rounds to the field's millionth.
//
// k = 18 is a tie: the result is the field of the double nearest the exact
// tie T. With an exact origin the 80-bit steps come within 2^-61 T of T,
// the double within half its unit more, and where that stays below half a
// unit of the 16th digit, T's 16 digits are T itself and the field rounds
// its final 5 up. That holds from 1 to 8, 10 to 64, 100 to 512 and 1000 to
// 8192 degrees (in each decade, the binades up to 4.5 times its start).
inline bool to_millionths(int64_t offset, const OriginUnits& origin, uint64_t& out) {
  const int64_t sum = offset + origin.units;
  if (origin.units < 0 || sum < 36000036) return false;  // at least one degree: the plain field
  const uint64_t q = static_cast<uint64_t>(sum) / 36, r = static_cast<uint64_t>(sum) % 36;
  if (r == 18) {
    const bool decided = (q >= 1000000 && q < 7999999) || (q >= 10000000 && q < 63999999) ||
                         (q >= 100000000 && q < 511999999) || (q >= 1000000000 && q < 8191999999);
    if (!origin.exact || !decided) return false;
    out = q + 1;
    return true;
  }
  out = q + (r > 18 ? 1 : 0);
  return true;
}

// The same for a point line's pair; both offsets must be digits only.
inline bool point_millionths(BytesView point_line, uint64_t& longitude, uint64_t& latitude) {
  const SheetState& s = sheet();
  uint32_t x, y;
  return rt::digit_run(rt::left(point_line, 8), x) && rt::digit_run(rt::right(point_line, 8), y) &&
         to_millionths(x, s.x_units, longitude) && to_millionths(y, s.y_units, latitude);
}

// A point line's coordinates for its vertex or point line: the direct
// millionths when they are decided and fit, else point_to_degrees() (which
// may raise its errors).
inline mif::Coordinates point_coordinates(BytesView point_line) {
  mif::Coordinates c;
  c.direct = point_millionths(point_line, c.x, c.y) && mif::vertex_fits_millionths(c.x, c.y);
  if (!c.direct) {
    const Degrees d = point_to_degrees(point_line);
    c.longitude = d.longitude;
    c.latitude = d.latitude;
  }
  return c;
}
// A mesh point's coordinates when the direct millionths decide both and
// they fit; otherwise not direct, and the caller takes to_degrees().
inline mif::Coordinates mesh_millionths(int32_t x, int32_t y) {
  const SheetState& s = sheet();
  mif::Coordinates c;
  c.direct = to_millionths(x, s.x_units, c.x) && to_millionths(y, s.y_units, c.y) &&
             mif::vertex_fits_millionths(c.x, c.y);
  return c;
}

// Loads the sheet's inputs and runs the eleven converters in order.
void sheet_pass();

}  // namespace convert
