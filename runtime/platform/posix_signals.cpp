#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "runtime/console.h"
#include "runtime/error_record.h"
#include "runtime/files.h"
#include "runtime/platform/codepage.h"
#include "runtime/platform/signals.h"
#include "runtime/startup.h"

namespace rt::platform {
namespace {

char g_fault_prefix[128];  // UTF-8 message up to the module name
size_t g_fault_prefix_len = 0;
char g_fault_stack[64 * 1024];

uint32_t exception_code(int sig, int si_code) {
  switch (sig) {
    case SIGSEGV:
      return 0xC0000005u;  // access violation
    case SIGBUS:
      return 0x80000002u;  // misalignment
    case SIGILL:
      return 0xC000001Du;  // illegal instruction
    case SIGFPE:
      return si_code == FPE_INTDIV ? 0xC0000094u : 0xC0000090u;
    default:
      return 0;
  }
}

void on_fault(int sig, siginfo_t* info, void*) {
  ConsoleDevice* dev = console::device();
  BytesView module = module_name();
  const char unknown[] = "(モジュール名不明)";
  char line[32];
  int n = std::snprintf(line, sizeof line, " [%u行]\r\n", static_cast<unsigned>(current_line()));
  if (dev) {
    dev->emergency_write("\r\n", 2);
    dev->emergency_write(g_fault_prefix, g_fault_prefix_len);
    if (module.empty())
      dev->emergency_write(unknown, sizeof unknown - 1);
    else
      dev->emergency_write(module.data(), module.size());
    dev->emergency_write(line, static_cast<size_t>(n));
    dev->emergency_restore();
  }
  record_fault(module.empty() ? sjis(unknown) : Bytes(module), current_line(),
               reinterpret_cast<uint64_t>(info->si_addr), exception_code(sig, info->si_code));
  try {
    files::flush_all();
  } catch (...) {
  }
  // SA_RESETHAND restored the default action: returning re-runs the
  // faulting instruction and the process dies of the signal.
  if (sig == SIGFPE && info->si_code != FPE_INTDIV) raise(sig);
}

void on_break(int) {
  request_break();
}
void on_close(int) {
  request_close();
}

}  // namespace

void install_signal_handlers() {
  static const char prefix[] = "続行不可能なエラーが発生しました ";
  std::memcpy(g_fault_prefix, prefix, sizeof prefix - 1);
  g_fault_prefix_len = sizeof prefix - 1;

  stack_t ss{};
  ss.ss_sp = g_fault_stack;
  ss.ss_size = sizeof g_fault_stack;
  sigaltstack(&ss, nullptr);

  struct sigaction fault {};
  fault.sa_sigaction = on_fault;
  fault.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
  sigemptyset(&fault.sa_mask);
  for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(sig, &fault, nullptr);

  struct sigaction brk {};
  brk.sa_handler = on_break;
  sigemptyset(&brk.sa_mask);
  sigaction(SIGINT, &brk, nullptr);

  struct sigaction cls {};
  cls.sa_handler = on_close;
  sigemptyset(&cls.sa_mask);
  sigaction(SIGTERM, &cls, nullptr);
  sigaction(SIGHUP, &cls, nullptr);
  signal(SIGPIPE, SIG_IGN);
  // A file-size limit makes writes fail (reported as a full disk) instead
  // of killing the process.
  signal(SIGXFSZ, SIG_IGN);
}

}  // namespace rt::platform
