#include "runtime/output_journal.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "runtime/errors.h"
#include "runtime/file_table.h"
#include "runtime/platform/os_errors.h"
#include "tests/runtime/journal_program.h"
#include "tests/runtime/test_support.h"

namespace {

using rt::Sep;
using test::Program;
using test::Statement;
namespace os = rt::platform::os_error;

// Small enough that every path runs: blocks read in pieces, buffers that
// fill, a log that fills, items larger than the room.
constexpr rt::files::FileSizes kSmall{64, 64, 64 + rt::files::kLineRoom, 16};
// The room past the buffer: an item longer than the whole room is split.
constexpr size_t kLongItem = kSmall.write_room + 124;

// Records read from one file, each writing a row, an object of several
// items (one empty, lines committed at once) and a byte to a third file;
// one item longer than the write room; the files closed, and one of them
// opened again for APPEND.
Program records_program() {
  const std::string vertex = "135.123456 35.123456\r\n";
  Program p = {{Statement::kOpenInput, 1, "in.sal"},
               {Statement::kOpenOutput, 4, "a.mid"},
               {Statement::kOpenOutput, 2, "a.mif"},
               {Statement::kOpenOutput, 3, "a.txt"},
               {Statement::kPrint, 2, "Version 300"}};
  for (int r = 0; r < 6; ++r) {
    p.push_back({Statement::kLineInput, 1, ""});
    p.push_back({Statement::kPrint, 4, "\"r" + std::to_string(r) + "\",7"});
    p.push_back({Statement::kPrint, 2, "Pline", Sep::kSemicolon});
    p.push_back({Statement::kPrint, 2, "", Sep::kSemicolon});
    p.push_back({Statement::kPrint, 2, " 3"});
    p.push_back({Statement::kLines, 2, vertex, Sep::kNone, 3});
    p.push_back({Statement::kPrint, 3, "x", Sep::kSemicolon});
    if (r == 2) p.push_back({Statement::kPrint, 3, std::string(kLongItem, 'L'), Sep::kComma});
  }
  p.insert(p.end(), {{Statement::kClose, 2, ""},
                     {Statement::kClose, 3, ""},
                     {Statement::kClose, 4, ""},
                     {Statement::kOpenAppend, 2, "a.mif"},
                     {Statement::kPrint, 2, "tail"},
                     {Statement::kClose, 2, ""},
                     {Statement::kClose, 1, ""}});
  return p;
}

std::map<std::string, std::string> records_input() {
  std::string in;
  for (int r = 0; r < 6; ++r) in += "record " + std::to_string(r) + " of the input file\r\n";
  return {{"in.sal", in}};
}

// Every byte of every output file refused in turn: the report names the
// item that held it, and every file holds what item-by-item writes left
// before that item.
TEST(OutputJournal, EveryRefusedByte) {
  const Program program = records_program();
  test::MemoryFiles clean;
  clean.files = records_input();
  const test::Outcome whole = test::run(program, clean, kSmall);
  ASSERT_EQ(whole.code, 0);
  ASSERT_EQ(whole.files, test::model(program, records_input(), "", 0, 0).files);
  const struct {
    uint32_t os_error;
    int code;
  } errors[] = {{os::kDiskFull, 67}, {os::kSectorNotFound, 71}, {223, 27}};
  size_t tried = 0;
  for (const char* name : {"a.mid", "a.mif", "a.txt"}) {
    const int64_t size = static_cast<int64_t>(whole.files.at(name).size());
    for (int64_t n = 0; n < size; ++n, ++tried) {
      const auto& e = errors[tried % 3];
      test::MemoryFiles fs;
      fs.files = records_input();
      fs.refuse_bytes(name, n, e.os_error);
      const test::Outcome got = test::run(program, fs, kSmall);
      const test::Outcome want = test::model(program, records_input(), name, n, e.code);
      ASSERT_EQ(got.code, want.code) << name << " byte " << n;
      ASSERT_EQ(got.line, want.line) << name << " byte " << n;
      ASSERT_EQ(got.files, want.files) << name << " byte " << n;
    }
  }
  EXPECT_GT(tried, 1000u);
}

// Random programs with a random refused byte, made as the fuzz target makes
// them, in both builds.
TEST(OutputJournal, RandomPrograms) {
  std::mt19937 random(47);
  for (int k = 0; k < 500; ++k) {
    std::vector<uint8_t> bytes(3 + random() % 300);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    ASSERT_TRUE(test::random_program_matches(bytes.data(), bytes.size())) << "program " << k;
  }
}

// Empty items list their file once, however many there are.
TEST(OutputJournal, EmptyItemsTakeNoSlot) {
  test::TempDir dir;
  rt::files::FileTable table(rt::platform::system_files(), rt::files::kProgramFileSizes);
  table.open(dir.file("e.txt"), rt::files::Mode::kOutput, 1);
  for (int k = 0; k < 600; ++k) table.print(1, "", Sep::kSemicolon);
  table.print(1, "x", Sep::kNone);
  table.close({1});
  EXPECT_EQ(dir.read("e.txt"), "x\r\n\x1A");
}

// A refused cut leaves the file as the disk holds it, and nothing is written
// after those bytes: not another item, not the final byte.
TEST(OutputJournal, RefusedCutSpoilsTheFile) {
  test::MemoryFiles fs;
  rt::StatementHook hook(test::no_turns);
  rt::files::FileTable table(fs, kSmall, hook);
  table.open("a.mid", rt::files::Mode::kOutput, 4);
  table.open("a.mif", rt::files::Mode::kOutput, 2);
  hook.statement(10);
  table.print(4, "row1", Sep::kNone);
  hook.statement(11);
  table.print(2, "obj1", Sep::kNone);
  hook.statement(12);
  table.print(4, "row2", Sep::kNone);
  // The row file goes out first, whole; the object file is refused at
  // obj1, and the row file cannot be cut back to row1.
  fs.refuse_bytes("a.mif", 0, os::kDiskFull);
  fs.refuse_truncate(os::kSectorNotFound);
  const rt::RuntimeError refused = test::raised_by([&] { table.flush_all(); });
  EXPECT_EQ(refused.code(), 67);
  EXPECT_EQ(refused.line(), 11);
  EXPECT_EQ(test::error_of([&] { table.print(4, "row3", Sep::kNone); }), 71);
  table.close_all_quietly();
  EXPECT_EQ(fs.files["a.mid"], "row1\r\nrow2\r\n");
  EXPECT_EQ(fs.files["a.mif"], "");
}

// Reads the system refuses or cuts short.
TEST(OutputJournal, ShortAndRefusedReads) {
  test::MemoryFiles fs;
  fs.files = {{"in.sal", "abc\r\ndefghij\r\nk\x1A"}};
  fs.limit_reads("in.sal", 0, 3);
  {
    rt::files::FileTable table(fs, kSmall);
    table.open("in.sal", rt::files::Mode::kInput, 1);
    EXPECT_EQ(table.line_input(1), "abc");
    EXPECT_EQ(table.line_input(1), "defghij");
    EXPECT_EQ(table.line_input(1), "k");
    EXPECT_TRUE(table.eof(1));
  }
  {
    // The file turns out shorter than at OPEN: it ends there.
    rt::files::FileTable table(fs, kSmall);
    table.open("in.sal", rt::files::Mode::kInput, 1);
    fs.files["in.sal"] = "abc\r\nde";
    EXPECT_EQ(table.line_input(1), "abc");
    EXPECT_EQ(table.line_input(1), "de");
    EXPECT_TRUE(table.eof(1));
    EXPECT_EQ(test::error_of([&] { table.line_input(1); }), 54);
  }
  {
    fs.files["in.sal"] = "abc\r\n";
    rt::files::FileTable table(fs, kSmall);
    table.open("in.sal", rt::files::Mode::kInput, 1);
    fs.limit_reads("in.sal", os::kSectorNotFound, 0);
    EXPECT_EQ(test::error_of([&] { table.line_input(1); }), 71);
    fs.limit_reads("", 0, 0);
    EXPECT_EQ(table.line_input(1), "abc");  // the failed read moved nothing
  }
}

}  // namespace
