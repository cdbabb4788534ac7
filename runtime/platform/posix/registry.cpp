#include "runtime/platform/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "runtime/base/cp932.h"
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
  for (const std::string_view part : split(key, "\\")) {
    std::string comp = cp932_to_utf8_display(part);
    if (comp == "." || comp == "..") comp = "_" + comp;
    out += "/" + comp;
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

// The fault record, prepared: the key's folder and files, and each value's
// line ("NAME=text:...\n" whole, "NAME=dword:" to be followed by the
// number). The handler reads the old file and writes the new one in the
// buffers here.
namespace fault {

constexpr size_t kPathRoom = 4096;
constexpr size_t kLineRoom = 1024;
constexpr size_t kFileRoom = 64 * 1024;  // the key's values file, at most
constexpr size_t kNumberRoom = 16;

struct Line {
  char name[64];  // UTF-8
  size_t name_len;
  bool text;
  char line[kLineRoom];
  size_t line_len;
};

bool g_ready = false;
char g_folder[kPathRoom], g_file[kPathRoom], g_tmp[kPathRoom];
Line g_lines[kFaultValues];
size_t g_count = 0;
char g_old[kFileRoom];
constexpr size_t kNewRoom = kFileRoom + kFaultValues * (kLineRoom + kNumberRoom);
char g_new[kNewRoom];

bool copy(char* to, size_t room, const std::string& from) {
  if (from.size() >= room) return false;
  std::memcpy(to, from.c_str(), from.size() + 1);
  return true;
}

// Creates the folder and its parents; true when it is there.
bool make_folder() {
  char part[kPathRoom];
  const size_t n = std::strlen(g_folder);
  for (size_t i = 1; i <= n; ++i) {
    if (i == n || g_folder[i] == '/') {
      std::memcpy(part, g_folder, i);
      part[i] = 0;
      if (mkdir(part, 0755) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat st;
  return stat(g_folder, &st) == 0 && S_ISDIR(st.st_mode);
}

size_t read_old() {
  const int fd = open(g_file, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  size_t n = 0;
  for (;;) {
    const ssize_t r = read(fd, g_old + n, sizeof g_old - n);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    n += static_cast<size_t>(r);
    if (n == sizeof g_old) break;
  }
  close(fd);
  return n;
}

// Appends value k's line with its number (32-bit values) at `out`.
char* put_line(size_t k, const uint32_t* numbers, size_t& next_number, char* out) {
  const Line& l = g_lines[k];
  std::memcpy(out, l.line, l.line_len);
  out += l.line_len;
  if (!l.text) {
    char digits[kNumberRoom];
    char* d = digits + sizeof digits;
    uint32_t v = numbers[next_number++];
    do {
      *--d = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v != 0);
    const size_t len = static_cast<size_t>(digits + sizeof digits - d);
    std::memcpy(out, d, len);
    out += len;
    *out++ = '\n';
  }
  return out;
}

bool write_all(int fd, const char* p, size_t n) {
  while (n > 0) {
    const ssize_t w = write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

}  // namespace fault

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

void prepare_fault_values(Hive hive, std::string_view key, const FaultValue* values, size_t n) {
  using namespace fault;
  g_ready = false;
  const std::string folder = key_folder(hive, key);
  if (n > kFaultValues || !copy(g_folder, kPathRoom, folder) ||
      !copy(g_file, kPathRoom, folder + "/values") ||
      !copy(g_tmp, kPathRoom, folder + "/values.tmp"))
    return;
  for (size_t k = 0; k < n; ++k) {
    Line& l = g_lines[k];
    const std::string name = cp932_to_utf8_display(values[k].name);
    const std::string line =
        values[k].text ? name + "=text:" + one_line(cp932_to_utf8_display(values[k].value)) + "\n"
                       : name + "=dword:";
    if (!copy(l.name, sizeof l.name, name) || !copy(l.line, kLineRoom, line)) return;
    l.name_len = name.size();
    l.line_len = line.size();
    l.text = values[k].text;
  }
  g_count = n;
  g_ready = true;
}

// As store() for each value in turn: a line of the old file that names one
// of the values becomes its new line, the others stay as they were (lines
// that are not NAME=TYPE:DATA are dropped), and values not yet in the file
// follow in their order.
bool store_fault_values(const uint32_t* numbers) {
  using namespace fault;
  if (!g_ready || !make_folder()) return false;
  const size_t old_len = read_old();
  if (old_len == sizeof g_old) return false;  // a file this size is not one the program wrote
  size_t firsts[kFaultValues];                // the index of each value's number
  for (size_t k = 0, d = 0; k < g_count; ++k) {
    firsts[k] = d;
    if (!g_lines[k].text) ++d;
  }
  bool stored[kFaultValues] = {};
  char* out = g_new;
  // Room for a line of `n` bytes and its line end.
  auto room = [&out](size_t n) { return static_cast<size_t>(g_new + kNewRoom - out) > n; };
  for (size_t b = 0; b < old_len;) {
    const char* line = g_old + b;
    const char* nl = static_cast<const char*>(std::memchr(line, '\n', old_len - b));
    const size_t len = nl ? static_cast<size_t>(nl - line) : old_len - b;
    b += len + 1;
    const char* eq = static_cast<const char*>(std::memchr(line, '=', len));
    if (!eq || !std::memchr(eq, ':', len - static_cast<size_t>(eq - line))) continue;
    const size_t name_len = static_cast<size_t>(eq - line);
    size_t k = 0;
    while (k < g_count &&
           (g_lines[k].name_len != name_len || std::memcmp(g_lines[k].name, line, name_len) != 0))
      ++k;
    if (!room(k < g_count ? g_lines[k].line_len + kNumberRoom : len)) return false;
    if (k < g_count) {
      size_t d = firsts[k];
      out = put_line(k, numbers, d, out);
      stored[k] = true;
    } else {
      std::memcpy(out, line, len);
      out += len;
      *out++ = '\n';
    }
  }
  for (size_t k = 0; k < g_count; ++k) {
    size_t d = firsts[k];
    if (stored[k]) continue;
    if (!room(g_lines[k].line_len + kNumberRoom)) return false;
    out = put_line(k, numbers, d, out);
  }
  const int fd = open(g_tmp, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written = write_all(fd, g_new, static_cast<size_t>(out - g_new));
  if (close(fd) != 0 || !written) return false;
  return rename(g_tmp, g_file) == 0;
}

}  // namespace rt::platform
