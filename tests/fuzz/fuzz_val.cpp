// Fuzz target: VAL and the integer stores on arbitrary text, and VAL's
// common case against its general reader.
#include <cmath>
#include <cstdint>

#include "runtime/errors.h"
#include "runtime/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rt::BytesView text(reinterpret_cast<const char*>(data), size);
  // VAL's common case must read what the general reader reads.
  if (uint32_t whole; rt::whole_number(text, whole) && rt::detail::val_general(text) != whole)
    __builtin_trap();
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
  rt::fp_reset();
  return 0;
}
