// Fuzz target: a random program of file statements with a random refused
// byte, run on a file table over a file system in memory, against the model
// of item-by-item writes.
#include <cstdint>

#include "tests/runtime/journal_program.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!test::random_program_matches(data, size)) __builtin_trap();
  return 0;
}
