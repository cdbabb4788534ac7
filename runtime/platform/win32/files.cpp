#include "runtime/platform/files.h"

#include <windows.h>

#include <string>

namespace rt::platform {
namespace {

constexpr DWORD kMaxPath = 260;

HANDLE handle_of(OsFile file) {
  return reinterpret_cast<HANDLE>(file.handle);
}

// Moves the handle's file pointer; reads and writes go on from there.
bool seek(OsFile file, int64_t offset, uint32_t& os_error) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  if (SetFilePointerEx(handle_of(file), to, nullptr, FILE_BEGIN)) return true;
  os_error = GetLastError();
  return false;
}

}  // namespace

// The name made absolute against the current folder; a full name of more
// than 260 bytes is an invalid name.
bool native_path(std::string_view name, std::string& path, uint32_t& os_error) {
  if (name.find('\0') != std::string_view::npos) {
    os_error = ERROR_INVALID_NAME;
    return false;
  }
  const std::string given(name);
  std::string full(32768, '\0');
  DWORD n = GetFullPathNameA(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n == 0 && GetLastError() != ERROR_FILENAME_EXCED_RANGE) {
    os_error = GetLastError();
    return false;
  }
  if (n == 0 || n > kMaxPath) {
    os_error = ERROR_INVALID_NAME;
    return false;
  }
  path.assign(full.data(), n);
  return true;
}

bool open_file(std::string_view name, OpenKind kind, OsFile& file, uint32_t& os_error) {
  std::string path;
  if (!native_path(name, path, os_error)) return false;
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
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    os_error = GetLastError();
    return false;
  }
  file.handle = reinterpret_cast<intptr_t>(h);
  return true;
}

bool file_size(OsFile file, int64_t& size, uint32_t& os_error) {
  LARGE_INTEGER n;
  if (!GetFileSizeEx(handle_of(file), &n)) {
    os_error = GetLastError();
    return false;
  }
  size = n.QuadPart;
  return true;
}

int64_t read_at(OsFile file, int64_t offset, char* buf, size_t n, uint32_t& os_error) {
  DWORD got = 0;
  const DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
  if (!seek(file, offset, os_error)) return -1;
  if (!ReadFile(handle_of(file), buf, want, &got, nullptr)) {
    const DWORD e = GetLastError();
    if (e == ERROR_HANDLE_EOF) return 0;
    os_error = e;
    return -1;
  }
  return got;
}

bool write_at(OsFile file, int64_t offset, const char* data, size_t n, uint32_t& os_error) {
  if (!seek(file, offset, os_error)) return false;
  while (n > 0) {
    DWORD done = 0;
    const DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    if (!WriteFile(handle_of(file), data, want, &done, nullptr)) {
      os_error = GetLastError();
      return false;
    }
    data += done;
    offset += done;
    n -= done;
  }
  return true;
}

bool close_file(OsFile file, uint32_t& os_error) {
  if (!CloseHandle(handle_of(file))) {
    os_error = GetLastError();
    return false;
  }
  return true;
}

}  // namespace rt::platform
