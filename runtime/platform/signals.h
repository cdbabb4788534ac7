// Signals: Ctrl+C (SIGINT) requests a break; SIGTERM and SIGHUP close the
// console, so the program ends at its next statement with every file
// closed properly. Processor faults (SIGSEGV, SIGBUS, SIGFPE, SIGILL) print
// "続行不可能なエラーが発生しました %s [%u行]", record the X* values, hand
// buffered output to the files and let the process die of the signal.
#pragma once

namespace rt::platform {

void install_signal_handlers();

}  // namespace rt::platform
