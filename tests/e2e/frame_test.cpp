// The run-time frame seen from outside: command line, error report and its
// registry record, the message library, interrupts, a closed console and a
// processor fault.
#include <gtest/gtest.h>

#include "tests/e2e/sheets.h"

namespace e2e {
namespace {

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Frame, CommandLine) {
  Workspace ws;
  Result help = ws.run("", std::string(SARDANE_BIN) + "' '--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(has(help.screen, "Usage: sardane")) << help.screen;
  Result version = ws.run("", std::string(SARDANE_BIN) + "' '--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.screen, "sardane 1.1.0\n");
  Result bad = ws.run("", std::string(SARDANE_BIN) + "' '--drive=d");
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(has(bad.errors, "Usage: sardane"));
  EXPECT_TRUE(bad.screen.empty());
}

TEST(Frame, FileExistsReportAndRecord) {
  Workspace ws;
  one_sheet_job(ws);
  ASSERT_EQ(ws.convert("J").status, 0);
  ws.clear_error_record();
  Result r = ws.convert("J");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(
      has(r.screen, "X\n  標高メッシュ\nSardane [302行]:エラー[64]\n任意のキーを押してください\n"))
      << r.screen;
  std::string record = ws.error_record();
  for (const char* value :
       {"MODL=text:Sardane\n", "LINE=dword:302\n", "CODE=dword:64\n", "FUNC=dword:15\n",
        "INFO=dword:8\n", "MODE=text:独立型\n", "RTL=text:V6.30 L10 U002+1\n", "APIERR=dword:80\n"})
    EXPECT_TRUE(has(record, value)) << value << " in\n" << record;
  EXPECT_TRUE(has(record, "TIME=text:20"));
}

TEST(Frame, MessageLibraryAddsTheText) {
  Workspace ws;
  ws.install_message_library();
  Result r = ws.run(ws.disc() + "\nNOJOB\n\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(
      has(r.screen,
          "Sardane [109行]:エラー[63]\nファイルが見つかりません。\n任意のキーを押してください\n"))
      << r.screen;
}

TEST(Frame, InterruptWhileTyping) {
  Workspace ws;
  Result r = ws.run("ab\x03\n");
  EXPECT_EQ(r.status, 3);
  EXPECT_TRUE(has(r.screen, "\n中断しました Sardane[105行] \n任意のキーを押してください"))
      << r.screen;
}

// End of input: at the job prompt the console closed before the end (4); at
// the final prompt the job is done and complete (0).
TEST(Frame, EndOfInput) {
  struct Case {
    std::string after_drive;
    int status;
    size_t outputs;
  };
  for (const Case& c : {Case{"", 4, 0}, Case{"J\n", 0, 20}}) {
    Workspace ws;
    one_sheet_job(ws);
    Result r = ws.run(ws.disc() + "\n" + c.after_drive);
    EXPECT_EQ(r.status, c.status) << r.screen;
    EXPECT_FALSE(has(r.screen, "エラー"));
    EXPECT_EQ(ws.outputs().size(), c.outputs);
    expect_closed_files(ws);
  }
}

// Memory that runs out gives the full report of error 7, and the open
// output file still gets its final byte.
TEST(Frame, OutOfMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory does not fit a limited address space";
#endif
  if (kUnderWine) GTEST_SKIP() << "the address-space limit is a POSIX one";
  Workspace ws;
  Result r = ws.run("\n", MEMORY_BIN);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(has(r.screen, "Sardane [12行]:エラー[7]\n任意のキーを押してください")) << r.screen;
  EXPECT_TRUE(has(ws.error_record(), "CODE=dword:7\n"));
  EXPECT_EQ(ws.output("out.txt"), "before\r\n\x1A");
}

// APIERR tells a missing folder (3) from a missing file in a folder that
// exists (2); both are error 63.
TEST(Frame, MissingFolderAndMissingFile) {
  struct Case {
    std::string drive;
    const char* apierr;
  };
  Workspace ws;
  for (const Case& c :
       {Case{ws.disc(), "APIERR=dword:2\n"}, Case{ws.disc() + "/nothing", "APIERR=dword:3\n"}}) {
    ws.clear_error_record();
    Result r = ws.run(c.drive + "\nNOJOB\n\n");
    EXPECT_TRUE(has(r.screen, "エラー[63]")) << r.screen;
    const std::string record = ws.error_record();
    EXPECT_TRUE(has(record, c.apierr)) << c.drive << "\n" << record;
  }
}

TEST(Frame, ProcessorFault) {
  if (kUnderWine) GTEST_SKIP() << "Windows faults: WindowsBuild.FaultBox";
  Workspace ws;
  Result r = ws.run("", FAULT_BIN);
  EXPECT_EQ(r.status, 128 + 11);
  EXPECT_TRUE(has(r.screen, "続行不可能なエラーが発生しました Sardane [42行]\r\n")) << r.screen;
  std::string record = ws.error_record();
  EXPECT_TRUE(has(record, "XMODL=text:Sardane\n")) << record;
  EXPECT_TRUE(has(record, "XLINE=dword:42\n"));
  EXPECT_TRUE(has(record, "XCODE=dword:3221225477\n"));
  EXPECT_TRUE(has(record, "XRTL=text:V6.30 L10 U002+1\n"));
}

// A fault inside the allocator, with its lock held: the report, the record
// (merged into the values there before, in their order) and the output
// file's buffered line and final byte still come, and the process ends of
// the fault within the bound.
TEST(Frame, ProcessorFaultInsideTheAllocator) {
#ifdef FAULT_IN_MALLOC_BIN
  Workspace ws;
  const std::string key = ws.registry() + "/user/Software/Vantrel/Z-NORAC V6.3/RUNTIME/ERROR";
  ASSERT_EQ(std::system(("mkdir -p '" + key + "'").c_str()), 0);
  test::write_file(key + "/values", "CODE=dword:64\nXLINE=dword:7\nMODL=text:Sardane\n");
  Result r = ws.run("", FAULT_IN_MALLOC_BIN, "timeout -s KILL 20");
  EXPECT_EQ(r.status, 128 + 11);
  EXPECT_TRUE(has(r.screen, "続行不可能なエラーが発生しました Sardane [42行]\r\n")) << r.screen;
  EXPECT_EQ(ws.error_record(),
            "CODE=dword:64\nXLINE=dword:42\nMODL=text:Sardane\nXMODL=text:Sardane\n"
            "XMODE=text:独立型\nXRTL=text:V6.30 L10 U002+1\nXADDR=dword:0\n"
            "XCODE=dword:3221225477\n");
  EXPECT_EQ(ws.output("out.txt"), "line\r\n\x1A");
#else
  GTEST_SKIP() << "the allocator is not replaced beside the sanitizers or under Wine";
#endif
}

}  // namespace
}  // namespace e2e
