#include "runtime/platform/signals.h"

#include <signal.h>

#include <initializer_list>

#include "runtime/base/requests.h"

namespace rt::platform {
namespace {

FaultReporter g_reporter = nullptr;
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

// The message is on the console already (the reporter writes it there).
void on_fault(int sig, siginfo_t* info, void*) {
  if (g_reporter)
    g_reporter(reinterpret_cast<uint64_t>(info->si_addr), exception_code(sig, info->si_code));
  // SA_RESETHAND restored the default action: returning re-runs the
  // faulting instruction and the process dies of the signal.
  if (sig == SIGFPE && info->si_code != FPE_INTDIV) raise(sig);
}

void on_break(int) {
  requests::request_break();
}
void on_close(int) {
  requests::request_close();
}

}  // namespace

void install_signal_handlers(FaultReporter reporter, const char*) {
  g_reporter = reporter;
  stack_t ss{};
  ss.ss_sp = g_fault_stack;
  ss.ss_size = sizeof g_fault_stack;
  sigaltstack(&ss, nullptr);

  struct sigaction fault {};
  fault.sa_sigaction = on_fault;
  fault.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
  sigemptyset(&fault.sa_mask);
  for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(sig, &fault, nullptr);

  // Without SA_RESTART, so that a wait for input returns to look at the
  // request.
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
