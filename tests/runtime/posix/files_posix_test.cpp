#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/file_table.h"
#include "runtime/platform/system_files.h"
#include "tests/runtime/test_support.h"

namespace {

namespace files = rt::files;

TEST(FilesPosix, ReadOnlyFolder) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  test::TempDir dir;
  chmod(dir.path().c_str(), 0555);
  int code = test::error_of([&] { table.open(dir.file("w.txt"), files::Mode::kOutput, 2); });
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(code, 75);
}

}  // namespace
