#include "convert/vertex_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "convert/sheet.h"
#include "convert/statements.h"
#include "runtime/files.h"
#include "runtime/fixed_field.h"
#include "runtime/numbers.h"
#include "runtime/picture.h"

namespace convert {

namespace {

namespace files = rt::files;

const rt::Picture kLongitude = rt::Picture::parse("####.######");
const rt::Picture kLatitude = rt::Picture::parse("###.######");

constexpr uint64_t kTieRemainder = 18;    // k/36 = 1/2
constexpr int64_t kOneDegree = 36000036;  // the least sum whose millionths reach one degree

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

constexpr uint64_t kMillion = 1000000;  // millionths per degree

// Both plain fields take the millionths: one degree at least (below it the
// field shows "0." and the exact steps decide), fewer than 10000 degrees of
// longitude and 1000 of latitude (more overflow the fields).
inline bool plain(uint64_t longitude, uint64_t latitude) {
  return longitude >= kMillion && longitude < 10000 * kMillion && latitude >= kMillion &&
         latitude < 1000 * kMillion;
}

constexpr int kLongitudePlaces = 4;  // "####.######"
constexpr int kLatitudePlaces = 3;   // "###.######"
constexpr size_t kFieldBytes = 21;   // both fields
constexpr size_t kLineBytes = SheetPoints::kLineBytes;

// `lead`, both fields (plain() holds) and CR LF at `out`, which has room
// for the lead, the longitude field and rt::kFixedRoom; returns the end.
inline char* put_line(rt::BytesView lead, uint64_t longitude, uint64_t latitude, char* out) {
  char* p = std::copy(lead.begin(), lead.end(), out);
  p = rt::fixed_millionths(kLongitudePlaces, longitude, p);
  p = rt::fixed_millionths(kLatitudePlaces, latitude, p);
  p[0] = '\r';
  p[1] = '\n';
  return p + 2;
}
constexpr size_t kPutRoom = kLeadRoom + 11 + rt::kFixedRoom;

// The millionths of both offsets when they are decided and the plain fields
// hold them.
inline bool decided(const SheetPoints& points, int64_t x, int64_t y, uint64_t& longitude,
                    uint64_t& latitude) {
  return millionths(x, points.x().units, longitude) && millionths(y, points.y().units, latitude) &&
         plain(longitude, latitude);
}

// `lead` and the fields from millionths, with the line end, as one item.
void write_line(int n, rt::BytesView lead, uint64_t longitude, uint64_t latitude) {
  char line[kPutRoom];
  const char* end = put_line(lead, longitude, latitude, line);
  files::print_lines(n, {line, static_cast<size_t>(end - line)}, static_cast<size_t>(end - line));
}

// Entry k's vertex line when its millionths are decided: the one the table
// keeps, or formatted now and kept (in `spare` when the table keeps none).
// nullptr when the exact steps must decide.
inline const char* vertex_line(SheetPoints& points, size_t k, char* spare) {
  if (const char* kept = points.kept_line(k)) return kept;
  const auto* o = std::get_if<SheetPoints::Offsets>(&points.entry_unchecked(k));
  uint64_t longitude, latitude;
  if (!o || !decided(points, o->x, o->y, longitude, latitude)) return nullptr;
  char line[kPutRoom];
  put_line({}, longitude, latitude, line);
  char* slot = points.keep_line(k);
  if (!slot) slot = spare;
  std::memcpy(slot, line, kLineBytes);
  return slot;
}

void write_degrees(int n, rt::BytesView lead, const Degrees& d) {
  if (!lead.empty()) files::print(n, lead, rt::Sep::kSemicolon);
  files::print_using(n, kLongitude, d.longitude, rt::Sep::kSemicolon);
  files::print_using(n, kLatitude, d.latitude, rt::Sep::kNone);
}

}  // namespace

bool to_millionths(int64_t offset, const OriginUnits& origin, uint64_t& out) {
  return millionths(offset, origin, out);
}

char* millionth_fields(uint64_t longitude, uint64_t latitude, char* out) {
  if (!plain(longitude, latitude)) return nullptr;
  char line[kPutRoom];
  put_line({}, longitude, latitude, line);
  std::memcpy(out, line, kFieldBytes);
  return out + kFieldBytes;
}

void write_vertex(const SheetPoints& points, const LayerLines& lines, int n, rt::BytesView lead,
                  const SheetPoints::Entry& point) {
  uint64_t longitude, latitude;
  const auto* o = std::get_if<SheetPoints::Offsets>(&point);
  if (o && lead.size() <= kLeadRoom && decided(points, o->x, o->y, longitude, latitude)) {
    statement(lines.degrees);
    statement(lines.write);
    write_line(n, lead, longitude, latitude);
    return;
  }
  statement(lines.degrees);
  const Degrees d =
      o ? Degrees{to_degrees(o->x, points.x().seconds), to_degrees(o->y, points.y().seconds)}
        : point_to_degrees(points, points.text(std::get<SheetPoints::Text>(point)));
  statement(lines.write);
  write_degrees(n, lead, d);
}

void write_vertices(SheetPoints& points, const LayerLines& lines, int n,
                    std::span<const uint32_t> entries) {
  // Decided vertices are handed to the file in batches, the two statements
  // of each taken at once (the degrees cannot fail; the write is the last):
  // a batch ends before a statement that gives the message queue its turn
  // (which may end the program) and where the room is full. A vertex that
  // stops a batch runs its statements one by one.
  constexpr int kBatchLines = files::kLineRoom / kLineBytes;
  char batch[kBatchLines * kLineBytes];
  char spare[SheetPoints::kSlot];
  for (size_t i = 0; i < entries.size();) {
    const size_t left = entries.size() - i;
    const int want = left < kBatchLines ? static_cast<int>(left) : kBatchLines;
    const int ran = rt::quiet_statements(lines.degrees, lines.write, want, [&](int k) {
      const char* line = vertex_line(points, entries[i + static_cast<size_t>(k)], spare);
      if (!line) return false;
      std::memcpy(batch + static_cast<size_t>(k) * kLineBytes, line, kLineBytes);
      return true;
    });
    if (ran > 0) files::print_lines(n, {batch, static_cast<size_t>(ran) * kLineBytes}, kLineBytes);
    i += static_cast<size_t>(ran);
    if (ran == want) continue;
    const uint32_t k = entries[i++];
    if (const char* line = vertex_line(points, k, spare)) {
      rt::statements(lines.degrees, lines.write);
      files::print_lines(n, {line, kLineBytes}, kLineBytes);
    } else {
      write_vertex(points, lines, n, {}, points.entry_unchecked(k));
    }
  }
}

void write_vertex(const SheetPoints& points, int n, rt::BytesView lead, int32_t x, int32_t y) {
  uint64_t longitude, latitude;
  if (lead.size() <= kLeadRoom && decided(points, x, y, longitude, latitude)) {
    write_line(n, lead, longitude, latitude);
    return;
  }
  write_degrees(n, lead, {to_degrees(x, points.x().seconds), to_degrees(y, points.y().seconds)});
}

}  // namespace convert
