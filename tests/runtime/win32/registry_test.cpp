// The Windows registry through advapi32, and the message DLL found through
// ZNORAC. The tests run in a scratch Wine prefix.
#include "runtime/platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "runtime/error_record.h"
#include "runtime/errors.h"
#include "runtime/message_library.h"
#include "runtime/platform/codepage.h"
#include "runtime/texts.h"

namespace {

using rt::platform::Hive;

constexpr char kTestKey[] = "Software\\Sardane tests\\A B";
constexpr char kEnvKey[] = "Software\\Vantrel\\Z-NORAC V6.3\\ENV";

// A value as the registry holds it (text in UTF-16, whatever the system's
// code page): its type and its bytes. Key and name are ASCII.
DWORD query(HKEY root, const char* key, const char* name, DWORD& type, std::string& data) {
  HKEY h;
  if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return 0;
  char buf[512];
  DWORD size = sizeof buf;
  const std::wstring wide_name(name, name + std::strlen(name));
  LONG r =
      RegQueryValueExW(h, wide_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(h);
  if (r != ERROR_SUCCESS) return 0;
  data.assign(buf, size);
  return size;
}

// UTF-16LE bytes of a text, with its terminator.
std::string utf16(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2);
}

TEST(Registry, TextAndNumbersAreRealValues) {
  ASSERT_TRUE(
      rt::platform::registry_set_text(Hive::kCurrentUser, kTestKey, "V", rt::sjis("独立型")));
  ASSERT_TRUE(rt::platform::registry_set_dword(Hive::kCurrentUser, kTestKey, "N", 80));
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(query(HKEY_CURRENT_USER, kTestKey, "V", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, utf16(L"独立型"));
  ASSERT_TRUE(query(HKEY_CURRENT_USER, kTestKey, "N", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, std::string("\x50\0\0\0", 4));
  std::string v;
  ASSERT_TRUE(rt::platform::registry_get_text(Hive::kCurrentUser, kTestKey, "V", v));
  EXPECT_EQ(v, rt::sjis("独立型"));
  EXPECT_FALSE(rt::platform::registry_get_text(Hive::kCurrentUser, kTestKey, "N", v));
  EXPECT_FALSE(rt::platform::registry_get_text(Hive::kCurrentUser, kTestKey, "missing", v));
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Sardane tests");
}

TEST(Registry, OsErrorsRecordApiErr) {
  EXPECT_EQ(rt::map_os_error(80), 64);
  EXPECT_EQ(rt::map_os_error(9999), 27);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(query(HKEY_CURRENT_USER, "Software\\Vantrel\\Z-NORAC V6.3\\RUNTIME\\ERROR", "APIERR",
                    type, data));
  EXPECT_EQ(data, std::string("\x0F\x27\0\0", 4));
}

// The DLL is found through ZNORAC, the local machine's value first.
TEST(MessageLibrary, FoundThroughZnorac) {
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kEnvKey, "ZNORAC");
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kEnvKey, "ZNORAC");
  rt::Bytes text;
  EXPECT_FALSE(rt::lookup_message(64, text));
  rt::platform::registry_set_text(Hive::kCurrentUser, kEnvKey, "ZNORAC", MESSAGE_LIBRARY_DIR);
  ASSERT_TRUE(rt::lookup_message(64, text));
  EXPECT_EQ(text, rt::sjis("ファイルはすでに存在します。"));
  EXPECT_FALSE(rt::lookup_message(12345, text));
  rt::platform::registry_set_text(Hive::kLocalMachine, kEnvKey, "ZNORAC", "C:\\nowhere");
  EXPECT_FALSE(rt::lookup_message(64, text));
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kEnvKey, "ZNORAC");
  RegDeleteKeyValueA(HKEY_CURRENT_USER, kEnvKey, "ZNORAC");
}

}  // namespace
