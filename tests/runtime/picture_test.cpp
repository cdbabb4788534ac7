#include "runtime/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "runtime/numbers.h"
#include "tests/runtime/test_support.h"

namespace {

std::string fmt(const char* picture, double v) {
  rt::Bytes out;
  rt::Picture::parse(picture).format(v, out);
  return out;
}

TEST(Picture, FixedForm) {
  struct Case {
    const char* picture;
    double value;
    const char* want;
  } cases[] = {
      {"####.######", 127.51, " 127.510000"},
      {"###.######", 26.005, " 26.005000"},
      {"###.######", static_cast<double>(rt::val("26.005")), " 26.004999"},
      {"####.######", -127.51, "-127.510000"},
      {"####.######", 0.5, "   0.500000"},
      {"####.######", 0, "   0.000000"},
      {"####.######", 127.5, " 127.500000"},
      {"###.######", 26.25, " 26.250000"},
      {"####.######", 0.0000006, "   0.000001"},
      {"####.######", 0.00000049, "   0.000000"},
      {"####.######", 9999.999999, "9999.999999"},
      {"###.######", 999.9999994, "999.999999"},
      // Ties at the seventh decimal round up through the 16-digit step.
      {"####.######", (18.0L / 10000 + 459000) / 3600, " 127.500001"},
      {"###.######", (18.0L / 10000 + 93600) / 3600, " 26.000001"},
      {"##", 5, " 5"},
      {"#.##", 2.345, "2.35"},
      {"+##.#", 3.25, " +3.3"},
      {"**##.#", 3.25, "***3.3"},
      {"#,###", 1234, "1,234"},
      {"##.#-", -1.25, " 1.3-"},
      {"x=##.#!", 1.5, "x= 1.5!"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.picture, c.value), c.want) << c.picture << " " << c.value;
}

TEST(Picture, Overflow) {
  EXPECT_EQ(fmt("####.######", 12345.6), "% 12345.6");
  EXPECT_EQ(fmt("####.######", 9999.9999995).substr(0, 1), "%");
  EXPECT_EQ(fmt("###.######", -1000), "%-1000");
  EXPECT_EQ(fmt("####.######", -1000.5), "%-1000.5");
}

TEST(Picture, Errors) {
  EXPECT_EQ(test::error_of([] { rt::Picture::parse(""); }), 5);
  EXPECT_EQ(test::error_of([] { rt::Picture::parse("abc"); }), 13);
}

// The exact 16-digit path agrees with a wide printf rendering.
TEST(Picture, SixteenDigitsMatchPrintf) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> dist(0.0, 10000.0);
  for (int k = 0; k < 20000; ++k) {
    double v = k < 1000 ? (k * 36 + 18) / 36000000.0 + 127 : dist(rng);
    uint64_t d;
    int e;
    rt::decimal_digits16(v, d, e);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%.39e", v);
    std::string digits;
    for (char* p = buf; *p && *p != 'e'; ++p)
      if (*p >= '0' && *p <= '9') digits.push_back(*p);
    uint64_t want = std::stoull(digits.substr(0, 16)) + (digits[16] >= '5' ? 1 : 0);
    int want_e = std::atoi(std::strchr(buf, 'e') + 1);
    if (want == 10000000000000000ull) want = 1000000000000000ull, ++want_e;
    ASSERT_EQ(d, want) << buf;
    ASSERT_EQ(e, want_e) << buf;
  }
}

// The fast path for plain fields gives what the general path gives (a
// literal in front sends the same field through the general path).
TEST(Picture, PlainFieldsMatchTheGeneralPath) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> dist(0.0, 12000.0);
  std::uniform_real_distribution<double> exponent(0.0, 12.0);
  // Every decimal count from 0 to 9 and integer parts of 1 to 12 places.
  const char* fields[] = {"####.######", "###.######",          "##.#",
                          "#####",       "#.#########",         "##.##",
                          "###.###",     "#######.####",        "#########.#########",
                          "#####.#####", "###########.#######", "#.########",
                          "####.#######"};
  for (const char* field : fields) {
    rt::Picture plain = rt::Picture::parse(field);
    rt::Picture general = rt::Picture::parse(std::string("x") + field);
    for (int k = 0; k < 20000; ++k) {
      double v = k % 3 == 0 ? (k * 18 + 459000) / 3600.0 : dist(rng);
      if (k % 5 == 1) v = std::pow(10.0, exponent(rng));
      if (k % 7 == 0) v = std::floor(v) + 0.5;
      rt::Bytes a, b;
      plain.format(v, a);
      general.format(v, b);
      ASSERT_EQ("x" + a, b) << field << " " << v;
    }
  }
}

}  // namespace

