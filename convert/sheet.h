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

#include "convert/point_table.h"
#include "runtime/arrays.h"
#include "runtime/byte_words.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct SheetState {
  PointTable point_table;  // 0..200000
  // The vertex buffer, 0..30000: the point-table lines of the object being
  // built. The table does not change while an object is built, so an entry
  // refers to the table's text rather than copying it.
  rt::Array<BytesView> vertices;
  double x_origin = 0;
  double y_origin = 0;
  // The origins in offset units (1/10000 second) when each is a whole
  // number of them below 10^10 (to within 1/1000), else -1: what the direct
  // millionths below need.
  int64_t x_units = -1;
  int64_t y_units = -1;

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
// 80-bit steps: `units` the origin's whole units (not -1), the coordinate at
// least one degree and not a rounding tie. False otherwise (the exact steps
// then decide). Raises nothing.
//
// Millionths of a degree are (offset + 10000 * origin) / 36 exactly, and
// 10000 * origin is within 1/1000 of `units`. So (offset + units) / 36 is
// off by less than 1/36000 of a millionth; between the exact value and the
// printed six-decimal field lie the 80-bit steps, the double result and the
// field's 16-digit rounding, less than 2e-7 of a millionth in all. The
// quotient's fraction is k/36: unless k = 18 (a tie, left to the exact
// steps) it is at least 1/36 from one half, so it rounds to the field's
// millionth.
inline bool to_millionths(int64_t offset, int64_t units, uint64_t& out) {
  const int64_t sum = offset + units;
  if (units < 0 || sum < 36000036) return false;  // at least one degree: the plain field
  const uint64_t q = static_cast<uint64_t>(sum) / 36, r = static_cast<uint64_t>(sum) % 36;
  if (r == 18) return false;
  out = q + (r > 18 ? 1 : 0);
  return true;
}

namespace detail {
// The value VAL reads from 4 to 8 digits and nothing else, or -1.
inline int64_t digit_offset(BytesView text) {
  if (text.size() < 4 || text.size() > 8) return -1;
  const uint64_t w = text.size() == 8 ? rt::words::load(text.data())
                                      : rt::words::right_aligned(text.data(), text.size());
  if (!rt::words::eight_digits(w)) return -1;
  return rt::words::eight_digits_value(w);
}
}  // namespace detail

// The same for a point line's pair; both offsets must be digits only.
inline bool point_millionths(BytesView point_line, uint64_t& longitude, uint64_t& latitude) {
  const SheetState& s = sheet();
  const int64_t x = detail::digit_offset(rt::left(point_line, 8));
  const int64_t y = detail::digit_offset(rt::right(point_line, 8));
  return x >= 0 && y >= 0 && to_millionths(x, s.x_units, longitude) &&
         to_millionths(y, s.y_units, latitude);
}

// Loads the sheet's inputs and runs the eleven converters in order.
void sheet_pass();

}  // namespace convert
