// The terminal console driven in a real terminal (tmux): typing, editing
// keys, Japanese input, both answers pasted at once, Ctrl+C while typing and
// during a long job, closing the terminal. The terminal's modes must be restored afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class Tmux {
 public:
  explicit Tmux(const Workspace& ws)
      : ws_(ws), socket_("sardane-test-" + std::to_string(getpid())) {}
  // The program ends with its terminal; its files are left alone until it
  // has, so the workspace is not removed under a running conversion.
  ~Tmux() {
    tmux("kill-server");
    status();
  }

  // Starts Sardane (with `args`, shell words) in a 100 x 30 terminal; its
  // exit status goes to a file, and the terminal's settings are saved before
  // and after it runs.
  void start(const std::string& args = "") {
    const std::string dir = ws_.out() + "/..";
    std::string inner =
        "stty -g > " + dir + "/stty.before; env SARDANE_REGISTRY_USER=" + ws_.registry() +
        "/user SARDANE_REGISTRY_MACHINE=" + ws_.registry() + "/machine LANG=C.UTF-8 " +
        SARDANE_BIN + " " + args + "; s=\\$?; stty -g > " + dir + "/stty.after; echo \\$s > " +
        dir + "/status; sleep 60";
    tmux("new-session -d -x 100 -y 30 -c '" + ws_.out() + "' \"trap '' HUP; " + inner + "\"");
  }
  // Starts the long job of long_job() and waits until it converts.
  bool start_long_job() {
    start();
    if (!wait_for("ＣＤドライブ")) return false;
    text(ws_.disc());
    keys("Enter");
    if (!wait_for("（拡張子.csvは不要）?")) return false;
    text("L");
    keys("Enter");
    return wait_for("標高メッシュ");
  }
  void keys(const std::string& args) { tmux("send-keys " + args); }
  void text(const std::string& utf8) { tmux("send-keys -l '" + utf8 + "'"); }
  std::string screen() {
    test::TempDir tmp;
    tmux("capture-pane -p > '" + tmp.file("screen") + "'");
    return tmp.read("screen");
  }
  // Waits until the screen shows `part` (at most 60 s: a loaded machine
  // builds the long job's disc and starts the program slowly).
  bool wait_for(const std::string& part) {
    for (int k = 0; k < 1200; ++k) {
      if (has(screen(), part)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }
  // The program's exit status, once it has ended (-1 if it has not in 60 s).
  int status() {
    for (int k = 0; k < 1200; ++k) {
      std::string s = test::read_file(ws_.out() + "/../status");
      if (!s.empty()) return std::stoi(s);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
  }
  bool ended() { return !test::read_file(ws_.out() + "/../status").empty(); }
  bool terminal_restored() {
    status();
    return test::read_file(ws_.out() + "/../stty.before") ==
           test::read_file(ws_.out() + "/../stty.after");
  }
  void close() { tmux("kill-server"); }

 private:
  void tmux(const std::string& args) {
    std::string cmd = "tmux -L " + socket_ + " " + args + " 2>/dev/null";
    (void)std::system(cmd.c_str());
  }
  const Workspace& ws_;
  std::string socket_;
};

class Terminal : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v tmux > /dev/null") != 0) GTEST_FAIL() << "tmux is not installed";
  }
};

TEST_F(Terminal, TypingJapaneseAndEditingKeys) {
  Workspace ws;
  ws.job_list("沖縄", crlf({"12345,X"}));
  empty_sheet(ws, "12345");
  Tmux t(ws);
  t.start();
  ASSERT_TRUE(t.wait_for("ＣＤドライブ　例（ d: ）"));
  t.text(std::string("x").append(ws.disc()));
  t.keys("Home Delete End Enter");
  ASSERT_TRUE(t.wait_for("（拡張子.csvは不要）?")) << t.screen();
  t.text("沖縄県");
  t.keys("BSpace Left");
  t.text("Q");
  t.keys("BSpace Right Enter");
  ASSERT_TRUE(t.wait_for("処理終了　(push Enter key) ?")) << t.screen();
  std::string s = t.screen();
  EXPECT_TRUE(has(s, "ＣＤドライブ　例（ d: ）" + ws.disc() + "\n")) << s;
  EXPECT_TRUE(has(s, "（拡張子.csvは不要）? 沖縄\n沖縄処理ファイル一覧GET\nX\n")) << s;
  EXPECT_TRUE(has(s, "  公共施設ポイント  基準点ポイント  鉄道ライン\n")) << s;
  t.keys("Enter");
  EXPECT_EQ(t.status(), 0);
  EXPECT_TRUE(t.terminal_restored());
  EXPECT_TRUE(ws.has_output("沖縄GK.mif"));
}

