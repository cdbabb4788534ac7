// A program that faults at a known line, for the fault report test.
#include "runtime/startup.h"

// Under AddressSanitizer the fault must reach the program's own handler.
extern "C" const char* __asan_default_options() {
  return "handle_segv=0:allow_user_segv_handler=1";
}

namespace {

volatile int* g_nowhere = nullptr;

// Not inlined: the compiler would be free to move the statement's store of
// its line past a store it can see fault.
__attribute__((noinline, no_sanitize("address", "undefined"))) void fault() {
  *g_nowhere = 1;
}

void faulting_main() {
  rt::register_module("Sardane");
  rt::statement(42);
  fault();
}

}  // namespace

int main(int argc, char** argv) {
  return rt::run_program(argc, argv, {"fault_program", "0", "no arguments\n"}, faulting_main);
}
