// The sheet's shared inputs and the sheet pass.
//
// Every input path is drive text + "\DATA\" + sheet code + "\" + sheet code
// + suffix. The point table holds line k of the sheet's ".slp" in entry k
// (sheet_points.h). The sheet origin comes from the first line of
// the ".slm": the numbers before and after its first comma, each / 10000.
// A point line's X is its first 8 bytes, Y its last 8 bytes, in 1/10000
// arc-second; degrees = (offset / 10000 + origin) / 3600 in 80-bit precision.
#pragma once

#include "convert/job.h"
#include "runtime/strings.h"

namespace convert {

using rt::Bytes;
using rt::BytesView;

struct Degrees {
  double longitude;
  double latitude;
};

// drive text + "\DATA\" + sheet code + "\" + sheet code + suffix
Bytes input_path(const Job& job, BytesView suffix);

void load_point_table(Job& job);
void read_sheet_origin(Job& job);

// One coordinate in degrees: (offset / 10000 + origin) / 3600, checked.
double to_degrees(long double offset, double origin);
// A point line's longitude and latitude, checked once for the pair.
Degrees point_to_degrees(const SheetPoints& points, BytesView point_line);

// Loads the sheet's inputs and runs the eleven converters in order.
void sheet_pass(Job& job);

}  // namespace convert
