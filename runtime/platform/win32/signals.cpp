// Ctrl+C and the console's close events as requests; the fault filter with
// its system-modal box in UTF-16.
#include "runtime/platform/signals.h"

#include <windows.h>

#include "runtime/base/requests.h"
#include "runtime/platform/win32/console_window.h"
#include "runtime/platform/win32/wide.h"

namespace rt::platform {
namespace {

FaultReporter g_reporter = nullptr;
// The box's texts in UTF-16, converted from CP932 into buffers of their own:
// the fault filter allocates nothing.
// The fault message has at most 512 bytes.
constexpr int kTitleUnits = 512;
constexpr int kMessageUnits = 1024;
wchar_t g_title[kTitleUnits];
wchar_t g_message[kMessageUnits];

BOOL WINAPI on_console_event(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      requests::request_break();
      return TRUE;
    default:
      // Closed, logged off, shut down: the program ends at its next
      // statement with its files complete. The system ends the process
      // when this handler returns, so it gives the program that time.
      requests::request_close();
      Sleep(4000);
      return TRUE;
  }
}

LONG WINAPI on_fault(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  const char* message = g_reporter(reinterpret_cast<uint64_t>(r->ExceptionAddress),
                                   static_cast<uint32_t>(r->ExceptionCode));
  wide_into(message, g_message, kMessageUnits);
  MessageBoxW(console_window(), g_message, g_title, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
  // The process ends as the system ends a faulting process: with the
  // exception code.
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void install_signal_handlers(FaultReporter reporter, const char* title) {
  g_reporter = reporter;
  wide_into(title, g_title, kTitleUnits);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  SetConsoleCtrlHandler(on_console_event, TRUE);
  SetUnhandledExceptionFilter(on_fault);
}

}  // namespace rt::platform
