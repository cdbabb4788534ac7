#include <gtest/gtest.h>

#include <vector>

#include "runtime/file_table.h"
#include "tests/runtime/test_support.h"

namespace {

using rt::Sep;
using test::error_of;
namespace files = rt::files;

struct FilesTest : ::testing::Test {
  test::TempDir dir;
  files::FileTable table{rt::platform::system_files(), files::kProgramFileSizes};
  void TearDown() override { table.close_all_quietly(); }
  // All lines of a file read with LINE INPUT # until EOF.
  std::vector<std::string> lines(const std::string& bytes) {
    dir.write("in.txt", bytes);
    table.open(dir.file("in.txt"), files::Mode::kInput, 1);
    std::vector<std::string> out;
    while (!table.eof(1)) out.emplace_back(table.line_input(1));
    table.close({1});
    return out;
  }
};

using Lines = std::vector<std::string>;

TEST_F(FilesTest, LineRules) {
  struct Case {
    const char* what;
    std::string bytes;
    Lines want;
  } cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"lone LF is data", "a\nb\r\n", {"a\nb"}},
      {"1A as last byte", "x\x1A", {"x"}},
      {"1A in the middle", std::string("x\x1Ay\r\n"), {"x\x1Ay"}},
      {"trailing CR", "x\r", {"x"}},
      {"lone CRs", "a\rb\r", {"a", "b"}},
      {"NUL dropped", std::string("a\0b\r\n", 5), {"ab"}},
      {"no final line end", "a\r\nb", {"a", "b"}},
      {"empty lines", "\r\n\r\n", {"", ""}},
      {"CR LF then 1A", "a\r\n\x1A", {"a"}},
      {"1A after 1A", "a\x1A\x1A", {"a\x1A"}},
      {"empty file", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(lines(c.bytes), c.want) << c.what;
}

// Line ends, NUL and 1A bytes are found a word at a time: each at every
// offset of a long line, and runs of ordinary bytes of every length.
TEST_F(FilesTest, SpecialBytesAtEveryOffset) {
  for (size_t at = 0; at < 40; ++at) {
    const std::string head(at, 'a'), tail(39 - at, 'b');
    EXPECT_EQ(lines(head + "\r\n" + tail + "\r\n"), (Lines{head, tail})) << at;
    EXPECT_EQ(lines(head + std::string(1, '\0') + tail + "\r\n"), (Lines{head + tail})) << at;
    EXPECT_EQ(lines(head + "\x1A" + tail + "\r\n"), (Lines{head + "\x1A" + tail})) << at;
    EXPECT_EQ(lines(head + "\x82\xA0" + tail), (Lines{head + "\x82\xA0" + tail})) << at;
    // A final 1A ends the file (alone, it leaves no line at all).
    EXPECT_EQ(lines(head + "\x1A"), at ? Lines{head} : Lines{}) << at;
  }
}

TEST_F(FilesTest, LineLengthLimit) {
  EXPECT_EQ(lines(std::string(32767, 'a') + "\r\n")[0].size(), 32767u);
  dir.write("long.txt", std::string(32768, 'a'));
  table.open(dir.file("long.txt"), files::Mode::kInput, 1);
  EXPECT_EQ(error_of([&] { table.line_input(1); }), 15);
}

TEST_F(FilesTest, LongLinesAcrossBuffers) {
  std::string big;
  for (int k = 0; k < 20000; ++k) big += std::string(30, 'a' + k % 26) + "\r\n";
  Lines got = lines(big);
  ASSERT_EQ(got.size(), 20000u);
  EXPECT_EQ(got[19999], std::string(30, 'a' + 19999 % 26));
}

TEST_F(FilesTest, ReadPastEnd) {
  dir.write("e.txt", "");
  table.open(dir.file("e.txt"), files::Mode::kInput, 1);
  EXPECT_TRUE(table.eof(1));
  EXPECT_EQ(error_of([&] { table.line_input(1); }), 54);
}

TEST_F(FilesTest, OutputAndClose) {
  table.open(dir.file("o.txt"), files::Mode::kOutput, 2);
  table.print(2, "abc", Sep::kNone);
  table.print(2, "a", Sep::kSemicolon);
  table.print(2, "b", Sep::kNone);
  table.print(2, rt::IntegerText(5), Sep::kNone);
  table.print(2, rt::IntegerText(-12), Sep::kNone);
  table.print(2, "a", Sep::kComma);
  table.print(2, "b", Sep::kNone);
  table.close({2});
  EXPECT_EQ(dir.read("o.txt"), "abc\r\nab\r\n 5 \r\n-12 \r\na             b\r\n\x1A");
}

// The print column counts every byte but CR (back to 0), TAB (to the next
// multiple of 8) and LF (no move); a comma pads to the next zone of 14.
TEST_F(FilesTest, PrintColumnOverControlBytes) {
  struct Case {
    const char* what;
    std::string text;
    size_t pad;  // blanks the comma then writes
  } cases[] = {
      {"ordinary bytes", "abcdefghijklmnopq", 14 - 17 % 14},
      {"double-byte text", "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8", 14 - 10},
      {"CR late", "abcdefghij\rxyz", 14 - 3},
      {"TAB after nine", "abcdefghi\tx", 14 - 17 % 14},
      {"LF in a word", "abcdefg\nhij", 14 - 10},
      {"other control byte", "abcdefghijk\x01", 14 - 12},
      {"exactly one zone", "abcdefghijklmn", 14},
  };
  for (const Case& c : cases) {
    test::TempDir d;
    table.open(d.file("c.txt"), files::Mode::kOutput, 2);
    table.print(2, c.text, Sep::kComma);
    table.print(2, "|", Sep::kNone);
    table.close({2});
    EXPECT_EQ(d.read("c.txt"), c.text + std::string(c.pad, ' ') + "|\r\n\x1A") << c.what;
  }
  // A CR at every place of texts of every length up to 20: the column
  // counts from the CR, however the text falls into words.
  for (size_t n = 1; n <= 20; ++n)
    for (size_t at = 0; at <= n; ++at) {
      std::string text(n, 'a');
      if (at < n) text[at] = '\r';
      const size_t col = at < n ? n - at - 1 : n;
      test::TempDir d;
      table.open(d.file("c.txt"), files::Mode::kOutput, 2);
      table.print(2, text, Sep::kComma);
      table.print(2, "|", Sep::kNone);
      table.close({2});
      EXPECT_EQ(d.read("c.txt"), text + std::string(14 - col % 14, ' ') + "|\r\n\x1A")
          << n << " " << at;
    }
}

TEST_F(FilesTest, OutputOfExistingFileIsRefused) {
  dir.write("x.txt", "keep");
  EXPECT_EQ(error_of([&] { table.open(dir.file("x.txt"), files::Mode::kOutput, 2); }), 64);
  EXPECT_EQ(dir.read("x.txt"), "keep");
  // The number stays free.
  table.open(dir.file("y.txt"), files::Mode::kOutput, 2);
}

TEST_F(FilesTest, AppendOverFinalByte) {
  dir.write("a.txt", "old\r\n\x1A");
  table.open(dir.file("a.txt"), files::Mode::kAppend, 2);
  table.print(2, "x", Sep::kNone);
  table.close_all();
  EXPECT_EQ(dir.read("a.txt"), "old\r\nx\r\n\x1A");
  table.open(dir.file("new.txt"), files::Mode::kAppend, 2);
  table.close_all();
  EXPECT_EQ(dir.read("new.txt"), "\x1A");
}

TEST_F(FilesTest, UsingWritesPictures) {
  table.open(dir.file("u.txt"), files::Mode::kOutput, 2);
  table.print_using(2, rt::Picture::parse("####.######"), 127.51, Sep::kSemicolon);
  table.print_using(2, rt::Picture::parse("###.######"), 26.005, Sep::kNone);
  table.close({2});
  EXPECT_EQ(dir.read("u.txt"), " 127.510000 26.005000\r\n\x1A");
}

// Statements of several items, TABs in literal text counted from the file's
// print column, and the column following what was written.
TEST_F(FilesTest, UsingStatements) {
  table.open(dir.file("u.txt"), files::Mode::kOutput, 2);
  const rt::Picture two = rt::Picture::parse("##.##  ##.##");
  table.print_using(2, two, {1.5, 2.25}, Sep::kNone);
  table.print_using(2, two, {1.5, 2.25, 3.0}, Sep::kNone);
  table.print(2, "abc", Sep::kSemicolon);
  table.print_using(2, rt::Picture::parse("\t#"), 7, Sep::kSemicolon);
  table.print_using(2, rt::Picture::parse("\t#"), {8, 9}, Sep::kComma);
  table.print(2, "|", Sep::kNone);
  table.close({2});
  EXPECT_EQ(dir.read("u.txt"),
            " 1.50   2.25\r\n 1.50   2.25 3.00  \r\nabc     7       8       9|\r\n\x1A");
}

TEST_F(FilesTest, NumberAndModeErrors) {
  dir.write("in.txt", "a\r\n");
  struct Case {
    const char* what;
    std::function<void()> fn;
    int code;
  } cases[] = {
      {"number 0", [&] { table.open(dir.file("in.txt"), files::Mode::kInput, 0); }, 50},
      {"number 256", [&] { table.open(dir.file("in.txt"), files::Mode::kInput, 256); }, 50},
      {"missing file", [&] { table.open(dir.file("none.txt"), files::Mode::kInput, 1); }, 63},
      {"missing folder", [&] { table.open(dir.file("no/x.txt"), files::Mode::kInput, 1); }, 63},
      {"not open", [&] { table.eof(9); }, 57},
      {"wildcard", [&] { table.open(dir.file("*.txt"), files::Mode::kInput, 1); }, 55},
      {"name too long", [&] { table.open(std::string(261, 'a'), files::Mode::kInput, 1); }, 55},
      {"bad drive prefix", [&] { table.open("ab:x", files::Mode::kInput, 1); }, 5},
      {"drive number 26", [&] { table.open("26:x", files::Mode::kInput, 1); }, 5},
      {"bad access", [&] { table.open(dir.file("o.txt"), files::Mode::kOutput, 1, 3); }, 51},
      {"folder as file", [&] { table.open(dir.path(), files::Mode::kInput, 1); }, 75},
      {"device", [&] { table.open("COM1:", files::Mode::kOutput, 1); }, 27},
  };
  for (const Case& c : cases) EXPECT_EQ(error_of(c.fn), c.code) << c.what;
  table.open(dir.file("in.txt"), files::Mode::kInput, 1);
  EXPECT_EQ(error_of([&] { table.open(dir.file("in.txt"), files::Mode::kInput, 1); }), 52);
  EXPECT_EQ(error_of([&] { table.print(1, "x", Sep::kNone); }), 51);
  table.close({9});  // not open: nothing happens
  EXPECT_EQ(error_of([&] { table.close({0}); }), 50);
}

TEST_F(FilesTest, CloseWithoutNumbersClosesAll) {
  table.open(dir.file("p.txt"), files::Mode::kOutput, 2);
  table.open(dir.file("q.txt"), files::Mode::kOutput, 4);
  table.close_all();
  EXPECT_EQ(dir.read("p.txt"), "\x1A");
  EXPECT_EQ(dir.read("q.txt"), "\x1A");
  table.open(dir.file("r.txt"), files::Mode::kOutput, 2);  // number 2 is free again
}

TEST_F(FilesTest, FlushHandsBytesOver) {
  table.open(dir.file("f.txt"), files::Mode::kOutput, 2);
  table.print(2, "line", Sep::kNone);
  table.flush_all();
  EXPECT_EQ(dir.read("f.txt"), "line\r\n");
}

}  // namespace
