// Operating-system files for the sequential-file layer.
//
// Names arrive as CP932 bytes as the program built them ("d:\DATA\..."). The
// POSIX implementation turns '\' into '/' (never a 5C trail byte of a
// double-byte character), maps a drive letter through the drive map
// (SARDANE_DRIVE_<letter>=folder), converts to UTF-8, and resolves each path
// component case-insensitively when the exact name does not exist. The
// Windows implementation hands the name to the system as it is. Failures
// come back as Windows error numbers (2 file not found, 3 path not found,
// 80 file exists, ...) for the run-time's error table.
//
// Sharing: a file opened for reading lets others read and write it; one
// opened for writing lets others read it only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt::platform {

// The longest file name, in bytes as the program holds it (CP932), that
// can name a file.
constexpr size_t kMaxPath = 260;

enum class OpenKind { kRead, kCreateNew, kAppend };

// A file descriptor (POSIX) or a file handle (Windows). On Windows,
// `pointer` is where the handle's file pointer stands after this layer's
// last read or write (-1 when not known): a read or write there needs no
// seek first, which spares a system call per block. POSIX reads and writes
// at offsets and leaves it alone.
struct OsFile {
  intptr_t handle = -1;
  int64_t pointer = -1;
};

// Resolves a program file name to a native path; false with os_error set
// when it cannot name a file.
bool native_path(std::string_view name, std::string& path, uint32_t& os_error);

// The system's files as the run-time reaches them. The program uses the one
// system_files() gives; a test hands the run-time one of its own, which can
// refuse what the system seldom does (a byte, a cut, a read). Each call
// reports failure by returning false (or -1) with os_error set, and never
// raises.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool open(std::string_view name, OpenKind kind, OsFile& file, uint32_t& os_error) = 0;
  virtual bool size(OsFile& file, int64_t& size, uint32_t& os_error) = 0;
  // Reads up to n bytes at offset; returns the count (0 at the end) or -1.
  virtual int64_t read_at(OsFile& file, int64_t offset, char* buf, size_t n,
                          uint32_t& os_error) = 0;
  // Writes n bytes at offset; `written` tells how many reached the file,
  // also when the system refused the rest (disk full, file too large).
  // Safe inside a signal handler.
  virtual bool write_at(OsFile& file, int64_t offset, const char* data, size_t n, size_t& written,
                        uint32_t& os_error) = 0;
  // Cuts the file to `size` bytes.
  virtual bool truncate(OsFile& file, int64_t size, uint32_t& os_error) = 0;
  virtual bool close(OsFile file, uint32_t& os_error) = 0;
  // Removes the file of that name.
  virtual bool remove(std::string_view name, uint32_t& os_error) = 0;
};

FileSystem& system_files();

}  // namespace rt::platform
