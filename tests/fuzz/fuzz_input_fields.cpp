// Fuzz target: INPUT field splitting; the first byte chooses the variables.
#include <cstdint>
#include <vector>

#include "runtime/input_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<rt::InputKind> kinds;
  for (int k = 0; k < 1 + (data[0] & 3); ++k)
    kinds.push_back(static_cast<rt::InputKind>((data[0] >> (2 + 2 * k)) & 3));
  rt::BytesView line(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<rt::InputValue> out;
  if (rt::split_input(line, kinds, out) && out.size() != kinds.size()) __builtin_trap();
  return 0;
}