namespace {

// Signs, fill, currency and exponent forms, each with a positive, a
// negative and a zero value.
TEST(Picture, FieldOptions) {
  struct Case {
    const char* picture;
    double value;
    const char* want;
  } cases[] = {
      // A leading '*' fills with asterisks; every '*' is a position.
      {"*##.##", 1.5, "**1.50"},
      {"*##.##", -1.5, "*-1.50"},
      {"*##.##", 0, "**0.00"},
      {"**", 7, "*7"},
      {"*", 1.5, "2"},
      {"*", 12, "% 12"},
      // '*' inside a run is a position, not literal text.
      {"#*#.##", 1.5, "  1.50"},
      // A leading '+' always shows the sign and is a position.
      {"+##.##", 1.5, " +1.50"},
      {"+##.##", -1.5, " -1.50"},
      {"+##.##", 0, " +0.00"},
      {"+#", 12, "% 12"},
      // Trailing signs need no integer position.
      {"##.##+", 1.5, " 1.50+"},
      {"##.##+", -1.5, " 1.50-"},
      {"##.##+", 0, " 0.00+"},
      {"##.##-", 1.5, " 1.50 "},
      {"##.##-", -1.5, " 1.50-"},
      {"##.##-", 0, " 0.00 "},
      {"#.#-", -12, "%-12"},
      // Currency sign before the digits; thousands separators.
      {"\\###.##", 1.5, "  \\1.50"},
      {"\\###.##", -1.5, " -\\1.50"},
      {"#,###,###", 1234567, "1,234,567"},
      // Exponent form: a sign position, the mantissa over the other
      // positions and the decimals, E and a two-digit exponent.
      {"##.##^^^^", 234.56, " 2.35E+02"},
      {"##.##^^^^", -234.56, "-2.35E+02"},
      {"##.##^^^^", 0, " 0.00E+00"},
      {"###.##^^^^", 234.56, " 23.46E+01"},
      {"##.##^^^^", 0.000123, " 1.23E-04"},
      {"##.##^^^^", 9.996, " 1.00E+01"},
      {"+#.#^^^^", 5, "+5.0E+00"},
      {"##.##^^^^-", -234.56, "23.46E+01-"},
      {"##.#^^^^^", 1e200, " 1.0E+200"},
      {"##.#^^^^", 1e200, "% 1.0E+200"},
      {"#.##^^^^", 234.56, " .23E+03"},  // the one position is the sign's
      // '_' makes the next character literal.
      {"_#_*##", 5, "#* 5"},
      {"a__##", 5, "a_ 5"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fmt(c.picture, c.value), c.want) << c.picture << " " << c.value;
}

// Item k of a statement takes field k; the literal text between fields is
// written once, behind the field before it; more items than fields start
// the format again.
TEST(Picture, SeveralFields) {
  rt::Picture p = rt::Picture::parse("##.##  ##.##");
  ASSERT_EQ(p.fields(), 2u);
  rt::Bytes out;
  p.format(0, 1.5, 0, out);
  p.format(1, 2.25, 0, out);
  EXPECT_EQ(out, " 1.50   2.25");
  out.clear();
  rt::Picture q = rt::Picture::parse("<#>-<#>|");
  for (size_t k = 0; k < 5; ++k) q.format(k, static_cast<double>(k), 0, out);
  EXPECT_EQ(out, "<0>-<1>|<2>-<3>|<4>-<");
}

// A TAB in literal text advances to the next multiple of 8 columns from the
// column where the item starts.
TEST(Picture, TabsInLiteralText) {
  struct Case {
    const char* picture;
    int column;
    const char* want;
  } cases[] = {
      {"a\t#", 0, "a       5"},
      {"a\t#", 3, "a    5"},
      {"#\t#", 0, "5       5"},
      {"\r\t#", 5, "\r        5"},
  };
  for (const Case& c : cases) {
    rt::Picture p = rt::Picture::parse(c.picture);
    rt::Bytes out;
    for (size_t k = 0; k < p.fields(); ++k) p.format(k, 5, c.column, out);
    EXPECT_EQ(out, c.want) << c.picture << " at " << c.column;
  }
}

TEST(Picture, FormatsWithoutFields) {
  struct Case {
    const char* picture;
    int code;
  } cases[] = {{"", 5}, {"abc", 13}, {"_#", 13}, {"+", 13}, {".", 13}, {"*", 0}, {"\\", 0}};
  for (const Case& c : cases)
    EXPECT_EQ(test::error_of([&] { rt::Picture::parse(c.picture); }), c.code) << c.picture;
}

}  // namespace
