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

#include <vector>

#include "convert/point_table.h"
#include "convert/vertex_writer.h"
#include "runtime/arrays.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct SheetState {
  PointTable point_table;  // 0..200000
  // The vertex buffer, 0..30000: the point-table lines of the object being
  // built. The table does not change while an object is built, so an entry
  // refers to the table's entry rather than copying it.
  rt::Array<const PointLine*> vertices;
  double x_origin = 0;
  double y_origin = 0;
  OriginUnits x_units;
  OriginUnits y_units;
  VertexLines vertex_lines;  // of the table's entries, for this origin

  void set_x_origin(double x);
  void set_y_origin(double y);
};

namespace detail {
constinit inline SheetState g_sheet;  // constant-initialized: no start-up order to mind
}
inline SheetState& sheet() {
  return detail::g_sheet;
}

// What a sheet pass changes that a later sheet sees: the point table's
// entries and the origins. Taken before a sheet that may be left out (-k)
// and put back when it is, so that the sheets after it see what they would
// see without it.
class SheetSnapshot {
 public:
  explicit SheetSnapshot(SheetState& s);
  void put_back(SheetState& s);

 private:
  std::vector<PointLine> entries_;
  double x_origin_;
  double y_origin_;
};

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

// Loads the sheet's inputs and runs the eleven converters in order.
void sheet_pass();

}  // namespace convert
