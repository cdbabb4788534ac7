// Helpers for run-time tests: CP932 literals, temporary folders, and
// catching a raised run-time error's code.
#pragma once

#include <functional>
#include <string>

#include "runtime/errors.h"
#include "runtime/strings.h"

namespace test {

// A temporary folder removed with its contents at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
};

// A console's turn that takes none: the pump of a test's statement hook.
bool no_turns();

// The code of the run-time error `fn` raises, or 0 when it raises none.
int error_of(const std::function<void()>& fn);
// The run-time error `fn` raises, or one of code 0 when it raises none.
rt::RuntimeError raised_by(const std::function<void()>& fn);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

}  // namespace test
