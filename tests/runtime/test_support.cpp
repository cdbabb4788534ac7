#include "tests/runtime/test_support.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "runtime/errors.h"

namespace test {

TempDir::TempDir() {
  static std::mt19937_64 rng(std::random_device{}());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    std::filesystem::path p = base / ("sardane-test-" + std::to_string(rng() % 1000000000));
    if (std::filesystem::create_directory(p)) {
      path_ = p.generic_string();
      return;
    }
  }
}

// A program a test started may still be writing here when the test gives
// up; the folder is removed as far as it can be, never with an exception
// out of a destructor.
TempDir::~TempDir() {
  std::error_code ec;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::filesystem::remove_all(path_, ec);
    if (!ec) return;
  }
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
  std::filesystem::path p = file(name);
  std::filesystem::create_directories(p.parent_path());
  write_file(p.string(), bytes);
}

std::string TempDir::read(const std::string& name) const {
  return read_file(file(name));
}

bool TempDir::exists(const std::string& name) const {
  return std::filesystem::exists(file(name));
}

bool no_turns() {
  return false;
}

int error_of(const std::function<void()>& fn) {
  return raised_by(fn).code();
}

rt::RuntimeError raised_by(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const rt::RuntimeError& e) {
    return e;
  }
  return {0, 0, 0};
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace test
