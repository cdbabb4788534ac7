// What only the Windows build has, and its identity with the Linux build:
// the fault filter's system-modal box and X* record, the message boxes of
// a program without standard streams, the files' version and manifest, and
// output files byte for byte the same as the Linux build's on the bundled
// sample disc.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A processor fault: the message box (found and pressed by a helper, as a
// person would), the X* values, and the process ends with the exception
// code (0xC0000005; Wine passes on its low byte).
TEST(WindowsBuild, FaultBox) {
  Workspace ws;
  ws.clear_error_record();
  test::TempDir tmp;
  std::string box = tmp.file("box.txt");
  std::thread presser([&] {
    std::string cmd = std::string("'") + PRESS_BUTTON_BIN + "' fault_program 120 > '" + box + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  });
  // A box nobody presses must not hold the suite: the program gets a time
  // limit.
  Result r = ws.run("", std::string("/usr/bin/timeout' '150' '") + FAULT_BIN);
  presser.join();
  EXPECT_EQ(r.status, 0x05);
  EXPECT_EQ(test::read_file(box), sj("続行不可能なエラーが発生しました Sardane [42行]") + "\r\n");
  EXPECT_TRUE(has(r.screen, "続行不可能なエラーが発生しました Sardane [42行]\r\n")) << r.screen;
  std::string record = ws.error_record();
  EXPECT_TRUE(has(record, "XMODL=text:Sardane\n")) << record;
  EXPECT_TRUE(has(record, "XLINE=dword:42\n"));
  EXPECT_TRUE(has(record, "XCODE=dword:3221225477\n"));
  EXPECT_TRUE(has(record, "XMODE=text:独立型\n"));
  EXPECT_TRUE(has(record, "XADDR=dword:"));
}

// A Windows path of a file below "/" (Wine's drive Z:).
std::string windows_path(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path.rfind("Z:", 0) == 0 ? path : "Z:" + path;
}

// Redirected input and no standard output at all: the error report is a
// message box titled with the executable's name + ".EXE", holding the
// message line and the text; pressing its button ends the program.
TEST(WindowsBuild, ReportBoxWithoutStandardOutput) {
  Workspace ws;
  ws.install_message_library();
  ws.clear_error_record();
  test::TempDir tmp;
  std::string box = tmp.file("box.txt");
  std::thread presser([&] {
    std::string cmd = std::string("'") + PRESS_BUTTON_BIN + "' sardane.EXE 120 > '" + box + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
  });
  // Started with null output handles; a time limit in case no one presses
  // the box.
  Result r = ws.run(ws.disc() + "\nNOJOB\n\n",
                    std::string("/usr/bin/timeout' '150' '") + NO_OUTPUT_BIN + "' '" +
                        windows_path(std::string(WIN_DIR) + "/sardane.exe"));
  presser.join();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(test::read_file(box), sj("\r\nSardane [109行]:エラー[63]\nファイルが見つかりません。"));
  EXPECT_TRUE(has(ws.error_record(), "CODE=dword:63\n"));
}

// A command-line error without standard error (a shortcut's program): the
// message, and with a bad argument the usage's synopsis, in a box titled
// like the report box; status 2 once it is closed.
TEST(WindowsBuild, CommandLineErrorBoxWithoutStandardError) {
  const struct {
    std::string arguments, text;
  } cases[] = {
      {"' '-C' 'Z:\\no\\such", "sardane: cannot run in 'Z:\\no\\such': there is no such folder"},
      {"' '--bad",
       "sardane: unknown option '--bad'\n\nUsage: sardane [-C DIR] [-k] [DRIVE [JOB]]\n"
       "       sardane --help | --version"},
  };
  for (const auto& c : cases) {
    Workspace ws;
    test::TempDir tmp;
    std::string box = tmp.file("box.txt");
    std::thread presser([&] {
      std::string cmd = std::string("'") + PRESS_BUTTON_BIN + "' sardane.EXE 120 > '" + box + "'";
      EXPECT_EQ(std::system(cmd.c_str()), 0);
    });
    Result r = ws.run("", std::string("/usr/bin/timeout' '150' '") + NO_OUTPUT_BIN + "' '" +
                              windows_path(std::string(WIN_DIR) + "/sardane.exe") + c.arguments);
    presser.join();
    EXPECT_EQ(r.status, 2) << c.arguments;
    EXPECT_EQ(test::read_file(box), c.text);
  }
}

