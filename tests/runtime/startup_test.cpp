#include "runtime/startup.h"

#include <gtest/gtest.h>

#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/platform/console_device.h"
#include "runtime/base/requests.h"

namespace {

// Counts the message-queue turns the statement hook gives.
class CountingDevice final : public rt::ConsoleDevice {
 public:
  int* polls;
  bool turns;
  explicit CountingDevice(int* p, bool t = true) : polls(p), turns(t) {}
  bool takes_turns() const override { return turns; }
  void cells_changed(int, int, int) override {}
  void row_left(int) override {}
  void scrolled() override {}
  void present(const rt::ConsoleModel&) override {}
  bool poll(rt::KeyRing&) override {
    ++*polls;
    return true;
  }
  bool wait(rt::KeyRing&) override { return false; }
  void beep() override {}
  void shutdown(const rt::ConsoleModel&) override {}
  void emergency_write(const char*, size_t) override {}
  void emergency_restore() override {}
};

TEST(StatementHook, QueueTurnBeforeTheFirstAndEveryEleventhStatement) {
  int polls = 0;
  rt::console::attach(std::make_unique<CountingDevice>(&polls));
  rt::detail::poll_counter = 0;
  rt::statement(1);
  EXPECT_EQ(polls, 1);
  for (int k = 2; k <= 11; ++k) rt::statement(static_cast<uint16_t>(k));
  EXPECT_EQ(polls, 1);
  rt::statement(12);
  EXPECT_EQ(polls, 2);
  for (int k = 13; k <= 23; ++k) rt::statement(static_cast<uint16_t>(k));
  EXPECT_EQ(polls, 3);
  EXPECT_EQ(rt::current_line(), 23);
  rt::console::detach();
}

// Plain lines on standard input are read only while the program waits:
// after the first turn such a console gets none, whatever runs between.
TEST(StatementHook, NoTurnsForAConsoleThatTakesNone) {
  int polls = 0;
  rt::console::attach(std::make_unique<CountingDevice>(&polls, false));
  rt::detail::poll_counter = 0;
  for (int k = 1; k <= 1000; ++k) rt::statement(static_cast<uint16_t>(k));
  rt::statements(1, 500);
  EXPECT_EQ(polls, 1);
  EXPECT_EQ(rt::current_line(), 500);
  rt::console::detach();
}

TEST(StatementHook, GosubRestoresTheCallingLine) {
  rt::statement(100);
  {
    rt::Gosub call;
    rt::statement(500);
    EXPECT_EQ(rt::current_line(), 500);
  }
  EXPECT_EQ(rt::current_line(), 100);
}

TEST(StatementHook, BreakRequestStopsAtTheNextStatement) {
  rt::enable_break(true);
  rt::statement(7);
  rt::requests::request_break();
  try {
    rt::statement(8);
    FAIL() << "no break";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.code(), 98);
  }
  EXPECT_EQ(rt::current_line(), 7);  // the report names the last statement that ran
  rt::statement(9);  // the request was taken
}

}  // namespace
