#include "tests/e2e/harness.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

namespace e2e {

Workspace::Workspace() {
  std::filesystem::create_directories(out());
  std::filesystem::create_directories(disc());
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
  return test::read_file(registry() + "/user/Software/Vantrel/Z-NORAC V6.3/RUNTIME/ERROR/values");
}

void Workspace::install_message_library() const {
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
