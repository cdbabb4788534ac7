#include "runtime/strings.h"

#include <gtest/gtest.h>

#include "tests/runtime/test_support.h"

namespace {

using test::error_of;

TEST(Strings, Cuts) {
  struct Case {
    const char* what;
    rt::BytesView got;
    const char* want;
  } cases[] = {
      {"mid past end", rt::mid("abc", 4, 1), ""},   {"mid long count", rt::mid("abc", 2, 99), "bc"},
      {"mid zero count", rt::mid("abc", 1, 0), ""}, {"mid rest", rt::mid("abcdef", 3), "cdef"},
      {"left over", rt::left("abc", 10), "abc"},    {"left zero", rt::left("abc", 0), ""},
      {"right part", rt::right("abcdef", 2), "ef"}, {"right over", rt::right("abc", 5), "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(Strings, CutErrors) {
  struct Case {
    const char* what;
    std::function<void()> fn;
    int code;
  } cases[] = {
      {"mid position 0", [] { rt::mid("abc", 0, 1); }, 5},
      {"mid negative count", [] { rt::mid("abc", 1, -1); }, 5},
      {"left negative", [] { rt::left("abc", -1); }, 5},
      {"right negative", [] { rt::right("abc", -3); }, 5},
      {"instr start 0", [] { rt::instr(0, "abc", "b"); }, 5},
      {"count beyond 32 bits", [] { rt::left("abc", int64_t{1} << 32); }, 6},
      {"chr 256",
       [] {
         rt::chr({65, 256});
       },
       5},
      {"chr negative", [] { rt::chr({-1}); }, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(error_of(c.fn), c.code) << c.what;
}

TEST(Strings, Instr) {
  struct Case {
    int64_t p;
    const char* s;
    const char* t;
    int32_t want;
  } cases[] = {
      {1, "a,b", ",", 2},  {1, "", ",", 0},      {3, "abc", "", 3},  {4, "abc", "", 0},
      {1, "ab", "abc", 0}, {2, "abab", "ab", 3}, {1, "abc", "x", 0}, {5, "abc", "c", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(rt::instr(c.p, c.s, c.t), c.want) << c.s << " " << c.t;
}

TEST(Strings, InstrMatchesTrailByte) {
  // マ is 83 7D in CP932: its trail byte is "}".
  std::string name = "\x83\x7D";
  EXPECT_EQ(rt::instr(1, name + "}", "}"), 2);
}

// The searches read a word or sixteen bytes at a time: they must find the
// first match from every start, over bytes one apart from the searched ones
// (where a carry between bytes would show) and bytes above 0x7F.
TEST(Strings, InstrOneByteAgreesWithAPlainSearch) {
  const char alphabet[] = {'@', 'A', 'B', '\0', '\xC1', '\x01'};
  using namespace std::string_literals;
  const std::string needles[] = {"A",
                                 "\0"s,
                                 "\xC1",
                                 "AB",
                                 "A@",
                                 "A\0A"s,
                                 "BAB@",
                                 "\xC1"
                                 "AA\x01"
                                 "B"};
  uint32_t seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    seed = seed * 1103515245 + 12345;
    std::string text(seed % 70, ' ');
    for (char& c : text) {
      seed = seed * 1103515245 + 12345;
      c = alphabet[(seed >> 16) % sizeof alphabet];
    }
    for (const std::string& needle : needles)
      for (size_t start = 1; start <= text.size(); ++start) {
        size_t at = text.find(needle, start - 1);
        int32_t want = at == std::string::npos ? 0 : static_cast<int32_t>(at + 1);
        ASSERT_EQ(rt::instr(static_cast<int64_t>(start), text, needle), want)
            << round << " " << start << " " << needle.size();
      }
  }
}

TEST(Strings, ChrAndConcat) {
  EXPECT_EQ(rt::chr({34, 65}), "\"A");
  EXPECT_EQ(rt::concat("ab", "cd"), "abcd");
  EXPECT_EQ(rt::len("\x83\x7D"), 2);
}

}  // namespace
