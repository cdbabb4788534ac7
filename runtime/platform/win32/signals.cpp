#include "runtime/platform/signals.h"

#include <windows.h>

#include "runtime/platform/requests.h"
#include "runtime/platform/win32/console_window.h"

namespace rt::platform {
namespace {

FaultReporter g_reporter = nullptr;
const char* g_title = "";

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
  MessageBoxA(console_window(), message, g_title, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
  // The process ends as the system ends a faulting process: with the
  // exception code.
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void install_signal_handlers(FaultReporter reporter, const char* title) {
  g_reporter = reporter;
  g_title = title;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  SetConsoleCtrlHandler(on_console_event, TRUE);
  SetUnhandledExceptionFilter(on_fault);
}

}  // namespace rt::platform
