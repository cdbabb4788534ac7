#include "runtime/platform/files.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "runtime/base/cp932.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/os_errors.h"
#include "runtime/platform/system_files.h"

namespace rt::platform {
namespace {

using namespace os_error;

bool exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case, or name.
std::string match_case(const std::string& dir, const std::string& name) {
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

// The Windows error number that corresponds to a POSIX errno.
uint32_t windows_error(int e) {
  switch (e) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
    case ELOOP:
      return kPathNotFound;
    case EMFILE:
    case ENFILE:
      return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case ENOMEM:
      return kNotEnoughMemory;
    case EROFS:
      return kWriteProtect;
    case ENXIO:
    case ENODEV:
      return kNotReady;
    case EBUSY:
    case ETXTBSY:
      return kSharingViolation;
    case EAGAIN:
      return kLockViolation;
    case EEXIST:
      return kFileExists;
    case EINVAL:
      return kInvalidParameter;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kDiskFull;
    case ENAMETOOLONG:
      return kInvalidName;
    default:
      return kGeneralFailure;
  }
}

bool parent_is_folder(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return true;  // the current folder
  struct stat st;
  return stat(slash == 0 ? "/" : path.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

namespace {

// A program file name as written, in the system's terms: the drive letter
// mapped, the parts converted to UTF-8 and joined with '/'. `start` is
// what the parts follow ("", "/" or the mapped folder with its '/').
bool written_path(std::string_view name, std::string& start, std::vector<std::string>& comps,
                  std::string& out, uint32_t& os_error) {
  // A NUL byte would cut the name short at the system call.
  if (name.find('\0') != std::string_view::npos) {
    os_error = kInvalidName;
    return false;
  }
  std::string root;
  // A drive letter ("d:") is looked up in the drive map.
  if (name.size() >= 2 && name[1] == ':' &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'))) {
    char var[] = "SARDANE_DRIVE_X";
    var[sizeof var - 2] = static_cast<char>(name[0] & ~0x20);
    const char* mapped = std::getenv(var);
    if (!mapped || !*mapped) {
      os_error = kPathNotFound;
      return false;
    }
    root = mapped;
    name.remove_prefix(2);
  }
  // Split at '\' and '/' (a trail byte 5C stays part of its character).
  const std::vector<std::string_view> parts = split(name, "\\/");
  bool absolute = root.empty() && !name.empty() && (name[0] == '/' || name[0] == '\\');
  if (!root.empty()) absolute = root[0] == '/';
  start = root.empty() ? (absolute ? "/" : "") : root;
  if (!start.empty() && start.back() != '/') start.push_back('/');
  comps.assign(parts.size(), std::string());
  out = start;
  for (size_t k = 0; k < parts.size(); ++k) {
    if (!cp932_to_utf8(parts[k], comps[k])) {
      os_error = kInvalidName;
      return false;
    }
    out += comps[k];
    if (k + 1 < parts.size()) out.push_back('/');
  }
  return true;
}

// The path of a name that does not exist as written: each part takes the
// case of the entry that matches it.
std::string matched_path(const std::string& start, std::vector<std::string>& comps) {
  std::string out = start;
  bool matching = true;
  for (size_t k = 0; k < comps.size(); ++k) {
    std::string& comp = comps[k];
    if (matching && comp != "." && comp != ".." && !exists(out + comp)) {
      std::string m = match_case(out, comp);
      if (m == comp) matching = false;
      comp = m;
    }
    out += comp;
    if (k + 1 < comps.size()) out.push_back('/');
  }
  return out;
}

// `path` (as written) kept when it exists, every folder on the way then
// existing as written too; else the matched path. An empty one names no
// file.
bool resolve(const std::string& start, std::vector<std::string>& comps, std::string& path,
             uint32_t& os_error) {
  if (path.empty() || !exists(path)) path = matched_path(start, comps);
  if (!path.empty()) return true;
  os_error = kPathNotFound;
  return false;
}

}  // namespace

bool native_path(std::string_view name, std::string& path, uint32_t& os_error) {
  std::string start;
  std::vector<std::string> comps;
  return written_path(name, start, comps, path, os_error) && resolve(start, comps, path, os_error);
}

FileSystem& system_files() {
  static SystemFiles files;
  return files;
}

bool SystemFiles::open(std::string_view name, OpenKind kind, OsFile& file, uint32_t& os_error) {
  int flags = O_CLOEXEC;
  switch (kind) {
    case OpenKind::kRead:
      flags |= O_RDONLY;
      break;
    case OpenKind::kCreateNew:
      flags |= O_WRONLY | O_CREAT | O_EXCL;
      break;
    case OpenKind::kAppend:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  // A file that exists as written is opened as written, without a look
  // for it first. Creating waits for the look: a name that differs only in
  // case names the same file.
  std::string start, path;
  std::vector<std::string> comps;
  if (!written_path(name, start, comps, path, os_error)) return false;
  int fd = -1;
  if (kind != OpenKind::kCreateNew && !path.empty()) {
    fd = ::open(path.c_str(), flags & ~O_CREAT);
    if (fd < 0 && errno != ENOENT && errno != ENOTDIR) {
      os_error = windows_error(errno);
      return false;
    }
  }
  if (fd < 0) {
    if (!resolve(start, comps, path, os_error)) return false;
    fd = ::open(path.c_str(), flags, 0666);
  }
  if (fd < 0) {
    os_error = windows_error(errno);
    // ENOENT is both of Windows' cases: a missing folder on the way is
    // "path not found", a missing file in an existing folder "file not found".
    if (errno == ENOENT && !parent_is_folder(path)) os_error = kPathNotFound;
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    os_error = kAccessDenied;
    return false;
  }
  file.handle = fd;
  return true;
}

bool SystemFiles::size(OsFile& file, int64_t& size, uint32_t& os_error) {
  struct stat st;
  if (fstat(static_cast<int>(file.handle), &st) != 0) {
    os_error = windows_error(errno);
    return false;
  }
  size = st.st_size;
  return true;
}

int64_t SystemFiles::read_at(OsFile& file, int64_t offset, char* buf, size_t n,
                             uint32_t& os_error) {
  for (;;) {
    ssize_t r = pread(static_cast<int>(file.handle), buf, n, offset);
    if (r >= 0) return r;
    if (errno == EINTR) continue;
    os_error = windows_error(errno);
    return -1;
  }
}

bool SystemFiles::write_at(OsFile& file, int64_t offset, const char* data, size_t n,
                           size_t& written, uint32_t& os_error) {
  written = 0;
  while (n > 0) {
    ssize_t w = pwrite(static_cast<int>(file.handle), data, n, offset);
    if (w < 0) {
      if (errno == EINTR) continue;
      os_error = windows_error(errno);
      return false;
    }
    // A write that takes nothing without failing would repeat for ever:
    // the disk takes no more.
    if (w == 0) {
      os_error = windows_error(ENOSPC);
      return false;
    }
    data += w;
    offset += w;
    written += static_cast<size_t>(w);
    n -= static_cast<size_t>(w);
  }
  return true;
}

bool SystemFiles::truncate(OsFile& file, int64_t size, uint32_t& os_error) {
  while (ftruncate(static_cast<int>(file.handle), size) != 0) {
    if (errno == EINTR) continue;
    os_error = windows_error(errno);
    return false;
  }
  return true;
}

bool SystemFiles::close(OsFile file, uint32_t& os_error) {
  if (::close(static_cast<int>(file.handle)) != 0 && errno != EINTR) {
    os_error = windows_error(errno);
    return false;
  }
  return true;
}

bool SystemFiles::remove(std::string_view name, uint32_t& os_error) {
  std::string path;
  if (!native_path(name, path, os_error)) return false;
  if (::unlink(path.c_str()) == 0) return true;
  os_error = windows_error(errno);
  return false;
}

}  // namespace rt::platform
