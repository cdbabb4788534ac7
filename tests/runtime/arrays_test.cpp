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
