// The system's own files behind the FileSystem interface (files.h), one
// implementation per system: posix/files.cpp and win32/files.cpp.
#pragma once

#include "runtime/platform/files.h"

namespace rt::platform {

class SystemFiles final : public FileSystem {
 public:
  bool open(std::string_view name, OpenKind kind, OsFile& file, uint32_t& os_error) override;
  bool size(OsFile& file, int64_t& size, uint32_t& os_error) override;
  int64_t read_at(OsFile& file, int64_t offset, char* buf, size_t n, uint32_t& os_error) override;
  bool write_at(OsFile& file, int64_t offset, const char* data, size_t n, size_t& written,
                uint32_t& os_error) override;
  bool truncate(OsFile& file, int64_t size, uint32_t& os_error) override;
  bool close(OsFile file, uint32_t& os_error) override;
  bool remove(std::string_view name, uint32_t& os_error) override;
};

}  // namespace rt::platform
