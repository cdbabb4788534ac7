// Fuzz target: PRINT USING pictures. The input is a double (8 bytes) and a
// format text; the fixed form must be exactly as wide as its field.
#include <cstdint>
#include <cstring>

#include "runtime/errors.h"
#include "runtime/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  double value;
  std::memcpy(&value, data, 8);
  rt::BytesView format(reinterpret_cast<const char*>(data + 8), size - 8);
  try {
    rt::Picture p = rt::Picture::parse(format);
    rt::Bytes out;
    p.format(value, out);
    if (out.empty()) __builtin_trap();
  } catch (const rt::RuntimeError&) {
  }
  return 0;
}
