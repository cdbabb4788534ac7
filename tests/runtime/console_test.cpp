#include "runtime/console.h"

#include <gtest/gtest.h>

#include <deque>

#include "runtime/base/cp932.h"
#include "runtime/platform/console_device.h"
#include "runtime/statement_hook.h"
#include "runtime/texts.h"
#include "tests/runtime/test_support.h"

namespace {

using rt::Sep;
namespace console = rt::console;

// A device that types scripted keys and counts beeps.
class ScriptDevice final : public rt::ConsoleDevice {
 public:
  std::deque<int> keys;  // -1: the console is closed here
  int* beeps;
  explicit ScriptDevice(int* b) : beeps(b) {}
  void cells_changed(int, int, int) override {}
  void row_left(int) override {}
  void scrolled() override {}
  void present(const rt::ConsoleModel&) override {}
  bool poll(rt::KeyRing&) override { return true; }
  bool wait(rt::KeyRing& ring) override {
    if (keys.empty() || keys.front() == -1) return false;
    // One entry at a time, as a person types: Enter empties the ring.
    while (!keys.empty() && keys.front() != -1) {
      int k = keys.front();
      if (!ring.push(static_cast<uint8_t>(k))) break;
      keys.pop_front();
      if (k == 13) break;
    }
    return true;
  }
  void beep() override { ++*beeps; }
  void shutdown(const rt::ConsoleModel&) override {}
  void emergency_write(const char*, size_t) override {}
  void emergency_restore() override {}
};

struct ConsoleTest : ::testing::Test {
  int beeps = 0;
  ScriptDevice* dev = nullptr;
  rt::StatementHook hook{test::no_turns};
  rt::Console con{hook};
  void SetUp() override {
    auto d = std::make_unique<ScriptDevice>(&beeps);
    dev = d.get();
    con.attach(std::move(d));
    hook.enable_break(true);
  }
  void TearDown() override { con.detach(); }
  void type(const std::string& bytes) {
    for (unsigned char c : bytes) dev->keys.push_back(c);
  }
  std::string row(int r) {
    std::string s;
    const rt::ConsoleModel& m = con.model();
    for (int c = 0; c < m.extent(r); ++c) s.push_back(static_cast<char>(m.cell(r, c).ch));
    return s;
  }
  int col() { return con.model().column(); }
  int line() { return con.model().row(); }
};

TEST_F(ConsoleTest, PrintAndSeparators) {
  con.print("abc", Sep::kNone);
  EXPECT_EQ(row(0), "abc");
  EXPECT_EQ(line(), 1);
  EXPECT_EQ(col(), 0);
  con.print("a", Sep::kComma);
  con.print("b", Sep::kNone);
  EXPECT_EQ(row(1), "a             b");
  con.print(std::string(70, 'x'), Sep::kComma);
  EXPECT_EQ(line(), 3);
  EXPECT_EQ(col(), 0);
  con.print_integer(5, Sep::kSemicolon);
  con.print_integer(-12, Sep::kNone);
  EXPECT_EQ(row(3), " 5 -12 ");
}

TEST_F(ConsoleTest, WrapAndLineFit) {
  con.print(std::string(100, 'y'), Sep::kNone);
  EXPECT_EQ(row(0), std::string(80, 'y'));
  EXPECT_EQ(row(1), std::string(20, 'y'));
  EXPECT_EQ(line(), 2);
  con.print(std::string(70, 'a'), Sep::kSemicolon);
  con.print(std::string(20, 'b'), Sep::kSemicolon);  // would pass column 80
  EXPECT_EQ(row(3), std::string(20, 'b'));
}

// TABs are counted from the current column; CR returns it to 0 and LF
// keeps it.
TEST_F(ConsoleTest, TabsExpandToEightColumns) {
  struct Case {
    const char* text;
    int row;
    const char* want;
  } cases[] = {
      {"ab\tc", 0, "ab      c"},
      {"a\n\tb", 1, "        b"},    // LF keeps column 1: b at 8
      {"abc\r\tb", 0, "        b"},  // CR: the TAB counts from column 0
      {"\t\tx", 0, "                x"},
  };
  for (const Case& c : cases) {
    con.model() = rt::ConsoleModel();
    con.print(c.text, Sep::kNone);
    EXPECT_EQ(row(c.row), c.want) << c.text;
  }
}

TEST_F(ConsoleTest, DoubleByteCharacterNeverSplits) {
  std::string a = rt::sjis("あ");
  con.write(std::string(79, '.') + a);
  EXPECT_EQ(row(0), std::string(79, '.') + " ");
  EXPECT_EQ(row(1), a);
  // A lead byte at the end of one write joins the next write.
  con.write(a.substr(0, 1));
  con.write(a.substr(1));
  EXPECT_EQ(row(1), a + a);
}

TEST_F(ConsoleTest, ProgressLabelsBreakIntoThreeLines) {
  const char* labels[] = {"  標高メッシュ",
                          "  トンネル情報（テキストデータ）",
                          "  橋情報（テキストデータ）",
                          "  行政界ライン",
                          "  道路ライン",
                          "  河川ライン",
                          "  水際ライン",
                          "  地名ポイント",
                          "  公共施設ポイント",
                          "  基準点ポイント"};
  for (const char* l : labels) con.print(rt::sjis(l), Sep::kSemicolon);
  con.print(rt::sjis("  鉄道ライン"), Sep::kNone);
  EXPECT_EQ(row(0).size(), 72u);
  EXPECT_EQ(row(1).size(), 64u);
  EXPECT_EQ(row(2).size(), 46u);
  EXPECT_EQ(line(), 3);
}

TEST_F(ConsoleTest, TwentyFifthLineScrolls) {
  for (int k = 0; k < 25; ++k) con.print("line " + std::to_string(k), Sep::kNone);
  EXPECT_EQ(row(0), "line 2");
  EXPECT_EQ(row(22), "line 24");
  EXPECT_EQ(line(), 23);
}

TEST_F(ConsoleTest, Prompts) {
  type("x\r");
  con.input_string("P", console::PromptSep::kSemicolon);
  EXPECT_EQ(row(0), "P? x");
  type("y\r");
  con.input_string("P", console::PromptSep::kComma);
  EXPECT_EQ(row(1), "Py");
  type("z\r");
  con.line_input("P");
  EXPECT_EQ(row(2), "Pz");
  type("w\r");
  con.input_string("", console::PromptSep::kNone);
  EXPECT_EQ(row(3), "? w");
}

TEST_F(ConsoleTest, InputRetriesAndQuotes) {
  type("a,b\r\"a,b\"\r");
  EXPECT_EQ(con.input_string("", console::PromptSep::kNone), "a,b");
  EXPECT_EQ(row(1), rt::sjis("もう一度入力してください"));
  type("a:b\r  abc  \r");
  EXPECT_EQ(con.input_string("", console::PromptSep::kNone), "abc");
  type("  abc  \r");
  EXPECT_EQ(con.line_input(""), "  abc  ");
}

TEST_F(ConsoleTest, EditorKeys) {
  struct Case {
    const char* what;
    std::string keys;
    std::string want;
  } cases[] = {
      {"backspace", "abc\x08\r", "ab"},
      {"left and insert",
       "ac\x1D"
       "b\r",
       "abc"},
      {"overwrite", "abc\x0B\x12X\r", "Xbc"},
      {"home, delete", "abc\x0B\x04\r", "bc"},
      {"end after home",
       "abc\x0B\x15"
       "d\r",
       "abcd"},
      {"ctrl+E erases to the end", "abcd\x1D\x1D\x05\r", "ab"},
      {"clear",
       "abc\x0C"
       "d\r",
       "d"},
      {"up and down ignored",
       "a\x1E\x1F"
       "b\r",
       "ab"},
      {"right at end", "a\x1C\r", "a"},
      {"other controls ignored",
       "a\x01\x02"
       "b\r",
       "ab"},
      {"double-byte backspace", rt::sjis("あい") + "\x08\r", rt::sjis("あ")},
      {"double-byte left",
       rt::sjis("あい") + "\x1D"
                          "x\r",
       rt::sjis("あ") + "x" + rt::sjis("い")},
  };
  for (const Case& c : cases) {
    type(c.keys);
    EXPECT_EQ(con.line_input(""), c.want) << c.what;
  }
}

TEST_F(ConsoleTest, CapacityBeepsAndDrops) {
  type(std::string(256, 'k') + "\r");
  EXPECT_EQ(con.line_input("").size(), 255u);
  EXPECT_EQ(beeps, 1);
}

// The entry takes the cells from the cursor to the end of the scroll
// region, the region's last cell included.
TEST_F(ConsoleTest, CapacityEndsAtTheScrollRegion) {
  struct Case {
    int column;
    size_t taken;
  } cases[] = {{70, 10}, {0, 80}, {79, 1}};
  for (const Case& c : cases) {
    beeps = 0;
    for (int k = 0; k < 24; ++k) con.print("", Sep::kNone);
    con.write(std::string(static_cast<size_t>(c.column), '-'));
    type(std::string(100, 'k') + "\r");
    EXPECT_EQ(con.line_input("").size(), c.taken) << c.column;
    EXPECT_EQ(beeps, static_cast<int>(100 - c.taken)) << c.column;
  }
}

TEST_F(ConsoleTest, FullBottomRowEntryEditsInPlace) {
  for (int k = 0; k < 24; ++k) con.print("", Sep::kNone);
  // 80 bytes fill row 23 and scroll; Backspace then edits the same entry.
  type(std::string(80, 'k') + "\b" + "z\r");
  EXPECT_EQ(con.line_input(""), std::string(79, 'k') + "z");
  // The entry's row, one up for the full row and one for the line end.
  EXPECT_EQ(row(21), std::string(79, 'k') + "z");
  EXPECT_EQ(row(22), "");
}

TEST_F(ConsoleTest, CtrlCBreaks) {
  type("ab\x03");
  EXPECT_EQ(test::error_of([&] { con.line_input(""); }), 98);
}

TEST_F(ConsoleTest, CtrlXBreaks) {
  type("ab\x18");
  EXPECT_EQ(test::error_of([&] { con.line_input(""); }), 98);
}

TEST_F(ConsoleTest, ClosedWhileWaiting) {
  type("ab");
  dev->keys.push_back(-1);
  EXPECT_THROW(con.line_input(""), console::Closed);
}

TEST_F(ConsoleTest, KeyWait) {
  type("q");
  con.wait_key("\r\nPress");
  EXPECT_EQ(row(1), "Press");
  EXPECT_EQ(line(), 2);
  EXPECT_TRUE(con.model().keys().empty());
}

TEST(KeyRing, HoldsAtMost255Keys) {
  rt::KeyRing ring;
  for (int k = 0; k < 255; ++k) ASSERT_TRUE(ring.push(static_cast<uint8_t>(k)));
  EXPECT_FALSE(ring.push(1));
  EXPECT_EQ(ring.pop(), 0);
  EXPECT_TRUE(ring.push(1));
}

}  // namespace
