// A file system in memory for the file layer's tests: files by name, and
// refusals the test scripts (a byte, a cut, a read) that the kernel makes
// hard to cause.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "runtime/platform/files.h"

namespace test {

class MemoryFiles final : public rt::platform::FileSystem {
 public:
  std::map<std::string, std::string> files;

  // Every byte from `from` on of file `name` is refused with `error`: a
  // write that reaches it takes the bytes before it and fails (a full disk,
  // a file-size limit).
  void refuse_bytes(const std::string& name, int64_t from, uint32_t error);
  // Every cut fails with `error`.
  void refuse_truncate(uint32_t error) { truncate_error_ = error; }
  // Reads of `name` fail with `error`, or (error 0) give at most `most`
  // bytes each.
  void limit_reads(const std::string& name, uint32_t error, size_t most);

  bool open(std::string_view name, rt::platform::OpenKind kind, rt::platform::OsFile& file,
            uint32_t& os_error) override;
  bool size(rt::platform::OsFile& file, int64_t& size, uint32_t& os_error) override;
  int64_t read_at(rt::platform::OsFile& file, int64_t offset, char* buf, size_t n,
                  uint32_t& os_error) override;
  bool write_at(rt::platform::OsFile& file, int64_t offset, const char* data, size_t n,
                size_t& written, uint32_t& os_error) override;
  bool truncate(rt::platform::OsFile& file, int64_t size, uint32_t& os_error) override;
  bool close(rt::platform::OsFile file, uint32_t& os_error) override;
  bool remove(std::string_view name, uint32_t& os_error) override;

 private:
  std::string& of(const rt::platform::OsFile& file) { return files[names_.at(file.handle)]; }

  std::vector<std::string> names_;  // by handle
  std::string refused_name_;
  int64_t refused_from_ = -1;
  uint32_t write_error_ = 0;
  uint32_t truncate_error_ = 0;
  std::string read_name_;
  uint32_t read_error_ = 0;
  size_t read_most_ = 0;
};

}  // namespace test
