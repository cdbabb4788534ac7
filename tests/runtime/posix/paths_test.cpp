#include <gtest/gtest.h>
#include <stdlib.h>

#include "runtime/base/cp932.h"
#include "runtime/file_table.h"
#include "runtime/platform/files.h"
#include "runtime/platform/system_files.h"
#include "runtime/texts.h"
#include "tests/runtime/test_support.h"

namespace {

std::string resolve(const std::string& name) {
  std::string path;
  uint32_t err = 0;
  if (!rt::platform::native_path(name, path, err)) return "error " + std::to_string(err);
  return path;
}

TEST(Paths, BackslashesBecomeSlashes) {
  EXPECT_EQ(resolve("disc\\DATA\\47201\\47201.slp"), "disc/DATA/47201/47201.slp");
  EXPECT_EQ(resolve("/media/cdrom\\DATA\\x"), "/media/cdrom/DATA/x");
}

TEST(Paths, TrailByte5CStaysInItsCharacter) {
  // ソ is 83 5C and 表 is 95 5C in CP932.
  std::string so = rt::sjis("ソ"), hyo = rt::sjis("表");
  ASSERT_EQ(so, "\x83\x5C");
  EXPECT_EQ(resolve("d" + so + "\\" + hyo + ".csv"), "dソ/表.csv");
}

TEST(Paths, CaseInsensitiveWhenExactNameIsMissing) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  test::TempDir dir;
  dir.write("DATA/47201/47201GK.SAL", "x");
  EXPECT_EQ(resolve(dir.path() + "\\data\\47201\\47201gk.sal"),
            dir.path() + "/DATA/47201/47201GK.SAL");
  table.open(dir.path() + "\\Data\\47201\\47201Gk.sal", rt::files::Mode::kInput, 1);
  table.close_all();
}

TEST(Paths, DriveMap) {
  rt::files::FileTable table{rt::platform::system_files(), rt::files::kProgramFileSizes};
  test::TempDir dir;
  dir.write("JOB.csv", "12345,X\r\n");
  setenv("SARDANE_DRIVE_Q", dir.path().c_str(), 1);
  EXPECT_EQ(resolve("q:\\JOB.csv"), dir.path() + "/JOB.csv");
  EXPECT_EQ(resolve("Q:JOB.csv"), dir.path() + "/JOB.csv");
  unsetenv("SARDANE_DRIVE_Q");
  EXPECT_EQ(resolve("q:\\JOB.csv"), "error 3");
  EXPECT_EQ(test::error_of([&] { table.open("q:\\JOB.csv", rt::files::Mode::kInput, 1); }), 63);
}

TEST(Paths, InvalidShiftJisName) {
  EXPECT_EQ(resolve("bad\x85\x40name"), "error 123");
  // Half a character at the end is part of the last component, not dropped.
  EXPECT_EQ(resolve("folder\\half\x83"), "error 123");
}

}  // namespace
