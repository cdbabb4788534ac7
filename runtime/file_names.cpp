#include "runtime/file_names.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/errors.h"

namespace rt::files {

Bytes with_drive_letter(BytesView name) {
  const size_t colon = name.find(':');
  if (colon == BytesView::npos) return Bytes(name);
  const BytesView head = name.substr(0, colon);
  const bool digits =
      !head.empty() && head.size() <= 2 &&
      std::all_of(head.begin(), head.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits) {
    const int drive = std::atoi(Bytes(head).c_str());
    if (drive > 25) raise_error(kIllegalCall, loc(Op::kOpen, 4));
    Bytes lettered(name.substr(colon));
    lettered.insert(lettered.begin(), static_cast<char>('A' + drive));
    return lettered;
  }
  const bool letter = head.size() == 1 &&
                      ((head[0] >= 'A' && head[0] <= 'Z') || (head[0] >= 'a' && head[0] <= 'z'));
  if (!letter) raise_error(kIllegalCall, loc(Op::kOpen, 5));
  return Bytes(name);
}

bool is_device(BytesView name) {
  static const char* const kDevices[] = {
      "LPT1:", "LPT2:", "LPT3:", "COM0:", "COM1:", "COM2:", "COM3:", "COM4:"};
  if (name.size() < 5) return false;
  for (const char* d : kDevices) {
    bool same = true;
    for (int k = 0; k < 5 && same; ++k)
      same = (name[static_cast<size_t>(k)] & ~0x20) == (d[k] & ~0x20) ||
             name[static_cast<size_t>(k)] == d[k];
    if (same) return true;
  }
  return false;
}

bool has_wildcard(BytesView name) {
  return name.find_first_of("?*") != BytesView::npos;
}

void require_name_part(BytesView part) {
  bool bad = part == "." || part == "..";
  // A trail byte 5C is part of its character.
  for (const Character c : characters(part))
    bad = bad || c.is('/') || c.is('\\') || c.is(':') || c.is('\0');
  if (bad) raise_error(kBadFileName, loc(Op::kNamePart, 1));
}

}  // namespace rt::files
