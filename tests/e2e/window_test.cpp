// The Windows build's own console window, driven under Xvfb as a person
// would use it: keys posted to the window, the screen read back through the
// window's copy command, a screenshot of the finished job.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <thread>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string quoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// sardane.exe with its console window (standard input is no pipe or file),
// running in the background.
class WindowRun {
 public:
  explicit WindowRun(const Workspace& ws) : ws_(ws) {
    thread_ = std::thread([this] {
      std::string cmd = "cd " + quoted(ws_.out()) + " && timeout 600 " + quoted(SARDANE_BIN) +
                        " < /dev/null > /dev/null 2>&1";
      int raw = std::system(cmd.c_str());
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    });
  }
  ~WindowRun() {
    if (thread_.joinable()) thread_.join();
  }
  int status() {
    thread_.join();
    return status_;
  }

 private:
  const Workspace& ws_;
  std::thread thread_;
  int status_ = -1;
};

struct Drive {
  int status;
  std::string out;  // UTF-8
};

// Runs the window driver with its commands (each argument quoted).
Drive drive(const std::vector<std::string>& args) {
  test::TempDir tmp;
  std::string cmd = quoted(DRIVE_WINDOW_BIN);
  for (const std::string& a : args) cmd += " " + quoted(a);
  cmd += " > " + quoted(tmp.file("out")) + " 2>&1";
  int raw = std::system(cmd.c_str());
  Drive d{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ""};
  d.out = rt::platform::cp932_to_utf8_display(tmp.read("out"));
  return d;
}

// The display of the Wine state in use (wine-run's locale choice).
std::string display() {
  const char* locale = std::getenv("SARDANE_WINE_LOCALE");
  const std::string suffix =
      locale && std::string(locale) != "ja_JP.UTF-8" ? "-" + std::string(locale) : "";
  std::string d = test::read_file(std::string(WINE_STATE) + suffix + "/display");
  while (!d.empty() && d.back() == '\n') d.pop_back();
  return d;
}

// Types the two answers into a waiting window.
void answer(const std::string& drive_text, const std::vector<std::string>& job_keys) {
  std::vector<std::string> cmds = {"find",     "60",    "wait", "ＣＤドライブ", "60", "type",
                                   drive_text, "enter", "wait", "例）",         "30"};
  cmds.insert(cmds.end(), job_keys.begin(), job_keys.end());
  cmds.push_back("enter");
  Drive d = drive(cmds);
  ASSERT_EQ(d.status, 0) << d.out;
}

// Found by its class and title; the client area holds 80 x 24 cells. (The
// system menu's copy item is checked in the program's own process: Wine
// gives no other process its menus.)
TEST(Window, ClassAndGeometry) {
  Workspace ws;
  WindowRun run(ws);
  Drive d = drive({"find", "60"});
  ASSERT_EQ(d.status, 0) << d.out;
  int cw = 0, ch = 0, w = 0, h = 0;
  ASSERT_EQ(std::sscanf(d.out.c_str(), "client %d %d\ncell %d %d", &w, &h, &cw, &ch), 4) << d.out;
  EXPECT_EQ(w, 80 * cw) << d.out;
  EXPECT_EQ(h, 24 * ch) << d.out;
  EXPECT_EQ(drive({"close", "gone", "30"}).status, 0);
  EXPECT_EQ(run.status(), 4);
}

