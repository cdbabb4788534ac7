#include "runtime/texts.h"

#include "runtime/platform/codepage.h"

namespace rt {

std::string sjis(std::string_view utf8) {
  return platform::utf8_to_cp932(utf8);
}

}  // namespace rt
