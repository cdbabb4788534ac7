// The report's message box for a program with redirected input and no
// standard output, and the command-line error's for a program without
// standard error, in UTF-16 from the CP932 texts.
#include "runtime/platform/report_box.h"

#include <windows.h>

#include "runtime/platform/std_streams.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// No such standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE), or one
// that names nothing.
bool missing(DWORD which) {
  HANDLE h = GetStdHandle(which);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return true;
  SetLastError(NO_ERROR);
  return GetFileType(h) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR;
}

void CALLBACK on_help(LPHELPINFO) {
  open_help();
}

void show(std::string_view title, std::string_view text, bool help) {
  const std::wstring t = wide(title), m = wide(text);
  MSGBOXPARAMSW box = {};
  box.cbSize = sizeof box;
  box.lpszText = m.c_str();
  box.lpszCaption = t.c_str();
  box.dwStyle = MB_OK | MB_ICONWARNING | (help ? MB_HELP : 0);
  box.lpfnMsgBoxCallback = on_help;
  MessageBoxIndirectW(&box);
}

}  // namespace

bool report_in_box(std::string_view title, std::string_view text, bool help) {
  if (!redirected(StdStream::kInput) || !missing(STD_OUTPUT_HANDLE)) return false;
  show(title, text, help);
  return true;
}

bool error_in_box(std::string_view title, std::string_view text) {
  if (!missing(STD_ERROR_HANDLE)) return false;
  show(title, text, false);
  return true;
}

}  // namespace rt::platform
