// A program that runs out of memory at a known line with an output file
// open, for the out-of-memory report test. Its address space is limited to
// 256 MB before the program starts.
#include <sys/resource.h>

#include "runtime/arrays.h"
#include "runtime/files.h"
#include "runtime/startup.h"

namespace {

void memory_main() {
  rt::register_module("Sardane");
  rt::statement(10);
  rt::files::open("out.txt", rt::files::Mode::kOutput, 2);
  rt::statement(11);
  rt::files::print(2, "before", rt::Sep::kNone);
  rt::statement(12);
  static rt::Array<double> big;
  big.dim((int64_t{1} << 27) - 1);  // 1 GB, within the 32-bit size rule
}

}  // namespace

int main(int argc, char** argv) {
  rlimit limit{256u << 20, 256u << 20};
  setrlimit(RLIMIT_AS, &limit);
  return rt::run_program(argc, argv, {"memory_program", "0", "no arguments\n"}, memory_main);
}
