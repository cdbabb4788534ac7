// Fuzz target: VAL and the integer stores on arbitrary text.
#include <cmath>
#include <cstdint>

#include "runtime/errors.h"
#include "runtime/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rt::BytesView text(reinterpret_cast<const char*>(data), size);
  try {
    long double v = rt::val(text);
    if (std::isnan(v)) __builtin_trap();
    rt::to_int32(v);
  } catch (const rt::RuntimeError&) {
  }
  try {
    rt::to_int16(rt::val(text));
  } catch (const rt::RuntimeError&) {
  }
  rt::error_state().raising = false;
  rt::fp_reset();
  return 0;
}
