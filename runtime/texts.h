// The program's own texts (prompts, labels, messages), written in UTF-8 in
// the source, as the CP932 bytes the program shows and writes.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// `utf8` as CP932, converted by the operating-system layer's code page.
std::string sjis(std::string_view utf8);

}  // namespace rt
