// Standard input and output as byte streams, for the line device.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rt::platform {

// True when standard input is a pipe or a file (not a terminal or console).
bool input_redirected();
// Reads what standard input has, up to n bytes: the count, 0 at the end of
// input, -1 when the wait was interrupted by a request (requests.h).
int64_t read_input(char* buf, size_t n);
// Writes all bytes to standard output (ignoring failures: the screen is
// not the program's output).
void write_output(const char* data, size_t n);

}  // namespace rt::platform
