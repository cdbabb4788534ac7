// The system's registry through the wide functions: key paths, names and
// texts are CP932 inside the program and UTF-16 in the registry, so text
// values read back right (reg query, regedit) on a system of any ANSI code
// page, and mean there what they mean on a 932 system.
#include "runtime/platform/registry.h"

#include <windows.h>

#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

HKEY root(Hive hive) {
  return hive == Hive::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool set(Hive hive, std::string_view key, std::string_view name, DWORD type, const BYTE* data,
         DWORD size) {
  const std::wstring k = wide(key), n = wide(name);
  HKEY h;
  if (RegCreateKeyExW(root(hive), k.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExW(h, n.c_str(), 0, type, data, size) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

}  // namespace

bool registry_set_text(Hive hive, std::string_view key, std::string_view name,
                       std::string_view value) {
  const std::wstring v = wide(value);
  return set(hive, key, name, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
             static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
}

bool registry_set_dword(Hive hive, std::string_view key, std::string_view name, uint32_t value) {
  const DWORD v = value;
  return set(hive, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

bool registry_get_text(Hive hive, std::string_view key, std::string_view name, std::string& value) {
  const std::wstring k = wide(key), n = wide(name);
  HKEY h;
  if (RegOpenKeyExW(root(hive), k.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  bool ok = RegQueryValueExW(h, n.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ);
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (ok)
    ok = RegQueryValueExW(h, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &size) == ERROR_SUCCESS;
  RegCloseKey(h);
  if (!ok) return false;
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  value = narrow(data);
  return true;
}

}  // namespace rt::platform
