#include "convert/vertex_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "convert/sheet.h"
#include "convert/statements.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/picture.h"
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

constexpr uint64_t kMillion = 1000000;  // millionths per degree

// Both plain fields take the millionths: one degree at least (below it the
// field shows "0." and the exact steps decide), fewer than 10000 degrees of
// longitude and 1000 of latitude (more overflow the fields).
inline bool plain(uint64_t longitude, uint64_t latitude) {
  return longitude >= kMillion && longitude < 10000 * kMillion && latitude >= kMillion &&
         latitude < 1000 * kMillion;
}

// The digits of every n < 1000 in four bytes, a blank first: zero-padded
// (" 007") for the decimals, blank-padded ("   7") for the whole degrees.
struct Triples {
  char zeros[4000];
  char blanks[4000];
  constexpr Triples() : zeros(), blanks() {
    for (int n = 0; n < 1000; ++n) {
      const char d[3] = {static_cast<char>('0' + n / 100), static_cast<char>('0' + n / 10 % 10),
                         static_cast<char>('0' + n % 10)};
      zeros[4 * n] = blanks[4 * n] = ' ';
      for (int k = 0; k < 3; ++k) {
        zeros[4 * n + 1 + k] = d[k];
        blanks[4 * n + 1 + k] = (k == 2 || n >= (k == 0 ? 100 : 10)) ? d[k] : ' ';
      }
    }
  }
};
constexpr Triples kTriples;

inline void put4(char* at, const char* four) {
  std::memcpy(at, four, 4);
}

// The 21 bytes of both fields (plain() holds): longitude in bytes 0-10
// (four places, the point, six decimals), latitude in 11-20 (three places).
// Right to left, in four-byte stores whose blank first byte the store to
// their left, or the point, writes over.
inline char* put_fields(uint64_t longitude, uint64_t latitude, char* out) {
  const auto lon_whole = static_cast<uint32_t>(longitude / kMillion);
  const auto lon_part = static_cast<uint32_t>(longitude % kMillion);
  const auto lat_whole = static_cast<uint32_t>(latitude / kMillion);
  const auto lat_part = static_cast<uint32_t>(latitude % kMillion);
  put4(out + 17, kTriples.zeros + 4 * (lat_part % 1000));
  put4(out + 14, kTriples.zeros + 4 * (lat_part / 1000));
  out[14] = '.';
  put4(out + 10, kTriples.blanks + 4 * lat_whole);
  put4(out + 7, kTriples.zeros + 4 * (lon_part % 1000));
  put4(out + 4, kTriples.zeros + 4 * (lon_part / 1000));
  out[4] = '.';
  if (lon_whole < 1000) {
    put4(out, kTriples.blanks + 4 * lon_whole);
  } else {
    put4(out, kTriples.zeros + 4 * (lon_whole % 1000));
    out[0] = static_cast<char>('0' + lon_whole / 1000);
  }
  return out + 21;
}

// The millionths of both offsets when they are decided and the plain fields
// hold them.
inline bool decided(int64_t x, int64_t y, uint64_t& longitude, uint64_t& latitude) {
  const SheetState& s = sheet();
  return millionths(x, s.x_units, longitude) && millionths(y, s.y_units, latitude) &&
         plain(longitude, latitude);
}

