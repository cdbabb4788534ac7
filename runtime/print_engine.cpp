#include "runtime/print_engine.h"

namespace rt {

IntegerText::IntegerText(int32_t value) {
  char* p = bytes_ + kRoom;
  *--p = ' ';
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  *--p = value < 0 ? '-' : ' ';
  start_ = static_cast<size_t>(p - bytes_);
}

}  // namespace rt
