#include "runtime/numbers.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <random>
#include <string>

#include "tests/runtime/test_support.h"

namespace {

using test::error_of;

TEST(Val, Values) {
  struct Case {
    const char* text;
    long double want;
  } cases[] = {
      {" 12 34", 12},
      {"1.5E2", 150},
      {"x1", 0},
      {"-.5", -0.5},
      {"0036", 36},
      {"", 0},
      {"   ", 0},
      {"  -5}", -5},
      {"+7", 7},
      {"4590000000", 4590000000.0L},
      {"936000000", 936000000},
      {"00360000", 360000},
      {"&H10", 16},
      {"&HFFFF", -1},
      {"&O17", 15},
      {"&X1", 0},
      {".", 0},
      {"-", 0},
      {"12.5}", 12.5},
      {"1D3", 1000},
      {"2e-1", static_cast<float>(0.2)},
  };
  for (const Case& c : cases) EXPECT_EQ(rt::val(c.text), c.want) << c.text;
}

TEST(Val, TypingRule) {
  // Fewer than 8 significant digits: single precision.
  EXPECT_EQ(static_cast<double>(rt::val("26.005")), 26.0049991607666015625);
  EXPECT_EQ(static_cast<double>(rt::val("26.00500")), 26.0049991607666015625);
  // 8 or more: double precision.
  EXPECT_EQ(static_cast<double>(rt::val("26.005000")), 26.005);
  EXPECT_EQ(static_cast<double>(rt::val("127.51")), static_cast<double>(127.51f));
  // Whole numbers that do not fit 32 bits with many digits: exact double.
  EXPECT_EQ(rt::val("123456789012"), 123456789012.0L);
  // A single-precision overflow becomes double.
  EXPECT_EQ(static_cast<double>(rt::val("1E39")), 1e39);
}

// VAL's common case (up to eight digits read as one word) must agree with
// the general reader for every length and for a stray byte at every
// position: blank, signs, point, exponent letters, a byte just outside
// '0'..'9', a double-byte lead, a NUL, a brace.
TEST(Val, WholeNumberAgreesWithTheGeneralReader) {
  // Value and error code (an exponent can overflow) of both readers.
  auto agree = [](const std::string& text) {
    long double fast = -1, general = -2;
    int fast_error = error_of([&] { fast = rt::val(text); });
    int general_error = error_of([&] { general = rt::detail::val_general(text); });
    return fast_error == general_error && (fast_error != 0 || fast == general);
  };
  const char strays[] = {' ', '-', '+', '.', 'E', 'd', '/', ':', '\x00', '\x82', '}'};
  for (size_t n = 1; n <= 10; ++n) {
    std::string digits;
    for (size_t k = 0; k < n; ++k) digits += static_cast<char>('1' + (k * 7) % 9);
    EXPECT_TRUE(agree(digits)) << digits;
    for (size_t at = 0; at < n; ++at)
      for (char stray : strays) {
        std::string text = digits;
        text[at] = stray;
        EXPECT_TRUE(agree(text)) << n << " " << at << " " << +stray;
      }
  }
  EXPECT_EQ(rt::val("00000000"), 0);
  EXPECT_EQ(rt::val("99999999"), 99999999);
  EXPECT_EQ(rt::val("0001"), 1);
}

TEST(Val, DecimalsReadAsTheLibraryReadsThem) {
  // Mantissas of 1 to 19 digits with a point anywhere and D exponents (kept
  // as double), then fewer than 8 digits without exponent (single).
  std::mt19937_64 rng(3);
  for (int k = 0; k < 50000; ++k) {
    const bool single = k % 2 == 1;
    const int n = 1 + static_cast<int>(rng() % (single ? 7 : 19));
    std::string digits;
    for (int d = 0; d < n; ++d) digits += static_cast<char>('0' + rng() % 10);
    if (digits[0] == '0') digits[0] = '7';
    if (rng() % 4 == 0)
      digits.insert(0, rng() % 2 ? "-0.00" : "0.0");
    else
      digits.insert(rng() % (digits.size() + 1), ".");
    std::string text = digits, reference = digits;
    if (!single) {
      const int e = static_cast<int>(rng() % 61) - 30;
      text += "D" + std::to_string(e);
      reference += "E" + std::to_string(e);
    }
    long double want = std::strtold(reference.c_str(), nullptr);
    std::feclearexcept(FE_ALL_EXCEPT);
    long double got = rt::val(text);
    if (!single) {
      EXPECT_EQ(got, static_cast<double>(want)) << text;
    } else if (std::truncl(want) != want) {
      EXPECT_EQ(got, static_cast<float>(want)) << text;
    }
  }
}

TEST(Val, Overflow) {
  EXPECT_EQ(error_of([] { rt::val("1D999"); }), 6);
}

TEST(Integers, StoreRounding) {
  struct Case {
    long double v;
    int16_t want;
  } cases[] = {{2.5, 2},
               {3.5, 4},
               {-2.5, -2},
               {12.5, 12},
               {13.5, 14},
               {123.4, 123},
               {-0.4, 0},
               // At the ends of the range: a tie just outside rounds back in.
               {32767.4L, 32767},
               {-32768.5L, -32768},
               {-32767.5L, -32768},
               {32766.5L, 32766}};
  for (const Case& c : cases) EXPECT_EQ(rt::to_int16(c.v), c.want) << static_cast<double>(c.v);
  EXPECT_EQ(rt::to_int32(2147483647.4L), 2147483647);
  EXPECT_EQ(rt::to_int32(-2147483648.5L), -2147483648);
  EXPECT_EQ(rt::to_int32(-7.5L), -8);
  EXPECT_EQ(rt::to_int32(200000.0L), 200000);
  EXPECT_EQ(rt::int_arg(2.5), 3);
  EXPECT_EQ(rt::int_arg(-2.5), -3);
  EXPECT_EQ(rt::int_arg(1.5), 2);
}

TEST(Integers, Errors) {
  struct Case {
    const char* what;
    std::function<void()> fn;
    int code;
  } cases[] = {
      {"32767.6 to 16 bits", [] { rt::to_int16(32767.6L); }, 6},
      {"-32769 to 16 bits", [] { rt::to_int16(-32769); }, 6},
      {"2^31 to 32 bits", [] { rt::to_int32(2147483648.0L); }, 6},
      {"NaN to 16 bits", [] { rt::to_int16(std::nanl("")); }, 6},
      {"32-bit result 40000 to 16 bits", [] { rt::narrow16(40000); }, 6},
      {"integer argument 3e9", [] { rt::int_arg(3e9L); }, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(error_of(c.fn), c.code) << c.what;
  EXPECT_EQ(rt::narrow16(-32768), -32768);
}

TEST(FloatCheck, FlagsBecomeErrors) {
  volatile long double zero = 0, big = 1e4000L, one = 1;
  struct Case {
    const char* what;
    std::function<void()> fn;
    int code;
  } cases[] = {
      {"division by zero",
       [&] {
         volatile long double r = one / zero;
         (void)r;
         rt::fp_check();
       },
       11},
      {"invalid",
       [&] {
         volatile long double r = zero / zero;
         (void)r;
         rt::fp_check();
       },
       5},
      {"overflow",
       [&] {
         volatile long double r = big * big * big * big;
         (void)r;
         rt::fp_check();
       },
       6},
      {"underflow passes",
       [&] {
         volatile long double r = one / big / big;
         (void)r;
         rt::fp_check();
       },
       0},
  };
  for (const Case& c : cases) {
    rt::fp_reset();
    EXPECT_EQ(error_of(c.fn), c.code) << c.what;
  }
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
}

}  // namespace
