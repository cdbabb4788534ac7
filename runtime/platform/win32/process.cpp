#include "runtime/platform/process.h"

#include <windows.h>

namespace rt::platform {

std::string executable_path(const char* argv0) {
  char path[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n == 0 || n >= sizeof path) return argv0 ? argv0 : "";
  return std::string(path, n);
}

LocalTime local_time() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace rt::platform
