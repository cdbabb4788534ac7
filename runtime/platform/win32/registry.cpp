// The system's registry through the wide functions: key paths, names and
// texts are CP932 inside the program and UTF-16 in the registry, so text
// values read back right (reg query, regedit) on a system of any ANSI code
// page, and mean there what they mean on a 932 system.
#include "runtime/platform/registry.h"

#include <windows.h>

#include <cstring>

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

// The fault record, prepared in UTF-16 in fixed buffers at start-up, so
// that storing it inside the fault filter converts and allocates nothing.
namespace fault {
constexpr size_t kKeyRoom = 512;
constexpr size_t kNameRoom = 64;
constexpr size_t kTextRoom = 1024;
struct Value {
  wchar_t name[kNameRoom];
  bool text;
  wchar_t data[kTextRoom];
  DWORD size;  // bytes, the final null included
};
bool g_ready = false;
HKEY g_root = HKEY_CURRENT_USER;
wchar_t g_key[kKeyRoom];
Value g_values[kFaultValues];
size_t g_count = 0;

// `from` (CP932) into `to` as UTF-16 with its null; the units written, the
// null included, or 0 when it does not fit.
size_t copy(wchar_t* to, size_t room, std::string_view from) {
  const std::wstring w = wide(from);
  if (w.size() >= room) return 0;
  std::memcpy(to, w.data(), w.size() * sizeof(wchar_t));
  to[w.size()] = 0;
  return w.size() + 1;
}
}  // namespace fault

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

void prepare_fault_values(Hive hive, std::string_view key, const FaultValue* values, size_t n) {
  using namespace fault;
  g_ready = false;
  g_root = root(hive);
  if (n > kFaultValues || !copy(g_key, kKeyRoom, key)) return;
  for (size_t k = 0; k < n; ++k) {
    Value& v = g_values[k];
    const size_t units = copy(v.data, kTextRoom, values[k].value);
    if (!copy(v.name, kNameRoom, values[k].name) || !units) return;
    v.text = values[k].text;
    v.size = static_cast<DWORD>(units * sizeof(wchar_t));
  }
  g_count = n;
  g_ready = true;
}

bool store_fault_values(const uint32_t* numbers) {
  using namespace fault;
  HKEY h;
  if (!g_ready || RegCreateKeyExW(g_root, g_key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                                  nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  for (size_t k = 0, d = 0; k < g_count; ++k) {
    const Value& v = g_values[k];
    const DWORD number = v.text ? 0 : numbers[d++];
    ok = (v.text
              ? RegSetValueExW(h, v.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.data), v.size)
              : RegSetValueExW(h, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                               sizeof number)) == ERROR_SUCCESS &&
         ok;
  }
  RegCloseKey(h);
  return ok;
}

}  // namespace rt::platform
