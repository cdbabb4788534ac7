#include "runtime/platform/registry.h"

#include <windows.h>

#include <cstring>

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

// The fault record, prepared in fixed buffers (texts as they are stored).
namespace fault {
constexpr size_t kKeyRoom = 512;
constexpr size_t kNameRoom = 64;
constexpr size_t kTextRoom = 1024;
struct Value {
  char name[kNameRoom];
  bool text;
  char data[kTextRoom];
  DWORD size;
};
bool g_ready = false;
HKEY g_root = HKEY_CURRENT_USER;
char g_key[kKeyRoom];
Value g_values[kFaultValues];
size_t g_count = 0;

bool copy(char* to, size_t room, std::string_view from) {
  if (from.size() >= room) return false;
  std::memcpy(to, from.data(), from.size());
  to[from.size()] = 0;
  return true;
}
}  // namespace fault

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

void prepare_fault_values(Hive hive, std::string_view key, const FaultValue* values, size_t n) {
  using namespace fault;
  g_ready = false;
  g_root = root(hive);
  if (n > kFaultValues || !copy(g_key, kKeyRoom, key)) return;
  for (size_t k = 0; k < n; ++k) {
    Value& v = g_values[k];
    if (!copy(v.name, kNameRoom, values[k].name) || !copy(v.data, kTextRoom, values[k].value))
      return;
    v.text = values[k].text;
    v.size = static_cast<DWORD>(values[k].value.size() + 1);
  }
  g_count = n;
  g_ready = true;
}

bool store_fault_values(const uint32_t* numbers) {
  using namespace fault;
  HKEY h;
  if (!g_ready || RegCreateKeyExA(g_root, g_key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                                  nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  for (size_t k = 0, d = 0; k < g_count; ++k) {
    const Value& v = g_values[k];
    const DWORD number = v.text ? 0 : numbers[d++];
    ok = (v.text
              ? RegSetValueExA(h, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.data), v.size)
              : RegSetValueExA(h, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                               sizeof number)) == ERROR_SUCCESS &&
         ok;
  }
  RegCloseKey(h);
  return ok;
}

}  // namespace rt::platform
