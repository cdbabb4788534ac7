#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

namespace e2e {

namespace {

constexpr char kEnvKey[] = "HKLM\\Software\\Vantrel\\Z-NORAC V6.3\\ENV";
constexpr char kErrorKey[] = "HKCU\\Software\\Vantrel\\Z-NORAC V6.3\\RUNTIME\\ERROR";
constexpr char kErrorValues[] = "/user/Software/Vantrel/Z-NORAC V6.3/RUNTIME/ERROR/values";
// How long a read of Wine's registry is tried again while it fails: each
// try starts a Wine process, which on a loaded machine takes seconds.
constexpr auto kRegistryPatience = std::chrono::seconds(60);
constexpr auto kRegistryRetry = std::chrono::milliseconds(200);

// UTF-16LE (after its byte-order mark) as UTF-8.
std::string utf16le_to_utf8(const std::string& bytes) {
  std::string out;
  auto unit = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  for (size_t i = bytes.rfind("\xFF\xFE", 0) == 0 ? 2 : 0; i + 1 < bytes.size(); i += 2) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// A key exported by Wine's reg command (UTF-16, whatever the locale's code
// page): '"NAME"="text"' lines as "NAME=text:text", 'dword:00000050' values
// in decimal; false when the export fails (no such key, or Wine failed to
// start the command).
bool exported_values(const std::string& key, std::string& out) {
  test::TempDir tmp;
  out.clear();
  if (!wine_reg("export '" + key + "' 'Z:" + tmp.file("key.reg") + "' /y")) return false;
  std::istringstream in(utf16le_to_utf8(tmp.read("key.reg")));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find("\"=");
    if (line.empty() || line[0] != '"' || eq == std::string::npos) continue;
    const std::string name = line.substr(1, eq - 1), value = line.substr(eq + 2);
    if (value.rfind("dword:", 0) == 0) {
      out += name + "=dword:" + std::to_string(std::stoul(value.substr(6), nullptr, 16)) + "\n";
    } else if (value.size() >= 2 && value[0] == '"') {
      std::string text;
      for (size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\') ++i;
        text += value[i];
      }
      out += name + "=text:" + text + "\n";
    }
  }
  return true;
}

}  // namespace

Workspace::Workspace() {
  std::filesystem::create_directories(out());
  std::filesystem::create_directories(disc());
}

Workspace::~Workspace() {
  if (kUnderWine && message_library_)
    wine_reg(std::string("delete '") + kEnvKey + "' /v ZNORAC /f");
}

void Workspace::sheet_file(const std::string& code, const std::string& suffix,
                           const std::string& bytes) const {
  dir_.write("disc/DATA/" + code + "/" + code + suffix, bytes);
}

void Workspace::job_list(const std::string& name, const std::string& bytes) const {
  dir_.write("disc/" + name + ".csv", bytes);
}

std::string Workspace::output(const std::string& name) const {
  return dir_.read("out/" + name);
}

bool Workspace::has_output(const std::string& name) const {
  return dir_.exists("out/" + name);
}

std::vector<std::string> Workspace::outputs() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(out()))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void Workspace::clear_error_record() const {
  if (!kUnderWine) {
    std::filesystem::remove(registry() + kErrorValues);
    return;
  }
  // Gone once an export finds no key; reg delete fails alike for a key that
  // is not there and for a command Wine did not start.
  std::string values;
  const auto until = std::chrono::steady_clock::now() + kRegistryPatience;
  do {
    wine_reg(std::string("delete '") + kErrorKey + "' /f");
    if (!exported_values(kErrorKey, values)) return;
  } while (std::chrono::steady_clock::now() < until);
  ADD_FAILURE() << "the error record stays:\n" << values;
}

std::string Workspace::error_record() const {
  if (!kUnderWine) return test::read_file(registry() + kErrorValues);
  std::string values;
  const auto until = std::chrono::steady_clock::now() + kRegistryPatience;
  while (!exported_values(kErrorKey, values) && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(kRegistryRetry);
  return values;
}

void Workspace::install_message_library() const {
  if (kUnderWine) {
    message_library_ = true;
    wine_reg(std::string("add '") + kEnvKey + "' /v ZNORAC /d '" + MESSAGE_LIBRARY_DIR + "' /f");
    return;
  }
  dir_.write("registry/machine/Software/Vantrel/Z-NORAC V6.3/ENV/values",
             std::string("ZNORAC=text:") + MESSAGE_LIBRARY_DIR + "\n");
}

Result Workspace::run(const std::string& input, const std::string& program,
                      const std::string& env) const {
  dir_.write("stdin.txt", input);
  std::string cmd = "cd '" + out() + "' && env SARDANE_REGISTRY_USER='" + registry() +
                    "/user' SARDANE_REGISTRY_MACHINE='" + registry() + "/machine' " + env + " '" +
                    program + "' < '" + dir_.file("stdin.txt") + "' > '" + dir_.file("stdout.txt") +
                    "' 2> '" + dir_.file("stderr.txt") + "'";
  int raw = std::system(cmd.c_str());
  Result r;
  if (WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
  r.screen = dir_.read("stdout.txt");
  r.errors = dir_.read("stderr.txt");
  return r;
}

Result Workspace::convert(const std::string& job) const {
  return run(disc() + "\n" + job + "\n\n");
}

bool wine_reg(const std::string& args) {
  std::string cmd = std::string("'") + WINE_RUN + "' reg " + args + " >/dev/null 2>&1 < /dev/null";
  return std::system(cmd.c_str()) == 0;
}

void expect_closed_files(const Workspace& ws) {
  for (const std::string& name : ws.outputs()) {
    std::string bytes = ws.output(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes.back(), '\x1A') << name;
  }
}

void long_job(const Workspace& ws) {
  std::string cmd =
      std::string(MAKE_DISC_BIN) + " '" + ws.disc() + "' --areas 0 --large 8 --roads 30000 --job L";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
}

std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string header(const std::vector<std::string>& columns) {
  std::vector<std::string> lines = {"Version 300", "Charset \"WindowsJapanese\"", "Delimiter \",\"",
                                    "CoordSys Earth Projection 1, 0",
                                    "Columns " + std::to_string(columns.size())};
  for (const std::string& c : columns) lines.push_back(c);
  lines.push_back("Data");
  lines.push_back("");
  return crlf(lines);
}

}  // namespace e2e
