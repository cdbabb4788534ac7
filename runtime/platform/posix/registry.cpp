#include "runtime/platform/registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "runtime/cp932.h"
#include "runtime/platform/codepage.h"

namespace rt::platform {
namespace {

std::string hive_root(Hive hive) {
  if (hive == Hive::kLocalMachine) {
    const char* m = std::getenv("SARDANE_REGISTRY_MACHINE");
    return m && *m ? m : "/etc/sardane/registry";
  }
  if (const char* u = std::getenv("SARDANE_REGISTRY_USER"); u && *u) return u;
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
    return std::string(x) + "/sardane/registry";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.config/sardane/registry";
}

// The folder of a key; components split at '\' (not inside a character).
std::string key_folder(Hive hive, std::string_view key) {
  std::string out = hive_root(hive);
  size_t start = 0;
  for (size_t i = 0; i <= key.size(); ++i) {
    if (i < key.size() && is_lead_byte(static_cast<unsigned char>(key[i]))) {
      ++i;
      continue;
    }
    if (i == key.size() || key[i] == '\\') {
      if (i > start) {
        std::string comp = cp932_to_utf8_display(key.substr(start, i - start));
        if (comp == "." || comp == "..") comp = "_" + comp;
        out += "/" + comp;
      }
      start = i + 1;
    }
  }
  return out;
}

bool make_folders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct Value {
  std::string name, type, data;  // UTF-8
};

std::vector<Value> load(const std::string& file) {
  std::vector<Value> values;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    size_t eq = line.find('='), colon = line.find(':', eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || colon == std::string::npos) continue;
    values.push_back(
        {line.substr(0, eq), line.substr(eq + 1, colon - eq - 1), line.substr(colon + 1)});
  }
  return values;
}

bool store(Hive hive, std::string_view key, std::string_view name, const std::string& type,
           const std::string& data) {
  std::string folder = key_folder(hive, key);
  if (!make_folders(folder)) return false;
  std::string file = folder + "/values";
  std::vector<Value> values = load(file);
  std::string uname = cp932_to_utf8_display(name);
  bool found = false;
  for (Value& v : values) {
    if (v.name == uname) {
      v.type = type;
      v.data = data;
      found = true;
    }
  }
  if (!found) values.push_back({uname, type, data});
  std::string tmp = file + ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    if (!out) return false;
    for (const Value& v : values) out << v.name << '=' << v.type << ':' << v.data << '\n';
    if (!out.flush()) return false;
  }
  return std::rename(tmp.c_str(), file.c_str()) == 0;
}

std::string one_line(std::string s) {
  for (char& c : s)
    if (c == '\n' || c == '\r') c = ' ';
  return s;
}

}  // namespace

bool registry_set_text(Hive hive, std::string_view key, std::string_view name,
                       std::string_view value) {
  return store(hive, key, name, "text", one_line(cp932_to_utf8_display(value)));
}

bool registry_set_dword(Hive hive, std::string_view key, std::string_view name, uint32_t value) {
  return store(hive, key, name, "dword", std::to_string(value));
}

bool registry_get_text(Hive hive, std::string_view key, std::string_view name, std::string& value) {
  std::string uname = cp932_to_utf8_display(name);
  for (const Value& v : load(key_folder(hive, key) + "/values")) {
    if (v.name == uname && v.type == "text") {
      value = utf8_to_cp932(v.data);
      return true;
    }
  }
  return false;
}

}  // namespace rt::platform