// Standard output a console (cmd.exe in a console, only the input
// redirected): the screen text read back from the console's buffer shows
// the Japanese prompts right, whatever the console's code page.
TEST(WindowsBuild, ConsoleAsStandardOutput) {
  Workspace ws;
  test::TempDir tmp;
  tmp.write("answers.txt", std::string(SAMPLE_DISC) + "\n47-沖縄県\n\n");
  tmp.write("run.cmd", "@echo off\r\n\"" + windows_path(std::string(WIN_DIR) + "/sardane.exe") +
                           "\" < \"" + windows_path(tmp.file("answers.txt")) + "\"\r\n\"" +
                           windows_path(std::string(WIN_DIR) + "/tests/read_console.exe") +
                           "\" \"" + windows_path(tmp.file("screen.txt")) + "\"\r\n");
  const std::string cmd = "cd '" + ws.out() + "' && timeout 300 '" + WINE_RUN +
                          "' wineconsole cmd /c '" + windows_path(tmp.file("run.cmd")) +
                          "' > /dev/null 2>&1 < /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  const std::string screen = tmp.read("screen.txt");
  for (const char* shown :
       {"ＣＤドライブ　例（ d: ）", "例）47-沖縄県　（拡張子.csvは不要）? 47-沖縄県",
        "処理終了　(push Enter key) ?"})
    EXPECT_TRUE(has(screen, shown)) << shown << " in\n" << screen;
  EXPECT_EQ(ws.outputs().size(), 20u);
}

// Both files' version, as the Details tab of their Properties shows it, is
// the project's; the program's manifest, as Windows reads it, declares
// per-monitor v2 DPI awareness with the system-aware fallback.
TEST(WindowsBuild, VersionAndManifest) {
  const std::string version = SARDANE_VERSION;
  const std::string common = "version " + version + ".0\nProductName=Sardane\n";
  const std::string copyright = "LegalCopyright=Copyright (c) The Sardane authors. MIT License.\n";
  const struct {
    std::string file, shown;
  } cases[] = {
      {"sardane.exe", common + "FileDescription=Sardane map converter\nFileVersion=" + version +
                          "\nProductVersion=" + version + "\nOriginalFilename=sardane.exe\n" +
                          copyright + "dpiAware=true\ndpiAwareness=PerMonitorV2, System\n"},
      {"lib/K3M0RE63.DLL",
       common + "FileDescription=Sardane error messages\nFileVersion=" + version +
           "\nProductVersion=" + version + "\nOriginalFilename=K3M0RE63.DLL\n" + copyright},
  };
  for (const auto& c : cases) {
    test::TempDir tmp;
    const std::string cmd = std::string("'") + FILE_VERSION_BIN + "' '" +
                            windows_path(std::string(WIN_DIR) + "/" + c.file) + "' > '" +
                            tmp.file("out") + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << c.file;
    EXPECT_EQ(tmp.read("out"), c.shown);
  }
}

// Both builds convert the sample disc to the same bytes.
TEST(WindowsBuild, SameBytesAsTheLinuxBuild) {
  Workspace windows, linux;
  const std::string answers = std::string(SAMPLE_DISC) + "\n47-沖縄県\n\n";
  Result w = windows.run(answers);
  Result l = linux.run(answers, LINUX_SARDANE_BIN);
  ASSERT_EQ(w.status, 0) << w.screen;
  ASSERT_EQ(l.status, 0) << l.screen;
  EXPECT_EQ(w.screen, l.screen);
  ASSERT_EQ(windows.outputs(), linux.outputs());
  EXPECT_EQ(windows.outputs().size(), 20u);
  for (const std::string& name : windows.outputs())
    EXPECT_TRUE(windows.output(name) == linux.output(name)) << name;
}

}  // namespace
}  // namespace e2e
