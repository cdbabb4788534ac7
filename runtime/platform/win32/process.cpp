// The executable's path and the arguments from the wide functions, as
// CP932 bytes; the output folder through the wide functions; the local time.
#include "runtime/platform/process.h"

#include <windows.h>

#include <cwchar>

#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// The longest path the wide functions take, in UTF-16 units.
constexpr DWORD kLongestPath = 32768;

bool is_blank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

// One argument after the program's name, by the C run-time's rules: 2n
// backslashes before a quote give n and the quote opens or closes quoting
// ("" inside quotes is a quote), 2n+1 give n and a literal quote, other
// backslashes stand as they are; a blank outside quotes ends the argument.
std::wstring next_argument(const wchar_t*& p) {
  std::wstring arg;
  bool quoted = false;
  for (; *p && (quoted || !is_blank(*p)); ++p) {
    size_t backslashes = 0;
    while (*p == L'\\') ++backslashes, ++p;
    if (*p != L'"') {
      arg.append(backslashes, L'\\');
      if (!*p) break;
      arg += *p;
      continue;
    }
    arg.append(backslashes / 2, L'\\');
    if (backslashes % 2) {
      arg += L'"';
    } else if (quoted && p[1] == L'"') {
      arg += L'"';
      ++p;
    } else {
      quoted = !quoted;
    }
  }
  return arg;
}

}  // namespace

std::vector<std::string> program_arguments(int argc, char** argv) {
  const wchar_t* p = GetCommandLineW();
  if (!p) return std::vector<std::string>(argv, argv + argc);
  // The program's name: up to the closing quote or the first blank.
  std::vector<std::string> args;
  const wchar_t* start = p;
  if (*p == L'"') {
    start = ++p;
    while (*p && *p != L'"') ++p;
    args.push_back(narrow(std::wstring_view(start, p - start)));
    if (*p) ++p;
  } else {
    while (*p && !is_blank(*p)) ++p;
    args.push_back(narrow(std::wstring_view(start, p - start)));
  }
  for (;;) {
    while (is_blank(*p)) ++p;
    if (!*p) break;
    args.push_back(narrow(next_argument(p)));
  }
  return args;
}

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
  const std::wstring folder = wide(path);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD e = GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME
               ? FolderProblem::kMissing
               : FolderProblem::kNoAccess;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FolderProblem::kNotAFolder;
  if (!SetCurrentDirectoryW(folder.c_str())) return FolderProblem::kNoAccess;
  wchar_t probe[MAX_PATH];
  std::swprintf(probe, MAX_PATH, L"sardane-%lu.tmp", GetCurrentProcessId());
  HANDLE h = CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
