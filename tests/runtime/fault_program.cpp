// A program that faults at a known line, for the fault report test.
#include "runtime/startup.h"

namespace {

volatile int* g_nowhere = nullptr;

void faulting_main() {
  rt::register_module("Sardane");
  rt::statement(42);
  *g_nowhere = 1;
}

}  // namespace

int main(int argc, char** argv) {
  return rt::run_program(argc, argv, {"fault_program", "0", "no arguments\n"}, faulting_main);
}
