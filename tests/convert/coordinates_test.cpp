// The vertex writer: the millionths must give the very field the 80-bit
// steps give, for whole and fractional origins, ties and the one-degree
// edge, and the writer's lines must be those of the exact steps.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "convert/sheet.h"
#include "convert/vertex_writer.h"
#include "runtime/files.h"
#include "runtime/numbers.h"
#include "runtime/picture.h"
#include "tests/runtime/test_support.h"

namespace {

// The field as the exact steps print it: degrees, then PRINT USING.
rt::Bytes exact_field(const rt::Picture& pic, int64_t offset, double origin) {
  rt::Bytes out;
  pic.format(convert::to_degrees(static_cast<long double>(offset), origin), out);
  return out;
}

// The origin as the sheet's ".slm" gives it: units / 10000, in 80 bits,
// stored as a double.
double origin_of(int64_t units) {
  return static_cast<double>(static_cast<long double>(units) / 10000.0L);
}

convert::OriginUnits units_of(double origin) {
  return convert::origin_units(origin);
}

TEST(Coordinates, DirectMillionthsMatchTheExactSteps) {
  std::mt19937_64 rng(5);
  const rt::Picture longitude = rt::Picture::parse("####.######");
  const rt::Picture latitude = rt::Picture::parse("###.######");
  // Origins in units: Japan's longitudes and latitudes, exact mesh corners
  // (whole minutes) anywhere from 0 to 277 degrees, zero, and the top of
  // the range.
  std::uniform_int_distribution<int64_t> lon_units(4392000000, 5544000000);
  std::uniform_int_distribution<int64_t> lat_units(720000000, 1656000000);
  std::uniform_int_distribution<int64_t> corners(0, 16666);
  std::uniform_int_distribution<int64_t> offsets(0, 99999999);
  // Mesh offsets are any 32-bit value.
  std::uniform_int_distribution<int64_t> mesh(-2147483648, 2147483647);
  int direct = 0, total = 0, ties = 0;
  for (int k = 0; k < 300000; ++k) {
    const bool lon = k % 2 == 0;
    int64_t units = lon ? lon_units(rng) : lat_units(rng);
    if (k % 3 == 0) units = corners(rng) * 600000;
    if (k % 89 == 0) units = 9999999999 - offsets(rng) % 100000;
    int64_t offset = k % 7 == 6 ? mesh(rng) : offsets(rng);
    if (k % 97 == 0) {
      units = 0;
      offset = 36000036 + k % 40 - 20;  // the one-degree edge
    }
    switch (k % 5) {
      case 1:  // a tie
        offset -= (offset + units) % 36 - 18;
        break;
      case 2:  // next to one
        offset -= (offset + units) % 36 - 17;
        break;
      default:
        break;
    }
    const double origin = origin_of(units);
    const convert::OriginUnits whole = units_of(origin);
    ASSERT_EQ(whole.units, units);
    const rt::Picture& pic = lon ? longitude : latitude;
    uint64_t m;
    ++total;
    if (!convert::to_millionths(offset, whole, m)) continue;
    // The other coordinate one degree: the line's fields side by side.
    constexpr uint64_t kOne = 1000000;
    char buf[32];
    const char* end = convert::millionth_fields(lon ? m : kOne, lon ? kOne : m, buf);
    if (!end) continue;
    ++direct;
    if ((offset + units) % 36 == 18) ++ties;
    const rt::Bytes field = lon ? rt::Bytes(buf, 11) : rt::Bytes(buf + 11, 10);
    ASSERT_EQ(end, buf + 21);
    ASSERT_EQ(field, exact_field(pic, offset, origin)) << offset << " + " << units;
  }
  EXPECT_GT(direct, total / 2);
  EXPECT_GT(ties, 5000);  // ties at exact origins are decided directly
}

TEST(Coordinates, OriginsWithoutWholeUnitsTakeTheExactSteps) {
  struct Case {
    double origin;
    int64_t units;
    bool exact;
  } cases[] = {{459000, 4590000000, true},
               {93600.5, 936005000, true},
               {origin_of(4590000001), 4590000001, false},  // not a double
               {0, 0, true},
               {459000.00005, -1, false},   // half a unit
               {459000.000001, -1, false},  // a hundredth of one
               {-459000, -1, false},
               {1e6, -1, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(units_of(c.origin).units, c.units) << c.origin;
    EXPECT_EQ(units_of(c.origin).exact, c.exact) << c.origin;
  }
  uint64_t m;
  EXPECT_FALSE(convert::to_millionths(1000, {}, m));
  EXPECT_FALSE(convert::to_millionths(36000017, {0, true}, m));  // just below one degree
  EXPECT_TRUE(convert::to_millionths(36000036, {0, true}, m));
  EXPECT_EQ(m, 1000001u);
  // Ties: decided only at an exact origin, and not from 8 to 10 degrees.
  EXPECT_TRUE(convert::to_millionths(36000054, {0, true}, m));
  EXPECT_EQ(m, 1000002u);
  EXPECT_FALSE(convert::to_millionths(36000054, {0, false}, m));
  EXPECT_FALSE(convert::to_millionths(324000018, {0, true}, m));
}

// The writer's bytes, as the file holds them, against "Point " or nothing,
// then both fields of the exact steps and the line end: point lines held
// as offsets and as text (odd lines that VAL reads its own way), alone and
// as a polyline, and mesh offsets of either sign.
TEST(VertexWriter, WritesTheFieldsOfTheExactSteps) {
  namespace files = rt::files;
  const char* lines[] = {"0021146301548736",
                         "00211463 1548736",
                         "0021146301548736 ",
                         "+021146301548736",
                         "0021146301548736E",
                         "00211463.1548736",
                         "",
                         "123",
                         "1234",
                         "99999999999999999"};
  constexpr convert::LayerLines kLines{.label = 1,
                                      .outputs = 2,
                                      .record_file = 3,
                                      .records = {4, 5},
                                      .object = 50,
                                      .degrees = 51,
                                      .write = 52,
                                      .pen = 53,
                                      .close = 54};
  convert::SheetPoints s;
  s.dim(std::size(lines) - 1);
  s.set_x_origin(459000);
  s.set_y_origin(93600);
  const rt::Picture longitude = rt::Picture::parse("####.######");
  const rt::Picture latitude = rt::Picture::parse("###.######");
  auto fields = [&](long double x, long double y) {
    rt::Bytes out;
    longitude.format(convert::to_degrees(x, s.x().seconds), out);
    latitude.format(convert::to_degrees(y, s.y().seconds), out);
    return out + "\r\n";
  };
  const int32_t mesh[][2] = {{211463, 1548736}, {-211463, -1548736}, {0, 18}, {2147483647, -1}};
  test::TempDir dir;
  files::open(dir.file("v.mif"), files::Mode::kOutput, 2);
  rt::Bytes expected, polyline;
  std::vector<uint32_t> points;
  for (uint32_t k = 0; k < std::size(lines); ++k) {
    const rt::BytesView line = lines[k];
    s.store(k, line);
    points.push_back(k);
    convert::write_vertex(s, kLines, 2, {}, s.entry(k));
    convert::write_vertex(s, kLines, 2, "Point ", s.entry(k));
    const rt::Bytes exact = fields(rt::val(rt::left(line, 8)), rt::val(rt::right(line, 8)));
    expected += exact + "Point " + exact;
    polyline += exact;
  }
  // A polyline of them all, twice: most vertices go straight into the
  // output, some through the statement hook's turn.
  convert::write_vertices(s, kLines, 2, points);
  convert::write_vertices(s, kLines, 2, points);
  expected += polyline + polyline;
  for (const auto& m : mesh) {
    convert::write_vertex(s, 2, "Point ", m[0], m[1]);
    expected += "Point " + fields(m[0], m[1]);
  }
  files::close({2});
  EXPECT_EQ(dir.read("v.mif"), expected + "\x1A");
}

}  // namespace
