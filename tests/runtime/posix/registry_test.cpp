#include "runtime/platform/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "runtime/error_record.h"
#include "runtime/errors.h"
#include "runtime/message_library.h"
#include "runtime/platform/codepage.h"
#include "runtime/texts.h"
#include "tests/runtime/test_support.h"

namespace {

using rt::platform::Hive;

TEST(Registry, TextAndNumbersRoundTrip) {
  test::TempDir dir;
  setenv("SARDANE_REGISTRY_USER", dir.path().c_str(), 1);
  ASSERT_TRUE(
      rt::platform::registry_set_text(Hive::kCurrentUser, "A\\B C", "V", rt::sjis("独立型")));
  ASSERT_TRUE(rt::platform::registry_set_dword(Hive::kCurrentUser, "A\\B C", "N", 80));
  std::string v;
  ASSERT_TRUE(rt::platform::registry_get_text(Hive::kCurrentUser, "A\\B C", "V", v));
  EXPECT_EQ(v, rt::sjis("独立型"));
  EXPECT_FALSE(rt::platform::registry_get_text(Hive::kCurrentUser, "A\\B C", "N", v));
  EXPECT_EQ(dir.read("A/B C/values"), "V=text:独立型\nN=dword:80\n");
}

TEST(Registry, OsErrorsRecordApiErr) {
  test::TempDir dir;
  setenv("SARDANE_REGISTRY_USER", dir.path().c_str(), 1);
  EXPECT_EQ(rt::map_os_error(80), 64);
  EXPECT_EQ(rt::map_os_error(2), 63);
  EXPECT_EQ(rt::map_os_error(112), 67);
  EXPECT_EQ(rt::map_os_error(9999), 27);
  EXPECT_NE(
      dir.read("Software/Vantrel/Z-NORAC V6.3/RUNTIME/ERROR/values").find("APIERR=dword:9999"),
      std::string::npos);
}

TEST(Registry, UnwritableStoreIsSkipped) {
  setenv("SARDANE_REGISTRY_USER", "/proc/no-such-place", 1);
  EXPECT_FALSE(rt::platform::registry_set_dword(Hive::kCurrentUser, "K", "N", 1));
  EXPECT_EQ(rt::map_os_error(5), 75);
}

TEST(MessageLibrary, FoundThroughZnorac) {
  test::TempDir dir;
  setenv("SARDANE_REGISTRY_MACHINE", (dir.path() + "/m").c_str(), 1);
  setenv("SARDANE_REGISTRY_USER", (dir.path() + "/u").c_str(), 1);
  rt::Bytes text;
  EXPECT_FALSE(rt::lookup_message(64, text));
  // The current user's value is used when the local machine has none.
  rt::platform::registry_set_text(Hive::kCurrentUser, "Software\\Vantrel\\Z-NORAC V6.3\\ENV",
                                  "ZNORAC", MESSAGE_LIBRARY_DIR);
  ASSERT_TRUE(rt::lookup_message(64, text));
  EXPECT_EQ(text, rt::sjis("ファイルはすでに存在します。"));
  EXPECT_FALSE(rt::lookup_message(12345, text));
  // The local machine comes first.
  rt::platform::registry_set_text(Hive::kLocalMachine, "Software\\Vantrel\\Z-NORAC V6.3\\ENV",
                                  "ZNORAC", dir.path());
  EXPECT_FALSE(rt::lookup_message(64, text));
}

}  // namespace
