// Requests that reach the program from outside its statements: a break
// (Ctrl+C) and a close of the console (end of input, hang-up, SIGTERM, the
// console window closed). Signal handlers, control handlers and console
// devices set them; the statement hook and the waiting console act on them.
// Setting a request is async-signal-safe.
#pragma once

#include <csignal>

namespace rt::requests {

extern volatile std::sig_atomic_t break_pending;
extern volatile std::sig_atomic_t close_pending;
// Set while either request is pending: the statement hook's one test.
extern volatile std::sig_atomic_t attention;

inline void request_break() {
  break_pending = 1;
  attention = 1;
}
inline void request_close() {
  close_pending = 1;
  attention = 1;
}
inline void clear_break() {
  break_pending = 0;
  attention = close_pending;
}

}  // namespace rt::requests
