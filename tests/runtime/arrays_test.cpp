#include "runtime/arrays.h"

#include <gtest/gtest.h>

#include "tests/runtime/test_support.h"

namespace {

using test::error_of;

TEST(Arrays, Bounds) {
  rt::Array<int> a;
  a.dim(10);
  a[0] = 1;
  a[10] = 2;
  EXPECT_EQ(a[10], 2);
  EXPECT_EQ(error_of([&] { a[11]; }), 9);
  EXPECT_EQ(error_of([&] { a[-1]; }), 9);
  EXPECT_EQ(error_of([&] { a.dim(5); }), 10);
}

TEST(Arrays, DimErrorsAndImplicit) {
  rt::Array<int> neg;
  EXPECT_EQ(error_of([&] { neg.dim(-1); }), 5);
  rt::Array<rt::Bytes> implicit;
  EXPECT_EQ(implicit[10], "");
  EXPECT_EQ(error_of([&] { implicit[11]; }), 9);
}

TEST(Arrays, TwoDimensions) {
  rt::Array2<rt::Bytes> t;
  t.dim(200, 1);
  t(200, 1) = "x";
  EXPECT_EQ(t(200, 1), "x");
  EXPECT_EQ(t(0, 0), "");
  EXPECT_EQ(error_of([&] { t(201, 0); }), 9);
  EXPECT_EQ(error_of([&] { t(0, 2); }), 9);
}

TEST(Arrays, ConversionTablesFit) {
  rt::Array<rt::Bytes> points, vertices;
  points.dim(200000);
  vertices.dim(30000);
  EXPECT_EQ(points.size(), 200001u);
  EXPECT_EQ(vertices.size(), 30001u);
}

}  // namespace

namespace {

// The total byte size must be a non-negative 32-bit number: 2^28 doubles
// are 2^31 bytes, one too many.
TEST(Arrays, TotalSizeFitsThirtyOneBits) {
  struct Case {
    int64_t upper0, upper1;
    int code;
  } cases[] = {
      {(int64_t{1} << 28) - 1, 0, 9},
      {(int64_t{1} << 14) - 1, (int64_t{1} << 14) - 1, 9},
      {2147483646, 2147483646, 9},
  };
  for (const Case& c : cases) {
    rt::Array2<double> a;
    EXPECT_EQ(error_of([&] { a.dim(c.upper0, c.upper1); }), c.code) << c.upper0;
  }
  rt::Array<double> one;
  EXPECT_EQ(error_of([&] { one.dim(int64_t{1} << 28); }), 9);
  rt::Array<double> fits;
  EXPECT_EQ(error_of([&] { fits.dim(1000); }), 0);
}

}  // namespace
