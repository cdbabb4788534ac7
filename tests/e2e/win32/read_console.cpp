// Test helper: writes the text of the console it runs in, read back from
// the console's screen buffer (ReadConsoleOutputCharacterW), to a file as
// UTF-8: one line per row, trailing blanks and trailing empty rows left out.
// Exit status 0 when the buffer could be read, 1 when there is no console.
//
//   read_console.exe FILE
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  HANDLE con = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (con == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(con, &info)) return 1;
  std::wstring text;
  std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    DWORD got = 0;
    if (!ReadConsoleOutputCharacterW(con, row.data(), info.dwSize.X, COORD{0, y}, &got)) return 1;
    std::wstring line(row.data(), got);
    while (!line.empty() && line.back() == L' ') line.pop_back();
    text += line + L"\n";
  }
  while (text.size() >= 2 && text.substr(text.size() - 2) == L"\n\n") text.pop_back();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                      nullptr, nullptr);
  HANDLE out = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return 1;
  DWORD written;
  WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(out);
  return 0;
}
