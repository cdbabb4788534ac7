// Windows files through the wide functions: the program's CP932 names are
// turned into UTF-16 from code page 932, so they name the same files on a
// system of any ANSI code page.
#include "runtime/platform/files.h"

#include <windows.h>

#include <string>

#include "runtime/platform/system_files.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

// The longest path the wide functions take, in UTF-16 units.
constexpr size_t kLongestPath = 32768;

HANDLE handle_of(OsFile file) {
  return reinterpret_cast<HANDLE>(file.handle);
}

// Moves the handle's file pointer to `offset` unless it stands there
// already; reads and writes go on from there.
bool seek(OsFile& file, int64_t offset, uint32_t& os_error) {
  if (file.pointer == offset) return true;
  file.pointer = -1;
  LARGE_INTEGER to;
  to.QuadPart = offset;
  if (SetFilePointerEx(handle_of(file), to, nullptr, FILE_BEGIN)) {
    file.pointer = offset;
    return true;
  }
  os_error = GetLastError();
  return false;
}

// The name made absolute against the current folder, in UTF-16; a full
// name longer than kMaxPath bytes as the program holds it (CP932) is an
// invalid name.
bool full_path(std::string_view name, std::wstring& path, uint32_t& os_error) {
  if (name.find('\0') != std::string_view::npos) {
    os_error = ERROR_INVALID_NAME;
    return false;
  }
  const std::wstring given = wide(name);
  std::wstring full(kLongestPath, L'\0');
  DWORD n = GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n == 0 && GetLastError() != ERROR_FILENAME_EXCED_RANGE) {
    os_error = GetLastError();
    return false;
  }
  if (n == 0 || n >= full.size() || narrow(std::wstring_view(full.data(), n)).size() > kMaxPath) {
    os_error = ERROR_INVALID_NAME;
    return false;
  }
  path.assign(full.data(), n);
  return true;
}

}  // namespace

bool native_path(std::string_view name, std::string& path, uint32_t& os_error) {
  std::wstring full;
  if (!full_path(name, full, os_error)) return false;
  path = narrow(full);
  return true;
}

FileSystem& system_files() {
  static SystemFiles files;
  return files;
}

bool SystemFiles::open(std::string_view name, OpenKind kind, OsFile& file, uint32_t& os_error) {
  std::wstring path;
  if (!full_path(name, path, os_error)) return false;
  DWORD access = GENERIC_READ, share = FILE_SHARE_READ | FILE_SHARE_WRITE,
        disposition = OPEN_EXISTING;
  switch (kind) {
    case OpenKind::kRead:
      break;
    case OpenKind::kCreateNew:
      access = GENERIC_WRITE;
      share = FILE_SHARE_READ;
      disposition = CREATE_NEW;
      break;
    case OpenKind::kAppend:
      access = GENERIC_READ | GENERIC_WRITE;
      share = FILE_SHARE_READ;
      disposition = OPEN_ALWAYS;
      break;
  }
  HANDLE h = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    os_error = GetLastError();
    return false;
  }
  file.handle = reinterpret_cast<intptr_t>(h);
  return true;
}

bool SystemFiles::size(OsFile& file, int64_t& size, uint32_t& os_error) {
  LARGE_INTEGER n;
  if (!GetFileSizeEx(handle_of(file), &n)) {
    os_error = GetLastError();
    return false;
  }
  size = n.QuadPart;
  return true;
}

int64_t SystemFiles::read_at(OsFile& file, int64_t offset, char* buf, size_t n,
                             uint32_t& os_error) {
  DWORD got = 0;
  const DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
  if (!seek(file, offset, os_error)) return -1;
  file.pointer = -1;
  if (!ReadFile(handle_of(file), buf, want, &got, nullptr)) {
    const DWORD e = GetLastError();
    if (e == ERROR_HANDLE_EOF) return 0;
    os_error = e;
    return -1;
  }
  file.pointer = offset + got;
  return got;
}

bool SystemFiles::write_at(OsFile& file, int64_t offset, const char* data, size_t n,
                           size_t& written, uint32_t& os_error) {
  written = 0;
  if (!seek(file, offset, os_error)) return false;
  file.pointer = -1;
  while (n > 0) {
    DWORD done = 0;
    const DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    if (!WriteFile(handle_of(file), data, want, &done, nullptr)) {
      os_error = GetLastError();
      return false;
    }
    // A write that takes nothing without failing would repeat for ever:
    // the disk takes no more.
    if (done == 0) {
      os_error = ERROR_DISK_FULL;
      return false;
    }
    data += done;
    written += done;
    n -= done;
  }
  file.pointer = offset + static_cast<int64_t>(written);
  return true;
}

bool SystemFiles::truncate(OsFile& file, int64_t size, uint32_t& os_error) {
  if (!seek(file, size, os_error)) return false;
  if (SetEndOfFile(handle_of(file))) {
    file.pointer = size;
    return true;
  }
  os_error = GetLastError();
  return false;
}

bool SystemFiles::close(OsFile file, uint32_t& os_error) {
  if (!CloseHandle(handle_of(file))) {
    os_error = GetLastError();
    return false;
  }
  return true;
}

bool SystemFiles::remove(std::string_view name, uint32_t& os_error) {
  std::wstring path;
  if (!full_path(name, path, os_error)) return false;
  if (DeleteFileW(path.c_str())) return true;
  os_error = GetLastError();
  return false;
}

}  // namespace rt::platform
