// Standard input and output as byte streams, for the line device.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rt::platform {

enum class StdStream { kInput, kOutput };

// Whether a standard stream is redirected away from the operator: on POSIX
// anything but a terminal; on Windows a file or a pipe (a program started
// from the desktop has no streams, and a character device such as NUL is
// none to read or show: the program's own window serves).
bool redirected(StdStream stream);
// Reads what standard input has, up to n bytes: the count, 0 at the end of
// input, -1 when the wait was interrupted by a request (requests.h).
int64_t read_input(char* buf, size_t n);
// Writes all bytes to standard output (ignoring failures: the screen is
// not the program's output).
void write_output(const char* data, size_t n);

}  // namespace rt::platform
