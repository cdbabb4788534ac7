// The statement hook: what runs before every statement of the program.
//
// The message queue gets a turn before the first statement and then before
// every eleventh; a pending break (Ctrl+C) stops the program with error 98
// while the break key is on; a closed console ends it (console::Closed);
// then the statement's line becomes current. On most statements this costs
// one counter test, and statements(first, last) takes a run of statements
// that cannot fail with one test.
//
// The program has one hook (program_state.h), constant-initialized so that
// the statements reach it at a fixed address; a test makes its own.
#pragma once

#include <climits>
#include <cstdint>

#include "runtime/base/requests.h"

namespace rt {

class StatementHook {
 public:
  // Gives the message queue its turn; false when the console takes no
  // turns, which it then gets no more (plain lines).
  using Pump = bool (*)();

  constexpr explicit StatementHook(Pump pump) : pump_(pump) {}
  StatementHook(const StatementHook&) = delete;
  StatementHook& operator=(const StatementHook&) = delete;

  void statement(uint16_t line) {
    if (countdown_ == 0 || requests::attention) [[unlikely]]
      slow();
    else
      --countdown_;
    line_ = line;
  }

  // Runs the statements `first` to `last` before their work, for
  // statements that cannot fail before the last one (so that an error
  // still shows the line of the statement that failed): those that give
  // the message queue no turn and meet no pending request are counted with
  // one test, the others run as statement() runs them.
  void statements(uint16_t first, uint16_t last) {
    for (;;) {
      const int n = last - first + 1;
      if (countdown_ >= n && !requests::attention) [[likely]] {
        countdown_ -= n;
        line_ = last;
        return;
      }
      if (!requests::attention) {
        first = static_cast<uint16_t>(first + countdown_);  // these pass without a turn
        countdown_ = 0;
      }
      statement(first);
      if (first == last) return;
      ++first;
    }
  }

  // Repeats of the statements `first` to `last` for work that cannot
  // fail, as many as pass without the message queue's turn and meet no
  // pending request, up to `most`: `step(k)` does the work of repeat k, or
  // returns false, having done nothing, to stop before it. Returns how many
  // repeats ran, all counted at once; the current line is then `last`
  // (unchanged when none ran). The caller runs what stopped the run
  // through statement().
  template <class Step>
  int quiet_statements(uint16_t first, uint16_t last, int most, Step step) {
    if (requests::attention) return 0;
    const int n = last - first + 1;
    const int quiet = countdown_ / n < most ? countdown_ / n : most;
    int k = 0;
    while (k < quiet && step(k)) ++k;
    if (k > 0) {
      countdown_ -= k * n;
      line_ = last;
    }
    return k;
  }

  // The line of the statement that runs.
  uint16_t line() const { return line_; }
  // Makes `line` current again without running it: the calling statement
  // when a subroutine returns or a part of the work ends.
  void resume(uint16_t line) { line_ = line; }

  bool break_enabled() const { return break_enabled_; }
  void enable_break(bool enabled) { break_enabled_ = enabled; }

 private:
  // The message queue's turn comes after kPollInterval statements without
  // one. A console that takes no turns gets none after the first: the
  // count then runs down from a number no run reaches.
  static constexpr int kPollInterval = 10;
  static constexpr int kNoTurns = INT_MAX;

  void slow();

  int countdown_ = 0;  // statements left before the next turn
  uint16_t line_ = 0;
  bool break_enabled_ = false;
  Pump pump_;
};

}  // namespace rt
