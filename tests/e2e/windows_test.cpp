// What only the Windows build has, and its identity with the Linux build:
// the fault filter's system-modal box and X* record, and output files byte
// for byte the same as the Linux build's on the bundled sample disc.
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
