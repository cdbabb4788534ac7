// The device behind the console: a terminal, or plain lines on standard
// input and output. The console model tells it what changed (ConsoleView);
// the device shows the model and feeds typed keys into the keyboard ring.
//
// Key codes: characters as their CP932 bytes, Enter 13, Backspace 8,
// Delete 4, Insert 18, Home 11, Clear 12, End 21, Page Up 19, Page Down 20,
// cursor right 28, left 29, up 30, down 31, Ctrl+C 3 (also a break request).
#pragma once

#include <cstddef>

#include "runtime/platform/console_model.h"

namespace rt {

class ConsoleDevice : public ConsoleView {
 public:
  // Brings what the device shows up to date with the model.
  virtual void present(const ConsoleModel& model) = 0;
  // Moves input that is already waiting into the ring; false once the
  // console is closed (hang-up, end of input).
  virtual bool poll(KeyRing& keys) = 0;
  // Waits until the ring holds a key; false once the console is closed.
  virtual bool wait(KeyRing& keys) = 0;
  virtual void beep() = 0;
  // Leaves the device as it was found (terminal modes restored).
  virtual void shutdown(const ConsoleModel& model) = 0;
  // Writes UTF-8 text straight to the device; safe inside a signal handler.
  virtual void emergency_write(const char* utf8, size_t n) = 0;
  // Async-signal-safe part of shutdown.
  virtual void emergency_restore() = 0;
};

}  // namespace rt
