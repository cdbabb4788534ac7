// The executable's path from the wide function, as CP932 bytes; the local
// time.
#include "runtime/platform/process.h"

#include <windows.h>

#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// The longest path the wide functions take, in UTF-16 units.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string executable_path(const char* argv0) {
  std::wstring path(kLongestPath, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
  if (n == 0 || n >= kLongestPath) return argv0 ? argv0 : "";
  path.resize(n);
  return narrow(path);
}

LocalTime local_time() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace rt::platform
