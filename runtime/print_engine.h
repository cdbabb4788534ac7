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

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  virtual int column() const = 0;
  virtual int width() const = 0;
  virtual bool expands_tabs() const = 0;
  // Writes bytes and advances the column.
  virtual void emit(BytesView bytes) = 0;
};

void print_item(PrintTarget& target, BytesView text, Sep sep);
// Integer item: a blank or '-', the digits, one trailing blank.
void print_integer(PrintTarget& target, int32_t value, Sep sep);
// The integer item's text: " 5 ", "-12 ".
Bytes integer_text(int32_t value);

}  // namespace rt
