// Asynchronous events of the process: Ctrl+C requests a break; SIGTERM and
// SIGHUP (POSIX) or the console's close and log-off events (Windows) request
// a close, so the program ends at its next statement with every file
// closed properly. A processor fault (SIGSEGV, SIGBUS, SIGFPE, SIGILL; an
// unhandled exception on Windows) calls the frame's fault reporter with the
// faulting address and the exception code (Windows numbering), shows the
// message it returns where the system shows such messages (Windows: a
// system-modal error box titled `title`), and lets the process die of the
// fault. Also switches off the system's own error boxes.
#pragma once

#include <cstdint>

namespace rt::platform {

// Returns the fault message (CP932). Called on the faulting thread, inside
// a signal handler on POSIX: it must only do what is safe there.
using FaultReporter = const char* (*)(uint64_t address, uint32_t exception_code);

void install_signal_handlers(FaultReporter reporter, const char* title);

}  // namespace rt::platform