// A whole two-sheet job typed into the window, with editing keys: the same
// screen and the same output bytes as the Linux build given the answers.
TEST(Window, TypedJob) {
  Workspace ws, linux;
  const std::string gen = std::string(MAKE_DISC_BIN) + " " + quoted(ws.disc()) +
                          " --seed 5 --areas 2 --points 3000 --mesh 3000 --roads 400 --large 0 "
                          "--job 47-沖縄県";
  ASSERT_EQ(std::system(gen.c_str()), 0);
  WindowRun run(ws);
  // "47-沖縄県Z", cursor left (VK_LEFT 37), Delete (VK_DELETE 46): the Z goes.
  answer(ws.disc(), {"type", "47-沖縄県Z", "key", "37", "key", "46"});
  Drive done = drive({"wait", "処理終了", "120", "screen"});
  ASSERT_EQ(done.status, 0) << done.out;
  std::filesystem::create_directories(SCREENSHOT_DIR);
  const std::string png = std::string(SCREENSHOT_DIR) + "/window.png";
  const std::string shot = "DISPLAY=" + display() + " import -window root " + quoted(png);
  EXPECT_EQ(std::system(shot.c_str()), 0);
  EXPECT_EQ(drive({"enter", "gone", "30"}).status, 0);
  EXPECT_EQ(run.status(), 0);

  // The screenshot: the screen's size, and more than the background.
  test::TempDir tmp;
  const std::string info =
      "identify -format '%w %h %k' " + quoted(png) + " > " + quoted(tmp.file("info"));
  ASSERT_EQ(std::system(info.c_str()), 0);
  int w = 0, h = 0, colours = 0;
  ASSERT_EQ(std::sscanf(tmp.read("info").c_str(), "%d %d %d", &w, &h, &colours), 3);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  EXPECT_GT(colours, 2);

  Result l = linux.run(ws.disc() + "\n47-沖縄県\n\n", LINUX_SARDANE_BIN);
  ASSERT_EQ(l.status, 0);
  // The window's rows, trailing empty rows left out, against the Linux
  // transcript up to the final prompt (the copy trims trailing blanks).
  std::string rows = done.out;
  for (size_t p; (p = rows.find("\r\n")) != std::string::npos;) rows.replace(p, 2, "\n");
  while (rows.size() >= 2 && rows.substr(rows.size() - 2) == "\n\n") rows.pop_back();
  std::string want = l.screen.substr(0, l.screen.size() - 1);
  for (size_t p; (p = want.find(" \n")) != std::string::npos;) want.erase(p, 1);
  while (!want.empty() && want.back() == ' ') want.pop_back();
  EXPECT_EQ(rows, want + "\n");
  ASSERT_EQ(ws.outputs(), linux.outputs());
  for (const std::string& name : ws.outputs())
    EXPECT_TRUE(ws.output(name) == linux.output(name)) << name;
}

// Ctrl+C during a long job: the interrupt report, a key, status 3.
TEST(Window, CtrlCDuringALongJob) {
  Workspace ws;
  long_job(ws);
  WindowRun run(ws);
  answer(ws.disc(), {"type", "L"});
  Drive d = drive({"wait", "標高メッシュ", "120", "char", "3", "wait", "中断しました", "60", "type",
                   "x", "gone", "30"});
  EXPECT_EQ(d.status, 0) << d.out;
  EXPECT_EQ(run.status(), 3);
  expect_closed_files(ws);
}

// Closing the window during a long job ends the program at its next turn of
// the queue: status 4, every file closed with its final byte.
TEST(Window, ClosedDuringALongJob) {
  Workspace ws;
  long_job(ws);
  WindowRun run(ws);
  answer(ws.disc(), {"type", "L"});
  Drive d = drive({"wait", "標高メッシュ", "120", "close", "gone", "30"});
  EXPECT_EQ(d.status, 0) << d.out;
  EXPECT_EQ(run.status(), 4);
  expect_closed_files(ws);
  // Whole lines only: the program stopped between statements.
  for (const std::string& name : ws.outputs()) {
    const std::string bytes = ws.output(name);
    EXPECT_TRUE(bytes == "\x1A" || bytes.substr(bytes.size() - 3) == "\r\n\x1A") << name;
  }
}

// Closing the window while the error report waits for its key ends the
// program; the error was reported (status 1).
TEST(Window, ClosedWhileTheErrorReportWaits) {
  Workspace ws;
  WindowRun run(ws);
  answer(ws.disc(), {"type", "NOJOB"});
  Drive d = drive({"wait", "任意のキーを押してください", "60", "screen", "close", "gone", "30"});
  EXPECT_EQ(d.status, 0) << d.out;
  EXPECT_TRUE(has(d.out, "Sardane [109行]:エラー[63]")) << d.out;
  EXPECT_EQ(run.status(), 1);
}

}  // namespace
}  // namespace e2e
