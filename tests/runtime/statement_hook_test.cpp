#include "runtime/statement_hook.h"

#include <gtest/gtest.h>

#include "runtime/base/requests.h"
#include "runtime/errors.h"
#include "runtime/program_state.h"
#include "tests/runtime/test_support.h"

namespace {

// The message-queue turns a test's hook gives, and whether its console
// takes them.
int g_turns = 0;
bool g_takes_turns = true;
bool counted_turn() {
  ++g_turns;
  return g_takes_turns;
}

TEST(StatementHook, QueueTurnBeforeTheFirstAndEveryEleventhStatement) {
  g_turns = 0;
  g_takes_turns = true;
  rt::StatementHook hook(counted_turn);
  hook.statement(1);
  EXPECT_EQ(g_turns, 1);
  for (int k = 2; k <= 11; ++k) hook.statement(static_cast<uint16_t>(k));
  EXPECT_EQ(g_turns, 1);
  hook.statement(12);
  EXPECT_EQ(g_turns, 2);
  for (int k = 13; k <= 23; ++k) hook.statement(static_cast<uint16_t>(k));
  EXPECT_EQ(g_turns, 3);
  EXPECT_EQ(hook.line(), 23);
}

// Plain lines on standard input are read only while the program waits:
// after the first turn such a console gets none, whatever runs between.
TEST(StatementHook, NoTurnsForAConsoleThatTakesNone) {
  g_turns = 0;
  g_takes_turns = false;
  rt::StatementHook hook(counted_turn);
  for (int k = 1; k <= 1000; ++k) hook.statement(static_cast<uint16_t>(k));
  hook.statements(1, 500);
  EXPECT_EQ(g_turns, 1);
  EXPECT_EQ(hook.line(), 500);
}

TEST(StatementHook, GosubRestoresTheCallingLine) {
  rt::StatementHook hook(test::no_turns);
  hook.statement(100);
  {
    rt::Gosub call(hook);
    hook.statement(500);
    EXPECT_EQ(hook.line(), 500);
  }
  EXPECT_EQ(hook.line(), 100);
}

TEST(StatementHook, BreakRequestStopsAtTheNextStatement) {
  rt::StatementHook hook(test::no_turns);
  hook.enable_break(true);
  hook.statement(7);
  rt::requests::request_break();
  try {
    hook.statement(8);
    FAIL() << "no break";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.code(), 98);
    EXPECT_EQ(e.line(), 7);  // the report names the last statement that ran
  }
  EXPECT_EQ(hook.line(), 7);
  hook.statement(9);  // the request was taken
}

}  // namespace
