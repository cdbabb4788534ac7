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

void print_item(PrintTarget& target, BytesView text, Sep sep) {
  int col = target.column();
  const int width = target.width();
  Bytes expanded;
  if (target.expands_tabs() && text.find('\t') != BytesView::npos) {
    int c = col;
    for (char ch : text) {
      if (ch == '\t') {
        int spaces = 8 - c % 8;
        expanded.append(static_cast<size_t>(spaces), ' ');
        c += spaces;
      } else {
        expanded.push_back(ch);
        c = ch == '\r' ? 0 : c + 1;
      }
    }
    text = expanded;
  }
  if (width != 0 && col != 0 && col + static_cast<int>(text.size()) > width) target.emit("\r\n");
  target.emit(text);
  switch (sep) {
    case Sep::kSemicolon:
      break;
    case Sep::kComma: {
      col = target.column();
      int pad = 14 - col % 14;
      if (width != 0 && (col + pad > width || width - (col + pad) <= 13))
        target.emit("\r\n");
      else
        target.emit(Bytes(static_cast<size_t>(pad), ' '));
      break;
    }
    case Sep::kNone:
      target.emit("\r\n");
      break;
  }
}

void print_integer(PrintTarget& target, int32_t value, Sep sep) {
  print_item(target, integer_text(value), sep);
}

}  // namespace rt
