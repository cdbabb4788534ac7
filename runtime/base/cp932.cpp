#include "runtime/base/cp932.h"

namespace rt {

std::vector<BytesView> split(BytesView text, BytesView separators) {
  std::vector<BytesView> parts;
  size_t start = 0;
  for (const Character c : characters(text)) {
    if (c.bytes.size() != 1 || separators.find(c.bytes[0]) == BytesView::npos) continue;
    if (c.at > start) parts.push_back(text.substr(start, c.at - start));
    start = c.at + 1;
  }
  if (text.size() > start) parts.push_back(text.substr(start));
  return parts;
}

}  // namespace rt
