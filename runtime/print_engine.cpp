#include "runtime/print_engine.h"

namespace rt {

Bytes integer_text(int32_t value) {
  char buf[16];
  char* p = buf + sizeof buf;
  *--p = ' ';
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  *--p = value < 0 ? '-' : ' ';
  return Bytes(p, static_cast<size_t>(buf + sizeof buf - p));
}

}  // namespace rt
