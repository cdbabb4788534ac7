// The report's message box for a program with redirected input and no
// standard output, in UTF-16 from the CP932 texts.
#include "runtime/platform/report_box.h"

#include <windows.h>

#include "runtime/platform/std_streams.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// No standard output handle, or one that names nothing.
bool output_missing() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return true;
  SetLastError(NO_ERROR);
  return GetFileType(out) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR;
}

void CALLBACK on_help(LPHELPINFO) {
  open_help();
}

}  // namespace

bool report_in_box(std::string_view title, std::string_view text, bool help) {
  if (!input_redirected() || !output_missing()) return false;
  const std::wstring t = wide(title), m = wide(text);
  MSGBOXPARAMSW box = {};
  box.cbSize = sizeof box;
  box.lpszText = m.c_str();
  box.lpszCaption = t.c_str();
  box.dwStyle = MB_OK | MB_ICONWARNING | (help ? MB_HELP : 0);
  box.lpfnMsgBoxCallback = on_help;
  MessageBoxIndirectW(&box);
  return true;
}

}  // namespace rt::platform