// Answers on the command line show as typed; the final prompt still waits.
TEST_F(Terminal, AnswersOnTheCommandLine) {
  Workspace ws;
  one_sheet_job(ws);
  Tmux t(ws);
  t.start("'" + ws.disc() + "' ' J'");
  ASSERT_TRUE(t.wait_for("処理終了　(push Enter key) ?")) << t.screen();
  std::string s = t.screen();
  EXPECT_TRUE(has(s, "ＣＤドライブ　例（ d: ）" + ws.disc() + "\n")) << s;
  EXPECT_TRUE(has(s, "（拡張子.csvは不要）?  J\nJ処理ファイル一覧GET\nX\n")) << s;
  EXPECT_FALSE(t.ended());
  t.keys("Enter");
  EXPECT_EQ(t.status(), 0);
  EXPECT_TRUE(t.terminal_restored());
  EXPECT_EQ(ws.outputs().size(), 20u);
}

// Both answers arrive in one read; the drive's Enter leaves the job name
// queued for the next prompt.
TEST_F(Terminal, BothAnswersPastedAtTheFirstPrompt) {
  Workspace ws;
  Tmux t(ws);
  t.start();
  ASSERT_TRUE(t.wait_for("ＣＤドライブ"));
  t.text(std::string(SAMPLE_DISC) + "\r47-沖縄県\r");
  ASSERT_TRUE(t.wait_for("処理終了　(push Enter key) ?")) << t.screen();
  std::string s = t.screen();
  EXPECT_TRUE(has(s, "ＣＤドライブ　例（ d: ）" + std::string(SAMPLE_DISC) + "\n")) << s;
  EXPECT_TRUE(has(s, "（拡張子.csvは不要）? 47-沖縄県\n47-沖縄県処理ファイル一覧GET\n")) << s;
  t.keys("Enter");
  EXPECT_EQ(t.status(), 0);
  EXPECT_EQ(ws.outputs().size(), 20u);
}

TEST_F(Terminal, CtrlCWhileTyping) {
  Workspace ws;
  Tmux t(ws);
  t.start();
  ASSERT_TRUE(t.wait_for("ＣＤドライブ"));
  t.text("abc");
  t.keys("C-c");
  ASSERT_TRUE(t.wait_for("任意のキーを押してください")) << t.screen();
  EXPECT_TRUE(has(t.screen(), "中断しました Sardane[105行]")) << t.screen();
  t.keys("x");
  EXPECT_EQ(t.status(), 3);
  EXPECT_TRUE(t.terminal_restored());
}

TEST_F(Terminal, CtrlCDuringALongJob) {
  Workspace ws;
  long_job(ws);
  Tmux t(ws);
  ASSERT_TRUE(t.start_long_job()) << t.screen();
  t.keys("C-c");
  ASSERT_TRUE(t.wait_for("任意のキーを押してください")) << t.screen();
  EXPECT_TRUE(has(t.screen(), "中断しました Sardane[")) << t.screen();
  EXPECT_FALSE(has(t.screen(), "処理終了"));
  t.keys("Enter");
  EXPECT_EQ(t.status(), 3);
  EXPECT_TRUE(t.terminal_restored());
  expect_closed_files(ws);
}

TEST_F(Terminal, ClosingTheTerminalDuringALongJob) {
  Workspace ws;
  long_job(ws);
  Tmux t(ws);
  ASSERT_TRUE(t.start_long_job()) << t.screen();
  t.close();
  EXPECT_EQ(t.status(), 4);
  expect_closed_files(ws);
}

}  // namespace
}  // namespace e2e
