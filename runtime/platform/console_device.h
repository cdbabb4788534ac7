// The device behind the console: a terminal, or plain lines on standard
// input and output. The console model tells it what changed (ConsoleView);
// the device shows the model and feeds typed keys into the keyboard ring.
//
// Key codes: characters as their CP932 bytes, the other keys as below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/base/console_model.h"

namespace rt {

// The codes of the keys that are not characters, as the devices put them
// into the keyboard ring and the line editor reads them.
namespace keycode {
constexpr uint8_t kBreak = 3;  // Ctrl+C (also a break request)
constexpr uint8_t kDelete = 4;
constexpr uint8_t kEraseToEnd = 5;  // Ctrl+E
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kHome = 11;
constexpr uint8_t kClear = 12;  // Shift+Home
constexpr uint8_t kEnter = 13;
constexpr uint8_t kInsert = 18;
constexpr uint8_t kPageUp = 19;
constexpr uint8_t kPageDown = 20;
constexpr uint8_t kEnd = 21;
constexpr uint8_t kBreakEntry = 24;  // Ctrl+X
constexpr uint8_t kRight = 28;
constexpr uint8_t kLeft = 29;
constexpr uint8_t kUp = 30;
constexpr uint8_t kDown = 31;
}  // namespace keycode

class ConsoleDevice : public ConsoleView {
 public:
  // Brings what the device shows up to date with the model.
  virtual void present(const ConsoleModel& model) = 0;
  // Moves input that is already waiting into the ring; false once the
  // console is closed (hang-up, end of input).
  virtual bool poll(KeyRing& keys) = 0;
  // Whether poll() can find anything: a device that takes input only while
  // the program waits for it (and closes only then) needs no turns.
  virtual bool takes_turns() const { return true; }
  // Waits until the ring holds a key; false once the console is closed.
  virtual bool wait(KeyRing& keys) = 0;
  virtual void beep() = 0;
  // Whether the console closed because its input came to an end (a script's
  // standard input ran out); a terminal or a window never does.
  virtual bool input_ended() const { return false; }
  // Leaves the device as it was found (terminal modes restored).
  virtual void shutdown(const ConsoleModel& model) = 0;
  // Writes UTF-8 text straight to the device; safe inside a signal handler.
  virtual void emergency_write(const char* utf8, size_t n) = 0;
  // Async-signal-safe part of shutdown.
  virtual void emergency_restore() = 0;
};

}  // namespace rt
