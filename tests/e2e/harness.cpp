#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "runtime/platform/codepage.h"

namespace e2e {

namespace {

constexpr char kEnvKey[] = "HKLM\\Software\\Vantrel\\Z-NORAC V6.3\\ENV";

// Runs Wine's reg command; its output (CP932) as UTF-8.
std::string wine_reg(const std::string& args) {
  test::TempDir tmp;
  std::string cmd = std::string("'") + WINE_RUN + "' reg " + args + " > '" + tmp.file("out") +
                    "' 2>/dev/null < /dev/null";
  if (std::system(cmd.c_str()) != 0) return "";
  std::string utf8;
  rt::platform::cp932_to_utf8(tmp.read("out"), utf8);
  return utf8;
}

// "    NAME    REG_SZ    text" lines as "NAME=text:text", REG_DWORD values
// ("0x50") in decimal.
std::string values_of(const std::string& listing) {
  std::istringstream in(listing);
  std::string line, out;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string name, type;
    if (!(words >> name >> type) || type.rfind("REG_", 0) != 0) continue;
    std::string value;
    std::getline(words, value);
    value.erase(0, value.find_first_not_of(' '));
    if (type == "REG_DWORD")
      out += name + "=dword:" + std::to_string(std::stoul(value, nullptr, 16)) + "\n";
    else
      out += name + "=text:" + value + "\n";
  }
  return out;
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

std::string Workspace::error_record() const {
  if (kUnderWine)
    return values_of(wine_reg("query 'HKCU\\Software\\Vantrel\\Z-NORAC V6.3\\RUNTIME\\ERROR'"));
  return test::read_file(registry() + "/user/Software/Vantrel/Z-NORAC V6.3/RUNTIME/ERROR/values");
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
