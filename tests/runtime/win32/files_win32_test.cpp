// Windows files: the sharing rules while a file is open, and the system's
// error numbers behind the run-time codes.
#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/errors.h"
#include "runtime/file_table.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/system_files.h"
#include "runtime/texts.h"
#include "tests/runtime/test_support.h"

namespace {

namespace files = rt::files;

// Another opener of the same file: can it read, can it write?
bool can_open(const std::string& path, DWORD access) {
  HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

TEST(FilesWin32, SharingWhileOpen) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  test::TempDir dir;
  const std::string out = dir.file("out.txt"), in = dir.file("in.txt");
  dir.write("in.txt", "a\r\n");
  table.open(out, files::Mode::kOutput, 2);
  table.open(in, files::Mode::kInput, 1);
  // Output: others may read it, not write it.
  EXPECT_TRUE(can_open(out, GENERIC_READ));
  EXPECT_FALSE(can_open(out, GENERIC_WRITE));
  // Input: others may read and write it.
  EXPECT_TRUE(can_open(in, GENERIC_READ));
  EXPECT_TRUE(can_open(in, GENERIC_WRITE));
  table.close_all();
  table.open(out, files::Mode::kAppend, 2);
  EXPECT_TRUE(can_open(out, GENERIC_READ));
  EXPECT_FALSE(can_open(out, GENERIC_WRITE));
  table.close_all();
}

TEST(FilesWin32, SystemErrorsBehindTheCodes) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  test::TempDir dir;
  struct Case {
    std::string name;
    files::Mode mode;
    int code;
    uint32_t api_error;
  } cases[] = {
      {dir.file("missing.txt"), files::Mode::kInput, 63, 2},
      {dir.file("no-folder/x.txt"), files::Mode::kInput, 63, 3},
      {dir.file("no-folder/x.txt"), files::Mode::kOutput, 63, 3},
      {dir.path(), files::Mode::kInput, 75, 5},
      {std::string(200, 'a') + "\\" + std::string(59, 'b'), files::Mode::kInput, 55, 123},
  };
  dir.write("exists.txt", "x");
  for (const Case& c : cases) {
    const rt::RuntimeError e = test::raised_by([&] { table.open(c.name, c.mode, 1); });
    EXPECT_EQ(e.code(), c.code) << c.name;
    EXPECT_EQ(e.api_error(), c.api_error) << c.name;
  }
  rt::Bytes before = "x";
  const rt::RuntimeError exists =
      test::raised_by([&] { table.open(dir.file("exists.txt"), files::Mode::kOutput, 2); });
  EXPECT_EQ(exists.code(), 64);
  EXPECT_EQ(exists.api_error(), 80u);
  EXPECT_EQ(dir.read("exists.txt"), before);
}

// The 260-byte limit counts the full name as the program holds it (CP932
// bytes): a relative name of double-byte characters (in folders of 20, each
// within the system's name length) whose full name has 260 bytes is looked
// for; one more byte makes an invalid name, although its UTF-16 form is far
// shorter.
TEST(FilesWin32, PathLimitCountsCp932Bytes) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  test::TempDir dir;
  char cwd[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(sizeof cwd, cwd), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  char full[MAX_PATH];
  const size_t base = GetFullPathNameA(".", sizeof full, full, nullptr) + 1;  // folder + '\\'
  const std::string okinawa = rt::sjis("沖");
  struct Case {
    size_t bytes;
    int code;
    uint32_t api_error;
  } cases[] = {{260, 63, 3}, {261, 55, 123}};
  for (const Case& c : cases) {
    std::string name;
    for (size_t i = 1; base + name.size() + 2 <= c.bytes; ++i) name += i % 21 ? okinawa : "\\";
    if (base + name.size() < c.bytes) name += "a";
    const rt::RuntimeError e = test::raised_by([&] { table.open(name, files::Mode::kInput, 1); });
    EXPECT_EQ(e.code(), c.code) << c.bytes;
    EXPECT_EQ(e.api_error(), c.api_error) << c.bytes;
  }
  SetCurrentDirectoryA(cwd);
}

}  // namespace
