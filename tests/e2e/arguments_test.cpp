// Answers and the output folder on the command line: an answer given there
// shows on the screen exactly as if typed; a job name the prompt would not
// take, or a folder that cannot be entered, ends before anything is asked.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

constexpr char kDisc[] = "{disc}";
constexpr char kFresh[] = "{out}/fresh";
constexpr char kMissing[] = "{out}/missing";

struct Case {
  const char* name;
  std::vector<std::string> args;  // kDisc, kFresh and kMissing stand for the workspace's
  std::string input;              // standard input beside the arguments
  std::string typed;              // the same answers typed ("{disc}" as above), or none
  int status;
  std::string outputs;  // folder of the 20 outputs below the output folder; "-": none
  std::string message;  // in standard error
};

std::string expand(std::string s, const Workspace& ws) {
  for (const auto& [token, path] :
       {std::pair<std::string, std::string>{"{disc}", ws.disc()}, {"{out}", ws.out()}})
    for (size_t at; (at = s.find(token)) != std::string::npos;) s.replace(at, token.size(), path);
  return s;
}

size_t files_in(const std::string& folder) {
  size_t n = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.is_regular_file();
  return n;
}

TEST(Arguments, AnswersAndFolder) {
  const std::vector<Case> cases = {
      {"both answers, the job name trimmed as INPUT does",
       {kDisc, "  J  "},
       "\n",
       "{disc}\n  J  \n\n",
       0,
       "",
       ""},
      {"a Japanese job name", {kDisc, "沖縄"}, "\n", "{disc}\n沖縄\n\n", 0, "", ""},
      {"only the drive, the job typed", {kDisc}, "J\n\n", "{disc}\nJ\n\n", 0, "", ""},
      {"a job name INPUT would ask again",
       {kDisc, "J,K"},
       "",
       "",
       2,
       "-",
       "sardane: job name 'J,K' would be asked again: it has a comma or colon outside double "
       "quotes"},
      {"-C into a fresh folder", {"-C", kFresh, kDisc, "J"}, "\n", "{disc}\nJ\n\n", 0, "fresh", ""},
      {"-C into a missing folder",
       {"--directory", kMissing, kDisc, "J"},
       "",
       "",
       2,
       "-",
       "sardane: cannot run in '{out}/missing': there is no such folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace ws;
    one_sheet_job(ws);
    ws.job_list("沖縄", crlf({"12345,X"}));
    std::filesystem::create_directory(ws.out() + "/fresh");
    std::string typed_screen;
    if (!c.typed.empty()) {
      Result typed = ws.run(expand(c.typed, ws));
      ASSERT_EQ(typed.status, 0) << typed.screen;
      typed_screen = typed.screen;
      for (const std::string& name : ws.outputs())
        if (name != "fresh") std::filesystem::remove(ws.out() + "/" + name);
    }
    std::string program = SARDANE_BIN;
    for (const std::string& a : c.args) program += "' '" + expand(a, ws);
    Result r = ws.run(c.input, program);
    EXPECT_EQ(r.status, c.status) << r.screen << r.errors;
    EXPECT_NE(r.errors.find(expand(c.message, ws)), std::string::npos) << r.errors;
    EXPECT_EQ(r.screen, typed_screen);
    EXPECT_FALSE(std::filesystem::exists(ws.out() + "/missing"));
    EXPECT_EQ(files_in(ws.out()), c.outputs.empty() ? 20u : 0u);
    EXPECT_EQ(files_in(ws.out() + "/fresh"), c.outputs == "fresh" ? 20u : 0u);
  }
}

}  // namespace
}  // namespace e2e