// `lead` and the fields from millionths, with the line end, as one item
// formatted in place.
void write_line(int n, rt::BytesView lead, uint64_t longitude, uint64_t latitude) {
  static_assert(kLeadRoom + 21 + 2 <= files::kLineRoom);
  char* const room = files::line_room(n);
  char* end = put_fields(longitude, latitude, std::copy(lead.begin(), lead.end(), room));
  end[0] = '\r';
  end[1] = '\n';
  files::commit_lines(n, 1, static_cast<size_t>(end + 2 - room));
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

char* millionth_fields(uint64_t longitude, uint64_t latitude, char* out) {
  return plain(longitude, latitude) ? put_fields(longitude, latitude, out) : nullptr;
}

void write_vertex(int n, rt::BytesView lead, const PointLine& point) {
  uint32_t x, y;
  uint64_t longitude, latitude;
  const bool offsets = point.offsets(x, y);
  if (offsets && lead.size() <= kLeadRoom && decided(x, y, longitude, latitude)) {
    statement(lines::kDegrees);
    statement(lines::kWrite);
    write_line(n, lead, longitude, latitude);
    return;
  }
  statement(lines::kDegrees);
  const SheetState& s = sheet();
  const Degrees d = offsets ? Degrees{to_degrees(x, s.x_origin), to_degrees(y, s.y_origin)}
                            : point_to_degrees(point.text());
  statement(lines::kWrite);
  write_degrees(n, lead, d);
}

char* VertexLines::keep(size_t k, size_t entries) {
  if (k >= entries || no_memory_) return nullptr;
  if (known_.size() != entries) {
    try {
      lines_.reset(new char[entries * kSlot]);
      known_.assign(entries, 0);
    } catch (const std::bad_alloc&) {
      lines_.reset();
      known_.clear();
      no_memory_ = true;
      return nullptr;
    }
  }
  known_[k] = 1;
  return lines_.get() + k * kSlot;
}

void write_vertices(int n, std::span<const PointLine* const> points) {
  // Decided vertices go straight into the output, the two statements of
  // each taken at once (the degrees cannot fail; the write is the last).
  // Their lines are handed over together, before any statement that gives
  // the message queue its turn (which may end the program) and whenever
  // the room is full. A table entry's line is formatted once per sheet.
  constexpr size_t kLineBytes = 21 + 2;
  SheetState& s = sheet();
  const size_t entries = s.point_table.size();
  const uintptr_t table = entries ? reinterpret_cast<uintptr_t>(&s.point_table[0]) : 0;
  const Block block;
  char* room = nullptr;  // the room's start, nullptr when there is none
  char* end = nullptr;   // the end of the lines written into it
  auto hand_over = [&] {
    if (end != room)
      files::commit_lines(n, static_cast<size_t>(end - room) / kLineBytes, kLineBytes);
    room = end = nullptr;
  };
  // Past the table's entries (a point not in it) an entry number is no entry.
  auto entry_of = [table](const PointLine* point) {
    return (reinterpret_cast<uintptr_t>(point) - table) / sizeof(PointLine);
  };
  VertexLines::View kept = s.vertex_lines.view();
  char unkept[VertexLines::kSlot];
  for (size_t i = 0; i < points.size();) {
    const PointLine* point = points[i];
    const size_t k = entry_of(point);
    const char* line = kept.find(k);
    if (!line) {
      uint32_t x, y;
      uint64_t longitude, latitude;
      if (!point->offsets(x, y) || !decided(x, y, longitude, latitude)) {
        hand_over();
        write_vertex(n, {}, *point);
        ++i;
        continue;
      }
      char* slot = s.vertex_lines.keep(k, entries);
      kept = s.vertex_lines.view();
      if (!slot) slot = unkept;
      char* fields_end = put_fields(longitude, latitude, slot);
      fields_end[0] = '\r';
      fields_end[1] = '\n';
      line = slot;
    }
    if (!rt::quiet(2) || static_cast<size_t>(end - room) > files::kLineRoom - kLineBytes)
      hand_over();
    block.statements(lines::kDegrees, lines::kWrite);
    if (!room) room = end = files::line_room(n);
    std::memcpy(end, line, kLineBytes);
    end += kLineBytes;
    ++i;
    // The kept lines that follow, as many as pass their statements without
    // a turn and fit the room, taken as one run: found, copied, counted.
    const size_t fit = (files::kLineRoom - static_cast<size_t>(end - room)) / kLineBytes;
    const int most = rt::quiet_runs(2, static_cast<int>(std::min(fit, points.size() - i)));
    int run = 0;
    for (; run < most; ++run) {
      const char* next = kept.find(entry_of(points[i + static_cast<size_t>(run)]));
      if (!next) break;
      std::memcpy(end, next, kLineBytes);
      end += kLineBytes;
    }
    block.take_quiet_runs(lines::kDegrees, lines::kWrite, run);
    i += static_cast<size_t>(run);
  }
  hand_over();
}

void write_vertex(int n, rt::BytesView lead, int32_t x, int32_t y) {
  uint64_t longitude, latitude;
  if (lead.size() <= kLeadRoom && decided(x, y, longitude, latitude)) {
    write_line(n, lead, longitude, latitude);
    return;
  }
  const SheetState& s = sheet();
  write_degrees(n, lead, {to_degrees(x, s.x_origin), to_degrees(y, s.y_origin)});
}

}  // namespace convert
