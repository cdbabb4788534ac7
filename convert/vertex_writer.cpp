#include "convert/vertex_writer.h"

#include <algorithm>
#include <cmath>

#include "convert/sheet.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/startup.h"

namespace convert {

namespace {

namespace files = rt::files;

const rt::Picture kLongitude = rt::Picture::parse("####.######");
const rt::Picture kLatitude = rt::Picture::parse("###.######");

constexpr uint64_t kTieRemainder = 18;       // k/36 = 1/2
constexpr int64_t kOneDegree = 36000036;     // the least sum whose millionths reach one degree
constexpr double kUnitsPerOrigin = 10000.0;  // offset units per second
constexpr double kLargestOrigin = 1e6;       // seconds; units stay below 10^10
constexpr double kUnitTolerance = 1e-3;      // of a unit

// Millionths of a degree are (offset + 10000 * origin) / 36 exactly, and
// 10000 * origin is within 1/1000 of the units. So (offset + units) / 36 is
// off by less than 1/36000 of a millionth; between the exact value and the
// printed six-decimal field lie the 80-bit steps, the double result and the
// field's 16-digit rounding, less than 2e-7 of a millionth in all. The
// quotient's fraction is k/36: unless k = 18 it is at least 1/36 from one
// half, so it rounds to the field's millionth. Below one degree the field
// is not the plain one: the exact steps decide.
//
// k = 18 is a tie: the result is the field of the double nearest the exact
// tie T. With an exact origin the 80-bit steps come within 2^-61 T of T,
// the double within half its unit more, and where that stays below half a
// unit of the 16th digit, T's 16 digits are T itself and the field rounds
// its final 5 up. That holds from 1 to 8, 10 to 64, 100 to 512 and 1000 to
// 8192 degrees (in each decade, the binades up to 4.5 times its start).
//
// The agreement of both ways is tested against the exact steps for random
// origins and offsets, ties and the one-degree edge.
inline bool millionths(int64_t offset, const OriginUnits& origin, uint64_t& out) {
  const int64_t sum = offset + origin.units;
  if (origin.units < 0 || sum < kOneDegree) return false;
  const uint64_t q = static_cast<uint64_t>(sum) / 36, r = static_cast<uint64_t>(sum) % 36;
  if (r == kTieRemainder) {
    const bool decided = (q >= 1000000 && q < 7999999) || (q >= 10000000 && q < 63999999) ||
                         (q >= 100000000 && q < 511999999) || (q >= 1000000000 && q < 8191999999);
    if (!origin.exact || !decided) return false;
    out = q + 1;
    return true;
  }
  out = q + (r > kTieRemainder ? 1 : 0);
  return true;
}

// Room for the lead and both fields side by side.
constexpr size_t kLineRoom = kLeadRoom + 2 * rt::Picture::kFixedRoom;

// The lead and both fields from millionths at `out` when they are decided
// and fit the plain fields; returns their end, or nullptr for the exact
// steps.
char* millionth_fields(rt::BytesView lead, int64_t x, int64_t y, char* out) {
  const SheetState& s = sheet();
  uint64_t longitude, latitude;
  if (lead.size() > kLeadRoom || !millionths(x, s.x_units, longitude) ||
      !millionths(y, s.y_units, latitude) || !kLongitude.fits_scaled(longitude) ||
      !kLatitude.fits_scaled(latitude))
    return nullptr;
  out = std::copy(lead.begin(), lead.end(), out);
  return kLatitude.format_scaled(latitude, kLongitude.format_scaled(longitude, out));
}

void write_fields(int n, const char* begin, const char* end) {
  files::print(n, rt::BytesView(begin, static_cast<size_t>(end - begin)), rt::Sep::kNone);
}

void write_degrees(int n, rt::BytesView lead, const Degrees& d) {
  if (!lead.empty()) files::print(n, lead, rt::Sep::kSemicolon);
  files::print_using(n, kLongitude, d.longitude, rt::Sep::kSemicolon);
  files::print_using(n, kLatitude, d.latitude, rt::Sep::kNone);
}

}  // namespace

OriginUnits origin_units(double origin) {
  if (!(origin >= 0 && origin < kLargestOrigin)) return {};
  const double scaled = origin * kUnitsPerOrigin;
  const double whole = std::nearbyint(scaled);
  if (!(std::fabs(scaled - whole) <= kUnitTolerance)) return {};
  // One rounding of origin * 10000 - whole: zero only when it is zero.
  return {static_cast<int64_t>(whole), std::fma(origin, kUnitsPerOrigin, -whole) == 0};
}

bool to_millionths(int64_t offset, const OriginUnits& origin, uint64_t& out) {
  return millionths(offset, origin, out);
}

void write_vertex(int n, rt::BytesView lead, rt::BytesView point_line, uint16_t line) {
  constexpr int64_t kOffsetBytes = 8;
  char fields[kLineRoom];
  rt::statement(line);
  uint32_t x, y;
  const char* end = rt::digit_run(rt::left(point_line, kOffsetBytes), x) &&
                            rt::digit_run(rt::right(point_line, kOffsetBytes), y)
                        ? millionth_fields(lead, x, y, fields)
                        : nullptr;
  if (end) {
    rt::statement(line + 1);
    write_fields(n, fields, end);
    return;
  }
  const Degrees d = point_to_degrees(point_line);
  rt::statement(line + 1);
  write_degrees(n, lead, d);
}

void write_vertex(int n, rt::BytesView lead, int32_t x, int32_t y) {
  char fields[kLineRoom];
  if (const char* end = millionth_fields(lead, x, y, fields)) {
    write_fields(n, fields, end);
    return;
  }
  const SheetState& s = sheet();
  write_degrees(n, lead, {to_degrees(x, s.x_origin), to_degrees(y, s.y_origin)});
}

}  // namespace convert
