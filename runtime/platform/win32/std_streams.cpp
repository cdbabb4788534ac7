// Standard input and output of a Windows process. The screen text comes as
// UTF-8: to a pipe or a file it goes as it is; to a console (the program
// started from cmd.exe with only its input redirected) it is written as
// UTF-16, so Japanese shows right whatever the console's code page.
#include "runtime/platform/std_streams.h"

#include <windows.h>

#include "runtime/base/requests.h"

namespace rt::platform {
namespace {

constexpr DWORD kLargestWrite = 0x10000;

// Writes UTF-8 text to a console as UTF-16, a piece at a time through a
// buffer of its own (no allocation: the fault report writes here too). A
// piece ends before a UTF-8 continuation byte, so no character is split;
// a UTF-8 byte gives at most one UTF-16 unit, so a piece always fits.
void write_console(HANDLE out, const char* data, size_t n) {
  constexpr size_t kPiece = 2048;
  wchar_t text[kPiece];
  while (n > 0) {
    size_t take = n < kPiece ? n : kPiece;
    while (take < n && take > 1 && (static_cast<unsigned char>(data[take]) & 0xC0) == 0x80) --take;
    const int len = MultiByteToWideChar(CP_UTF8, 0, data, static_cast<int>(take), text,
                                        static_cast<int>(kPiece));
    const wchar_t* p = text;
    for (DWORD left = len > 0 ? static_cast<DWORD>(len) : 0, done = 0; left > 0; left -= done) {
      if (!WriteConsoleW(out, p, left, &done, nullptr) || done == 0) return;
      p += done;
    }
    data += take;
    n -= take;
  }
}

// Whether standard output is a console, asked once: under Wine each
// question is a round trip to its server, and the screen text comes in
// hundreds of pieces. The program never changes its standard handles.
bool output_is_console() {
  static const bool console = [] {
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
  }();
  return console;
}

}  // namespace

bool redirected(StdStream stream) {
  const DWORD type = GetFileType(
      GetStdHandle(stream == StdStream::kInput ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE));
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
  if (output_is_console()) {
    write_console(out, data, n);
    return;
  }
  while (n > 0) {
    DWORD done = 0;
    if (!WriteFile(out, data, static_cast<DWORD>(n > kLargestWrite ? kLargestWrite : n), &done,
                   nullptr) ||
        done == 0)
      return;
    data += done;
    n -= done;
  }
}

}  // namespace rt::platform
