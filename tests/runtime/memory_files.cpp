#include "tests/runtime/memory_files.h"

#include <algorithm>
#include <cstring>

#include "runtime/platform/os_errors.h"

namespace test {

namespace os = rt::platform::os_error;

void MemoryFiles::refuse_bytes(const std::string& name, int64_t from, uint32_t error) {
  refused_name_ = name;
  refused_from_ = from;
  write_error_ = error;
}

void MemoryFiles::limit_reads(const std::string& name, uint32_t error, size_t most) {
  read_name_ = name;
  read_error_ = error;
  read_most_ = most;
}

bool MemoryFiles::open(std::string_view name, rt::platform::OpenKind kind,
                       rt::platform::OsFile& file, uint32_t& os_error) {
  const std::string key(name);
  const bool exists = files.count(key) != 0;
  if (kind == rt::platform::OpenKind::kRead && !exists) {
    os_error = os::kFileNotFound;
    return false;
  }
  if (kind == rt::platform::OpenKind::kCreateNew && exists) {
    os_error = os::kFileExists;
    return false;
  }
  files[key];
  file.handle = static_cast<intptr_t>(names_.size());
  names_.push_back(key);
  return true;
}

bool MemoryFiles::size(rt::platform::OsFile& file, int64_t& size, uint32_t&) {
  size = static_cast<int64_t>(of(file).size());
  return true;
}

int64_t MemoryFiles::read_at(rt::platform::OsFile& file, int64_t offset, char* buf, size_t n,
                             uint32_t& os_error) {
  const bool limited = names_.at(file.handle) == read_name_;
  if (limited && read_error_) {
    os_error = read_error_;
    return -1;
  }
  if (limited) n = std::min(n, read_most_);
  const std::string& bytes = of(file);
  if (offset >= static_cast<int64_t>(bytes.size())) return 0;
  n = std::min(n, bytes.size() - static_cast<size_t>(offset));
  std::memcpy(buf, bytes.data() + offset, n);
  return static_cast<int64_t>(n);
}

bool MemoryFiles::write_at(rt::platform::OsFile& file, int64_t offset, const char* data, size_t n,
                           size_t& written, uint32_t& os_error) {
  written = n;
  const bool refused =
      names_.at(file.handle) == refused_name_ && offset + static_cast<int64_t>(n) > refused_from_;
  if (refused) written = static_cast<size_t>(std::max<int64_t>(0, refused_from_ - offset));
  std::string& bytes = of(file);
  if (written) {
    if (bytes.size() < offset + written) bytes.resize(offset + written);
    bytes.replace(static_cast<size_t>(offset), written, data, written);
  }
  if (!refused) return true;
  os_error = write_error_;
  return false;
}

bool MemoryFiles::truncate(rt::platform::OsFile& file, int64_t size, uint32_t& os_error) {
  if (truncate_error_) {
    os_error = truncate_error_;
    return false;
  }
  of(file).resize(static_cast<size_t>(size));
  return true;
}

bool MemoryFiles::close(rt::platform::OsFile, uint32_t&) {
  return true;
}

bool MemoryFiles::remove(std::string_view name, uint32_t& os_error) {
  if (files.erase(std::string(name))) return true;
  os_error = os::kFileNotFound;
  return false;
}

}  // namespace test
