#include "runtime/platform/std_streams.h"

#include <windows.h>

#include "runtime/platform/requests.h"

namespace rt::platform {

// A pipe or a file; a program started without standard input (from the
// desktop) or on a console or character device has none to read.
bool input_redirected() {
  const DWORD type = GetFileType(GetStdHandle(STD_INPUT_HANDLE));
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

int64_t read_input(char* buf, size_t n) {
  DWORD got = 0;
  const DWORD want = n > 0x10000 ? 0x10000 : static_cast<DWORD>(n);
  if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buf, want, &got, nullptr)) got = 0;
  // Ctrl+C ends a console read with nothing: the request decides.
  if (got == 0 && requests::attention) return -1;
  return got;
}

void write_output(const char* data, size_t n) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  while (n > 0) {
    DWORD done = 0;
    if (!WriteFile(out, data, static_cast<DWORD>(n > 0x10000 ? 0x10000 : n), &done, nullptr) ||
        done == 0)
      return;
    data += done;
    n -= done;
  }
}

}  // namespace rt::platform
