#include "runtime/platform/registry.h"

#include <windows.h>

namespace rt::platform {
namespace {

HKEY root(Hive hive) {
  return hive == Hive::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool set(Hive hive, std::string_view key, std::string_view name, DWORD type, const BYTE* data,
         DWORD size) {
  const std::string k(key), n(name);
  HKEY h;
  if (RegCreateKeyExA(root(hive), k.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok = RegSetValueExA(h, n.c_str(), 0, type, data, size) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

}  // namespace

bool registry_set_text(Hive hive, std::string_view key, std::string_view name,
                       std::string_view value) {
  const std::string v(value);
  return set(hive, key, name, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
             static_cast<DWORD>(v.size() + 1));
}

bool registry_set_dword(Hive hive, std::string_view key, std::string_view name, uint32_t value) {
  const DWORD v = value;
  return set(hive, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

bool registry_get_text(Hive hive, std::string_view key, std::string_view name, std::string& value) {
  const std::string k(key), n(name);
  HKEY h;
  if (RegOpenKeyExA(root(hive), k.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  bool ok = RegQueryValueExA(h, n.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ);
  std::string data(size, '\0');
  if (ok)
    ok = RegQueryValueExA(h, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &size) == ERROR_SUCCESS;
  RegCloseKey(h);
  if (!ok) return false;
  data.resize(size);
  while (!data.empty() && data.back() == '\0') data.pop_back();
  value = data;
  return true;
}

}  // namespace rt::platform
