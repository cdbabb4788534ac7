// The PRINT engine shared by the console and by PRINT #.
//
// One item: (console only) TABs expanded to the next multiple of 8 columns;
// a CR LF first when the width is non-zero, the column is not 0 and the item
// would pass the width; the item's bytes; then the separator: semicolon adds
// nothing, comma pads to the next print zone of 14 (or starts a new line
// when the padded column would pass the width or leave 13 columns or fewer),
// no separator ends the line with CR LF.
#pragma once

#include <cstdint>

#include "runtime/strings.h"

namespace rt {

enum class Sep : uint8_t { kNone = 0, kComma = 1, kSemicolon = 2 };

// The print column after byte `c` at column `col`, for the console, the
// files and the literal text of a picture alike: CR returns to column 0,
// LF keeps the column, TAB moves to the next multiple of 8, and any other
// byte takes one column (back to 0 where it reaches a width other than 0).
constexpr int next_column(int col, char c, int width = 0) {
  if (c == '\r') return 0;
  if (c == '\n') return col;
  if (c == '\t') return (col / 8 + 1) * 8;
  return width != 0 && col + 1 >= width ? 0 : col + 1;
}

// A target provides: int column() const; int width() const (0: no line
// fit); bool expands_tabs() const; void emit(BytesView) (writes the bytes
// and advances the column); void end_line() (emits CR LF). The engine is a template so that each
// target's calls compile to direct code.
template <class Target>
void print_item(Target& target, BytesView text, Sep sep) {
  int col = target.column();
  const int width = target.width();
  Bytes expanded;
  if (target.expands_tabs() && text.find('\t') != BytesView::npos) {
    int c = col;
    for (char ch : text) {
      const int next = next_column(c, ch, width);
      if (ch == '\t')
        expanded.append(static_cast<size_t>(next - c), ' ');
      else
        expanded.push_back(ch);
      c = next;
    }
    text = expanded;
  }
  if (width != 0 && col != 0 && col + static_cast<int>(text.size()) > width) target.end_line();
  target.emit(text);
  switch (sep) {
    case Sep::kSemicolon:
      break;
    case Sep::kComma: {
      col = target.column();
      int pad = 14 - col % 14;
      if (width != 0 && (col + pad > width || width - (col + pad) <= 13))
        target.end_line();
      else
        target.emit(Bytes(static_cast<size_t>(pad), ' '));
      break;
    }
    case Sep::kNone:
      target.end_line();
      break;
  }
}

// The integer item's text: " 5 ", "-12 " (a blank or '-', the digits, one
// trailing blank), held in place.
class IntegerText {
 public:
  explicit IntegerText(int32_t value);
  operator BytesView() const { return BytesView(bytes_ + start_, kRoom - start_); }

 private:
  static constexpr size_t kRoom = 13;  // '-', ten digits, a blank and one spare
  char bytes_[kRoom];
  size_t start_;
};

}  // namespace rt
