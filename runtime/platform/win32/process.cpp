// The executable's path from the wide function, as CP932 bytes; the local
// time.
#include "runtime/platform/process.h"

#include <windows.h>

#include <cstdio>

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

// Whether files can be made in a folder shows only by making one: a
// scratch file that goes again when it is closed.
FolderProblem enter_folder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD e = GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME
               ? FolderProblem::kMissing
               : FolderProblem::kNoAccess;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FolderProblem::kNotAFolder;
  if (!SetCurrentDirectoryA(path.c_str())) return FolderProblem::kNoAccess;
  char probe[MAX_PATH];
  std::snprintf(probe, sizeof probe, "sardane-%lu.tmp", GetCurrentProcessId());
  HANDLE h = CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FolderProblem::kNoAccess;
  CloseHandle(h);
  return FolderProblem::kNone;
}

LocalTime local_time() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace rt::platform
